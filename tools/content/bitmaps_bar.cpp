// The bar counter: the picture behind the darts-bar, tournament and character-select screens.
// Warm lamps over a back bar of bottles, plaster walls with the menu tags and a dartboard, and
// the counter across the bottom. The darts-bar screen lays its notice panel over it at a low alpha
// and writes brown texts on the blend, so the wall is light and calm where they go: the shelves
// stay above the name's line (screen y 140..184), the menu tags and the board keep right of the
// years (300..500 at y 250), and the counter sits low enough that nothing on it reaches the
// profile's line (y 400..414).
#include <cmath>
#include <string>

#include "bitmaps_art.h"
#include "bitmaps_canvas.h"

namespace darts::content::bitmaps {

namespace {

constexpr int kW = 746, kH = 562;
constexpr double kShelfTop = 30, kShelfBottom = 118, kRail = 336, kCounterTop = 440;

void pendantLamp(cairo_t* cr, double x) {
    setColour(cr, 0x100804);
    cairo_rectangle(cr, x - 1, 0, 2, 34);
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, x - 8, 32);
    cairo_line_to(cr, x + 8, 32);
    cairo_line_to(cr, x + 30, 54);
    cairo_line_to(cr, x - 30, 54);
    cairo_close_path(cr);
    setLinearGradient(cr, x - 30, 0, x + 30, 0, {{0, 0x2A1A0C}, {0.4, 0x7A5430}, {1, 0x1A0E06}});
    cairo_fill(cr);
    ellipse(cr, x, 54, 30, 5);
    setColour(cr, 0xFFF2C8);
    cairo_fill(cr);
}

void backBar(cairo_t* cr) {
    // Back-lit shelves.
    setLinearGradient(cr, 0, kShelfTop, 0, kShelfBottom,
                      {{0, 0x9A6A34}, {0.5, 0xF0C078}, {1, 0xB07A3C}});
    cairo_rectangle(cr, 26, kShelfTop, kW - 52, kShelfBottom - kShelfTop);
    cairo_fill(cr);
    Random random(77);
    const uint32_t glass[] = {0x6A3A08, 0x1E4A22, 0x9A7020, 0x5A1410, 0xD0B070, 0x2A2A50};
    for (int row = 0; row < 2; ++row) {
        const double base = row == 0 ? 72 : 112;
        for (double x = 34; x < kW - 44;) {
            const double w = random.uniform(12, 20), h = random.uniform(22, 30);
            const uint32_t colour = glass[random.below(6)];
            setColour(cr, colour, 0.9);
            roundedRectangle(cr, x, base - h, w, h, 4);
            cairo_fill(cr);
            setColour(cr, colour, 0.9);
            cairo_rectangle(cr, x + w * 0.35, base - h - 9, w * 0.3, 11);
            cairo_fill(cr);
            // Label and a glint of the light behind.
            setColour(cr, 0xF0E6D0, 0.7);
            cairo_rectangle(cr, x + 2, base - h * 0.6, w - 4, h * 0.3);
            cairo_fill(cr);
            setColour(cr, 0xFFE8B0, 0.45);
            cairo_rectangle(cr, x + 2, base - h + 3, 2, h - 6);
            cairo_fill(cr);
            x += w + random.uniform(2, 8);
        }
        setLinearGradient(cr, 0, base, 0, base + 6, {{0, 0xC08A4C}, {1, 0x6A4420}});
        cairo_rectangle(cr, 26, base, kW - 52, 6);
        cairo_fill(cr);
    }
}

void menuTags(cairo_t* cr) {
    const char* items[] = {"生ビール", "ハイボール", "焼酎", "日本酒", "枝豆"};
    const Lettering font{"IPAGothic", 14, true, 0};
    for (int i = 0; i < 5; ++i) {
        const double x = 470 + i * 26, top = 190, height = 90;
        setColour(cr, 0x000000, 0.3);
        cairo_rectangle(cr, x + 3, top + 3, 22, height);
        cairo_fill(cr);
        setLinearGradient(cr, x, 0, x + 22, 0, {{0, 0xE8D0A0}, {0.5, 0xF6E6C4}, {1, 0xD8BC88}});
        cairo_rectangle(cr, x, top, 22, height);
        cairo_fill(cr);
        // Written top to bottom, one character under the other; the long vowel mark turns.
        const std::string text = items[i];
        double y = top + 12;
        for (size_t at = 0; at < text.size();) {
            size_t length = 1;
            const auto lead = static_cast<unsigned char>(text[at]);
            if (lead >= 0xF0)
                length = 4;
            else if (lead >= 0xE0)
                length = 3;
            else if (lead >= 0xC0)
                length = 2;
            const std::string glyph = text.substr(at, length);
            cairo_save(cr);
            cairo_translate(cr, x + 11, y);
            if (glyph == "ー") cairo_rotate(cr, M_PI / 2);
            cairo_new_path(cr);
            textPathCentred(cr, glyph, font, 0, 0);
            setColour(cr, 0x1A0C04);
            cairo_fill(cr);
            cairo_restore(cr);
            y += 15;
            at += length;
        }
    }
}

void counterAndThings(cairo_t* cr) {
    // The counter's top edge, polished, then its front.
    setLinearGradient(cr, 0, kCounterTop, 0, kCounterTop + 28,
                      {{0, 0xC07A3A}, {0.3, 0x8A4A1E}, {1, 0x4A2208}});
    cairo_rectangle(cr, 0, kCounterTop, kW, 28);
    cairo_fill(cr);
    setColour(cr, 0xFFE0B0, 0.6);
    cairo_rectangle(cr, 0, kCounterTop, kW, 2);
    cairo_fill(cr);
    setLinearGradient(cr, 0, kCounterTop + 28, 0, kH, {{0, 0x2A1206}, {1, 0x140802}});
    cairo_rectangle(cr, 0, kCounterTop + 28, kW, kH - kCounterTop - 28);
    cairo_fill(cr);
    for (int i = 0; i < 13; ++i) {
        setColour(cr, 0xFFC080, 0.06);
        cairo_rectangle(cr, 10 + i * 60, kCounterTop + 36, 50, kH - kCounterTop - 50);
        cairo_fill(cr);
    }
    setLinearGradient(cr, 0, 538, 0, 548, {{0, 0xF0D080}, {1, 0x8A6A20}});
    cairo_rectangle(cr, 0, 538, kW, 8);
    cairo_fill(cr);
    // A half-drunk beer on a coaster, a bowl of edamame, a sake set at the end.
    setColour(cr, 0xE8E0D0);
    ellipse(cr, 470, kCounterTop + 4, 28, 6);
    cairo_fill(cr);
    setLinearGradient(cr, 452, 0, 488, 0, {{0, 0xB06A10}, {0.4, 0xFFC848}, {1, 0x9A5A08}});
    roundedRectangle(cr, 452, kCounterTop - 46, 36, 48, 4);
    cairo_fill(cr);
    setColour(cr, 0xFFF6E6);
    roundedRectangle(cr, 451, kCounterTop - 52, 38, 12, 5);
    cairo_fill(cr);
    setColour(cr, 0xFFFFFF, 0.4);
    cairo_rectangle(cr, 458, kCounterTop - 38, 3, 36);
    cairo_fill(cr);
    setColour(cr, 0x3A2A1A);
    ellipse(cr, 560, kCounterTop - 4, 34, 10);
    cairo_fill(cr);
    setColour(cr, 0x6AA83A);
    for (int i = 0; i < 9; ++i) {
        ellipse(cr, 536 + i * 6, kCounterTop - 12 - (i % 3) * 3, 7, 3.5);
        cairo_fill(cr);
    }
    setLinearGradient(cr, 676, 0, 716, 0, {{0, 0xA89880}, {0.4, 0xF0E8D8}, {1, 0x8A7A60}});
    cairo_new_path(cr);
    cairo_move_to(cr, 690, kCounterTop + 2);
    cairo_curve_to(cr, 672, kCounterTop + 2, 670, kCounterTop - 26, 686, kCounterTop - 40);
    cairo_line_to(cr, 688, kCounterTop - 58);
    cairo_line_to(cr, 700, kCounterTop - 58);
    cairo_line_to(cr, 702, kCounterTop - 40);
    cairo_curve_to(cr, 718, kCounterTop - 26, 716, kCounterTop + 2, 698, kCounterTop + 2);
    cairo_close_path(cr);
    cairo_fill(cr);
}

}  // namespace

