// The OpenGL device (3.3 core, or ES 3.0 with the same shaders and pixels): it reproduces what the fixed-function pipeline of the original
// renderer shows for the states this game uses. Frames are drawn into an 800 x 600 frame of the
// device's own (colour and a 24-bit depth buffer) and scaled onto the window when presented, so
// the picture and its read-back are the same whatever size the window has.
//
// Set-up fixes the render state for the life of the device: depth test less-or-equal with
// writes, no culling, no dithering, lighting by the two scene lights with specular highlights,
// point-sampled textures (with the sharp picture's smooth HUD, a linear sampler of its own for the
// 2D draws). beginFrame clears and turns on alpha blending (source alpha, inverse source alpha)
// for the whole frame.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gfx/font.h"
#include "render/device.h"

namespace darts::render {

struct PixelSize {
    int width = 0;
    int height = 0;
};

// What the device needs of the window that shows its frames.
struct GlPresenter {
    std::function<void()> present;            // show the back buffer (and pace the frame)
    std::function<PixelSize()> drawableSize;  // the window's picture in pixels
    bool stretch = false;  // fill the picture instead of keeping the frame's shape with bars
    // Draw the frame at the size it is shown (render/sharp_frame.h) instead of at 800 x 600.
    bool sharp = false;
    // With `sharp`, while the frame is drawn at another size than 800 x 600: the textured 2D
    // draws (the HUD's and the front end's bitmaps) sample their textures linearly instead of
    // showing the texels as magnified squares. The scene's meshes keep point sampling.
    bool smoothHud = false;
};

class GlDevice;

struct GlDeviceResult {
    std::unique_ptr<GlDevice> device;  // null on failure
    std::string error;                 // one line saying why, set on failure
};

class GlDevice final : public Device {
  public:
    // Needs the window's OpenGL context current on this thread. Fails when the context is not
    // OpenGL 3.3 core or OpenGL ES 3.0 or better, or the shaders or the frame cannot be made.
    static GlDeviceResult create(GlPresenter presenter);
    ~GlDevice() override;
    GlDevice(const GlDevice&) = delete;
    GlDevice& operator=(const GlDevice&) = delete;

    void beginFrame() override;
    void endFrame() override;
    void setTransform(TransformKind kind, const gfx::Matrix& matrix) override;
    void setMaterial(const Material& material) override;
    void setTexture(TextureHandle texture) override;
    void drawSubset(MeshHandle mesh, int subset) override;
    TextureHandle createTexture(const gfx::Image& image) override;
    MeshHandle createMesh(const gfx::MeshData& mesh) override;
    void drawScreenFan(std::span<const ScreenVertex> vertices) override;
    // A face from gfx::createFont, cached in a glyph atlas.
    FontHandle createFont(int height, int width) override;
    void drawText(FontHandle font, std::string_view shiftJisText, int x, int y,
                  uint32_t argb) override;
    // With the sharp picture the frame has the size it was drawn at.
    std::optional<gfx::Image> readFrame() override;

    // Any face, for a caller that makes its own (tests use fixed bitmaps).
    FontHandle addFont(std::unique_ptr<gfx::Font> font);
    // The depth buffer of the frame as stored, 0..1, rows top first; kFrameWidth x kFrameHeight
    // unless the picture is sharp; empty where the driver cannot read it back.
    std::vector<float> readDepth();

  private:
    struct State;
    explicit GlDevice(std::unique_ptr<State> state);
    std::unique_ptr<State> gl_;
};

}  // namespace darts::render
