#include "match/throw_input.h"

#include <cmath>

#include "match/rules.h"
#include "match/truncate.h"

namespace darts {
namespace {

void stepGauge(GameState& state) {
    PlayerSlot& side = currentSide(state);
    if (std::fabs(static_cast<double>(side.gaugeTarget) - state.gaugeValue) < 0.002) {
        side.gaugeTarget = static_cast<float>(
            (randomInRange(state, 0, 2 * side.gaugeRange) - side.gaugeRange) * kGaugeStep);
    }
    // Whole hundredths, truncated: the gauge moves every frame, also when it sits on its target.
    int target = truncateToInt(side.gaugeTarget * 100.0);
    int gauge = truncateToInt(state.gaugeValue * 100.0);
    state.gaugeValue =
        static_cast<float>(state.gaugeValue + (target > gauge ? kGaugeStep : -kGaugeStep));
}

void swingBack(GameState& state) {
    state.swingAngle += state.swingSpeed;
    // The top only counts outside the wrapped range, so rising through 12.49..12.56 never turns.
    if (state.swingAngle >= kSwingTop && state.swingWrapped == 0) {
        state.swingDirection = 2;
        if (state.throwStage == ThrowStage::Swinging) state.swingSpeed = kSwingSpeedFast;
    }
    if (state.swingAngle >= kSwingWrap) {
        state.swingAngle = 0;
        state.swingWrapped = 0;
    }
}

void swingForward(GameState& state) {
    state.swingAngle -= state.swingSpeed;
    if (state.swingAngle <= kSwingForwardEnd && state.swingWrapped == 1) {
        // An armed throw that has been through a top leaves the hand by itself.
        if (state.throwStage == ThrowStage::Swinging && state.swingSpeed == kSwingSpeedFast) {
            state.throwStage = ThrowStage::Released;
            state.dartState = DartState::Thrown;
        }
        state.swingDirection = 1;
    }
    if (state.swingAngle <= 0) {
        state.swingWrapped = 1;
        state.swingAngle = kSwingWrap;
    }
}

}  // namespace

void handStep(GameState& state) {
    if (state.throwStage == ThrowStage::Aiming) stepGauge(state);
    state.handOffsetZ = static_cast<float>(std::cos(static_cast<double>(state.aimYaw)) * 0.1);
    state.handOffsetX = static_cast<float>(std::sin(static_cast<double>(state.aimYaw)) * 0.1);
    if (state.swingDirection == 1) {
        swingBack(state);
    } else if (state.swingDirection == 2) {
        swingForward(state);
    }
}

void handleMatchMouse(GameState& state, platform::MouseRecord record, int32_t& buttonHeld) {
    using platform::MouseObject;
    if (record.object == MouseObject::X) {
        // One step per record, however far the mouse moved.
        if (record.data < 0) {
            state.aimYaw = static_cast<float>(state.aimYaw - kAimStep);
            if (state.aimYaw < -kAimLimit) state.aimYaw = static_cast<float>(-kAimLimit);
        } else if (record.data > 0) {
            state.aimYaw = static_cast<float>(state.aimYaw + kAimStep);
            if (state.aimYaw > kAimLimit) state.aimYaw = static_cast<float>(kAimLimit);
        }
        return;
    }
    if (record.object != MouseObject::Button0) return;
    if (record.data == 0) {
        buttonHeld = 0;
        return;
    }
    if ((record.data & platform::kButtonPressed) == 0) return;
    if (buttonHeld == 0) {
        if (state.throwStage == ThrowStage::Aiming) {
            state.throwStage = ThrowStage::Swinging;
            buttonHeld = 1;
        } else if (state.throwStage == ThrowStage::Swinging && state.swingDirection == 2) {
            state.throwStage = ThrowStage::Released;
            state.dartState = DartState::Thrown;
        }
    }
    // A press that reaches a match already over (Escape seen in the same front-end frame) goes
    // back to the front end with a fresh match prepared.
    if (state.matchPhase == MatchPhase::MatchOver) {
        state.menuSelection = MenuItem::None;
        newMatch(state);
        state.inFrontEnd = 1;
    }
}

}  // namespace darts
