#include "render/draw2d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/recording_device.h"

namespace darts::render {
namespace {

using testing::RecordingDevice;

constexpr FontHandle kSmall = 11, kLarge = 22;

class Draw2D : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int i = 0; i < 8; ++i) s.overlayTextures[i] = 100 + i;
        for (int i = 0; i < 9; ++i) s.portraitTextures[i] = 200 + i;
        s.smallFont = kSmall;
        s.largeFont = kLarge;
    }
    void setText(const char* text) { std::strncpy(s.textBuffer, text, sizeof s.textBuffer); }

    std::unique_ptr<GameState> owned = std::make_unique<GameState>();
    GameState& s = *owned;
    RecordingDevice device;
};

TEST_F(Draw2D, QuadCornersRunClockwiseFromTopLeft) {
    const QuadCorners c = quadCorners(510, 0, 800, 80);
    EXPECT_EQ(c[0].x, 510);
    EXPECT_EQ(c[0].y, 0);
    EXPECT_EQ(c[1].x, 800);
    EXPECT_EQ(c[1].y, 0);
    EXPECT_EQ(c[2].x, 800);
    EXPECT_EQ(c[2].y, 80);
    EXPECT_EQ(c[3].x, 510);
    EXPECT_EQ(c[3].y, 80);
}

TEST_F(Draw2D, QuadVerticesCarryCornersDepthColourAndTextureCoordinates) {
    drawQuad2D(s, device, quadCorners(510, 0, 800, 80), 120, 0, 0);
    ASSERT_EQ(device.fans.size(), 1u);
    const std::vector<ScreenVertex>& v = device.fans[0].vertices;
    ASSERT_EQ(v.size(), 4u);
    const float expected[4][4] = {{510, 0, 0, 0}, {800, 0, 1, 0}, {800, 80, 1, 1}, {510, 80, 0, 1}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(v[i].x, expected[i][0]);
        EXPECT_EQ(v[i].y, expected[i][1]);
        EXPECT_EQ(v[i].u, expected[i][2]);
        EXPECT_EQ(v[i].v, expected[i][3]);
        EXPECT_EQ(v[i].z, 0.1f);
        EXPECT_EQ(v[i].rhw, 1.0f);
        EXPECT_EQ(v[i].color, 0x78FFFFFFu);
    }
}

TEST_F(Draw2D, QuadAlphaKeepsOnlyItsLowByte) {
    drawQuad2D(s, device, quadCorners(0, 0, 1, 1), 255, 0, 3);
    drawQuad2D(s, device, quadCorners(0, 0, 1, 1), 0, 0, 3);
    drawQuad2D(s, device, quadCorners(0, 0, 1, 1), 0x1AB, 0, 3);
    drawQuad2D(s, device, quadCorners(0, 0, 1, 1), -1, 0, 3);
    ASSERT_EQ(device.fans.size(), 4u);
    EXPECT_EQ(device.fans[0].vertices[0].color, 0xFFFFFFFFu);
    EXPECT_EQ(device.fans[1].vertices[0].color, 0x00FFFFFFu);
    EXPECT_EQ(device.fans[2].vertices[0].color, 0xABFFFFFFu);
    EXPECT_EQ(device.fans[3].vertices[0].color, 0xFFFFFFFFu);
}

TEST_F(Draw2D, QuadTextureKindsChooseTheTable) {
    drawQuad2D(s, device, quadCorners(0, 0, 1, 1), 255, 7, 0);  // shot labels
    drawQuad2D(s, device, quadCorners(0, 0, 1, 1), 255, 3, 1);  // portrait of character 3
    drawQuad2D(s, device, quadCorners(0, 0, 1, 1), 255, 5, 3);  // untextured, index ignored
    EXPECT_EQ(device.bound, (std::vector<TextureHandle>{107, 203, 0}));
    EXPECT_EQ(device.fans.size(), 3u);
}

TEST_F(Draw2D, OtherTextureKindsKeepTheBoundTexture) {
    for (int kind : {2, 4, -1, 1000}) {
        drawQuad2D(s, device, quadCorners(0, 0, 1, 1), 255, 0, kind);
    }
    EXPECT_TRUE(device.bound.empty());
    EXPECT_EQ(device.fans.size(), 4u);
}

TEST_F(Draw2D, IndexOutsideItsTableBindsNoTextureAndStillDraws) {
    drawQuad2D(s, device, quadCorners(0, 0, 1, 1), 255, 8, 0);
    drawQuad2D(s, device, quadCorners(0, 0, 1, 1), 255, -1, 0);
    drawQuad2D(s, device, quadCorners(0, 0, 1, 1), 255, 9, 1);
    drawQuad2D(s, device, quadCorners(0, 0, 1, 1), 255, 8, 1);  // last portrait slot is valid
    EXPECT_EQ(device.bound, (std::vector<TextureHandle>{0, 0, 0, 208}));
    EXPECT_EQ(device.fans.size(), 4u);
}

TEST_F(Draw2D, TextDrawsTheBufferWithTheChosenFontAtItsPosition) {
    setText("abc");
    drawText(s, device, 0xFFFFFFFF, 560, 10, 0);
    drawText(s, device, 0xFFFF0000, 5, 7, 1);
    ASSERT_EQ(device.texts.size(), 2u);
    EXPECT_EQ(device.texts[0].font, kSmall);
    EXPECT_EQ(device.texts[0].text, "abc");
    EXPECT_EQ(device.texts[0].x, 560);
    EXPECT_EQ(device.texts[0].y, 10);
    EXPECT_EQ(device.texts[0].color, 0xFFFFFFFFu);
    EXPECT_EQ(device.texts[1].font, kLarge);
    EXPECT_EQ(device.texts[1].x, 5);
    EXPECT_EQ(device.texts[1].y, 7);
    EXPECT_EQ(device.texts[1].color, 0xFFFF0000u);
}

