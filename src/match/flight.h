// Placing the objects of the match scene, and the dart's flight: while held, the dart follows the
// arm, the aim and the gauge; once released it flies one step per frame under drag and gravity
// until it passes the board plane, where it stops, is scored and, 170 frames later, finished. A
// dart that falls short of the board (its height down to -10) stops where it is and counts as a
// miss.
#pragma once

#include "core/game_state.h"
#include "gfx/matrix.h"

namespace darts {

enum class PlaceMode : int {
    DartInPlay = 10,
    Hand = 20,
    Room = 100,
    Board = 200,
    FinishedDart = 300,
};

// World units: +z from the thrower to the board, +y up.
constexpr double kBoardPlaneZ = 13.97;  // a dart past this depth has arrived
constexpr float kStuckDartZ = 13.98f;   // where an arrived dart stops, in front of the board face
constexpr double kLowestFlightY = -10.0;

// Computes the world matrix of one object of the scene. The hand mode first runs the hand step;
// the dart-in-play mode places the held dart or moves the flying one a step (scoring it on
// arrival and finishing it when its landing display is over).
gfx::Matrix placeObject(GameState& state, PlaceMode mode, int index);

// The places of the room and the board, which never move (what placeObject gives for them).
gfx::Matrix roomPlacement();
gfx::Matrix boardPlacement();

// A dart where it flies (turned by the aim, never pitched) and where it sits once finished (not
// turned at all), as the match draws them.
gfx::Matrix flyingDartPlacement(const DartBody& dart, float aimYaw);
gfx::Matrix finishedDartPlacement(const DartBody& dart);

// The arm's rotation: by `angle` about the horizontal axis across the aim direction `yaw`.
gfx::Matrix armRotation(float yaw, float angle);

// One step of drag (along the direction of motion, horizontal parts only) and gravity.
void applyDragAndGravity(DartBody& dart, float factor);

float vectorLength(float x, float y, float z);

inline bool dartHasReachedBoard(const DartBody& dart) { return dart.z > kBoardPlaneZ; }

// A dart that has fallen to the lowest flying height without reaching the board plane no longer
// moves: it can never arrive, so it counts as a miss where it stands. Written as the negation of
// the flight test, so that a position that is no number stops the dart too.
inline bool dartHasStopped(const DartBody& dart) {
    return !(dart.y > kLowestFlightY) && !dartHasReachedBoard(dart);
}

// The dart of the side to throw that is in play (held, flying or sitting in the board).
inline DartBody& dartInPlay(GameState& state) {
    return state.darts[currentSide(state).dartsThrown];
}

// Where the held dart is and how fast it will leave, from the arm, the aim and the gauge.
void placeDartInHand(DartBody& dart, float swingAngle, float aimYaw, float gaugeValue);

}  // namespace darts
