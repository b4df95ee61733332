#include "match/aim_solver.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

#include "core/game_state.h"
#include "match/throw_input.h"
#include "match/throw_simulation.h"

namespace darts {
namespace {

// The slow speed of the swing while aiming and on the backswing of an armed throw.
constexpr float kBackswingSpeed = 0.007f;
// No release lands further than this from the point it can reach best: the ladder of releases is
// about 0.08 apart in height and the aim's steps about 0.01 apart sideways.
constexpr double kFarthestLanding = 0.06;
constexpr int kAimStepsLimit = static_cast<int>(kAimLimit / kAimStep);

struct Landing {
    double x = 0;
    double y = 0;
};

std::optional<Landing> landingAt(float release, int aimSteps) {
    auto landing = simulateThrow(release, static_cast<float>(aimSteps * kAimStep), 0.0f, 1);
    if (!landing) return std::nullopt;
    return Landing{landing->x, landing->y};
}

double distanceSquared(const Landing& landing, BoardPoint point) {
    double dx = landing.x - point.x;
    double dy = landing.y - point.y;
    return dx * dx + dy * dy;
}

std::vector<float> forwardSwingLadder() {
    // The backswing of an armed throw starts from the wrap at exactly 0 (only a match's very
    // first swing starts elsewhere) and turns at the first slow step past the top.
    auto state = std::make_unique<GameState>();
    state->throwStage = ThrowStage::Swinging;
    state->swingDirection = 1;
    state->swingAngle = 0.0f;
    state->swingWrapped = 0;
    state->swingSpeed = kBackswingSpeed;
    while (state->swingDirection == 1) handStep(*state);
    std::vector<float> angles;
    // The computer looks at the angle between frames; the hand lets go by itself at the end.
    while (state->throwStage == ThrowStage::Swinging) {
        angles.push_back(state->swingAngle);
        handStep(*state);
    }
    return angles;
}

std::optional<ThrowAim> solve(BoardPoint point) {
    const std::vector<float>& releases = computerReleaseAngles();
    // Height comes from the release and hardly from the aim: rank the releases straight ahead.
    std::vector<std::pair<double, float>> byHeight;
    for (float release : releases) {
        auto landing = landingAt(release, 0);
        if (landing) byHeight.emplace_back(std::fabs(landing->y - point.y), release);
    }
    if (byHeight.empty()) return std::nullopt;
    std::sort(byHeight.begin(), byHeight.end());

    // Sideways the landing moves almost linearly with the aim: a few secant steps on it.
    const float middle = byHeight.front().second;
    auto sideways = [&](double yaw) -> std::optional<double> {
        auto landing = simulateThrow(middle, static_cast<float>(yaw), 0.0f, 1);
        if (!landing) return std::nullopt;
        return landing->x - point.x;
    };
    double yaw0 = 0;
    double yaw1 = 0.01;
    auto miss0 = sideways(yaw0);
    auto miss1 = sideways(yaw1);
    for (int i = 0; i < 4 && miss0 && miss1 && *miss1 != *miss0; ++i) {
        double next = yaw1 - *miss1 * (yaw1 - yaw0) / (*miss1 - *miss0);
        next = std::clamp(next, -kAimLimit, kAimLimit);
        yaw0 = yaw1;
        miss0 = miss1;
        yaw1 = next;
        miss1 = sideways(yaw1);
        if (miss1 && std::fabs(*miss1) < 1e-4) break;
    }
    const int aimSteps = std::clamp(static_cast<int>(std::lround(yaw1 / kAimStep)),
                                    -kAimStepsLimit, kAimStepsLimit);

    // The nearest of the few best heights at the aims around it.
    std::optional<ThrowAim> best;
    double bestDistance = kFarthestLanding * kFarthestLanding;
    const size_t heights = std::min<size_t>(3, byHeight.size());
    for (size_t h = 0; h < heights; ++h) {
        for (int a = std::max(aimSteps - 1, -kAimStepsLimit);
             a <= std::min(aimSteps + 1, kAimStepsLimit); ++a) {
            auto landing = landingAt(byHeight[h].second, a);
            if (!landing) continue;
            double distance = distanceSquared(*landing, point);
            if (distance < bestDistance) {
                bestDistance = distance;
                best = ThrowAim{byHeight[h].second, static_cast<float>(a * kAimStep), 0.0f};
            }
        }
    }
    return best;
}

}  // namespace

double toSwingAngle(double signedAngle) {
    return signedAngle < 0 ? 12.56 + signedAngle : signedAngle;
}

const std::vector<float>& computerReleaseAngles() {
    static const std::vector<float> angles = forwardSwingLadder();
    return angles;
}

std::optional<ThrowAim> solveAim(BoardPoint point) {
    // A headless match asks for the same few bed centres thousands of times.
    static std::mutex mutex;
    static std::map<std::pair<double, double>, std::optional<ThrowAim>> solved;
    const std::pair<double, double> key{point.x, point.y};
    {
        std::lock_guard<std::mutex> lock(mutex);
        auto it = solved.find(key);
        if (it != solved.end()) return it->second;
    }
    std::optional<ThrowAim> aim = solve(point);
    std::lock_guard<std::mutex> lock(mutex);
    solved.emplace(key, aim);
    return aim;
}

}  // namespace darts
