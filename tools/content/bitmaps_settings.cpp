// The settings screen's pictures: its plate, in the oxblood and gold of the statistics card, with
// faint rules between the rows; the small arrows either side of a value; and the blank face of
// its Close button, lettered by the game in the player's language. The game-select screen's plate
// is of the same family and shares the arrows and the button face.
#include <cmath>

#include "bitmaps_art.h"
#include "bitmaps_canvas.h"

namespace darts::content::bitmaps {
namespace {

constexpr uint32_t kGold = 0xE0B050;
constexpr uint32_t kGoldLight = 0xFFF0B0;
constexpr uint32_t kOxbloodDark = 0x2A0508;

void frame(cairo_t* cr, int w, int h, double inset, double width, double alpha) {
    setColour(cr, kGold, alpha);
    cairo_set_line_width(cr, width);
    cairo_rectangle(cr, inset, inset, w - 2 * inset, h - 2 * inset);
    cairo_stroke(cr);
}

}  // namespace

Raster paintSettingsPlate() {
    const int w = kSettingsPlateWidth, h = kSettingsPlateHeight;
    Canvas canvas(w, h);
    cairo_t* cr = canvas.cr();
    paintPlateWithHeading(cr, w, h);
    // A darker well behind the values, between the arrows.
    setColour(cr, 0x000000, 0.22);
    roundedRectangle(cr, kSettingsValueLeft, kSettingsFirstRule + 3, kSettingsValueWidth,
                     kSettingsRows * kSettingsRowHeight - 6, 6);
    cairo_fill(cr);
    // Faint rules between the rows.
    setColour(cr, kGold, 0.25);
    for (int row = 0; row <= kSettingsRows; ++row) {
        const double y = kSettingsFirstRule + row * kSettingsRowHeight + 0.5;
        cairo_move_to(cr, 24, y);
        cairo_line_to(cr, w - 24, y);
    }
    cairo_stroke(cr);
    // A small dartboard mark in the heading band's right end.
    drawDartboard(cr, w - 48, 38, 17, BoardLook{false, false, true});
    frame(cr, w, h, 1.5, 3, 1.0);
    frame(cr, w, h, 6.5, 1, 1.0);
    return canvas.raster();
}

Raster paintSettingsArrow(bool more) {
    const int w = kSettingsArrowWidth, h = kSettingsArrowHeight;
    Canvas canvas(w, h);
    cairo_t* cr = canvas.cr();
    setLinearGradient(cr, 0, 0, 0, h, {{0, 0x8E1D24}, {1, 0x4A0A10}});
    roundedRectangle(cr, 0.5, 0.5, w - 1, h - 1, 5);
    cairo_fill_preserve(cr);
    setColour(cr, kGold, 0.9);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // A triangle pointing the way it steps.
    const double cx = w / 2.0, cy = h / 2.0, half = h * 0.28;
    const double tip = more ? cx + half : cx - half,
                 back = more ? cx - half * 0.8 : cx + half * 0.8;
    cairo_move_to(cr, tip, cy);
    cairo_line_to(cr, back, cy - half);
    cairo_line_to(cr, back, cy + half);
    cairo_close_path(cr);
    fillWithOutline(cr, kGoldLight, kOxbloodDark, 1.2);
    return canvas.raster();
}

Raster paintSettingsButton() {
    const int w = kSettingsButtonWidth, h = kSettingsButtonHeight;
    Canvas canvas(w, h);
    cairo_t* cr = canvas.cr();
    setLinearGradient(cr, 0, 0, 0, h, {{0, 0xD8424A}, {0.5, 0xA82028}, {1, 0x6E1016}});
    roundedRectangle(cr, 0.5, 0.5, w - 1, h - 1, 7);
    cairo_fill_preserve(cr);
    setColour(cr, kGold);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    setColour(cr, 0xFFFFFF, 0.12);
    roundedRectangle(cr, 3, 3, w - 6, h * 0.4, 5);
    cairo_fill(cr);
    return canvas.raster();
}

Raster paintGameSelectPlate() {
    const int w = kGameSelectPlateWidth, h = kGameSelectPlateHeight;
    Canvas canvas(w, h);
    cairo_t* cr = canvas.cr();
    paintPlateWithHeading(cr, w, h);
    // The Players band: the heading band's red, thinner, gold-ruled above and below. The rows it
    // heads vary with the game, so their wells are left to the screen.
    const double top = kGameSelectPlayersTop, bottom = top + kGameSelectPlayersHeight;
    setLinearGradient(cr, 0, top, 0, bottom, {{0, 0x7A1820}, {1, 0x4A0A10}});
    cairo_rectangle(cr, 12, top, w - 24, kGameSelectPlayersHeight);
    cairo_fill(cr);
    setColour(cr, kGold, 0.8);
    cairo_set_line_width(cr, 1);
    for (double y : {top - 0.5, bottom + 0.5}) {
        cairo_move_to(cr, 12, y);
        cairo_line_to(cr, w - 12, y);
    }
    cairo_stroke(cr);
    // A faint rule above the buttons.
    setColour(cr, kGold, 0.3);
    cairo_move_to(cr, 24, kGameSelectButtonsTop + 0.5);
    cairo_line_to(cr, w - 24, kGameSelectButtonsTop + 0.5);
    cairo_stroke(cr);
    // A small dartboard mark in the heading band's right end, as on the settings plate.
    drawDartboard(cr, w - 48, 38, 17, BoardLook{false, false, true});
    frame(cr, w, h, 1.5, 3, 1.0);
    frame(cr, w, h, 6.5, 1, 1.0);
    return canvas.raster();
}

}  // namespace darts::content::bitmaps