TEST_F(Draw2D, TextEndsAtTheTerminatorOrTheBufferEnd) {
    setText("12 POINT");
    s.textBuffer[2] = '\0';
    drawText(s, device, 0, 0, 0, 0);
    std::memset(s.textBuffer, 'x', sizeof s.textBuffer);  // no terminator at all
    drawText(s, device, 0, 0, 0, 0);
    ASSERT_EQ(device.texts.size(), 2u);
    EXPECT_EQ(device.texts[0].text, "12");
    EXPECT_EQ(device.texts[1].text, std::string(sizeof s.textBuffer, 'x'));
}

TEST_F(Draw2D, TextGridPlacesRowsAndColumns) {
    setText("60 POINT");
    drawTextGrid(s, device, 0xFFFF0000, 6, 0, 100);
    drawTextGrid(s, device, 0xFFFF0000, 10, 0, 100);
    drawTextGrid(s, device, 0xFFFF0000, 14, 0, 100);
    drawTextGrid(s, device, 0xFF000000, 2, 3, 20);
    ASSERT_EQ(device.texts.size(), 4u);
    EXPECT_EQ(device.texts[0].x, 100);
    EXPECT_EQ(device.texts[0].y, 102);
    EXPECT_EQ(device.texts[1].y, 162);
    EXPECT_EQ(device.texts[2].y, 222);
    EXPECT_EQ(device.texts[3].x, 20 + 330);
    EXPECT_EQ(device.texts[3].y, 42);
    EXPECT_EQ(device.texts[3].color, 0xFF000000u);
    EXPECT_EQ(device.texts[0].text, "60 POINT");
}

TEST_F(Draw2D, TextGridUsesTheSmallFontOnlyAtLeft570) {
    setText("x");
    drawTextGrid(s, device, 0, 0, 0, 570);
    drawTextGrid(s, device, 0, 0, 1, 460);  // same x, other left
    drawTextGrid(s, device, 0, 0, 0, 571);
    drawTextGrid(s, device, 0, 0, 0, 100);
    ASSERT_EQ(device.texts.size(), 4u);
    EXPECT_EQ(device.texts[0].font, kSmall);
    EXPECT_EQ(device.texts[1].x, 570);
    EXPECT_EQ(device.texts[1].font, kLarge);
    EXPECT_EQ(device.texts[2].font, kLarge);
    EXPECT_EQ(device.texts[3].font, kLarge);
}

TEST_F(Draw2D, MissingFontIsPassedOnAsNone) {
    s.smallFont = 0;
    setText("x");
    drawText(s, device, 0, 0, 0, 0);
    ASSERT_EQ(device.texts.size(), 1u);
    EXPECT_EQ(device.texts[0].font, 0u);
}

TEST_F(Draw2D, HorizontalLineIsABand2Point2PixelsHigh) {
    drawLine2D(device, 80, 450, 160, 450, 0, 0, 0, 255);
    ASSERT_EQ(device.fans.size(), 1u);
    const std::vector<ScreenVertex>& v = device.fans[0].vertices;
    ASSERT_EQ(v.size(), 4u);
    // Point 1 + A, point 2 + A, point 2 + B, point 1 + B; A points up for a line to the right.
    EXPECT_NEAR(v[0].x, 80, 0.01);
    EXPECT_NEAR(v[0].y, 448.9, 1e-4);
    EXPECT_NEAR(v[1].x, 160, 0.01);
    EXPECT_NEAR(v[1].y, 448.9, 1e-4);
    EXPECT_NEAR(v[2].x, 160, 0.01);
    EXPECT_NEAR(v[2].y, 451.1, 1e-4);
    EXPECT_NEAR(v[3].x, 80, 0.01);
    EXPECT_NEAR(v[3].y, 451.1, 1e-4);
    // 1.57 rather than pi/2 leaves the sides a hair off square.
    EXPECT_NEAR(v[0].x - 80, 1.1 * std::sin(std::atan2(80.0, 0.0) + 1.57), 1e-5);
    EXPECT_NE(v[0].x, 80.0f);
    const float uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(v[i].z, 0.1f);
        EXPECT_EQ(v[i].rhw, 1.0f);
        EXPECT_EQ(v[i].u, uv[i][0]);
        EXPECT_EQ(v[i].v, uv[i][1]);
        EXPECT_EQ(v[i].color, 0xFF000000u);
    }
}

TEST_F(Draw2D, VerticalLineIsABand2Point2PixelsWide) {
    drawLine2D(device, 300, 100, 300, 200, 255, 255, 255, 255);
    const std::vector<ScreenVertex>& v = device.fans.at(0).vertices;
    EXPECT_NEAR(v[0].x, 301.1, 1e-3);
    EXPECT_NEAR(v[0].y, 100, 0.01);
    EXPECT_NEAR(v[1].y, 200, 0.01);
    EXPECT_NEAR(v[2].x, 298.9, 1e-3);
    EXPECT_NEAR(v[3].x, 298.9, 1e-3);
    EXPECT_NEAR(v[3].y, 100, 0.01);
}

TEST_F(Draw2D, LineColourTakesTheLowByteOfEachChannelAndBindsNoTexture) {
    drawLine2D(device, 0, 0, 10, 10, 0x112, 0x34, -1, 0x180);
    EXPECT_EQ(device.fans.at(0).vertices[0].color, 0x801234FFu);
    EXPECT_TRUE(device.bound.empty());
}

}  // namespace
}  // namespace darts::render
