// The device objects the game state holds: handles issued by the render device (0 means "none")
// and one loaded model's material list (one entry per subset, in subset order) with its mesh.
// Kept apart from the device so that the state needs nothing from the render layer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace darts::render {

struct ColorValue {
    float r, g, b, a;
};

// The fixed-function material of one subset.
struct Material {
    ColorValue diffuse;
    ColorValue ambient;
    ColorValue specular;
    ColorValue emissive;
    float power;
};

using MeshHandle = uint32_t;
using TextureHandle = uint32_t;
using FontHandle = uint32_t;

struct MeshAsset {
    std::vector<Material> materials;
    std::vector<std::string> textureFiles;  // resolved paths; empty: the material names none
    std::vector<TextureHandle> textures;    // one per subset; 0 draws untextured
    MeshHandle mesh = 0;
};

}  // namespace darts::render
