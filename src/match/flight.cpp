#include "match/flight.h"

#include <cmath>
#include <limits>

#include "audio/board_hit.h"
#include "match/rules.h"
#include "match/scoring.h"
#include "match/throw_input.h"

namespace darts {
namespace {

using gfx::Matrix;
using gfx::matrixMultiply;
using gfx::matrixRotationAxis;
using gfx::matrixTranslation;

// The arm pivots 30 units below the thrower's origin: the hand sits 30 units from the pivot, the
// held dart 31.85.
constexpr float kArmPivotDrop = -30.0f;
constexpr float kHandLift = 30.0f;
constexpr float kDartLift = 31.85f;
constexpr double kDartRadius = 31.85;
constexpr double kLaunchSpeed = 1.8;
constexpr double kVelocityLag = 0.01;      // the velocity lags the arm by this angle
constexpr double kGaugeTurn = 0.06666667;  // a fifteenth: gauge value to launch direction
constexpr double kStepFactor = 0.3;
constexpr double kDragGravity = 0.000294;

Matrix yawRotation(float yaw) { return matrixRotationAxis({0.0f, 1.0f, 0.0f}, yaw); }

// R x B x A x C: turn to the aim, lift, swing about the arm axis, lower again.
Matrix swungMatrix(const GameState& state, const Matrix& lift, const Matrix& drop) {
    Matrix swing = matrixMultiply(armRotation(state.aimYaw, state.swingAngle), drop);
    return matrixMultiply(yawRotation(state.aimYaw), matrixMultiply(lift, swing));
}

Matrix handMatrix(GameState& state) {
    handStep(state);
    return swungMatrix(state, matrixTranslation(state.handOffsetX, kHandLift, state.handOffsetZ),
                       matrixTranslation(state.handOffsetX, kArmPivotDrop, state.handOffsetZ));
}

void landDart(GameState& state, DartBody& dart) {
    audio::playBoardHit(state);
    dart.z = kStuckDartZ;
    LandingGeometry landing = landingGeometry(dart.x, dart.y);
    int score = scoreHit(state, landing.radius, landing.sectorIndex);
    PlayerSlot& side = currentSide(state);
    side.dartScores[side.dartsThrown] = score;
    side.scoreLeft -= score;
    state.scoresShown += 1;
    if (state.rules) state.rules->dartLanded(state, landing.radius, landing.sectorIndex);
}

// A dart that fell short never struck anything, so there is no board-hit sound; otherwise it is
// an ordinary miss: score 0 with the miss text, counted like any dart thrown.
void missShortDart(GameState& state) {
    constexpr float kNowhere = std::numeric_limits<float>::infinity();
    const int score = scoreHit(state, kNowhere, 0);
    PlayerSlot& side = currentSide(state);
    side.dartScores[side.dartsThrown] = score;
    side.scoreLeft -= score;
    state.scoresShown += 1;
    if (state.rules) state.rules->dartLanded(state, kNowhere, 0);
}

void flightStep(GameState& state) {
    DartBody& dart = dartInPlay(state);
    if (dart.y > kLowestFlightY && dart.z < kBoardPlaneZ) {
        applyDragAndGravity(dart, 1.0f);
        dart.x = static_cast<float>(dart.x + kStepFactor * dart.vx);
        dart.y = static_cast<float>(dart.y + kStepFactor * dart.vy);
        dart.z = static_cast<float>(dart.z + kStepFactor * dart.vz);
    }
    const bool arrived = dartHasReachedBoard(dart);
    if (arrived || dartHasStopped(dart)) {
        if (state.hitTimer == 0) {
            if (arrived) {
                landDart(state, dart);
            } else {
                missShortDart(state);
            }
        }
        state.hitTimer += 1;
        if (state.hitTimer > kLandingDisplayFrames) finishDart(state);
    }
}

Matrix dartInPlayMatrix(GameState& state) {
    if (state.dartState == DartState::InHand) {
        placeDartInHand(dartInPlay(state), state.swingAngle, state.aimYaw, state.gaugeValue);
        return swungMatrix(state, matrixTranslation(0.0f, kDartLift, 0.0f),
                           matrixTranslation(0.0f, kArmPivotDrop, 0.0f));
    }
    if (state.dartState == DartState::Thrown) flightStep(state);
    // After a win the match is over and no side is to throw; the dart just finished stays put.
    const DartBody& dart = sideToThrow(state) ? dartInPlay(state) : state.darts[0];
    return flyingDartPlacement(dart, state.aimYaw);
}

}  // namespace

Matrix armRotation(float yaw, float angle) {
    float axisX = static_cast<float>(std::sin(yaw - 1.5707964));
    float axisZ = static_cast<float>(std::cos(yaw - 1.5707964));
    return matrixRotationAxis({axisX, 0.0f, axisZ}, angle);
}

float vectorLength(float x, float y, float z) {
    return static_cast<float>(std::sqrt(static_cast<double>(x) * x + static_cast<double>(y) * y +
                                        static_cast<double>(z) * z));
}

void applyDragAndGravity(DartBody& dart, float factor) {
    if (dart.vx == 0.0f && dart.vy == 0.0f && dart.vz == 0.0f) return;
    float length = vectorLength(dart.vx, dart.vy, dart.vz);
    // Drag takes its share from the horizontal parts only; gravity takes a constant from vy.
    dart.vx = static_cast<float>(dart.vx - (dart.vx / length) * factor * kDragGravity);
    dart.vz = static_cast<float>(dart.vz - (dart.vz / length) * factor * kDragGravity);
    dart.vy = static_cast<float>(dart.vy - factor * kDragGravity);
}

void placeDartInHand(DartBody& dart, float swingAngle, float aimYaw, float gaugeValue) {
    const double a = swingAngle;
    const double yaw = aimYaw;
    // A point on a circle of radius 31.85 about the pivot (0, -30, 0), in the aim's vertical plane.
    float c = static_cast<float>(std::cos(a - 4.712389) * kDartRadius);
    dart.x = static_cast<float>(c * std::cos(yaw - 1.5707964));
    dart.z = static_cast<float>(c * std::sin(yaw + 1.5707964));
    dart.y = static_cast<float>(std::sin(a + 1.5707964) * kDartRadius + kArmPivotDrop);
    float u = static_cast<float>(-std::sin(a - kVelocityLag - 1.5707963705062866));
    // The gauge turns only the x part of the direction; vz follows the aim alone.
    dart.vx =
        static_cast<float>(kLaunchSpeed * u * std::cos(yaw + kGaugeTurn * gaugeValue - 1.5707964));
    dart.vz = static_cast<float>(kLaunchSpeed * u * std::sin(yaw + 1.5707964));
    dart.vy = static_cast<float>(std::cos(a + 4.712389));
}

Matrix roomPlacement() { return matrixTranslation(-2.0f, 0.0f, 9.0f); }

Matrix boardPlacement() { return matrixTranslation(0.05f, 2.0f, 14.22f); }

Matrix flyingDartPlacement(const DartBody& dart, float aimYaw) {
    // The flying and the stuck dart are turned by the current aim only, never pitched.
    return matrixMultiply(yawRotation(aimYaw), matrixTranslation(dart.x, dart.y, dart.z));
}

Matrix finishedDartPlacement(const DartBody& dart) {
    return matrixTranslation(dart.x, dart.y, dart.z);
}

Matrix placeObject(GameState& state, PlaceMode mode, int index) {
    switch (mode) {
        case PlaceMode::Room:
            return roomPlacement();
        case PlaceMode::Board:
            return boardPlacement();
        case PlaceMode::FinishedDart:
            return finishedDartPlacement(state.darts[index < 0 || index > 2 ? 0 : index]);
        case PlaceMode::Hand:
            return handMatrix(state);
        case PlaceMode::DartInPlay:
            return dartInPlayMatrix(state);
    }
    return gfx::identityMatrix();
}

}  // namespace darts
