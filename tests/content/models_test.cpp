// The shipped models, read with the game's own loaders: they load with normals, materials and
// textures that exist; the board shows exactly what the scoring counts; the dart sticks in the
// board face and sits in the hand; the room leaves every camera of the match a view of the board.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "core/game_path.h"
#include "gfx/image.h"
#include "gfx/matrix.h"
#include "match/flight.h"
#include "match/scoring.h"
#include "render/mesh_loading.h"

namespace darts {
namespace {

using gfx::Matrix;
using gfx::MeshData;
using gfx::Vec3;

// Where the scene places the models (world units).
const Matrix kRoomPlacement = gfx::matrixTranslation(-2.0f, 0.0f, 9.0f);
const Matrix kBoardPlacement = gfx::matrixTranslation(0.05f, 2.0f, 14.22f);
// At rest (aim 0, swing 0) the hand stands 0.2 ahead of the origin and the held dart at
// (0, 1.85, 0).
const Matrix kHandAtRest = gfx::matrixTranslation(0.0f, 0.0f, 0.2f);
const Matrix kDartInHand = gfx::matrixTranslation(0.0f, 1.85f, 0.0f);

struct Model {
    const char* path;
    render::TexturePathRule rule;
};
const Model kModels[] = {
    {"data\\hand.x", render::TexturePathRule::NameUnchanged},
    {"data\\room.x", render::TexturePathRule::InDataFolder},
    {"data\\Board.x", render::TexturePathRule::InDataFolder},
    {"data\\darts.x", render::TexturePathRule::NameUnchanged},
};

std::optional<render::LoadedModel> load(const Model& model) {
    render::MeshLoadResult result = render::loadMeshAsset(model.path, model.rule);
    if (!result.model) ADD_FAILURE() << model.path << ": " << result.error;
    return result.model;
}

struct Triangle {
    Vec3 corner[3];
    uint32_t material;
};

// Every triangle of a mesh in world space, with the material (subset) that draws it.
std::vector<Triangle> worldTriangles(const MeshData& mesh, const Matrix& placement) {
    std::vector<Triangle> out;
    for (uint32_t s = 0; s < mesh.subsets.size(); ++s) {
        const gfx::Subset& subset = mesh.subsets[s];
        for (uint32_t i = subset.firstIndex; i + 3 <= subset.firstIndex + subset.indexCount;
             i += 3) {
            Triangle t{};
            for (int k = 0; k < 3; ++k) {
                t.corner[k] =
                    gfx::transformPoint(mesh.vertices[mesh.indices[i + k]].position, placement);
            }
            t.material = s;
            out.push_back(t);
        }
    }
    return out;
}

struct Bounds {
    Vec3 low{1e9f, 1e9f, 1e9f}, high{-1e9f, -1e9f, -1e9f};
    void add(Vec3 p) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    }
    bool contains(Vec3 p) const {
        return p.x >= low.x && p.x <= high.x && p.y >= low.y && p.y <= high.y && p.z >= low.z &&
               p.z <= high.z;
    }
};

Bounds boundsOf(const std::vector<Triangle>& triangles) {
    Bounds b;
    for (const Triangle& t : triangles)
        for (const Vec3& p : t.corner) b.add(p);
    return b;
}

// The depth at which a triangle covers (x, y) seen along +z, if it does.
std::optional<float> depthAt(const Triangle& t, float x, float y) {
    const Vec3 &a = t.corner[0], &b = t.corner[1], &c = t.corner[2];
    float area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
    if (area == 0) return std::nullopt;
    float w1 = ((x - a.x) * (c.y - a.y) - (c.x - a.x) * (y - a.y)) / area;
    float w2 = ((b.x - a.x) * (y - a.y) - (x - a.x) * (b.y - a.y)) / area;
    float w0 = 1 - w1 - w2;
    if (w0 < 0 || w1 < 0 || w2 < 0) return std::nullopt;
    return w0 * a.z + w1 * b.z + w2 * c.z;
}

// Where the segment from `from` to `to` first passes through a triangle (0..1 along it).
std::optional<float> segmentHit(const Triangle& t, Vec3 from, Vec3 to) {
    auto sub = [](Vec3 p, Vec3 q) { return Vec3{p.x - q.x, p.y - q.y, p.z - q.z}; };
    auto cross = [](Vec3 p, Vec3 q) {
        return Vec3{p.y * q.z - p.z * q.y, p.z * q.x - p.x * q.z, p.x * q.y - p.y * q.x};
    };
    auto dot = [](Vec3 p, Vec3 q) { return p.x * q.x + p.y * q.y + p.z * q.z; };
    Vec3 direction = sub(to, from);
    Vec3 e1 = sub(t.corner[1], t.corner[0]), e2 = sub(t.corner[2], t.corner[0]);
    Vec3 p = cross(direction, e2);
    float det = dot(e1, p);
    if (std::fabs(det) < 1e-12f) return std::nullopt;
    Vec3 s = sub(from, t.corner[0]);
    float u = dot(s, p) / det;
    if (u < 0 || u > 1) return std::nullopt;
    Vec3 q = cross(s, e1);
    float v = dot(direction, q) / det;
    if (v < 0 || u + v > 1) return std::nullopt;
    float along = dot(e2, q) / det;
    if (along <= 0 || along >= 1) return std::nullopt;
    return along;
}

class ShippedModels : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        hand_ = load(kModels[0]);
        room_ = load(kModels[1]);
        board_ = load(kModels[2]);
        dart_ = load(kModels[3]);
    }
    static void TearDownTestSuite() { hand_ = room_ = board_ = dart_ = std::nullopt; }
    void SetUp() override {
        if (!hand_ || !room_ || !board_ || !dart_) GTEST_SKIP() << "a model did not load";
    }

    static std::optional<render::LoadedModel> hand_, room_, board_, dart_;
};
std::optional<render::LoadedModel> ShippedModels::hand_, ShippedModels::room_,
    ShippedModels::board_, ShippedModels::dart_;

