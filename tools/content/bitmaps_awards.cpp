// The award titles drawn over the landing display, and the plate of the statistics card. The
// titles are lettered into the pictures, so they read the same whatever font the player's system
// offers; they share the gold-on-oxblood look of the name plate and the score table.
#include <cmath>
#include <string>

#include "bitmaps_art.h"
#include "bitmaps_canvas.h"

namespace darts::content::bitmaps {
namespace {

constexpr uint32_t kGold = 0xE0B050;
constexpr uint32_t kGoldLight = 0xFFF0B0;
constexpr uint32_t kOxbloodDark = 0x2A0508;

void star(cairo_t* cr, double cx, double cy, double outer, double inner) {
    for (int i = 0; i < 10; ++i) {
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const double r = i % 2 == 0 ? outer : inner;
        const double x = cx + r * std::cos(angle), y = cy + r * std::sin(angle);
        if (i == 0) {
            cairo_move_to(cr, x, y);
        } else {
            cairo_line_to(cr, x, y);
        }
    }
    cairo_close_path(cr);
}

void goldFrame(cairo_t* cr, int w, int h) {
    cairo_set_line_width(cr, 3);
    setColour(cr, kGold);
    cairo_rectangle(cr, 1.5, 1.5, w - 3, h - 3);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, 6.5, 6.5, w - 13, h - 13);
    cairo_stroke(cr);
}

}  // namespace

Raster paintAwardTitle(const std::string& title, int rank) {
    Canvas canvas(kAwardTitleWidth, kAwardTitleHeight);
    cairo_t* cr = canvas.cr();
    const int w = kAwardTitleWidth, h = kAwardTitleHeight;
    // The better the award, the hotter the band: 180 burns red, the low ton is a deep wine.
    const uint32_t top = rank <= 1 ? 0xC8202A : rank <= 4 ? 0x9E1D2C : 0x74142A;
    setLinearGradient(cr, 0, 0, 0, h, {{0, top}, {0.55, 0x5A0C16}, {1, kOxbloodDark}});
    cairo_paint(cr);
    // Rays fanning out from behind the lettering.
    for (int i = 0; i < 24; ++i) {
        const double a0 = i * M_PI / 12, a1 = a0 + M_PI / 40;
        cairo_move_to(cr, w / 2.0, h / 2.0);
        cairo_line_to(cr, w / 2.0 + 600 * std::cos(a0), h / 2.0 + 600 * std::sin(a0));
        cairo_line_to(cr, w / 2.0 + 600 * std::cos(a1), h / 2.0 + 600 * std::sin(a1));
        cairo_close_path(cr);
    }
    setColour(cr, 0xFFD070, 0.10);
    cairo_fill(cr);
    softLight(cr, w / 2.0, h / 2.0, w * 0.45, 0xFFC060, 0.35);
    setColour(cr, 0xFFFFFF, 0.10);
    cairo_rectangle(cr, 0, 0, w, h * 0.18);
    cairo_fill(cr);
    goldFrame(cr, w, h);

    // The title as large as the band allows, condensed a little for the long ones.
    Lettering font{"DejaVu Serif", 54, true, 2};
    while (measureText(cr, title, font).width > w - 120 && font.pixelSize > 20) {
        font.pixelSize -= 2;
    }
    textPathCentred(cr, title, font, w / 2.0, h / 2.0 + 1);
    glowPath(cr, 0xFFB040, 10, 0.35);
    setLinearGradient(cr, 0, h * 0.2, 0, h * 0.8, {{0, kGoldLight}, {0.5, 0xF4CE6A}, {1, 0xB07A28}});
    cairo_path_t* path = cairo_copy_path(cr);
    cairo_new_path(cr);
    cairo_append_path(cr, path);
    setColour(cr, kOxbloodDark);
    cairo_set_line_width(cr, 5);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    setLinearGradient(cr, 0, h * 0.2, 0, h * 0.8, {{0, kGoldLight}, {0.5, 0xF4CE6A}, {1, 0xB07A28}});
    cairo_fill(cr);
    cairo_path_destroy(path);

    // A star either side, more of them for the rarer awards.
    const int stars = rank <= 1 ? 3 : rank <= 4 ? 2 : 1;
    for (int side = 0; side < 2; ++side) {
        for (int i = 0; i < stars; ++i) {
            const double x = side == 0 ? 30 + i * 17 : w - 30 - i * 17;
            star(cr, x, h / 2.0 + (i % 2 == 0 ? -8 : 10), 9, 4);
        }
    }
    fillWithOutline(cr, kGoldLight, kOxbloodDark, 1.5);
    return canvas.raster();
}

void paintPlateWithHeading(cairo_t* cr, int w, int h) {
    setLinearGradient(cr, 0, 0, 0, h, {{0, 0x3A0A12}, {1, 0x1A0306}});
    cairo_paint(cr);
    softLight(cr, w / 2.0, 0, w * 0.7, 0xFFC070, 0.18);
    // The heading band the plate's title is written on.
    setLinearGradient(cr, 0, 12, 0, 64, {{0, 0x8E1D24}, {1, 0x520C14}});
    cairo_rectangle(cr, 12, 12, w - 24, 52);
    cairo_fill(cr);
    setColour(cr, kGold, 0.8);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, 12, 64.5);
    cairo_line_to(cr, w - 12, 64.5);
    cairo_stroke(cr);
}

Raster paintStatisticsCard() {
    Canvas canvas(kStatisticsCardWidth, kStatisticsCardHeight);
    cairo_t* cr = canvas.cr();
    const int w = kStatisticsCardWidth, h = kStatisticsCardHeight;
    paintPlateWithHeading(cr, w, h);
    // Faint rules under the table's rows.
    setColour(cr, kGold, 0.25);
    for (int row = 0; row < 8; ++row) {
        const double y = kStatisticsCardFirstRule + row * kStatisticsCardRowHeight + 0.5;
        cairo_move_to(cr, 30, y);
        cairo_line_to(cr, w - 30, y);
    }
    cairo_stroke(cr);
    goldFrame(cr, w, h);
    return canvas.raster();
}

}  // namespace darts::content::bitmaps
