// Binary Netpbm images: PGM (P5, grey) and PPM (P6, RGB), with any maximum value up to 65535.
#include "gfx/image.h"
#include "gfx/image_internal.h"

namespace darts::gfx {

namespace {

bool isSpace(uint8_t c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Parses one unsigned decimal header field, skipping the whitespace and '#' comments before
// it. Values too large for any valid header are rejected rather than left to overflow.
bool readNumber(std::span<const uint8_t> bytes, size_t& pos, uint32_t& value) {
    while (pos < bytes.size()) {
        if (isSpace(bytes[pos])) {
            ++pos;
        } else if (bytes[pos] == '#') {
            while (pos < bytes.size() && bytes[pos] != '\n' && bytes[pos] != '\r') ++pos;
        } else {
            break;
        }
    }
    uint64_t result = 0;
    size_t digits = 0;
    while (pos < bytes.size() && bytes[pos] >= '0' && bytes[pos] <= '9') {
        result = result * 10 + (bytes[pos] - '0');
        if (result > 0xFFFFFFFFu) return false;
        ++pos;
        ++digits;
    }
    value = static_cast<uint32_t>(result);
    return digits > 0;
}

}  // namespace

std::optional<Image> decodePpm(std::span<const uint8_t> bytes) {
    if (bytes.size() < 2 || bytes[0] != 'P' || (bytes[1] != '5' && bytes[1] != '6')) {
        return std::nullopt;
    }
    const size_t channels = bytes[1] == '6' ? 3 : 1;
    size_t pos = 2;
    uint32_t width = 0, height = 0, maxValue = 0;
    if (!readNumber(bytes, pos, width) || !readNumber(bytes, pos, height) ||
        !readNumber(bytes, pos, maxValue)) {
        return std::nullopt;
    }
    // Exactly one whitespace character separates the header from the samples.
    if (pos >= bytes.size() || !isSpace(bytes[pos])) return std::nullopt;
    ++pos;
    if (maxValue == 0 || maxValue > 65535 || !detail::imageSizeOk(width, height)) {
        return std::nullopt;
    }

    const size_t sampleBytes = maxValue > 255 ? 2 : 1;
    const size_t pixelCount = size_t{width} * height;
    if (bytes.size() - pos < pixelCount * channels * sampleBytes) return std::nullopt;
    auto image = detail::allocateImage(width, height);
    if (!image) return std::nullopt;

    const uint8_t* src = &bytes[pos];
    auto sample = [&]() -> uint8_t {
        uint32_t v = *src++;
        if (sampleBytes == 2) v = (v << 8) | *src++;  // most significant byte first
        return detail::scaleToByte(v, maxValue);
    };
    for (size_t i = 0; i < pixelCount; ++i) {
        uint8_t* d = &image->rgba[i * 4];
        if (channels == 3) {
            d[0] = sample();
            d[1] = sample();
            d[2] = sample();
        } else {
            d[0] = d[1] = d[2] = sample();
        }
        d[3] = 255;
    }
    return image;
}

}  // namespace darts::gfx
