// The title screen: the game's name over a night-time bar, a dartboard under a spotlight, two
// red lanterns and the menu board with the three choices. The picture is stretched from 746 x 562
// to 800 x 600; the game's hover bands (screen y 410..450, 450..490, 490..530, x 260..500) and
// its highlight bar (x 280..520, 5 pixels lower) decide where the labels go.
#include <cmath>
#include <string>

#include "bitmaps_art.h"
#include "bitmaps_canvas.h"

namespace darts::content::bitmaps {

namespace {

constexpr int kW = 746, kH = 562;
constexpr double kToBitmapX = 746.0 / 800.0, kToBitmapY = 562.0 / 600.0;

// Menu label k (0..2) is centred where its hover band and the highlight bar overlap on screen.
double labelCentreY(int k) { return (392.5 + 40.0 * (k + 1)) * kToBitmapY; }
constexpr double kLabelCentreX = 390.0 * kToBitmapX;
// The wooden rail the lanterns and the menu board hang from.
constexpr double kRailY = 364;

void nightBackdrop(cairo_t* cr) {
    setLinearGradient(cr, 0, 0, 0, kH,
                      {{0, 0x0A0818}, {0.45, 0x24102C}, {0.8, 0x3A1810}, {1, 0x1A0A04}});
    cairo_paint(cr);
    Random random(2024);
    const uint32_t lights[] = {0xFFB040, 0xFF6080, 0xFFD890, 0x60C0FF};
    for (int i = 0; i < 46; ++i) {
        softLight(cr, random.uniform(0, kW), random.uniform(0, kH * 0.8), random.uniform(8, 40),
                  lights[random.below(4)], random.uniform(0.12, 0.35));
    }
    // Wood panelling along the lower wall.
    for (int i = 0; i < 26; ++i) {
        setColour(cr, 0x000000, 0.18);
        cairo_rectangle(cr, i * 30, 330, 1.5, 190);
        cairo_fill(cr);
    }
}

void spotlight(cairo_t* cr, double x, double y, double radius) {
    setLinearGradient(cr, x, 0, x, y, {{0, 0xFFE8B0, 0.0}, {1, 0xFFE8B0, 0.16}});
    cairo_move_to(cr, x - 30, 0);
    cairo_line_to(cr, x + 30, 0);
    cairo_line_to(cr, x + radius, y);
    cairo_line_to(cr, x - radius, y);
    cairo_close_path(cr);
    cairo_fill(cr);
    softLight(cr, x, y, radius * 1.4, 0xFFD890, 0.35);
}

void lantern(cairo_t* cr, double cx, double top, const std::string& mark) {
    const double w = 46, h = 92;
    setColour(cr, 0x1A1008);
    cairo_rectangle(cr, cx - 1, kRailY, 2, top - kRailY);
    cairo_fill(cr);
    softLight(cr, cx, top + h / 2, 110, 0xFF5030, 0.45);
    ellipse(cr, cx, top + h / 2, w, h / 2);
    setRadialGradient(cr, cx - 10, top + h * 0.4, 4, cx, top + h / 2, w * 1.1,
                      {{0, 0xFFB070}, {0.45, 0xF04028}, {1, 0x901010}});
    cairo_fill(cr);
    // Ribs of the paper lantern.
    cairo_save(cr);
    ellipse(cr, cx, top + h / 2, w, h / 2);
    cairo_clip(cr);
    cairo_set_line_width(cr, 1.2);
    setColour(cr, 0x700808, 0.55);
    for (int i = 1; i < 9; ++i) {
        cairo_move_to(cr, cx - w, top + i * h / 9);
        cairo_line_to(cr, cx + w, top + i * h / 9);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
    setColour(cr, 0x1A1008);
    roundedRectangle(cr, cx - w * 0.55, top - 6, w * 1.1, 10, 3);
    roundedRectangle(cr, cx - w * 0.55, top + h - 4, w * 1.1, 10, 3);
    cairo_fill(cr);
    cairo_new_path(cr);
    textPathCentred(cr, mark, Lettering{"IPAGothic", 50, true, 0}, cx, top + h / 2);
    setColour(cr, 0x1A0804, 0.92);
    cairo_fill(cr);
}

void titleLettering(cairo_t* cr, Words words) {
    // 「ほろ酔いダーツ」 in two lines, neon pink over amber, and the Latin subtitle; in English the
    // same two lines in Latin letters, narrower so that they keep the same place.
    const bool english = words == Words::English;
    const Lettering upper =
        english ? Lettering{"DejaVu Sans", 80, true, 4} : Lettering{"IPAGothic", 84, true, 2};
    const Lettering lower =
        english ? Lettering{"DejaVu Sans", 104, true, 2} : Lettering{"IPAGothic", 118, true, 6};
    const double cx = 232;

    cairo_new_path(cr);
    textPathCentred(cr, english ? "TIPSY" : "ほろ酔い", upper, cx - 10, 132);
    glowPath(cr, 0xFF3A8A, 22, 0.9);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 10);
    setColour(cr, 0x2A0418);
    cairo_stroke_preserve(cr);
    setLinearGradient(cr, 0, 90, 0, 175, {{0, 0xFFE6F2}, {0.5, 0xFF8AC0}, {1, 0xFF4A9A}});
    cairo_fill(cr);

    cairo_new_path(cr);
    textPathCentred(cr, english ? "DARTS" : "ダーツ", lower, cx + 6, 252);
    glowPath(cr, 0xFF8A1A, 26, 0.9);
    cairo_set_line_width(cr, 12);
    setColour(cr, 0x2A1004);
    cairo_stroke_preserve(cr);
    setLinearGradient(cr, 0, 195, 0, 310,
                      {{0, 0xFFF6C0}, {0.45, 0xFFC838}, {0.55, 0xF29A18}, {1, 0xC86008}});
    cairo_fill(cr);

    // A dart streaking through the lettering.
    cairo_save(cr);
    setLinearGradient(cr, 30, 200, 400, 180, {{0, 0xFFFFFF, 0}, {1, 0xFFFFFF, 0.7}});
    cairo_set_line_width(cr, 2);
    for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, 60 + i * 20, 330 - i * 6);
        cairo_line_to(cr, 360, 322 - 14 - i * 3);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
    drawStuckDart(cr, 470, 306, 80, -M_PI / 2 - 0.06, 0x20B0FF);

