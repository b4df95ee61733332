#include "gfx/text_encoding.h"

#include <iconv.h>

#include <cerrno>

namespace darts::gfx {
namespace {

// Converts with one converter, replacing whatever cannot be converted and going on after it:
// `skipOnError` says how many bytes of the rest of the input the replacement stands for.
template <typename Skip>
std::string convert(std::string_view text, const char* to, const char* from,
                    std::string_view replacement, Skip skipOnError) {
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
            const size_t skip = skipOnError(std::string_view(in, inLeft));
            in += skip;
            inLeft -= skip;
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

size_t utf8CharLength(std::string_view text, size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return length < text.size() - pos ? length : text.size() - pos;
}

std::string cp932ToUtf8(std::string_view text) {
    return convert(text, "UTF-8", "CP932", "\xEF\xBF\xBD", [](std::string_view) { return 1; });
}

std::string utf8ToCp932(std::string_view text) {
    // One unmappable character (or one that is no UTF-8) costs only itself.
    return convert(text, "CP932", "UTF-8", "?",
                   [](std::string_view rest) { return utf8CharLength(rest, 0); });
}

}  // namespace darts::gfx
