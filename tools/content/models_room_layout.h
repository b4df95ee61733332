// The darts bar's measurements in world units (the room model is shifted by (-2, 0, 9) when the
// scene places it; these numbers are where things end up).
#pragma once

namespace darts::content {

constexpr float kRoomLeft = -7.5f;
constexpr float kRoomRight = 7.5f;
constexpr float kRoomBack = -10.0f;   // behind the aiming camera at z = -7
constexpr float kRoomFront = 14.35f;  // the wall the board's cabinet hangs on
constexpr float kFloorY = -2.8f;      // the board's centre at eye height, 1.7 m up at this scale
constexpr float kCeilingY = 6.2f;

constexpr float kCounterFrontX = 4.6f;  // the flight camera at x = 4 stands just in front of it
constexpr float kCounterTopY = kFloorY + 3.1f;
constexpr float kCounterNear = -4.0f;
constexpr float kCounterFar = 10.5f;

constexpr float kMatNear = -1.5f;
constexpr float kOcheZ = -0.6f;  // the line at the thrower's front foot

}  // namespace darts::content
