#include "gfx/xfile_mesh_builder.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "gfx/xfile_values.h"

namespace darts::gfx::xfile {
namespace {

// Template names are matched without regard to case: exporters differ in spelling, e.g.
// "TextureFileName".
bool isType(const DataObject& object, std::string_view type) {
    if (object.isReference || object.type.size() != type.size()) return false;
    for (size_t i = 0; i < type.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(object.type[i])) !=
            std::tolower(static_cast<unsigned char>(type[i]))) {
            return false;
        }
    }
    return true;
}

const DataObject* firstChild(const DataObject& parent, const char* type) {
    for (const DataObject& child : parent.children) {
        if (isType(child, type)) return &child;
    }
    return nullptr;
}

// Faces as one run of corner indices; face f has corners[starts[f] .. starts[f + 1]).
struct FaceList {
    std::vector<uint32_t> corners;
    std::vector<uint32_t> starts;

    size_t faceCount() const { return starts.size() - 1; }
    uint32_t cornerCount(size_t face) const { return starts[face + 1] - starts[face]; }
};

FaceList readFaces(ValueReader& reader, uint32_t indexLimit) {
    uint32_t faceCount = reader.count();
    // Every face takes at least four values: its corner count and three corners.
    reader.requireItems(faceCount, 4);
    FaceList faces;
    faces.starts.reserve(size_t{faceCount} + 1);
    faces.starts.push_back(0);
    for (uint32_t f = 0; f < faceCount; ++f) {
        uint32_t corners = reader.count();
        if (corners < 3) reader.fail("has a face with fewer than three corners");
        reader.requireItems(corners, 1);
        for (uint32_t c = 0; c < corners; ++c) {
            uint32_t index = reader.count();
            if (index >= indexLimit) reader.fail("has a face index out of range");
            faces.corners.push_back(index);
        }
        faces.starts.push_back(static_cast<uint32_t>(faces.corners.size()));
    }
    return faces;
}

std::vector<Vec3> readVectors(ValueReader& reader) {
    uint32_t count = reader.count();
    reader.requireItems(count, 3);
    std::vector<Vec3> vectors(count);
    for (Vec3& v : vectors) v = reader.vec3();
    return vectors;
}

uint32_t toArgb(ColorRGBA c) {
    auto channel = [](float x) {
        float clamped = x < 0.0f ? 0.0f : (x > 1.0f ? 1.0f : x);
        return static_cast<uint32_t>(std::lround(clamped * 255.0f));
    };
    return (channel(c.a) << 24) | (channel(c.r) << 16) | (channel(c.g) << 8) | channel(c.b);
}

Matrix readFrameMatrix(const DataObject& object) {
    ValueReader reader(object);
    Matrix m;
    for (auto& row : m.m) {
        for (float& cell : row) cell = reader.real();
    }
    reader.expectEnd();
    return m;
}

Vec3 cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Normals go through the inverse transpose of the upper 3x3 part, so that non-uniform scaling
// keeps them perpendicular to the surface. Its scale does not matter since normals are
// renormalised, only its sign: the cofactor matrix times the sign of the determinant.
struct NormalTransform {
    float m[3][3];

    explicit NormalTransform(const Matrix& world) {
        Vec3 r0{world.m[0][0], world.m[0][1], world.m[0][2]};
        Vec3 r1{world.m[1][0], world.m[1][1], world.m[1][2]};
        Vec3 r2{world.m[2][0], world.m[2][1], world.m[2][2]};
        Vec3 c0 = cross(r1, r2), c1 = cross(r2, r0), c2 = cross(r0, r1);
        float det = r0.x * c0.x + r0.y * c0.y + r0.z * c0.z;
        if (det == 0.0f) {
            // A flattening transform has no inverse; the plain 3x3 part is the best left.
            c0 = r0, c1 = r1, c2 = r2;
        } else if (det < 0.0f) {
            c0 = {-c0.x, -c0.y, -c0.z}, c1 = {-c1.x, -c1.y, -c1.z}, c2 = {-c2.x, -c2.y, -c2.z};
        }
        const Vec3 rows[3] = {c0, c1, c2};
        for (int r = 0; r < 3; ++r) m[r][0] = rows[r].x, m[r][1] = rows[r].y, m[r][2] = rows[r].z;
    }