// ---- Loading ----

TEST_F(ShippedModels, EveryModelHasNormalsTextureCoordinatesAndMaterials) {
    for (const auto* model : {&hand_, &room_, &board_, &dart_}) {
        const MeshData& mesh = (*model)->mesh;
        EXPECT_TRUE(mesh.hasNormals);
        EXPECT_TRUE(mesh.hasTexCoords);
        EXPECT_FALSE(mesh.materials.empty());
        EXPECT_EQ(mesh.subsets.size(), mesh.materials.size());
        // Lighting needs unit normals: a zero or stretched normal shows as a black or burnt spot.
        for (const gfx::Vertex& v : mesh.vertices) {
            float length = std::sqrt(v.normal.x * v.normal.x + v.normal.y * v.normal.y +
                                     v.normal.z * v.normal.z);
            ASSERT_NEAR(length, 1.0f, 1e-3f);
        }
        // No material is left fully transparent by mistake (the scene blends by diffuse alpha).
        for (const gfx::XMaterial& m : mesh.materials) EXPECT_GT(m.diffuse.a, 0.5f);
    }
}

TEST_F(ShippedModels, EveryNamedTextureExistsAndDecodesAsPngOrJpeg) {
    bool png = false, jpeg = false;
    for (const auto* model : {&hand_, &room_, &board_, &dart_}) {
        for (const std::string& path : (*model)->asset.textureFiles) {
            if (path.empty()) continue;
            std::string host = gamePathToHost(path);
            auto image = gfx::decodeImageFile(host);
            ASSERT_TRUE(image) << path;
            EXPECT_GT(image->width, 0);
            png = png || host.ends_with(".png");
            jpeg = jpeg || host.ends_with(".jpg");
        }
    }
    EXPECT_TRUE(png);
    EXPECT_TRUE(jpeg);
}

TEST_F(ShippedModels, TheWholeSceneStaysWithinItsTriangleBudget) {
    size_t triangles = 0;
    for (const auto* model : {&hand_, &room_, &board_, &dart_})
        triangles += (*model)->mesh.indices.size() / 3;
    EXPECT_LE(triangles, 20000u);
}

