// The eight characters of the roster (data/pcdata.kpd), as bust portraits: the bar's master,
// Ken who wants to turn pro, Yumi the office worker, Goro who plays better the more he drinks,
// quiet Akira, Hana the beginner, company president Ito and Joe the traveller.
#include <cmath>
#include <stdexcept>

#include "bitmaps_art.h"
#include "bitmaps_canvas.h"
#include "bitmaps_faces.h"

namespace darts::content::bitmaps {

namespace {

constexpr int kW = 242, kH = 280;

// --- backgrounds ---

void bokehBackground(cairo_t* cr, uint32_t top, uint32_t bottom,
                     std::initializer_list<uint32_t> lights, uint32_t seed) {
    setLinearGradient(cr, 0, 0, 0, kH, {{0, top}, {1, bottom}});
    cairo_paint(cr);
    Random random(seed);
    for (int i = 0; i < 22; ++i) {
        const uint32_t colour = *(lights.begin() + random.below(static_cast<int>(lights.size())));
        softLight(cr, random.uniform(0, kW), random.uniform(0, kH * 0.75), random.uniform(8, 26),
                  colour, random.uniform(0.25, 0.6));
    }
}

void backBarShelves(cairo_t* cr) {
    setLinearGradient(cr, 0, 0, 0, kH, {{0, 0x4A2A12}, {1, 0x1C0E06}});
    cairo_paint(cr);
    Random random(11);
    for (int shelf = 0; shelf < 2; ++shelf) {
        const double base = 70 + shelf * 85;
        for (double x = 6; x < kW - 10;) {
            const double w = random.uniform(12, 20), h = random.uniform(36, 58);
            const uint32_t glass[] = {0x7A4A10, 0x2E5A2A, 0x8A6A2A, 0x5A1A10, 0xC0A060};
            setColour(cr, glass[random.below(5)], 0.85);
            roundedRectangle(cr, x, base - h, w, h, 4);
            cairo_rectangle(cr, x + w * 0.35, base - h - 12, w * 0.3, 14);
            cairo_fill(cr);
            setColour(cr, 0xFFE0A0, 0.25);
            cairo_rectangle(cr, x + 2, base - h + 4, 2.5, h - 8);
            cairo_fill(cr);
            x += w + random.uniform(3, 9);
        }
        setLinearGradient(cr, 0, base, 0, base + 7, {{0, 0x8A5A2A}, {1, 0x3A200C}});
        cairo_rectangle(cr, 0, base, kW, 7);
        cairo_fill(cr);
    }
    softLight(cr, 60, 40, 90, 0xFFB050, 0.35);
    softLight(cr, 200, 120, 90, 0xFFB050, 0.25);
}

void stripes(cairo_t* cr, uint32_t colour, double alpha, double angle, double spacing,
             double width) {
    cairo_save(cr);
    cairo_translate(cr, kW / 2.0, kH / 2.0);
    cairo_rotate(cr, angle);
    setColour(cr, colour, alpha);
    for (double x = -300; x < 300; x += spacing) cairo_rectangle(cr, x, -300, width, 600);
    cairo_fill(cr);
    cairo_restore(cr);
}

// A light from behind the head and a frame, shared by every portrait.
void finish(cairo_t* cr) {
    cairo_set_line_width(cr, 3);
    setColour(cr, 0x1A0E08);
    cairo_rectangle(cr, 1.5, 1.5, kW - 3, kH - 3);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    setColour(cr, 0xE0B050, 0.8);
    cairo_rectangle(cr, 3.5, 3.5, kW - 7, kH - 7);
    cairo_stroke(cr);
}

void rimLight(cairo_t* cr, const Head& h, uint32_t colour) {
    softLight(cr, h.cx, h.cy - 10, 130, colour, 0.35);
}

// --- clothes ---

void shirtCollar(cairo_t* cr, double cx, double neckY, uint32_t colour, double open) {
    for (double side : {-1.0, 1.0}) {
        cairo_new_path(cr);
        cairo_move_to(cr, cx + side * 20, neckY - 8);
        cairo_line_to(cr, cx + side * (3 + open), neckY + 22);
        cairo_line_to(cr, cx + side * 30, neckY + 14);
        cairo_close_path(cr);
        setColour(cr, colour);
        cairo_fill_preserve(cr);
        setColour(cr, 0x000000, 0.25);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
}

void lapels(cairo_t* cr, double cx, double neckY, uint32_t colour, double depth) {
    for (double side : {-1.0, 1.0}) {
        cairo_new_path(cr);
        cairo_move_to(cr, cx + side * 24, neckY - 2);
        cairo_line_to(cr, cx + side * 4, neckY + depth);
        cairo_line_to(cr, cx + side * 10, kH);
        cairo_line_to(cr, cx + side * 60, kH);
        cairo_line_to(cr, cx + side * 48, neckY + 30);
        cairo_line_to(cr, cx + side * 56, neckY + 18);
        cairo_close_path(cr);
        setColour(cr, colour);
        cairo_fill_preserve(cr);
        setColour(cr, 0x000000, 0.35);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
}

void necktie(cairo_t* cr, double cx, double knotY, uint32_t colour, uint32_t stripe, double tilt) {
    cairo_save(cr);
    cairo_translate(cr, cx, knotY);
    cairo_rotate(cr, tilt);
    cairo_new_path(cr);
    cairo_move_to(cr, -7, 0);
    cairo_line_to(cr, 7, 0);
    cairo_line_to(cr, 5, 11);
    cairo_line_to(cr, -5, 11);
    cairo_close_path(cr);
    cairo_move_to(cr, -5, 11);
    cairo_line_to(cr, 5, 11);
    cairo_line_to(cr, 12, 80);
    cairo_line_to(cr, 0, 92);
    cairo_line_to(cr, -12, 80);
    cairo_close_path(cr);
    setColour(cr, colour);
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    setColour(cr, stripe, 0.8);
    cairo_set_line_width(cr, 3);
    for (int i = 0; i < 8; ++i) {
        cairo_move_to(cr, -20, 14 + i * 11);
        cairo_line_to(cr, 20, 2 + i * 11);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
    setColour(cr, 0x000000, 0.4);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void fillBody(cairo_t* cr, double cx, double neckY, double halfWidth, double slope, uint32_t light,
              uint32_t dark) {
    shouldersPath(cr, cx, neckY, 24, halfWidth, slope, kH);
    setLinearGradient(cr, cx - halfWidth, 0, cx + halfWidth, 0,
                      {{0, dark}, {0.4, light}, {0.6, light}, {1, dark}});
    cairo_fill_preserve(cr);
    setColour(cr, 0x000000, 0.4);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

// --- hair helpers ---

// A cap of hair over the crown with the hairline `hairline` (fraction of the head length) above
// the eye line; `volume` lifts it above the skull.
void hairCap(cairo_t* cr, const Head& h, double hairline, double volume, double sideDrop) {
    const double w = h.halfWidth, l = h.length;
    cairo_new_path(cr);
    cairo_move_to(cr, h.cx - w * 1.08, h.cy + l * sideDrop);
    cairo_curve_to(cr, h.cx - w * 1.25, h.cy - l * 1.1 - volume, h.cx + w * 1.25,
                   h.cy - l * 1.1 - volume, h.cx + w * 1.08, h.cy + l * sideDrop);
    cairo_line_to(cr, h.cx + w * 0.95, h.cy + l * sideDrop);
    cairo_curve_to(cr, h.cx + w * 0.9, h.cy - l * hairline, h.cx + w * 0.4,
                   h.cy - l * (hairline + 0.05), h.cx, h.cy - l * hairline);
    cairo_curve_to(cr, h.cx - w * 0.4, h.cy - l * (hairline + 0.05), h.cx - w * 0.9,
                   h.cy - l * hairline, h.cx - w * 0.95, h.cy + l * sideDrop);
    cairo_close_path(cr);
}

void shadeHair(cairo_t* cr, const Head& h, uint32_t base, uint32_t shine) {
    // The rim is stroked first and the fill laid over it, so tufts that overlap read as one mass
    // with a single outline.
    cairo_save(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setColour(cr, 0x000000, 0.45);
    cairo_set_line_width(cr, 3);
    cairo_stroke_preserve(cr);
    setLinearGradient(cr, h.cx - h.halfWidth, h.cy - h.length * 1.3, h.cx + h.halfWidth, h.cy,
                      {{0, shine}, {0.35, base}, {1, base}});
    cairo_fill(cr);
    cairo_restore(cr);
}

// --- the characters ---

void master(cairo_t* cr) {
    backBarShelves(cr);
    const Head h{121, 122, 43, 60, 0.55};
    const Features f{0xEFC19C, 0xC99072, 0x3A2A1E,          EyeStyle::Narrow, false, 0x8A8A8A,
                     5,        -1,       MouthStyle::Smile, 0xA86050,         0.08,  0.85};
    rimLight(cr, h, 0xFFD090);
    const double neckY = h.cy + h.length * 1.3;
    fillBody(cr, h.cx, neckY, 100, 20, 0xFAFAF6, 0xC8C8C8);  // white shirt sleeves
    // Black waistcoat over the shirt.
    cairo_new_path(cr);
    cairo_move_to(cr, h.cx - 22, neckY + 10);
    cairo_line_to(cr, h.cx - 4, neckY + 70);
    cairo_line_to(cr, h.cx + 4, neckY + 70);
    cairo_line_to(cr, h.cx + 22, neckY + 10);
    cairo_line_to(cr, h.cx + 78, neckY + 32);
    cairo_line_to(cr, h.cx + 84, kH);
    cairo_line_to(cr, h.cx - 84, kH);
    cairo_line_to(cr, h.cx - 78, neckY + 32);
    cairo_close_path(cr);
    setLinearGradient(cr, h.cx - 80, 0, h.cx + 80, 0,
                      {{0, 0x101014}, {0.5, 0x2E2E36}, {1, 0x101014}});
    cairo_fill(cr);
    setColour(cr, 0xC8B070);
    for (int i = 0; i < 2; ++i) {
        cairo_arc(cr, h.cx + 8, neckY + 52 + i * 14, 2.2, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    drawNeck(cr, h, f, 18);
    shirtCollar(cr, h.cx, neckY, 0xFFFFFF, 0);
    // Bow tie.
    setColour(cr, 0x0C0C0C);
    cairo_move_to(cr, h.cx, neckY + 6);
    cairo_line_to(cr, h.cx - 18, neckY - 3);
    cairo_line_to(cr, h.cx - 18, neckY + 15);
    cairo_close_path(cr);
    cairo_move_to(cr, h.cx, neckY + 6);
    cairo_line_to(cr, h.cx + 18, neckY - 3);
    cairo_line_to(cr, h.cx + 18, neckY + 15);
    cairo_close_path(cr);
    cairo_fill(cr);
    ellipse(cr, h.cx, neckY + 6, 4, 5);
    cairo_fill(cr);
    drawEars(cr, h, f);
    drawFace(cr, h, f);
    drawMoustache(cr, h, 0x8E8E8E);
    // Grey hair combed straight back from a high forehead.
    hairCap(cr, h, 0.62, 6, -0.05);
    shadeHair(cr, h, 0x8C8C90, 0xE0E0E4);
    hairCap(cr, h, 0.62, 6, -0.05);
    cairo_save(cr);
    cairo_clip(cr);
    cairo_set_line_width(cr, 1.5);
    setColour(cr, 0x505058, 0.6);
    for (int i = -5; i <= 5; ++i) {
        cairo_move_to(cr, h.cx + i * 8, h.cy - h.length * 0.6);
        cairo_curve_to(cr, h.cx + i * 9, h.cy - h.length * 0.9, h.cx + i * 10,
                       h.cy - h.length * 1.1, h.cx + i * 11, h.cy - h.length * 1.3);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

void ken(cairo_t* cr) {
    setLinearGradient(cr, 0, 0, 0, kH, {{0, 0x0E2A6A}, {1, 0x06122E}});
    cairo_paint(cr);
    stripes(cr, 0x40A0FF, 0.18, 0.5, 34, 10);
    const Head h{121, 126, 42, 58, 0.5};
    const Features f{0xF2C4A0, 0xCC9474, 0x2A1A10,         EyeStyle::Open, false, 0x20140C,
                     5.5,      4,        MouthStyle::Grin, 0xB06050,       0.1,   0};
    rimLight(cr, h, 0x60B0FF);
    const double neckY = h.cy + h.length * 1.3;
    // Team polo: royal blue with white panels.
    fillBody(cr, h.cx, neckY, 102, 16, 0x2A6AE0, 0x123A90);
    setColour(cr, 0xFFFFFF, 0.9);
    for (double side : {-1.0, 1.0}) {
        cairo_move_to(cr, h.cx + side * 70, neckY + 20);
        cairo_line_to(cr, h.cx + side * 80, neckY + 20);
        cairo_line_to(cr, h.cx + side * 96, kH);
        cairo_line_to(cr, h.cx + side * 86, kH);
        cairo_close_path(cr);
    }
    cairo_fill(cr);
    drawNeck(cr, h, f, 17);
    shirtCollar(cr, h.cx, neckY, 0xF4F4F4, 4);
    // A dartboard crest on the chest.
    drawDartboard(cr, h.cx + 48, neckY + 48, 10, BoardLook{false, false, false});
    drawEars(cr, h, f);
    drawFace(cr, h, f);
    // Short spiky hair standing up, each tuft leaning its own way.
    hairCap(cr, h, 0.5, 8, -0.05);
    for (int i = 0; i < 9; ++i) {
        const double x = h.cx - h.halfWidth * 0.95 + i * h.halfWidth * 0.24;
        const double baseY = h.cy - h.length * 0.72 - (4 - std::abs(i - 4)) * 2.5;
        const double lean = (i - 4) * 3.0 + ((i % 2) ? 4 : -4);
        cairo_move_to(cr, x - 11, baseY + 6);
        cairo_line_to(cr, x + lean, baseY - 20 - (4 - std::abs(i - 4)) * 2);
        cairo_line_to(cr, x + 11, baseY + 6);
        cairo_close_path(cr);
    }
    shadeHair(cr, h, 0x2A1A10, 0x4A3222);
    // Fringe points over the forehead.
    cairo_new_path(cr);
    for (int i = 0; i < 4; ++i) {
        const double x = h.cx - 30 + i * 18;
        cairo_move_to(cr, x - 6, h.cy - h.length * 0.62);
        cairo_line_to(cr, x + 6, h.cy - h.length * 0.36 + (i % 2) * 4);
        cairo_line_to(cr, x + 14, h.cy - h.length * 0.64);
        cairo_close_path(cr);
    }
    setColour(cr, 0x2A1A10);
    cairo_fill(cr);
}

void yumi(cairo_t* cr) {
    bokehBackground(cr, 0x5A1A4A, 0x200A24, {0xFF7AC0, 0xFFC0E0, 0xB080FF}, 3);
    const Head h{121, 124, 40, 58, 0.25};
    const Features f{0xF6D2B6, 0xD8A488, 0x3A2010,          EyeStyle::Open, true, 0x2A1810,
                     3,        1,        MouthStyle::Smile, 0xD04860,       0.22, 0};
    rimLight(cr, h, 0xFF9AD0);
    const double neckY = h.cy + h.length * 1.3;
    // Long black hair falling behind the shoulders.
    cairo_new_path(cr);
    cairo_move_to(cr, h.cx - h.halfWidth * 1.4, h.cy + 128);
    cairo_curve_to(cr, h.cx - h.halfWidth * 1.55, h.cy + h.length * 0.2, h.cx - h.halfWidth * 1.5,
                   h.cy - h.length * 1.15, h.cx, h.cy - h.length * 1.12);
    cairo_curve_to(cr, h.cx + h.halfWidth * 1.5, h.cy - h.length * 1.15, h.cx + h.halfWidth * 1.55,
                   h.cy + h.length * 0.2, h.cx + h.halfWidth * 1.4, h.cy + 128);
    cairo_close_path(cr);
    setColour(cr, 0x141018);
    cairo_fill(cr);
    // Navy jacket over a white blouse.
    fillBody(cr, h.cx, neckY, 96, 22, 0x2A3A66, 0x141E3A);
    setColour(cr, 0xFFFFFF);
    cairo_move_to(cr, h.cx - 26, neckY - 4);
    cairo_line_to(cr, h.cx + 26, neckY - 4);
    cairo_line_to(cr, h.cx + 20, kH);
    cairo_line_to(cr, h.cx - 20, kH);
    cairo_close_path(cr);
    cairo_fill(cr);
    lapels(cr, h.cx, neckY, 0x22305A, 58);
    drawNeck(cr, h, f, 15);
    // A fine gold chain.
    setColour(cr, 0xE8C060);
    cairo_set_line_width(cr, 1.2);
    cairo_move_to(cr, h.cx - 14, neckY - 12);
    cairo_curve_to(cr, h.cx - 8, neckY + 2, h.cx + 8, neckY + 2, h.cx + 14, neckY - 12);
    cairo_stroke(cr);
    cairo_arc(cr, h.cx, neckY - 1, 2.5, 0, 2 * M_PI);
    cairo_fill(cr);
    drawEars(cr, h, f);
    drawFace(cr, h, f);
    // Gold earrings.
    for (double side : {-1.0, 1.0}) {
        setColour(cr, 0xF0C850);
        cairo_arc(cr, h.cx + side * (h.halfWidth + 2), h.cy + h.length * 0.34, 3, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    // Straight black hair with side-swept bangs, falling past the cheeks.
    cairo_new_path(cr);
    cairo_move_to(cr, h.cx - h.halfWidth * 1.15, h.cy + h.length * 0.9);
    cairo_curve_to(cr, h.cx - h.halfWidth * 1.45, h.cy - h.length * 1.55, h.cx + h.halfWidth * 1.45,
                   h.cy - h.length * 1.55, h.cx + h.halfWidth * 1.15, h.cy + h.length * 0.9);
    cairo_line_to(cr, h.cx + h.halfWidth * 0.92, h.cy + h.length * 0.9);
    cairo_curve_to(cr, h.cx + h.halfWidth * 0.95, h.cy, h.cx + h.halfWidth * 0.9,
                   h.cy - h.length * 0.35, h.cx + h.halfWidth * 0.6, h.cy - h.length * 0.5);
    // Bangs swept to her right.
    cairo_curve_to(cr, h.cx + h.halfWidth * 0.1, h.cy - h.length * 0.3, h.cx - h.halfWidth * 0.5,
                   h.cy - h.length * 0.25, h.cx - h.halfWidth * 0.85, h.cy - h.length * 0.15);
    cairo_curve_to(cr, h.cx - h.halfWidth * 0.95, h.cy + h.length * 0.3, h.cx - h.halfWidth * 0.9,
                   h.cy + h.length * 0.6, h.cx - h.halfWidth * 0.92, h.cy + h.length * 0.9);
    cairo_close_path(cr);
    shadeHair(cr, h, 0x16121A, 0x3A3448);
}

void goro(cairo_t* cr) {
    bokehBackground(cr, 0xD0701A, 0x6A2408, {0xFFF0C0, 0xFFD060}, 7);
    const Head h{118, 124, 52, 60, 0.95};
    const Features f{0xEBB48E, 0xC88462, 0x2A1A10,          EyeStyle::Smiling, false, 0x2A2020,
                     6,        -2,       MouthStyle::Laugh, 0xB05050,          0.55,  0.5};
    rimLight(cr, h, 0xFFE0A0);
    const double neckY = h.cy + h.length * 1.25;
    // White shirt, top button undone, tie pulled loose.
    fillBody(cr, h.cx, neckY, 112, 12, 0xFAFAF4, 0xC8C8C0);
    drawNeck(cr, h, f, 26);
    setColour(cr, f.skinShadow);
    cairo_move_to(cr, h.cx - 14, neckY);
    cairo_line_to(cr, h.cx, neckY + 26);
    cairo_line_to(cr, h.cx + 14, neckY);
    cairo_close_path(cr);
    cairo_fill(cr);
    shirtCollar(cr, h.cx, neckY, 0xFFFFFF, 10);
    necktie(cr, h.cx + 6, neckY + 18, 0xC02020, 0x401010, -0.2);
    drawEars(cr, h, f);
    drawFace(cr, h, f);
    drawStubble(cr, h, 0x40302A, 0.18);
    // Bald crown with a fringe of hair over the ears and a few brave strands on top.
    for (double side : {-1.0, 1.0}) {
        cairo_new_path(cr);
        cairo_move_to(cr, h.cx + side * h.halfWidth * 0.85, h.cy - h.length * 0.65);
        cairo_curve_to(cr, h.cx + side * h.halfWidth * 1.2, h.cy - h.length * 0.5,
                       h.cx + side * h.halfWidth * 1.15, h.cy - h.length * 0.1,
                       h.cx + side * h.halfWidth * 1.05, h.cy + h.length * 0.05);
        cairo_line_to(cr, h.cx + side * h.halfWidth * 0.96, h.cy - h.length * 0.1);
        cairo_curve_to(cr, h.cx + side * h.halfWidth * 0.98, h.cy - h.length * 0.4,
                       h.cx + side * h.halfWidth * 0.9, h.cy - h.length * 0.55,
                       h.cx + side * h.halfWidth * 0.75, h.cy - h.length * 0.68);
        cairo_close_path(cr);
        setColour(cr, 0x2E2826);
        cairo_fill(cr);
    }
    cairo_set_line_width(cr, 1.6);
    setColour(cr, 0x2E2826);
    for (int i = -1; i <= 1; ++i) {
        cairo_move_to(cr, h.cx - 20 + i * 6, h.cy - h.length * 0.74);
        cairo_curve_to(cr, h.cx + i * 6, h.cy - h.length * 0.86, h.cx + 14 + i * 6,
                       h.cy - h.length * 0.84, h.cx + 24 + i * 4, h.cy - h.length * 0.7);
    }
    cairo_stroke(cr);
    // Sheen on the scalp.
    ellipse(cr, h.cx - 14, h.cy - h.length * 0.66, 14, 5);
    setColour(cr, 0xFFFFFF, 0.35);
    cairo_fill(cr);
    // A beer mug raised in his hand.
    const double mx = 190, my = 200;
    setColour(cr, f.skin);
    ellipse(cr, mx - 6, my + 46, 26, 20);
    cairo_fill(cr);
    setLinearGradient(cr, mx - 24, 0, mx + 24, 0,
                      {{0, 0xC07810}, {0.35, 0xFFC840}, {0.7, 0xE89A20}, {1, 0xA86008}});
    roundedRectangle(cr, mx - 24, my, 48, 70, 6);
    cairo_fill(cr);
    setColour(cr, 0xFFFFFF, 0.5);
    cairo_rectangle(cr, mx - 16, my + 8, 4, 56);
    cairo_fill(cr);
    setColour(cr, 0xFFF8EC);
    for (int i = 0; i < 5; ++i) cairo_arc(cr, mx - 20 + i * 10, my - 2, 9, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_set_line_width(cr, 7);
    setColour(cr, 0xF0E8D0, 0.8);
    cairo_arc(cr, mx + 26, my + 34, 15, -M_PI / 2, M_PI / 2);
    cairo_stroke(cr);
    // His fingers round the glass.
    setColour(cr, f.skin);
    for (int i = 0; i < 3; ++i) {
        roundedRectangle(cr, mx - 30, my + 30 + i * 11, 20, 10, 5);
    }
    cairo_fill(cr);
}

void akira(cairo_t* cr) {
    setLinearGradient(cr, 0, 0, 0, kH, {{0, 0x0C3A40}, {1, 0x041A1E}});
    cairo_paint(cr);
    setColour(cr, 0x40D0D0, 0.12);
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < 12; ++i) {
        cairo_move_to(cr, i * 22 + 0.5, 0);
        cairo_line_to(cr, i * 22 + 0.5, kH);
        cairo_move_to(cr, 0, i * 24 + 0.5);
        cairo_line_to(cr, kW, i * 24 + 0.5);
    }
    cairo_stroke(cr);
    const Head h{121, 124, 40, 58, 0.3};
    const Features f{0xF0CCB0, 0xCC9E84, 0x1A1410, EyeStyle::Narrow,    false,
                     0x141010, 3.5,      0,        MouthStyle::Neutral, 0xA06A5A,
                     0.04,     0};
    rimLight(cr, h, 0x60E0E0);
    const double neckY = h.cy + h.length * 1.3;
    // Grey-green hoodie with its hood bunched behind the neck, and headphones.
    fillBody(cr, h.cx, neckY, 98, 24, 0x6A7A70, 0x38443E);
    setColour(cr, 0x4E5C54);
    ellipse(cr, h.cx, neckY + 2, 44, 18);
    cairo_fill(cr);
    drawNeck(cr, h, f, 15);
    setColour(cr, 0x5A6A60);
    cairo_move_to(cr, h.cx - 30, neckY + 4);
    cairo_curve_to(cr, h.cx - 14, neckY + 26, h.cx + 14, neckY + 26, h.cx + 30, neckY + 4);
    cairo_line_to(cr, h.cx + 34, neckY + 14);
    cairo_curve_to(cr, h.cx + 14, neckY + 36, h.cx - 14, neckY + 36, h.cx - 34, neckY + 14);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_set_line_width(cr, 2.5);
    setColour(cr, 0xE8E8E0);
    cairo_move_to(cr, h.cx - 12, neckY + 26);
    cairo_line_to(cr, h.cx - 14, neckY + 70);
    cairo_move_to(cr, h.cx + 12, neckY + 26);
    cairo_line_to(cr, h.cx + 14, neckY + 68);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 7);
    setColour(cr, 0x1C1C20);
    cairo_arc(cr, h.cx, neckY - 2, 38, 0.15, M_PI - 0.15);
    cairo_stroke(cr);
    for (double side : {-1.0, 1.0}) {
        setColour(cr, 0x1C1C20);
        ellipse(cr, h.cx + side * 38, neckY + 4, 10, 13);
        cairo_fill(cr);
        setColour(cr, 0xE03040);
        ellipse(cr, h.cx + side * 38, neckY + 4, 4, 6);
        cairo_fill(cr);
    }
    drawEars(cr, h, f);
    drawFace(cr, h, f);
    drawGlasses(cr, h, 0x101010, false);
    // Messy black hair with a heavy fringe down to the glasses.
    cairo_new_path(cr);
    cairo_move_to(cr, h.cx - h.halfWidth * 1.12, h.cy + h.length * 0.2);
    cairo_curve_to(cr, h.cx - h.halfWidth * 1.4, h.cy - h.length * 1.3, h.cx + h.halfWidth * 1.4,
                   h.cy - h.length * 1.3, h.cx + h.halfWidth * 1.12, h.cy + h.length * 0.2);
    const int tufts = 7;
    for (int i = 0; i <= tufts; ++i) {
        const double t = double(i) / tufts;
        const double x = h.cx + h.halfWidth * (1.0 - 2 * t);
        const double y = h.cy - h.length * (0.2 + 0.18 * std::sin(t * M_PI)) + (i % 2) * 8;
        cairo_line_to(cr, x, y);
        if (i < tufts) {
            cairo_line_to(cr, x - h.halfWidth / tufts, y - 16);
        }
    }
    cairo_close_path(cr);
    shadeHair(cr, h, 0x121216, 0x3A4A50);
}

void hana(cairo_t* cr) {
    setLinearGradient(cr, 0, 0, 0, kH, {{0, 0xC8F0C0}, {1, 0x70B888}});
    cairo_paint(cr);
    Random random(5);
    for (int i = 0; i < 18; ++i) {
        const double x = random.uniform(0, kW), y = random.uniform(0, kH * 0.7);
        const double r = random.uniform(3, 7);
        setColour(cr, 0xFFFFFF, 0.8);
        cairo_move_to(cr, x, y - r * 2);
        cairo_curve_to(cr, x, y, x, y, x + r * 2, y);
        cairo_curve_to(cr, x, y, x, y, x, y + r * 2);
        cairo_curve_to(cr, x, y, x, y, x - r * 2, y);
        cairo_curve_to(cr, x, y, x, y, x, y - r * 2);
        cairo_fill(cr);
    }
    const Head h{121, 128, 40, 56, 0.2};
    const Features f{0xFAD8C0, 0xDCA890, 0x5A3418,          EyeStyle::Wide, true, 0x6A3A1A,
                     3,        2,        MouthStyle::Laugh, 0xE06070,       0.3,  0};
    rimLight(cr, h, 0xFFFFE0);
    const double neckY = h.cy + h.length * 1.3;
    // Ponytail swinging out behind.
    cairo_new_path(cr);
    cairo_move_to(cr, h.cx + 30, h.cy - 50);
    cairo_curve_to(cr, h.cx + 90, h.cy - 60, h.cx + 100, h.cy + 10, h.cx + 80, h.cy + 60);
    cairo_curve_to(cr, h.cx + 86, h.cy + 10, h.cx + 70, h.cy - 20, h.cx + 36, h.cy - 24);
    cairo_close_path(cr);
    shadeHair(cr, h, 0x8A4A22, 0xD08A50);
    // Yellow cardigan over a white T-shirt.
    fillBody(cr, h.cx, neckY, 94, 22, 0xFFD84A, 0xD89A18);
    setColour(cr, 0xFFFFFF);
    cairo_move_to(cr, h.cx - 30, neckY);
    cairo_line_to(cr, h.cx + 30, neckY);
    cairo_line_to(cr, h.cx + 22, kH);
    cairo_line_to(cr, h.cx - 22, kH);
    cairo_close_path(cr);
    cairo_fill(cr);
    setColour(cr, 0xFFFFFF);
    for (int i = 0; i < 3; ++i) {
        cairo_arc(cr, h.cx - 28, neckY + 40 + i * 24, 3, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    drawNeck(cr, h, f, 14);
    setColour(cr, 0xFFFFFF);
    cairo_move_to(cr, h.cx - 14, neckY - 2);
    cairo_curve_to(cr, h.cx - 8, neckY + 12, h.cx + 8, neckY + 12, h.cx + 14, neckY - 2);
    cairo_line_to(cr, h.cx + 30, neckY + 2);
    cairo_line_to(cr, h.cx - 30, neckY + 2);
    cairo_close_path(cr);
    cairo_fill(cr);
    drawEars(cr, h, f);
    drawFace(cr, h, f);
    // Chestnut hair gathered up, straight bangs.
    hairCap(cr, h, 0.55, 10, 0.25);
    shadeHair(cr, h, 0x8A4A22, 0xD08A50);
    cairo_new_path(cr);
    cairo_move_to(cr, h.cx - h.halfWidth * 0.98, h.cy - h.length * 0.2);
    cairo_curve_to(cr, h.cx - h.halfWidth, h.cy - h.length * 0.9, h.cx + h.halfWidth,
                   h.cy - h.length * 0.9, h.cx + h.halfWidth * 0.98, h.cy - h.length * 0.2);
    for (int i = 0; i <= 6; ++i) {
        const double x = h.cx + h.halfWidth * (0.98 - i * 0.327);
        cairo_line_to(cr, x, h.cy - h.length * (0.3 + (i % 2) * 0.08));
    }
    cairo_close_path(cr);
    shadeHair(cr, h, 0x8A4A22, 0xC07A40);
    // A star-shaped hair clip.
    cairo_save(cr);
    cairo_translate(cr, h.cx + 28, h.cy - h.length * 0.62);
    cairo_new_path(cr);
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5, r = (i % 2) ? 3.5 : 8.5;
        cairo_line_to(cr, std::cos(a) * r, std::sin(a) * r);
    }
    cairo_close_path(cr);
    setColour(cr, 0xFF6A9A);
    cairo_fill_preserve(cr);
    setColour(cr, 0xFFFFFF);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void ito(cairo_t* cr) {
    setLinearGradient(cr, 0, 0, 0, kH, {{0, 0x3A1248}, {1, 0x14061C}});
    cairo_paint(cr);
    stripes(cr, 0xE0B050, 0.14, 0, 26, 2);
    const Head h{121, 124, 44, 60, 0.7};
    const Features f{0xEDBF9C, 0xC48C6C, 0x2A1A10,          EyeStyle::Narrow, false, 0xB8B8B8,
                     6.5,      3,        MouthStyle::Smirk, 0xA05A4A,         0.1,   0.95};
    rimLight(cr, h, 0xE0A0FF);
    const double neckY = h.cy + h.length * 1.3;
    // Dark suit, white shirt, red silk tie and a gold company pin.
    fillBody(cr, h.cx, neckY, 104, 16, 0x2A3050, 0x0E1020);
    setColour(cr, 0xFFFFFF);
    cairo_move_to(cr, h.cx - 26, neckY - 4);
    cairo_line_to(cr, h.cx + 26, neckY - 4);
    cairo_line_to(cr, h.cx + 6, kH);
    cairo_line_to(cr, h.cx - 6, kH);
    cairo_close_path(cr);
    cairo_fill(cr);
    drawNeck(cr, h, f, 19);
    shirtCollar(cr, h.cx, neckY, 0xFFFFFF, 0);
    necktie(cr, h.cx, neckY + 4, 0xB01020, 0xE04050, 0);
    lapels(cr, h.cx, neckY, 0x222844, 70);
    setColour(cr, 0xF0C850);
    cairo_arc(cr, h.cx - 46, neckY + 40, 4, 0, 2 * M_PI);
    cairo_fill(cr);
    setColour(cr, 0xB01020);
    cairo_arc(cr, h.cx - 46, neckY + 40, 1.8, 0, 2 * M_PI);
    cairo_fill(cr);
    drawEars(cr, h, f);
    drawFace(cr, h, f);
    drawGlasses(cr, h, 0xD8B050, true);
    // Silver hair, full, with a side parting, combed back.
    hairCap(cr, h, 0.55, 12, 0.0);
    shadeHair(cr, h, 0xA8A8B0, 0xF4F4F8);
    hairCap(cr, h, 0.55, 12, 0.0);
    cairo_save(cr);
    cairo_clip(cr);
    cairo_set_line_width(cr, 1.4);
    setColour(cr, 0x606070, 0.7);
    for (int i = 0; i < 12; ++i) {
        const double x = h.cx - 20 + i * 7;
        cairo_move_to(cr, x, h.cy - h.length * 0.58);
        cairo_curve_to(cr, x + 6, h.cy - h.length * 0.95, x + 14, h.cy - h.length * 1.1, x + 24,
                       h.cy - h.length * 1.2);
    }
    cairo_move_to(cr, h.cx - 24, h.cy - h.length * 0.6);
    cairo_curve_to(cr, h.cx - 26, h.cy - h.length * 0.9, h.cx - 24, h.cy - h.length * 1.1,
                   h.cx - 20, h.cy - h.length * 1.25);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void joe(cairo_t* cr) {
    setLinearGradient(cr, 0, 0, 0, kH,
                      {{0, 0x3A8AE0}, {0.45, 0x8AC0F0}, {0.7, 0xFFB070}, {1, 0xE06A30}});
    cairo_paint(cr);
    softLight(cr, 40, 190, 70, 0xFFF0A0, 0.8);
    // Palm silhouette.
    cairo_set_line_width(cr, 7);
    setColour(cr, 0x1A2A30, 0.8);
    cairo_move_to(cr, 228, kH);
    cairo_curve_to(cr, 220, 200, 214, 140, 204, 90);
    cairo_stroke(cr);
    for (int i = 0; i < 6; ++i) {
        const double a = -M_PI + i * M_PI / 5;
        cairo_move_to(cr, 204, 90);
        cairo_curve_to(cr, 204 + std::cos(a) * 30, 90 + std::sin(a) * 30 - 10,
                       204 + std::cos(a) * 50, 90 + std::sin(a) * 50, 204 + std::cos(a) * 60,
                       100 + std::sin(a) * 40);
    }
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    const Head h{118, 126, 43, 60, 0.75};
    const Features f{0xD9A070, 0xB07850, 0x2A70C8,         EyeStyle::Open, false, 0xB08830,
                     4.5,      2,        MouthStyle::Grin, 0xB06050,       0.12,  0.2};
    const double neckY = h.cy + h.length * 1.3;
    // Orange aloha shirt with hibiscus flowers.
    fillBody(cr, h.cx, neckY, 104, 18, 0xF08A30, 0xC05A10);
    shouldersPath(cr, h.cx, neckY, 24, 104, 18, kH);
    cairo_save(cr);
    cairo_clip(cr);
    Random random(8);
    for (int i = 0; i < 14; ++i) {
        const double x = random.uniform(10, kW - 10), y = random.uniform(neckY, kH);
        setColour(cr, i % 2 ? 0xFFF4E0 : 0xE8305A, 0.9);
        for (int p = 0; p < 5; ++p) {
            const double a = p * 2 * M_PI / 5;
            ellipse(cr, x + std::cos(a) * 6, y + std::sin(a) * 6, 5, 5);
        }
        cairo_fill(cr);
        setColour(cr, 0xFFD040);
        cairo_arc(cr, x, y, 2.5, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    drawNeck(cr, h, f, 18);
    setColour(cr, f.skinShadow);
    cairo_move_to(cr, h.cx - 16, neckY);
    cairo_line_to(cr, h.cx, neckY + 34);
    cairo_line_to(cr, h.cx + 16, neckY);
    cairo_close_path(cr);
    cairo_fill(cr);
    shirtCollar(cr, h.cx, neckY, 0xF4A050, 12);
    drawEars(cr, h, f);
    drawFace(cr, h, f);
    drawStubble(cr, h, 0x8A6A30, 0.35);
    // Messy blond hair, tufts curling every which way.
    hairCap(cr, h, 0.5, 10, -0.1);
    for (int i = 0; i < 8; ++i) {
        const double x = h.cx - h.halfWidth * 1.0 + i * h.halfWidth * 0.285;
        const double baseY = h.cy - h.length * 0.74 - (3.5 - std::abs(i - 3.5)) * 2.5;
        const double lean = (i % 2) ? 10 : -6;
        cairo_move_to(cr, x - 12, baseY + 8);
        cairo_curve_to(cr, x - 6, baseY - 8, x + lean, baseY - 14, x + lean + 6, baseY - 18);
        cairo_curve_to(cr, x + 4, baseY - 6, x + 10, baseY, x + 12, baseY + 8);
        cairo_close_path(cr);
    }
    shadeHair(cr, h, 0xD8A840, 0xFFE890);
    // Sunglasses pushed up on the hair.
    for (double side : {-1.0, 1.0}) {
        roundedRectangle(cr, h.cx + side * 18 - 15, h.cy - h.length * 0.92, 30, 16, 6);
    }
    setColour(cr, 0x1A1A22);
    cairo_fill(cr);
    setColour(cr, 0x1A1A22);
    cairo_set_line_width(cr, 3);
    cairo_move_to(cr, h.cx - 4, h.cy - h.length * 0.86);
    cairo_line_to(cr, h.cx + 4, h.cy - h.length * 0.86);
    cairo_stroke(cr);
    setColour(cr, 0x80C0FF, 0.6);
    for (double side : {-1.0, 1.0}) {
        cairo_move_to(cr, h.cx + side * 18 - 8, h.cy - h.length * 0.9);
        cairo_line_to(cr, h.cx + side * 18 - 2, h.cy - h.length * 0.9);
    }
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

}  // namespace

Raster paintPortrait(int character) {
    Canvas canvas(kW, kH);
    cairo_t* cr = canvas.cr();
    switch (character) {
        case 1:
            master(cr);
            break;
        case 2:
            ken(cr);
            break;
        case 3:
            yumi(cr);
            break;
        case 4:
            goro(cr);
            break;
        case 5:
            akira(cr);
            break;
        case 6:
            hana(cr);
            break;
        case 7:
            ito(cr);
            break;
        case 8:
            joe(cr);
            break;
        default:
            throw std::invalid_argument("no such character");
    }
    finish(cr);
    return canvas.raster();
}

}  // namespace darts::content::bitmaps
