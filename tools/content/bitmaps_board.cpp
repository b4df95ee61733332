// The dartboard as the 3D model has it: rings at the model's radii, sectors cut every 0.314 rad
// starting 0.157 rad either side of straight up, 20 at the top.
#include <array>
#include <cmath>
#include <string>

#include "bitmaps_art.h"
#include "bitmaps_canvas.h"

namespace darts::content::bitmaps {

namespace {

// Ring edges in the board's own units; the double ring's outer edge is the board's edge.
constexpr double kInnerBull = 0.0195999;
constexpr double kOuterBull = 0.0608997;
constexpr double kTripleInner = 0.226099;
constexpr double kTripleOuter = 0.271599;
constexpr double kDoubleInner = 0.415098;
constexpr double kDoubleOuter = 0.467598;
constexpr double kHalfSector = 0.157;

constexpr std::array<int, 20> kClockwiseNumbers = {20, 1,  18, 4,  13, 6,  10, 15, 2,  17,
                                                   3,  19, 7,  16, 8,  11, 14, 9,  12, 5};

constexpr uint32_t kBlack = 0x1C1A19;
constexpr uint32_t kCream = 0xF0E2C0;
constexpr uint32_t kRed = 0xC8242B;
constexpr uint32_t kGreen = 0x1D8A45;
constexpr uint32_t kWire = 0xC9CDD2;

// Sector k (clockwise from the top) spans these angles, measured clockwise from straight up. The
// bottom sector takes what the nineteen equal ones leave, as the scoring does.
std::array<double, 2> sectorSpan(int k) {
    if (k == 10) return {19 * kHalfSector, 2 * M_PI - 19 * kHalfSector};
    const double centre = (k <= 10 ? k : k - 20) * 2 * kHalfSector;
    return {centre - kHalfSector, centre + kHalfSector};
}

// Cairo measures angles from +x towards +y (down); the board from straight up, clockwise.
double cairoAngle(double boardAngle) { return boardAngle - M_PI / 2; }

void annularWedge(cairo_t* cr, double cx, double cy, double r0, double r1, double from, double to) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r1, cairoAngle(from), cairoAngle(to));
    cairo_arc_negative(cr, cx, cy, r0, cairoAngle(to), cairoAngle(from));
    cairo_close_path(cr);
}

}  // namespace