// ---- The board shows what scores ----

enum class FaceColour { Black, Cream, Red, Green, Other };

FaceColour classify(const gfx::XMaterial& m) {
    const gfx::ColorRGBA& d = m.diffuse;
    if (d.r > 0.5f && d.g < 0.3f) return FaceColour::Red;
    if (d.g > 0.3f && d.r < 0.3f) return FaceColour::Green;
    if (d.r > 0.7f && d.g > 0.6f && d.b < 0.8f) return FaceColour::Cream;
    if (d.r < 0.2f && d.g < 0.2f && d.b < 0.2f) return FaceColour::Black;
    return FaceColour::Other;
}

// The scoring's half-sector: 180/3.14 times a ninth per radian, not pi/20.
double halfSector() {
    return 1.0 / (static_cast<double>(57.32484f) * static_cast<double>(0.1111111f));
}

// Black singles with red rings and cream singles with green rings alternate round the board,
// 20 black; outer bull green, inner bull red.
FaceColour expectedColour(float x, float y) {
    static const int kClockwise[20] = {20, 1,  18, 4,  13, 6,  10, 15, 2,  17,
                                       3,  19, 7,  16, 8,  11, 14, 9,  12, 5};
    LandingGeometry landing = landingGeometry(x, y);
    Ring ring = ringOf(landing.radius);
    if (ring == Ring::InnerBull) return FaceColour::Red;
    if (ring == Ring::OuterBull) return FaceColour::Green;
    const int* found = std::find(kClockwise, kClockwise + 20, sectorNumber(landing.sectorIndex));
    bool dark = (found - kClockwise) % 2 == 0;
    if (ring == Ring::Single) return dark ? FaceColour::Black : FaceColour::Cream;
    return dark ? FaceColour::Red : FaceColour::Green;
}

// Whether a board point lies too close to a line where the score changes for the model's
// polygons to be held to it: the rings are polygons with a vertex every degree or so (their
// chords fall inside the circle by a few hundred-thousandths), the sector edges are exact.
bool onScoringEdge(double x, double y) {
    const double edges[] = {kInnerBullEdge, kOuterBullEdge, kTripleInner,
                            kTripleOuter,   kDoubleInner,   kBoardEdge};
    double dx = x - kBoardCentreX, dy = y - kBoardCentreY;
    double r = std::sqrt(dx * dx + dy * dy);
    for (double edge : edges)
        if (std::fabs(r - edge) < 1e-4) return true;
    if (r > kOuterBullEdge) {
        double angle = std::atan2(dx, dy);
        for (int j = -19; j <= 19; j += 2)
            if (r * std::fabs(std::sin(angle - j * halfSector())) < 2e-5) return true;
    }
    return false;
}

// The frontmost board triangle seen by the thrower at (x, y).
const Triangle* frontmost(const std::vector<Triangle>& triangles, float x, float y) {
    const Triangle* best = nullptr;
    float bestDepth = 1e9f;
    for (const Triangle& t : triangles) {
        auto depth = depthAt(t, x, y);
        if (depth && *depth < bestDepth) bestDepth = *depth, best = &t;
    }
    return best;
}

