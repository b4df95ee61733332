#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <signal.h>

#include "platform/sdl/ending_signals.h"

namespace darts::platform {
namespace {

void sayRestored() { (void)!write(STDERR_FILENO, "restored\n", 9); }
void restoreForever() {
    for (;;) pause();
}

// Each case runs in a child process of its own: the handlers stay installed once set.
TEST(EndingSignals, AFatalSignalRestoresThenEndsTheProcessByThatSignal) {
    // SIGQUIT and SIGABRT, which the sanitizers leave alone.
    for (int signal : {SIGQUIT, SIGABRT}) {
        EXPECT_EXIT(
            {
                restoreBeforeFatalSignals(sayRestored);
                std::raise(signal);
            },
            testing::KilledBySignal(signal), "restored");
    }
    // A restore that never returns (stuck on a lock) is cut short, still by the signal.
    EXPECT_EXIT(
        {
            restoreBeforeFatalSignals(restoreForever);
            std::raise(SIGQUIT);
        },
        testing::KilledBySignal(SIGQUIT), "");
}

// Sent by another process, the signal waits for the next frame: nothing is restored inside the
// handler, and the frame's check restores and ends by it.
TEST(EndingSignals, ASignalFromOutsideIsTakenAtTheNextFrame) {
    EXPECT_EXIT(
        {
            restoreBeforeFatalSignals(sayRestored);
            kill(getpid(), SIGQUIT);
            (void)!write(STDERR_FILENO, "frame\n", 6);
            endIfFatalSignalCame();
        },
        testing::KilledBySignal(SIGQUIT), "frame\nrestored");
}

TEST(EndingSignals, HangUpIsARequestToEndSeenOnce) {
    EXPECT_EXIT(
        {
            std::signal(SIGHUP, SIG_DFL);
            watchHangUp();
            std::raise(SIGHUP);
            const bool seen = takeHangUp();
            std::_Exit(seen && !takeHangUp() ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace darts::platform
