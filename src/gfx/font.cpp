// FreeType faces sized the way the game's fonts are described: by cell height and average
// character width rather than by em size.
#include "gfx/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>

#include "gfx/font_face_lookup.h"

namespace darts::gfx {
namespace {

struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using LibraryPtr = std::unique_ptr<FT_LibraryRec_, LibraryDeleter>;
using FacePtr = std::unique_ptr<FT_FaceRec_, FaceDeleter>;

// Far beyond any text of the game; a larger request would only make huge glyph bitmaps.
constexpr int kLargestSize = 1024;

struct VerticalExtent {
    long ascent = 0;   // font units above the baseline
    long descent = 0;  // font units below it
};

// The cell is what the face's own metrics say a line needs: the OS/2 win metrics where the face
// has them (they are meant to enclose every glyph), else the horizontal header, else the bounding
// box of all glyphs.
VerticalExtent cellExtent(FT_Face face) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        return {os2->usWinAscent, os2->usWinDescent};
    }
    if (face->ascender - face->descender > 0) return {face->ascender, -face->descender};
    return {face->bbox.yMax, -face->bbox.yMin};
}

// The average character width in font units, as the classic OS/2 definition has it: the advances
// of the lowercase letters and the space, weighted by their frequency in English text. For a
// monospaced Japanese face this is exactly the half-width advance. Letters the face lacks leave
// the average to the ones it has; with none, half an em.
double averageCharacterWidth(FT_Face face) {
    constexpr std::array<int, 26> kLetterWeights = {64, 14, 27, 35, 100, 20, 14, 42, 63,
                                                    3,  6,  35, 20, 56,  56, 17, 4,  49,
                                                    56, 71, 31, 10, 18,  3,  18, 2};
    constexpr int kSpaceWeight = 166;
    double weightedSum = 0;
    int weights = 0;
    auto add = [&](FT_ULong character, int weight) {
        FT_UInt index = FT_Get_Char_Index(face, character);
        if (index == 0) return;
        if (FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) != 0) return;
        weightedSum += static_cast<double>(face->glyph->metrics.horiAdvance) * weight;
        weights += weight;
    };
    for (size_t i = 0; i < kLetterWeights.size(); ++i) add('a' + i, kLetterWeights[i]);
    add(' ', kSpaceWeight);
    if (weights == 0 || weightedSum <= 0) return face->units_per_EM / 2.0;
    return weightedSum / weights;
}

bool isControlCharacter(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

class FreeTypeFont final : public Font {
  public:
    FreeTypeFont(LibraryPtr library, FacePtr face, int cellHeight, int baseline, int halfAdvance)
        : library_(std::move(library)),
          face_(std::move(face)),
          cellHeight_(cellHeight),
          baseline_(baseline),
          halfAdvance_(halfAdvance) {}

    const GlyphImage& glyph(char32_t codepoint) override {
        auto [entry, inserted] = glyphs_.try_emplace(codepoint);
        if (inserted) entry->second = render(codepoint);
        return entry->second;
    }

    int cellHeight() const override { return cellHeight_; }

  private:
    GlyphImage blank(int advance) const {
        GlyphImage image;
        image.advance = advance;
        return image;
    }

    GlyphImage render(char32_t codepoint) {
        // Control characters are never drawn; line breaks and the like are the caller's business.
        if (isControlCharacter(codepoint)) return blank(0);
        FT_Face face = face_.get();
        // Index 0 is the face's .notdef glyph: what a character the face lacks looks like.
        FT_UInt index = codepoint <= 0x10FFFF ? FT_Get_Char_Index(face, codepoint) : 0;
        // Outlines only: embedded bitmaps would ignore the horizontal stretch. Light hinting
        // snaps horizontal strokes to the pixel grid and leaves the stretched widths alone.
        if (FT_Load_Glyph(face, index, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT) != 0) {
            return blank(halfAdvance_);
        }
        FT_GlyphSlot slot = face->glyph;
        const int advance = static_cast<int>(std::lround(slot->advance.x / 64.0));
        const int usableAdvance = advance > 0 || index != 0 ? advance : halfAdvance_;
        if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
            FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) {
            return blank(usableAdvance);
        }
        const FT_Bitmap& bitmap = slot->bitmap;
        if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return blank(usableAdvance);

        GlyphImage image;
        image.advance = usableAdvance;
        image.width = static_cast<int>(bitmap.width);
        image.height = static_cast<int>(bitmap.rows);
        image.left = slot->bitmap_left;
        image.top = baseline_ - slot->bitmap_top;
        image.coverage.resize(static_cast<size_t>(image.width) * image.height);
        const auto pitch = static_cast<ptrdiff_t>(bitmap.pitch);
        for (int y = 0; y < image.height; ++y) {
            // A negative pitch stores the rows bottom first.
            const ptrdiff_t row = pitch >= 0 ? y * pitch : (image.height - 1 - y) * -pitch;
            const unsigned char* source = bitmap.buffer + row;
            std::copy(source, source + image.width,
                      image.coverage.begin() + static_cast<ptrdiff_t>(y) * image.width);
        }
        return image;
    }

    // The face must go before the library that made it: members are destroyed in reverse order.
    LibraryPtr library_;
    FacePtr face_;
    int cellHeight_;
    int baseline_;  // pixels from the top of the cell down to the baseline
    int halfAdvance_;
    // Node-based, so a returned glyph stays where it is when later glyphs are added.
    std::unordered_map<char32_t, GlyphImage> glyphs_;
};

}  // namespace

