// The device's own frame, 800 x 600 (or the size shown, for the sharp picture): a colour and a
// depth buffer that every draw goes into, scaled onto the window when a frame is presented and
// read back for screenshots and tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gfx/image.h"

namespace darts::render::gl {

class DepthReadback;

class FrameTarget {
  public:
    // Needs a current context; `error` is set when the framebuffer cannot be completed.
    FrameTarget(int width, int height, std::string& error);
    ~FrameTarget();
    FrameTarget(const FrameTarget&) = delete;
    FrameTarget& operator=(const FrameTarget&) = delete;

    // Draws go to the frame, over all of it.
    void bind();
    int width() const { return width_; }
    int height() const { return height_; }
    // Copies the frame onto the window's back buffer of `width` x `height`: the shape kept,
    // centred with black bars, or filling it all with `stretch`. The frame is bound again
    // afterwards.
    void showOnWindow(int width, int height, bool stretch = false);
    // Rows top first; every pixel opaque, as the screen (which has no alpha) shows it.
    gfx::Image readColor();
    // Stored depth, rows top first. On OpenGL ES, which reads no depth, through a drawing pass
    // (depth testing is on afterwards, blending as it was).
    std::vector<float> readDepth();

  private:
    int width_, height_;
    unsigned framebuffer_ = 0;
    unsigned color_ = 0;
    unsigned depth_ = 0;  // a texture, so that OpenGL ES can read it back by drawing
    std::unique_ptr<DepthReadback> depthReadback_;
    // The frame enlarged by a whole factor with nearest sampling, made when first needed.
    int prescaled_ = 0;
    unsigned prescaleFramebuffer_ = 0;
    unsigned prescaleColor_ = 0;
    void prescale(int factor);
};

}  // namespace darts::render::gl
