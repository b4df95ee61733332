#include "render/gl/gl_transforms.h"

#include <cmath>

namespace darts::render::gl {

Matrix3 normalMatrix(const gfx::Matrix& worldView) {
    const auto& m = worldView.m;
    // Cofactors of the 3x3 part; the inverse is their transpose over the determinant, so the
    // inverse transpose is the cofactors themselves over the determinant.
    const float c00 = m[1][1] * m[2][2] - m[1][2] * m[2][1];
    const float c01 = m[1][2] * m[2][0] - m[1][0] * m[2][2];
    const float c02 = m[1][0] * m[2][1] - m[1][1] * m[2][0];
    const float c10 = m[0][2] * m[2][1] - m[0][1] * m[2][2];
    const float c11 = m[0][0] * m[2][2] - m[0][2] * m[2][0];
    const float c12 = m[0][1] * m[2][0] - m[0][0] * m[2][1];
    const float c20 = m[0][1] * m[1][2] - m[0][2] * m[1][1];
    const float c21 = m[0][2] * m[1][0] - m[0][0] * m[1][2];
    const float c22 = m[0][0] * m[1][1] - m[0][1] * m[1][0];
    const float det = m[0][0] * c00 + m[0][1] * c01 + m[0][2] * c02;
    if (det == 0.0f || !std::isfinite(det)) return {};
    const float k = 1.0f / det;
    return {c00 * k, c01 * k, c02 * k, c10 * k, c11 * k, c12 * k, c20 * k, c21 * k, c22 * k};
}

gfx::Vec3 transformPosition(gfx::Vec3 p, const gfx::Matrix& m) { return gfx::transformPoint(p, m); }

gfx::Vec3 transformDirection(gfx::Vec3 d, const gfx::Matrix& m) {
    return {d.x * m.m[0][0] + d.y * m.m[1][0] + d.z * m.m[2][0],
            d.x * m.m[0][1] + d.y * m.m[1][1] + d.z * m.m[2][1],
            d.x * m.m[0][2] + d.y * m.m[1][2] + d.z * m.m[2][2]};
}

gfx::Vec3 normalized(gfx::Vec3 v) {
    const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length == 0.0f) return v;
    return {v.x / length, v.y / length, v.z / length};
}

}  // namespace darts::render::gl
