// Writers for BMP files and the icon and cursor containers, little-endian as Windows reads them.
#include <stdexcept>

#include "bitmaps_raster.h"

namespace darts::content::bitmaps {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kPixelsPerMetre = 2835;  // 72 dpi

class ByteWriter {
  public:
    explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}
    void u8(uint32_t v) { out_.push_back(static_cast<uint8_t>(v)); }
    void u16(uint32_t v) {
        u8(v & 0xFF);
        u8((v >> 8) & 0xFF);
    }
    void u32(uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void zeros(size_t n) { out_.insert(out_.end(), n, 0); }

  private:
    std::vector<uint8_t>& out_;
};

uint32_t paddedRowBytes(int width, int bitsPerPixel) {
    return ((static_cast<uint32_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

void writeInfoHeader(ByteWriter& w, int width, int height, int bits, uint32_t imageBytes,
                     uint32_t paletteColours) {
    w.u32(kInfoHeaderSize);
    w.u32(static_cast<uint32_t>(width));
    w.u32(static_cast<uint32_t>(height));  // positive: bottom-up rows
    w.u16(1);                              // planes
    w.u16(static_cast<uint32_t>(bits));
    w.u32(0);  // BI_RGB
    w.u32(imageBytes);
    w.u32(kPixelsPerMetre);
    w.u32(kPixelsPerMetre);
    w.u32(paletteColours);
    w.u32(0);  // all colours important
}

void writeFileHeader(ByteWriter& w, uint32_t fileSize, uint32_t pixelOffset) {
    w.u8('B');
    w.u8('M');
    w.u32(fileSize);
    w.u32(0);  // reserved
    w.u32(pixelOffset);
}

void requireSize(int width, int height) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("empty picture");
}

}  // namespace

std::vector<uint8_t> encodeBmp24(const Raster& picture) {
    requireSize(picture.width, picture.height);
    const uint32_t rowBytes = paddedRowBytes(picture.width, 24);
    const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(picture.height);
    const uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
    std::vector<uint8_t> out;
    out.reserve(offset + imageBytes);
    ByteWriter w(out);
    writeFileHeader(w, offset + imageBytes, offset);
    writeInfoHeader(w, picture.width, picture.height, 24, imageBytes, 0);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t p = picture.at(x, y);
            w.u8(p & 0xFF);
            w.u8((p >> 8) & 0xFF);
            w.u8((p >> 16) & 0xFF);
        }
        w.zeros(rowBytes - static_cast<uint32_t>(picture.width) * 3);
    }
    return out;
}

std::vector<uint8_t> encodeBmp8(const IndexedImage& picture) {
    requireSize(picture.width, picture.height);
    if (picture.palette.empty() || picture.palette.size() > 256) {
        throw std::invalid_argument("an 8-bit bitmap needs 1 to 256 palette entries");
    }
    const uint32_t rowBytes = paddedRowBytes(picture.width, 8);
    const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(picture.height);
    const auto paletteColours = static_cast<uint32_t>(picture.palette.size());
    const uint32_t offset = kFileHeaderSize + kInfoHeaderSize + 4 * paletteColours;
    std::vector<uint8_t> out;
    out.reserve(offset + imageBytes);
    ByteWriter w(out);
    writeFileHeader(w, offset + imageBytes, offset);
    writeInfoHeader(w, picture.width, picture.height, 8, imageBytes, paletteColours);
    for (uint32_t colour : picture.palette) {
        w.u8(colour & 0xFF);
        w.u8((colour >> 8) & 0xFF);
        w.u8((colour >> 16) & 0xFF);
        w.u8(0);  // reserved
    }
    for (int y = picture.height - 1; y >= 0; --y) {
        const uint8_t* row = &picture.indices[static_cast<size_t>(y) * picture.width];
        for (int x = 0; x < picture.width; ++x) {
            if (row[x] >= paletteColours) throw std::invalid_argument("index past the palette");
            w.u8(row[x]);
        }
        w.zeros(rowBytes - static_cast<uint32_t>(picture.width));
    }
    return out;
}

std::vector<uint8_t> encodeIconFile(IconKind kind, std::span<const IconImage> pictures) {
    if (pictures.empty()) throw std::invalid_argument("an icon file needs a picture");
    constexpr uint32_t kDirectoryHeader = 6;
    constexpr uint32_t kDirectoryEntry = 16;

    std::vector<std::vector<uint8_t>> images;
    for (const IconImage& icon : pictures) {
        const Raster& p = icon.picture;
        requireSize(p.width, p.height);
        if (p.width > 256 || p.height > 256) throw std::invalid_argument("icon over 256 pixels");
        const uint32_t colourRow = paddedRowBytes(p.width, 32);
        const uint32_t maskRow = paddedRowBytes(p.width, 1);
        const uint32_t pixelBytes = (colourRow + maskRow) * static_cast<uint32_t>(p.height);
        std::vector<uint8_t> image;
        ByteWriter w(image);
        // The height counts the colour pixels and the mask together.
        writeInfoHeader(w, p.width, 2 * p.height, 32, pixelBytes, 0);
        for (int y = p.height - 1; y >= 0; --y) {
            for (int x = 0; x < p.width; ++x) w.u32(p.at(x, y));  // B, G, R, A in memory order
        }
        for (int y = p.height - 1; y >= 0; --y) {
            std::vector<uint8_t> row(maskRow, 0);
            for (int x = 0; x < p.width; ++x) {
                // A set bit lets the screen show through where the picture is fully transparent.
                if ((p.at(x, y) >> 24) == 0) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
            }
            image.insert(image.end(), row.begin(), row.end());
        }
        images.push_back(std::move(image));
    }

    std::vector<uint8_t> out;
    ByteWriter w(out);
    w.u16(0);
    w.u16(static_cast<uint32_t>(kind));
    w.u16(static_cast<uint32_t>(pictures.size()));
    uint32_t offset = kDirectoryHeader + kDirectoryEntry * static_cast<uint32_t>(pictures.size());
    for (size_t i = 0; i < pictures.size(); ++i) {
        const IconImage& icon = pictures[i];
        w.u8(icon.picture.width == 256 ? 0 : static_cast<uint32_t>(icon.picture.width));
        w.u8(icon.picture.height == 256 ? 0 : static_cast<uint32_t>(icon.picture.height));
        w.u8(0);  // no palette
        w.u8(0);
        if (kind == IconKind::Cursor) {
            w.u16(static_cast<uint32_t>(icon.hotSpotX));
            w.u16(static_cast<uint32_t>(icon.hotSpotY));
        } else {
            w.u16(1);   // planes
            w.u16(32);  // bits per pixel
        }
        w.u32(static_cast<uint32_t>(images[i].size()));
        w.u32(offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
    return out;
}

}  // namespace darts::content::bitmaps
