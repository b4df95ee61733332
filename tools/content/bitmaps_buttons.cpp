// Button faces of the character-select screen, released and pressed. A pressed face is darker,
// its lettering sits one pixel lower and right, and its bevel is turned inside out.
#include <cmath>

#include "bitmaps_art.h"
#include "bitmaps_canvas.h"

namespace darts::content::bitmaps {

namespace {

void bevel(cairo_t* cr, double w, double h, bool pressed) {
    const uint32_t light = 0xFFE9B0, dark = 0x2A0A05;
    cairo_set_line_width(cr, 2);
    setColour(cr, pressed ? dark : light, 0.8);
    cairo_move_to(cr, 1, h - 1);
    cairo_line_to(cr, 1, 1);
    cairo_line_to(cr, w - 1, 1);
    cairo_stroke(cr);
    setColour(cr, pressed ? light : dark, 0.8);
    cairo_move_to(cr, w - 1, 1);
    cairo_line_to(cr, w - 1, h - 1);
    cairo_line_to(cr, 1, h - 1);
    cairo_stroke(cr);
}

}  // namespace

Raster paintOkButton(bool pressed) {
    constexpr int kW = 81, kH = 26;
    Canvas canvas(kW, kH);
    cairo_t* cr = canvas.cr();
    if (pressed) {
        setLinearGradient(cr, 0, 0, 0, kH, {{0, 0x4A0C10}, {1, 0x7A1820}});
    } else {
        setLinearGradient(cr, 0, 0, 0, kH, {{0, 0xD8424A}, {0.5, 0xA82028}, {1, 0x6E1016}});
    }
    cairo_paint(cr);
    bevel(cr, kW, kH, pressed);
    const double shift = pressed ? 1 : 0;
    cairo_new_path(cr);
    textPathCentred(cr, "OK", Lettering{"DejaVu Sans", 15, true, 2}, kW / 2.0 + shift,
                    kH / 2.0 + shift);
    fillWithOutline(cr, pressed ? 0xE8C870 : 0xFFF2C8, 0x3A0608, 1.2);
    return canvas.raster();
}

Raster paintArrowButton(bool pointsRight, bool pressed) {
    constexpr int kW = 40, kH = 35;
    Canvas canvas(kW, kH);
    cairo_t* cr = canvas.cr();
    if (pressed) {
        setLinearGradient(cr, 0, 0, 0, kH, {{0, 0x2A1608}, {1, 0x4E2C12}});
    } else {
        setLinearGradient(cr, 0, 0, 0, kH, {{0, 0x8A5A2C}, {0.5, 0x6A4020}, {1, 0x3E220E}});
    }
    cairo_paint(cr);
    bevel(cr, kW, kH, pressed);
    const double shift = pressed ? 1 : 0;
    const double cx = kW / 2.0 + shift, cy = kH / 2.0 + shift;
    const double dir = pointsRight ? 1 : -1;
    cairo_new_path(cr);
    cairo_move_to(cr, cx + dir * 9, cy);
    cairo_line_to(cr, cx - dir * 7, cy - 10);
    cairo_line_to(cr, cx - dir * 7, cy + 10);
    cairo_close_path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setLinearGradient(cr, 0, cy - 10, 0, cy + 10,
                      {{0, pressed ? 0xC09040u : 0xFFE38Au}, {1, pressed ? 0x8A6020u : 0xD89A30u}});
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.5);
    setColour(cr, 0x2A1405);
    cairo_stroke(cr);
    return canvas.raster();
}

}  // namespace darts::content::bitmaps
