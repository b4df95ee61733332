#include "render/mesh_loading.h"

#include "core/game_path.h"

namespace darts::render {
namespace {

ColorValue toColorValue(gfx::ColorRGBA c) { return {c.r, c.g, c.b, c.a}; }

}  // namespace

std::string texturePath(std::string_view textureName, TexturePathRule rule) {
    // A material without a texture has nothing to load under either rule ("data\" alone is a
    // folder, not a texture).
    if (textureName.empty()) return {};
    if (rule == TexturePathRule::InDataFolder) return "data\\" + std::string(textureName);
    return std::string(textureName);
}

MeshAsset makeMeshAsset(const gfx::MeshData& mesh, TexturePathRule rule) {
    MeshAsset asset;
    asset.materials.reserve(mesh.materials.size());
    asset.textureFiles.reserve(mesh.materials.size());
    for (const gfx::XMaterial& m : mesh.materials) {
        asset.materials.push_back({toColorValue(m.diffuse), toColorValue(m.ambient),
                                   toColorValue(m.specular), toColorValue(m.emissive), m.power});
        asset.textureFiles.push_back(texturePath(m.textureFile, rule));
    }
    asset.textures.assign(mesh.materials.size(), 0);
    return asset;
}

MeshLoadResult loadMeshAsset(std::string_view gamePath, TexturePathRule rule) {
    gfx::XFileResult loaded = gfx::loadXFile(gamePathToHost(gamePath));
    if (!loaded.mesh) return {std::nullopt, std::move(loaded.error)};
    MeshAsset asset = makeMeshAsset(*loaded.mesh, rule);
    return {LoadedModel{std::move(*loaded.mesh), std::move(asset)}, {}};
}

}  // namespace darts::render
