#include "frontend/shift_jis_text.h"

namespace darts::frontend {

bool isShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

size_t shiftJisCharLength(std::string_view text, size_t pos) {
    const bool pair =
        isShiftJisLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size();
    return pair ? 2 : 1;
}

std::string_view shiftJisPrefix(std::string_view text, size_t maxBytes) {
    size_t end = 0;
    while (end < text.size()) {
        const size_t next = end + shiftJisCharLength(text, end);
        if (next > maxBytes) break;
        end = next;
    }
    return text.substr(0, end);
}

size_t shiftJisTailStart(std::string_view text, size_t maxBytes) {
    size_t start = 0;
    while (text.size() - start > maxBytes) start += shiftJisCharLength(text, start);
    return start;
}

size_t shiftJisLastCharStart(std::string_view text) {
    size_t start = 0;
    for (size_t pos = 0; pos < text.size(); pos += shiftJisCharLength(text, pos)) start = pos;
    return start;
}

}  // namespace darts::frontend
