// Image decoding for textures: every supported file format comes out as 32-bit RGBA, 8 bits per
// channel, top row first, rows packed without padding. Decoders never throw and never abort: a
// malformed, truncated or oversized input gives std::nullopt.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace darts::gfx {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;  // width * height * 4 bytes: R, G, B, A
};

// Largest image any decoder will allocate; anything beyond is treated as a malformed file.
inline constexpr int kMaxImageDimension = 16384;
inline constexpr int64_t kMaxImagePixels = int64_t{1} << 26;  // 256 MiB of RGBA

enum class ImageFormat { Unknown, Bmp, Dib, Png, Jpeg, Tga, Ppm, Dds };

// Guesses the format from the leading bytes. TGA has no signature, so it is reported only when
// nothing else matches and its header is self-consistent.
ImageFormat sniffImageFormat(std::span<const uint8_t> bytes);

// Decodes whatever sniffImageFormat recognises. Alpha is taken from the file where the format
// carries it; a headerless DIB read this way keeps the alpha of a 32-bit bitmap.
std::optional<Image> decodeImage(std::span<const uint8_t> bytes);
std::optional<Image> decodeImageFile(const std::filesystem::path& path);

// A BMP file: BITMAPFILEHEADER followed by a DIB. `forceOpaque` as for decodeDib.
std::optional<Image> decodeBmp(std::span<const uint8_t> bytes, bool forceOpaque = false);
// A device-independent bitmap without file header, as bitmap resources store it: info header,
// optional colour masks and palette, then the pixels. Resource bitmaps are drawn fully opaque,
// hence the default.
std::optional<Image> decodeDib(std::span<const uint8_t> bytes, bool forceOpaque = true);
std::optional<Image> decodePng(std::span<const uint8_t> bytes);
std::optional<Image> decodeJpeg(std::span<const uint8_t> bytes);
std::optional<Image> decodeTga(std::span<const uint8_t> bytes);
// Binary PGM (P5) and PPM (P6).
std::optional<Image> decodePpm(std::span<const uint8_t> bytes);
// Top mip level of an uncompressed (bit-mask) or DXT1/DXT3/DXT5 surface.
std::optional<Image> decodeDds(std::span<const uint8_t> bytes);

}  // namespace darts::gfx
