#include "assets/asset_loading.h"

#include <ctime>

#include "core/game_path.h"
#include "frontend/roster.h"
#include "gfx/cursor_icon.h"
#include "gfx/resources.h"
#include "render/mesh_loading.h"

namespace darts::render {
namespace {

// The order the overlay textures are made in; each lands in its own slot.
constexpr int kOverlayLoadOrder[] = {1, 0, 2, 3, 4, 6, 7};

TextureHandle textureFromBitmapResource(Device& device, const char* name) {
    std::optional<gfx::Image> image = gfx::loadBitmapResource(name);
    return image ? device.createTexture(*image) : 0;
}

// The roster reader calls this for every record while the assets load.
class PortraitTextures final : public frontend::PortraitLoader {
  public:
    PortraitTextures(GameState& state, Device& device) : state_(state), device_(device) {}
    void loadPortrait(int recordNumber, const char* resourceName) override {
        if (recordNumber < 1 || recordNumber > frontend::kRosterCharacters) return;
        state_.portraitTextures[recordNumber] = textureFromBitmapResource(device_, resourceName);
    }

  private:
    GameState& state_;
    Device& device_;
};

// Keeps the portrait hook installed only while the portraits load: nothing else asks for them,
// and the hook must not outlive the device it draws on.
class ScopedPortraitLoader {
  public:
    explicit ScopedPortraitLoader(frontend::PortraitLoader& loader) {
        frontend::setPortraitLoader(&loader);
    }
    ~ScopedPortraitLoader() { frontend::setPortraitLoader(nullptr); }
    ScopedPortraitLoader(const ScopedPortraitLoader&) = delete;
    ScopedPortraitLoader& operator=(const ScopedPortraitLoader&) = delete;
};

struct ModelFile {
    const char* gamePath;
    TexturePathRule rule;
    MeshAsset GameState::*asset;
};

constexpr ModelFile kModels[] = {
    {"data\\hand.x", TexturePathRule::NameUnchanged, &GameState::handModel},
    {"data\\room.x", TexturePathRule::InDataFolder, &GameState::roomModel},
    {"data\\Board.x", TexturePathRule::InDataFolder, &GameState::boardModel},
    {"data\\darts.x", TexturePathRule::NameUnchanged, &GameState::dartModel},
};

TextureHandle textureOf(Device& device, const std::optional<gfx::Image>& image) {
    return image ? device.createTexture(*image) : 0;
}

// One model and the texture of each material; a texture that cannot be read stays 0.
std::string makeModel(const ModelFile& file, DecodedAssets::Model& decoded, Device& device,
                      MeshAsset& out) {
    if (!decoded.loaded.model) return "cannot load the model " + decoded.loaded.error;
    MeshAsset asset = std::move(decoded.loaded.model->asset);
    asset.mesh = device.createMesh(decoded.loaded.model->mesh);
    if (asset.mesh == 0) return "cannot make a mesh of the model " + gamePathToHost(file.gamePath);
    for (size_t i = 0; i < asset.textureFiles.size() && i < decoded.textures.size(); ++i) {
        asset.textures[i] = textureOf(device, decoded.textures[i]);
    }
    out = std::move(asset);
    return {};
}

}  // namespace

DecodedAssets decodeAssetFiles(Language language) {
    DecodedAssets decoded;
    static_assert(std::size(kModels) == std::tuple_size_v<decltype(decoded.models)>);
    for (size_t m = 0; m < std::size(kModels); ++m) {
        DecodedAssets::Model& model = decoded.models[m];
        model.loaded = loadMeshAsset(kModels[m].gamePath, kModels[m].rule);
        if (!model.loaded.model) break;  // loading stops at the first model that fails
        for (const std::string& file : model.loaded.model->asset.textureFiles) {
            model.textures.push_back(file.empty() ? std::nullopt
                                                  : gfx::decodeImageFile(gamePathToHost(file)));
        }
    }
    for (int slot : kOverlayLoadOrder) {
        decoded.overlays[slot] = gfx::loadBitmapResource(overlayResource(slot, language));
    }
    decoded.cursor = gfx::loadCursorResource("IDC_CURSOR1");
    return decoded;
}

AssetLoadResult loadAssets(GameState& state, Device& device, const AssetOptions& options) {
    return loadAssets(state, device, options, decodeAssetFiles(state.language));
}

AssetLoadResult loadAssets(GameState& state, Device& device, const AssetOptions& options,
                           DecodedAssets decoded) {
    state.dartState = DartState::InHand;
    seedRandom(state, options.seed ? *options.seed : static_cast<uint32_t>(std::time(nullptr)));

    for (size_t m = 0; m < std::size(kModels); ++m) {
        const ModelFile& file = kModels[m];
        std::string error = makeModel(file, decoded.models[m], device, state.*file.asset);
        if (!error.empty()) return {false, std::move(error)};
    }

    for (int slot : kOverlayLoadOrder) {
        state.overlayTextures[slot] = textureOf(device, decoded.overlays[slot]);
    }

    PortraitTextures portraits(state, device);
    {
        ScopedPortraitLoader installed(portraits);
        for (int n = 1; n <= frontend::kRosterCharacters; ++n) {
            state.players[kComputer] = PlayerSlot{};
            frontend::readRosterRecord(state, n, true);
        }
    }

    if (decoded.cursor) state.cursorTexture = device.createTexture(decoded.cursor->image);

    // Without a sound device the game goes on silently: darts can be played without sound.
    state.effects = options.setUpSound ? options.setUpSound() : nullptr;
    return {true, {}};
}

bool createFonts(GameState& state, Device& device) {
    state.smallFont = device.createFont(kSmallFontHeight, kSmallFontWidth);
    if (state.smallFont == 0) return false;
    state.largeFont = device.createFont(kLargeFontHeight, kLargeFontWidth);
    return state.largeFont != 0;
}

std::optional<gfx::Image> loadWindowIcon() { return gfx::loadIconResource("IDI_ICON1"); }

}  // namespace darts::render
