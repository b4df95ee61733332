// Writes one picture of an icon file (.ico) as a PNG, for the desktop's icon theme:
//   make-icon-png ICON.ico SIZE OUT.png
// Fails (status 1) when the icon holds no picture of exactly SIZE x SIZE pixels, so an install
// never ships a scaled or mismatched icon under a size folder.
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

#include "gfx/cursor_icon.h"
#include "gfx/png_writer.h"

int main(int argc, char** argv) {
    int size = 0;
    const std::string_view sizeText = argc == 4 ? argv[2] : "";
    const auto parsed = std::from_chars(sizeText.data(), sizeText.data() + sizeText.size(), size);
    if (argc != 4 || parsed.ec != std::errc() || parsed.ptr != sizeText.data() + sizeText.size() ||
        size <= 0) {
        std::fprintf(stderr, "usage: make-icon-png ICON.ico SIZE OUT.png\n");
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                     std::istreambuf_iterator<char>()};
    const auto icon = darts::gfx::decodeIcon(bytes, size);
    if (!icon) {
        std::fprintf(stderr, "make-icon-png: %s is not an icon file\n", argv[1]);
        return 1;
    }
    if (icon->width != size || icon->height != size) {
        std::fprintf(stderr, "make-icon-png: %s holds no %dx%d picture\n", argv[1], size, size);
        return 1;
    }
    if (!darts::gfx::writePng(argv[3], *icon)) {
        std::fprintf(stderr, "make-icon-png: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
