// PNG encoding of RGBA images, for screenshots.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "gfx/image.h"

namespace darts::gfx {

// The image as an 8-bit RGBA PNG file; nothing when the image is empty or its pixel data does not
// match its size.
std::optional<std::vector<uint8_t>> encodePng(const Image& image);

// Encodes and writes the image; false when it cannot be encoded or the file cannot be written
// completely (a partly written file is removed).
bool writePng(const std::filesystem::path& path, const Image& image);

}  // namespace darts::gfx
