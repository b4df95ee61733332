// Resources compiled into the executable: the files of the resources/ folder (bitmaps, cursor,
// icon), found by name without regard to case. A resource's name is its file name without the
// extension, so "compare_board" finds COMPARE_BOARD.bmp.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "gfx/image.h"

namespace darts::gfx {

struct EmbeddedResource {
    std::string_view name;       // file name without extension, as spelt on disk
    std::string_view extension;  // with the dot, e.g. ".bmp"; empty when the file has none
    std::span<const uint8_t> bytes;
};

// The game's resources, generated at build time from resources/; empty when the folder is.
std::span<const EmbeddedResource> gameResources();

// The first resource of that name (any extension, in file-name order), or nothing.
std::optional<std::span<const uint8_t>> findResource(std::string_view name);
// The resource of that name and extension (".cur", ".ico"), both compared without case.
std::optional<std::span<const uint8_t>> findResource(std::string_view name,
                                                     std::string_view extension);

// A bitmap resource as the executable's resource section would hold it: the DIB without the
// BITMAPFILEHEADER of the .bmp file. Nothing when there is no .bmp of that name or it is too
// short to be a bitmap file.
std::optional<std::span<const uint8_t>> findBitmapResource(std::string_view name);

// The same lookups over any table of resources (a test's own set, for instance).
std::optional<std::span<const uint8_t>> findResource(std::span<const EmbeddedResource> table,
                                                     std::string_view name,
                                                     std::optional<std::string_view> extension);
std::optional<std::span<const uint8_t>> findBitmapResource(std::span<const EmbeddedResource> table,
                                                           std::string_view name);

// A bitmap resource decoded for use as a texture: the same picture as its DIB, every texel
// opaque. When no bitmap of that name exists, any other resource of the name is decoded as an
// image file in its own right, keeping its alpha.
std::optional<Image> loadBitmapResource(std::string_view name);
std::optional<Image> loadBitmapResource(std::span<const EmbeddedResource> table,
                                        std::string_view name);

}  // namespace darts::gfx
