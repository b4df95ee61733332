// Helpers shared by the image decoders: bounds-checked little-endian reads, size-checked image
// allocation and bit-mask channel extraction.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "gfx/image.h"

namespace darts::gfx::detail {

inline uint16_t loadU16LE(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t loadU32LE(const uint8_t* p) {
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

// Sequential reader that never reads past the end; once a read falls short `ok()` turns false
// and every later read yields zero, so a parser can read a whole header and check once.
class ByteReader {
  public:
    explicit ByteReader(std::span<const uint8_t> bytes, size_t offset = 0)
        : bytes_(bytes), pos_(offset), ok_(offset <= bytes.size()) {}

    bool ok() const { return ok_; }
    size_t position() const { return pos_; }
    size_t remaining() const { return ok_ ? bytes_.size() - pos_ : 0; }

    uint8_t u8() { return has(1) ? bytes_[pos_++] : uint8_t{0}; }
    uint16_t u16() {
        if (!has(2)) return 0;
        pos_ += 2;
        return loadU16LE(&bytes_[pos_ - 2]);
    }
    uint32_t u32() {
        if (!has(4)) return 0;
        pos_ += 4;
        return loadU32LE(&bytes_[pos_ - 4]);
    }
    int32_t i32() { return static_cast<int32_t>(u32()); }
    void skip(size_t n) {
        if (has(n)) pos_ += n;
    }
    std::span<const uint8_t> take(size_t n) {
        if (!has(n)) return {};
        pos_ += n;
        return bytes_.subspan(pos_ - n, n);
    }

  private:
    bool has(size_t n) {
        if (ok_ && bytes_.size() - pos_ >= n) return true;
        ok_ = false;
        return false;
    }

    std::span<const uint8_t> bytes_;
    size_t pos_;
    bool ok_;
};

// Whether a decoder may produce an image of this size. Decoders check it before they compute
// byte counts from header fields, so those products cannot overflow.
inline bool imageSizeOk(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxImageDimension && height <= kMaxImageDimension &&
           width * height <= kMaxImagePixels;
}

// An image of the given size with every byte zero, or nullopt when imageSizeOk refuses it.
std::optional<Image> allocateImage(int64_t width, int64_t height);

// Rescales 0..maxValue to 0..255 with rounding.
inline uint8_t scaleToByte(uint32_t value, uint32_t maxValue) {
    if (maxValue == 0) return 0;
    if (value >= maxValue) return 255;
    return static_cast<uint8_t>((uint64_t{value} * 255 + maxValue / 2) / maxValue);
}

// One colour channel described by a bit mask (BMP bit fields, DDS pixel formats).
class MaskChannel {
  public:
    explicit MaskChannel(uint32_t mask = 0)
        : mask_(mask), shift_(mask ? std::countr_zero(mask) : 0), max_(mask ? mask >> shift_ : 0) {}

    bool present() const { return mask_ != 0; }
    uint8_t extract(uint32_t pixel) const { return scaleToByte((pixel & mask_) >> shift_, max_); }

  private:
    uint32_t mask_;
    int shift_;
    uint32_t max_;
};

}  // namespace darts::gfx::detail
