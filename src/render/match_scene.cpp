#include "render/match_scene.h"

#include <cmath>

#include "match/flight.h"
#include "render/award_overlay.h"
#include "render/bar_overlays.h"
#include "render/bar_scoreboard.h"
#include "render/hud.h"

namespace darts::render {
namespace {

using gfx::Matrix;
using gfx::Vec3;

void place(GameState& state, Device& device, PlaceMode mode, int index) {
    device.setTransform(TransformKind::World, placeObject(state, mode, index));
}

// Moves a float a fixed single-precision step towards a limit, added wider and stored back as a
// float. The step must stay a float: the double 0.08 is another number and gives another eye
// height for some dart heights.
float stepped(float value, float step) {
    return static_cast<float>(static_cast<double>(value) + static_cast<double>(step));
}

}  // namespace

void setMatchCamera(GameState& state, Device& device) {
    const Matrix world = gfx::matrixTranslation(0.0f, 0.0f, 0.0f);
    const Vec3 up = {0.0f, 1.0f, 0.0f};

    // The aiming view: 7 units behind the thrower, opposite the aim.
    state.orbitEyeX = static_cast<float>(7.0 * std::cos(state.aimYaw - 4.712389));
    state.orbitEyeZ = static_cast<float>(7.0 * std::sin(state.aimYaw + 4.712389));
    Matrix view = gfx::matrixLookAtLH({state.orbitEyeX, 2.0f, state.orbitEyeZ},
                                      {state.handOffsetX, 2.0f, state.handOffsetZ}, up);

    if (state.dartState == DartState::Thrown && sideToThrow(state)) {
        const DartBody& dart = dartInPlay(state);
        const Vec3 target = {dart.x, dart.y, dart.z};
        if (dart.z > 5.0f) {
            // The flight camera stands to the right of the throwing line.
            view = gfx::matrixLookAtLH({4.0f, 2.0f, 6.0f}, target, up);
        }
        if (dart.z > 5.0f && dart.z > kBoardPlaneZ) {
            // The landing camera glides in towards the board and settles near the dart's height.
            Vec3f& eye = state.followEye;
            if (eye.z < 12.0f) eye.z = stepped(eye.z, 0.08f);
            if (eye.x > 1.5f) eye.x = stepped(eye.x, -0.08f);
            if (eye.y < dart.y) eye.y = stepped(eye.y, 0.08f);
            if (eye.y > dart.y) eye.y = stepped(eye.y, -0.08f);
            view = gfx::matrixLookAtLH({eye.x, eye.y, eye.z}, target, up);
        }
    }

    device.setTransform(TransformKind::World, world);
    device.setTransform(TransformKind::View, view);
    device.setTransform(TransformKind::Projection, matchProjection());
}

gfx::Matrix matchProjection() {
    // A square aspect on the 800 x 600 screen: the picture is stretched sideways.
    return gfx::matrixPerspectiveFovLH(0.7853982f, 1.0f, 1.0f, 100.0f);
}

void drawMeshAsset(Device& device, const MeshAsset& model) {
    for (size_t i = 0; i < model.materials.size(); ++i) {
        device.setMaterial(model.materials[i]);
        device.setTexture(i < model.textures.size() ? model.textures[i] : 0);
        device.drawSubset(model.mesh, static_cast<int>(i));
    }
}

void renderMatchFrame(GameState& state, Device& device, const games::BarBoardView* bar) {
    device.beginFrame();
    setMatchCamera(state, device);

    place(state, device, PlaceMode::Room, 0);
    drawMeshAsset(device, state.roomModel);
    if (sideToThrow(state)) {
        for (int i = 0; i < currentSide(state).dartsThrown && i < 3; ++i) {
            place(state, device, PlaceMode::FinishedDart, i);
            drawMeshAsset(device, state.dartModel);
        }
    }
    place(state, device, PlaceMode::Board, 0);
    drawMeshAsset(device, state.boardModel);

    BarFonts barFonts{state.barBodyFont, state.barBigFont};
    if (bar != nullptr && barFonts.body == 0) {
        barFonts = createBarFonts(device);
        state.barBodyFont = barFonts.body;
        state.barBigFont = barFonts.big;
    }
    if (bar == nullptr) {
        drawScorePanel(state, device);
        drawShotPanel(state, device);
        drawPortrait(state, device);
    } else {
        drawBarScoreboard(state, *bar, device, barFonts);
        drawShotPanel(state, device);
    }

    // No "else": when the hand releases the dart by itself, the dart-in-play placement of the
    // hand branch is already a flight step and the thrown branch runs a second one, so the dart
    // advances two steps in the release frame and is drawn twice.
    if (state.dartState == DartState::InHand) {
        place(state, device, PlaceMode::Hand, 0);
        drawMeshAsset(device, state.handModel);
        place(state, device, PlaceMode::DartInPlay, 0);
        drawMeshAsset(device, state.dartModel);
        drawAimOverlays(state, device);
    }
    if (state.dartState == DartState::Thrown) {
        place(state, device, PlaceMode::DartInPlay, 0);
        drawMeshAsset(device, state.dartModel);
        drawHitTexts(state, device);
        if (state.awardsOn != 0) drawAwardOverlay(state, device);
    }
    if (bar != nullptr) drawBarPause(state, *bar, device, barFonts);

    device.endFrame();
    state.framesDrawn += 1;
}

}  // namespace darts::render
