#include "platform/sdl/sdl_pacing.h"

namespace darts::platform {

bool refreshPacesAt60(int refreshHz) { return refreshHz >= 59 && refreshHz <= 61; }

int vsyncIntervalFor(int refreshHz) {
    // Displays report 59 or 119 for 59.94 and 119.88 Hz: a rate within 1 Hz per 60 of a whole
    // multiple counts as that multiple.
    if (refreshHz < 59) return 0;
    const int interval = (refreshHz + 30) / 60;
    const int off = refreshHz - interval * 60;
    return off >= -interval && off <= interval ? interval : 0;
}

PacingChoice pacingFor(int refreshHz) {
    if (const int interval = vsyncIntervalFor(refreshHz); interval > 0) {
        return {PacingMode::Vsync, interval};
    }
    return {PacingMode::Limiter, refreshHz > 61 ? 1 : 0};
}

FramePacer::FramePacer(Clock& clock, PacingMode mode, double period)
    : clock_(&clock), mode_(mode), period_(period) {}

std::optional<PacingChoice> FramePacer::follow(int refreshHz) {
    if (mode_ == PacingMode::Unpaced || followedHz_ == refreshHz) return std::nullopt;
    followedHz_ = refreshHz;
    const PacingChoice choice = pacingFor(refreshHz);
    setMode(choice.mode);
    return choice;
}

void FramePacer::setMode(PacingMode mode) {
    if (mode == mode_) return;
    mode_ = mode;
    started_ = false;
}

void FramePacer::frameShown() {
    if (mode_ != PacingMode::Limiter) return;
    const double now = clock_->seconds();
    if (!started_) {
        started_ = true;
        slotEnd_ = now + period_;
        return;
    }
    if (now < slotEnd_) {
        clock_->sleepUntil(slotEnd_);
        slotEnd_ += period_;
    } else if (now - slotEnd_ > period_) {
        slotEnd_ = now + period_;
    } else {
        slotEnd_ += period_;
    }
}

}  // namespace darts::platform
