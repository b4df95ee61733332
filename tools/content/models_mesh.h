// The in-memory form of a model before it is written as a .x file: named parts (each one mesh,
// optionally placed by its own frame matrix) that share one list of materials, and the small set
// of shapes the models are built from.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "gfx/matrix.h"

namespace darts::content {

using gfx::Matrix;
using gfx::Vec3;

struct Rgb {
    float r, g, b;
};

struct ModelMaterial {
    std::string name;  // unique within the model; written as a top-level Material
    Rgb diffuse;
    float alpha = 1.0f;
    float power = 0.0f;
    Rgb specular{0, 0, 0};
    Rgb emissive{0, 0, 0};
    std::string texture;  // as the game looks it up; empty: untextured
};

struct MeshVertex {
    Vec3 position;
    Vec3 normal;
    float u = 0, v = 0;
};

struct MeshTriangle {
    uint32_t corner[3];
    int material;  // index into Model::materials
};

struct Part {
    std::string name;
    Matrix frame = gfx::identityMatrix();  // written as the part's FrameTransformMatrix
    bool hasFrame = false;
    std::vector<MeshVertex> vertices;
    std::vector<MeshTriangle> triangles;
};

struct Model {
    std::vector<ModelMaterial> materials;
    std::deque<Part> parts;  // a deque, so a part being built stays put while others are added

    int addMaterial(ModelMaterial material);
    Part& addPart(std::string name);
    size_t triangleCount() const;
};

// Small vector helpers for building shapes.
Vec3 operator+(Vec3 a, Vec3 b);
Vec3 operator-(Vec3 a, Vec3 b);
Vec3 operator*(Vec3 a, float s);
float dot(Vec3 a, Vec3 b);
Vec3 cross(Vec3 a, Vec3 b);
float length(Vec3 a);
Vec3 normalized(Vec3 a);
Vec3 lerp(Vec3 a, Vec3 b, float t);

// Appends geometry to a part. Every shape is built in its own local space and moved by `place`
// (positions by the whole matrix, normals by its inverse transpose and renormalised), so shapes
// can be scaled unevenly without lighting going wrong.
class ShapeWriter {
  public:
    ShapeWriter(Part& part, int material, const Matrix& place = gfx::identityMatrix());

    uint32_t vertex(Vec3 position, Vec3 normal, float u, float v);
    void triangle(uint32_t a, uint32_t b, uint32_t c);
    // A flat quad a-b-c-d (any winding) with one normal and texture corners (u0,v0)-(u1,v1)
    // running a->b along u and a->d along v.
    void quad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 normal, float u0, float v0, float u1, float v1);
    // An axis-aligned box; the texture repeats once per `texelSize` world units on every face.
    // Faces listed in `skip` ("-x", "+x", "-y", "+y", "-z", "+z" letters) are left out.
    void box(Vec3 low, Vec3 high, float texelSize, const std::string& skip = "");
    // A surface of revolution about the local z axis: profile points (radius, z) in order, with
    // smooth normals along the profile unless `creased` (each profile segment flat-shaded).
    void lathe(const std::vector<float>& radii, const std::vector<float>& zs, int sides,
               bool creased = false, float vRepeat = 1.0f);
    // A disc facing `facing` (+1: +z, -1: -z) at height z.
    void disc(float radius, float z, int sides, int facing);
    // An ellipsoid with radii (rx, ry, rz) about the local origin.
    void ellipsoid(Vec3 radii, int slices, int stacks);
    // A round tube through `centres` with a radius at each, capped by half-spheres at both ends:
    // fingers, necks, pipes.
    void tube(const std::vector<Vec3>& centres, const std::vector<float>& radii, int sides,
              bool capStart = true, bool capEnd = true);

    void setMaterial(int material) { material_ = material; }
    void setPlacement(const Matrix& place);

  private:
    Part& part_;
    int material_;
    Matrix place_;
    float normalMatrix_[3][3];
};

Matrix scaling(float sx, float sy, float sz);
Matrix rotationX(float angle);
Matrix rotationY(float angle);
Matrix rotationZ(float angle);
Matrix translation(Vec3 offset);
// a then b (row vectors: the left one acts first), for any number of steps.
Matrix chain(std::initializer_list<Matrix> steps);

}  // namespace darts::content
