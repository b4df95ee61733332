// Where the game draws over its bitmaps, the pictures must leave room: light slots under the
// HUD's coloured numbers, dark cells under its white names, a calm light field under the
// darts-bar screen's brown texts, and buttons whose pressed face reads as pressed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "gfx/image.h"
#include "gfx/resources.h"

namespace darts::gfx {
namespace {

Image load(const std::string& name) {
    const auto image = loadBitmapResource(name);
    if (!image) ADD_FAILURE() << name << " does not load";
    return image.value_or(Image{});
}

double luma(const Image& image, int x, int y) {
    const uint8_t* p = &image.rgba[(static_cast<size_t>(y) * image.width + x) * 4];
    return 0.3 * p[0] + 0.59 * p[1] + 0.11 * p[2];
}

// Mean brightness of the picture under a screen rectangle, for a picture stretched over
// (left, top)..(right, bottom) of the screen.
struct Placement {
    double left, top, right, bottom;
};

double meanLumaUnder(const Image& image, const Placement& quad, double x0, double y0, double x1,
                     double y1) {
    const double sx = image.width / (quad.right - quad.left);
    const double sy = image.height / (quad.bottom - quad.top);
    const int bx0 = static_cast<int>((x0 - quad.left) * sx),
              bx1 = static_cast<int>((x1 - quad.left) * sx);
    const int by0 = static_cast<int>((y0 - quad.top) * sy),
              by1 = static_cast<int>((y1 - quad.top) * sy);
    double sum = 0;
    int count = 0;
    for (int y = std::max(by0, 0); y < std::min(by1, image.height); ++y) {
        for (int x = std::max(bx0, 0); x < std::min(bx1, image.width); ++x) {
            sum += luma(image, x, y);
            ++count;
        }
    }
    EXPECT_GT(count, 0);
    return count ? sum / count : 0;
}

double meanLuma(const Image& image) {
    return meanLumaUnder(image, {0, 0, double(image.width), double(image.height)}, 0, 0,
                         image.width, image.height);
}

TEST(BitmapLayout, ScoreTableHasDarkNameCellsAndLightScoreCells) {
    // Drawn over 510,0 .. 800,80; white names at y 10, round numbers and scores at y 40 and 62.
    const Image table = load("POINTTABLE");
    const Placement quad{510, 0, 800, 80};
    for (double x : {560.0, 685.0}) {
        EXPECT_LT(meanLumaUnder(table, quad, x, 10, x + 60, 24), 90) << "name cell at " << x;
        for (double y : {40.0, 62.0}) {
            EXPECT_GT(meanLumaUnder(table, quad, x, y, x + 40, y + 13), 190)
                << "score cell at " << x << "," << y;
        }
    }
    for (double y : {40.0, 62.0}) {
        EXPECT_GT(meanLumaUnder(table, quad, 515, y, 540, y + 13), 170) << "round at " << y;
    }
}

TEST(BitmapLayout, EachShotScoreLandsInALightSlotAfterItsLabel) {
    // Drawn over 600,100 .. 750,200; dart i's score is written at (670 + 20i, 110 + 30i) in the
    // small font (about 12 pixels a digit, 14 high); its label is the dark tag to the left.
    for (const char* name : {"SHOT", "SHOT_en"}) {
        SCOPED_TRACE(name);
        const Image shots = load(name);
        const Placement quad{600, 100, 750, 200};
        for (int i = 0; i < 3; ++i) {
            const double x = 670 + 20 * i, y = 110 + 30 * i;
            EXPECT_GT(meanLumaUnder(shots, quad, x + 1, y + 2, x + 24, y + 12), 190)
                << "dart " << i;
            EXPECT_LT(meanLumaUnder(shots, quad, x - 45, y + 2, x - 12, y + 12), 150)
                << "dart " << i;
        }
        // Each label is indented further than the one above.
        auto firstTagColumn = [&](int i) {
            const int y = static_cast<int>((115 + 30 * i - quad.top) * shots.height / 100.0);
            for (int x = 4; x < shots.width; ++x) {
                const uint8_t* p = &shots.rgba[(static_cast<size_t>(y) * shots.width + x) * 4];
                if (p[0] > 100 && p[0] > 2 * p[2]) return x;  // the red lacquer of the tag
            }
            return shots.width;
        };
        EXPECT_LT(firstTagColumn(0), firstTagColumn(1));
        EXPECT_LT(firstTagColumn(1), firstTagColumn(2));
    }
}

TEST(BitmapLayout, GaugeIsBrightestAtItsCentre) {
    // The gauge's centre (screen x 370 of 245..495) is the release the marker starts from.
    const Image gauge = load("GAGE");
    const Placement quad{245, 530, 495, 550};
    const double centre = meanLumaUnder(gauge, quad, 360, 532, 380, 548);
    EXPECT_GT(centre, meanLumaUnder(gauge, quad, 247, 532, 267, 548) + 15);
    EXPECT_GT(centre, meanLumaUnder(gauge, quad, 473, 532, 493, 548) + 15);
    // Yellow: red and green high, blue low.
    const uint8_t* p =
        &gauge.rgba[(static_cast<size_t>(gauge.height / 2) * gauge.width + gauge.width / 2) * 4];
    EXPECT_GT(p[0], 200);
    EXPECT_GT(p[1], 150);
    EXPECT_LT(p[2], 120);
}

// The luma of one screen pixel of a picture stretched over `quad` (nearest sample).
double lumaAt(const Image& image, const Placement& quad, double x, double y) {
    const int bx = static_cast<int>((x - quad.left) * image.width / (quad.right - quad.left));
    const int by = static_cast<int>((y - quad.top) * image.height / (quad.bottom - quad.top));
    return luma(image, std::clamp(bx, 0, image.width - 1), std::clamp(by, 0, image.height - 1));
}

TEST(BitmapLayout, DartsBarTextsFallOnACalmLightField) {
    // The bar counter at alpha 200 over black, under the notice panel at alpha 80; the brown
    // texts (RGB 100, 50, 0, luma 60) go at 60,140 (name, large), 300,250 (years) and 300,400
    // (profile). Every pixel the texts may cover, as the screen blends it, must be light, and
    // none dark: a bottle or a board behind a stroke makes the stroke vanish.
    const Image bar = load("IDB_CHSET");
    const Image panel = load("IDB_BK");
    const Placement screen{0, 0, 800, 600}, panelQuad{50, 100, 750, 500};
    struct Area {
        int x0, y0, x1, y1;
    };
    for (const Area& text :
         {Area{60, 140, 720, 184}, Area{300, 250, 500, 264}, Area{300, 400, 720, 414}}) {
        std::vector<double> shown;
        for (int y = text.y0; y < text.y1; ++y) {
            for (int x = text.x0; x < text.x1; ++x) {
                const double wall = lumaAt(bar, screen, x + 0.5, y + 0.5);
                const double ground = lumaAt(panel, panelQuad, x + 0.5, y + 0.5);
                shown.push_back((wall * 200 / 255) * (1 - 80 / 255.0) + ground * 80 / 255.0);
            }
        }
        std::sort(shown.begin(), shown.end());
        double mean = 0;
        for (double v : shown) mean += v / shown.size();
        const double darkest = shown[shown.size() / 50];  // the 2nd percentile
        EXPECT_GT(mean, 170) << "text at " << text.x0 << "," << text.y0 << " on too dark a field";
        EXPECT_GT(darkest, 160) << "dark patches under the text at " << text.x0 << ","
                                << text.y0;
    }
}

TEST(BitmapLayout, PressedButtonFacesAreDarkerThanReleasedOnes) {
    for (const auto& [up, down] :
         {std::pair{"UP", "DOWN"}, std::pair{"L_UP", "L_DOWN"}, std::pair{"R_UP", "R_DOWN"}}) {
        EXPECT_GT(meanLuma(load(up)), meanLuma(load(down)) + 10) << up;
    }
}

TEST(BitmapLayout, ArrowButtonsPointTheWayTheyStep) {
    // The arrow's bright mass (the brightest reds of the face, whatever its shade): its broad
    // base sits away from its point.
    auto brightCentroidX = [](const Image& image) {
        auto red = [&](int x, int y) {
            return image.rgba[(static_cast<size_t>(y) * image.width + x) * 4];
        };
        int brightest = 0;
        for (int y = 4; y < image.height - 4; ++y) {
            for (int x = 4; x < image.width - 4; ++x)
                brightest = std::max<int>(brightest, red(x, y));
        }
        double sum = 0, count = 0;
        for (int y = 4; y < image.height - 4; ++y) {
            for (int x = 4; x < image.width - 4; ++x) {
                if (red(x, y) > brightest * 3 / 4) {
                    sum += x;
                    ++count;
                }
            }
        }
        EXPECT_GT(count, 50);
        return count ? sum / count : 0;
    };
    for (const char* name : {"L_UP", "L_DOWN"}) {
        EXPECT_GT(brightCentroidX(load(name)), 20.5) << name;  // base on the right: points left
    }
    for (const char* name : {"R_UP", "R_DOWN"}) {
        EXPECT_LT(brightCentroidX(load(name)), 20.5) << name;
    }
}

}  // namespace
}  // namespace darts::gfx
