// libpng reports errors by longjmp, so the calls that can fail run inside a function that holds
// setjmp and owns no object with a destructor; the structures are released by the caller's guard.
#include "gfx/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <fstream>
#include <system_error>

namespace darts::gfx {
namespace {

void appendToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}
void flushNothing(png_structp) {}
void onError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void onWarning(png_structp, png_const_charp) {}

class PngWriteGuard {
  public:
    PngWriteGuard() {
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
        if (png_) info_ = png_create_info_struct(png_);
    }
    ~PngWriteGuard() { png_destroy_write_struct(&png_, info_ ? &info_ : nullptr); }
    PngWriteGuard(const PngWriteGuard&) = delete;
    PngWriteGuard& operator=(const PngWriteGuard&) = delete;

    png_structp png() const { return png_; }
    png_infop info() const { return info_; }

  private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

// Rows are handed to libpng one at a time straight from the image, so nothing here needs a
// destructor when libpng jumps out.
bool encodeRows(png_structp png, png_infop info, const Image& image, std::vector<uint8_t>* out) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, out, appendToVector, flushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const size_t stride = static_cast<size_t>(image.width) * 4;
    for (int y = 0; y < image.height; ++y) {
        png_write_row(png, image.rgba.data() + stride * static_cast<size_t>(y));
    }
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

std::optional<std::vector<uint8_t>> encodePng(const Image& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.rgba.size() != static_cast<size_t>(image.width) * image.height * 4) {
        return std::nullopt;
    }
    PngWriteGuard guard;
    if (!guard.png() || !guard.info()) return std::nullopt;
    std::vector<uint8_t> bytes;
    if (!encodeRows(guard.png(), guard.info(), image, &bytes)) return std::nullopt;
    return bytes;
}

bool writePng(const std::filesystem::path& path, const Image& image) {
    const std::optional<std::vector<uint8_t>> bytes = encodePng(image);
    if (!bytes) return false;
    bool written = false;
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        if (!file) return false;
        file.write(reinterpret_cast<const char*>(bytes->data()),
                   static_cast<std::streamsize>(bytes->size()));
        file.close();
        written = !file.fail();
    }
    // Only an ordinary file is removed: a device or pipe named as the target is left alone.
    std::error_code ignored;
    if (!written && std::filesystem::is_regular_file(path, ignored)) {
        std::filesystem::remove(path, ignored);
    }
    return written;
}

}  // namespace darts::gfx
