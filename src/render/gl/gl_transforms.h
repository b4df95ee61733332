// The CPU side of the device's transforms: products of the row-vector matrices, the matrix that
// carries normals into camera space, and light positions and directions seen from the camera.
#pragma once

#include <array>

#include "gfx/matrix.h"

namespace darts::render::gl {

// A 3x3 matrix stored row by row, used with row vectors like gfx::Matrix.
using Matrix3 = std::array<float, 9>;

// The inverse transpose of the upper 3x3 part: n' = n N carries normals as the points move. A
// singular matrix gives all zeros (such a mesh is flattened and receives no diffuse light).
Matrix3 normalMatrix(const gfx::Matrix& worldView);

// p M with w = 1 (positions) and the 3x3 part only (directions).
gfx::Vec3 transformPosition(gfx::Vec3 p, const gfx::Matrix& m);
gfx::Vec3 transformDirection(gfx::Vec3 d, const gfx::Matrix& m);
gfx::Vec3 normalized(gfx::Vec3 v);

}  // namespace darts::render::gl
