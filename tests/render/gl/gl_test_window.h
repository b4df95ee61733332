// The window and OpenGL context of the GL tests (3.3 core, or ES 3.0 with DARTS_GL=es). Without a display SDL's offscreen driver
// is used (Mesa's llvmpipe through EGL), so the tests run headless; where no context can be had the
// tests skip with the reason. The window is opened once per process and never closed: closing the
// last GL window unloads the driver, whose own start-up allocations would then show as leaks.
#pragma once

#include <string>

#include "render/gl/gl_device.h"

namespace darts::render::testing {

// A device drawing with the shared window's context; `presenter` replaces the window's own
// presenting when given. On failure the result's error says why.
GlDeviceResult openGlTestDevice(GlPresenter presenter = {});

}  // namespace darts::render::testing
