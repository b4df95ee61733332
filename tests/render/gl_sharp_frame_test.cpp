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
#include "render/gl_test_window.h"

namespace darts::render {
namespace {

// A lit, textured square in front of a perspective camera, a textured 2D quad half over it at the
// HUD's depth, a thin line and two sizes of text: one of every kind of draw the game makes.
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
        device.setTransform(TransformKind::View,
                            gfx::matrixLookAtLH({0, 0, -4}, {0, 0, 0}, {0, 1, 0}));
        device.setTransform(TransformKind::Projection,
                            gfx::matrixPerspectiveFovLH(0.8f, 1.0f, 0.1f, 100.0f));
        device.setTransform(TransformKind::World, gfx::matrixRotationAxis({0, 1, 0}, 0.5f));
        Material material{};
        material.diffuse = {0.9f, 0.9f, 0.9f, 1};
        material.ambient = {0.3f, 0.3f, 0.3f, 1};
        device.setMaterial(material);
        device.setTexture(checker);
        device.drawSubset(square, 0);

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

}  // namespace
}  // namespace darts::render