void drawDartboard(cairo_t* cr, double cx, double cy, double doubleRadius, const BoardLook& look) {
    const double unit = doubleRadius / kDoubleOuter;
    cairo_save(cr);

    // The black surround that carries the numbers, with a rim.
    const double surround = doubleRadius * 1.25;
    setRadialGradient(cr, cx, cy, doubleRadius, surround,
                      {{0, 0x141414}, {0.85, 0x1E1E1E}, {1, 0x0A0A0A}});
    cairo_arc(cr, cx, cy, surround, 0, 2 * M_PI);
    cairo_fill(cr);

    for (int k = 0; k < 20; ++k) {
        const auto [from, to] = sectorSpan(k);
        const bool dark = (k % 2) == 0;
        const uint32_t single = dark ? kBlack : kCream;
        const uint32_t ring = dark ? kRed : kGreen;
        const std::array<std::array<double, 2>, 4> bands = {{{kOuterBull, kTripleInner},
                                                             {kTripleInner, kTripleOuter},
                                                             {kTripleOuter, kDoubleInner},
                                                             {kDoubleInner, kDoubleOuter}}};
        for (size_t b = 0; b < bands.size(); ++b) {
            setColour(cr, (b % 2) == 0 ? single : ring);
            annularWedge(cr, cx, cy, bands[b][0] * unit, bands[b][1] * unit, from, to);
            cairo_fill(cr);
        }
    }
    setColour(cr, kGreen);
    cairo_arc(cr, cx, cy, kOuterBull * unit, 0, 2 * M_PI);
    cairo_fill(cr);
    setColour(cr, kRed);
    cairo_arc(cr, cx, cy, kInnerBull * unit, 0, 2 * M_PI);
    cairo_fill(cr);

    if (look.wires) {
        const double wire = std::max(0.5, doubleRadius / 160.0);
        cairo_set_line_width(cr, wire);
        setColour(cr, kWire, 0.85);
        for (double r :
             {kInnerBull, kOuterBull, kTripleInner, kTripleOuter, kDoubleInner, kDoubleOuter}) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx, cy, r * unit, 0, 2 * M_PI);
        }
        for (int j = 0; j < 10; ++j) {
            for (double side : {-1.0, 1.0}) {
                const double a = cairoAngle(side * (2 * j + 1) * kHalfSector);
                cairo_move_to(cr, cx + std::cos(a) * kOuterBull * unit,
                              cy + std::sin(a) * kOuterBull * unit);
                cairo_line_to(cr, cx + std::cos(a) * kDoubleOuter * unit,
                              cy + std::sin(a) * kDoubleOuter * unit);
            }
        }
        cairo_stroke(cr);
    }

    if (look.numbers) {
        const Lettering font{"DejaVu Sans", doubleRadius * 0.145, true, 0};
        const double numberRadius = doubleRadius * 1.125;
        for (int k = 0; k < 20; ++k) {
            const double a = k * 2 * kHalfSector;  // the sector's centre line
            const double x = cx + std::sin(a) * numberRadius;
            const double y = cy - std::cos(a) * numberRadius;
            cairo_save(cr);
            cairo_translate(cr, x, y);
            // Upright along the ring on the upper half, turned the other way on the lower half
            // so that no number reads upside down.
            double turn = a;
            if (std::cos(a) < -0.05) turn += M_PI;
            cairo_rotate(cr, turn);
            cairo_new_path(cr);
            textPathCentred(cr, std::to_string(kClockwiseNumbers[k]), font, 0, 0);
            setColour(cr, 0xF4F1E8);
            cairo_fill(cr);
            cairo_restore(cr);
        }
        cairo_set_line_width(cr, std::max(1.0, doubleRadius / 60.0));
        setColour(cr, 0x9A9FA6);
        cairo_arc(cr, cx, cy, surround - cairo_get_line_width(cr) / 2, 0, 2 * M_PI);
        cairo_stroke(cr);
    }

    if (look.shading) {
        setRadialGradient(cr, cx - doubleRadius * 0.5, cy - doubleRadius * 0.6, 0, cx, cy, surround,
                          {{0, 0xFFFFFF, 0.18}, {0.55, 0xFFFFFF, 0.0}, {1, 0x000000, 0.35}});
        cairo_arc(cr, cx, cy, surround, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void drawStuckDart(cairo_t* cr, double tipX, double tipY, double length, double angle,
                   uint32_t flightColour) {
    // Seen nearly head-on the dart foreshortens: the barrel points back up and out of the board.
    cairo_save(cr);
    cairo_translate(cr, tipX, tipY);
    cairo_rotate(cr, angle);
    const double l = length;
    // Shadow on the board.
    setColour(cr, 0x000000, 0.35);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, l * 0.18, l * 0.55);
    cairo_line_to(cr, l * 0.08, l * 0.58);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Point.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    setLinearGradient(cr, -l * 0.02, 0, l * 0.02, 0,
                      {{0, 0x808890}, {0.5, 0xF0F2F5}, {1, 0x60666E}});
    cairo_set_line_width(cr, l * 0.025);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, 0, -l * 0.2);
    cairo_stroke(cr);
    // Barrel, knurled tungsten.
    setLinearGradient(cr, -l * 0.05, 0, l * 0.05, 0,
                      {{0, 0x3A3E44}, {0.35, 0xD8DCE2}, {0.55, 0x9EA4AC}, {1, 0x2A2D31}});
    roundedRectangle(cr, -l * 0.05, -l * 0.5, l * 0.1, l * 0.32, l * 0.03);
    cairo_fill(cr);
    setColour(cr, 0x1C1E22, 0.6);
    cairo_set_line_width(cr, std::max(0.6, l * 0.008));
    for (int i = 1; i < 8; ++i) {
        const double y = -l * 0.2 - i * l * 0.036;
        cairo_move_to(cr, -l * 0.05, y);
        cairo_line_to(cr, l * 0.05, y);
    }
    cairo_stroke(cr);
    // Shaft.
    setColour(cr, 0x202020);
    cairo_rectangle(cr, -l * 0.018, -l * 0.72, l * 0.036, l * 0.23);
    cairo_fill(cr);
    // Flights: a kite seen edge-on and one face-on.
    setLinearGradient(cr, 0, -l, 0, -l * 0.68, {{0, flightColour}, {1, flightColour, 0.85}});
    cairo_move_to(cr, 0, -l * 0.68);
    cairo_line_to(cr, -l * 0.17, -l * 0.86);
    cairo_line_to(cr, -l * 0.15, -l);
    cairo_line_to(cr, 0, -l * 0.93);
    cairo_line_to(cr, l * 0.15, -l);
    cairo_line_to(cr, l * 0.17, -l * 0.86);
    cairo_close_path(cr);
    cairo_fill_preserve(cr);
    setColour(cr, 0xFFFFFF, 0.55);
    cairo_set_line_width(cr, std::max(0.6, l * 0.01));
    cairo_stroke(cr);
    cairo_move_to(cr, 0, -l * 0.68);
    cairo_line_to(cr, 0, -l * 0.95);
    setColour(cr, 0x000000, 0.5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

Raster paintBoardPicture() {
    Canvas canvas(kBoardPictureWidth, kBoardPictureHeight);
    cairo_t* cr = canvas.cr();
    // Behind the board: the dark wall of the bar, so the corners are not a hard black.
    setRadialGradient(cr, kBoardPictureCentreX, kBoardPictureCentreY, 100, 190,
                      {{0, 0x3A2A1E}, {1, 0x1A120C}});
    cairo_paint(cr);
    drawDartboard(cr, kBoardPictureCentreX, kBoardPictureCentreY, kBoardPictureDoubleRadius,
                  BoardLook{});
    return canvas.raster();
}

}  // namespace darts::content::bitmaps
