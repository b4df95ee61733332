#include "match/computer.h"

#include <cmath>
#include <numbers>

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

// A fifth of the walk's resolution past a point of the aim grid: scaledAim truncates, and a walk
// that arrives a rounding error below or above a grid point must settle on it, not a step short.
constexpr double kAimNudge = 0.000002;

// Evenly within +-spread, in thousandths.
double drawWithin(GameState& state, double spread) {
    return (randomInRange(state, 0, 2000) - 1000) * 0.001 * spread;
}

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

void computerAimedFrame(GameState& state, ComputerBrain& brain, const ThrowAim& aim,
                        double gaugeSpread, double releaseSpread) {
    brain.gaugeTarget = static_cast<float>(aim.gauge + drawWithin(state, gaugeSpread));
    // The offset is taken on the arm's true angle: below 0 the swing keeps 12.56, a little less
    // than 4 pi, minus the distance below 0. The target is put in the representation the swing is
    // in this frame, so that a target near 0 is met on either side of the wrap alike (put once in
    // the other, one drawn below 0 would let the last angle above 0 pass, and one drawn above 0
    // the first below, and the hand would let the dart go by itself at the end of the swing).
    constexpr double kFourPi = 4 * std::numbers::pi;
    const double angle =
        aim.releaseAngle > kSwingWrap / 2 ? aim.releaseAngle - kFourPi : aim.releaseAngle;
    double release = angle + drawWithin(state, releaseSpread);
    if (state.swingWrapped == 1) release += kFourPi;
    brain.releaseTarget = static_cast<float>(release);
    brain.aimTarget = static_cast<float>(aim.aimYaw + kAimNudge);
    // Every dart waits for its own aim.
    if (state.throwStage == ThrowStage::Aiming) brain.aimReached = false;
    computerDecisions(state, brain);
}

}  // namespace darts
