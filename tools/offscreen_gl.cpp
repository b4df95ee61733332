#include "offscreen_gl.h"

#include <cstdlib>

namespace darts::tools {

std::optional<OffscreenGl> openOffscreenGl(int scale, bool sharp, std::string& error) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    platform::WindowOptions options;
    options.windowed = true;
    options.unpaced = true;
    options.scale = scale;
    platform::WindowResult window = platform::SdlGlWindow::create(options);
    if (!window.window) {
        error = window.error;
        return std::nullopt;
    }
    platform::SdlGlWindow* shown = window.window.get();
    render::GlPresenter presenter;
    presenter.present = [shown] { shown->present(); };
    presenter.drawableSize = [shown] {
        const platform::DrawableSize size = shown->drawableSize();
        return render::PixelSize{size.width, size.height};
    };
    presenter.sharp = sharp;
    presenter.smoothHud = sharp;
    render::GlDeviceResult made = render::GlDevice::create(std::move(presenter));
    if (!made.device) {
        error = made.error;
        return std::nullopt;
    }
    return OffscreenGl{std::move(window.window), std::move(made.device)};
}

}  // namespace darts::tools
