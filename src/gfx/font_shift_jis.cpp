// Code page 932 to code points for glyph look-up. The byte structure (which bytes lead a pair,
// which may follow) is decided here; iconv's "CP932" table maps each pair, so the double-byte
// characters, including NEC and IBM extensions and the user-defined area, come out exactly as the
// system converter has them. "SHIFT_JIS" would differ: it maps 0x5C to the yen sign and some
// symbols elsewhere.
#include <iconv.h>

#include <cstdint>

#include "gfx/font.h"

namespace darts::gfx {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool isTrailByte(uint8_t b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }
bool isHalfWidthKatakana(uint8_t b) { return b >= 0xA1 && b <= 0xDF; }

// One iconv descriptor for one decoding, opened only when the text has a double-byte character:
// most of the game's texts are plain ASCII.
class PairDecoder {
  public:
    PairDecoder() = default;
    PairDecoder(const PairDecoder&) = delete;
    PairDecoder& operator=(const PairDecoder&) = delete;
    ~PairDecoder() {
        if (opened()) iconv_close(descriptor_);
    }

    char32_t decode(uint8_t lead, uint8_t trail) {
        if (!opened()) descriptor_ = iconv_open("UTF-32LE", "CP932");
        if (!opened()) return kReplacement;
        char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        unsigned char out[8] = {};
        char* inPtr = in;
        size_t inLeft = sizeof in;
        char* outPtr = reinterpret_cast<char*>(out);
        size_t outLeft = sizeof out;
        // Reset the shift state first: a failed conversion must not affect the next pair.
        iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
        size_t result = iconv(descriptor_, &inPtr, &inLeft, &outPtr, &outLeft);
        // Exactly one character from exactly both bytes; anything else is no valid pair.
        if (result == static_cast<size_t>(-1) || inLeft != 0 || sizeof out - outLeft != 4) {
            return kReplacement;
        }
        return char32_t{out[0]} | (char32_t{out[1]} << 8) | (char32_t{out[2]} << 16) |
               (char32_t{out[3]} << 24);
    }

  private:
    bool opened() const { return descriptor_ != reinterpret_cast<iconv_t>(-1); }

    iconv_t descriptor_ = reinterpret_cast<iconv_t>(-1);
};

}  // namespace

std::u32string decodeShiftJis(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    PairDecoder pairs;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<uint8_t>(text[i]);
        if (b < 0x80) {
            out += char32_t{b};  // code page 932 keeps ASCII as it is, 0x5C a backslash
        } else if (isHalfWidthKatakana(b)) {
            out += char32_t{0xFF61} + (b - 0xA1);
        } else if (isLeadByte(b)) {
            if (i + 1 == text.size()) break;  // a character cut in half at the end is dropped
            const auto trail = static_cast<uint8_t>(text[i + 1]);
            if (!isTrailByte(trail)) {
                // A stray lead byte spoils only itself: the byte after it, typically ASCII,
                // is decoded on its own on the next turn.
                out += kReplacement;
                continue;
            }
            out += pairs.decode(b, trail);
            ++i;
        } else {
            out += kReplacement;  // 0x80, 0xA0 and 0xFD..0xFF are unassigned
        }
    }
    return out;
}

}  // namespace darts::gfx
