// The sharp picture drawn for real: a frame drawn at the size it is shown and averaged back down to
// 800 x 600 must look like the ordinary frame, at a whole and at a fractional factor, and its
// pieces (scene, 2D quads and lines, text) must land where the ordinary frame has them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "render/draw2d.h"
#include "render/frame_reduction.h"
#include "render/gl/gl_device.h"
#include "render/gl/gl_lighting.h"
#include "render/gl/gl_test_window.h"

namespace darts::render {
namespace {

// A lit, textured square in front of a perspective camera, a textured 2D quad half over it at the
// HUD's depth, a thin line and two sizes of text: one of every kind of draw the game makes.
// A lit, textured square turned a little about the vertical, seen from 4 in front.
void drawTurnedSquare(Device& device, MeshHandle square, TextureHandle texture) {
    device.setTransform(TransformKind::View,
                        gfx::matrixLookAtLH({0, 0, -4}, {0, 0, 0}, {0, 1, 0}));
    device.setTransform(TransformKind::Projection,
                        gfx::matrixPerspectiveFovLH(0.8f, 1.0f, 0.1f, 100.0f));
    device.setTransform(TransformKind::World, gfx::matrixRotationAxis({0, 1, 0}, 0.5f));
    Material material{};
    material.diffuse = {0.9f, 0.9f, 0.9f, 1};
    material.ambient = {0.3f, 0.3f, 0.3f, 1};
    device.setMaterial(material);
    device.setTexture(texture);
    device.drawSubset(square, 0);
}

struct TestScene {
    TextureHandle checker = 0, stripes = 0;
    MeshHandle square = 0;
    FontHandle small = 0, large = 0;

    static gfx::Image pattern(int width, int height, int cell) {
        gfx::Image image{width, height, std::vector<uint8_t>(size_t(width) * height * 4)};
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                uint8_t* p = &image.rgba[(size_t(y) * width + x) * 4];
                const bool on = ((x / cell) + (y / cell)) % 2 == 0;
                p[0] = on ? 230 : 20;
                p[1] = uint8_t(x * 255 / width);
                p[2] = on ? 40 : 200;
                p[3] = 255;
            }
        }
        return image;
    }

    explicit TestScene(Device& device) {
        checker = device.createTexture(pattern(16, 16, 2));
        stripes = device.createTexture(pattern(8, 64, 1));
        gfx::MeshData mesh;
        const float corners[4][2] = {{-1, 1}, {1, 1}, {1, -1}, {-1, -1}};
        const float uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        for (int i = 0; i < 4; ++i) {
            gfx::Vertex v;
            v.position = {corners[i][0], corners[i][1], 0.0f};
            v.normal = {0, 0, -1};
            v.u = uv[i][0];
            v.v = uv[i][1];
            mesh.vertices.push_back(v);
        }
        mesh.indices = {0, 1, 2, 0, 2, 3};
        mesh.subsets = {{0, 6}};
        mesh.materials.resize(1);
        mesh.hasNormals = true;
        square = device.createMesh(mesh);
        small = device.createFont(14, 12);
        large = device.createFont(44, 42);
    }

    void draw(Device& device) const {
        device.beginFrame();
        drawTurnedSquare(device, square, checker);

        device.setTexture(stripes);
        const std::array<ScreenVertex, 4> quad{
            {{100.0f, 80.0f, kQuadDepth, 1.0f, 0xC0FFFFFF, 0, 0},
             {260.0f, 80.0f, kQuadDepth, 1.0f, 0xC0FFFFFF, 1, 0},
             {260.0f, 400.0f, kQuadDepth, 1.0f, 0xC0FFFFFF, 1, 1},
             {100.0f, 400.0f, kQuadDepth, 1.0f, 0xC0FFFFFF, 0, 1}}};
        device.drawScreenFan(quad);
        drawLine2D(device, 420.0f, 500.0f, 760.0f, 560.0f, 255, 255, 0, 255);
        device.drawText(small, "301 DARTS", 520, 40, 0xFFFFFFFF);
        device.drawText(large, "180", 560, 420, 0xFF40FF40);
        device.endFrame();
    }
};

