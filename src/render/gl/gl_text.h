// Text for the OpenGL device: glyphs rendered once by gfx::Font are packed into atlas textures and
// each string is drawn as one batch of quads per atlas page, so text costs little per frame.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "gfx/font.h"
#include "render/sharp_frame.h"

namespace darts::render::gl {

// Where a glyph's bitmap lies in the atlas and how it sits against the pen.
struct AtlasGlyph {
    int page = -1;  // -1: nothing to draw (a blank)
    int atlasX = 0, atlasY = 0;
    int width = 0, height = 0;
    int left = 0, top = 0;
    int advance = 0;
};

// Shelf packing of glyph bitmaps into square pages, one pixel of space around each so that point
// sampling at a glyph's edge never picks up its neighbour.
class AtlasPacker {
  public:
    explicit AtlasPacker(int pageSize) : pageSize_(pageSize) {}
    // The page and top-left corner for a bitmap; false when it can never fit a page.
    bool place(int width, int height, int& page, int& x, int& y);
    int pageCount() const { return pageCount_; }
    int pageSize() const { return pageSize_; }

  private:
    int pageSize_;
    int pageCount_ = 0;
    int shelfX_ = 0, shelfY_ = 0, shelfHeight_ = 0;
};

// One vertex of a glyph quad: frame pixel and atlas texel.
struct TextVertex {
    float x, y, u, v;
};

// A font with its atlas. GL resources are made and freed on the thread of the current context.
class AtlasFont {
  public:
    static constexpr int kPageSize = 512;

    explicit AtlasFont(std::unique_ptr<gfx::Font> font);
    ~AtlasFont();
    AtlasFont(const AtlasFont&) = delete;
    AtlasFont& operator=(const AtlasFont&) = delete;

    // Lays out the code points from (x, y), the top of the first line's cells; "\n" starts a new
    // line at x one cell lower, "\r" is skipped. Quads are appended two triangles each to the
    // list of their atlas page.
    void layout(std::u32string_view text, int x, int y,
                std::vector<std::vector<TextVertex>>& quadsByPage);
    unsigned pageTexture(int page) const { return pages_[static_cast<size_t>(page)]; }
    int cellHeight() const { return font_->cellHeight(); }

  private:
    const AtlasGlyph& glyph(char32_t codepoint);

    std::unique_ptr<gfx::Font> font_;
    AtlasPacker packer_{kPageSize};
    std::vector<unsigned> pages_;
    std::unordered_map<char32_t, AtlasGlyph> glyphs_;
};

// The text program and its streaming buffer, and the fonts by handle (1-based).
class TextRenderer {
  public:
    // Needs a current OpenGL 3.3 context; `error` is set when the program cannot be built.
    explicit TextRenderer(std::string& error);
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    uint32_t addFont(std::unique_ptr<gfx::Font> font);
    // Puts another face (and a new atlas) under an existing handle; 0 when there is none.
    uint32_t replaceFont(uint32_t handle, std::unique_ptr<gfx::Font> font);
    // Draws over the frame without depth test or depth writes, blended by coverage x the colour's
    // alpha; afterwards depth test and writes are on again, as the device keeps them. On a frame
    // drawn at `scale` (x, y stay 800 x 600 pixels) the face is taken to be made for that scale:
    // its bitmaps are laid out from the scaled pen position, one texel to one pixel.
    void draw(uint32_t font, std::string_view shiftJisText, int x, int y, uint32_t argb,
              FrameScale scale = {});

  private:
    unsigned program_ = 0;
    unsigned vertexArray_ = 0;
    unsigned vertexBuffer_ = 0;
    int colorLocation_ = -1;
    int atlasSizeLocation_ = -1;
    std::vector<std::unique_ptr<AtlasFont>> fonts_;
    std::vector<std::vector<TextVertex>> batches_;
};

}  // namespace darts::render::gl
