// The signals that end the game without going through its own exit. A display switched to
// 800 x 600 must get the desktop's mode back however the process ends: through exit (an atexit
// handler), through SIGINT and SIGTERM (SDL turns them into a request to close the window), and
// through the signals here.
#pragma once

namespace darts::platform {

// SIGHUP (the terminal closed) becomes a request to end, like SIGINT and SIGTERM: takeHangUp()
// is true once after it came, and the game then ends as by Escape. Left alone where SIGHUP
// already has a handler or is ignored (nohup).
void watchHangUp();
bool takeHangUp();

// SIGQUIT and the crash signals (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT) call `restore` once,
// then end the process by the same signal as they would have (its status, a core dump). Only where
// the signal has its default action, so that a sanitizer's or a debugger's handler keeps it.
// One sent by another process is taken at the next frame instead, on the game's own thread:
// endIfFatalSignalCame(), called once a frame, then restores and ends by it.
void restoreBeforeFatalSignals(void (*restore)());
void endIfFatalSignalCame();

}  // namespace darts::platform
