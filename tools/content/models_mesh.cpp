#include "models_mesh.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace darts::content {

Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float length(Vec3 a) { return std::sqrt(dot(a, a)); }
Vec3 normalized(Vec3 a) {
    float l = length(a);
    return l > 0 ? a * (1.0f / l) : Vec3{0, 0, 0};
}
Vec3 lerp(Vec3 a, Vec3 b, float t) { return a + (b - a) * t; }

int Model::addMaterial(ModelMaterial material) {
    materials.push_back(std::move(material));
    return static_cast<int>(materials.size()) - 1;
}

Part& Model::addPart(std::string name) {
    parts.push_back(Part{});
    parts.back().name = std::move(name);
    return parts.back();
}

size_t Model::triangleCount() const {
    size_t count = 0;
    for (const Part& part : parts) count += part.triangles.size();
    return count;
}

Matrix scaling(float sx, float sy, float sz) {
    Matrix m = gfx::identityMatrix();
    m.m[0][0] = sx;
    m.m[1][1] = sy;
    m.m[2][2] = sz;
    return m;
}
Matrix rotationX(float angle) { return gfx::matrixRotationAxis({1, 0, 0}, angle); }
Matrix rotationY(float angle) { return gfx::matrixRotationAxis({0, 1, 0}, angle); }
Matrix rotationZ(float angle) { return gfx::matrixRotationAxis({0, 0, 1}, angle); }
Matrix translation(Vec3 offset) { return gfx::matrixTranslation(offset.x, offset.y, offset.z); }

Matrix chain(std::initializer_list<Matrix> steps) {
    Matrix out = gfx::identityMatrix();
    for (const Matrix& step : steps) out = gfx::matrixMultiply(out, step);
    return out;
}

ShapeWriter::ShapeWriter(Part& part, int material, const Matrix& place)
    : part_(part), material_(material) {
    setPlacement(place);
}

void ShapeWriter::setPlacement(const Matrix& place) {
    place_ = place;
    // Normals go through the inverse transpose: the cofactor rows, up to the determinant's scale
    // (its sign kept so that mirrored placements keep outward normals).
    Vec3 r0{place.m[0][0], place.m[0][1], place.m[0][2]};
    Vec3 r1{place.m[1][0], place.m[1][1], place.m[1][2]};
    Vec3 r2{place.m[2][0], place.m[2][1], place.m[2][2]};
    Vec3 c0 = cross(r1, r2), c1 = cross(r2, r0), c2 = cross(r0, r1);
    float sign = dot(r0, c0) < 0 ? -1.0f : 1.0f;
    const Vec3 rows[3] = {c0 * sign, c1 * sign, c2 * sign};
    for (int r = 0; r < 3; ++r) {
        normalMatrix_[r][0] = rows[r].x;
        normalMatrix_[r][1] = rows[r].y;
        normalMatrix_[r][2] = rows[r].z;
    }
}

uint32_t ShapeWriter::vertex(Vec3 position, Vec3 normal, float u, float v) {
    const float(&n)[3][3] = normalMatrix_;
    Vec3 placedNormal{normal.x * n[0][0] + normal.y * n[1][0] + normal.z * n[2][0],
                      normal.x * n[0][1] + normal.y * n[1][1] + normal.z * n[2][1],
                      normal.x * n[0][2] + normal.y * n[1][2] + normal.z * n[2][2]};
    part_.vertices.push_back(
        {gfx::transformPoint(position, place_), normalized(placedNormal), u, v});
    return static_cast<uint32_t>(part_.vertices.size() - 1);
}

void ShapeWriter::triangle(uint32_t a, uint32_t b, uint32_t c) {
    part_.triangles.push_back({{a, b, c}, material_});
}

void ShapeWriter::quad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 normal, float u0, float v0, float u1,
                       float v1) {
    uint32_t ia = vertex(a, normal, u0, v0);
    uint32_t ib = vertex(b, normal, u1, v0);
    uint32_t ic = vertex(c, normal, u1, v1);
    uint32_t id = vertex(d, normal, u0, v1);
    triangle(ia, ib, ic);
    triangle(ia, ic, id);
}

