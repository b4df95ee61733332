#include <epoxy/gl.h>

#include "render/gl_frame.h"

#include <algorithm>
#include <cstring>

namespace darts::render::gl {

FrameTarget::FrameTarget(int width, int height, std::string& error)
    : width_(width), height_(height) {
    glGenRenderbuffers(1, &color_);
    glBindRenderbuffer(GL_RENDERBUFFER, color_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glGenRenderbuffers(1, &depth_);
    glBindRenderbuffer(GL_RENDERBUFFER, depth_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, color_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        error = "the OpenGL driver cannot draw into an 800 x 600 frame with a depth buffer";
    }
    glViewport(0, 0, width, height);
}

FrameTarget::~FrameTarget() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer_);
    glDeleteRenderbuffers(1, &color_);
    glDeleteRenderbuffers(1, &depth_);
}

void FrameTarget::bind() {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glViewport(0, 0, width_, height_);
}

void FrameTarget::showOnWindow(int width, int height) {
    if (width > 0 && height > 0) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        // Same size: a plain copy. Otherwise the whole picture is stretched over the window.
        const GLenum filter = (width == width_ && height == height_) ? GL_NEAREST : GL_LINEAR;
        glBlitFramebuffer(0, 0, width_, height_, 0, 0, width, height, GL_COLOR_BUFFER_BIT, filter);
    }
    bind();
}

gfx::Image FrameTarget::readColor() {
    gfx::Image image{width_, height_, std::vector<uint8_t>(size_t(width_) * height_ * 4)};
    std::vector<uint8_t> bottomUp(image.rgba.size());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    const size_t stride = size_t(width_) * 4;
    for (int y = 0; y < height_; ++y) {
        std::memcpy(&image.rgba[size_t(y) * stride], &bottomUp[size_t(height_ - 1 - y) * stride],
                    stride);
    }
    for (size_t i = 3; i < image.rgba.size(); i += 4) image.rgba[i] = 255;
    return image;
}

std::vector<float> FrameTarget::readDepth() {
    std::vector<float> bottomUp(size_t(width_) * height_);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width_, height_, GL_DEPTH_COMPONENT, GL_FLOAT, bottomUp.data());
    std::vector<float> topDown(bottomUp.size());
    for (int y = 0; y < height_; ++y) {
        std::copy_n(&bottomUp[size_t(height_ - 1 - y) * width_], width_,
                    &topDown[size_t(y) * width_]);
    }
    return topDown;
}

}  // namespace darts::render::gl