// The largest mean absolute difference (0..255) a reduced sharp frame may have from the ordinary
// one.
constexpr double kLimit = 2.5;

class GlSharpFrameTest : public ::testing::Test {
  protected:
    // A device drawing sharp onto a picture of width x height (nothing is shown).
    static GlDeviceResult sharpDevice(int width, int height, bool stretch = false) {
        GlPresenter presenter;
        presenter.present = [] {};
        presenter.drawableSize = [width, height] { return PixelSize{width, height}; };
        presenter.stretch = stretch;
        presenter.sharp = true;
        return testing::openGlTestDevice(std::move(presenter));
    }

    static gfx::Image drawn(GlDevice& device) {
        const TestScene scene(device);
        scene.draw(device);
        return device.readFrame().value_or(gfx::Image{});
    }

    void SetUp() override {
        GlPresenter presenter;
        presenter.present = [] {};
        presenter.drawableSize = [] { return PixelSize{1600, 1200}; };
        GlDeviceResult opened = testing::openGlTestDevice(std::move(presenter));
        if (!opened.device) GTEST_SKIP() << "no OpenGL 3.3 device: " << opened.error;
        ordinary_ = drawn(*opened.device);
        ASSERT_EQ(ordinary_.width, kFrameWidth);
    }

    gfx::Image ordinary_;
};

TEST_F(GlSharpFrameTest, ReducedToTheFrameItMatchesTheOrdinaryPicture) {
    struct Case {
        int pictureWidth, pictureHeight, frameWidth, frameHeight;
    };
    // A whole factor, a fractional one, and a wide desktop whose bars are not part of the frame.
    for (const Case& c : {Case{1600, 1200, 1600, 1200}, Case{1440, 1080, 1440, 1080},
                          Case{2560, 1440, 1920, 1440}}) {
        SCOPED_TRACE(std::to_string(c.pictureWidth) + " x " + std::to_string(c.pictureHeight));
        GlDeviceResult sharp = sharpDevice(c.pictureWidth, c.pictureHeight);
        ASSERT_TRUE(sharp.device) << sharp.error;
        const gfx::Image frame = drawn(*sharp.device);
        ASSERT_EQ(frame.width, c.frameWidth);
        ASSERT_EQ(frame.height, c.frameHeight);
        const gfx::Image reduced = reduceByArea(frame, kFrameWidth, kFrameHeight);
        const double difference = meanAbsoluteDifference(reduced, ordinary_);
        // Measured 1.6 (1600 x 1200) and 1.7 (1440 x 1080): edges, the thin line and glyph
        // outlines differ by a fraction of a pixel; a part drawn a few pixels off exceeds it.
        EXPECT_GE(difference, 0.0);
        EXPECT_LT(difference, kLimit);
    }
}

TEST_F(GlSharpFrameTest, AMisplacedDrawWouldShowInTheComparison) {
    // The bound above means something only if a visible mistake exceeds it: the ordinary frame
    // against itself with its pieces three pixels to the side.
    gfx::Image shifted = ordinary_;
    for (int y = 0; y < shifted.height; ++y) {
        for (int x = shifted.width - 1; x > 0; --x) {
            for (int c = 0; c < 4; ++c) {
                shifted.rgba[(size_t(y) * shifted.width + x) * 4 + c] =
                    ordinary_.rgba[(size_t(y) * shifted.width + std::max(0, x - 3)) * 4 + c];
            }
        }
    }
    EXPECT_GT(meanAbsoluteDifference(shifted, ordinary_), kLimit);
}