    Vec3 apply(Vec3 n) const {
        Vec3 out{n.x * m[0][0] + n.y * m[1][0] + n.z * m[2][0],
                 n.x * m[0][1] + n.y * m[1][1] + n.z * m[2][1],
                 n.x * m[0][2] + n.y * m[1][2] + n.z * m[2][2]};
        float length = std::sqrt(out.x * out.x + out.y * out.y + out.z * out.z);
        if (length == 0.0f || !std::isfinite(length)) return {0, 0, 0};
        return {out.x / length, out.y / length, out.z / length};
    }
};

XMaterial defaultMaterial() {
    XMaterial material;
    material.diffuse = {0.5f, 0.5f, 0.5f, 0.0f};
    material.specular = material.diffuse;
    return material;
}

XMaterial convertMaterial(const DataObject& object) {
    ValueReader reader(object);
    XMaterial material;
    material.diffuse = reader.rgba();
    material.ambient = {0, 0, 0, 1};
    material.power = reader.real();
    Vec3 specular = reader.vec3();
    Vec3 emissive = reader.vec3();
    reader.expectEnd();
    material.specular = {specular.x, specular.y, specular.z, 1};
    material.emissive = {emissive.x, emissive.y, emissive.z, 1};
    if (const DataObject* texture = firstChild(object, "TextureFilename")) {
        if (texture->strings.empty()) throw FormatError("TextureFilename without a file name");
        material.textureFile = texture->strings.front();
    }
    return material;
}

struct Triangle {
    uint32_t vertex[3];
    uint32_t material;
};

class MeshBuilder {
  public:
    explicit MeshBuilder(const std::vector<DataObject>& topLevel) {
        for (const DataObject& object : topLevel) indexMaterials(object);
        Matrix identity = identityMatrix();
        for (const DataObject& object : topLevel) {
            if (isType(object, "Frame")) addFrame(object, identity);
            if (isType(object, "Mesh")) addMesh(object, identity);
        }
    }

    MeshData finish() {
        if (!sawMesh_) throw FormatError("the file holds no mesh");
        // Group the triangles by material so that each subset is one contiguous index range.
        size_t materialCount = out_.materials.size();
        std::vector<uint32_t> firstTriangle(materialCount + 1, 0);
        for (const Triangle& t : triangles_) ++firstTriangle[t.material + 1];
        for (size_t m = 0; m < materialCount; ++m) firstTriangle[m + 1] += firstTriangle[m];
        out_.subsets.resize(materialCount);
        for (size_t m = 0; m < materialCount; ++m) {
            out_.subsets[m].firstIndex = firstTriangle[m] * 3;
            out_.subsets[m].indexCount = (firstTriangle[m + 1] - firstTriangle[m]) * 3;
        }
        out_.indices.resize(triangles_.size() * 3);
        std::vector<uint32_t> next(firstTriangle.begin(), firstTriangle.end() - 1);
        for (const Triangle& t : triangles_) {
            uint32_t slot = next[t.material]++;
            for (int c = 0; c < 3; ++c) out_.indices[slot * 3 + c] = t.vertex[c];
        }
        return std::move(out_);
    }

  private:
    // References name materials defined elsewhere in the file; top-level ones are found first.
    void indexMaterials(const DataObject& object) {
        if (isType(object, "Material") && !object.name.empty()) {
            namedMaterials_.try_emplace(object.name, &object);
        }
        for (const DataObject& child : object.children) indexMaterials(child);
    }

