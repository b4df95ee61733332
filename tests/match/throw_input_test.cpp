#include <gtest/gtest.h>

#include <cmath>

#include "match/match_fixture.h"
#include "match/throw_input.h"

namespace darts {
namespace {

using platform::MouseObject;
using platform::MouseRecord;

class Throw : public ::testing::Test {
  protected:
    void press() { handleMatchMouse(s, {MouseObject::Button0, 0x80}, s.buttonHeld); }
    void release() { handleMatchMouse(s, {MouseObject::Button0, 0}, s.buttonHeld); }
    void moveX(int32_t dx) { handleMatchMouse(s, {MouseObject::X, dx}, s.buttonHeld); }
    // Runs hand steps until the arm turns to the forward swing.
    int stepsUntilForward() {
        int steps = 0;
        while (s.swingDirection == 1 && steps < 10000) handStep(s), ++steps;
        return steps;
    }
    std::unique_ptr<GameState> owned = testing::preparedMatch();
    GameState& s = *owned;
};

TEST_F(Throw, GaugeNeverRestsAndDrawsANewTargetOnArrival) {
    s.gaugeValue = 0.09f;
    s.players[kHuman].gaugeRange = 10;
    s.players[kHuman].gaugeTarget = 0.09f;
    uint32_t before = s.randomState;
    handStep(s);
    EXPECT_NE(s.randomState, before) << "reaching the target draws a new one";
    EXPECT_NEAR(std::fabs(s.gaugeValue - 0.09f), 0.03f, 1e-6);
}

TEST_F(Throw, GaugeOfSkillZeroStepsBetweenZeroAndMinusOneStep) {
    s.players[kHuman].gaugeRange = 0;
    s.players[kHuman].gaugeTarget = 0;
    s.gaugeValue = 0;
    for (int i = 0; i < 200; ++i) {
        handStep(s);
        ASSERT_TRUE(std::fabs(s.gaugeValue) < 1e-6 || std::fabs(s.gaugeValue + 0.03f) < 1e-6)
            << s.gaugeValue;
    }
}

TEST_F(Throw, GaugeStandsStillOnceSwinging) {
    press();
    float gauge = s.gaugeValue;
    for (int i = 0; i < 50; ++i) handStep(s);
    EXPECT_EQ(s.gaugeValue, gauge);
}

TEST_F(Throw, SwingWrapsBetweenForwardEndAndTop) {
    float lowest = 100, highestBelowWrap = -1;
    bool sawWrapped = false;
    for (int i = 0; i < 2000; ++i) {
        handStep(s);
        ASSERT_GE(s.swingAngle, 0.0f);
        ASSERT_LE(s.swingAngle, 12.56f);
        if (s.swingAngle > 6.0f) {
            sawWrapped = true;
            lowest = std::min(lowest, s.swingAngle);
        } else {
            highestBelowWrap = std::max(highestBelowWrap, s.swingAngle);
        }
    }
    EXPECT_TRUE(sawWrapped);
    EXPECT_NEAR(lowest, 12.49f, 0.0071f);
    EXPECT_NEAR(highestBelowWrap, 0.18f, 0.0071f);
    EXPECT_EQ(s.throwStage, ThrowStage::Aiming) << "an unarmed arm never releases";
}

TEST_F(Throw, ArmedArmSpeedsUpAtTheTopAndReleasesAtTheForwardEnd) {
    press();
    EXPECT_EQ(s.throwStage, ThrowStage::Swinging);
    stepsUntilForward();
    EXPECT_FLOAT_EQ(s.swingSpeed, 0.01f);
    int frames = 0;
    while (s.dartState == DartState::InHand && frames < 1000) handStep(s), ++frames;
    EXPECT_EQ(s.throwStage, ThrowStage::Released);
    EXPECT_LE(s.swingAngle, 12.49f);
    EXPECT_GT(s.swingAngle, 12.47f);
}

TEST_F(Throw, FirstClickDuringForwardSwingReleasesAtTheSlowSpeed) {
    stepsUntilForward();
    handStep(s);
    press();
    release();
    EXPECT_FLOAT_EQ(s.swingSpeed, 0.007f);
    press();
    EXPECT_EQ(s.dartState, DartState::Thrown);
    EXPECT_FLOAT_EQ(s.swingSpeed, 0.007f);
}

TEST_F(Throw, ClicksDuringTheBackswingAndWhileHeldDoNothing) {
    press();
    press();  // still held: nothing
    EXPECT_EQ(s.throwStage, ThrowStage::Swinging);
    release();
    ASSERT_EQ(s.swingDirection, 1);
    press();  // backswing: ignored
    EXPECT_EQ(s.throwStage, ThrowStage::Swinging);
    EXPECT_EQ(s.buttonHeld, 0);
}

TEST_F(Throw, PressAndReleaseInOnePollClearTheLatch) {
    press();
    release();
    EXPECT_EQ(s.buttonHeld, 0);
    EXPECT_EQ(s.throwStage, ThrowStage::Swinging);
}

TEST_F(Throw, AimStepsPerRecordAndStopsAtTheLimit) {
    for (int i = 0; i < 500; ++i) moveX(5);
    EXPECT_FLOAT_EQ(s.aimYaw, 0.08f);
    moveX(-1000);
    EXPECT_FLOAT_EQ(s.aimYaw, 0.0793f);
    moveX(0);
    EXPECT_FLOAT_EQ(s.aimYaw, 0.0793f);
    handleMatchMouse(s, {MouseObject::Y, 40}, s.buttonHeld);
    handleMatchMouse(s, {MouseObject::Wheel, 120}, s.buttonHeld);
    EXPECT_FLOAT_EQ(s.aimYaw, 0.0793f);
}

TEST_F(Throw, AimOutsideTheLimitsIsOnlyClampedWhenMovedFurtherOut) {
    s.aimYaw = 0.2f;
    moveX(-3);
    EXPECT_FLOAT_EQ(s.aimYaw, 0.1993f);
    moveX(3);
    EXPECT_FLOAT_EQ(s.aimYaw, 0.08f);
}

TEST_F(Throw, PressWithTheMatchOverPreparesANewMatchForTheFrontEnd) {
    s.matchPhase = MatchPhase::MatchOver;
    s.players[kHuman].scoreLeft = 12;
    s.buttonHeld = 1;  // even a press that does nothing else
    press();
    EXPECT_EQ(s.inFrontEnd, 1);
    EXPECT_EQ(s.menuSelection, MenuItem::None);
    EXPECT_EQ(s.players[kHuman].scoreLeft, 301);
    EXPECT_EQ(s.matchPhase, MatchPhase::HumanTurn);
}

TEST_F(Throw, HandOffsetsFollowTheAim) {
    s.aimYaw = 0.05f;
    handStep(s);
    EXPECT_FLOAT_EQ(s.handOffsetX, static_cast<float>(std::sin(0.05) * 0.1));
    EXPECT_FLOAT_EQ(s.handOffsetZ, static_cast<float>(std::cos(0.05) * 0.1));
}

}  // namespace
}  // namespace darts
