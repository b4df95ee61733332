#include "gfx/cursor_icon.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "gfx/image_internal.h"
#include "gfx/resources.h"

namespace darts::gfx {
namespace {

using detail::ByteReader;

constexpr uint16_t kIconType = 1;
constexpr uint16_t kCursorType = 2;
constexpr size_t kDirectoryHeaderSize = 6;
constexpr size_t kDirectoryEntrySize = 16;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0;
constexpr size_t kHeightField = 8;  // offset of the height in BITMAPINFOHEADER

struct DirectoryEntry {
    int width = 0;  // as the directory states it; 0 there means 256
    int height = 0;
    uint16_t planesOrHotSpotX = 0;  // icons: colour planes; cursors: hot spot x
    uint16_t bitsOrHotSpotY = 0;    // icons: bits per pixel; cursors: hot spot y
    std::span<const uint8_t> picture;
};

std::optional<std::vector<DirectoryEntry>> readDirectory(std::span<const uint8_t> bytes,
                                                         uint16_t type) {
    ByteReader in(bytes);
    const uint16_t reserved = in.u16();
    const uint16_t fileType = in.u16();
    const uint16_t count = in.u16();
    if (!in.ok() || reserved != 0 || fileType != type || count == 0) return std::nullopt;
    if (count > (bytes.size() - kDirectoryHeaderSize) / kDirectoryEntrySize) return std::nullopt;

    std::vector<DirectoryEntry> entries(count);
    for (DirectoryEntry& entry : entries) {
        const uint8_t width = in.u8();
        const uint8_t height = in.u8();
        in.u8();  // colour count
        in.u8();  // reserved
        entry.width = width == 0 ? 256 : width;
        entry.height = height == 0 ? 256 : height;
        entry.planesOrHotSpotX = in.u16();
        entry.bitsOrHotSpotY = in.u16();
        const uint32_t size = in.u32();
        const uint32_t offset = in.u32();
        if (!in.ok() || offset > bytes.size() || size > bytes.size() - offset) return std::nullopt;
        entry.picture = bytes.subspan(offset, size);
    }
    return entries;
}

// The entry to decode for `wantedSize`: nearest in size, then larger, then more colours.
const DirectoryEntry& chooseEntry(const std::vector<DirectoryEntry>& entries, uint16_t type,
                                  int wantedSize) {
    auto distance = [&](const DirectoryEntry& e) {
        return std::abs(e.width - wantedSize) + std::abs(e.height - wantedSize);
    };
    // A cursor's entry has its hot spot where an icon's has its colour depth.
    auto bits = [&](const DirectoryEntry& e) { return type == kIconType ? e.bitsOrHotSpotY : 0; };
    const DirectoryEntry* best = &entries.front();
    for (const DirectoryEntry& e : entries) {
        const int d = distance(e), bestD = distance(*best);
        const int area = e.width * e.height, bestArea = best->width * best->height;
        if (d < bestD || (d == bestD && area > bestArea) ||
            (d == bestD && area == bestArea && bits(e) > bits(*best))) {
            best = &e;
        }
    }
    return *best;
}

bool isPng(std::span<const uint8_t> picture) {
    static constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return picture.size() >= 8 && std::equal(kSignature, kSignature + 8, picture.begin());
}

struct IconDib {
    int64_t width = 0;
    int64_t height = 0;  // of the picture: half the height the header states
    int bits = 0;
    size_t colourOffset = 0;  // start of the colour pixels, after header and palette
    size_t colourStride = 0;
    size_t maskOffset = 0;
    size_t maskStride = 0;
};

// Checks the header of an icon DIB and locates its colour pixels and its mask, all inside the
// picture. Only uncompressed, bottom-up bitmaps occur in icon files.
std::optional<IconDib> parseIconDib(std::span<const uint8_t> picture) {
    ByteReader in(picture);
    const uint32_t headerSize = in.u32();
    const int32_t width = in.i32();
    const int32_t doubledHeight = in.i32();
    in.u16();  // planes
    const int bits = in.u16();
    const uint32_t compression = in.u32();
    in.skip(12);  // image size and resolution
    const uint32_t coloursUsed = in.u32();
    if (!in.ok() || headerSize < kInfoHeaderSize || headerSize > picture.size())
        return std::nullopt;
    if (compression != kBiRgb || doubledHeight <= 0 || doubledHeight % 2 != 0) return std::nullopt;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return std::nullopt;
    }
    IconDib dib;
    dib.width = width;
    dib.height = doubledHeight / 2;
    dib.bits = bits;
    if (!detail::imageSizeOk(dib.width, dib.height)) return std::nullopt;

