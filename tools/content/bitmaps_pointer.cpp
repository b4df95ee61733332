// The mouse pointer of the front-end screens and the window icon.
#include <cmath>

#include "bitmaps_art.h"
#include "bitmaps_canvas.h"

namespace darts::content::bitmaps {

namespace {

// A dart lying along +x with its point at the origin, `length` long.
void dartOutline(cairo_t* cr, double length) {
    const double l = length;
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, l * 0.24, -l * 0.035);
    cairo_line_to(cr, l * 0.26, -l * 0.075);
    cairo_line_to(cr, l * 0.55, -l * 0.075);
    cairo_line_to(cr, l * 0.57, -l * 0.03);
    cairo_line_to(cr, l * 0.70, -l * 0.03);
    cairo_line_to(cr, l * 0.80, -l * 0.17);
    cairo_line_to(cr, l * 1.0, -l * 0.19);
    cairo_line_to(cr, l * 0.93, 0);
    cairo_line_to(cr, l * 1.0, l * 0.19);
    cairo_line_to(cr, l * 0.80, l * 0.17);
    cairo_line_to(cr, l * 0.70, l * 0.03);
    cairo_line_to(cr, l * 0.57, l * 0.03);
    cairo_line_to(cr, l * 0.55, l * 0.075);
    cairo_line_to(cr, l * 0.26, l * 0.075);
    cairo_line_to(cr, l * 0.24, l * 0.035);
    cairo_close_path(cr);
}

}  // namespace

Raster paintCursor() {
    // The hot spot is the top-left pixel, so the dart's point is there and it trails away to the
    // lower right. A dark rim keeps it visible on the light and the dark parts of the screens.
    Canvas canvas(32, 32);
    cairo_t* cr = canvas.cr();
    const double length = 40;
    cairo_translate(cr, 0.4, 0.4);
    cairo_rotate(cr, M_PI / 4 + 0.03);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    dartOutline(cr, length);
    cairo_set_line_width(cr, 2.2);
    setColour(cr, 0x101010);
    cairo_stroke_preserve(cr);
    cairo_clip(cr);
    // Steel point, tungsten barrel, black shaft, red flight.
    setColour(cr, 0xE8ECF0);
    cairo_paint(cr);
    setLinearGradient(cr, 0, -3, 0, 3, {{0, 0xF0F2F6}, {0.5, 0xA8AEB6}, {1, 0x5A6068}});
    cairo_rectangle(cr, length * 0.25, -length, length * 0.31, 2 * length);
    cairo_fill(cr);
    setColour(cr, 0x2A2A2A);
    cairo_rectangle(cr, length * 0.56, -length, length * 0.16, 2 * length);
    cairo_fill(cr);
    setLinearGradient(cr, 0, -8, 0, 8, {{0, 0xFF5A4A}, {0.5, 0xE02020}, {1, 0x901010}});
    cairo_rectangle(cr, length * 0.72, -length, length * 0.3, 2 * length);
    cairo_fill(cr);
    cairo_reset_clip(cr);
    return canvas.raster();
}

Raster paintIcon(int size) {
    Canvas canvas(size, size);
    cairo_t* cr = canvas.cr();
    const double radius = size / 2.0 / 1.25 - 0.3;
    drawDartboard(cr, size / 2.0, size / 2.0, radius, BoardLook{false, false, false});
    return canvas.raster();
}

}  // namespace darts::content::bitmaps
