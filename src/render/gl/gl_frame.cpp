#include <epoxy/gl.h>

#include "render/gl/gl_frame.h"

#include "render/frame_placement.h"
#include "render/gl/gl_depth_readback.h"

#include <algorithm>
#include <cstring>

namespace darts::render::gl {

FrameTarget::FrameTarget(int width, int height, std::string& error)
    : width_(width), height_(height) {
    glGenRenderbuffers(1, &color_);
    glBindRenderbuffer(GL_RENDERBUFFER, color_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glGenTextures(1, &depth_);
    glBindTexture(GL_TEXTURE_2D, depth_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, width, height, 0, GL_DEPTH_COMPONENT,
                 GL_UNSIGNED_INT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, color_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, depth_, 0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        error = "the OpenGL driver cannot draw into a " + std::to_string(width) + " x " +
                std::to_string(height) + " frame with a depth buffer";
    }
    glViewport(0, 0, width, height);
}

FrameTarget::~FrameTarget() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer_);
    glDeleteRenderbuffers(1, &color_);
    depthReadback_.reset();
    glDeleteTextures(1, &depth_);
    if (prescaleFramebuffer_ != 0) glDeleteFramebuffers(1, &prescaleFramebuffer_);
    if (prescaleColor_ != 0) glDeleteRenderbuffers(1, &prescaleColor_);
}

void FrameTarget::bind() {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glViewport(0, 0, width_, height_);
}

void FrameTarget::prescale(int factor) {
    if (prescaled_ != factor) {
        if (prescaleFramebuffer_ == 0) {
            glGenFramebuffers(1, &prescaleFramebuffer_);
            glGenRenderbuffers(1, &prescaleColor_);
        }
        glBindRenderbuffer(GL_RENDERBUFFER, prescaleColor_);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width_ * factor, height_ * factor);
        glBindFramebuffer(GL_FRAMEBUFFER, prescaleFramebuffer_);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                  prescaleColor_);
        prescaled_ = factor;
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, prescaleFramebuffer_);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_ * factor, height_ * factor,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
}

void FrameTarget::showOnWindow(int width, int height, bool stretch) {
    const FramePlacement at = placeFrame(width_, height_, width, height, stretch);
    if (at.width > 0 && at.height > 0) {
        const int shownWidth = width_ * at.prescale, shownHeight = height_ * at.prescale;
        // A whole multiple is a plain nearest copy; anything else first grows by the whole part
        // with nearest sampling, so that the one linear step to the final size blurs by less
        // than a source pixel and leaves no uneven columns.
        const bool exact = at.width == shownWidth && at.height == shownHeight;
        GLuint source = framebuffer_;
        if (!exact && at.prescale > 1) {
            prescale(at.prescale);
            source = prescaleFramebuffer_;
        }
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        if (at.width != width || at.height != height) {
            glViewport(0, 0, width, height);
            glDisable(GL_SCISSOR_TEST);
            glClearColor(0, 0, 0, 1);
            glClear(GL_COLOR_BUFFER_BIT);  // the bars
        }
        glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
        const int sourceWidth = source == framebuffer_ ? width_ : shownWidth;
        const int sourceHeight = source == framebuffer_ ? height_ : shownHeight;
        glBlitFramebuffer(0, 0, sourceWidth, sourceHeight, at.x, at.y, at.x + at.width,
                          at.y + at.height, GL_COLOR_BUFFER_BIT, exact ? GL_NEAREST : GL_LINEAR);
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
    if (epoxy_is_desktop_gl()) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glReadPixels(0, 0, width_, height_, GL_DEPTH_COMPONENT, GL_FLOAT, bottomUp.data());
    } else {
        if (!depthReadback_) {
            std::string error;
            depthReadback_ = std::make_unique<DepthReadback>(width_, height_, error);
            if (!error.empty()) {
                depthReadback_.reset();
                return {};
            }
        }
        bottomUp = depthReadback_->read(depth_);
    }
    std::vector<float> topDown(bottomUp.size());
    for (int y = 0; y < height_; ++y) {
        std::copy_n(&bottomUp[size_t(height_ - 1 - y) * width_], width_,
                    &topDown[size_t(y) * width_]);
    }
    return topDown;
}

}  // namespace darts::render::gl