TEST_F(ShippedModels, BoardColoursChangeExactlyWhereTheScoreChanges) {
    std::vector<Triangle> board = worldTriangles(board_->mesh, kBoardPlacement);
    // Points on rings through every band and on rays through every half-sector, plus points
    // hugging each scoring edge from both sides.
    std::vector<std::pair<float, float>> points;
    const double radii[] = {0.005, 0.015, 0.03, 0.05, 0.1,  0.16,  0.22, 0.235,
                            0.25,  0.265, 0.3,  0.36, 0.41, 0.425, 0.44, 0.46};
    for (double r : radii)
        for (int k = 0; k < 120; ++k) {
            double a = 2 * std::numbers::pi * (k + 0.37) / 120;
            points.push_back({static_cast<float>(0.05 + r * std::sin(a)),
                              static_cast<float>(2.0 + r * std::cos(a))});
        }
    const double edges[] = {kInnerBullEdge, kOuterBullEdge, kTripleInner, kTripleOuter,
                            kDoubleInner};
    for (double edge : edges)
        for (double side : {-0.0008, 0.0008})
            for (int k = 0; k < 40; ++k) {
                double a = 2 * std::numbers::pi * (k + 0.5) / 40, r = edge + side;
                points.push_back({static_cast<float>(0.05 + r * std::sin(a)),
                                  static_cast<float>(2.0 + r * std::cos(a))});
            }
    // Close enough to each sector edge that edges at multiples of pi/20 instead would show.
    for (int j = -19; j <= 19; j += 2)
        for (double side : {-0.0005, 0.0005})
            for (double r : {0.1, 0.25, 0.35, 0.44}) {
                double a = j * halfSector() + side;
                points.push_back({static_cast<float>(0.05 + r * std::sin(a)),
                                  static_cast<float>(2.0 + r * std::cos(a))});
            }

    int checked = 0;
    for (auto [x, y] : points) {
        if (onScoringEdge(x, y)) continue;
        const Triangle* t = frontmost(board, x, y);
        ASSERT_NE(t, nullptr) << x << ", " << y;
        FaceColour seen = classify(board_->mesh.materials[t->material]);
        EXPECT_EQ(seen, expectedColour(x, y)) << "at " << x << ", " << y;
        ++checked;
    }
    EXPECT_GT(checked, 2000);
}

TEST_F(ShippedModels, BoardFaceIsOnePlaneJustBehindWhereDartsStop) {
    std::vector<Triangle> board = worldTriangles(board_->mesh, kBoardPlacement);
    // Across the scoring area the frontmost surface is the flat face, nothing stands proud of it.
    float faceZ = *depthAt(*frontmost(board, 0.05f, 2.0f), 0.05f, 2.0f);
    for (int k = 0; k < 64; ++k) {
        double a = 2 * std::numbers::pi * k / 64, r = 0.4676 * (k % 8 + 0.5) / 8;
        float x = static_cast<float>(0.05 + r * std::sin(a)),
              y = static_cast<float>(2 + r * std::cos(a));
        EXPECT_NEAR(*depthAt(*frontmost(board, x, y), x, y), faceZ, 1e-5f);
    }
    EXPECT_GT(faceZ, kStuckDartZ);
    EXPECT_LT(faceZ, kStuckDartZ + 0.05f);
}

// ---- The dart ----

TEST_F(ShippedModels, StuckDartsPointSinksIntoTheFaceButNotThroughTheBoard) {
    std::vector<Triangle> board = worldTriangles(board_->mesh, kBoardPlacement);
    float faceZ = *depthAt(*frontmost(board, 0.05f, 2.0f), 0.05f, 2.0f);
    Bounds dart =
        boundsOf(worldTriangles(dart_->mesh, gfx::matrixTranslation(0.05f, 2.0f, kStuckDartZ)));
    EXPECT_GT(dart.high.z, faceZ + 0.01f);  // the point is in the sisal
    EXPECT_LT(dart.high.z, faceZ + 0.10f);  // and does not come out of the back
    // Everything but the thin point stays in front of the face.
    for (const gfx::Vertex& v : dart_->mesh.vertices) {
        if (v.position.z + kStuckDartZ > faceZ) {
            EXPECT_LT(std::hypot(v.position.x, v.position.y), 0.006f);
        }
    }
    // It points at the board: the point ahead, the flights behind.
    EXPECT_LT(dart.low.z, kStuckDartZ - 0.3f);
}

