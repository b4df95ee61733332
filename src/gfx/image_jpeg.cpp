// JPEG through libjpeg. The library's default error handler calls exit(); ours jumps back to the
// decoder instead. As with PNG, the functions holding setjmp own nothing with a destructor.
// jpeglib.h uses size_t and FILE without including their headers.
#include <cstddef>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>
#include <vector>

#include "gfx/image.h"
#include "gfx/image_internal.h"

namespace darts::gfx {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;  // first, so libjpeg's pointer to it is a pointer to the whole
    std::jmp_buf jump;
};

[[noreturn]] void onError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// libjpeg only warns about data that ends early and decodes grey for the rest. A texture that
// is partly missing is a broken file, so that warning fails the decode; other warnings (stray
// bytes between markers and the like) are harmless and stay silent.
void onMessage(j_common_ptr cinfo, int level) {
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) onError(cinfo);
}

class DecompressGuard {
  public:
    DecompressGuard() {
        jpeg_std_error(&errors_.base);
        errors_.base.error_exit = onError;
        errors_.base.emit_message = onMessage;
        cinfo_.err = &errors_.base;
    }
    ~DecompressGuard() {
        if (created_) jpeg_destroy_decompress(&cinfo_);
    }
    DecompressGuard(const DecompressGuard&) = delete;
    DecompressGuard& operator=(const DecompressGuard&) = delete;

    jpeg_decompress_struct* cinfo() { return &cinfo_; }
    ErrorManager* errors() { return &errors_; }
    void markCreated() { created_ = true; }

  private:
    jpeg_decompress_struct cinfo_{};
    ErrorManager errors_{};
    bool created_ = false;
};

bool create(jpeg_decompress_struct* cinfo, ErrorManager* errors) {
    if (setjmp(errors->jump)) return false;
    jpeg_create_decompress(cinfo);
    return true;
}

// Reads the header and picks an output colour space that we can turn into RGBA.
bool readHeader(jpeg_decompress_struct* cinfo, ErrorManager* errors, const uint8_t* data,
                size_t size) {
    if (setjmp(errors->jump)) return false;
    jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(cinfo, TRUE);
    switch (cinfo->jpeg_color_space) {
        case JCS_GRAYSCALE:
            cinfo->out_color_space = JCS_GRAYSCALE;
            break;
        case JCS_CMYK:
        case JCS_YCCK:
            cinfo->out_color_space = JCS_CMYK;
            break;
        default:
#ifdef JCS_EXTENSIONS
            // libjpeg-turbo writes RGBA rows itself, opaque, straight into the image.
            cinfo->out_color_space = JCS_EXT_RGBA;
#else
            cinfo->out_color_space = JCS_RGB;
#endif
            break;
    }
    return true;
}

// CMYK JPEGs are written by Adobe software with inverted channels (marked by the Adobe
// segment); plain CMYK stores ink amounts directly.
void cmykToRgba(const uint8_t* src, uint8_t* dst, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x, src += 4, dst += 4) {
        const unsigned k = inverted ? src[3] : 255u - src[3];
        for (int i = 0; i < 3; ++i) {
            const unsigned c = inverted ? src[i] : 255u - src[i];
            dst[i] = static_cast<uint8_t>((c * k + 127) / 255);
        }
        dst[3] = 255;
    }
}

bool readPixels(jpeg_decompress_struct* cinfo, ErrorManager* errors, Image* image,
                uint8_t* rowBuffer) {
    if (setjmp(errors->jump)) return false;
    jpeg_start_decompress(cinfo);
    if (cinfo->output_width != static_cast<JDIMENSION>(image->width) ||
        cinfo->output_height != static_cast<JDIMENSION>(image->height) ||
        cinfo->output_components < 1 || cinfo->output_components > 4) {
        return false;
    }
    while (cinfo->output_scanline < cinfo->output_height) {
        uint8_t* dst = &image->rgba[static_cast<size_t>(cinfo->output_scanline) * image->width * 4];
        JSAMPROW row =
            cinfo->output_components == 4 && cinfo->out_color_space != JCS_CMYK ? dst : rowBuffer;
        if (jpeg_read_scanlines(cinfo, &row, 1) != 1) return false;
        const JDIMENSION width = cinfo->output_width;
        switch (cinfo->out_color_space) {
            case JCS_GRAYSCALE:
                for (JDIMENSION x = 0; x < width; ++x) {
                    dst[x * 4] = dst[x * 4 + 1] = dst[x * 4 + 2] = rowBuffer[x];
                    dst[x * 4 + 3] = 255;
                }
                break;
            case JCS_CMYK:
                cmykToRgba(rowBuffer, dst, width, cinfo->saw_Adobe_marker);
                break;
            default:
                if (row == dst) break;  // already RGBA
                for (JDIMENSION x = 0; x < width; ++x) {
                    dst[x * 4] = rowBuffer[x * 3];
                    dst[x * 4 + 1] = rowBuffer[x * 3 + 1];
                    dst[x * 4 + 2] = rowBuffer[x * 3 + 2];
                    dst[x * 4 + 3] = 255;
                }
                break;
        }
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

}  // namespace

std::optional<Image> decodeJpeg(std::span<const uint8_t> bytes) {
    if (bytes.size() < 3 || bytes[0] != 0xFF || bytes[1] != 0xD8) return std::nullopt;

    DecompressGuard guard;
    if (!create(guard.cinfo(), guard.errors())) return std::nullopt;
    guard.markCreated();
    if (!readHeader(guard.cinfo(), guard.errors(), bytes.data(), bytes.size())) {
        return std::nullopt;
    }
    // Check the size before libjpeg allocates its own buffers for it.
    auto image = detail::allocateImage(guard.cinfo()->image_width, guard.cinfo()->image_height);
    if (!image) return std::nullopt;

    std::vector<uint8_t> rowBuffer(static_cast<size_t>(image->width) * 4);
    if (!readPixels(guard.cinfo(), guard.errors(), &*image, rowBuffer.data())) return std::nullopt;
    return image;
}

}  // namespace darts::gfx
