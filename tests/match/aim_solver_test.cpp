#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "match/aim_solver.h"
#include "match/computer.h"
#include "match/match_fixture.h"
#include "match/scoring.h"
#include "match/throw_input.h"
#include "match/throw_simulation.h"

namespace darts {
namespace {

BoardPoint onBoard(double radius, double angle) {
    return {kBoardCentreX + radius * std::sin(angle), kBoardCentreY + radius * std::cos(angle)};
}

TEST(AimSolver, LandsNearThePointOnTheComputersReleasesAndAimSteps) {
    const std::vector<float>& ladder = computerReleaseAngles();
    ASSERT_GE(ladder.size(), 20u);
    for (double radius : {0.0, 0.12, 0.25, 0.34, 0.44}) {
        for (double angle = -3.0; angle < 3.2; angle += 0.5) {
            BoardPoint point = onBoard(radius, angle);
            auto aim = solveAim(point);
            ASSERT_TRUE(aim) << radius << " " << angle;
            EXPECT_NE(std::find(ladder.begin(), ladder.end(), aim->releaseAngle), ladder.end());
            double steps = aim->aimYaw / kAimStep;
            EXPECT_NEAR(steps, std::round(steps), 1e-3);
            auto landing = simulateThrow(aim->releaseAngle, aim->aimYaw, 0.0f);
            ASSERT_TRUE(landing);
            // Half an aim step sideways; in height half the ladder's widest gap.
            EXPECT_LT(std::fabs(landing->x - point.x), 0.006) << radius << " " << angle;
            EXPECT_LT(std::fabs(landing->y - point.y), 0.05) << radius << " " << angle;
        }
    }
    EXPECT_FALSE(solveAim({kBoardCentreX + 3.0, kBoardCentreY}));
}

class AimedComputer : public ::testing::Test {
  protected:
    void SetUp() override { s.matchPhase = MatchPhase::ComputerTurn; }

    // Runs the computer's frames and the scene's placements until the dart arrives, and
    // returns the swing angle it left the hand at.
    float throwOnce(const ThrowAim& aim, double gaugeSpread, double releaseSpread) {
        float released = -1;
        for (int frame = 0; frame < 20000 && s.hitTimer == 0; ++frame) {
            computerAimedFrame(s, brain, aim, gaugeSpread, releaseSpread);
            if (released < 0 && s.dartState == DartState::Thrown) released = s.swingAngle;
            placeFrameObjects(s);
        }
        EXPECT_GT(s.hitTimer, 0);
        s.dartState = DartState::InHand;
        s.throwStage = ThrowStage::Aiming;
        s.swingSpeed = 0.007f;
        s.hitTimer = 0;
        return released;
    }

    std::unique_ptr<GameState> owned = testing::preparedMatch();
    GameState& s = *owned;
    ComputerBrain brain;
};

TEST_F(AimedComputer, WithoutSpreadLandsWhereTheSolverSaid) {
    // Left, right, high and low, on either side of the swing's wrap, the aim walked across.
    for (BoardPoint point : {onBoard(0.25, -1.2), onBoard(0.44, 1.6), onBoard(0.3, 0.0),
                             onBoard(0.25, 2.9), onBoard(0.44, -2.6)}) {
        auto aim = solveAim(point);
        ASSERT_TRUE(aim);
        auto expected = simulateThrow(aim->releaseAngle, aim->aimYaw, 0.0f);
        float released = throwOnce(*aim, 0, 0);
        EXPECT_EQ(released, aim->releaseAngle);
        EXPECT_NEAR(s.aimYaw, aim->aimYaw, 1e-6);
        EXPECT_NEAR(s.darts[0].x, expected->x, 1e-5);
        EXPECT_NEAR(s.darts[0].y, expected->y, 1e-5);
    }
}

TEST_F(AimedComputer, ReleasesNearItsAimOnEitherSideOfTheWrap) {
    // A release spread around the angles next to 0 must never leave the dart to the hand's own
    // release at the end of the swing.
    for (float release : {12.56f, 0.002f, 12.55f}) {
        ThrowAim aim{release, 0.0035f, 0.0f};
        for (int dart = 0; dart < 40; ++dart) {
            float released = throwOnce(aim, 0.0, 0.006);
            double offset = std::remainder(static_cast<double>(released) - release,
                                           4 * 3.14159265358979);
            EXPECT_LT(std::fabs(offset), 0.006 + 0.0071) << release << " " << released;
        }
    }
}

TEST_F(AimedComputer, GaugeSpreadWidensTheAcceptedGauge) {
    ThrowAim aim{0.052f, 0.0035f, 0.0f};
    int offCentre = 0;
    for (int dart = 0; dart < 60; ++dart) {
        throwOnce(aim, 0.032, 0.0);
        EXPECT_LT(std::fabs(s.gaugeValue), 0.032 + 0.002);
        offCentre += std::fabs(s.gaugeValue) > 0.01;
    }
    EXPECT_GT(offCentre, 10);
}

}  // namespace
}  // namespace darts
