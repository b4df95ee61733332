// Loading what start-up loads from disk and from the executable: the four models with the
// textures their materials name, and every embedded bitmap decoded for a texture. Run from the
// top of the repository, where data/ is.
#include <benchmark/benchmark.h>

#include <string>

#include "core/game_path.h"
#include "gfx/image.h"
#include "gfx/resources.h"
#include "render/mesh_loading.h"

namespace {

using darts::render::TexturePathRule;

struct ModelFile {
    const char* gamePath;
    TexturePathRule rule;
};

constexpr ModelFile kModels[] = {
    {"data\\hand.x", TexturePathRule::NameUnchanged},
    {"data\\room.x", TexturePathRule::InDataFolder},
    {"data\\Board.x", TexturePathRule::InDataFolder},
    {"data\\darts.x", TexturePathRule::NameUnchanged},
};

void BM_LoadGameAssets(benchmark::State& bench) {
    size_t textures = 0, bitmaps = 0;
    for (auto _ : bench) {
        textures = bitmaps = 0;
        for (const ModelFile& file : kModels) {
            darts::render::MeshLoadResult result =
                darts::render::loadMeshAsset(file.gamePath, file.rule);
            if (!result.model) {
                bench.SkipWithError(("cannot load " + std::string(file.gamePath)).c_str());
                return;
            }
            for (const std::string& texture : result.model->asset.textureFiles) {
                if (texture.empty()) continue;
                textures += darts::gfx::decodeImageFile(darts::gamePathToHost(texture)).has_value();
            }
        }
        for (const darts::gfx::EmbeddedResource& resource : darts::gfx::gameResources()) {
            bitmaps += darts::gfx::loadBitmapResource(resource.name).has_value();
        }
    }
    bench.counters["textures"] = static_cast<double>(textures);
    bench.counters["bitmaps"] = static_cast<double>(bitmaps);
}
BENCHMARK(BM_LoadGameAssets)->Unit(benchmark::kMillisecond);

}  // namespace