void ShapeWriter::box(Vec3 lo, Vec3 hi, float texelSize, const std::string& skip) {
    auto wanted = [&](const char* face) { return skip.find(face) == std::string::npos; };
    const float s = 1.0f / texelSize;
    // Texture v runs downwards on the side faces so that pictures stand upright.
    if (wanted("-z"))
        quad({lo.x, hi.y, lo.z}, {hi.x, hi.y, lo.z}, {hi.x, lo.y, lo.z}, {lo.x, lo.y, lo.z},
             {0, 0, -1}, lo.x * s, -hi.y * s, hi.x * s, -lo.y * s);
    if (wanted("+z"))
        quad({hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}, {lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z},
             {0, 0, 1}, -hi.x * s, -hi.y * s, -lo.x * s, -lo.y * s);
    if (wanted("-x"))
        quad({lo.x, hi.y, hi.z}, {lo.x, hi.y, lo.z}, {lo.x, lo.y, lo.z}, {lo.x, lo.y, hi.z},
             {-1, 0, 0}, -hi.z * s, -hi.y * s, -lo.z * s, -lo.y * s);
    if (wanted("+x"))
        quad({hi.x, hi.y, lo.z}, {hi.x, hi.y, hi.z}, {hi.x, lo.y, hi.z}, {hi.x, lo.y, lo.z},
             {1, 0, 0}, lo.z * s, -hi.y * s, hi.z * s, -lo.y * s);
    if (wanted("+y"))
        quad({lo.x, hi.y, hi.z}, {hi.x, hi.y, hi.z}, {hi.x, hi.y, lo.z}, {lo.x, hi.y, lo.z},
             {0, 1, 0}, lo.x * s, -hi.z * s, hi.x * s, -lo.z * s);
    if (wanted("-y"))
        quad({lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, lo.y, hi.z}, {lo.x, lo.y, hi.z},
             {0, -1, 0}, lo.x * s, lo.z * s, hi.x * s, hi.z * s);
}

void ShapeWriter::lathe(const std::vector<float>& radii, const std::vector<float>& zs, int sides,
                        bool creased, float vRepeat) {
    const size_t n = radii.size();
    if (n < 2 || zs.size() != n) return;
    auto ringNormal = [&](size_t from, size_t to) {
        // Outward normal of the profile segment in the (radius, z) plane.
        float dr = radii[to] - radii[from];
        float dz = zs[to] - zs[from];
        float l = std::sqrt(dr * dr + dz * dz);
        return l > 0 ? std::pair<float, float>{dz / l, -dr / l} : std::pair<float, float>{1, 0};
    };
    auto ring = [&](size_t i, std::pair<float, float> nrz) {
        uint32_t first = 0;
        for (int j = 0; j <= sides; ++j) {
            float a = 2.0f * std::numbers::pi_v<float> * static_cast<float>(j) / sides;
            float c = std::cos(a), s = std::sin(a);
            uint32_t id =
                vertex({radii[i] * c, radii[i] * s, zs[i]},
                       {nrz.first * c, nrz.first * s, nrz.second}, static_cast<float>(j) / sides,
                       vRepeat * static_cast<float>(i) / static_cast<float>(n - 1));
            if (j == 0) first = id;
        }
        return first;
    };
    auto connect = [&](uint32_t a, uint32_t b) {
        for (int j = 0; j < sides; ++j) {
            triangle(a + j, b + j, b + j + 1);
            triangle(a + j, b + j + 1, a + j + 1);
        }
    };
    if (creased) {
        for (size_t i = 0; i + 1 < n; ++i) {
            auto nrz = ringNormal(i, i + 1);
            connect(ring(i, nrz), ring(i + 1, nrz));
        }
        return;
    }
    uint32_t previous = 0;
    for (size_t i = 0; i < n; ++i) {
        auto nrz = ringNormal(i == 0 ? 0 : i - 1, i + 1 < n ? i + 1 : i);
        uint32_t current = ring(i, nrz);
        if (i > 0) connect(previous, current);
        previous = current;
    }
}

void ShapeWriter::disc(float radius, float z, int sides, int facing) {
    Vec3 normal{0, 0, static_cast<float>(facing)};
    uint32_t centre = vertex({0, 0, z}, normal, 0.5f, 0.5f);
    uint32_t first = 0;
    for (int j = 0; j <= sides; ++j) {
        float a = 2.0f * std::numbers::pi_v<float> * static_cast<float>(j) / sides;
        uint32_t id = vertex({radius * std::cos(a), radius * std::sin(a), z}, normal,
                             0.5f + 0.5f * std::cos(a), 0.5f - 0.5f * std::sin(a));
        if (j == 0) first = id;
    }
    for (int j = 0; j < sides; ++j) triangle(centre, first + j, first + j + 1);
}

