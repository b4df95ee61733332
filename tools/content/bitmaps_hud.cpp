// The match HUD's pictures: the score table, the gauge and the shot labels. Each is drawn
// stretched and half transparent over the 3D room, so shapes are bold and contrasts strong.
#include <cmath>
#include <string>

#include "bitmaps_art.h"
#include "bitmaps_canvas.h"

namespace darts::content::bitmaps {

namespace {

constexpr uint32_t kLacquer = 0x5A0F16;
constexpr uint32_t kLacquerLight = 0x8E1D24;
constexpr uint32_t kGold = 0xE0B050;
constexpr uint32_t kGoldDark = 0x8A6420;
constexpr uint32_t kPaper = 0xFBF4E2;
constexpr uint32_t kPaperShade = 0xEBDDBF;
constexpr uint32_t kInk = 0x3A2410;

}  // namespace

Raster paintScoreTable() {
    // Drawn at 510,0 .. 800,80: the game writes the names at x 560 and 685 in the header, the
    // round numbers at x 515 and the scores at 560 and 685 in rows at y 40 and 62. In this
    // picture's pixels the columns part at x 63 and 238, the rows at y 28 and 49.
    constexpr int kW = 405, kH = 69;
    constexpr double kRoundColumn = 63, kSplit = 238, kHeader = 28, kRowSplit = 49;
    Canvas canvas(kW, kH);
    cairo_t* cr = canvas.cr();

    setColour(cr, kInk);
    cairo_paint(cr);
    // Header: red lacquer with a sheen.
    setLinearGradient(cr, 0, 0, 0, kHeader, {{0, kLacquerLight}, {0.45, 0x6E141B}, {1, kLacquer}});
    cairo_rectangle(cr, 2, 2, kW - 4, kHeader - 2);
    cairo_fill(cr);
    setColour(cr, 0xFFFFFF, 0.12);
    cairo_rectangle(cr, 2, 2, kW - 4, 7);
    cairo_fill(cr);
    // Score rows on paper; the round column a shade darker.
    for (int row = 0; row < 2; ++row) {
        const double top = row == 0 ? kHeader + 1 : kRowSplit + 1;
        const double bottom = row == 0 ? kRowSplit : kH - 2;
        setLinearGradient(cr, 0, top, 0, bottom,
                          {{0, kPaper}, {1, row == 0 ? 0xF1E6CCu : 0xEADCB8u}});
        cairo_rectangle(cr, kRoundColumn + 1, top, kW - kRoundColumn - 3, bottom - top);
        cairo_fill(cr);
        setLinearGradient(cr, 0, top, 0, bottom, {{0, kPaperShade}, {1, 0xD9C69C}});
        cairo_rectangle(cr, 2, top, kRoundColumn - 2, bottom - top);
        cairo_fill(cr);
    }
    // Rules: gold under the header, fine brown lines elsewhere.
    setColour(cr, kGold);
    cairo_rectangle(cr, 2, kHeader - 1, kW - 4, 2);
    cairo_fill(cr);
    cairo_set_line_width(cr, 1);
    setColour(cr, kGoldDark);
    cairo_move_to(cr, 2, kRowSplit + 0.5);
    cairo_line_to(cr, kW - 2, kRowSplit + 0.5);
    cairo_move_to(cr, kRoundColumn + 0.5, 2);
    cairo_line_to(cr, kRoundColumn + 0.5, kH - 2);
    cairo_move_to(cr, kSplit + 0.5, 2);
    cairo_line_to(cr, kSplit + 0.5, kH - 2);
    cairo_stroke(cr);
    // The round column's heading; the names fill the other two.
    cairo_new_path(cr);
    textPathCentred(cr, "R", Lettering{"DejaVu Serif", 16, true, 0}, kRoundColumn / 2,
                    kHeader / 2 + 1);
    setColour(cr, kGold);
    cairo_fill(cr);
    // Gold frame.
    cairo_set_line_width(cr, 2);
    setColour(cr, kGold);
    cairo_rectangle(cr, 1, 1, kW - 2, kH - 2);
    cairo_stroke(cr);
    return canvas.raster();
}

Raster paintGauge() {
    // Stretched to 250 x 20 for the gauge (centre = a perfect release, where the marker starts)
    // and to 240 x 40 as the title menu's highlight, so no lines that would cross a label.
    constexpr int kW = 220, kH = 98;
    Canvas canvas(kW, kH);
    cairo_t* cr = canvas.cr();
    setLinearGradient(cr, 0, 0, 0, kH,
                      {{0, 0xFFF7B0}, {0.25, 0xFFE45A}, {0.6, 0xFFC81E}, {1, 0xE08A0C}});
    cairo_paint(cr);
    // Deeper towards both ends, brightest in the middle.
    setLinearGradient(cr, 0, 0, kW, 0,
                      {{0, 0xC05000, 0.45},
                       {0.3, 0xFF9000, 0.08},
                       {0.5, 0xFFFFFF, 0.18},
                       {0.7, 0xFF9000, 0.08},
                       {1, 0xC05000, 0.45}});
    cairo_paint(cr);
    // A glossy band along the top.
    setLinearGradient(cr, 0, 4, 0, kH * 0.45, {{0, 0xFFFFFF, 0.55}, {1, 0xFFFFFF, 0.0}});
    cairo_rectangle(cr, 3, 3, kW - 6, kH * 0.42);
    cairo_fill(cr);
    cairo_set_line_width(cr, 3);
    setColour(cr, 0xA05A08);
    cairo_rectangle(cr, 1.5, 1.5, kW - 3, kH - 3);
    cairo_stroke(cr);
    return canvas.raster();
}

Raster paintShotLabels(Words words) {
    // Drawn at 600,100 .. 750,200; the game writes dart i's score at (670 + 20i, 110 + 30i),
    // here (110.6 + 31.6i, 14 + 42i). Each label ends just before its score's slot.
    constexpr int kW = 237, kH = 140;
    Canvas canvas(kW, kH);
    cairo_t* cr = canvas.cr();
    setLinearGradient(cr, 0, 0, kW, kH, {{0, 0x24140C}, {1, 0x120A06}});
    cairo_paint(cr);
    const char* const japanese[3] = {"1投目", "2投目", "3投目"};
    const char* const english[3] = {"1st", "2nd", "3rd"};
    const char* const* labels = words == Words::English ? english : japanese;
    for (int i = 0; i < 3; ++i) {
        const double step = 31.6 * i;
        const double top = 7 + 42 * i, height = 32, middle = top + height / 2;
        const double labelLeft = 6 + step, labelRight = 98 + step;
        // The score's slot.
        setLinearGradient(cr, 0, top, 0, top + height, {{0, kPaper}, {1, kPaperShade}});
        roundedRectangle(cr, labelRight - 6, top + 2, 66, height - 4, 6);
        cairo_fill(cr);
        // The label: a red tag pointing at its score.
        cairo_new_path(cr);
        cairo_move_to(cr, labelLeft + 5, top);
        cairo_line_to(cr, labelRight, top);
        cairo_line_to(cr, labelRight + 9, middle);
        cairo_line_to(cr, labelRight, top + height);
        cairo_line_to(cr, labelLeft + 5, top + height);
        cairo_arc_negative(cr, labelLeft + 5, middle, height / 2, M_PI / 2, -M_PI / 2);
        cairo_close_path(cr);
        setLinearGradient(cr, 0, top, 0, top + height,
                          {{0, kLacquerLight}, {0.5, 0x74161D}, {1, kLacquer}});
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 1.5);
        setColour(cr, kGold);
        cairo_stroke(cr);
        cairo_new_path(cr);
        textPathCentred(cr, labels[i],
                        words == Words::English ? Lettering{"DejaVu Sans", 21, true, 1}
                                                : Lettering{"IPAGothic", 21, true, 1},
                        (labelLeft + labelRight) / 2 + 2, middle);
        fillWithOutline(cr, 0xFFF6E0, 0x3A0608, 1.2);
    }
    cairo_set_line_width(cr, 2);
    setColour(cr, kGold, 0.8);
    cairo_rectangle(cr, 1, 1, kW - 2, kH - 2);
    cairo_stroke(cr);
    return canvas.raster();
}

}  // namespace darts::content::bitmaps
