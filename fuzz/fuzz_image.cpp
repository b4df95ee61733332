// Any bytes as an image file (every format the texture loader sniffs), as a resource bitmap and
// as an icon or cursor file.
#include <cstddef>
#include <cstdint>
#include <span>

#include "gfx/cursor_icon.h"
#include "gfx/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> bytes(data, size);
    darts::gfx::decodeImage(bytes);
    darts::gfx::decodeDib(bytes);
    darts::gfx::decodeTga(bytes);
    darts::gfx::decodeIcon(bytes);
    darts::gfx::decodeCursor(bytes);
    return 0;
}
