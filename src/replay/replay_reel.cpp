#include "replay/replay_reel.h"

#include <algorithm>

#include "match/flight.h"

namespace darts {
namespace {

// Beside the board, a little above the bull and in front of the board's face, looking back along
// the throwing line: the dart comes at the camera and passes it into the board.
constexpr gfx::Vec3 kEye = {1.6f, 2.5f, 12.4f};
constexpr gfx::Vec3 kBoardCentre = {0.05f, 2.0f, 14.0f};
// How much of the way from the dart to the board the camera looks: the board stays in the picture
// while the dart is far.
constexpr float kTowardsBoard = 0.45f;

float mix(float a, float b, float t) { return a + (b - a) * t; }

render::ReplayDart dartAt(const FlightFrame& at, bool inPlay) {
    render::ReplayDart dart;
    dart.body = {at.at.x, at.at.y, at.at.z, 0.0f, 0.0f, 0.0f};
    dart.aimYaw = at.aimYaw;
    dart.inPlay = inPlay;
    return dart;
}

int flightFrames(const RecordedFlight& flight) {
    return static_cast<int>(flight.path.size() - 1) * kReplaySlowdown + kReplayPause;
}

}  // namespace

ReplayReel::ReplayReel(const std::array<RecordedFlight, 3>& darts) {
    int next = kReplayLeadIn;
    for (const RecordedFlight& flight : darts) {
        if (flight.path.empty()) break;
        flights_.push_back(flight);
        firstFrames_.push_back(next);
        next += flightFrames(flight);
    }
    frames_ = flights_.empty() ? 0 : next;
}

ReplayReel::Frame ReplayReel::frame(int frame) const {
    Frame shot;
    shot.eye = kEye;
    shot.target = kBoardCentre;
    if (flights_.empty()) return shot;
    frame = std::clamp(frame, 0, frames_ - 1);
    // The dart flying (or the last to have landed); during the lead-in, the first in its hand.
    size_t flying = 0;
    while (flying + 1 < flights_.size() && frame >= firstFrames_[flying + 1]) ++flying;
    for (size_t i = 0; i < flying; ++i) shot.darts.push_back(dartAt(flights_[i].path.back(), false));

    const std::vector<FlightFrame>& path = flights_[flying].path;
    const int into = std::max(0, frame - firstFrames_[flying]);
    const size_t step = static_cast<size_t>(into / kReplaySlowdown);
    FlightFrame at = path.back();
    if (step + 1 < path.size()) {
        const float t = static_cast<float>(into % kReplaySlowdown) / kReplaySlowdown;
        const FlightFrame& from = path[step];
        const FlightFrame& to = path[step + 1];
        at = {{mix(from.at.x, to.at.x, t), mix(from.at.y, to.at.y, t), mix(from.at.z, to.at.z, t)},
              t < 0.5f ? from.aimYaw : to.aimYaw};
    }
    shot.darts.push_back(dartAt(at, true));
    shot.target = {mix(at.at.x, kBoardCentre.x, kTowardsBoard),
                   mix(at.at.y, kBoardCentre.y, kTowardsBoard),
                   mix(at.at.z, kBoardCentre.z, kTowardsBoard)};
    return shot;
}

}  // namespace darts
