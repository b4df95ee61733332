#include <epoxy/gl.h>

#include "render/gl/gl_depth_readback.h"

#include <cstdint>

#include "render/gl/gl_shaders.h"

namespace darts::render::gl {
namespace {

constexpr float kDepthSteps = 16777215.0f;  // 2^24 - 1: the depth buffer's 24-bit range

// One triangle over the whole buffer, from the vertex number alone.
const char* const kCoverVertexShader = R"(
void main() {
    gl_Position = vec4(gl_VertexID == 1 ? 3.0 : -1.0, gl_VertexID == 2 ? 3.0 : -1.0, 0.0, 1.0);
}
)";

// Each texel's 24-bit value goes into red (high byte), green and blue (low byte).
const char* const kDepthToBytesShader = R"(
uniform sampler2D uDepth;
out vec4 fragColor;
void main() {
    float depth = texelFetch(uDepth, ivec2(gl_FragCoord.xy), 0).r;
    // Rounded, not offset by a half: 16777215.5 would round up to 2^24 in single precision.
    uint steps = min(uint(round(depth * 16777215.0)), 16777215u);
    fragColor = vec4(float(steps >> 16u), float((steps >> 8u) & 255u), float(steps & 255u),
                     255.0) / 255.0;
}
)";

}  // namespace

DepthReadback::DepthReadback(int width, int height, std::string& error)
    : width_(width), height_(height) {
    program_ = buildProgram(kCoverVertexShader, kDepthToBytesShader, error);
    if (program_ == 0) return;
    glUseProgram(program_);
    glUniform1i(glGetUniformLocation(program_, "uDepth"), 0);
    glGenVertexArrays(1, &vertexArray_);
    glGenRenderbuffers(1, &color_);
    glBindRenderbuffer(GL_RENDERBUFFER, color_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, color_);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        error = "the OpenGL driver cannot read the depth buffer back";
    }
}

DepthReadback::~DepthReadback() {
    if (framebuffer_ != 0) glDeleteFramebuffers(1, &framebuffer_);
    if (color_ != 0) glDeleteRenderbuffers(1, &color_);
    if (vertexArray_ != 0) glDeleteVertexArrays(1, &vertexArray_);
    if (program_ != 0) glDeleteProgram(program_);
}

std::vector<float> DepthReadback::read(unsigned depthTexture) {
    const GLboolean blending = glIsEnabled(GL_BLEND);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glViewport(0, 0, width_, height_);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glUseProgram(program_);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, depthTexture);
    glBindVertexArray(vertexArray_);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glEnable(GL_DEPTH_TEST);
    if (blending) glEnable(GL_BLEND);

    std::vector<uint8_t> bytes(size_t(width_) * height_ * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
    std::vector<float> depth(size_t(width_) * height_);
    for (size_t i = 0; i < depth.size(); ++i) {
        const uint32_t steps = uint32_t(bytes[i * 4]) << 16 | uint32_t(bytes[i * 4 + 1]) << 8 |
                               uint32_t(bytes[i * 4 + 2]);
        depth[i] = float(steps) / kDepthSteps;
    }
    return depth;
}

}  // namespace darts::render::gl
