// The graphics device as the game uses it: a frame bracket, the three transforms, a material and
// a texture for each mesh subset. The OpenGL device draws; the headless device draws nothing, so
// the same frame code runs with or without a screen.
#pragma once

#include "gfxutil/matrix.h"
#include "render/mesh_asset.h"

namespace darts::render {

enum class TransformKind { World, View, Projection };

class Device {
  public:
    virtual ~Device() = default;
    // Clears to opaque black with depth 1.0 and sets the blending and texture-stage states.
    virtual void beginFrame() = 0;
    // Ends the scene and shows the frame.
    virtual void endFrame() = 0;
    virtual void setTransform(TransformKind kind, const gfx::Matrix& matrix) = 0;
    virtual void setMaterial(const Material& material) = 0;
    // Stage 0; 0 draws untextured.
    virtual void setTexture(TextureHandle texture) = 0;
    virtual void drawSubset(MeshHandle mesh, int subset) = 0;
};

// Draws nothing at all: simulation, tools and tests.
class HeadlessDevice : public Device {
  public:
    void beginFrame() override {}
    void endFrame() override {}
    void setTransform(TransformKind, const gfx::Matrix&) override {}
    void setMaterial(const Material&) override {}
    void setTexture(TextureHandle) override {}
    void drawSubset(MeshHandle, int) override {}
};

}  // namespace darts::render
