#include "platform/sdl/ending_signals.h"

#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <initializer_list>

namespace darts::platform {
namespace {

volatile std::sig_atomic_t hangUpSeen = 0;

void noteHangUp(int /*signal*/) { hangUpSeen = 1; }

// Set before any handler that reads them is installed, read only by the handlers.
void (*volatile restoreOnFatal)() = nullptr;
volatile std::sig_atomic_t fatalSignal = 0;

// Long enough for the X server to switch the mode back on a busy machine (2 s was seen to run out).
constexpr unsigned kRestoreSeconds = 5;

// signal() to the default action and raise() are async-signal-safe.
[[noreturn]] void dieBy(int signal) {
    std::signal(signal, SIG_DFL);
    raise(signal);
    _exit(128 + signal);  // unreachable: the default action of these signals ends the process
}

void restoreTimedOut(int /*signal*/) { dieBy(fatalSignal); }

// `then` runs when the restore's time is up (sigaction and alarm are async-signal-safe).
void endAfterRestoreTime(void (*then)(int)) {
    struct sigaction timeout {};
    timeout.sa_handler = then;
    sigemptyset(&timeout.sa_mask);
    sigaction(SIGALRM, &timeout, nullptr);
    alarm(kRestoreSeconds);
}

// The restore goes through SDL and Xlib, which are not async-signal-safe: they take locks and may
// allocate, and the signal may have come while this very thread held one of those locks or was
// inside the allocator. That is accepted because the process is ending anyway and the
// alternative is a desktop left at 800 x 600 for certain: the handler runs once (SA_RESETHAND: a
// second fault inside the restore meets the default action), and a restore stuck on a lock the
// interrupted code held is cut short after a few seconds by an alarm that ends the process by the original signal.
// What can still go wrong is the mode staying switched, as it would without the handler.
void restoreThenDie(int signal) {
    fatalSignal = signal;
    endAfterRestoreTime(restoreTimedOut);
    if (void (*restore)() = restoreOnFatal) {
        restoreOnFatal = nullptr;
        restore();
    }
    dieBy(signal);
}

// A fatal signal sent by another process (kill, a session manager's SIGQUIT) interrupts the game
// wherever it is, possibly inside the very Xlib call the restore needs: it is left to the next
// frame, where the game restores the mode on its own thread and then ends by the signal. The alarm
// still ends it (after the best restore a handler can do) should no frame come. A fault of the
// game's own, and abort(), cannot wait: they restore at once.
volatile std::sig_atomic_t pendingFatal = 0;

void restorePendingThenDie(int /*signal*/) { restoreThenDie(pendingFatal); }

void onFatal(int signal, siginfo_t* info, void* /*context*/) {
    if (info != nullptr && info->si_code == SI_USER && signal != SIGABRT && pendingFatal == 0 &&
        restoreOnFatal != nullptr) {
        pendingFatal = signal;
        endAfterRestoreTime(restorePendingThenDie);
        return;
    }
    restoreThenDie(signal);
}

bool hasDefaultAction(int signal) {
    struct sigaction current {};
    return sigaction(signal, nullptr, &current) == 0 && (current.sa_flags & SA_SIGINFO) == 0 &&
           current.sa_handler == SIG_DFL;
}

}  // namespace

void watchHangUp() {
    if (!hasDefaultAction(SIGHUP)) return;
    struct sigaction hangUp {};
    hangUp.sa_handler = noteHangUp;
    sigemptyset(&hangUp.sa_mask);
    hangUp.sa_flags = SA_RESTART;
    sigaction(SIGHUP, &hangUp, nullptr);
}

bool takeHangUp() {
    if (hangUpSeen == 0) return false;
    hangUpSeen = 0;
    return true;
}

void restoreBeforeFatalSignals(void (*restore)()) {
    restoreOnFatal = restore;
    // SA_NODEFER: the alarm's handler must be able to raise the same signal again from inside.
    struct sigaction fatal {};
    fatal.sa_sigaction = onFatal;
    sigemptyset(&fatal.sa_mask);
    fatal.sa_flags = SA_SIGINFO | SA_RESETHAND | SA_NODEFER;
    for (int signal : {SIGQUIT, SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) {
        if (hasDefaultAction(signal)) sigaction(signal, &fatal, nullptr);
    }
}

void endIfFatalSignalCame() {
    const int signal = pendingFatal;
    if (signal == 0) return;
    if (void (*restore)() = restoreOnFatal) {
        restoreOnFatal = nullptr;
        restore();
    }
    dieBy(signal);
}

}  // namespace darts::platform
