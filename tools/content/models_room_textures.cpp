// The darts bar's textures: wood floor, brick, panelling, the lane mat, bottle labels, posters,
// signs and the drinks menu. Photographic surfaces go out as JPEG, lettering as PNG.
#include <cmath>
#include <numbers>

#include "models_canvas.h"
#include "models_parts.h"

namespace darts::content {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr const char* kJapaneseFont = "IPAGothic";
constexpr const char* kLatinFont = "DejaVu Sans";

float grainAt(float x, float y, uint32_t seed, float rings) {
    float warp = fractalNoise(x / 48.0f, y / 300.0f, seed, 3);
    return 0.5f + 0.5f * std::sin((x / 64.0f * rings + warp * 4.0f) * 2 * kPi);
}

bool paintFloor(const std::string& folder) {
    // Oak planks running towards the board, eight across the texture, with staggered joints.
    Canvas c(512, 512);
    c.paintPixels([](int x, int y, Colour) {
        const int plank = x / 64;
        const int offset = static_cast<int>(hash01(plank, 0, 61) * 512);
        const int along = (y + offset) % 512;
        const bool joint = along < 3 || x % 64 < 2;
        float tone = 0.85f + 0.3f * hash01(plank, along / 256, 62);
        float grain = grainAt(static_cast<float>(x), static_cast<float>(y), 63 + plank, 2.5f);
        Colour oak = mix(Colour{0.36f, 0.21f, 0.11f, 1}, Colour{0.58f, 0.38f, 0.21f, 1},
                         0.6f * grain + 0.4f * hash01(x, y / 3, 64));
        if (joint) return Colour{0.10f, 0.06f, 0.04f, 1};
        return shade(oak, tone);
    });
    return c.writeJpeg(folder + "/floor_wood.jpg", 88);
}

bool paintBrick(const std::string& folder) {
    // Running bond, 4 bricks across and 10 courses down the texture, in dark sooty reds.
    Canvas c(512, 512);
    c.paintPixels([](int x, int y, Colour) {
        const int course = y / 51;
        const int shifted = x + (course % 2) * 64;
        const int brick = (shifted / 128) % 4;
        const int bx = shifted % 128, by = y % 51;
        float dust =
            fractalNoise(static_cast<float>(x) / 16.0f, static_cast<float>(y) / 16.0f, 71, 3, 32);
        if (bx < 6 || by < 5) return shade(Colour{0.42f, 0.40f, 0.36f, 1}, 0.8f + 0.3f * dust);
        float tone = 0.75f + 0.35f * hash01(brick, course, 72);
        Colour red = mix(Colour{0.40f, 0.13f, 0.08f, 1}, Colour{0.58f, 0.25f, 0.15f, 1},
                         hash01(brick + 7, course, 73));
        return shade(red, tone * (0.85f + 0.25f * dust));
    });
    return c.writeJpeg(folder + "/wall_brick.jpg", 85);
}

bool paintPanelling(const std::string& folder) {
    // Dark stained tongue-and-groove boards standing upright.
    Canvas c(512, 512);
    c.paintPixels([](int x, int y, Colour) {
        const int board = x / 64;
        const int across = x % 64;
        float grain =
            grainAt(static_cast<float>(y), static_cast<float>(x) * 4.0f, 81 + board, 1.5f);
        Colour wood = mix(Colour{0.16f, 0.08f, 0.04f, 1}, Colour{0.34f, 0.18f, 0.09f, 1},
                          0.7f * grain + 0.3f * hash01(board, y / 2, 82));
        if (across < 3) return Colour{0.05f, 0.03f, 0.02f, 1};
        if (across < 6) return shade(wood, 1.25f);
        return shade(wood, 0.9f + 0.2f * hash01(board, 0, 83));
    });
    return c.writeJpeg(folder + "/wall_panel.jpg", 88);
}

bool paintMat(const std::string& folder) {
    // The lane mat, fitted once over 2.2 x 15.85 units: near end at the bottom of the picture.
    Canvas c(256, 1024);
    c.paintPixels([](int x, int y, Colour) {
        float v = 0.10f + 0.04f * hash01(x / 2, y / 2, 91);
        return Colour{v, v, v * 1.05f, 1};
    });
    c.rectangle(10, 0, 4, 1024, {0.85f, 0.85f, 0.85f, 1});
    c.rectangle(242, 0, 4, 1024, {0.85f, 0.85f, 0.85f, 1});
    // The throwing line sits 0.9 units from the mat's near end.
    const double lineY = 1024.0 * (1.0 - 0.9 / 15.85);
    c.rectangle(10, lineY - 5, 236, 10, {0.95f, 0.82f, 0.35f, 1});
    cairo_t* cr = c.cr();
    cairo_save(cr);
    // The picture is stretched along the lane; lettering is drawn pre-squashed to stand right.
    cairo_scale(cr, 1.0, 1.8);
    c.text("スローライン", kJapaneseFont, true, 30, 128, (lineY - 22) / 1.8, {1, 1, 1, 1});
    c.text("301", kLatinFont, true, 64, 128, 300 / 1.8, {0.85f, 0.15f, 0.15f, 1});
    c.text("DARTS", kLatinFont, true, 40, 128, 360 / 1.8, {0.95f, 0.95f, 0.95f, 1});
    cairo_restore(cr);
    return c.writePng(folder + "/dart_mat.png");
}

bool paintLabels(const std::string& folder) {
    // Six labels side by side; each bottle takes one.
    struct Label {
        const char* name;
        const char* kind;
        Colour paper, ink;
    };
    const Label labels[6] = {
        {"焼酎", "SHOCHU", {0.95f, 0.93f, 0.85f, 1}, {0.10f, 0.10f, 0.10f, 1}},
        {"日本酒", "SAKE", {0.90f, 0.85f, 0.70f, 1}, {0.55f, 0.05f, 0.05f, 1}},
        {"梅酒", "UMESHU", {0.25f, 0.10f, 0.25f, 1}, {0.98f, 0.85f, 0.40f, 1}},
        {"WHISKY", "12 YEARS", {0.10f, 0.10f, 0.10f, 1}, {0.90f, 0.75f, 0.35f, 1}},
        {"麦", "MUGI", {0.85f, 0.75f, 0.50f, 1}, {0.15f, 0.10f, 0.05f, 1}},
        {"芋", "IMO", {0.15f, 0.25f, 0.45f, 1}, {0.95f, 0.95f, 0.95f, 1}},
    };
    Canvas c(768, 128);
    for (int i = 0; i < 6; ++i) {
        const Label& l = labels[i];
        double x = 128.0 * i;
        c.rectangle(x, 0, 128, 128, l.paper);
        c.rectangle(x + 6, 6, 116, 116, {l.ink.r, l.ink.g, l.ink.b, 0.25f});
        c.rectangle(x + 10, 10, 108, 108, l.paper);
        bool latin = l.name[0] >= 'A' && l.name[0] <= 'Z';
        c.text(l.name, latin ? kLatinFont : kJapaneseFont, true, latin ? 24 : 44, x + 64, 72,
               l.ink);
        c.text(l.kind, kLatinFont, false, 13, x + 64, 106, l.ink);
    }
    return c.writePng(folder + "/bottle_labels.png");
}

void glowText(Canvas& c, const std::string& text, const char* family, double size, double x,
              double y, Colour colour) {
    cairo_t* cr = c.cr();
    cairo_select_font_face(cr, family, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    // A neon tube's halo: wide faint strokes under a narrow bright one.
    for (int pass = 6; pass >= 1; --pass) {
        cairo_new_path(cr);
        cairo_move_to(cr, x - e.x_advance / 2, y);
        cairo_text_path(cr, text.c_str());
        cairo_set_line_width(cr, pass * 5.0);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, 0.10);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
    cairo_move_to(cr, x - e.x_advance / 2, y);
    cairo_text_path(cr, text.c_str());
    cairo_set_source_rgba(cr, mix(colour, {1, 1, 1, 1}, 0.6f).r, mix(colour, {1, 1, 1, 1}, 0.6f).g,
                          mix(colour, {1, 1, 1, 1}, 0.6f).b, 1);
    cairo_fill(cr);
}

bool paintNeon(const std::string& folder) {
    Canvas c(1024, 512);
    c.fill({0.03f, 0.02f, 0.04f, 1});
    glowText(c, "DARTS", kLatinFont, 190, 512, 250, {1.0f, 0.25f, 0.65f, 1});
    glowText(c, "ダーツ&バー", kJapaneseFont, 110, 512, 420, {0.25f, 0.85f, 1.0f, 1});
    return c.writePng(folder + "/sign_neon.png");
}

bool paintLaneSign(const std::string& folder) {
    Canvas c(1024, 256);
    c.paintPixels([](int, int y, Colour) {
        float t = static_cast<float>(y) / 255.0f;
        return mix(Colour{0.55f, 0.05f, 0.06f, 1}, Colour{0.30f, 0.02f, 0.03f, 1}, t);
    });
    c.rectangle(0, 0, 1024, 10, {0.85f, 0.70f, 0.35f, 1});
    c.rectangle(0, 246, 1024, 10, {0.85f, 0.70f, 0.35f, 1});
    c.text("ダーツバー", kJapaneseFont, true, 120, 300, 175, {1.0f, 0.96f, 0.88f, 1});
    c.text("301", kLatinFont, true, 150, 790, 185, {1.0f, 0.85f, 0.40f, 1});
    return c.writePng(folder + "/sign_lane.png");
}

void poster(Canvas& c, double x0, Colour paper, Colour accent, const char* const* lines,
            const double* sizes, int count) {
    c.rectangle(x0, 0, 512, 1024, paper);
    c.rectangle(x0 + 16, 16, 480, 992, {accent.r, accent.g, accent.b, 0.15f});
    c.rectangle(x0 + 28, 28, 456, 968, paper);
    double y = 150;
    for (int i = 0; i < count; ++i) {
        c.text(lines[i], kJapaneseFont, true, sizes[i], x0 + 256, y,
               i == 0 ? accent : Colour{0.1f, 0.1f, 0.1f, 1});
        y += sizes[i] * 1.35 + 10;
    }
}

bool paintPosters(const std::string& folder) {
    Canvas c(1024, 1024);
    // Left: the house tournament, with a board drawn on it.
    const char* tournament[] = {"ダーツ大会", "第7回 301 トーナメント", "毎週土曜日 20:00〜",
                                "参加費 1,000円", "優勝賞品あり!"};
    const double tournamentSizes[] = {92, 40, 40, 40, 48};
    poster(c, 0, {0.96f, 0.93f, 0.84f, 1}, {0.75f, 0.08f, 0.08f, 1}, tournament, tournamentSizes,
           5);
    cairo_t* cr = c.cr();
    const double cx = 256, cy = 780;
    for (int ring = 0; ring < 4; ++ring) {
        const double radii[4] = {150, 120, 70, 20};
        const Colour colours[4] = {{0.1f, 0.1f, 0.1f, 1},
                                   {0.75f, 0.08f, 0.08f, 1},
                                   {0.95f, 0.90f, 0.75f, 1},
                                   {0.1f, 0.5f, 0.2f, 1}};
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, radii[ring], 0, 2 * std::numbers::pi);
        cairo_set_source_rgba(cr, colours[ring].r, colours[ring].g, colours[ring].b, 1);
        cairo_fill(cr);
    }
    // Right: happy hour.
    const char* drinks[] = {"ハッピーアワー",   "18:00〜20:00",       "生ビール 350円",
                            "ハイボール 300円", "レモンサワー 300円", "ダーツ 1ゲーム 100円"};
    const double drinkSizes[] = {62, 48, 44, 44, 44, 40};
    poster(c, 512, {0.98f, 0.80f, 0.20f, 1}, {0.70f, 0.10f, 0.05f, 1}, drinks, drinkSizes, 6);
    return c.writePng(folder + "/posters.png");
}

bool paintMenu(const std::string& folder) {
    Canvas c(512, 384);
    c.paintPixels([](int x, int y, Colour) {
        bool frame = x < 16 || x >= 496 || y < 16 || y >= 368;
        if (frame) return Colour{0.35f, 0.20f, 0.10f, 1};
        float dust =
            fractalNoise(static_cast<float>(x) / 30.0f, static_cast<float>(y) / 30.0f, 95, 3);
        float v = 0.09f + 0.07f * dust;
        return Colour{v * 0.9f, v * 1.1f, v, 1};
    });
    Colour chalk{0.95f, 0.95f, 0.90f, 0.9f};
    c.text("本日のおすすめ", kJapaneseFont, true, 44, 256, 80, {1.0f, 0.85f, 0.55f, 0.95f});
    const char* items[] = {"枝豆 300円", "唐揚げ 500円", "焼き鳥 3本 450円", "だし巻き卵 400円"};
    for (int i = 0; i < 4; ++i)
        c.text(items[i], kJapaneseFont, false, 34, 256, 150 + i * 55, chalk);
    return c.writeJpeg(folder + "/menu_board.jpg", 90);
}

}  // namespace

bool paintRoomTextures(const std::string& folder) {
    return paintFloor(folder) && paintBrick(folder) && paintPanelling(folder) && paintMat(folder) &&
           paintLabels(folder) && paintNeon(folder) && paintLaneSign(folder) &&
           paintPosters(folder) && paintMenu(folder);
}

}  // namespace darts::content
