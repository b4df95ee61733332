#include "bitmaps_preview.h"

#include <algorithm>
#include <stdexcept>

#include "bitmaps_canvas.h"

namespace darts::content::bitmaps {

namespace {

const Raster& picture(const PictureSet& pictures, const std::string& name) {
    const auto found = pictures.find(name);
    if (found == pictures.end()) throw std::runtime_error("no picture " + name);
    return found->second;
}

// Draws a picture stretched over a rectangle with the given opacity, as a textured quad does.
void drawStretched(cairo_t* cr, const Raster& p, double left, double top, double right,
                   double bottom, double alpha) {
    cairo_surface_t* surface = surfaceFromRaster(p);
    cairo_save(cr);
    cairo_rectangle(cr, left, top, right - left, bottom - top);
    cairo_clip(cr);
    cairo_translate(cr, left, top);
    cairo_scale(cr, (right - left) / p.width, (bottom - top) / p.height);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BILINEAR);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
    cairo_surface_destroy(surface);
}

void drawUnscaled(cairo_t* cr, const Raster& p, double x, double y) {
    drawStretched(cr, p, x, y, x + p.width, y + p.height, 1.0);
}

// The game's fonts: cells 14 and 44 pixels high.
void text(cairo_t* cr, const std::string& utf8, double x, double y, uint32_t rgb, bool large) {
    const Lettering font{"IPAGothic", large ? 40.0 : 13.0, false, 0};
    const TextSize size = measureText(cr, utf8, font);
    cairo_new_path(cr);
    textPathLeft(cr, utf8, font, x, y + size.inkTop + size.height / 2 + (large ? 2 : 1));
    setColour(cr, rgb);
    cairo_fill(cr);
}

void writePng(Canvas& canvas, const std::string& path) {
    if (cairo_surface_write_to_png(canvas.surface(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot write " + path);
    }
}

void titleMockup(const PictureSet& pictures, const std::string& path) {
    Canvas canvas(800, 600);
    cairo_t* cr = canvas.cr();
    setColour(cr, 0x000000);
    cairo_paint(cr);
    drawStretched(cr, picture(pictures, "start"), 0, 0, 800, 600, 200 / 255.0);
    drawStretched(cr, picture(pictures, "GAGE"), 280, 455, 520, 495, 100 / 255.0);  // item 2
    cairo_set_line_width(cr, 1);
    setColour(cr, 0x00FFFF, 0.8);
    for (int item = 0; item < 3; ++item) {
        cairo_rectangle(cr, 260.5, 410.5 + 40 * item, 240, 40);
    }
    cairo_stroke(cr);
    drawUnscaled(cr, picture(pictures, "IDC_CURSOR1"), 380, 470);
    writePng(canvas, path);
}

void dartsBarMockup(const PictureSet& pictures, const std::string& path) {
    Canvas canvas(800, 600);
    cairo_t* cr = canvas.cr();
    setColour(cr, 0x000000);
    cairo_paint(cr);
    drawStretched(cr, picture(pictures, "IDB_CHSET"), 0, 0, 800, 600, 200 / 255.0);
    drawStretched(cr, picture(pictures, "IDB_BK"), 50, 100, 750, 500, 80 / 255.0);
    drawStretched(cr, picture(pictures, "C4"), 70, 200, 260, 450, 200 / 255.0);
    const uint32_t brown = 0x643200;
    text(cr, "NAME: 森ゴロウ", 60, 140, brown, true);
    text(cr, "酔うほど強くなるらしい", 300, 400, brown, false);
    text(cr, "ダーツ歴： ", 300, 250, brown, false);
    text(cr, "3年", 450, 250, brown, false);
    writePng(canvas, path);
}

void characterSelectMockup(const PictureSet& pictures, const std::string& path) {
    Canvas canvas(800, 600);
    cairo_t* cr = canvas.cr();
    setColour(cr, 0x646464);
    cairo_paint(cr);
    drawUnscaled(cr, picture(pictures, "IDB_CHSET"), 15, 15);
    drawUnscaled(cr, picture(pictures, "NAME_BK"), 200, 100);
    drawUnscaled(cr, picture(pictures, "C1"), 100, 200);
    setColour(cr, 0xFFFFFF);
    cairo_rectangle(cr, 350, 110, 100, 30);
    cairo_fill(cr);
    text(cr, "マスター", 354, 118, 0x000000, false);
    text(cr, "ダーツ歴： 14年", 480, 300, 0x000000, false);
    drawUnscaled(cr, picture(pictures, "UP"), 600, 500);
    drawUnscaled(cr, picture(pictures, "L_DOWN"), 148, 500);
    drawUnscaled(cr, picture(pictures, "R_UP"), 262, 500);
    writePng(canvas, path);
}

void matchHudMockup(const PictureSet& pictures, const std::string& path) {
    Canvas canvas(800, 600);
    cairo_t* cr = canvas.cr();
    // A stand-in for the lit 3D room.
    setRadialGradient(cr, 400, 250, 50, 600, {{0, 0x8A6A48}, {1, 0x2A1C12}});
    cairo_paint(cr);
    drawStretched(cr, picture(pictures, "POINTTABLE"), 510, 0, 800, 80, 120 / 255.0);
    text(cr, "ケン", 560, 10, 0xFFFFFF, false);
    text(cr, "マスター", 685, 10, 0xFFFFFF, false);
    text(cr, "3", 515, 40, 0xFF0000, false);
    text(cr, "4", 515, 62, 0xFF0000, false);
    text(cr, "187", 560, 40, 0x0000FF, false);
    text(cr, "142", 685, 40, 0x0000FF, false);
    text(cr, "127", 560, 62, 0xFF00FF, false);
    drawStretched(cr, picture(pictures, "SHOT"), 600, 100, 750, 200, 120 / 255.0);
    text(cr, "60", 670, 110, 0xFF00FF, false);
    text(cr, "18", 690, 140, 0xFF00FF, false);
    drawStretched(cr, picture(pictures, "C2"), 620, 350, 720, 460, 1.0);
    drawStretched(cr, picture(pictures, "compare_board"), 0, 0, 280, 280, 180 / 255.0);
    drawStretched(cr, picture(pictures, "GAGE"), 245, 530, 495, 550, 1.0);
    // The marker: the gauge picture mirrored, tinted translucent red, from the centre to 0.4.
    cairo_save(cr);
    cairo_rectangle(cr, 370, 530, 60, 20);
    cairo_clip(cr);
    setColour(cr, 0xFF0000, 130 / 255.0);
    cairo_paint(cr);
    cairo_restore(cr);
    text(cr, "トリプルリング", 100, 102, 0xFF0000, true);
    text(cr, "60 POINT", 100, 162, 0xFF0000, true);
    writePng(canvas, path);
}

void tournamentMockup(const PictureSet& pictures, const std::string& path) {
    Canvas canvas(800, 600);
    cairo_t* cr = canvas.cr();
    setColour(cr, 0x000000);
    cairo_paint(cr);
    drawStretched(cr, picture(pictures, "IDB_CHSET"), 0, 0, 800, 600, 200 / 255.0);
    cairo_set_line_width(cr, 2.2);
    setColour(cr, 0x000000);
    for (int pair = 0; pair < 4; ++pair) {
        const double a = 80 + 160 * pair, b = a + 80;
        cairo_move_to(cr, a, 450);
        cairo_line_to(cr, b, 450);
        cairo_move_to(cr, a, 450);
        cairo_line_to(cr, a, 500);
        cairo_move_to(cr, b, 450);
        cairo_line_to(cr, b, 500);
    }
    for (double c : {120.0, 280.0, 440.0, 600.0}) {
        cairo_move_to(cr, c, 330);
        cairo_line_to(cr, c, 450);
    }
    cairo_move_to(cr, 120, 330);
    cairo_line_to(cr, 280, 330);
    cairo_move_to(cr, 440, 330);
    cairo_line_to(cr, 600, 330);
    for (double c : {200.0, 520.0}) {
        cairo_move_to(cr, c, 210);
        cairo_line_to(cr, c, 330);
    }
    cairo_move_to(cr, 200, 210);
    cairo_line_to(cr, 520, 210);
    cairo_move_to(cr, 360, 190);
    cairo_line_to(cr, 360, 210);
    cairo_stroke(cr);
    const int opening[8] = {45, 125, 205, 285, 365, 445, 525, 605};
    for (int i = 0; i < 8; ++i) {
        drawStretched(cr, picture(pictures, "C" + std::to_string(i + 1)), opening[i], 500,
                      opening[i] + 70, 580, 200 / 255.0);
    }
    const int semi[4] = {85, 245, 405, 575};
    for (int i = 0; i < 4; ++i) {
        drawStretched(cr, picture(pictures, "C" + std::to_string(2 * i + 1)), semi[i], 350,
                      semi[i] + 70, 430, 200 / 255.0);
    }
    setColour(cr, 0xFFFFFF, 200 / 255.0);
    cairo_rectangle(cr, 175, 230, 60, 80);
    cairo_rectangle(cr, 485, 230, 70, 80);
    cairo_rectangle(cr, 325, 110, 70, 80);
    cairo_fill(cr);
    setColour(cr, 0xFFFFFF);
    cairo_rectangle(cr, 230, 250, 300, 50);
    cairo_fill(cr);
    text(cr, "あなたの順番です。 ", 232, 260, 0xFF0000, false);
    writePng(canvas, path);
}

}  // namespace

void writeContactSheet(const PictureSet& pictures, const std::string& pngPath) {
    // Pictures in rows, largest first, each on a checkerboard so transparency shows.
    std::vector<const std::pair<const std::string, Raster>*> order;
    for (const auto& entry : pictures) order.push_back(&entry);
    std::stable_sort(order.begin(), order.end(), [](auto* a, auto* b) {
        return a->second.height * a->second.width > b->second.height * b->second.width;
    });
    constexpr int kSheetWidth = 1560, kGap = 14, kCaption = 18;
    int x = kGap, y = kGap, rowHeight = 0;
    struct Placement {
        const std::pair<const std::string, Raster>* entry;
        int x, y;
    };
    std::vector<Placement> placed;
    for (auto* entry : order) {
        const Raster& p = entry->second;
        if (x + p.width + kGap > kSheetWidth) {
            x = kGap;
            y += rowHeight + kCaption + kGap;
            rowHeight = 0;
        }
        placed.push_back({entry, x, y});
        x += std::max(p.width, 60) + kGap;
        rowHeight = std::max(rowHeight, p.height);
    }
    const int height = y + rowHeight + kCaption + kGap;
    Canvas canvas(kSheetWidth, height);
    cairo_t* cr = canvas.cr();
    setColour(cr, 0x3C3C44);
    cairo_paint(cr);
    for (const Placement& p : placed) {
        const Raster& r = p.entry->second;
        for (int cy = 0; cy < r.height; cy += 8) {
            for (int cx = 0; cx < r.width; cx += 8) {
                setColour(cr, ((cx + cy) / 8) % 2 ? 0x909090 : 0xD0D0D0);
                cairo_rectangle(cr, p.x + cx, p.y + cy, std::min(8, r.width - cx),
                                std::min(8, r.height - cy));
                cairo_fill(cr);
            }
        }
        drawUnscaled(cr, r, p.x, p.y);
        cairo_new_path(cr);
        textPathLeft(
            cr, p.entry->first + "  " + std::to_string(r.width) + "x" + std::to_string(r.height),
            Lettering{"DejaVu Sans", 11, false, 0}, p.x, p.y + r.height + 9);
        setColour(cr, 0xFFFFFF);
        cairo_fill(cr);
    }
    writePng(canvas, pngPath);
}

void writeScreenMockups(const PictureSet& pictures, const std::string& folder) {
    titleMockup(pictures, folder + "/title.png");
    dartsBarMockup(pictures, folder + "/darts_bar.png");
    characterSelectMockup(pictures, folder + "/character_select.png");
    matchHudMockup(pictures, folder + "/match_hud.png");
    tournamentMockup(pictures, folder + "/tournament.png");
}

}  // namespace darts::content::bitmaps
