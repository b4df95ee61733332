// Frame pacing: the game advances one step per frame, so frames must come at a steady 60 Hz
// whatever the machine could do. The display's vertical sync paces them where it runs at about
// 60 Hz; elsewhere a limiter on the clock does. Timedemos run unpaced.
#pragma once

#include "platform/sdl_clock.h"

namespace darts::platform {

enum class PacingMode {
    Unpaced,  // frames as fast as they come
    Vsync,    // presenting waits for the display's 60 Hz refresh
    Limiter,  // the pacer sleeps out the rest of each 1/60 s
};

inline constexpr double kFramePeriod = 1.0 / 60.0;

// Whether a display refresh rate is close enough to 60 Hz for vertical sync to pace the game.
bool refreshPacesAt60(int refreshHz);

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