std::unique_ptr<Font> createFont(int height, int width) {
    if (height <= 0 || height > kLargestSize || width < 0 || width > kLargestSize) return nullptr;
    std::optional<FaceLocation> location = findJapaneseGothicFace();
    if (!location) return nullptr;

    FT_Library rawLibrary = nullptr;
    if (FT_Init_FreeType(&rawLibrary) != 0) return nullptr;
    LibraryPtr library(rawLibrary);
    FT_Face rawFace = nullptr;
    if (FT_New_Face(library.get(), location->file.c_str(), location->index, &rawFace) != 0) {
        return nullptr;
    }
    FacePtr face(rawFace);
    if (!FT_IS_SCALABLE(face.get()) || face->units_per_EM == 0) return nullptr;

    // Pixels per font unit: the cell takes the requested height; the average character takes the
    // requested width (0 keeps the face's own proportions).
    const VerticalExtent extent = cellExtent(face.get());
    if (extent.ascent + extent.descent <= 0) return nullptr;
    const double yScale = static_cast<double>(height) / (extent.ascent + extent.descent);
    const double averageWidth = averageCharacterWidth(face.get());
    const double xScale = width > 0 ? width / averageWidth : yScale;

    FT_Size_RequestRec request = {};
    request.type = FT_SIZE_REQUEST_TYPE_NOMINAL;
    request.width = std::lround(xScale * face->units_per_EM * 64);
    request.height = std::lround(yScale * face->units_per_EM * 64);
    if (request.width <= 0 || request.height <= 0) return nullptr;
    if (FT_Request_Size(face.get(), &request) != 0) return nullptr;

    // A TrueType face whose header asks for whole-pixel ems gets its scale rounded, which would
    // miss the cell height by up to half a pixel per em; the transform makes up the difference in
    // both directions (and is the identity otherwise). It applies to the advances too.
    const FT_Size_Metrics& metrics = face->size->metrics;
    const double actualX = metrics.x_scale / 65536.0 / 64.0;
    const double actualY = metrics.y_scale / 65536.0 / 64.0;
    FT_Matrix correction = {std::lround(xScale / actualX * 65536), 0, 0,
                            std::lround(yScale / actualY * 65536)};
    FT_Set_Transform(face.get(), &correction, nullptr);

    const int baseline = static_cast<int>(std::lround(extent.ascent * yScale));
    const int halfAdvance = static_cast<int>(std::lround(averageWidth * xScale));
    return std::make_unique<FreeTypeFont>(std::move(library), std::move(face), height, baseline,
                                          halfAdvance);
}

}  // namespace darts::gfx
