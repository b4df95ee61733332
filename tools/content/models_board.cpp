// The dartboard in its cabinet. The face is cut exactly where the score changes: ring edges at the
// scoring radii, sector edges where the scoring's sector index changes (odd multiples of its
// half-sector of about 0.157 rad, measured clockwise from straight up as the thrower sees it).
#include <cmath>
#include <numbers>

#include "models_board_layout.h"
#include "models_canvas.h"
#include "models_materials.h"
#include "models_parts.h"

namespace darts::content {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kNumberRingOuter = 0.64f;
constexpr float kSurroundOuter = 0.92f;
constexpr float kSurroundZ = kBoardFaceZ - 0.02f;
constexpr float kBoardBackZ = -0.14f;
constexpr float kCabinetHalfWidth = 1.15f;
constexpr float kCabinetHalfHeight = 1.25f;
constexpr float kCabinetFrontZ = -0.46f;
constexpr float kMaxArcStep = 1.0f * kPi / 180.0f;  // one degree keeps every ring round
constexpr float kSisalSpan = 0.94f;                 // the sisal texture covers the face once
constexpr float kNumbersSpan = 1.32f;               // the numbers texture covers +-0.66

struct BoardMaterials {
    int black, cream, red, green, numbers, edge, surround, wood, chalkLeft, chalkRight, brass;
};

BoardMaterials addBoardMaterials(Model& model) {
    BoardMaterials m{};
    m.black = model.addMaterial(matte("FaceBlack", {0.11f, 0.10f, 0.10f}, "board_sisal.jpg"));
    m.cream = model.addMaterial(matte("FaceCream", {0.95f, 0.87f, 0.68f}, "board_sisal.jpg"));
    m.red = model.addMaterial(matte("FaceRed", {0.82f, 0.09f, 0.08f}, "board_sisal.jpg"));
    m.green = model.addMaterial(matte("FaceGreen", {0.05f, 0.52f, 0.22f}, "board_sisal.jpg"));
    m.numbers = model.addMaterial(matte("NumberRing", {1, 1, 1}, "board_numbers.png"));
    m.edge = model.addMaterial(matte("BoardEdge", {0.07f, 0.07f, 0.07f}));
    m.surround = model.addMaterial(lit("Surround", {0.09f, 0.09f, 0.10f}, 0.03f));
    m.wood =
        model.addMaterial(lit("CabinetWood", {0.85f, 0.85f, 0.85f}, 0.12f, "cabinet_wood.jpg"));
    m.chalkLeft = model.addMaterial(lit("ChalkScores", {1, 1, 1}, 0.10f, "cabinet_chalk.jpg"));
    m.chalkRight = m.chalkLeft;
    m.brass = model.addMaterial(metal("Brass", {0.75f, 0.58f, 0.25f}, 0.15f));
    return m;
}

Vec3 onFace(float radius, float angle, float z) {
    // Angles run clockwise from straight up as the thrower sees it: towards +x.
    return {radius * std::sin(angle), radius * std::cos(angle), z};
}

// One ring band of one sector: quads between two arcs, every corner shared by neighbours.
void arcBand(ShapeWriter& w, float inner, float outer, float from, float to, float z,
             float textureSpan) {
    const int steps = std::max(1, static_cast<int>(std::ceil((to - from) / kMaxArcStep)));
    const Vec3 normal{0, 0, -1};
    auto uv = [&](Vec3 p, float& u, float& v) {
        u = 0.5f + p.x / textureSpan;
        v = 0.5f - p.y / textureSpan;
    };
    uint32_t previousIn = 0, previousOut = 0;
    for (int i = 0; i <= steps; ++i) {
        float a = from + (to - from) * static_cast<float>(i) / static_cast<float>(steps);
        Vec3 pin = onFace(inner, a, z), pout = onFace(outer, a, z);
        float u, v;
        uv(pin, u, v);
        uint32_t in = w.vertex(pin, normal, u, v);
        uv(pout, u, v);
        uint32_t out = w.vertex(pout, normal, u, v);
        if (i > 0) {
            w.triangle(previousIn, previousOut, out);
            w.triangle(previousIn, out, in);
        }
        previousIn = in, previousOut = out;
    }
}

void buildFace(Model& model, const BoardMaterials& m) {
    Part& part = model.addPart("BoardFace");
    ShapeWriter w(part, m.red);
    // Inner bull: a fan; the outer bull: one band all round (the bulls score whatever the
    // direction).
    w.setMaterial(m.red);
    {
        const int sides = 72;
        uint32_t centre = w.vertex({0, 0, kBoardFaceZ}, {0, 0, -1}, 0.5f, 0.5f);
        uint32_t first = 0;
        for (int i = 0; i <= sides; ++i) {
            float a = 2 * kPi * static_cast<float>(i) / sides;
            Vec3 p = onFace(static_cast<float>(kRingEdges[0]), a, kBoardFaceZ);
            uint32_t id = w.vertex(p, {0, 0, -1}, 0.5f + p.x / kSisalSpan, 0.5f - p.y / kSisalSpan);
            if (i == 0) first = id;
        }
        for (int i = 0; i < sides; ++i) w.triangle(centre, first + i, first + i + 1);
    }
    w.setMaterial(m.green);
    arcBand(w, static_cast<float>(kRingEdges[0]), static_cast<float>(kRingEdges[1]), -kPi, kPi,
            kBoardFaceZ, kSisalSpan);

    for (int sector = 0; sector < 20; ++sector) {
        SectorSpan span = sectorSpan(sector);
        const bool dark = sector % 2 == 0;
        const int single = dark ? m.black : m.cream;
        const int scoring = dark ? m.red : m.green;
        const int bands[4] = {single, scoring, single, scoring};
        for (int band = 0; band < 4; ++band) {
            w.setMaterial(bands[band]);
            arcBand(w, static_cast<float>(kRingEdges[band + 1]),
                    static_cast<float>(kRingEdges[band + 2]), static_cast<float>(span.from),
                    static_cast<float>(span.to), kBoardFaceZ, kSisalSpan);
        }
    }
}

void buildRimAndSurround(Model& model, const BoardMaterials& m) {
    Part& ring = model.addPart("NumberRing");
    ShapeWriter w(ring, m.numbers);
    arcBand(w, static_cast<float>(kRingEdges[5]), kNumberRingOuter, -kPi, kPi, kBoardFaceZ,
            kNumbersSpan);

    Part& rim = model.addPart("BoardRim");
    ShapeWriter r(rim, m.edge);
    // The board's own edge, then the foam surround standing a little proud of the face.
    r.lathe({kNumberRingOuter, kNumberRingOuter}, {kBoardFaceZ, kBoardBackZ}, 90, true);
    r.setMaterial(m.surround);
    arcBand(r, kNumberRingOuter + 0.004f, kSurroundOuter, -kPi, kPi, kSurroundZ, 2.0f);
    r.lathe({kNumberRingOuter + 0.004f, kNumberRingOuter + 0.004f}, {kSurroundZ, kBoardFaceZ}, 90,
            true);
    r.lathe({kSurroundOuter, kSurroundOuter}, {kSurroundZ, kBoardBackZ}, 90, true);
}

void buildCabinet(Model& model, const BoardMaterials& m) {
    Part& cabinet = model.addPart("Cabinet");
    ShapeWriter w(cabinet, m.wood);
    const float hw = kCabinetHalfWidth, hh = kCabinetHalfHeight, t = 0.07f;
    // Back panel, then the four sides of the box standing out towards the thrower.
    w.box({-hw, -hh, kBoardBackZ}, {hw, hh, 0.12f}, 0.8f);
    w.box({-hw, -hh, kCabinetFrontZ}, {-hw + t, hh, kBoardBackZ}, 0.8f, "+z");
    w.box({hw - t, -hh, kCabinetFrontZ}, {hw, hh, kBoardBackZ}, 0.8f, "+z");
    w.box({-hw + t, hh - t, kCabinetFrontZ}, {hw - t, hh, kBoardBackZ}, 0.8f, "+z");
    w.box({-hw + t, -hh, kCabinetFrontZ}, {hw - t, -hh + t, kBoardBackZ}, 0.8f, "+z");
    w.setMaterial(m.brass);
    // Hinges on both front edges.
    for (float side : {-1.0f, 1.0f}) {
        for (float y : {-0.85f, 0.85f}) {
            w.setPlacement(
                chain({rotationX(kPi / 2), translation({side * hw, y, kCabinetFrontZ})}));
            w.lathe({0.018f, 0.018f}, {-0.09f, 0.09f}, 10, true);
        }
    }

    // The doors stand open, folded most of the way back; their inner faces are chalk boards.
    const float doorWidth = hw - 0.01f, thickness = 0.05f, openAngle = 165.0f * kPi / 180.0f;
    for (int door = 0; door < 2; ++door) {
        const bool left = door == 0;
        Part& part = model.addPart(left ? "LeftDoor" : "RightDoor");
        part.hasFrame = true;
        part.frame = chain({rotationY(left ? openAngle : -openAngle),
                            translation({left ? -hw : hw, 0, kCabinetFrontZ})});
        ShapeWriter d(part, m.wood);
        float x0 = left ? 0.0f : -doorWidth, x1 = left ? doorWidth : 0.0f;
        d.box({x0, -hh, -thickness}, {x1, hh, 0}, 0.8f, "+z");
        d.setMaterial(m.chalkLeft);
        // The inner face takes its half of the chalk texture (left door: left half).
        float u0 = left ? 0.0f : 0.5f, u1 = u0 + 0.5f;
        d.quad({x1, hh, 0}, {x0, hh, 0}, {x0, -hh, 0}, {x1, -hh, 0}, {0, 0, 1}, u0, 0, u1, 1);
    }
}

// ---- Textures ----

bool paintSisal(const std::string& folder) {
    Canvas c(512, 512);
    c.paintPixels([](int x, int y, Colour) {
        // Tightly packed bristle ends: fine speckle over a slow, faint mottle. Low contrast, so
        // the far board does not sparkle with point sampling.
        float fine = hash01(x, y, 11);
        float mottle = fractalNoise(static_cast<float>(x) / 24.0f, static_cast<float>(y) / 24.0f,
                                    12, 3, 512 / 24);
        float v = 0.80f + 0.10f * fine + 0.10f * mottle;
        return Colour{v, v * 0.985f, v * 0.96f, 1};
    });
    return c.writeJpeg(folder + "/board_sisal.jpg", 88);
}

bool paintNumbers(const std::string& folder) {
    const int size = 1024;
    const double perUnit = size / kNumbersSpan;
    Canvas c(size, size);
    c.fill({0.05f, 0.05f, 0.05f, 1});
    cairo_t* cr = c.cr();
    const double centre = size / 2.0;
    auto circle = [&](double radius, double width, Colour colour) {
        cairo_new_path(cr);
        cairo_arc(cr, centre, centre, radius * perUnit, 0, 2 * std::numbers::pi);
        cairo_set_line_width(cr, width);
        cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, colour.a);
        cairo_stroke(cr);
    };
    // Wire at the board edge and a thin one at the ring's outside, as on a real board.
    circle(kRingEdges[5] + 0.004, 5.0, {0.80f, 0.80f, 0.82f, 1});
    circle(kNumberRingOuter - 0.008, 3.0, {0.55f, 0.55f, 0.58f, 1});
    for (int sector = 0; sector < 20; ++sector) {
        double angle = sectorCentre(sector);
        double r = 0.556 * perUnit;
        double x = centre + r * std::sin(angle), y = centre - r * std::cos(angle);
        std::string label = std::to_string(kSectorNumbers[sector]);
        // Upright numbers, as most boards print them; the baseline sits below the centre line.
        c.text(label, "DejaVu Sans", true, 84, x, y + 30, {0.96f, 0.96f, 0.93f, 1});
    }
    return c.writePng(folder + "/board_numbers.png");
}

