#include "render/gl/gl_test_window.h"

#include <cstdlib>

#include "platform/sdl/sdl_window.h"

namespace darts::render::testing {
namespace {

struct SharedWindow {
    platform::SdlGlWindow* window = nullptr;  // deliberately never closed
    std::string error;
};

const SharedWindow& sharedWindow() {
    static const SharedWindow shared = [] {
        // No display needed: an explicit SDL_VIDEODRIVER still wins.
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        platform::WindowOptions options;
        options.windowed = true;
        options.unpaced = true;
        platform::WindowResult result = platform::SdlGlWindow::create(options);
        return SharedWindow{result.window.release(), result.error};
    }();
    return shared;
}

}  // namespace

GlDeviceResult openGlTestDevice(GlPresenter presenter) {
    const SharedWindow& shared = sharedWindow();
    if (!shared.window) return {nullptr, shared.error};
    platform::SdlGlWindow* shown = shared.window;
    if (!presenter.present) presenter.present = [shown] { shown->present(); };
    if (!presenter.drawableSize) {
        presenter.drawableSize = [shown] {
            const platform::DrawableSize size = shown->drawableSize();
            return PixelSize{size.width, size.height};
        };
    }
    return GlDevice::create(std::move(presenter));
}

}  // namespace darts::render::testing