TEST_F(GlSharpFrameTest, StretchedAndSmallPicturesAndResizing) {
    GlDeviceResult sharp = sharpDevice(1920, 1080, true);
    ASSERT_TRUE(sharp.device) << sharp.error;
    gfx::Image frame = drawn(*sharp.device);
    EXPECT_EQ(frame.width, 1920);  // stretched: the whole picture, scaled differently each way
    EXPECT_EQ(frame.height, 1080);
    EXPECT_LT(meanAbsoluteDifference(reduceByArea(frame, kFrameWidth, kFrameHeight), ordinary_),
              kLimit);

    // Its own size: the ordinary frame exactly.
    GlDeviceResult same = sharpDevice(kFrameWidth, kFrameHeight);
    ASSERT_TRUE(same.device) << same.error;
    EXPECT_EQ(drawn(*same.device).rgba, ordinary_.rgba);

    // A window resized between frames: the next frame follows it, the text made again.
    int width = 1600, height = 1200;
    GlPresenter presenter;
    presenter.present = [] {};
    presenter.drawableSize = [&] { return PixelSize{width, height}; };
    presenter.sharp = true;
    GlDeviceResult resized = testing::openGlTestDevice(std::move(presenter));
    ASSERT_TRUE(resized.device) << resized.error;
    const TestScene scene(*resized.device);
    scene.draw(*resized.device);
    EXPECT_EQ(resized.device->readFrame()->width, 1600);
    width = 1440;
    height = 1080;
    scene.draw(*resized.device);
    frame = *resized.device->readFrame();
    EXPECT_EQ(frame.width, 1440);
    EXPECT_LT(meanAbsoluteDifference(reduceByArea(frame, kFrameWidth, kFrameHeight), ordinary_),
              kLimit);
    width = height = 0;  // a minimised window: the frame keeps its size
    scene.draw(*resized.device);
    EXPECT_EQ(resized.device->readFrame()->width, 1440);
}

// The smooth HUD: a bitmap of four texel columns, black, white, black, white, over a 2D quad 200
// pixels wide, drawn before a textured mesh and a text that must not notice it.
struct SmoothHudScene {
    TextureHandle bars = 0, checker = 0;
    MeshHandle square = 0;
    FontHandle font = 0;
    static constexpr int kQuadLeft = 40, kQuadTop = 40, kQuadRight = 240, kQuadBottom = 80;

    explicit SmoothHudScene(Device& device) {
        gfx::Image image{4, 1, std::vector<uint8_t>(16, 255)};
        for (int x = 0; x < 4; x += 2) std::fill_n(&image.rgba[size_t(x) * 4], 3, uint8_t{0});
        bars = device.createTexture(image);
        checker = device.createTexture(TestScene::pattern(16, 16, 2));
        const TestScene shapes(device);
        square = shapes.square;
        font = shapes.small;
    }

    void draw(Device& device) const {
        device.beginFrame();
        device.setTexture(bars);
        const std::array<ScreenVertex, 4> quad{
            {{float(kQuadLeft), float(kQuadTop), kQuadDepth, 1.0f, 0xFFFFFFFF, 0, 0},
             {float(kQuadRight), float(kQuadTop), kQuadDepth, 1.0f, 0xFFFFFFFF, 1, 0},
             {float(kQuadRight), float(kQuadBottom), kQuadDepth, 1.0f, 0xFFFFFFFF, 1, 1},
             {float(kQuadLeft), float(kQuadBottom), kQuadDepth, 1.0f, 0xFFFFFFFF, 0, 1}}};
        device.drawScreenFan(quad);
        drawTurnedSquare(device, square, checker);
        device.drawText(font, "301 DARTS", 520, 40, 0xFFFFFFFF);
        device.endFrame();
    }
};

gfx::Image drawnWithSmoothHud(int width, int height, bool sharp, bool smoothHud) {
    GlPresenter presenter;
    presenter.present = [] {};
    presenter.drawableSize = [width, height] { return PixelSize{width, height}; };
    presenter.sharp = sharp;
    presenter.smoothHud = smoothHud;
    GlDeviceResult opened = testing::openGlTestDevice(std::move(presenter));
    if (!opened.device) return {};
    const SmoothHudScene scene(*opened.device);
    scene.draw(*opened.device);
    return opened.device->readFrame().value_or(gfx::Image{});
}