    cairo_new_path(cr);
    textPathCentred(cr, "301 DARTS BAR", Lettering{"DejaVu Serif", 30, true, 7}, cx, 340);
    fillWithOutline(cr, 0xF6D27A, 0x1A0A02, 3);
}

void rail(cairo_t* cr) {
    setLinearGradient(cr, 0, kRailY - 6, 0, kRailY + 4, {{0, 0x6A3A18}, {1, 0x2A1206}});
    cairo_rectangle(cr, 0, kRailY - 6, kW, 10);
    cairo_fill(cr);
}

void menuBoard(cairo_t* cr, Words words) {
    // A lacquered board hung under the title, the three choices written on it in white.
    const double left = 228, right = 500, top = 374, bottom = 506;
    for (double x : {left + 30, right - 30}) {
        setColour(cr, 0xC8A060);
        cairo_rectangle(cr, x - 1, kRailY, 2, top - kRailY);
        cairo_fill(cr);
    }
    setColour(cr, 0x000000, 0.5);
    roundedRectangle(cr, left + 4, top + 6, right - left, bottom - top, 10);
    cairo_fill(cr);
    setLinearGradient(cr, 0, top, 0, bottom, {{0, 0x3A0A0E}, {0.5, 0x240608}, {1, 0x160404}});
    roundedRectangle(cr, left, top, right - left, bottom - top, 10);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 3);
    setColour(cr, 0xE0B050);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    roundedRectangle(cr, left + 6.5, top + 6.5, right - left - 13, bottom - top - 13, 6);
    cairo_stroke(cr);

