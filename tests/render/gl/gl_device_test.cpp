#include <epoxy/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "gfx/png_writer.h"
#include "render/draw2d.h"
#include "render/gl/gl_device.h"
#include "render/gl/gl_lighting.h"
#include "render/gl/gl_test_window.h"

namespace darts::render {
namespace {

using Rgba = std::array<int, 4>;

Rgba pixel(const gfx::Image& image, int x, int y) {
    const uint8_t* p = &image.rgba[(size_t(y) * image.width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

void expectNear(const Rgba& actual, const Rgba& expected, int tolerance) {
    for (int c = 0; c < 4; ++c) {
        EXPECT_NEAR(actual[c], expected[c], tolerance)
            << "channel " << c << " of (" << actual[0] << ", " << actual[1] << ", " << actual[2]
            << ", " << actual[3] << ")";
    }
}

gfx::Image solidImage(int width, int height, std::array<uint8_t, 4> rgba) {
    gfx::Image image{width, height, {}};
    for (int i = 0; i < width * height; ++i)
        image.rgba.insert(image.rgba.end(), rgba.begin(), rgba.end());
    return image;
}

// A flat square of side 2 x half in the plane z = 0 of its own space, normal along `normal`,
// wound 0-1-2, 0-2-3 with corner 0 at top-left as seen from -z.
gfx::MeshData square(float half, gfx::Vec3 normal) {
    gfx::MeshData mesh;
    const float corners[4][2] = {{-half, half}, {half, half}, {half, -half}, {-half, -half}};
    for (const auto& c : corners) {
        gfx::Vertex v;
        v.position = {c[0], c[1], 0.0f};
        v.normal = normal;
        mesh.vertices.push_back(v);
    }
    mesh.indices = {0, 1, 2, 0, 2, 3};
    mesh.subsets = {{0, 6}};
    mesh.materials.resize(1);
    mesh.hasNormals = true;
    return mesh;
}

Material emissiveMaterial(float r, float g, float b) {
    Material m{};
    m.diffuse = {0, 0, 0, 1};
    m.emissive = {r, g, b, 1};
    return m;
}

class GlDeviceTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { opened_ = new GlDeviceResult(testing::openGlTestDevice()); }
    static void TearDownTestSuite() {
        delete opened_;
        opened_ = nullptr;
    }
    void SetUp() override {
        if (!opened_->device) GTEST_SKIP() << "no OpenGL device: " << opened_->error;
        device().beginFrame();
        device().setTransform(TransformKind::World, gfx::identityMatrix());
        device().setTransform(TransformKind::View, gfx::identityMatrix());
        device().setTransform(TransformKind::Projection,
                              gfx::matrixPerspectiveFovLH(0.7853982f, 1.0f, 1.0f, 100.0f));
        device().setTexture(0);
    }
    static GlDevice& device() { return *opened_->device; }
    static gfx::Image frame() { return *device().readFrame(); }
    // An opaque untextured quad of the given colour.
    static void fillRect(float l, float t, float r, float b, uint32_t argb, float z = 0.1f) {
        const ScreenVertex v[4] = {{l, t, z, 1, argb, 0, 0},
                                   {r, t, z, 1, argb, 1, 0},
                                   {r, b, z, 1, argb, 1, 1},
                                   {l, b, z, 1, argb, 0, 1}};
        device().setTexture(0);
        device().drawScreenFan(v);
    }
    // Pixels inside [l, r) x [t, b) that are not black / outside that are not black.
    static void expectLitExactly(const gfx::Image& image, int l, int t, int r, int b,
                                 int margin = 4) {
        int darkInside = 0, litOutside = 0;
        for (int y = t - margin; y < b + margin; ++y) {
            for (int x = l - margin; x < r + margin; ++x) {
                const Rgba p = pixel(image, x, y);
                const bool lit = p[0] + p[1] + p[2] > 0;
                const bool inside = x >= l && x < r && y >= t && y < b;
                darkInside += inside && !lit;
                litOutside += !inside && lit;
            }
        }
        EXPECT_EQ(darkInside, 0);
        EXPECT_EQ(litOutside, 0);
    }

    static GlDeviceResult* opened_;
};
GlDeviceResult* GlDeviceTest::opened_ = nullptr;

TEST_F(GlDeviceTest, BeginFrameClearsToOpaqueBlackAndFarDepth) {
    fillRect(0, 0, 800, 600, 0xFFFFFFFF);
    device().beginFrame();
    const gfx::Image image = frame();
    ASSERT_EQ(image.width, kFrameWidth);
    ASSERT_EQ(image.height, kFrameHeight);
    EXPECT_TRUE(std::all_of(image.rgba.begin(), image.rgba.end(), [&, i = 0](uint8_t) mutable {
        const int channel = i++ % 4;
        return image.rgba[size_t(i - 1)] == (channel == 3 ? 255 : 0);
    }));
    const std::vector<float> depth = device().readDepth();
    ASSERT_EQ(depth.size(), size_t(kFrameWidth) * kFrameHeight);
    EXPECT_TRUE(std::all_of(depth.begin(), depth.end(), [](float d) { return d == 1.0f; }));
}

TEST_F(GlDeviceTest, QuadCoversExactlyThePixelsBetweenItsCorners) {
    // Pixel centres lie on integer coordinates: a quad from (10, 20) to (30, 40) covers columns
    // 10..29 and rows 20..39, and writes its depth there.
    fillRect(10, 20, 30, 40, 0xFFFFFFFF);
    const gfx::Image image = frame();
    expectLitExactly(image, 10, 20, 30, 40);
    expectNear(pixel(image, 10, 20), {255, 255, 255, 255}, 0);
    const std::vector<float> depth = device().readDepth();
    EXPECT_NEAR(depth[20 * kFrameWidth + 10], 0.1f, 1e-5);
    EXPECT_EQ(depth[19 * kFrameWidth + 10], 1.0f);
}

TEST_F(GlDeviceTest, TexturedQuadWithAlpha120BlendsOverWhatIsThere) {
    GameState state{};
    state.overlayTextures[2] = device().createTexture(solidImage(4, 4, {255, 0, 0, 255}));
    ASSERT_NE(state.overlayTextures[2], 0u);
    fillRect(100, 100, 200, 200, 0xFFFFFFFF);
    drawQuad2D(state, device(), quadCorners(150, 100, 250, 200), 120, 2, 0);
    const gfx::Image image = frame();
    const int kept = 255 - 120;                                     // inverse source alpha of white
    expectNear(pixel(image, 175, 150), {255, kept, kept, 255}, 2);  // over white
    expectNear(pixel(image, 225, 150), {120, 0, 0, 255}, 2);        // over black
    expectNear(pixel(image, 125, 150), {255, 255, 255, 255}, 0);    // untouched white
}

TEST_F(GlDeviceTest, TextureAlphaModulatesTheQuadAlpha) {
    const TextureHandle half = device().createTexture(solidImage(2, 2, {0, 255, 0, 128}));
    GameState state{};
    state.overlayTextures[0] = half;
    drawQuad2D(state, device(), quadCorners(0, 0, 50, 50), 255, 0, 0);
    expectNear(pixel(frame(), 25, 25), {0, 128, 0, 255}, 2);
}

TEST_F(GlDeviceTest, TexturesArePointSampledAndWrap) {
    // Two by two texels, top row first: red, green / blue, white.
    gfx::Image checker{2, 2, {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255}};
    device().setTexture(device().createTexture(checker));
    const uint32_t white = 0xFFFFFFFF;
    const ScreenVertex once[4] = {{100, 100, 0.1f, 1, white, 0, 0},
                                  {200, 100, 0.1f, 1, white, 1, 0},
                                  {200, 200, 0.1f, 1, white, 1, 1},
                                  {100, 200, 0.1f, 1, white, 0, 1}};
    device().drawScreenFan(once);
    const ScreenVertex twice[4] = {{300, 100, 0.1f, 1, white, 0, 0},
                                   {400, 100, 0.1f, 1, white, 2, 0},
                                   {400, 150, 0.1f, 1, white, 2, 1},
                                   {300, 150, 0.1f, 1, white, 0, 1}};
    device().drawScreenFan(twice);
    const gfx::Image image = frame();
    // No filtering: the texel boundary is a hard edge.
    expectNear(pixel(image, 149, 149), {255, 0, 0, 255}, 0);
    expectNear(pixel(image, 150, 149), {0, 255, 0, 255}, 0);
    expectNear(pixel(image, 149, 150), {0, 0, 255, 255}, 0);
    expectNear(pixel(image, 150, 150), {255, 255, 255, 255}, 0);
    expectNear(pixel(image, 101, 101), {255, 0, 0, 255}, 0);
    expectNear(pixel(image, 199, 199), {255, 255, 255, 255}, 0);
    // Coordinates past 1 repeat the texture.
    expectNear(pixel(image, 310, 110), {255, 0, 0, 255}, 0);
    expectNear(pixel(image, 340, 110), {0, 255, 0, 255}, 0);
    expectNear(pixel(image, 360, 110), {255, 0, 0, 255}, 0);
    expectNear(pixel(image, 390, 110), {0, 255, 0, 255}, 0);
}

TEST_F(GlDeviceTest, TextureKindThreeDrawsUntexturedAndOtherKindsKeepTheBoundTexture) {
    GameState state{};
    state.overlayTextures[1] = device().createTexture(solidImage(1, 1, {0, 0, 255, 255}));
    drawQuad2D(state, device(), quadCorners(0, 0, 10, 10), 255, 1, 0);
    drawQuad2D(state, device(), quadCorners(20, 0, 30, 10), 255, 1, 2);  // keeps blue
    drawQuad2D(state, device(), quadCorners(40, 0, 50, 10), 255, 1, 3);  // untextured: white
    drawQuad2D(state, device(), quadCorners(60, 0, 70, 10), 255, 8, 0);  // no such slot: white
    const gfx::Image image = frame();
    expectNear(pixel(image, 5, 5), {0, 0, 255, 255}, 0);
    expectNear(pixel(image, 25, 5), {0, 0, 255, 255}, 0);
    expectNear(pixel(image, 45, 5), {255, 255, 255, 255}, 0);
    expectNear(pixel(image, 65, 5), {255, 255, 255, 255}, 0);
}

TEST_F(GlDeviceTest, QuadAtDepthPointOneHidesMeshesBehindIt) {
    const MeshHandle mesh = device().createMesh(square(1.0f, {0, 0, -1}));
    ASSERT_NE(mesh, 0u);
    // A green panel, then a red square 5 units away (depth about 0.81): hidden by the panel.
    fillRect(350, 250, 450, 350, 0xFF00FF00);
    device().setMaterial(emissiveMaterial(1, 0, 0));
    device().setTransform(TransformKind::World, gfx::matrixTranslation(0, 0, 5));
    device().drawSubset(mesh, 0);
    gfx::Image image = frame();
    expectNear(pixel(image, 400, 300), {0, 255, 0, 255}, 0);
    expectNear(pixel(image, 250, 300), {255, 0, 0, 255}, 0);  // beside the panel the square shows

    // Nearer than about 1.11 units (depth below 0.1) a mesh shows over the panel.
    device().beginFrame();
    fillRect(350, 250, 450, 350, 0xFF00FF00);
    device().setTransform(TransformKind::World, gfx::matrixTranslation(0, 0, 1.05f));
    device().drawSubset(mesh, 0);
    image = frame();
    expectNear(pixel(image, 400, 300), {255, 0, 0, 255}, 0);
}

TEST_F(GlDeviceTest, TranslucencyFromMaterialTextureOrVertexColourBlends) {
    // Emissive white over black, made half transparent in three different ways.
    const MeshHandle plain = device().createMesh(square(0.5f, {0, 0, -1}));
    gfx::MeshData tinted = square(0.5f, {0, 0, -1});
    tinted.hasColors = true;
    for (gfx::Vertex& v : tinted.vertices) v.colorArgb = 0x80FFFFFF;
    const MeshHandle coloured = device().createMesh(tinted);
    const TextureHandle halfTexture =
        device().createTexture(solidImage(2, 2, {255, 255, 255, 128}));
    const float x[3] = {-1.5f, 0.0f, 1.5f};

    Material halfMaterial = emissiveMaterial(1, 1, 1);
    halfMaterial.diffuse.a = 0.5f;
    device().setMaterial(halfMaterial);
    device().setTransform(TransformKind::World, gfx::matrixTranslation(x[0], 0, 5));
    device().drawSubset(plain, 0);
    device().setMaterial(emissiveMaterial(1, 1, 1));
    device().setTexture(halfTexture);
    device().setTransform(TransformKind::World, gfx::matrixTranslation(x[1], 0, 5));
    device().drawSubset(plain, 0);
    device().setTexture(0);
    device().setTransform(TransformKind::World, gfx::matrixTranslation(x[2], 0, 5));
    device().drawSubset(coloured, 0);

    const gfx::Image image = frame();
    const double h = 1.0 / std::tan(0.7853982 / 2);
    for (float wx : x) {
        SCOPED_TRACE(wx);
        const int sx = int(std::lround((h * wx / 5 + 1) * 400 - 0.5));
        expectNear(pixel(image, sx, 300), {128, 128, 128, 255}, 2);
    }
}

TEST_F(GlDeviceTest, MeshLandsWhereTheRowVectorTransformsPutIt) {
    // A small square moved right and up by the world matrix, seen through a view that looks
    // from behind: it must appear right of and above the centre, with the projection's square
    // aspect stretched over the 800 x 600 frame.
    const MeshHandle mesh = device().createMesh(square(0.25f, {0, 0, -1}));
    device().setMaterial(emissiveMaterial(1, 1, 1));
    device().setTransform(TransformKind::View,
                          gfx::matrixLookAtLH({0, 0, -10}, {0, 0, 0}, {0, 1, 0}));
    device().setTransform(TransformKind::World, gfx::matrixTranslation(2, 1, 0));
    device().drawSubset(mesh, 0);
    const gfx::Image image = frame();
    // Projected centre: x_ndc = cot(pi/8) * 2 / 10, y_ndc = cot(pi/8) * 1 / 10.
    const double h = 1.0 / std::tan(0.7853982 / 2);
    const int cx = int(std::lround((h * 0.2 + 1) * 400 - 0.5));
    const int cy = int(std::lround((1 - h * 0.1) * 300 - 0.5));
    expectNear(pixel(image, cx, cy), {255, 255, 255, 255}, 0);
    const int halfWidth = int(h * 0.025 * 400), halfHeight = int(h * 0.025 * 300);
    expectNear(pixel(image, cx + halfWidth + 2, cy), {0, 0, 0, 255}, 0);
    expectNear(pixel(image, cx, cy + halfHeight + 2), {0, 0, 0, 255}, 0);
    expectNear(pixel(image, cx + halfWidth - 2, cy + halfHeight - 2), {255, 255, 255, 255}, 0);
    expectNear(pixel(image, 399, 299), {0, 0, 0, 255}, 0);
}

TEST_F(GlDeviceTest, GaugeMarkerShowsWithEitherWindingInFrontOfTheGaugePanel) {
    fillRect(245, 530, 495, 550, 0xFF0000FF);  // the panel at depth 0.1
    for (float m : {295.0f, 445.0f}) {
        const ScreenVertex marker[4] = {{m, 530, 0.0f, 1, 0x82FF0000, 0, 0},
                                        {370, 530, 0.0f, 1, 0x82FF0000, 1, 0},
                                        {370, 550, 0.0f, 1, 0x82FF0000, 1, 1},
                                        {m, 550, 0.0f, 1, 0x82FF0000, 0, 1}};
        device().drawScreenFan(marker);
    }
    const gfx::Image image = frame();
    const int a = 0x82, keep = 255 - a;
    for (int x : {295, 330, 369, 370, 400, 444}) {
        SCOPED_TRACE(x);
        expectNear(pixel(image, x, 540), {a, 0, keep, 255}, 2);
    }
    expectNear(pixel(image, 294, 540), {0, 0, 255, 255}, 0);
    expectNear(pixel(image, 445, 540), {0, 0, 255, 255}, 0);
}

TEST_F(GlDeviceTest, LineBandCoversItsWidth) {
    drawLine2D(device(), 80, 450, 160, 450, 255, 255, 255, 255);
    const gfx::Image image = frame();
    // The band spans y 448.9 .. 451.1: the pixel rows 449, 450 and 451 have their centres in it.
    for (int y : {449, 450, 451}) expectNear(pixel(image, 120, y), {255, 255, 255, 255}, 0);
    for (int y : {447, 448, 452}) expectNear(pixel(image, 120, y), {0, 0, 0, 255}, 0);
}

// The fixed-function lighting equations, evaluated on the CPU for one vertex (world = translation).
Rgba litColor(gfx::Vec3 worldPos, gfx::Vec3 normal, const gfx::Matrix& view, const Material& m) {
    const gfx::Vec3 p = gfx::transformPoint(worldPos, view);
    auto dir = [&](gfx::Vec3 d) {
        return gfx::Vec3{d.x * view.m[0][0] + d.y * view.m[1][0] + d.z * view.m[2][0],
                         d.x * view.m[0][1] + d.y * view.m[1][1] + d.z * view.m[2][1],
                         d.x * view.m[0][2] + d.y * view.m[1][2] + d.z * view.m[2][2]};
    };
    auto dot = [](gfx::Vec3 a, gfx::Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; };
    auto unit = [&](gfx::Vec3 a) {
        const float l = std::sqrt(dot(a, a));
        return gfx::Vec3{a.x / l, a.y / l, a.z / l};
    };
    const gfx::Vec3 n = dir(normal);  // view is a rotation and translation here
    double diffuse[3] = {m.emissive.r, m.emissive.g, m.emissive.b};
    double specular[3] = {0, 0, 0};
    for (const FixedLight& light : kSceneLights) {
        gfx::Vec3 l;
        double att = 1, spot = 1;
        if (light.type == LightType::Directional) {
            const gfx::Vec3 d = unit(dir(light.direction));
            l = {-d.x, -d.y, -d.z};
        } else {
            const gfx::Vec3 lp = gfx::transformPoint(light.position, view);
            const gfx::Vec3 to = {lp.x - p.x, lp.y - p.y, lp.z - p.z};
            const double dist = std::sqrt(dot(to, to));
            if (dist > light.range) continue;
            l = unit(to);
            att = 1.0 / (light.attenuation0 + light.attenuation1 * dist +
                         light.attenuation2 * dist * dist);
            const double rho = -dot(unit(dir(light.direction)), l);
            const double inner = std::cos(light.theta / 2), outer = std::cos(light.phi / 2);
            spot = rho > inner    ? 1.0
                   : rho <= outer ? 0.0
                                  : std::pow((rho - outer) / (inner - outer), light.falloff);
        }
        const double ndotl = dot(n, l);
        const float la[3] = {light.ambient.r, light.ambient.g, light.ambient.b};
        const float ld[3] = {light.diffuse.r, light.diffuse.g, light.diffuse.b};
        const float ls[3] = {light.specular.r, light.specular.g, light.specular.b};
        const float ma[3] = {m.ambient.r, m.ambient.g, m.ambient.b};
        const float md[3] = {m.diffuse.r, m.diffuse.g, m.diffuse.b};
        const float ms[3] = {m.specular.r, m.specular.g, m.specular.b};
        const gfx::Vec3 toEye = unit({-p.x, -p.y, -p.z});
        const gfx::Vec3 half = unit({toEye.x + l.x, toEye.y + l.y, toEye.z + l.z});
        const double ndoth = dot(n, half);
        for (int c = 0; c < 3; ++c) {
            diffuse[c] +=
                ma[c] * la[c] * att * spot + md[c] * ld[c] * std::max(ndotl, 0.0) * att * spot;
            if (ndotl > 0 && ndoth > 0)
                specular[c] += ms[c] * ls[c] * std::pow(ndoth, m.power) * att * spot;
        }
    }
    Rgba out;
    for (int c = 0; c < 3; ++c) {
        const double lit =
            std::min(std::clamp(diffuse[c], 0.0, 1.0) + std::clamp(specular[c], 0.0, 1.0), 1.0);
        out[c] = int(std::lround(lit * m.diffuse.a * 255));
    }
    out[3] = 255;
    return out;
}

TEST_F(GlDeviceTest, SpotAndDirectionalLightingFollowTheFixedFunctionEquations) {
    const gfx::Matrix view = gfx::matrixLookAtLH({0, 2, -7}, {0, 2, 0}, {0, 1, 0});
    const gfx::Vec3 centre = {-1.5f, 1.5f, 6.0f};
    // Towards the spot light at (1, 1, 4), which stands well inside its inner cone there.
    const float dx = 1 - centre.x, dy = 1 - centre.y, dz = 4 - centre.z;
    const float len = std::sqrt(dx * dx + dy * dy + dz * dz);
    const gfx::Vec3 towards = {dx / len, dy / len, dz / len};
    const gfx::Vec3 away = {-towards.x, -towards.y, -towards.z};

    Material material{};
    material.diffuse = {0.4f, 0.4f, 0.4f, 1.0f};
    material.ambient = {1, 1, 1, 1};
    material.specular = {0.5f, 0.5f, 0.5f, 1};
    material.power = 10;
    struct Case {
        gfx::Vec3 normal;
        float alpha;
    };
    for (const Case& c : {Case{towards, 1.0f}, Case{away, 1.0f}, Case{towards, 0.5f}}) {
        SCOPED_TRACE(c.alpha);
        device().beginFrame();
        device().setTransform(TransformKind::View, view);
        device().setTransform(TransformKind::World,
                              gfx::matrixTranslation(centre.x, centre.y, centre.z));
        material.diffuse.a = c.alpha;
        device().setMaterial(material);
        const MeshHandle mesh = device().createMesh(square(0.2f, c.normal));
        device().drawSubset(mesh, 0);
        // The centre of the square lies on the diagonal 0-2: Gouraud gives the mean of the
        // colours at corners 0 and 2 there.
        const Rgba v0 =
            litColor({centre.x - 0.2f, centre.y + 0.2f, centre.z}, c.normal, view, material);
        const Rgba v2 =
            litColor({centre.x + 0.2f, centre.y - 0.2f, centre.z}, c.normal, view, material);
        const gfx::Matrix toScreen =
            gfx::matrixMultiply(view, gfx::matrixPerspectiveFovLH(0.7853982f, 1, 1, 100));
        const float* r = &toScreen.m[0][0];
        const float cw = centre.x * r[3] + centre.y * r[7] + centre.z * r[11] + r[15];
        const gfx::Vec3 ndc = gfx::transformPoint(centre, toScreen);
        const int sx = int(std::lround((ndc.x / cw + 1) * 400 - 0.5));
        const int sy = int(std::lround((1 - ndc.y / cw) * 300 - 0.5));
        const Rgba expected = {(v0[0] + v2[0]) / 2, (v0[1] + v2[1]) / 2, (v0[2] + v2[2]) / 2, 255};
        expectNear(pixel(frame(), sx, sy), expected, 3);
        if (c.normal.x == away.x) {
            // Facing away only the purple ambient part of the directional light remains.
            expectNear(expected, {26, 0, 26, 255}, 1);
        }
    }
}

TEST_F(GlDeviceTest, ASquareFacingTheSpotLightIsBrighterThanOneFacingAway) {
    const gfx::Matrix view = gfx::matrixLookAtLH({0, 2, -7}, {0, 2, 0}, {0, 1, 0});
    device().setTransform(TransformKind::View, view);
    Material material{};
    material.diffuse = {1, 1, 1, 1};
    device().setMaterial(material);
    const MeshHandle facing = device().createMesh(square(0.3f, {0.7f, -0.1f, -0.7f}));
    const MeshHandle turned = device().createMesh(square(0.3f, {-0.7f, 0.1f, 0.7f}));
    device().setTransform(TransformKind::World, gfx::matrixTranslation(-2, 1.5f, 6));
    device().drawSubset(facing, 0);
    device().setTransform(TransformKind::World, gfx::matrixTranslation(-0.5f, 1.5f, 6));
    device().drawSubset(turned, 0);
    const gfx::Image image = frame();
    auto brightnessAround = [&](float wx) {
        const gfx::Matrix toScreen =
            gfx::matrixMultiply(view, gfx::matrixPerspectiveFovLH(0.7853982f, 1, 1, 100));
        const gfx::Vec3 ndc = gfx::transformPoint({wx, 1.5f, 6}, toScreen);
        const float w = 13.0f;  // depth in view space
        const Rgba p = pixel(image, int((ndc.x / w + 1) * 400), int((1 - ndc.y / w) * 300));
        return p[0] + p[1] + p[2];
    };
    EXPECT_GT(brightnessAround(-2), 3 * 150);
    EXPECT_LT(brightnessAround(-0.5f), 3 * 30);
}

TEST_F(GlDeviceTest, VertexColoursKeepTheirChannelsOnEveryContext) {
    // Vertex colours are ARGB values, read as bytes and swapped into place by the shaders: a red
    // vertex colour must light red and a blue one blue (a swap would still pass a grey test).
    const gfx::Matrix view = gfx::matrixLookAtLH({0, 2, -7}, {0, 2, 0}, {0, 1, 0});
    Material material{};
    material.diffuse = {1, 1, 1, 1};
    const gfx::Vec3 centre =
        gfx::transformPoint({-2, 1.5f, 6}, gfx::matrixMultiply(view, gfx::matrixPerspectiveFovLH(
                                                                      0.7853982f, 1, 1, 100)));
    const int x = int((centre.x / 13.0f + 1) * 400), y = int((1 - centre.y / 13.0f) * 300);
    for (const uint32_t argb : {0xFFFF0000u, 0xFF0000FFu}) {
        SCOPED_TRACE(argb);
        gfx::MeshData tinted = square(0.3f, {0.7f, -0.1f, -0.7f});
        tinted.hasColors = true;
        for (gfx::Vertex& v : tinted.vertices) v.colorArgb = argb;
        const MeshHandle mesh = device().createMesh(tinted);
        device().beginFrame();
        device().setTransform(TransformKind::View, view);
        device().setMaterial(material);
        device().setTransform(TransformKind::World, gfx::matrixTranslation(-2, 1.5f, 6));
        device().drawSubset(mesh, 0);
        const Rgba p = pixel(frame(), x, y);
        const bool red = argb == 0xFFFF0000u;
        EXPECT_GT(red ? p[0] : p[2], 150);
        EXPECT_EQ(red ? p[2] : p[0], 0);
        EXPECT_EQ(p[1], 0);
    }
}

TEST_F(GlDeviceTest, ContextIsTheKindAskedFor) {
    // DARTS_GL=es makes every test here run on OpenGL ES 3.0; without it, OpenGL 3.3 core.
    const char* wanted = std::getenv("DARTS_GL");
    const bool es = wanted != nullptr && std::string(wanted) == "es";
    EXPECT_EQ(epoxy_is_desktop_gl(), !es);
    EXPECT_GE(epoxy_gl_version(), es ? 30 : 33);
}

TEST_F(GlDeviceTest, BadResourcesAreRefusedAndBadDrawsDrawNothing) {
    EXPECT_EQ(device().createTexture(gfx::Image{}), 0u);
    gfx::Image shortImage = solidImage(4, 4, {1, 2, 3, 4});
    shortImage.rgba.resize(10);
    EXPECT_EQ(device().createTexture(shortImage), 0u);
    gfx::MeshData outOfRange = square(1, {0, 0, -1});
    outOfRange.indices[4] = 4;
    EXPECT_EQ(device().createMesh(outOfRange), 0u);
    gfx::MeshData subsetPastEnd = square(1, {0, 0, -1});
    subsetPastEnd.subsets = {{3, 6}};
    EXPECT_EQ(device().createMesh(subsetPastEnd), 0u);

    const MeshHandle mesh = device().createMesh(square(1, {0, 0, -1}));
    device().setMaterial(emissiveMaterial(1, 1, 1));
    device().setTransform(TransformKind::World, gfx::matrixTranslation(0, 0, 5));
    device().setTexture(9999);  // never issued: drawn untextured
    device().drawSubset(mesh, 1);
    device().drawSubset(mesh, -1);
    device().drawSubset(mesh + 100, 0);
    const ScreenVertex two[2] = {{0, 0, 0, 1, 0xFFFFFFFF, 0, 0},
                                 {800, 600, 0, 1, 0xFFFFFFFF, 1, 1}};
    device().drawScreenFan(two);
    const gfx::Image image = frame();
    EXPECT_EQ(std::count(image.rgba.begin(), image.rgba.end(), 0), 800 * 600 * 3);
    device().drawSubset(mesh, 0);
    expectNear(pixel(frame(), 400, 300), {255, 255, 255, 255}, 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// Box glyphs of known size and placement.
class BoxFont : public gfx::Font {
  public:
    BoxFont() {
        box('A', 3, 4, 1, 2, 5, 255);
        box('B', 2, 2, 0, 0, 4, 128);
        box(' ', 0, 0, 0, 0, 5, 0);
    }
    const gfx::GlyphImage& glyph(char32_t c) override {
        auto found = glyphs_.find(c);
        return found != glyphs_.end() ? found->second : glyphs_[U' '];
    }
    int cellHeight() const override { return 10; }

  private:
    void box(char32_t c, int w, int h, int left, int top, int advance, unsigned char value) {
        gfx::GlyphImage& g = glyphs_[c];
        g = {w, h, left, top, advance, std::vector<unsigned char>(size_t(w) * h, value)};
    }
    std::unordered_map<char32_t, gfx::GlyphImage> glyphs_;
};

TEST_F(GlDeviceTest, TextGlyphsLandWhereTheirMetricsPutThemAndNowhereElse) {
    const FontHandle font = device().addFont(std::make_unique<BoxFont>());
    ASSERT_NE(font, 0u);
    device().drawText(font, "AB A\nA", 100, 50, 0xFFFFFFFF);
    const gfx::Image image = frame();
    std::vector<std::array<int, 3>> expected;  // x, y, grey
    auto addBox = [&](int x, int y, int w, int h, int grey) {
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i) expected.push_back({x + i, y + j, grey});
    };
    addBox(101, 52, 3, 4, 255);  // A: pen 100, left 1, top 2
    addBox(105, 50, 2, 2, 128);  // B: pen 105
    addBox(115, 52, 3, 4, 255);  // A after a space: pen 114
    addBox(101, 62, 3, 4, 255);  // next line, one cell lower
    int wrong = 0;
    for (int y = 40; y < 80; ++y) {
        for (int x = 90; x < 130; ++x) {
            int grey = 0;
            for (const auto& e : expected) {
                if (e[0] == x && e[1] == y) grey = e[2];
            }
            const Rgba p = pixel(image, x, y);
            wrong += std::abs(p[0] - grey) > 1 || std::abs(p[2] - grey) > 1;
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(GlDeviceTest, TextColourAlphaScalesCoverageAndTextIgnoresDepth) {
    const FontHandle font = device().addFont(std::make_unique<BoxFont>());
    fillRect(0, 0, 100, 100, 0xFF000000, 0.0f);  // nearest depth possible
    device().drawText(font, "A", 10, 10, 0x80FF0000);
    expectNear(pixel(frame(), 12, 13), {128, 0, 0, 255}, 1);
    device().drawText(0, "A", 20, 10, 0xFFFFFFFF);  // no font: nothing
    expectNear(pixel(frame(), 22, 13), {0, 0, 0, 255}, 0);
}

TEST_F(GlDeviceTest, GameFontDrawsInsideItsLine) {
    const FontHandle small = device().createFont(12, 14);
    if (small == 0) GTEST_SKIP() << "no Japanese face installed";
    device().drawText(small, "301", 200, 100, 0xFFFFFFFF);
    const gfx::Image image = frame();
    int inside = 0, outside = 0;
    for (int y = 80; y < 140; ++y) {
        for (int x = 180; x < 320; ++x) {
            const bool lit = pixel(image, x, y)[0] > 0;
            const bool inLine = x >= 200 && x < 200 + 3 * 16 && y >= 100 && y < 100 + 14;
            inside += lit && inLine;
            outside += lit && !inLine;
        }
    }
    EXPECT_GT(inside, 20);
    EXPECT_EQ(outside, 0);
}

TEST_F(GlDeviceTest, ScreenshotOfTheFrameRoundTripsThroughPng) {
    fillRect(0, 0, 400, 300, 0xFF336699);
    const gfx::Image image = frame();
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("darts-shot-" + std::to_string(getpid()) + ".png");
    ASSERT_TRUE(gfx::writePng(file, image));
    std::ifstream in(file, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    std::filesystem::remove(file);
    const auto decoded = gfx::decodePng(bytes);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->rgba, image.rgba);
    expectNear(pixel(*decoded, 10, 10), {0x33, 0x66, 0x99, 255}, 0);
}

TEST(GlDevicePresenting, TheFrameIsScaledToTheWindowsPicture) {
    // A presenter that reports a 400 x 300 picture and reads the window's back buffer instead of
    // showing it.
    std::vector<uint8_t> shown(size_t(kFrameWidth) * kFrameHeight * 4);
    GlPresenter presenter;
    presenter.drawableSize = [] { return PixelSize{400, 300}; };
    presenter.present = [&shown] {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kFrameWidth, kFrameHeight, GL_RGBA, GL_UNSIGNED_BYTE, shown.data());
    };
    GlDeviceResult target = testing::openGlTestDevice(presenter);
    if (!target.device) GTEST_SKIP() << "no OpenGL device: " << target.error;
    target.device->beginFrame();
    const ScreenVertex quarter[4] = {{0, 0, 0.1f, 1, 0xFFFFFFFF, 0, 0},
                                     {400, 0, 0.1f, 1, 0xFFFFFFFF, 1, 0},
                                     {400, 300, 0.1f, 1, 0xFFFFFFFF, 1, 1},
                                     {0, 300, 0.1f, 1, 0xFFFFFFFF, 0, 1}};
    target.device->drawScreenFan(quarter);
    target.device->endFrame();
    // GL rows run bottom up: the 400 x 300 picture fills rows 0..299, its top-left quarter
    // (the white quad) columns 0..199 of rows 150..299.
    auto at = [&](int x, int glRow) { return int(shown[(size_t(glRow) * kFrameWidth + x) * 4]); };
    EXPECT_EQ(at(100, 250), 255);
    EXPECT_EQ(at(300, 250), 0);
    EXPECT_EQ(at(100, 100), 0);
    // The device's own frame keeps its full size.
    const gfx::Image frameImage = *target.device->readFrame();
    EXPECT_EQ(pixel(frameImage, 399, 299)[0], 255);
    EXPECT_EQ(pixel(frameImage, 400, 300)[0], 0);
}

}  // namespace
}  // namespace darts::render
