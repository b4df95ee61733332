#include "gfx/resources.h"

#include <algorithm>

namespace darts::gfx {

namespace {

constexpr size_t kBitmapFileHeaderSize = 14;

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Resource names are ASCII identifiers; other bytes compare exactly.
bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

}  // namespace

std::optional<std::span<const uint8_t>> findResource(std::span<const EmbeddedResource> table,
                                                     std::string_view name,
                                                     std::optional<std::string_view> extension) {
    for (const EmbeddedResource& resource : table) {
        if (equalsIgnoringCase(resource.name, name) &&
            (!extension || equalsIgnoringCase(resource.extension, *extension))) {
            return resource.bytes;
        }
    }
    return std::nullopt;
}

std::optional<std::span<const uint8_t>> findBitmapResource(std::span<const EmbeddedResource> table,
                                                           std::string_view name) {
    const auto file = findResource(table, name, ".bmp");
    if (!file || file->size() < kBitmapFileHeaderSize || (*file)[0] != 'B' || (*file)[1] != 'M') {
        return std::nullopt;
    }
    return file->subspan(kBitmapFileHeaderSize);
}

std::optional<Image> loadBitmapResource(std::span<const EmbeddedResource> table,
                                        std::string_view name) {
    // Decoding the whole file rather than its DIB honours the file's pixel offset, so a writer
    // that leaves a gap before the pixels does not shift the picture.
    if (findBitmapResource(table, name)) {
        return decodeBmp(*findResource(table, name, ".bmp"), /*forceOpaque=*/true);
    }
    if (const auto other = findResource(table, name, std::nullopt)) return decodeImage(*other);
    return std::nullopt;
}

std::optional<std::span<const uint8_t>> findResource(std::string_view name) {
    return findResource(gameResources(), name, std::nullopt);
}

std::optional<std::span<const uint8_t>> findResource(std::string_view name,
                                                     std::string_view extension) {
    return findResource(gameResources(), name, extension);
}

std::optional<std::span<const uint8_t>> findBitmapResource(std::string_view name) {
    return findBitmapResource(gameResources(), name);
}

std::optional<Image> loadBitmapResource(std::string_view name) {
    return loadBitmapResource(gameResources(), name);
}

}  // namespace darts::gfx