    // A child frame's matrix applies before its parent's: world = local x parent.
    void addFrame(const DataObject& frame, const Matrix& parent) {
        Matrix world = parent;
        if (const DataObject* local = firstChild(frame, "FrameTransformMatrix")) {
            world = matrixMultiply(readFrameMatrix(*local), parent);
        }
        for (const DataObject& child : frame.children) {
            if (isType(child, "Frame")) addFrame(child, world);
            if (isType(child, "Mesh")) addMesh(child, world);
        }
    }

    void addMesh(const DataObject& mesh, const Matrix& world) {
        sawMesh_ = true;
        ValueReader reader(mesh);
        std::vector<Vec3> positions = readVectors(reader);
        uint32_t vertexCount = static_cast<uint32_t>(positions.size());
        FaceList faces = readFaces(reader, vertexCount);
        reader.expectEnd();

        uint32_t base = static_cast<uint32_t>(out_.vertices.size());
        out_.vertices.resize(size_t{base} + vertexCount);
        for (uint32_t i = 0; i < vertexCount; ++i) {
            out_.vertices[base + i].position = transformPoint(positions[i], world);
        }
        if (const DataObject* coords = firstChild(mesh, "MeshTextureCoords")) {
            addTexCoords(*coords, base, vertexCount);
        }
        if (const DataObject* colors = firstChild(mesh, "MeshVertexColors")) {
            addColors(*colors, base, vertexCount);
        }
        std::vector<uint32_t> faceMaterials = materialsOf(mesh, faces.faceCount());

        std::vector<uint32_t> cornerVertices(faces.corners.size());
        if (const DataObject* normals = firstChild(mesh, "MeshNormals")) {
            cornerVertices = addNormals(*normals, faces, base, world);
        } else {
            for (size_t c = 0; c < faces.corners.size(); ++c) {
                cornerVertices[c] = base + faces.corners[c];
            }
        }

        // A polygon becomes the fan (v0, vi, vi+1), every triangle keeping its face's material.
        for (size_t f = 0; f < faces.faceCount(); ++f) {
            const uint32_t* corner = &cornerVertices[faces.starts[f]];
            for (uint32_t i = 1; i + 1 < faces.cornerCount(f); ++i) {
                triangles_.push_back({{corner[0], corner[i], corner[i + 1]}, faceMaterials[f]});
            }
        }
    }

    void addTexCoords(const DataObject& object, uint32_t base, uint32_t vertexCount) {
        ValueReader reader(object);
        if (reader.count() != vertexCount) reader.fail("does not match the vertex count");
        for (uint32_t i = 0; i < vertexCount; ++i) {
            out_.vertices[base + i].u = reader.real();
            out_.vertices[base + i].v = reader.real();
        }
        reader.expectEnd();
        out_.hasTexCoords = true;
    }

    void addColors(const DataObject& object, uint32_t base, uint32_t vertexCount) {
        ValueReader reader(object);
        uint32_t count = reader.count();
        reader.requireItems(count, 5);
        for (uint32_t i = 0; i < count; ++i) {
            uint32_t index = reader.count();
            if (index >= vertexCount) reader.fail("names a vertex out of range");
            out_.vertices[base + index].colorArgb = toArgb(reader.rgba());
        }
        reader.expectEnd();
        out_.hasColors = true;
    }

