// Loads a DirectX .x model file (text or binary, 32- or 64-bit floats) into one merged triangle
// mesh: every mesh of the file, top level or inside frames, transformed by its frames and joined,
// with the material lists concatenated so that subset i is drawn with material i.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/matrix.h"

namespace darts::gfx {

struct ColorRGBA {
    float r, g, b, a;
};

// One vertex of the merged mesh. Attributes the file does not give keep the defaults below; the
// flags in MeshData say which ones any mesh of the file gave.
struct Vertex {
    Vec3 position{0, 0, 0};
    Vec3 normal{0, 0, 0};
    float u = 0, v = 0;
    uint32_t colorArgb = 0xFFFFFFFFu;
};

// The triangles of one subset: indices[firstIndex .. firstIndex + indexCount).
struct Subset {
    uint32_t firstIndex = 0;
    uint32_t indexCount = 0;
};

// A fixed-function material plus the texture file name exactly as the model file writes it
// (empty when the material names none).
struct XMaterial {
    ColorRGBA diffuse{0, 0, 0, 0};
    ColorRGBA ambient{0, 0, 0, 0};
    ColorRGBA specular{0, 0, 0, 0};
    ColorRGBA emissive{0, 0, 0, 0};
    float power = 0;
    std::string textureFile;
};

struct MeshData {
    std::vector<Vertex> vertices;
    std::vector<uint32_t> indices;  // three per triangle, grouped by subset
    std::vector<Subset> subsets;    // one per material, same order
    std::vector<XMaterial> materials;
    bool hasNormals = false;
    bool hasTexCoords = false;
    bool hasColors = false;
};

struct XFileResult {
    std::optional<MeshData> mesh;  // empty on failure
    std::string error;             // one line saying why, set on failure
};

// Parses a whole .x file held in memory. Never throws; malformed input gives an error result.
XFileResult parseXFile(std::string_view fileBytes);

// Reads and parses the file at a path of this system.
XFileResult loadXFile(const std::string& hostPath);

}  // namespace darts::gfx
