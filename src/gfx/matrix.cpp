#include "gfx/matrix.h"

#include <cmath>

namespace darts::gfx {
namespace {

Vec3 normalize(Vec3 v) {
    float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length == 0.0f) return v;
    return {v.x / length, v.y / length, v.z / length};
}

Vec3 cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

}  // namespace

Matrix identityMatrix() { return {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}}; }

Matrix matrixTranslation(float x, float y, float z) {
    Matrix out = identityMatrix();
    out.m[3][0] = x;
    out.m[3][1] = y;
    out.m[3][2] = z;
    return out;
}

Matrix matrixRotationAxis(Vec3 axis, float angle) {
    Vec3 v = normalize(axis);
    float c = std::cos(angle);
    float s = std::sin(angle);
    float t = 1.0f - c;
    return {{
        {t * v.x * v.x + c, t * v.x * v.y + s * v.z, t * v.x * v.z - s * v.y, 0},
        {t * v.x * v.y - s * v.z, t * v.y * v.y + c, t * v.y * v.z + s * v.x, 0},
        {t * v.x * v.z + s * v.y, t * v.y * v.z - s * v.x, t * v.z * v.z + c, 0},
        {0, 0, 0, 1},
    }};
}

Matrix matrixMultiply(const Matrix& a, const Matrix& b) {
    Matrix out;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            float sum = 0;
            for (int k = 0; k < 4; ++k) sum += a.m[row][k] * b.m[k][col];
            out.m[row][col] = sum;
        }
    }
    return out;
}

Matrix matrixLookAtLH(Vec3 eye, Vec3 at, Vec3 up) {
    Vec3 zaxis = normalize({at.x - eye.x, at.y - eye.y, at.z - eye.z});
    Vec3 xaxis = normalize(cross(up, zaxis));
    Vec3 yaxis = cross(zaxis, xaxis);
    return {{
        {xaxis.x, yaxis.x, zaxis.x, 0},
        {xaxis.y, yaxis.y, zaxis.y, 0},
        {xaxis.z, yaxis.z, zaxis.z, 0},
        {-dot(xaxis, eye), -dot(yaxis, eye), -dot(zaxis, eye), 1},
    }};
}

Matrix matrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar) {
    float h = 1.0f / std::tan(fovY / 2.0f);
    float w = h / aspect;
    float q = zFar / (zFar - zNear);
    return {{
        {w, 0, 0, 0},
        {0, h, 0, 0},
        {0, 0, q, 1},
        {0, 0, -q * zNear, 0},
    }};
}

Vec3 transformPoint(Vec3 p, const Matrix& m) {
    return {
        p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0],
        p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1],
        p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2],
    };
}

}  // namespace darts::gfx
