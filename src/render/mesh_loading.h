// Loads one of the game's models ("data\hand.x" and the like) into a MeshAsset: its materials in
// subset order and the texture file of each, plus the merged mesh that the device uploads.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/asset_handles.h"
#include "gfx/xfile.h"

namespace darts::render {

// How a material's texture name becomes a path: the hand and the dart use the name as written,
// the room and the board look for it in the data folder.
enum class TexturePathRule {
    NameUnchanged,
    InDataFolder,  // "data\" + name
};

struct LoadedModel {
    gfx::MeshData mesh;  // vertices, triangles grouped by subset, for upload to the device
    MeshAsset asset;     // materials and textureFiles filled; textures all 0 and mesh 0 until made
};

struct MeshLoadResult {
    std::optional<LoadedModel> model;  // empty on failure
    std::string error;                 // one line, set on failure
};

// The game path of the texture a material names, or "" when it names none (no file to try).
// Game paths keep the game's backslashes; they are converted where the file is opened.
std::string texturePath(std::string_view textureName, TexturePathRule rule);

// Materials and texture paths of a loaded mesh, one entry per subset.
MeshAsset makeMeshAsset(const gfx::MeshData& mesh, TexturePathRule rule);

// `gamePath` is the game's name of the model file, e.g. "data\Board.x".
MeshLoadResult loadMeshAsset(std::string_view gamePath, TexturePathRule rule);

}  // namespace darts::render
