// The graphics device as the game uses it: a frame bracket, the three transforms, a material and
// a texture for each mesh subset, pre-transformed 2D triangle fans and text. The OpenGL device
// draws; the headless device draws nothing, so the same frame code runs with or without a screen.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "core/asset_handles.h"
#include "gfx/image.h"
#include "gfx/matrix.h"
#include "gfx/xfile.h"

namespace darts::render {

enum class TransformKind { World, View, Projection };


// A pre-transformed 2D vertex, 28 bytes in this order: position in pixels of the 800 x 600 frame
// (pixel centres on integer coordinates, y down), depth in [0, 1] tested against the meshes,
// reciprocal w, ARGB colour modulated with the texture, texture coordinates.
struct ScreenVertex {
    float x, y, z, rhw;
    uint32_t color;
    float u, v;
};
static_assert(sizeof(ScreenVertex) == 28);

// Whether an image can become a texture: non-empty, with exactly four bytes per pixel.
inline bool isTextureImage(const gfx::Image& image) {
    return image.width > 0 && image.height > 0 && image.width <= gfx::kMaxImageDimension &&
           image.height <= gfx::kMaxImageDimension &&
           image.rgba.size() == size_t(image.width) * size_t(image.height) * 4;
}

// Whether mesh data can be drawn safely: whole triangles, every index naming a vertex, every
// subset inside the index list.
inline bool isDrawableMesh(const gfx::MeshData& mesh) {
    if (mesh.indices.size() % 3 != 0) return false;
    for (uint32_t index : mesh.indices) {
        if (index >= mesh.vertices.size()) return false;
    }
    for (const gfx::Subset& subset : mesh.subsets) {
        if (subset.firstIndex > mesh.indices.size() ||
            subset.indexCount > mesh.indices.size() - subset.firstIndex) {
            return false;
        }
    }
    return true;
}

// The frame every device draws into, whatever the size of the window that shows it.
inline constexpr int kFrameWidth = 800;
inline constexpr int kFrameHeight = 600;

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

    // The operations below have bodies that make nothing and draw nothing, so that a device
    // written only to watch the 3D frame need not spell them out.

    // A texture sampled with point filtering, no mipmaps and wrap addressing; 0 when the image is
    // empty or inconsistent or the device cannot make it.
    virtual TextureHandle createTexture(const gfx::Image&) { return 0; }
    // A mesh whose subsets drawSubset draws; 0 when the data is inconsistent (an index past the
    // vertices, a subset past the indices) or the device cannot make it.
    virtual MeshHandle createMesh(const gfx::MeshData&) { return 0; }
    // One triangle fan of pre-transformed vertices, textured by stage 0, blended and
    // depth-tested like the meshes. Fewer than three vertices draw nothing.
    virtual void drawScreenFan(std::span<const ScreenVertex>) {}
    // A font whose cells are `height` pixels high with an average character `width` pixels wide;
    // 0 when no face can be had.
    virtual FontHandle createFont(int /*height*/, int /*width*/) { return 0; }
    // Shift-JIS text with the top of its first line's cell at y and its pen starting at x, never
    // clipped or wrapped. Font 0 draws nothing.
    virtual void drawText(FontHandle, std::string_view /*shiftJisText*/, int /*x*/, int /*y*/,
                          uint32_t /*argb*/) {}
    // The frame last drawn (presented or still in the making), kFrameWidth x kFrameHeight, every
    // pixel opaque as the screen shows it; nothing when the device has no pixels.
    virtual std::optional<gfx::Image> readFrame() { return std::nullopt; }
};

// Draws nothing at all: simulation, tools and tests. Hands out distinct handles for whatever a
// real device would accept, so that loading succeeds without a screen.
class HeadlessDevice : public Device {
  public:
    void beginFrame() override {}
    void endFrame() override {}
    void setTransform(TransformKind, const gfx::Matrix&) override {}
    void setMaterial(const Material&) override {}
    void setTexture(TextureHandle) override {}
    void drawSubset(MeshHandle, int) override {}
    TextureHandle createTexture(const gfx::Image& image) override {
        return isTextureImage(image) ? ++lastHandle_ : 0;
    }
    MeshHandle createMesh(const gfx::MeshData& mesh) override {
        return isDrawableMesh(mesh) ? ++lastHandle_ : 0;
    }
    FontHandle createFont(int height, int width) override {
        return height > 0 && width >= 0 ? ++lastHandle_ : 0;
    }

  private:
    uint32_t lastHandle_ = 0;
};

}  // namespace darts::render
