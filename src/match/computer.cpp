#include "match/computer.h"

#include <cmath>

#include "match/shot_table.h"
#include "match/throw_input.h"
#include "match/truncate.h"

namespace darts {
namespace {

constexpr int kShotTableCount = 20;
constexpr double kReleaseCentre = 0.012;
constexpr double kReleaseStep = 0.01;
constexpr double kReleaseTolerance = 0.00701;
constexpr double kGaugeTolerance = 0.002;
constexpr double kAimTolerance = 0.0008;

int scaledAim(float value) { return truncateToInt(value * 100000.0); }

}  // namespace

void computerShotTargets(GameState& state, ComputerBrain& brain) {
    const PlayerSlot& side = currentSide(state);
    brain.gaugeTarget = static_cast<float>(
        (randomInRange(state, 0, 2 * side.gaugeSkill) - side.gaugeSkill) * kGaugeStep);
    if (side.scoreLeft <= kShotTableCount) {
        Shot shot = readShot(side.scoreLeft);
        brain.releaseTarget = shot.releaseAngle;
        brain.aimTarget = shot.aimYaw;
        return;
    }
    double release =
        (randomInRange(state, 0, 2 * side.releaseSkill) - side.releaseSkill) * kReleaseStep +
        kReleaseCentre;
    // Below 0 lies in the wrapped forward part of the swing.
    if (release < 0) release += 12.56;
    brain.releaseTarget = static_cast<float>(release);
}

void computerDecisions(GameState& state, ComputerBrain& brain) {
    if (state.aimYaw != brain.aimTarget) {
        // Both steps may happen in one frame, which leaves the aim where it was.
        if (scaledAim(state.aimYaw) < scaledAim(brain.aimTarget)) {
            state.aimYaw = static_cast<float>(state.aimYaw + kAimStep);
        }
        if (scaledAim(state.aimYaw) > scaledAim(brain.aimTarget)) {
            state.aimYaw = static_cast<float>(state.aimYaw - kAimStep);
        }
    }
    if (std::fabs(static_cast<double>(state.aimYaw) - brain.aimTarget) < kAimTolerance) {
        brain.aimReached = true;
    }
    if (brain.aimReached && state.swingDirection == 1) {
        if (std::fabs(static_cast<double>(state.gaugeValue) - brain.gaugeTarget) <
            kGaugeTolerance) {
            state.throwStage = ThrowStage::Swinging;
            return;
        }
    }
    if (state.throwStage == ThrowStage::Swinging && state.swingDirection == 2 &&
        std::fabs(static_cast<double>(state.swingAngle) - brain.releaseTarget) <
            kReleaseTolerance) {
        state.throwStage = ThrowStage::Released;
        state.dartState = DartState::Thrown;
    }
}

}  // namespace darts
