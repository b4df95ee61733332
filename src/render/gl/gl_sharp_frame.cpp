#include <epoxy/gl.h>

#include "render/gl/gl_sharp_frame.h"

#include <string>

#include "gfx/font.h"

namespace darts::render::gl {

bool fitSharpFrame(std::unique_ptr<FrameTarget>& frame, int pictureWidth, int pictureHeight,
                   bool stretch) {
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxSide);
    const FrameSize size = sharpFrameSize(pictureWidth, pictureHeight, stretch, int(maxSide));
    if (size.width <= 0 || size.height <= 0) return false;
    if (frame && frame->width() == size.width && frame->height() == size.height) return false;
    std::string error;
    auto resized = std::make_unique<FrameTarget>(size.width, size.height, error);
    if (!error.empty()) {  // keep drawing at the old size rather than not at all
        if (frame) frame->bind();
        return false;
    }
    frame = std::move(resized);
    return true;
}

void ScaledFonts::remember(FontHandle handle, int height, int width) {
    if (handle != 0) fonts_[handle] = Scaled{height, width, {}, 0};
}

FontHandle ScaledFonts::at(FontHandle handle, FrameScale scale, TextRenderer& text) {
    const auto found = fonts_.find(handle);
    if (found == fonts_.end()) return handle;
    Scaled& font = found->second;
    if (font.face != 0 && font.scale.x == scale.x && font.scale.y == scale.y) return font.face;
    auto face =
        gfx::createFont(scaledFontSize(font.height, scale.y), scaledFontSize(font.width, scale.x));
    if (!face) return handle;
    // One face per font: a face of an earlier size (before the window was resized) is replaced,
    // atlas and all.
    font.face = font.face == 0 ? text.addFont(std::move(face))
                               : text.replaceFont(font.face, std::move(face));
    font.scale = scale;
    return font.face != 0 ? font.face : handle;
}

}  // namespace darts::render::gl
