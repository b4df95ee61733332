#include "models_raster.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "gfx/png_writer.h"

namespace darts::content {
namespace {

using gfx::Matrix;
using gfx::Vec3;

struct Vec4 {
    float x, y, z, w;
};

Vec4 transform4(Vec3 p, const Matrix& m) {
    return {p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0],
            p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1],
            p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2],
            p.x * m.m[0][3] + p.y * m.m[1][3] + p.z * m.m[2][3] + m.m[3][3]};
}

Vec4 transform4(Vec4 p, const Matrix& m) {
    return {p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + p.w * m.m[3][0],
            p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + p.w * m.m[3][1],
            p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + p.w * m.m[3][2],
            p.x * m.m[0][3] + p.y * m.m[1][3] + p.z * m.m[2][3] + p.w * m.m[3][3]};
}

Vec3 sub(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
float dot3(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 cross3(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec3 unit(Vec3 a) {
    float l = std::sqrt(dot3(a, a));
    return l > 0 ? Vec3{a.x / l, a.y / l, a.z / l} : a;
}

// The scene's lights (the device sets them once at start-up).
constexpr Vec3 kSpotPosition{1.0f, 1.0f, 4.0f};
constexpr Vec3 kSpotDirection{-10.0f, 0.2f, 18.0f};
constexpr float kSpotRange = 100.0f, kSpotFalloff = 1.5f, kSpotTheta = 1.2f, kSpotPhi = 1.8f;
constexpr Vec3 kSunDirection{-1.0f, -1.0f, 1.0f};
constexpr float kSunDiffuse = 0.8f, kSunSpecular = 1.0f;
constexpr float kSunAmbientRed = 0.1f, kSunAmbientBlue = 0.1f;

}  // namespace

RasterDevice::RasterDevice(int width, int height)
    : width_(width),
      height_(height),
      colour_(static_cast<size_t>(width) * height * 3),
      depth_(static_cast<size_t>(width) * height),
      ids_(static_cast<size_t>(width) * height),
      world_(gfx::identityMatrix()),
      view_(gfx::identityMatrix()),
      projection_(gfx::identityMatrix()) {}

render::MeshHandle RasterDevice::addMesh(const gfx::MeshData& mesh) {
    render::MeshHandle handle = static_cast<render::MeshHandle>(meshes_.size() + 1);
    meshes_[handle] = mesh;
    return handle;
}

render::TextureHandle RasterDevice::addTexture(gfx::Image image) {
    render::TextureHandle handle = static_cast<render::TextureHandle>(textures_.size() + 1);
    textures_[handle] = std::move(image);
    return handle;
}

void RasterDevice::beginFrame() {
    std::fill(colour_.begin(), colour_.end(), 0.0f);
    std::fill(depth_.begin(), depth_.end(), 1.0f);
    std::fill(ids_.begin(), ids_.end(), 0u);
}

void RasterDevice::setTransform(render::TransformKind kind, const Matrix& requested) {
    Matrix matrix = requested;
    if (cameraOverride_ && kind == render::TransformKind::View) matrix = cameraOverride_->first;
    if (cameraOverride_ && kind == render::TransformKind::Projection)
        matrix = cameraOverride_->second;
    if (kind == render::TransformKind::World) world_ = matrix;
    if (kind == render::TransformKind::Projection) projection_ = matrix;
    if (kind == render::TransformKind::View) {
        view_ = matrix;
        // The eye is the view's translation taken back through its rotation.
        const float(&m)[4][4] = matrix.m;
        for (int j = 0; j < 3; ++j) {
            float e = -(m[3][0] * m[j][0] + m[3][1] * m[j][1] + m[3][2] * m[j][2]);
            (j == 0 ? eye_.x : j == 1 ? eye_.y : eye_.z) = e;
        }
    }
}

RasterDevice::Corner RasterDevice::shadeVertex(const gfx::Vertex& vertex) const {
    Vec3 p = gfx::transformPoint(vertex.position, world_);
    // Normals through the world matrix's inverse transpose (its cofactors), renormalised.
    Vec3 r0{world_.m[0][0], world_.m[0][1], world_.m[0][2]};
    Vec3 r1{world_.m[1][0], world_.m[1][1], world_.m[1][2]};
    Vec3 r2{world_.m[2][0], world_.m[2][1], world_.m[2][2]};
    Vec3 c0 = cross3(r1, r2), c1 = cross3(r2, r0), c2 = cross3(r0, r1);
    const Vec3& n0 = vertex.normal;
    Vec3 n = unit({n0.x * c0.x + n0.y * c1.x + n0.z * c2.x, n0.x * c0.y + n0.y * c1.y + n0.z * c2.y,
                   n0.x * c0.z + n0.y * c1.z + n0.z * c2.z});

    const render::Material& m = material_;
    float r = m.emissive.r + m.ambient.r * kSunAmbientRed;
    float g = m.emissive.g;
    float b = m.emissive.b + m.ambient.b * kSunAmbientBlue;
    float sr = 0, sg = 0, sb = 0;
    Vec3 toEye = unit(sub(eye_, p));

    // The spot light: full inside the inner cone, falling off to the outer one.
    Vec3 toSpot = sub(kSpotPosition, p);
    float distance = std::sqrt(dot3(toSpot, toSpot));
    if (distance <= kSpotRange && distance > 0) {
        Vec3 l = unit(toSpot);
        float rho = -dot3(unit(kSpotDirection), l);
        float cosInner = std::cos(kSpotTheta / 2), cosOuter = std::cos(kSpotPhi / 2);
        float spot = rho > cosInner ? 1.0f
                     : rho <= cosOuter
                         ? 0.0f
                         : std::pow((rho - cosOuter) / (cosInner - cosOuter), kSpotFalloff);
        float lambert = std::max(0.0f, dot3(n, l)) * spot;
        r += m.diffuse.r * lambert, g += m.diffuse.g * lambert, b += m.diffuse.b * lambert;
    }
    // The directional light, with the scene's only specular highlight.
    Vec3 l = unit({-kSunDirection.x, -kSunDirection.y, -kSunDirection.z});
    float lambert = dot3(n, l);
    if (lambert > 0) {
        r += m.diffuse.r * kSunDiffuse * lambert;
        g += m.diffuse.g * kSunDiffuse * lambert;
        b += m.diffuse.b * kSunDiffuse * lambert;
        Vec3 h = unit({toEye.x + l.x, toEye.y + l.y, toEye.z + l.z});
        float nh = dot3(n, h);
        if (nh > 0) {
            float s = kSunSpecular * (m.power > 0 ? std::pow(nh, m.power) : 1.0f);
            sr = m.specular.r * s, sg = m.specular.g * s, sb = m.specular.b * s;
        }
    }
    Vec4 clip = transform4(transform4(p, view_), projection_);
    auto clamp01 = [](float v) { return std::clamp(v, 0.0f, 1.0f); };
    return {clip.x,      clip.y,      clip.z,      clip.w,      clamp01(r), clamp01(g), clamp01(b),
            m.diffuse.a, clamp01(sr), clamp01(sg), clamp01(sb), vertex.u,   vertex.v};
}

void RasterDevice::drawSubset(render::MeshHandle handle, int subset) {
    auto found = meshes_.find(handle);
    if (found == meshes_.end()) return;
    const gfx::MeshData& mesh = found->second;
    if (subset < 0 || static_cast<size_t>(subset) >= mesh.subsets.size()) return;
    const gfx::Subset& s = mesh.subsets[static_cast<size_t>(subset)];
    const uint32_t id = ((handle << 16) | static_cast<uint32_t>(subset)) + 1;
    std::vector<Corner> shaded(mesh.vertices.size());
    std::vector<bool> done(mesh.vertices.size(), false);
    for (uint32_t i = s.firstIndex; i + 3 <= s.firstIndex + s.indexCount; i += 3) {
        Corner c[3];
        for (int k = 0; k < 3; ++k) {
            uint32_t index = mesh.indices[i + k];
            if (!done[index]) shaded[index] = shadeVertex(mesh.vertices[index]), done[index] = true;
            c[k] = shaded[index];
        }
        // Clip against the near plane (z >= 0 in this clip space): up to two triangles.
        std::vector<Corner> in(c, c + 3), out;
        for (size_t k = 0; k < 3; ++k) {
            const Corner& a = in[k];
            const Corner& b = in[(k + 1) % 3];
            if (a.z >= 0) out.push_back(a);
            if ((a.z >= 0) != (b.z >= 0)) {
                float t = a.z / (a.z - b.z);
                auto at = [t](float x, float y) { return x + (y - x) * t; };
                out.push_back({at(a.x, b.x), at(a.y, b.y), at(a.z, b.z), at(a.w, b.w), at(a.r, b.r),
                               at(a.g, b.g), at(a.b, b.b), at(a.a, b.a), at(a.sr, b.sr),
                               at(a.sg, b.sg), at(a.sb, b.sb), at(a.u, b.u), at(a.v, b.v)});
            }
        }
        for (size_t k = 1; k + 1 < out.size(); ++k) rasterize(out[0], out[k], out[k + 1], id);
    }
}

void RasterDevice::rasterize(const Corner& a, const Corner& b, const Corner& c, uint32_t id) {
    const Corner* v[3] = {&a, &b, &c};
    float sx[3], sy[3], sz[3], iw[3];
    for (int k = 0; k < 3; ++k) {
        if (v[k]->w <= 0) return;
        iw[k] = 1.0f / v[k]->w;
        sx[k] = (v[k]->x * iw[k] * 0.5f + 0.5f) * static_cast<float>(width_);
        sy[k] = (0.5f - v[k]->y * iw[k] * 0.5f) * static_cast<float>(height_);
        sz[k] = v[k]->z * iw[k];
    }
    float area = (sx[1] - sx[0]) * (sy[2] - sy[0]) - (sx[2] - sx[0]) * (sy[1] - sy[0]);
    if (area == 0) return;
    int x0 = std::max(0, static_cast<int>(std::floor(std::min({sx[0], sx[1], sx[2]}))));
    int x1 = std::min(width_ - 1, static_cast<int>(std::ceil(std::max({sx[0], sx[1], sx[2]}))));
    int y0 = std::max(0, static_cast<int>(std::floor(std::min({sy[0], sy[1], sy[2]}))));
    int y1 = std::min(height_ - 1, static_cast<int>(std::ceil(std::max({sy[0], sy[1], sy[2]}))));
    const gfx::Image* texture = nullptr;
    if (auto t = textures_.find(texture_); t != textures_.end()) texture = &t->second;

    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
            float w0 = ((sx[1] - px) * (sy[2] - py) - (sx[2] - px) * (sy[1] - py)) / area;
            float w1 = ((sx[2] - px) * (sy[0] - py) - (sx[0] - px) * (sy[2] - py)) / area;
            float w2 = 1.0f - w0 - w1;
            if (w0 < 0 || w1 < 0 || w2 < 0) continue;
            float z = w0 * sz[0] + w1 * sz[1] + w2 * sz[2];
            size_t pixel = static_cast<size_t>(y) * width_ + x;
            if (z > depth_[pixel] || z < 0) continue;
            // Perspective-correct weights for the colours and texture coordinates.
            float q0 = w0 * iw[0], q1 = w1 * iw[1], q2 = w2 * iw[2];
            float qs = q0 + q1 + q2;
            q0 /= qs, q1 /= qs, q2 /= qs;
            auto mixed = [&](float Corner::*field) {
                return q0 * (v[0]->*field) + q1 * (v[1]->*field) + q2 * (v[2]->*field);
            };
            float r = mixed(&Corner::r), g = mixed(&Corner::g), bl = mixed(&Corner::b);
            float alpha = mixed(&Corner::a);
            if (texture && texture->width > 0) {
                float u = mixed(&Corner::u), tv = mixed(&Corner::v);
                int tx = static_cast<int>(std::floor(u * static_cast<float>(texture->width)));
                int ty = static_cast<int>(std::floor(tv * static_cast<float>(texture->height)));
                tx = ((tx % texture->width) + texture->width) % texture->width;
                ty = ((ty % texture->height) + texture->height) % texture->height;
                const uint8_t* t =
                    &texture->rgba[(static_cast<size_t>(ty) * texture->width + tx) * 4];
                r *= t[0] / 255.0f, g *= t[1] / 255.0f, bl *= t[2] / 255.0f;
                alpha *= t[3] / 255.0f;
            }
            r = std::min(1.0f, r + mixed(&Corner::sr));
            g = std::min(1.0f, g + mixed(&Corner::sg));
            bl = std::min(1.0f, bl + mixed(&Corner::sb));
            float* out = &colour_[pixel * 3];
            out[0] = r * alpha + out[0] * (1 - alpha);
            out[1] = g * alpha + out[1] * (1 - alpha);
            out[2] = bl * alpha + out[2] * (1 - alpha);
            depth_[pixel] = z;
            ids_[pixel] = id;
        }
    }
}

bool RasterDevice::writePng(const std::string& path) const {
    gfx::Image image{width_, height_,
                     std::vector<uint8_t>(static_cast<size_t>(width_) * height_ * 4)};
    for (size_t p = 0; p < static_cast<size_t>(width_) * height_; ++p) {
        for (int c = 0; c < 3; ++c) {
            float v = colour_[p * 3 + c];
            image.rgba[p * 4 + c] =
                static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255));
        }
        image.rgba[p * 4 + 3] = 255;
    }
    return gfx::writePng(path, image);
}

}  // namespace darts::content