Raster paintBarCounter() {
    Canvas canvas(kW, kH);
    cairo_t* cr = canvas.cr();
    // Plaster wall, warm and mid-toned.
    setLinearGradient(cr, 0, 0, 0, kRail, {{0, 0x8A6440}, {0.3, 0xE8D2A8}, {1, 0xDEC498}});
    cairo_paint(cr);
    Random grain(9);
    for (int i = 0; i < 900; ++i) {
        setColour(cr, grain.below(2) ? 0xFFFFFF : 0x000000, 0.035);
        cairo_arc(cr, grain.uniform(0, kW), grain.uniform(140, kRail), grain.uniform(1, 4), 0,
                  2 * M_PI);
        cairo_fill(cr);
    }
    // Pale hinoki wainscot below the rail.
    setLinearGradient(cr, 0, kRail, 0, kCounterTop, {{0, 0xE2C690}, {1, 0xCCA870}});
    cairo_rectangle(cr, 0, kRail, kW, kCounterTop - kRail);
    cairo_fill(cr);
    for (int i = 0; i < 25; ++i) {
        setColour(cr, 0x5A3A18, 0.18);
        cairo_rectangle(cr, i * 31, kRail, 1.5, kCounterTop - kRail);
        cairo_fill(cr);
    }
    setLinearGradient(cr, 0, kRail - 4, 0, kRail + 6, {{0, 0x9A6030}, {1, 0x3A1E0A}});
    cairo_rectangle(cr, 0, kRail - 4, kW, 10);
    cairo_fill(cr);
    // Ceiling beam and posts.
    setLinearGradient(cr, 0, 0, 0, 26, {{0, 0x1A0C04}, {1, 0x3A2010}});
    cairo_rectangle(cr, 0, 0, kW, 26);
    cairo_fill(cr);
    for (double x : {0.0, kW - 22.0}) {
        setLinearGradient(cr, x, 0, x + 22, 0, {{0, 0x2A1406}, {0.5, 0x5A3418}, {1, 0x2A1406}});
        cairo_rectangle(cr, x, 0, 22, kCounterTop);
        cairo_fill(cr);
    }
    backBar(cr);
    menuTags(cr);
    // The house board, under its own little light.
    softLight(cr, 663, 250, 100, 0xFFF0C0, 0.35);
    setColour(cr, 0x2A160A);
    cairo_rectangle(cr, 603, 190, 120, 120);
    cairo_fill(cr);
    drawDartboard(cr, 663, 251, 43, BoardLook{true, true, true});
    drawStuckDart(cr, 666, 230, 28, 0.2, 0x20A0FF);
    // Pools of lamplight on the wall.
    for (double x : {130.0, 373.0, 616.0}) {
        setRadialGradient(cr, x, 60, 10, x, 150, 230,
                          {{0, 0xFFD890, 0.45}, {0.5, 0xFFB060, 0.15}, {1, 0xFFB060, 0}});
        cairo_paint(cr);
        pendantLamp(cr, x);
    }
    counterAndThings(cr);
    // Warm, dim corners.
    setRadialGradient(cr, kW / 2.0, kH * 0.45, 300, 560, {{0, 0x000000, 0}, {1, 0x000000, 0.35}});
    cairo_paint(cr);
    return canvas.raster();
}

}  // namespace darts::content::bitmaps
