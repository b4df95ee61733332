#include "models_canvas.h"

#include <jpeglib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "gfx/png_writer.h"

namespace darts::content {
namespace {

uint8_t toByte(float v) {
    return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

float smooth(float t) { return t * t * (3.0f - 2.0f * t); }

// Cairo keeps colours premultiplied by alpha, one native-endian ARGB word per pixel.
Colour unpremultiply(uint32_t p) {
    float a = static_cast<float>(p >> 24) / 255.0f;
    if (a == 0) return {0, 0, 0, 0};
    return {static_cast<float>((p >> 16) & 0xFF) / 255.0f / a,
            static_cast<float>((p >> 8) & 0xFF) / 255.0f / a,
            static_cast<float>(p & 0xFF) / 255.0f / a, a};
}

uint32_t premultiply(Colour c) {
    float a = std::clamp(c.a, 0.0f, 1.0f);
    return static_cast<uint32_t>(toByte(a)) << 24 | static_cast<uint32_t>(toByte(c.r * a)) << 16 |
           static_cast<uint32_t>(toByte(c.g * a)) << 8 | toByte(c.b * a);
}

int wrap(int v, int period) { return period > 0 ? ((v % period) + period) % period : v; }

}  // namespace

Colour mix(Colour a, Colour b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

Colour shade(Colour c, float factor) { return {c.r * factor, c.g * factor, c.b * factor, c.a}; }

float hash01(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 0x8da6b343u ^ static_cast<uint32_t>(y) * 0xd8163841u ^
                 seed * 0xcb1ab31fu;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return static_cast<float>(h & 0xFFFFFFu) / 16777216.0f;
}

float valueNoise(float x, float y, uint32_t seed, int period) {
    int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    float fx = smooth(x - static_cast<float>(ix)), fy = smooth(y - static_cast<float>(iy));
    auto at = [&](int dx, int dy) {
        return hash01(wrap(ix + dx, period), wrap(iy + dy, period), seed);
    };
    float top = at(0, 0) + (at(1, 0) - at(0, 0)) * fx;
    float bottom = at(0, 1) + (at(1, 1) - at(0, 1)) * fx;
    return top + (bottom - top) * fy;
}

float fractalNoise(float x, float y, uint32_t seed, int octaves, int period) {
    float sum = 0, weight = 0, amplitude = 1, scale = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * valueNoise(x * scale, y * scale, seed + static_cast<uint32_t>(i) * 101u,
                                      period > 0 ? period * static_cast<int>(scale) : 0);
        weight += amplitude;
        amplitude *= 0.5f;
        scale *= 2.0f;
    }
    return sum / weight;
}

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

Colour Canvas::pixel(int x, int y) {
    cairo_surface_flush(surface_);
    const unsigned char* row =
        cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
    return unpremultiply(reinterpret_cast<const uint32_t*>(row)[x]);
}

void Canvas::paintPixels(const std::function<Colour(int x, int y, Colour old)>& f) {
    cairo_surface_flush(surface_);
    unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    for (int y = 0; y < height_; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < width_; ++x) row[x] = premultiply(f(x, y, unpremultiply(row[x])));
    }
    cairo_surface_mark_dirty(surface_);
}

void Canvas::fill(Colour c) {
    cairo_save(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
    setSource(c);
    cairo_paint(cr_);
    cairo_restore(cr_);
}

void Canvas::setSource(Colour c) { cairo_set_source_rgba(cr_, c.r, c.g, c.b, c.a); }

void Canvas::text(const std::string& utf8, const char* family, bool bold, double size, double x,
                  double y, Colour c, bool centred) {
    cairo_select_font_face(cr_, family, CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr_, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr_, utf8.c_str(), &extents);
    double left = centred ? x - extents.x_advance / 2.0 : x;
    cairo_move_to(cr_, left, y);
    setSource(c);
    cairo_show_text(cr_, utf8.c_str());
}

double Canvas::textWidth(const std::string& utf8, const char* family, bool bold, double size) {
    cairo_select_font_face(cr_, family, CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr_, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr_, utf8.c_str(), &extents);
    return extents.x_advance;
}

void Canvas::rectangle(double x, double y, double w, double h, Colour c) {
    cairo_rectangle(cr_, x, y, w, h);
    setSource(c);
    cairo_fill(cr_);
}

void Canvas::line(double x0, double y0, double x1, double y1, double width, Colour c) {
    cairo_move_to(cr_, x0, y0);
    cairo_line_to(cr_, x1, y1);
    cairo_set_line_width(cr_, width);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
    setSource(c);
    cairo_stroke(cr_);
}

bool Canvas::writePng(const std::string& path) {
    gfx::Image image{width_, height_,
                     std::vector<uint8_t>(static_cast<size_t>(width_) * height_ * 4)};
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            Colour c = pixel(x, y);
            uint8_t* out = &image.rgba[(static_cast<size_t>(y) * width_ + x) * 4];
            out[0] = toByte(c.r), out[1] = toByte(c.g), out[2] = toByte(c.b), out[3] = toByte(c.a);
        }
    }
    return gfx::writePng(path, image);
}

bool Canvas::writeJpeg(const std::string& path, int quality) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = static_cast<JDIMENSION>(width_);
    cinfo.image_height = static_cast<JDIMENSION>(height_);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(width_) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        int y = static_cast<int>(cinfo.next_scanline);
        for (int x = 0; x < width_; ++x) {
            Colour c = pixel(x, y);
            JSAMPLE* out = &row[static_cast<size_t>(x) * 3];
            out[0] = toByte(c.r), out[1] = toByte(c.g), out[2] = toByte(c.b);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::fclose(file) == 0;
}

}  // namespace darts::content
