// Reads a depth texture back where glReadPixels cannot: OpenGL ES 3.0 reads colour only, so the
// 24-bit depth values are drawn into the bytes of a colour buffer and read from there, exactly.
// Internal to the OpenGL device; made when first needed (tests and tools read depth, the game
// never does).
#pragma once

#include <string>
#include <vector>

namespace darts::render::gl {

class DepthReadback {
  public:
    // Needs a current context; `error` is set when the program or its buffer cannot be made.
    DepthReadback(int width, int height, std::string& error);
    ~DepthReadback();
    DepthReadback(const DepthReadback&) = delete;
    DepthReadback& operator=(const DepthReadback&) = delete;

    // The depth texture's values, 0..1, rows bottom first as GL stores them. Leaves depth
    // testing on, blending as it was, and the read-back's own framebuffer bound.
    std::vector<float> read(unsigned depthTexture);

  private:
    int width_, height_;
    unsigned program_ = 0;
    unsigned vertexArray_ = 0;
    unsigned framebuffer_ = 0;
    unsigned color_ = 0;
};

}  // namespace darts::render::gl
