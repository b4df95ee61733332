// Where the frame lands on pictures of the sizes players have.
#include "render/frame_placement.h"

#include <gtest/gtest.h>

namespace darts::render {
namespace {

void expectPlacement(const FramePlacement& p, int x, int y, int w, int h, int prescale) {
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.y, y);
    EXPECT_EQ(p.width, w);
    EXPECT_EQ(p.height, h);
    EXPECT_EQ(p.prescale, prescale);
}

TEST(FramePlacement, KeepsTheShapeCentredWithBars) {
    // Wide desktops: bars at the sides.
    expectPlacement(placeFrame(800, 600, 1920, 1080, false), 240, 0, 1440, 1080, 1);
    expectPlacement(placeFrame(800, 600, 3840, 2160, false), 480, 0, 2880, 2160, 3);
    expectPlacement(placeFrame(800, 600, 2560, 1440, false), 320, 0, 1920, 1440, 2);
    // 5:4: bars above and below.
    expectPlacement(placeFrame(800, 600, 1280, 1024, false), 0, 32, 1280, 960, 1);
    // Its own size and whole multiples: the frame exactly, no bars.
    expectPlacement(placeFrame(800, 600, 800, 600, false), 0, 0, 800, 600, 1);
    expectPlacement(placeFrame(800, 600, 1600, 1200, false), 0, 0, 1600, 1200, 2);
    // Smaller than the frame: shrunk in one step.
    expectPlacement(placeFrame(800, 600, 400, 300, false), 0, 0, 400, 300, 1);
}

TEST(FramePlacement, StretchFillsAndEmptyPicturesPlaceNothing) {
    expectPlacement(placeFrame(800, 600, 1920, 1080, true), 0, 0, 1920, 1080, 1);
    expectPlacement(placeFrame(800, 600, 3840, 2160, true), 0, 0, 3840, 2160, 3);
    // A minimised window reports no area.
    expectPlacement(placeFrame(800, 600, 0, 0, false), 0, 0, 0, 0, 1);
    expectPlacement(placeFrame(800, 600, -5, 600, true), 0, 0, 0, 0, 1);
}

}  // namespace
}  // namespace darts::render
