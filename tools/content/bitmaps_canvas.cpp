#include "bitmaps_canvas.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>

namespace darts::content::bitmaps {

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
    if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cairo failed");
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

Raster Canvas::raster() const {
    cairo_surface_flush(surface_);
    Raster out(width_, height_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    for (int y = 0; y < height_; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < width_; ++x) {
            const uint32_t p = row[x];
            const uint32_t a = p >> 24;
            uint32_t straight = 0;
            if (a == 255) {
                straight = p;
            } else if (a > 0) {
                // Cairo keeps colours premultiplied by alpha.
                auto un = [a](uint32_t c) {
                    return std::min<uint32_t>(255, (c * 255 + a / 2) / a);
                };
                straight = (a << 24) | (un((p >> 16) & 0xFF) << 16) | (un((p >> 8) & 0xFF) << 8) |
                           un(p & 0xFF);
            }
            out.at(x, y) = straight;
        }
    }
    return out;
}

cairo_surface_t* surfaceFromRaster(const Raster& picture) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, picture.width, picture.height);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < picture.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t p = picture.at(x, y);
            const uint32_t a = p >> 24;
            auto pre = [a](uint32_t c) { return (c * a + 127) / 255; };
            row[x] = (a << 24) | (pre((p >> 16) & 0xFF) << 16) | (pre((p >> 8) & 0xFF) << 8) |
                     pre(p & 0xFF);
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

void setColour(cairo_t* cr, uint32_t rgb, double alpha) {
    cairo_set_source_rgba(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                          (rgb & 0xFF) / 255.0, alpha);
}

namespace {

void addStops(cairo_pattern_t* pattern, std::initializer_list<ColourStop> stops) {
    for (const ColourStop& s : stops) {
        cairo_pattern_add_color_stop_rgba(pattern, s.offset, ((s.rgb >> 16) & 0xFF) / 255.0,
                                          ((s.rgb >> 8) & 0xFF) / 255.0, (s.rgb & 0xFF) / 255.0,
                                          s.alpha);
    }
}

void useAndRelease(cairo_t* cr, cairo_pattern_t* pattern) {
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
}

}  // namespace

void setLinearGradient(cairo_t* cr, double x0, double y0, double x1, double y1,
                       std::initializer_list<ColourStop> stops) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(x0, y0, x1, y1);
    addStops(pattern, stops);
    useAndRelease(cr, pattern);
}

void setRadialGradient(cairo_t* cr, double cx, double cy, double r0, double r1,
                       std::initializer_list<ColourStop> stops) {
    setRadialGradient(cr, cx, cy, r0, cx, cy, r1, stops);
}

void setRadialGradient(cairo_t* cr, double cx0, double cy0, double r0, double cx1, double cy1,
                       double r1, std::initializer_list<ColourStop> stops) {
    cairo_pattern_t* pattern = cairo_pattern_create_radial(cx0, cy0, r0, cx1, cy1, r1);
    addStops(pattern, stops);
    useAndRelease(cr, pattern);
}

void roundedRectangle(cairo_t* cr, double x, double y, double w, double h, double radius) {
    const double r = std::min({radius, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

void softLight(cairo_t* cr, double cx, double cy, double radius, uint32_t rgb, double alpha) {
    setRadialGradient(cr, cx, cy, 0, radius,
                      {{0, rgb, alpha}, {0.4, rgb, alpha * 0.45}, {1, rgb, 0}});
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_fill(cr);
}

namespace {

struct LayoutDeleter {
    void operator()(PangoLayout* layout) const { g_object_unref(layout); }
};
using LayoutPtr = std::unique_ptr<PangoLayout, LayoutDeleter>;

LayoutPtr makeLayout(cairo_t* cr, const std::string& utf8, const Lettering& font) {
    LayoutPtr layout(pango_cairo_create_layout(cr));
    // Unhinted outlines keep letter shapes identical wherever they are placed.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    pango_cairo_context_set_font_options(pango_layout_get_context(layout.get()), options);
    cairo_font_options_destroy(options);
    pango_layout_context_changed(layout.get());

    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family(description, font.family.c_str());
    pango_font_description_set_absolute_size(description, font.pixelSize * PANGO_SCALE);
    pango_font_description_set_weight(description,
                                      font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_layout_set_font_description(layout.get(), description);
    pango_font_description_free(description);
    if (font.letterSpacing != 0) {
        PangoAttrList* attributes = pango_attr_list_new();
        pango_attr_list_insert(attributes, pango_attr_letter_spacing_new(
                                               static_cast<int>(font.letterSpacing * PANGO_SCALE)));
        pango_layout_set_attributes(layout.get(), attributes);
        pango_attr_list_unref(attributes);
    }
    pango_layout_set_text(layout.get(), utf8.c_str(), -1);
    return layout;
}

TextSize sizeOf(PangoLayout* layout, const Lettering& font) {
    PangoRectangle ink, logical;
    pango_layout_get_extents(layout, &ink, &logical);
    TextSize size;
    // Letter spacing is added after the last character too; it is not part of the line.
    size.width = double(logical.width) / PANGO_SCALE - font.letterSpacing;
    size.height = double(ink.height) / PANGO_SCALE;
    size.inkTop = double(ink.y) / PANGO_SCALE;
    return size;
}

}  // namespace

TextSize measureText(cairo_t* cr, const std::string& utf8, const Lettering& font) {
    LayoutPtr layout = makeLayout(cr, utf8, font);
    return sizeOf(layout.get(), font);
}

void textPathLeft(cairo_t* cr, const std::string& utf8, const Lettering& font, double x,
                  double cy) {
    LayoutPtr layout = makeLayout(cr, utf8, font);
    const TextSize size = sizeOf(layout.get(), font);
    cairo_move_to(cr, x, cy - size.inkTop - size.height / 2);
    pango_cairo_layout_path(cr, layout.get());
}

void textPathCentred(cairo_t* cr, const std::string& utf8, const Lettering& font, double cx,
                     double cy) {
    const TextSize size = measureText(cr, utf8, font);
    textPathLeft(cr, utf8, font, cx - size.width / 2, cy);
}

void fillWithOutline(cairo_t* cr, uint32_t fill, uint32_t outline, double outlineWidth,
                     double outlineAlpha) {
    cairo_save(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 2 * outlineWidth);
    setColour(cr, outline, outlineAlpha);
    cairo_stroke_preserve(cr);
    setColour(cr, fill);
    cairo_fill(cr);
    cairo_restore(cr);
}

void glowPath(cairo_t* cr, uint32_t rgb, double radius, double alpha) {
    cairo_save(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    const int steps = 8;
    for (int i = steps; i >= 1; --i) {
        cairo_set_line_width(cr, 2 * radius * i / steps);
        setColour(cr, rgb, alpha / steps);
        cairo_stroke_preserve(cr);
    }
    cairo_restore(cr);
}

uint32_t Random::next() {
    // xorshift32: small, fast and the same on every platform.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

double Random::uniform(double low, double high) {
    return low + (high - low) * (next() / 4294967296.0);
}

int Random::below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }

}  // namespace darts::content::bitmaps