// The red channel's values along one row of a frame, from x0 up to x1.
std::vector<int> redAlong(const gfx::Image& frame, int y, int x0, int x1) {
    std::vector<int> values;
    for (int x = x0; x < x1; ++x) values.push_back(frame.rgba[(size_t(y) * frame.width + x) * 4]);
    return values;
}

TEST(GlSmoothHud, MagnifiedHudBitmapsBlendTheirTexelsAndNothingElseChanges) {
    const gfx::Image point = drawnWithSmoothHud(1600, 1200, true, false);
    if (point.rgba.empty()) GTEST_SKIP() << "no OpenGL 3.3 device";
    const gfx::Image smooth = drawnWithSmoothHud(1600, 1200, true, true);
    ASSERT_EQ(smooth.width, 1600);
    ASSERT_EQ(point.width, 1600);

    // Across the middle of the quad (twice as large in this frame), inside its edges.
    constexpr int kScale = 2;
    const int row = (SmoothHudScene::kQuadTop + SmoothHudScene::kQuadBottom) / 2 * kScale;
    const int left = SmoothHudScene::kQuadLeft * kScale,
              right = SmoothHudScene::kQuadRight * kScale;
    auto between = [](const std::vector<int>& values) {
        return std::count_if(values.begin(), values.end(), [](int v) { return v > 8 && v < 247; });
    };
    // Point sampling: only black and white, each texel a block of 100 pixels.
    const std::vector<int> blocks = redAlong(point, row, left, right);
    EXPECT_EQ(between(blocks), 0);
    EXPECT_EQ(blocks[2], 0);
    EXPECT_EQ(blocks[150], 255);
    // Smooth: ramps at the three inner texel edges, about one texel (100 pixels) wide each...
    const std::vector<int> ramps = redAlong(smooth, row, left, right);
    EXPECT_GT(between(ramps), 3 * 60);
    EXPECT_NEAR(ramps[100], 128, 12);  // halfway between the first two texels' centres
    // ...and just inside the quad's own edges the border texel alone, not blended with the far
    // side as wrapped addressing would.
    EXPECT_LE(ramps[2], 8);
    EXPECT_GE(ramps[397], 247);

    // Everything outside the quad (the textured mesh drawn after it, the text) is untouched.
    const int top = SmoothHudScene::kQuadTop * kScale,
              bottom = SmoothHudScene::kQuadBottom * kScale;
    size_t differing = 0;
    for (int y = 0; y < point.height; ++y) {
        for (int x = 0; x < point.width; ++x) {
            // The quad's edges land within a pixel of its scaled corners.
            if (x >= left - 2 && x < right + 2 && y >= top - 2 && y < bottom + 2) continue;
            const size_t at = (size_t(y) * point.width + x) * 4;
            differing += !std::equal(&point.rgba[at], &point.rgba[at + 4], &smooth.rgba[at]);
        }
    }
    EXPECT_EQ(differing, 0u);
}

TEST(GlSmoothHud, WithoutAMagnifiedFrameItChangesNoPixel) {
    const gfx::Image ordinary = drawnWithSmoothHud(1600, 1200, false, false);
    if (ordinary.rgba.empty()) GTEST_SKIP() << "no OpenGL 3.3 device";
    ASSERT_EQ(ordinary.width, kFrameWidth);
    // Without sharp the frame is 800 x 600 and magnified afterwards, as ever.
    EXPECT_EQ(drawnWithSmoothHud(1600, 1200, false, true).rgba, ordinary.rgba);
    // Sharp on a picture of the frame's own size draws the frame at its own size: no change either.
    EXPECT_EQ(drawnWithSmoothHud(kFrameWidth, kFrameHeight, true, true).rgba, ordinary.rgba);
}

}  // namespace
}  // namespace darts::render
