// Everything the game draws and plays, loaded once at start-up and kept for the whole run: the four
// models with their textures, the 2D textures from the embedded bitmaps, the eight portraits, the
// front end's cursor, the two fonts and the board-hit sound.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/game_state.h"
#include "gfx/cursor_icon.h"
#include "gfx/image.h"
#include "render/device.h"
#include "render/mesh_loading.h"

namespace darts::render {

// The resource names of the overlay textures by slot; slot 5 is never loaded.
inline constexpr const char* kOverlayResources[8] = {
    "POINTTABLE", "GAGE", "compare_board", "start", "IDB_CHSET", nullptr, "IDB_BK", "SHOT"};

// The overlay bitmap of `slot` in `language`: the pictures with words have an English variant.
inline const char* overlayResource(int slot, Language language) {
    if (language == Language::English && slot == 3) return "start_en";
    if (language == Language::English && slot == 7) return "SHOT_en";
    return kOverlayResources[slot];
}

inline constexpr int kSmallFontHeight = 12, kSmallFontWidth = 14;
inline constexpr int kLargeFontHeight = 42, kLargeFontWidth = 44;

// Opens the sound device and loads the board-hit effect; null when there is no sound to be had.
using SoundSetUp = std::function<audio::EffectOutput*()>;

struct AssetOptions {
    std::optional<uint32_t> seed;  // none: the calendar time in seconds
    SoundSetUp setUpSound;         // none: the game plays silently
};

struct AssetLoadResult {
    bool ok = false;
    std::string error;  // one line, set when a model could not be loaded
};

// Loads in this order: the dart in hand, the random seed, the hand, room, board and dart models
// with their textures, the overlay textures, the portraits (through the roster, which leaves
// players[1] holding character 8), the cursor and the sound. Missing textures, bitmaps and sound
// are left empty and drawn untextured or not played; a model that cannot be loaded fails, since
// the match scene cannot do without it. Reads the files below the working directory; a missing
// roster ends the process like every roster read.
AssetLoadResult loadAssets(GameState& state, Device& device, const AssetOptions& options = {});

// The files loadAssets reads, read and decoded without a device, so that the work can run on
// another thread while the window and its context are made. The portraits are not among them:
// the roster names them as it is read.
struct DecodedAssets {
    struct Model {
        MeshLoadResult loaded;
        // One per material; empty where it names no file or the file cannot be read.
        std::vector<std::optional<gfx::Image>> textures;
    };
    std::array<Model, 4> models;                       // hand, room, board, dart
    std::array<std::optional<gfx::Image>, 8> overlays;  // by slot
    std::optional<gfx::CursorImage> cursor;
};
DecodedAssets decodeAssetFiles(Language language);

// loadAssets with the files already decoded by decodeAssetFiles(state.language): the device is
// given everything in the same order, so every handle is as loadAssets makes it.
AssetLoadResult loadAssets(GameState& state, Device& device, const AssetOptions& options,
                           DecodedAssets decoded);

// The 12 x 14 and 42 x 44 fonts. When the small one cannot be made the large one is not tried;
// false when either is missing (the texts drawn with a missing font are then skipped).
bool createFonts(GameState& state, Device& device);

// The window's icon from the embedded IDI_ICON1, decoded at the standard size; none when missing.
std::optional<gfx::Image> loadWindowIcon();

}  // namespace darts::render
