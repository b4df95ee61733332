// The OpenGL side of the sharp picture: the device's frame follows the size it is shown at, and the
// game's fonts are made again at the frame's scale, so that text is rasterised by FreeType at the
// size shown rather than magnified.
#pragma once

#include <memory>
#include <unordered_map>

#include "render/device.h"
#include "render/gl/gl_frame.h"
#include "render/gl/gl_text.h"
#include "render/sharp_frame.h"

namespace darts::render::gl {

// Makes `frame` the size a sharp frame has on a picture of pictureWidth x pictureHeight (kept
// when the picture has no area or a frame of the new size cannot be made). True when the frame
// was made again.
bool fitSharpFrame(std::unique_ptr<FrameTarget>& frame, int pictureWidth, int pictureHeight,
                   bool stretch);

// The faces of the game's fonts at the frame's current scale, made on first use.
class ScaledFonts {
  public:
    // The cell size the game asked for under `handle`.
    void remember(FontHandle handle, int height, int width);
    // The face in `text` that draws `handle` at `scale`: made again when the scale changed,
    // `handle` itself for a font the game did not make by size (a test's fixed bitmaps) or when no
    // face of the scaled size can be had.
    FontHandle at(FontHandle handle, FrameScale scale, TextRenderer& text);

  private:
    struct Scaled {
        int height = 0, width = 0;  // as asked for
        FrameScale scale;           // of `face`
        FontHandle face = 0;        // 0: not made yet
    };
    std::unordered_map<FontHandle, Scaled> fonts_;
};

}  // namespace darts::render::gl
