#include "replay/replay_reel.h"

#include <algorithm>

#include "match/flight.h"

namespace darts {
namespace {

// The camera keeps beside the dart, to its right, a little above and behind it, and stops beside
// the board, in front of its face: a side view of the flight that ends on the dart going in.
constexpr float kSide = 1.8f, kAbove = 0.4f, kBehind = 2.0f;
constexpr float kStopZ = 11.8f;
constexpr gfx::Vec3 kBoardCentre = {0.05f, 2.0f, 14.0f};

gfx::Vec3 eyeFor(const Vec3f& dart) {
    return {kSide, dart.y + kAbove, std::min(dart.z - kBehind, kStopZ)};
}

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
    shot.eye = eyeFor({kBoardCentre.x, kBoardCentre.y, kBoardCentre.z});
    shot.target = kBoardCentre;
    if (flights_.empty()) return shot;
    frame = std::clamp(frame, 0, frames_ - 1);
    // The dart flying (or the last to have landed); during the lead-in, the first in its hand.
    size_t flying = 0;
    while (flying + 1 < flights_.size() && frame >= firstFrames_[flying + 1]) ++flying;
    for (size_t i = 0; i < flying; ++i) {
        shot.darts.push_back(dartAt(flights_[i].path.back(), false));
    }

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
    shot.eye = eyeFor(at.at);
    shot.target = {at.at.x, at.at.y, at.at.z};
    return shot;
}

}  // namespace darts
