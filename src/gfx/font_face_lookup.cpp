#include "gfx/font_face_lookup.h"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace darts::gfx {
namespace {

struct ConfigDeleter {
    void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct FontSetDeleter {
    void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};

// Characters every Japanese text of the game needs: katakana, hiragana and kanji. A face that
// lacks any of them would show the ring and result texts as boxes.
constexpr FcChar32 kRequiredCharacters[] = {0x30A2 /* ア */, 0x3042 /* あ */, 0x52DD /* 勝 */};

bool isSuitable(const FcPattern* font) {
    FcBool scalable = FcFalse;
    // A bitmap face cannot be scaled to the cell height nor stretched to the character width.
    if (FcPatternGetBool(font, FC_SCALABLE, 0, &scalable) != FcResultMatch || !scalable) {
        return false;
    }
    FcCharSet* characters = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &characters) != FcResultMatch) return false;
    for (FcChar32 c : kRequiredCharacters) {
        if (!FcCharSetHasChar(characters, c)) return false;
    }
    return true;
}

}  // namespace

std::optional<FaceLocation> findJapaneseGothicFace() {
    // A private configuration, so that nothing of fontconfig's global state outlives the search.
    std::unique_ptr<FcConfig, ConfigDeleter> config(FcInitLoadConfigAndFonts());
    if (!config) return std::nullopt;

    std::unique_ptr<FcPattern, PatternDeleter> pattern(FcPatternCreate());
    if (!pattern) return std::nullopt;
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("IPAGothic"));
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    FcConfigSubstitute(config.get(), pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());

    // The whole sorted list rather than the single best match: the best match for "ja" can still
    // be a Latin face when no Japanese face is installed, and then the answer is "none".
    FcResult result = FcResultNoMatch;
    std::unique_ptr<FcFontSet, FontSetDeleter> fonts(
        FcFontSort(config.get(), pattern.get(), FcFalse, nullptr, &result));
    if (!fonts) return std::nullopt;

    for (int i = 0; i < fonts->nfont; ++i) {
        const FcPattern* font = fonts->fonts[i];
        if (!isSuitable(font)) continue;
        FcChar8* file = nullptr;
        if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch || !file) continue;
        int index = 0;
        if (FcPatternGetInteger(font, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
        return FaceLocation{reinterpret_cast<const char*>(file), index};
    }
    return std::nullopt;
}

}  // namespace darts::gfx
