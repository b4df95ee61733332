// The sharp picture's arithmetic: the size it is drawn at, where 800 x 600 pixel edges land on it,
// and the reduction that compares it with the ordinary frame.
#include "render/sharp_frame.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "render/frame_reduction.h"

namespace darts::render {
namespace {

TEST(SharpFrame, IsDrawnAtTheAreaTheFrameCoversOnThePicture) {
    auto expectSize = [](FrameSize size, int width, int height) {
        EXPECT_EQ(size.width, width);
        EXPECT_EQ(size.height, height);
    };
    expectSize(sharpFrameSize(2560, 1440, false, 16384), 1920, 1440);
    expectSize(sharpFrameSize(3840, 2160, false, 16384), 2880, 2160);
    expectSize(sharpFrameSize(1280, 1024, false, 16384), 1280, 960);
    expectSize(sharpFrameSize(1920, 1080, true, 16384), 1920, 1080);
    expectSize(sharpFrameSize(800, 600, false, 16384), 800, 600);
    expectSize(sharpFrameSize(400, 300, false, 16384), 400, 300);
    // A driver with small buffers: the shape kept within its largest side.
    expectSize(sharpFrameSize(8000, 6000, false, 4096), 4096, 3072);
    // Nothing to draw on.
    expectSize(sharpFrameSize(0, 0, false, 16384), 0, 0);
    expectSize(sharpFrameSize(1600, 1200, false, 0), 0, 0);

    const FrameScale scale = frameScaleOf({1920, 1080});
    EXPECT_DOUBLE_EQ(scale.x, 2.4);
    EXPECT_DOUBLE_EQ(scale.y, 1.8);
    EXPECT_TRUE(frameScaleOf({800, 600}).isOne());
}

TEST(SharpFrame, PixelEdgesLandOnTheScaledGridAndThroughTheShaderExactlyThere) {
    EXPECT_EQ(scaledEdge(0, 1.8), 0);
    EXPECT_EQ(scaledEdge(100, 1.8), 180);
    EXPECT_EQ(scaledEdge(101, 1.8), 182);  // 181.8
    EXPECT_EQ(scaledEdge(-3, 2.0), -6);
    for (double scale : {1.8, 2.0, 2.4, 3.6}) {
        for (int edge : {0, 1, 37, 799, 1439}) {
            // What the screen shaders compute: (p + 63/128) x scale on the scaled frame.
            const double shown = (double(shaderCoordinateOf(edge, scale)) + 63.0 / 128.0) * scale;
            EXPECT_NEAR(shown, edge, 1e-3) << "edge " << edge << " at " << scale;
        }
    }
}

TEST(SharpFrame, FontSizesScaleAndTheFacesOwnWidthStays) {
    EXPECT_EQ(scaledFontSize(14, 2.0), 28);
    EXPECT_EQ(scaledFontSize(12, 1.8), 22);  // 21.6
    EXPECT_EQ(scaledFontSize(44, 0.5), 22);
    EXPECT_EQ(scaledFontSize(1, 0.1), 1);
    EXPECT_EQ(scaledFontSize(0, 3.0), 0);
}

gfx::Image filled(int width, int height, auto colourAt) {
    gfx::Image image{width, height, std::vector<uint8_t>(size_t(width) * height * 4)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto rgba = colourAt(x, y);
            for (int c = 0; c < 4; ++c) image.rgba[(size_t(y) * width + x) * 4 + c] = rgba[c];
        }
    }
    return image;
}

TEST(FrameReduction, AveragesWholeAndFractionalBlocks) {
    // 4 x 2 down to 2 x 1: each target pixel the mean of a 2 x 2 block.
    const gfx::Image blocks = filled(4, 2, [](int x, int y) {
        return std::array<uint8_t, 4>{uint8_t(x < 2 ? 0 : 200), uint8_t(y * 100), 10, 255};
    });
    const gfx::Image halved = reduceByArea(blocks, 2, 1);
    ASSERT_EQ(halved.width, 2);
    EXPECT_EQ(halved.rgba, (std::vector<uint8_t>{0, 50, 10, 255, 200, 50, 10, 255}));

    // 3 columns into 2: the middle column is shared half and half.
    const gfx::Image thirds = filled(3, 1, [](int x, int) {
        return std::array<uint8_t, 4>{uint8_t(x == 1 ? 90 : 0), 0, 0, 255};
    });
    const gfx::Image two = reduceByArea(thirds, 2, 1);
    ASSERT_EQ(two.width, 2);
    EXPECT_EQ(two.rgba[0], 30);  // (0 x 1 + 90 x 0.5) / 1.5
    EXPECT_EQ(two.rgba[4], 30);

    // A flat picture stays flat at any factor (no weight lost at the last column or row).
    const gfx::Image grey = filled(1440, 1080, [](int, int) {
        return std::array<uint8_t, 4>{77, 77, 77, 255};
    });
    const gfx::Image reduced = reduceByArea(grey, 800, 600);
    ASSERT_EQ(reduced.width, 800);
    EXPECT_EQ(
        meanAbsoluteDifference(reduced, filled(800, 600,
                                               [](int, int) {
                                                   return std::array<uint8_t, 4>{77, 77, 77, 255};
                                               })),
        0.0);
}

TEST(FrameReduction, RefusesWhatItCannotCompare) {
    const gfx::Image small = filled(2, 2, [](int, int) { return std::array<uint8_t, 4>{}; });
    EXPECT_EQ(reduceByArea(small, 4, 4).width, 0);  // no enlarging
    EXPECT_EQ(reduceByArea(small, 0, 1).width, 0);
    gfx::Image broken = small;
    broken.rgba.pop_back();
    EXPECT_EQ(reduceByArea(broken, 1, 1).width, 0);
    EXPECT_LT(meanAbsoluteDifference(small, reduceByArea(small, 1, 1)), 0.0);
    EXPECT_LT(meanAbsoluteDifference(broken, broken), 0.0);
    // Alpha does not count: the screen has none.
    const gfx::Image clear = filled(2, 2, [](int, int) {
        return std::array<uint8_t, 4>{9, 9, 9, 0};
    });
    const gfx::Image opaque = filled(2, 2, [](int, int) {
        return std::array<uint8_t, 4>{9, 9, 9, 255};
    });
    EXPECT_EQ(meanAbsoluteDifference(clear, opaque), 0.0);
    EXPECT_NEAR(meanAbsoluteDifference(small, opaque), 9.0, 1e-9);
}

}  // namespace
}  // namespace darts::render
