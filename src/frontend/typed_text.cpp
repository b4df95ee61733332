#include "frontend/typed_text.h"

#include "gfx/text_encoding.h"

namespace darts::frontend {

std::string typeableText(std::string_view utf8, size_t most) {
    std::string kept;
    size_t characters = 0;
    for (size_t pos = 0; pos < utf8.size() && characters < most;) {
        const size_t length = gfx::utf8CharLength(utf8, pos);
        const auto lead = static_cast<unsigned char>(utf8[pos]);
        if (length > 1 || (lead >= 0x20 && lead != 0x7F)) {
            kept.append(utf8, pos, length);
            ++characters;
        }
        pos += length;
    }
    return kept;
}

}  // namespace darts::frontend
