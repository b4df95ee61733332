// Format detection and the file entry point for the image decoders.
#include "gfx/image.h"

#include <cstring>
#include <fstream>
#include <system_error>

#include "gfx/image_internal.h"

namespace darts::gfx {

namespace detail {

std::optional<Image> allocateImage(int64_t width, int64_t height) {
    if (!imageSizeOk(width, height)) return std::nullopt;
    Image image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.rgba.assign(static_cast<size_t>(width * height) * 4, 0);
    return image;
}

}  // namespace detail

namespace {

// Texture files are small; anything this large is not worth reading into memory.
constexpr uintmax_t kMaxImageFileBytes = uintmax_t{256} << 20;

bool startsWith(std::span<const uint8_t> bytes, const char* magic, size_t length) {
    return bytes.size() >= length && std::memcmp(bytes.data(), magic, length) == 0;
}

bool isDibHeaderSize(uint32_t size) {
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// TGA has no magic number; accept a header only when its fields are mutually consistent.
bool looksLikeTga(std::span<const uint8_t> bytes) {
    if (bytes.size() < 18) return false;
    const uint8_t colorMapType = bytes[1];
    const uint8_t imageType = bytes[2];
    const uint16_t mapLength = detail::loadU16LE(&bytes[5]);
    const uint8_t mapEntryBits = bytes[7];
    const uint16_t width = detail::loadU16LE(&bytes[12]);
    const uint16_t height = detail::loadU16LE(&bytes[14]);
    const uint8_t depth = bytes[16];
    if (colorMapType > 1 || width == 0 || height == 0) return false;
    switch (imageType & ~8) {
        case 1:
            return colorMapType == 1 && mapLength > 0 &&
                   (mapEntryBits == 15 || mapEntryBits == 16 || mapEntryBits == 24 ||
                    mapEntryBits == 32) &&
                   (depth == 8 || depth == 16);
        case 2:
            return depth == 15 || depth == 16 || depth == 24 || depth == 32;
        case 3:
            return depth == 8 || depth == 16;
        default:
            return false;
    }
}

}  // namespace

ImageFormat sniffImageFormat(std::span<const uint8_t> bytes) {
    if (startsWith(bytes, "\x89PNG\r\n\x1a\n", 8)) return ImageFormat::Png;
    if (startsWith(bytes, "\xff\xd8\xff", 3)) return ImageFormat::Jpeg;
    if (startsWith(bytes, "DDS ", 4)) return ImageFormat::Dds;
    if (startsWith(bytes, "BM", 2)) return ImageFormat::Bmp;
    if (startsWith(bytes, "P5", 2) || startsWith(bytes, "P6", 2)) return ImageFormat::Ppm;
    if (bytes.size() >= 4 && isDibHeaderSize(detail::loadU32LE(bytes.data()))) {
        return ImageFormat::Dib;
    }
    if (looksLikeTga(bytes)) return ImageFormat::Tga;
    return ImageFormat::Unknown;
}

std::optional<Image> decodeImage(std::span<const uint8_t> bytes) {
    switch (sniffImageFormat(bytes)) {
        case ImageFormat::Png:
            return decodePng(bytes);
        case ImageFormat::Jpeg:
            return decodeJpeg(bytes);
        case ImageFormat::Dds:
            return decodeDds(bytes);
        case ImageFormat::Bmp:
            return decodeBmp(bytes);
        case ImageFormat::Ppm:
            return decodePpm(bytes);
        case ImageFormat::Dib:
            return decodeDib(bytes, /*forceOpaque=*/false);
        case ImageFormat::Tga:
            return decodeTga(bytes);
        case ImageFormat::Unknown:
            break;
    }
    return std::nullopt;
}

std::optional<Image> decodeImageFile(const std::filesystem::path& path) {
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size == 0 || size > kMaxImageFileBytes) return std::nullopt;

    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (file.gcount() != static_cast<std::streamsize>(bytes.size())) return std::nullopt;
    return decodeImage(bytes);
}

}  // namespace darts::gfx
