// Renders the committed models through the game's own match frame (its cameras, placements and
// lights) with a software device, writes the pictures as PNG files, and checks the board's face
// colours pixel by pixel against the scoring:
//
//   build/tools/content/preview-models OUT_FOLDER      (run from the top of the repository)
//
// Exit status 1 when a model does not load or the board's colours disagree with the scoring.
#include <cmath>
#include <cstdio>
#include <string>

#include "core/game_path.h"
#include "match/flight.h"
#include "match/rules.h"
#include "match/scoring.h"
#include "models_board_layout.h"
#include "models_raster.h"
#include "render/match_scene.h"
#include "render/mesh_loading.h"

namespace {

using namespace darts;
using darts::content::RasterDevice;

struct LoadedScene {
    render::MeshAsset hand, room, board, dart;
    gfx::MeshData boardMesh;
    bool ok = true;
};

render::MeshAsset load(RasterDevice& device, const char* path, render::TexturePathRule rule,
                       bool& ok, gfx::MeshData* keep = nullptr) {
    render::MeshLoadResult result = render::loadMeshAsset(path, rule);
    if (!result.model) {
        std::fprintf(stderr, "%s: %s\n", path, result.error.c_str());
        ok = false;
        return {};
    }
    render::MeshAsset asset = result.model->asset;
    asset.mesh = device.addMesh(result.model->mesh);
    for (size_t i = 0; i < asset.textureFiles.size(); ++i) {
        if (asset.textureFiles[i].empty()) continue;
        auto image = gfx::decodeImageFile(gamePathToHost(asset.textureFiles[i]));
        if (!image) {
            std::fprintf(stderr, "%s: texture %s does not load\n", path,
                         asset.textureFiles[i].c_str());
            ok = false;
            continue;
        }
        asset.textures[i] = device.addTexture(std::move(*image));
    }
    if (keep) *keep = result.model->mesh;
    return asset;
}

void save(const RasterDevice& device, const std::string& folder, const char* name) {
    std::string path = folder + "/" + name;
    if (device.writePng(path)) std::printf("wrote %s\n", path.c_str());
}

void stickFinishedDarts(GameState& state) {
    PlayerSlot& side = currentSide(state);
    side.dartsThrown = 2;
    state.darts[0] = {0.10f, 2.24f, kStuckDartZ, 0, 0, 0};   // treble 20
    state.darts[1] = {-0.16f, 1.86f, kStuckDartZ, 0, 0, 0};  // single 11
}

// The match as the player sees it: aiming (three aims and the top of the backswing), the flight
// camera and the landing camera.
void renderMatch(RasterDevice& device, const LoadedScene& scene, const std::string& folder) {
    GameState state;
    state.handModel = scene.hand;
    state.roomModel = scene.room;
    state.boardModel = scene.board;
    state.dartModel = scene.dart;
    newMatch(state);
    state.inFrontEnd = 0;
    state.dartState = DartState::InHand;
    stickFinishedDarts(state);

    struct Aim {
        float yaw, swing;
        const char* file;
    };
    for (Aim aim : {Aim{0.0f, 0.0f, "aim_centre.png"}, Aim{-0.08f, 0.0f, "aim_left.png"},
                    Aim{0.08f, 0.0f, "aim_right.png"}, Aim{0.0f, 0.17f, "aim_backswing.png"}}) {
        // Two frames: the aiming camera looks at where the previous frame put the hand.
        for (int frame = 0; frame < 2; ++frame) {
            state.aimYaw = aim.yaw;
            state.swingAngle = aim.swing;
            render::renderMatchFrame(state, device);
        }
        save(device, folder, aim.file);
    }

    // The hand and the held dart up close, from the aiming camera's own position.
    state.aimYaw = 0.0f;
    state.swingAngle = 0.0f;
    device.overrideCamera(
        std::pair{gfx::matrixLookAtLH({0.0f, 2.0f, -7.0f}, {0.05f, 1.75f, 0.0f}, {0, 1, 0}),
                  gfx::matrixPerspectiveFovLH(0.09f, 800.0f / 600.0f, 1.0f, 100.0f)});
    render::renderMatchFrame(state, device);
    save(device, folder, "hand_closeup.png");
    device.overrideCamera(
        std::pair{gfx::matrixLookAtLH({1.2f, 2.3f, -1.5f}, {0.05f, 1.8f, 0.0f}, {0, 1, 0}),
                  gfx::matrixPerspectiveFovLH(0.5f, 800.0f / 600.0f, 0.2f, 100.0f)});
    render::renderMatchFrame(state, device);
    save(device, folder, "hand_side.png");
    device.overrideCamera(std::nullopt);

    state.aimYaw = 0.0f;
    state.throwStage = ThrowStage::Released;
    state.dartState = DartState::Thrown;
    placeDartInHand(dartInPlay(state), 0.03f, 0.0f, 0.1f);
    bool flightSaved = false;
    for (int frame = 0; frame < 200; ++frame) {
        render::renderMatchFrame(state, device);
        if (!flightSaved && dartInPlay(state).z > 9.0f) {
            save(device, folder, "flight.png");
            flightSaved = true;
        }
        if (state.hitTimer == 60) {
            save(device, folder, "landing.png");
            break;
        }
    }
}

void drawScene(RasterDevice& device, const LoadedScene& scene, gfx::Vec3 eye, gfx::Vec3 at,
               float fov) {
    device.beginFrame();
    device.setTransform(render::TransformKind::View, gfx::matrixLookAtLH(eye, at, {0, 1, 0}));
    device.setTransform(render::TransformKind::Projection,
                        gfx::matrixPerspectiveFovLH(fov, 800.0f / 600.0f, 0.2f, 100.0f));
    device.setTransform(render::TransformKind::World, gfx::matrixTranslation(-2.0f, 0.0f, 9.0f));
    render::drawMeshAsset(device, scene.room);
    device.setTransform(render::TransformKind::World, gfx::matrixTranslation(0.05f, 2.0f, 14.22f));
    render::drawMeshAsset(device, scene.board);
    device.setTransform(render::TransformKind::World, gfx::matrixTranslation(0.2f, 2.1f, 13.98f));
    render::drawMeshAsset(device, scene.dart);
}

// Colour classes of the board face, from a material's diffuse colour.
enum class FaceColour { Black, Cream, Red, Green, Other };

FaceColour classify(const render::Material& m) {
    const auto& d = m.diffuse;
    if (d.r > 0.5f && d.g < 0.3f) return FaceColour::Red;
    if (d.g > 0.3f && d.r < 0.3f) return FaceColour::Green;
    if (d.r > 0.7f && d.g > 0.6f && d.b < 0.8f) return FaceColour::Cream;
    if (d.r < 0.2f && d.g < 0.2f && d.b < 0.2f) return FaceColour::Black;
    return FaceColour::Other;
}

FaceColour expectedColour(float x, float y) {
    LandingGeometry landing = landingGeometry(x, y);
    Ring ring = ringOf(landing.radius);
    if (ring == Ring::InnerBull) return FaceColour::Red;
    if (ring == Ring::OuterBull) return FaceColour::Green;
    int number = sectorNumber(landing.sectorIndex);
    int position = 0;
    while (content::kSectorNumbers[position] != number) ++position;
    bool dark = position % 2 == 0;
    if (ring == Ring::Single) return dark ? FaceColour::Black : FaceColour::Cream;
    return dark ? FaceColour::Red : FaceColour::Green;
}

// Distance of a board point from the nearest line where the score changes.
double distanceToEdge(double x, double y) {
    double dx = x - kBoardCentreX, dy = y - kBoardCentreY;
    double r = std::sqrt(dx * dx + dy * dy);
    double best = 1e9;
    for (double edge : content::kRingEdges) best = std::min(best, std::fabs(r - edge));
    if (r > content::kRingEdges[1]) {
        double angle = std::atan2(dx, dy);
        double k = content::halfSectorsPerRadian();
        for (int j = -19; j <= 19; j += 2)
            best = std::min(best, r * std::fabs(std::sin(angle - j / k)));
    }
    return best;
}

// Face-on, orthographic, one pixel per millimetre of board: every pixel inside the board edge
// must show the colour its score calls for.
bool checkBoard(const gfx::MeshData& boardMesh, const std::string& folder) {
    const int size = 1000;
    const float unitsPerPixel = 1.0f / size;  // the picture spans one board unit
    RasterDevice device(size, size);
    render::MeshAsset board =
        render::makeMeshAsset(boardMesh, render::TexturePathRule::InDataFolder);
    board.mesh = device.addMesh(boardMesh);
    device.beginFrame();
    device.setTransform(
        render::TransformKind::View,
        gfx::matrixLookAtLH({0.05f, 2.0f, 10.0f}, {0.05f, 2.0f, 14.22f}, {0, 1, 0}));
    gfx::Matrix ortho = gfx::identityMatrix();
    ortho.m[0][0] = 2.0f / (size * unitsPerPixel);
    ortho.m[1][1] = 2.0f / (size * unitsPerPixel);
    ortho.m[2][2] = 1.0f / 10.0f;
    device.setTransform(render::TransformKind::Projection, ortho);
    device.setTransform(render::TransformKind::World, gfx::matrixTranslation(0.05f, 2.0f, 14.22f));
    render::drawMeshAsset(device, board);
    save(device, folder, "board_ortho.png");

    long checked = 0, wrong = 0, wrongAwayFromEdges = 0;
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            float x = 0.05f + (static_cast<float>(px) + 0.5f - size / 2.0f) * unitsPerPixel;
            float y = 2.0f - (static_cast<float>(py) + 0.5f - size / 2.0f) * unitsPerPixel;
            if (ringOf(landingGeometry(x, y).radius) == Ring::Miss) continue;
            uint32_t id = device.drawnBy(px, py);
            FaceColour seen = FaceColour::Other;
            if (id != 0) {
                uint32_t subset = (id - 1) & 0xFFFF;
                if (subset < board.materials.size()) seen = classify(board.materials[subset]);
            }
            ++checked;
            if (seen != expectedColour(x, y)) {
                ++wrong;
                if (distanceToEdge(x, y) > 0.0015) ++wrongAwayFromEdges;
            }
        }
    }
    std::printf("board check: %ld pixels, %ld differ (all within a pixel of a scoring edge: %s)\n",
                checked, wrong, wrongAwayFromEdges == 0 ? "yes" : "NO");
    return wrongAwayFromEdges == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: preview-models OUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    RasterDevice device(800, 600);
    LoadedScene scene;
    scene.hand = load(device, "data\\hand.x", render::TexturePathRule::NameUnchanged, scene.ok);
    scene.room = load(device, "data\\room.x", render::TexturePathRule::InDataFolder, scene.ok);
    scene.board = load(device, "data\\Board.x", render::TexturePathRule::InDataFolder, scene.ok,
                       &scene.boardMesh);
    scene.dart = load(device, "data\\darts.x", render::TexturePathRule::NameUnchanged, scene.ok);
    if (!scene.ok) return 1;

    renderMatch(device, scene, folder);
    drawScene(device, scene, {5.5f, 5.5f, -8.5f}, {-1.0f, 1.0f, 8.0f}, 1.1f);
    save(device, folder, "overview.png");
    drawScene(device, scene, {-5.5f, 4.5f, 1.0f}, {3.0f, 1.0f, 6.0f}, 1.1f);
    save(device, folder, "overview_bar.png");
    drawScene(device, scene, {0.05f, 2.0f, 11.3f}, {0.05f, 2.0f, 14.22f}, 0.7f);
    save(device, folder, "board_face.png");

    return checkBoard(scene.boardMesh, folder) ? 0 : 1;
}
