// A small software renderer for looking at the models without a window: a graphics device that
// draws the game's own frames (the match scene calls it like the real one) with the scene's two
// lights computed per vertex as the fixed-function pipeline does, depth test, point-sampled
// textures and source-alpha blending. It also keeps, per pixel, which subset drew it, so that the
// board's colours can be checked against the scoring.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "gfx/image.h"
#include "gfx/xfile.h"
#include "render/device.h"

namespace darts::content {

class RasterDevice : public render::Device {
  public:
    RasterDevice(int width, int height);

    // Registers a mesh and returns its handle; texture handles likewise (0 stays "none").
    render::MeshHandle addMesh(const gfx::MeshData& mesh);
    render::TextureHandle addTexture(gfx::Image image);

    void beginFrame() override;
    void endFrame() override {}
    void setTransform(render::TransformKind kind, const gfx::Matrix& matrix) override;
    void setMaterial(const render::Material& material) override { material_ = material; }
    void setTexture(render::TextureHandle texture) override { texture_ = texture; }
    void drawSubset(render::MeshHandle mesh, int subset) override;

    // Replaces the view and projection the frame sets with these (a close look at one spot of a
    // real match frame); nullopt returns to the frame's own camera.
    void overrideCamera(std::optional<std::pair<gfx::Matrix, gfx::Matrix>> viewAndProjection) {
        cameraOverride_ = viewAndProjection;
    }

    bool writePng(const std::string& path) const;
    // What drew each pixel: (mesh handle << 16 | subset) + 1, or 0 for the background.
    uint32_t drawnBy(int x, int y) const { return ids_[static_cast<size_t>(y) * width_ + x]; }
    int width() const { return width_; }
    int height() const { return height_; }

  private:
    struct Corner {
        float x, y, z, w;  // clip space
        float r, g, b, a;  // lit diffuse
        float sr, sg, sb;  // specular
        float u, v;
    };
    Corner shadeVertex(const gfx::Vertex& v) const;
    void rasterize(const Corner& a, const Corner& b, const Corner& c, uint32_t id);

    int width_, height_;
    std::vector<float> colour_;  // r, g, b per pixel
    std::vector<float> depth_;
    std::vector<uint32_t> ids_;
    gfx::Matrix world_, view_, projection_;
    gfx::Vec3 eye_{0, 0, 0};
    std::optional<std::pair<gfx::Matrix, gfx::Matrix>> cameraOverride_;
    render::Material material_{};
    render::TextureHandle texture_ = 0;
    std::map<render::MeshHandle, gfx::MeshData> meshes_;
    std::map<render::TextureHandle, gfx::Image> textures_;
};

}  // namespace darts::content
