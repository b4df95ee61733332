// PNG through libpng. libpng reports errors by longjmp, so every call that can fail runs inside
// a function that holds setjmp and owns no object with a destructor: the jump then skips nothing
// that C++ would have to clean up. The libpng structures are released by the caller's guard.
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

#include "gfx/image.h"
#include "gfx/image_internal.h"

namespace darts::gfx {

namespace {

struct MemoryInput {
    const uint8_t* data;
    size_t size;
    size_t pos;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto* input = static_cast<MemoryInput*>(png_get_io_ptr(png));
    if (input->size - input->pos < length) png_error(png, "truncated");
    std::memcpy(out, input->data + input->pos, length);
    input->pos += length;
}

// Decoding is silent: a failure is reported only through the result.
void onError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void onWarning(png_structp, png_const_charp) {}

class PngReadGuard {
  public:
    PngReadGuard() {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
        if (png_) info_ = png_create_info_struct(png_);
    }
    ~PngReadGuard() { png_destroy_read_struct(&png_, info_ ? &info_ : nullptr, nullptr); }
    PngReadGuard(const PngReadGuard&) = delete;
    PngReadGuard& operator=(const PngReadGuard&) = delete;

    png_structp png() const { return png_; }
    png_infop info() const { return info_; }

  private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

struct PngHeader {
    png_uint_32 width;
    png_uint_32 height;
    size_t rowBytes;
};

// Reads up to the image data and sets up the expansion of every colour type to 8-bit RGBA:
// palettes and low bit depths expanded, tRNS turned into alpha, 16 bits scaled down, grey
// copied into all three channels, and an opaque alpha added where the file has none.
bool readHeader(png_structp png, png_infop info, PngHeader* header) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_user_limits(png, kMaxImageDimension, kMaxImageDimension);
    png_read_info(png, info);

    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    header->width = png_get_image_width(png, info);
    header->height = png_get_image_height(png, info);
    header->rowBytes = png_get_rowbytes(png, info);
    return true;
}

bool readPixels(png_structp png, png_infop info, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    // Reading to IEND checks the remaining chunks' CRCs and rejects a cut-off file.
    png_read_end(png, info);
    return true;
}

}  // namespace

std::optional<Image> decodePng(std::span<const uint8_t> bytes) {
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) return std::nullopt;

    PngReadGuard guard;
    if (!guard.png() || !guard.info()) return std::nullopt;
    MemoryInput input{bytes.data(), bytes.size(), 0};
    png_set_read_fn(guard.png(), &input, readFromMemory);

    PngHeader header{};
    if (!readHeader(guard.png(), guard.info(), &header)) return std::nullopt;
    auto image = detail::allocateImage(header.width, header.height);
    if (!image || header.rowBytes != static_cast<size_t>(image->width) * 4) return std::nullopt;

    std::vector<png_bytep> rows(static_cast<size_t>(image->height));
    for (size_t y = 0; y < rows.size(); ++y) {
        rows[y] = &image->rgba[y * header.rowBytes];
    }
    if (!readPixels(guard.png(), guard.info(), rows.data())) return std::nullopt;
    return image;
}

}  // namespace darts::gfx