void ShapeWriter::ellipsoid(Vec3 radii, int slices, int stacks) {
    Matrix saved = place_;
    setPlacement(gfx::matrixMultiply(scaling(radii.x, radii.y, radii.z), saved));
    std::vector<uint32_t> rows;
    for (int i = 0; i <= stacks; ++i) {
        float polar = std::numbers::pi_v<float> * static_cast<float>(i) / stacks;
        for (int j = 0; j <= slices; ++j) {
            float a = 2.0f * std::numbers::pi_v<float> * static_cast<float>(j) / slices;
            Vec3 p{std::sin(polar) * std::cos(a), std::cos(polar), std::sin(polar) * std::sin(a)};
            uint32_t id =
                vertex(p, p, static_cast<float>(j) / slices, static_cast<float>(i) / stacks);
            if (j == 0) rows.push_back(id);
        }
    }
    for (int i = 0; i < stacks; ++i) {
        for (int j = 0; j < slices; ++j) {
            uint32_t a = rows[i] + j, b = rows[i + 1] + j;
            triangle(a, b, b + 1);
            triangle(a, b + 1, a + 1);
        }
    }
    setPlacement(saved);
}

void ShapeWriter::tube(const std::vector<Vec3>& centres, const std::vector<float>& radii, int sides,
                       bool capStart, bool capEnd) {
    const size_t n = centres.size();
    if (n < 2 || radii.size() != n) return;
    // Frames carried along the path so that the rings do not twist.
    std::vector<Vec3> tangents(n), sideA(n), sideB(n);
    for (size_t i = 0; i < n; ++i) {
        Vec3 ahead = centres[i + 1 < n ? i + 1 : i];
        Vec3 behind = centres[i > 0 ? i - 1 : i];
        tangents[i] = normalized(ahead - behind);
    }
    Vec3 seed = std::fabs(tangents[0].y) < 0.9f ? Vec3{0, 1, 0} : Vec3{1, 0, 0};
    sideA[0] = normalized(cross(seed, tangents[0]));
    for (size_t i = 0; i < n; ++i) {
        if (i > 0) {
            Vec3 a = sideA[i - 1];
            sideA[i] = normalized(a - tangents[i] * dot(a, tangents[i]));
        }
        sideB[i] = cross(tangents[i], sideA[i]);
    }
    struct Ring {
        Vec3 centre, along, a, b;
        float radius, tilt, v;  // tilt: how far the normal leans along the path (caps)
    };
    std::vector<Ring> rings;
    const int capSteps = 4;
    auto cap = [&](size_t i, float direction, bool startCap) {
        for (int k = 0; k < capSteps; ++k) {
            int step = startCap ? k : capSteps - 1 - k;
            float phi =
                0.5f * std::numbers::pi_v<float> * static_cast<float>(capSteps - step) / capSteps;
            rings.push_back({centres[i] + tangents[i] * (direction * radii[i] * std::sin(phi)),
                             tangents[i], sideA[i], sideB[i], radii[i] * std::cos(phi),
                             direction * std::sin(phi), startCap ? 0.0f : 1.0f});
        }
    };
    if (capStart) cap(0, -1.0f, true);
    for (size_t i = 0; i < n; ++i)
        rings.push_back({centres[i], tangents[i], sideA[i], sideB[i], radii[i], 0.0f,
                         static_cast<float>(i) / static_cast<float>(n - 1)});
    if (capEnd) cap(n - 1, 1.0f, false);

    std::vector<uint32_t> firsts;
    for (const Ring& ring : rings) {
        uint32_t first = 0;
        float radial = std::sqrt(std::max(0.0f, 1.0f - ring.tilt * ring.tilt));
        for (int j = 0; j <= sides; ++j) {
            float a = 2.0f * std::numbers::pi_v<float> * static_cast<float>(j) / sides;
            Vec3 out = ring.a * std::cos(a) + ring.b * std::sin(a);
            uint32_t id =
                vertex(ring.centre + out * ring.radius, out * radial + ring.along * ring.tilt,
                       static_cast<float>(j) / sides, ring.v);
            if (j == 0) first = id;
        }
        firsts.push_back(first);
    }
    for (size_t r = 0; r + 1 < firsts.size(); ++r) {
        for (int j = 0; j < sides; ++j) {
            uint32_t a = firsts[r] + j, b = firsts[r + 1] + j;
            triangle(a, b, b + 1);
            triangle(a, b + 1, a + 1);
        }
    }
}

}  // namespace darts::content
