#include "gfxutil/text_encoding.h"

#include <iconv.h>

#include <cerrno>

namespace darts::gfx {
namespace {

// Converts with iconv, replacing whatever cannot be converted and going on after it.
std::string convert(std::string_view text, const char* to, const char* from,
                    std::string_view replacement, size_t skipOnError) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(text);
    std::string out;
    char buffer[256];
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (result == static_cast<size_t>(-1) && errno != E2BIG) {
            out.append(replacement);
            size_t skip = skipOnError < inLeft ? skipOnError : inLeft;
            in += skip;
            inLeft -= skip;
        }
    }
    iconv_close(cd);
    return out;
}

size_t utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

}  // namespace

std::string cp932ToUtf8(std::string_view text) {
    return convert(text, "UTF-8", "CP932", "\xEF\xBF\xBD", 1);
}

std::string utf8ToCp932(std::string_view text) {
    std::string out;
    // Convert character by character so that one unmappable character costs only itself.
    for (size_t i = 0; i < text.size();) {
        size_t length = utf8SequenceLength(static_cast<unsigned char>(text[i]));
        if (i + length > text.size()) length = text.size() - i;
        out += convert(text.substr(i, length), "CP932", "UTF-8", "?", length);
        i += length;
    }
    return out;
}

}  // namespace darts::gfx
