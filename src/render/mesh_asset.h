// One loaded model: its material list (one entry per subset, in subset order) and the device
// objects made from it. Handles are issued by the device; 0 means "none".
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

struct MeshAsset {
    std::vector<Material> materials;
    std::vector<std::string> textureFiles;  // resolved paths; empty: the material names none
    std::vector<TextureHandle> textures;    // one per subset; 0 draws untextured
    MeshHandle mesh = 0;
};

}  // namespace darts::render
