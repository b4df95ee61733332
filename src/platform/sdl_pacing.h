// Frame pacing: the game advances one step per frame, so frames must come at a steady 60 Hz
// whatever the machine could do. The display's vertical sync paces them where it runs at about
// 60 Hz; elsewhere a limiter on the clock does. Timedemos run unpaced.
#pragma once

#include "platform/sdl_clock.h"

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

class FramePacer {
  public:
    FramePacer(Clock& clock, PacingMode mode, double period = kFramePeriod);
    PacingMode mode() const { return mode_; }
    // Called once each frame has been presented; with the limiter it returns at the end of the
    // frame's slot. Slots follow each other exactly, so short sleeps do not add up to drift; a
    // frame late by more than a whole slot starts a fresh schedule rather than a burst of
    // catching-up frames.
    void frameShown();

  private:
    Clock* clock_;
    PacingMode mode_;
    double period_;
    bool started_ = false;
    double slotEnd_ = 0;
};

}  // namespace darts::platform
