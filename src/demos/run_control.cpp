#include "demos/run_control.h"

#include "gfx/png_writer.h"

namespace darts {

CountingDevice::CountingDevice(render::Device& inner, std::vector<ScreenshotRequest> screenshots)
    : inner_(inner), screenshots_(std::move(screenshots)) {}

void CountingDevice::endFrame() {
    inner_.endFrame();
    ++frames_;
    std::optional<gfx::Image> picture;  // read once, however many files want this frame
    for (const ScreenshotRequest& shot : screenshots_) {
        if (shot.frame != frames_) continue;
        if (!picture) picture = inner_.readFrame();
        const std::string where =
            "screenshot of frame " + std::to_string(frames_) + " to '" + shot.file + "'";
        if (!picture) {
            errors_.push_back("cannot take the " + where + ": the device has no pixels");
        } else if (!gfx::writePng(shot.file, *picture)) {
            errors_.push_back("cannot write the " + where);
        }
    }
    if (listener_) listener_(frames_);
}

std::vector<std::string> CountingDevice::screenshotErrors() const {
    std::vector<std::string> errors = errors_;
    for (const ScreenshotRequest& shot : screenshots_) {
        if (shot.frame > frames_) {
            errors.push_back("no screenshot to '" + shot.file + "': the game ended after " +
                             std::to_string(frames_) + " frames, before frame " +
                             std::to_string(shot.frame));
        }
    }
    return errors;
}

bool QuitAwareUi::poll(platform::UiEvent& event) {
    if (!quitSent_ && quitNow_()) {
        quitSent_ = true;
        event = platform::UiEvent{};
        event.kind = platform::UiEvent::Kind::Quit;
        return true;
    }
    return inner_.poll(event);
}

}  // namespace darts