bool paintCabinetWood(const std::string& folder) {
    Canvas c(512, 512);
    c.paintPixels([](int x, int y, Colour) {
        float fx = static_cast<float>(x), fy = static_cast<float>(y);
        float warp = fractalNoise(fx / 64.0f, fy / 256.0f, 21, 3, 8);
        float grain = 0.5f + 0.5f * std::sin((fx / 512.0f * 14.0f + warp * 3.5f) * 2 * kPi);
        float fleck = hash01(x / 2, y / 9, 22);
        Colour dark{0.20f, 0.09f, 0.05f, 1}, light{0.42f, 0.20f, 0.10f, 1};
        Colour base = mix(dark, light, 0.55f * grain + 0.35f * warp + 0.1f * fleck);
        return base;
    });
    return c.writeJpeg(folder + "/cabinet_wood.jpg", 88);
}

void chalkText(Canvas& c, const std::string& text, double size, double x, double y,
               bool centred = true) {
    c.text(text, "IPAGothic", false, size, x, y, {0.93f, 0.94f, 0.90f, 0.88f}, centred);
}

bool paintChalkboards(const std::string& folder) {
    Canvas c(1024, 1024);
    // Slate with chalk dust, inside a wooden frame, for each door.
    c.paintPixels([](int x, int y, Colour) {
        float dust =
            fractalNoise(static_cast<float>(x) / 40.0f, static_cast<float>(y) / 40.0f, 31, 4);
        float v = 0.10f + 0.08f * dust + 0.02f * hash01(x, y, 32);
        Colour slate{v * 0.85f, v * 1.05f, v * 0.95f, 1};
        int localX = x % 512;
        bool frame = localX < 28 || localX >= 484 || y < 28 || y >= 996;
        if (frame) {
            float grain =
                fractalNoise(static_cast<float>(x) / 6.0f, static_cast<float>(y) / 60.0f, 33, 3);
            return mix(Colour{0.25f, 0.12f, 0.06f, 1}, Colour{0.45f, 0.24f, 0.12f, 1}, grain);
        }
        return slate;
    });
    // Left door: the scores of a game of 301.
    chalkText(c, "301", 110, 256, 170);
    c.line(70, 200, 442, 200, 4, {0.9f, 0.9f, 0.85f, 0.8f});
    c.line(256, 215, 256, 930, 4, {0.9f, 0.9f, 0.85f, 0.8f});
    chalkText(c, "ホーム", 44, 150, 260);
    chalkText(c, "ビジター", 44, 360, 260);
    const char* home[] = {"301", "241", "196", "121", "81", "40"};
    const char* away[] = {"301", "255", "200", "140", "97"};
    for (int i = 0; i < 6; ++i) {
        double y = 340 + i * 95;
        chalkText(c, home[i], 60, 150, y);
        if (i < 5) chalkText(c, away[i], 60, 360, y);
        if (i < 5) c.line(100, y - 20, 200, y - 20, 3, {0.9f, 0.9f, 0.85f, 0.6f});
        if (i < 4) c.line(310, y - 20, 410, y - 20, 3, {0.9f, 0.9f, 0.85f, 0.6f});
    }
    // Right door: the house rules.
    chalkText(c, "ゼロワン", 64, 768, 150);
    chalkText(c, "ルール", 64, 768, 230);
    const char* rules[] = {"301点から", "引いていく", "", "ぴったり0で", "あがり!", "",
                           "0より下は", "バースト",   "", "1ラウンド",   "3投"};
    for (int i = 0; i < 11; ++i) chalkText(c, rules[i], 46, 768, 330 + i * 56);
    c.line(600, 270, 936, 270, 4, {0.95f, 0.75f, 0.75f, 0.8f});
    return c.writeJpeg(folder + "/cabinet_chalk.jpg", 88);
}

}  // namespace

Model buildBoard() {
    Model model;
    BoardMaterials m = addBoardMaterials(model);
    buildFace(model, m);
    buildRimAndSurround(model, m);
    buildCabinet(model, m);
    return model;
}

bool paintBoardTextures(const std::string& folder) {
    return paintSisal(folder) && paintNumbers(folder) && paintCabinetWood(folder) &&
           paintChalkboards(folder);
}

}  // namespace darts::content
