// The OpenGL device on a hidden window (SDL's offscreen driver where no display is set), for the
// tools that draw screens and read them back to check them by eye.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/sdl/sdl_window.h"
#include "render/gl/gl_device.h"

namespace darts::tools {

struct OffscreenGl {
    std::unique_ptr<platform::SdlGlWindow> window;
    std::unique_ptr<render::GlDevice> device;
};

// `scale` times 800 x 600, drawn at that size when `sharp`. Empty, with one line in `error`,
// when no window or device could be made.
std::optional<OffscreenGl> openOffscreenGl(int scale, bool sharp, std::string& error);

}  // namespace darts::tools
