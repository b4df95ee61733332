// Any bytes as a .x model file: the loader must refuse what it cannot read, never crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "gfx/xfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    darts::gfx::parseXFile(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
