// Text faces for the game's two fonts: a Japanese gothic face found through fontconfig, scaled so
// that its cell (ascent + descent) is the requested height and its average (half-width) character
// the requested width, so the 12 x 14 and 42 x 44 fonts come out wide. Glyphs are rendered once
// into 8-bit coverage bitmaps and kept.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace darts::gfx {

struct GlyphImage {
    int width = 0;   // bitmap size in pixels (0 x 0 for a blank such as a space)
    int height = 0;
    int left = 0;     // bitmap's left edge from the pen position
    int top = 0;      // bitmap's top edge below the top of the text cell
    int advance = 0;  // pen movement to the next character, in pixels
    std::vector<unsigned char> coverage;  // width x height, rows top first, 0..255
};

class Font {
public:
    virtual ~Font() = default;
    // The glyph of a Unicode code point, rendered on first use and cached; the reference stays
    // valid for the font's lifetime. A character the face lacks (or no character at all) gets the
    // face's .notdef glyph; control characters come out blank with no advance.
    virtual const GlyphImage& glyph(char32_t codepoint) = 0;
    // The cell height: a line of text occupies this many pixels below its top.
    virtual int cellHeight() const = 0;
};

// A font with cells `height` pixels high and an average character `width` pixels wide (0 keeps
// the face's own proportions); null when no usable face can be found or loaded, or when a size is
// negative, a height is 0 or either exceeds 1024.
std::unique_ptr<Font> createFont(int height, int width);

// Shift-JIS (code page 932) bytes to code points; an undecodable byte becomes U+FFFD and a lead
// byte at the very end is dropped.
std::u32string decodeShiftJis(std::string_view text);

}  // namespace darts::gfx
