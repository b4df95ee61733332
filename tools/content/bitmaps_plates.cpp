// The front end's plates: the notice panel of the darts-bar screen and the name plate of the
// character-select screen.
#include <cmath>

#include "bitmaps_art.h"
#include "bitmaps_canvas.h"

namespace darts::content::bitmaps {

namespace {

constexpr uint32_t kGold = 0xE0B050;
constexpr uint32_t kBrown = 0x643200;  // the front end's text colour

void speechBalloon(cairo_t* cr, double x, double y, double w, double h, double tipX, double tipY) {
    const double r = h * 0.45;
    cairo_new_path(cr);
    cairo_move_to(cr, x + r, y);
    cairo_line_to(cr, x + w - r, y);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_line_to(cr, x + w, y + h - r);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_line_to(cr, x + r, y + h);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    // The tail leaves the left side towards the speaker.
    cairo_line_to(cr, x, y + h * 0.62);
    cairo_line_to(cr, tipX, tipY);
    cairo_line_to(cr, x + 2, y + h * 0.36);
    cairo_line_to(cr, x, y + r);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

}  // namespace

Raster paintNoticePanel() {
    // Stretched over 50,100 .. 750,500 at a low alpha, so it lightens the bar behind the texts:
    // the name (60,140, large) on the title band, the years (300,250) on a ruled line, the
    // profile (300,400) in the balloon, and the portrait over 70,200 .. 260,450 in the frame.
    constexpr int kW = 358, kH = 261;
    Canvas canvas(kW, kH);
    cairo_t* cr = canvas.cr();
    setLinearGradient(cr, 0, 0, 0, kH, {{0, 0xFBF3E0}, {1, 0xEEDDBA}});
    cairo_paint(cr);
    // Title band.
    setLinearGradient(cr, 0, 18, 0, 62, {{0, 0xFFE7A8}, {0.5, 0xF6CF78}, {1, 0xE9B95A}});
    cairo_rectangle(cr, 0, 18, kW, 44);
    cairo_fill(cr);
    setColour(cr, 0xA8782C);
    cairo_rectangle(cr, 0, 16, kW, 2);
    cairo_rectangle(cr, 0, 62, kW, 2);
    cairo_fill(cr);
    // Portrait frame.
    setColour(cr, 0x8A5A24);
    cairo_rectangle(cr, 6, 70, 106, 162);
    cairo_fill(cr);
    setColour(cr, 0xFFF8EA);
    cairo_rectangle(cr, 9, 73, 100, 156);
    cairo_fill(cr);
    // A ruled line for the years of experience.
    cairo_set_line_width(cr, 1.5);
    setColour(cr, 0xB08848);
    cairo_move_to(cr, 124, 112.5);
    cairo_line_to(cr, 346, 112.5);
    cairo_stroke(cr);
    // Speech balloon with the profile.
    speechBalloon(cr, 124, 160, 226, 78, 112, 176);
    setColour(cr, 0xFFFFFF);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 2.5);
    setColour(cr, kBrown, 0.8);
    cairo_stroke(cr);
    // Frame round the whole panel.
    cairo_set_line_width(cr, 4);
    setColour(cr, 0x8A5A24);
    cairo_rectangle(cr, 2, 2, kW - 4, kH - 4);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    setColour(cr, kGold);
    cairo_rectangle(cr, 6.5, 6.5, kW - 13, kH - 13);
    cairo_stroke(cr);
    return canvas.raster();
}

Raster paintNamePlate() {
    // Blitted at 200,100; the name box sits on it at 350,110 .. 450,140 (here 150,10 .. 250,40).
    constexpr int kW = 322, kH = 53;
    Canvas canvas(kW, kH);
    cairo_t* cr = canvas.cr();
    setLinearGradient(cr, 0, 0, 0, kH, {{0, 0x8E1D24}, {0.5, 0x6A121A}, {1, 0x430A10}});
    cairo_paint(cr);
    setColour(cr, 0xFFFFFF, 0.10);
    cairo_rectangle(cr, 0, 0, kW, 10);
    cairo_fill(cr);
    cairo_set_line_width(cr, 2);
    setColour(cr, kGold);
    cairo_rectangle(cr, 1, 1, kW - 2, kH - 2);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, 4.5, 4.5, kW - 9, kH - 9);
    cairo_stroke(cr);
    // A dark well the white name box is set into.
    setColour(cr, 0x2A0508);
    cairo_rectangle(cr, 146, 7, 108, 38);
    cairo_fill(cr);
    cairo_new_path(cr);
    textPathCentred(cr, "NAME", Lettering{"DejaVu Serif", 24, true, 3}, 76, kH / 2.0);
    fillWithOutline(cr, 0xF4CE6A, 0x2A0508, 1.5);
    // A dart flying towards the box from the right.
    drawStuckDart(cr, 264, kH / 2.0, 46, -M_PI / 2, 0xE0B050);
    return canvas.raster();
}

}  // namespace darts::content::bitmaps