    // Gives every face corner the output vertex that carries both its position and its normal.
    // A position met with a second, different normal is copied to a new vertex at the end.
    std::vector<uint32_t> addNormals(const DataObject& object, const FaceList& faces, uint32_t base,
                                     const Matrix& world) {
        ValueReader reader(object);
        std::vector<Vec3> normals = readVectors(reader);
        FaceList normalFaces = readFaces(reader, static_cast<uint32_t>(normals.size()));
        reader.expectEnd();
        if (normalFaces.faceCount() != faces.faceCount()) {
            reader.fail("does not have one face per mesh face");
        }
        for (size_t f = 0; f < faces.faceCount(); ++f) {
            if (normalFaces.cornerCount(f) != faces.cornerCount(f)) {
                reader.fail("has a face whose corners differ from the mesh face");
            }
        }
        NormalTransform transform(world);
        for (Vec3& n : normals) n = transform.apply(n);

        constexpr uint32_t kUnassigned = UINT32_MAX;
        // No copies exist yet, so the vertices from `base` on are exactly this mesh's positions.
        std::vector<uint32_t> normalOfSlot(out_.vertices.size() - base, kUnassigned);
        std::unordered_map<uint64_t, uint32_t> copies;
        std::vector<uint32_t> cornerVertices(faces.corners.size());
        for (size_t c = 0; c < faces.corners.size(); ++c) {
            uint32_t position = faces.corners[c];
            uint32_t normal = normalFaces.corners[c];
            uint32_t& assigned = normalOfSlot[position];
            if (assigned == kUnassigned || assigned == normal) {
                assigned = normal;
                out_.vertices[base + position].normal = normals[normal];
                cornerVertices[c] = base + position;
                continue;
            }
            uint64_t key = (uint64_t{position} << 32) | normal;
            auto [it, inserted] = copies.try_emplace(key, 0);
            if (inserted) {
                Vertex copy = out_.vertices[base + position];
                copy.normal = normals[normal];
                it->second = static_cast<uint32_t>(out_.vertices.size());
                out_.vertices.push_back(copy);
            }
            cornerVertices[c] = it->second;
        }
        out_.hasNormals = true;
        return cornerVertices;
    }

    // The material of every face of a mesh, as an index into the merged material list.
    std::vector<uint32_t> materialsOf(const DataObject& mesh, size_t faceCount) {
        const DataObject* list = firstChild(mesh, "MeshMaterialList");
        std::vector<XMaterial> materials;
        std::vector<uint32_t> faceIndexes;
        if (list) {
            ValueReader reader(*list);
            uint32_t materialCount = reader.count();
            uint32_t indexCount = reader.count();
            reader.requireItems(indexCount, 1);
            faceIndexes.resize(indexCount);
            for (uint32_t& index : faceIndexes) {
                index = reader.count();
                if (index >= materialCount) reader.fail("gives a material index out of range");
            }
            reader.expectEnd();
            materials = listedMaterials(*list);
            if (materials.size() != materialCount) {
                reader.fail("does not hold the number of materials it declares");
            }
        }

        uint32_t first;
        if (materials.empty()) {
            // Meshes without materials share one default material.
            if (!defaultMaterial_) {
                defaultMaterial_ = static_cast<uint32_t>(out_.materials.size());
                out_.materials.push_back(defaultMaterial());
            }
            first = *defaultMaterial_;
        } else {
            first = static_cast<uint32_t>(out_.materials.size());
            for (XMaterial& m : materials) out_.materials.push_back(std::move(m));
        }
        // Faces past the end of the list's face indexes take the list's material 0.
        std::vector<uint32_t> result(faceCount, first);
        for (size_t f = 0; f < faceCount && f < faceIndexes.size(); ++f) {
            result[f] = first + faceIndexes[f];
        }
        return result;
    }

    std::vector<XMaterial> listedMaterials(const DataObject& list) {
        std::vector<XMaterial> materials;
        for (const DataObject& child : list.children) {
            if (child.isReference) {
                auto found = namedMaterials_.find(child.name);
                if (found == namedMaterials_.end()) {
                    throw FormatError("reference to an unknown material \"" + child.name + "\"");
                }
                materials.push_back(convertMaterial(*found->second));
            } else if (isType(child, "Material")) {
                materials.push_back(convertMaterial(child));
            }
        }
        return materials;
    }

    MeshData out_;
    std::vector<Triangle> triangles_;
    std::unordered_map<std::string, const DataObject*> namedMaterials_;
    std::optional<uint32_t> defaultMaterial_;
    bool sawMesh_ = false;
};

}  // namespace

MeshData buildMesh(const std::vector<DataObject>& topLevel) {
    return MeshBuilder(topLevel).finish();
}

}  // namespace darts::gfx::xfile
