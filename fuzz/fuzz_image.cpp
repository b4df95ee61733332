// Any bytes as an image file (every format the texture loader sniffs) and as a resource bitmap.
#include <cstddef>
#include <cstdint>
#include <span>

#include "gfxutil/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> bytes(data, size);
    darts::gfx::decodeImage(bytes);
    darts::gfx::decodeDib(bytes);
    darts::gfx::decodeTga(bytes);
    return 0;
}