TEST_F(ShippedModels, HeldDartSitsBetweenThumbAndFingers) {
    std::vector<Triangle> hand = worldTriangles(hand_->mesh, kHandAtRest);
    Bounds handBounds = boundsOf(hand);
    // The middle of the barrel, in the world, while the dart is held at rest.
    Vec3 barrel = gfx::transformPoint({0, 0, -0.12f}, kDartInHand);
    EXPECT_TRUE(handBounds.contains(barrel));
    // Skin touches the barrel from the left (the thumb) and from the right (the fingers).
    bool left = false, right = false;
    for (const gfx::Vertex& v : hand_->mesh.vertices) {
        Vec3 p = gfx::transformPoint(v.position, kHandAtRest);
        float across = std::hypot(p.x - barrel.x, p.y - barrel.y);
        if (std::fabs(p.z - barrel.z) > 0.12f || across > 0.03f) continue;
        if (p.x < barrel.x - 0.01f) left = true;
        if (p.x > barrel.x + 0.01f) right = true;
    }
    EXPECT_TRUE(left);
    EXPECT_TRUE(right);
}

// ---- The room and the cameras ----

struct Camera {
    const char* name;
    Vec3 eye;
};
const Camera kCameras[] = {
    {"aiming", {0.0f, 2.0f, -7.0f}},
    {"aiming left", {-7.0f * std::sin(0.08f), 2.0f, -7.0f * std::cos(0.08f)}},
    {"aiming right", {7.0f * std::sin(0.08f), 2.0f, -7.0f * std::cos(0.08f)}},
    {"flight", {4.0f, 2.0f, 6.0f}},
    {"landing", {1.5f, 2.0f, 12.0f}},
    {"landing, low dart", {1.5f, 1.2f, 12.0f}},
};

TEST_F(ShippedModels, EveryCameraStandsInsideTheRoom) {
    Bounds room = boundsOf(worldTriangles(room_->mesh, kRoomPlacement));
    for (const Camera& camera : kCameras) EXPECT_TRUE(room.contains(camera.eye)) << camera.name;
    // And the board hangs inside it too.
    EXPECT_TRUE(room.contains({0.05f, 2.0f, 14.22f}));
}

TEST_F(ShippedModels, NothingInTheRoomHidesTheBoardFromAnyCamera) {
    std::vector<Triangle> room = worldTriangles(room_->mesh, kRoomPlacement);
    for (const Camera& camera : kCameras) {
        for (int k = 0; k <= 16; ++k) {
            double a = 2 * std::numbers::pi * k / 16, r = k == 16 ? 0.0 : kBoardEdge;
            Vec3 target{static_cast<float>(0.05 + r * std::sin(a)),
                        static_cast<float>(2.0 + r * std::cos(a)), 14.0f};
            for (const Triangle& t : room) {
                ASSERT_FALSE(segmentHit(t, camera.eye, target))
                    << camera.name << " towards " << target.x << ", " << target.y;
            }
        }
    }
}

TEST_F(ShippedModels, HandLeavesMostOfTheBoardInViewWhileAiming) {
    std::vector<Triangle> hand = worldTriangles(hand_->mesh, kHandAtRest);
    std::vector<Triangle> dart = worldTriangles(dart_->mesh, kDartInHand);
    hand.insert(hand.end(), dart.begin(), dart.end());
    const Vec3 eye{0.0f, 2.0f, -7.0f};
    int hidden = 0, total = 0;
    for (int ring = 1; ring <= 6; ++ring) {
        for (int k = 0; k < 24; ++k) {
            double a = 2 * std::numbers::pi * k / 24, r = kBoardEdge * ring / 6;
            Vec3 target{static_cast<float>(0.05 + r * std::sin(a)),
                        static_cast<float>(2.0 + r * std::cos(a)), 14.0f};
            ++total;
            for (const Triangle& t : hand) {
                if (segmentHit(t, eye, target)) {
                    ++hidden;
                    break;
                }
            }
        }
    }
    // The dart is held on the line from the camera to the board's lower half, so some of that
    // is covered; the bull and the top of the board never are.
    EXPECT_LT(hidden, total / 4);
    for (Vec3 target : {Vec3{0.05f, 2.0f, 14.0f}, Vec3{0.05f, 2.44f, 14.0f}}) {
        for (const Triangle& t : hand) ASSERT_FALSE(segmentHit(t, eye, target));
    }
}

}  // namespace
}  // namespace darts