    // The same palette rule as for any DIB: "colours used", or a full palette below 16 bits.
    uint64_t paletteCount = coloursUsed;
    if (bits <= 8 && paletteCount == 0) paletteCount = uint64_t{1} << bits;
    if (bits <= 8 && paletteCount > 256) return std::nullopt;
    // The size checks above bound every product here well inside 64 bits.
    const uint64_t colourOffset = headerSize + paletteCount * 4;
    const uint64_t colourStride = (static_cast<uint64_t>(dib.width) * bits + 31) / 32 * 4;
    const uint64_t maskStride = (static_cast<uint64_t>(dib.width) + 31) / 32 * 4;
    const uint64_t maskOffset = colourOffset + colourStride * static_cast<uint64_t>(dib.height);
    const uint64_t end = maskOffset + maskStride * static_cast<uint64_t>(dib.height);
    if (end > picture.size()) return std::nullopt;
    dib.colourOffset = static_cast<size_t>(colourOffset);
    dib.colourStride = static_cast<size_t>(colourStride);
    dib.maskOffset = static_cast<size_t>(maskOffset);
    dib.maskStride = static_cast<size_t>(maskStride);
    return dib;
}

// Whether a 32-bit picture stores alpha in its fourth bytes; older writers leave them all zero
// and rely on the mask alone.
bool carriesAlpha(std::span<const uint8_t> picture, const IconDib& dib) {
    if (dib.bits != 32) return false;
    for (int64_t y = 0; y < dib.height; ++y) {
        const size_t row = dib.colourOffset + static_cast<size_t>(y) * dib.colourStride;
        for (int64_t x = 0; x < dib.width; ++x) {
            if (picture[row + static_cast<size_t>(x) * 4 + 3] != 0) return true;
        }
    }
    return false;
}

void applyMask(std::span<const uint8_t> picture, const IconDib& dib, Image& image) {
    for (int64_t y = 0; y < dib.height; ++y) {
        // Bottom-up like the colours: the first mask row is the picture's last.
        const size_t row = dib.maskOffset + static_cast<size_t>(y) * dib.maskStride;
        const int64_t imageRow = dib.height - 1 - y;
        for (int64_t x = 0; x < dib.width; ++x) {
            const bool transparent = (picture[row + static_cast<size_t>(x / 8)] >> (7 - x % 8)) & 1;
            if (!transparent) continue;
            // Pixels the mask would invert on screen cannot be shown over a texture: they go
            // clear as well.
            uint8_t* p = &image.rgba[static_cast<size_t>((imageRow * dib.width + x) * 4)];
            std::fill(p, p + 4, uint8_t{0});
        }
    }
}

std::optional<Image> decodeIconDib(std::span<const uint8_t> picture) {
    const auto dib = parseIconDib(picture);
    if (!dib) return std::nullopt;
    // The colour half on its own is an ordinary DIB once the header states its real height.
    std::vector<uint8_t> colours(picture.begin(), picture.begin() + dib->maskOffset);
    const uint32_t height = static_cast<uint32_t>(dib->height);
    for (size_t i = 0; i < 4; ++i)
        colours[kHeightField + i] = static_cast<uint8_t>(height >> (8 * i));
    auto image = decodeDib(colours, /*forceOpaque=*/false);
    if (!image || image->width != dib->width || image->height != dib->height) return std::nullopt;
    // Without alpha of its own the colour half decodes opaque and the mask decides.
    if (!carriesAlpha(picture, *dib)) applyMask(picture, *dib, *image);
    return image;
}

std::optional<Image> decodePicture(std::span<const uint8_t> picture) {
    return isPng(picture) ? decodePng(picture) : decodeIconDib(picture);
}

}  // namespace

std::optional<Image> decodeIcon(std::span<const uint8_t> bytes, int wantedSize) {
    const auto entries = readDirectory(bytes, kIconType);
    if (!entries) return std::nullopt;
    return decodePicture(chooseEntry(*entries, kIconType, wantedSize).picture);
}

std::optional<CursorImage> decodeCursor(std::span<const uint8_t> bytes, int wantedSize) {
    const auto entries = readDirectory(bytes, kCursorType);
    if (!entries) return std::nullopt;
    const DirectoryEntry& entry = chooseEntry(*entries, kCursorType, wantedSize);
    auto image = decodePicture(entry.picture);
    if (!image) return std::nullopt;
    // A hot spot outside the picture would point at nothing drawn; keep it on the nearest edge.
    const int hotSpotX = std::min<int>(entry.planesOrHotSpotX, image->width - 1);
    const int hotSpotY = std::min<int>(entry.bitsOrHotSpotY, image->height - 1);
    return CursorImage{std::move(*image), hotSpotX, hotSpotY};
}

std::optional<Image> loadIconResource(std::string_view name, int wantedSize) {
    const auto bytes = findResource(name, ".ico");
    if (!bytes) return std::nullopt;
    return decodeIcon(*bytes, wantedSize);
}

std::optional<CursorImage> loadCursorResource(std::string_view name, int wantedSize) {
    const auto bytes = findResource(name, ".cur");
    if (!bytes) return std::nullopt;
    return decodeCursor(*bytes, wantedSize);
}

}  // namespace darts::gfx
