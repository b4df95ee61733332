// Frame pacing: the game advances one step per frame, so frames must come at a steady 60 Hz
// whatever the machine could do. The display's vertical sync paces them where it runs at a whole
// multiple of 60 Hz; elsewhere a limiter on the clock does. The display under the window may
// change while the game runs (Alt+Enter, a mode switch, a move to another monitor), so the choice
// follows it. Timedemos run unpaced.
#pragma once

#include <optional>

#include "platform/sdl/sdl_clock.h"

namespace darts::platform {

enum class PacingMode {
    Unpaced,  // frames as fast as they come
    Vsync,    // presenting waits for a whole number of refreshes, 1/60 s in all
    Limiter,  // the pacer sleeps out the rest of each 1/60 s
};

inline constexpr double kFramePeriod = 1.0 / 60.0;

// Whether a display refresh rate is close enough to 60 Hz for vertical sync to pace the game.
bool refreshPacesAt60(int refreshHz);

// The swap interval that shows each step for the same whole number of refreshes: 1 at 60 Hz, 2 at
// 120 Hz, 4 at 240 Hz; 0 where the rate is unknown or no whole multiple of 60 (144, 165 Hz),
// and the limiter paces the game there.
int vsyncIntervalFor(int refreshHz);

struct PacingChoice {
    PacingMode mode = PacingMode::Limiter;
    int swapInterval = 0;  // refreshes each presented picture waits for; 0: none
    bool operator==(const PacingChoice&) const = default;
};

// The pacing for a display refreshing at refreshHz (0 or less: unknown). Vertical sync alone at a
// whole multiple of 60 Hz. Faster displays (144, 165 Hz) get the limiter with a swap interval of 1,
// so that no picture tears: the wait for the next refresh is shorter than a step. Slower ones (50,
// 48, 30 Hz) and unknown rates get the limiter with no swap interval: waiting for a refresh there
// would stretch every step past 1/60 s and slow the game down.
PacingChoice pacingFor(int refreshHz);

class FramePacer {
  public:
    FramePacer(Clock& clock, PacingMode mode, double period = kFramePeriod);
    PacingMode mode() const { return mode_; }
    // Re-decides for the display now under the window: the choice to apply (its swap interval set
    // by the caller) when the refresh rate differs from the one last decided for, nothing when it
    // is the same or the pacer is unpaced. The limiter starts a fresh schedule when it takes over.
    std::optional<PacingChoice> follow(int refreshHz);
    // For a swap interval the driver refused: the limiter paces instead.
    void fallBackToLimiter() { setMode(PacingMode::Limiter); }
    // Called once each frame has been presented; with the limiter it returns at the end of the
    // frame's slot. Slots follow each other exactly, so short sleeps do not add up to drift; a
    // frame late by more than a whole slot starts a fresh schedule rather than a burst of
    // catching-up frames.
    void frameShown();

  private:
    void setMode(PacingMode mode);

    Clock* clock_;
    PacingMode mode_;
    std::optional<int> followedHz_;
    double period_;
    bool started_ = false;
    double slotEnd_ = 0;
};

}  // namespace darts::platform