    const char* const japanese[3] = {"ダーツバー", "トーナメント", "キャラクタ選択"};
    const char* const english[3] = {"Darts Bar", "Tournament", "Characters"};
    const char* const* labels = words == Words::English ? english : japanese;
    const Lettering font = words == Words::English ? Lettering{"DejaVu Sans", 26, true, 1}
                                                   : Lettering{"IPAGothic", 27, true, 1};
    for (int k = 0; k < 3; ++k) {
        const double y = labelCentreY(k);
        // A gold diamond in front of each choice, left of where the highlight bar starts.
        cairo_new_path(cr);
        cairo_move_to(cr, 249, y - 6);
        cairo_line_to(cr, 255, y);
        cairo_line_to(cr, 249, y + 6);
        cairo_line_to(cr, 243, y);
        cairo_close_path(cr);
        setColour(cr, 0xE0B050);
        cairo_fill(cr);
        cairo_new_path(cr);
        textPathCentred(cr, labels[k], font, kLabelCentreX, y);
        fillWithOutline(cr, 0xFFF8E8, 0x000000, 3);
    }
}

void counter(cairo_t* cr) {
    setLinearGradient(cr, 0, 512, 0, kH, {{0, 0x8A4A1A}, {0.15, 0x5A2A0C}, {1, 0x200C02}});
    cairo_rectangle(cr, 0, 512, kW, kH - 512);
    cairo_fill(cr);
    setColour(cr, 0xFFD8A0, 0.45);
    cairo_rectangle(cr, 0, 512, kW, 2);
    cairo_fill(cr);
    // A glass of beer and a tokkuri of sake on the counter.
    setLinearGradient(cr, 150, 0, 190, 0, {{0, 0xB87010}, {0.4, 0xFFC040}, {1, 0xA86008}});
    roundedRectangle(cr, 150, 452, 40, 66, 4);
    cairo_fill(cr);
    setColour(cr, 0xFFF8EC);
    roundedRectangle(cr, 148, 444, 44, 16, 7);
    cairo_fill(cr);
    setColour(cr, 0xFFFFFF, 0.45);
    cairo_rectangle(cr, 157, 462, 4, 50);
    cairo_fill(cr);
    // The tokkuri and its cup, right of the menu board.
    const double tx = 560;
    cairo_new_path(cr);
    cairo_move_to(cr, tx, 518);
    cairo_curve_to(cr, tx - 30, 518, tx - 32, 480, tx - 10, 462);
    cairo_curve_to(cr, tx, 452, tx - 4, 440, tx - 4, 430);
    cairo_line_to(cr, tx + 12, 430);
    cairo_curve_to(cr, tx + 12, 440, tx + 8, 452, tx + 18, 462);
    cairo_curve_to(cr, tx + 40, 480, tx + 38, 518, tx + 8, 518);
    cairo_close_path(cr);
    setLinearGradient(cr, tx - 30, 0, tx + 40, 0, {{0, 0xB8B0A0}, {0.4, 0xF4EEE0}, {1, 0x9A9080}});
    cairo_fill(cr);
    setColour(cr, 0x2A4A8A);
    cairo_rectangle(cr, tx - 20, 488, 48, 6);
    cairo_fill(cr);
    setColour(cr, 0xF4EEE0);
    cairo_move_to(cr, tx + 40, 518);
    cairo_line_to(cr, tx + 36, 500);
    cairo_line_to(cr, tx + 64, 500);
    cairo_line_to(cr, tx + 60, 518);
    cairo_close_path(cr);
    cairo_fill(cr);
}

}  // namespace

Raster paintTitle(Words words) {
    Canvas canvas(kW, kH);
    cairo_t* cr = canvas.cr();
    nightBackdrop(cr);
    spotlight(cr, 590, 190, 120);
    drawDartboard(cr, 590, 190, 128, BoardLook{true, true, true});
    drawStuckDart(cr, 590, 80, 70, 0.25, 0xE02030);
    drawStuckDart(cr, 598, 186, 70, -0.15, 0xE02030);
    drawStuckDart(cr, 575, 196, 70, 0.1, 0xE02030);
    rail(cr);
    lantern(cr, 90, 392, "酒");
    lantern(cr, 660, 392, "処");
    titleLettering(cr, words);
    menuBoard(cr, words);
    counter(cr);
    // Darken the corners a little to hold the eye on the middle.
    setRadialGradient(cr, kW / 2.0, kH / 2.0, 250, 520, {{0, 0x000000, 0}, {1, 0x000000, 0.45}});
    cairo_paint(cr);
    return canvas.raster();
}

}  // namespace darts::content::bitmaps
