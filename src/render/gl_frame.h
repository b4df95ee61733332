// The device's own 800 x 600 frame: a colour and a depth buffer that every draw goes into, scaled
// onto the window when a frame is presented and read back for screenshots and tests.
#pragma once

#include <string>
#include <vector>

#include "gfxutil/image.h"

namespace darts::render::gl {

class FrameTarget {
  public:
    // Needs a current context; `error` is set when the framebuffer cannot be completed.
    FrameTarget(int width, int height, std::string& error);
    ~FrameTarget();
    FrameTarget(const FrameTarget&) = delete;
    FrameTarget& operator=(const FrameTarget&) = delete;

    // Draws go to the frame, over all of it.
    void bind();
    // Copies the frame onto the window's back buffer, scaled to fill `width` x `height`; the frame
    // is bound again afterwards.
    void showOnWindow(int width, int height);
    // Rows top first; every pixel opaque, as the screen (which has no alpha) shows it.
    gfx::Image readColor();
    // Stored depth, rows top first.
    std::vector<float> readDepth();

  private:
    int width_, height_;
    unsigned framebuffer_ = 0;
    unsigned color_ = 0;
    unsigned depth_ = 0;
};

}  // namespace darts::render::gl
