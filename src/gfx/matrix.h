// Row-vector, left-handed 4x4 matrices: a point is transformed as p' = p x M, a translation sits
// in the fourth row, and in Multiply(a, b) the left matrix acts first.
#pragma once

namespace darts::gfx {

struct Vec3 {
    float x, y, z;
};

struct Matrix {
    float m[4][4];
};

Matrix identityMatrix();
Matrix matrixTranslation(float x, float y, float z);
// Rotation by `angle` radians about `axis` (normalised here).
Matrix matrixRotationAxis(Vec3 axis, float angle);
// a x b: `a` is applied first.
Matrix matrixMultiply(const Matrix& a, const Matrix& b);
Matrix matrixLookAtLH(Vec3 eye, Vec3 at, Vec3 up);
Matrix matrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);

// p x M for a point (w = 1), divided by nothing: the fourth component is dropped.
Vec3 transformPoint(Vec3 p, const Matrix& m);

}  // namespace darts::gfx
