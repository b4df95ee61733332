#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "audio/board_hit.h"
#include "gfx/matrix.h"
#include "match/flight.h"
#include "match/match_fixture.h"
#include "match/rules.h"
#include "match/scoring.h"
#include "match/throw_simulation.h"

namespace darts {
namespace {

TEST(Flight, ReleaseAtZeroLandsOnSingle19) {
    auto landing = simulateThrow(0.0f, 0.0f, 0.0f);
    ASSERT_TRUE(landing);
    EXPECT_EQ(landing->steps, 26);
    EXPECT_NEAR(landing->x, 0.0f, 1e-4);
    EXPECT_NEAR(landing->y, 1.82f, 0.005);
    EXPECT_NEAR(landing->radius, 0.188f, 0.002);
    EXPECT_EQ(landing->sectorIndex, -18);
    EXPECT_EQ(landing->score, 19);
    EXPECT_EQ(landing->ringText, "");
}

TEST(Flight, ArmFurtherBackLandsHigher) {
    auto back = simulateThrow(0.1f, 0.0f, 0.0f);
    auto forward = simulateThrow(12.49f, 0.0f, 0.0f);
    ASSERT_TRUE(back && forward);
    EXPECT_NEAR(back->y, 2.60f, 0.01);
    EXPECT_NEAR(forward->y, 1.23f, 0.01);
    EXPECT_EQ(back->score, 0);
    EXPECT_EQ(back->ringText, kTextNoPoint);
}

TEST(Flight, AimAndGaugeMoveTheLandingSideways) {
    auto aimed = simulateThrow(0.0f, 0.08f, 0.0f);
    ASSERT_TRUE(aimed);
    EXPECT_NEAR(aimed->x, 1.13f, 0.05);
    EXPECT_EQ(aimed->score, 0);
    auto gauged = simulateThrow(0.0f, 0.0f, 0.3f);
    ASSERT_TRUE(gauged);
    EXPECT_NEAR(gauged->x, 0.29f, 0.015);
}

TEST(Flight, TwoStepsOnTheReleaseFrameCountAsSteps) {
    auto one = simulateThrow(0.0f, 0.0f, 0.0f, 1);
    auto two = simulateThrow(0.0f, 0.0f, 0.0f, 2);
    ASSERT_TRUE(one && two);
    EXPECT_EQ(one->steps, two->steps);
    EXPECT_EQ(one->y, two->y);
}

TEST(Flight, HeldDartFollowsTheArm) {
    DartBody dart{};
    placeDartInHand(dart, 0.0f, 0.0f, 0.0f);
    EXPECT_NEAR(dart.x, 0.0f, 1e-5);
    EXPECT_NEAR(dart.y, 1.85f, 1e-5);
    EXPECT_NEAR(dart.z, 0.0f, 1e-5);
    EXPECT_NEAR(dart.vz, 1.79991f, 1e-5);
    EXPECT_NEAR(dart.vy, 0.0f, 1e-6);
    // Further back: behind the pivot's vertical and lower, rising faster.
    placeDartInHand(dart, 0.1f, 0.0f, 0.0f);
    EXPECT_NEAR(dart.z, -31.85 * std::sin(0.1), 1e-4);
    EXPECT_NEAR(dart.y, 31.85 * std::cos(0.1) - 30.0, 1e-4);
    EXPECT_NEAR(dart.vy, std::sin(0.1), 1e-6);
}

TEST(Flight, DragTakesFromTheHorizontalPartsAndGravityFromVy) {
    DartBody dart{0, 0, 0, 0.6f, 0.8f, 0.0f};
    applyDragAndGravity(dart, 1.0f);
    EXPECT_NEAR(dart.vx, 0.6 - 0.6 * 0.000294, 1e-7);
    EXPECT_NEAR(dart.vy, 0.8 - 0.000294, 1e-7);
    DartBody still{};
    applyDragAndGravity(still, 1.0f);
    EXPECT_EQ(still.vy, 0.0f) << "a dart without speed is left alone";
}

TEST(Flight, ArrivalScoresOncePlaysTheSoundOnceAndFinishesAfter170Frames) {
    auto owned = testing::preparedMatch();
    GameState& s = *owned;
    s.swingAngle = 0.0f;
    placeObject(s, PlaceMode::DartInPlay, 0);
    s.dartState = DartState::Thrown;
    s.throwStage = ThrowStage::Released;
    int frames = 0;
    while (s.hitTimer == 0) placeObject(s, PlaceMode::DartInPlay, 0), ++frames;
    EXPECT_EQ(frames, 26);
    EXPECT_EQ(s.darts[0].z, 13.98f);
    EXPECT_EQ(s.players[kHuman].scoreLeft, 301 - 19);
    EXPECT_EQ(s.players[kHuman].dartScores[0], 19);
    EXPECT_EQ(s.scoresShown, 1);
    EXPECT_EQ(s.boardHitsPlayed, 1u);
    for (int i = 1; i < 170; ++i) placeObject(s, PlaceMode::DartInPlay, 0);
    EXPECT_EQ(s.hitTimer, 170);
    EXPECT_EQ(s.players[kHuman].dartsThrown, 0);
    placeObject(s, PlaceMode::DartInPlay, 0);
    EXPECT_EQ(s.players[kHuman].dartsThrown, 1);
    EXPECT_EQ(s.hitTimer, 0);
    EXPECT_EQ(s.dartState, DartState::InHand);
    EXPECT_EQ(s.boardHitsPlayed, 1u);
    EXPECT_EQ(s.players[kHuman].scoreLeft, 301 - 19);
}

TEST(Flight, DartFallingShortStandsStillAndCountsAsASilentMiss) {
    auto owned = testing::preparedMatch();
    GameState& s = *owned;
    s.dartState = DartState::Thrown;
    s.players[kHuman].dartScores[0] = 7;  // whatever the record held before
    s.darts[0] = {0, -10.0f, 5.0f, 0, -1, 1};
    placeObject(s, PlaceMode::DartInPlay, 0);
    EXPECT_EQ(s.darts[0].z, 5.0f);
    EXPECT_EQ(s.darts[0].y, -10.0f);
    EXPECT_EQ(s.hitTimer, 1);
    EXPECT_EQ(s.players[kHuman].dartScores[0], 0);
    EXPECT_EQ(s.players[kHuman].scoreLeft, 301);
    EXPECT_STREQ(s.players[kHuman].hitMessage, kTextNoPoint);
    EXPECT_EQ(s.scoresShown, 1);
    EXPECT_EQ(s.boardHitsPlayed, 0u) << "nothing was struck";
    const ResultTexts texts = resultTexts(s);
    EXPECT_TRUE(texts.shown);
    EXPECT_EQ(texts.score, 0);
    EXPECT_EQ(texts.outcome, nullptr);
}

// An aim turned a half turn round (only damaged shot data gives one) sends the dart away from the
// board. It falls to the lowest flying height, stays there for the landing display and is then
// finished like any miss.
TEST(Flight, DartThrownAwayFromTheBoardFallsThenIsFinishedAsAMiss) {
    auto owned = testing::preparedMatch();
    GameState& s = *owned;
    s.swingAngle = 0.0f;
    s.aimYaw = 3.1415927f;
    placeObject(s, PlaceMode::DartInPlay, 0);
    ASSERT_LT(s.darts[0].vz, 0.0f);
    s.dartState = DartState::Thrown;
    s.throwStage = ThrowStage::Released;
    int frames = 0;
    while (s.hitTimer == 0 && frames < 100000) {
        placeObject(s, PlaceMode::DartInPlay, 0);
        ++frames;
        // Until it stops it falls and moves away; nothing is scored in flight.
        if (s.hitTimer == 0) {
            ASSERT_EQ(s.scoresShown, 0);
        }
    }
    ASSERT_EQ(s.hitTimer, 1);
    EXPECT_GT(frames, 400);
    EXPECT_LE(s.darts[0].y, -10.0f);
    EXPECT_LT(s.darts[0].z, 0.0f);
    const DartBody stopped = s.darts[0];
    for (int i = 1; i < 170; ++i) placeObject(s, PlaceMode::DartInPlay, 0);
    EXPECT_EQ(s.darts[0].y, stopped.y);
    EXPECT_EQ(s.darts[0].z, stopped.z);
    EXPECT_EQ(s.players[kHuman].dartsThrown, 0);
    placeObject(s, PlaceMode::DartInPlay, 0);
    EXPECT_EQ(s.players[kHuman].dartsThrown, 1);
    EXPECT_EQ(s.players[kHuman].scoreLeft, 301);
    EXPECT_EQ(s.dartState, DartState::InHand);
    EXPECT_EQ(s.hitTimer, 0);
    EXPECT_EQ(s.boardHitsPlayed, 0u);
    EXPECT_EQ(s.dartsFinished, 1u);
}

TEST(Flight, ThirdDartFallingShortEndsTheTurn) {
    auto owned = testing::preparedMatch();
    GameState& s = *owned;
    s.players[kHuman].dartsThrown = 2;
    s.dartState = DartState::Thrown;
    s.darts[2] = {0, -11.0f, 3.0f, 0, -1, 0};
    for (int i = 0; i <= 170; ++i) placeObject(s, PlaceMode::DartInPlay, 0);
    EXPECT_EQ(s.matchPhase, MatchPhase::ComputerTurn);
    EXPECT_EQ(s.players[kHuman].scoreLeft, 301);
    EXPECT_EQ(s.lastFinishedDart.dart, 2);
    EXPECT_EQ(s.lastFinishedDart.score, 0);
}

TEST(Flight, DartWithoutANumberForAHeightStopsToo) {
    auto owned = testing::preparedMatch();
    GameState& s = *owned;
    s.dartState = DartState::Thrown;
    s.darts[0] = {0, std::numeric_limits<float>::quiet_NaN(), 5.0f, 0, 0, 1};
    placeObject(s, PlaceMode::DartInPlay, 0);
    EXPECT_EQ(s.hitTimer, 1);
    EXPECT_EQ(s.players[kHuman].dartScores[0], 0);
}

TEST(Placement, FixedObjectsAndFinishedDarts) {
    GameState s;
    gfx::Vec3 origin{0, 0, 0};
    gfx::Vec3 room = gfx::transformPoint(origin, placeObject(s, PlaceMode::Room, 0));
    EXPECT_FLOAT_EQ(room.x, -2.0f);
    EXPECT_FLOAT_EQ(room.z, 9.0f);
    gfx::Vec3 board = gfx::transformPoint(origin, placeObject(s, PlaceMode::Board, 0));
    EXPECT_FLOAT_EQ(board.x, 0.05f);
    EXPECT_FLOAT_EQ(board.y, 2.0f);
    EXPECT_FLOAT_EQ(board.z, 14.22f);
    s.darts[2] = {0.1f, 2.1f, 13.98f, 0, 0, 0};
    gfx::Vec3 dart = gfx::transformPoint(origin, placeObject(s, PlaceMode::FinishedDart, 2));
    EXPECT_FLOAT_EQ(dart.x, 0.1f);
    EXPECT_FLOAT_EQ(dart.z, 13.98f);
}

TEST(Placement, HeldDartAndHandAtRestSitWhereTheArmHoldsThem) {
    auto owned = testing::preparedMatch();
    GameState& s = *owned;
    s.swingAngle = 0.0f;
    s.swingDirection = 0;  // hold the arm still for the check
    gfx::Vec3 origin{0, 0, 0};
    gfx::Vec3 hand = gfx::transformPoint(origin, placeObject(s, PlaceMode::Hand, 0));
    EXPECT_NEAR(hand.x, 2 * s.handOffsetX, 1e-5);
    EXPECT_NEAR(hand.y, 0.0f, 1e-4);
    EXPECT_NEAR(hand.z, 2 * s.handOffsetZ, 1e-5);
    gfx::Vec3 dart = gfx::transformPoint(origin, placeObject(s, PlaceMode::DartInPlay, 0));
    EXPECT_NEAR(dart.y, 1.85f, 1e-4);
    EXPECT_NEAR(dart.z, 0.0f, 1e-4);
}

TEST(Placement, HeldDartMatrixAgreesWithTheLaunchPosition) {
    auto owned = testing::preparedMatch();
    GameState& s = *owned;
    s.swingAngle = 0.12f;
    s.aimYaw = 0.0f;
    gfx::Vec3 drawn = gfx::transformPoint({0, 0, 0}, placeObject(s, PlaceMode::DartInPlay, 0));
    EXPECT_NEAR(drawn.y, s.darts[0].y, 1e-3);
    EXPECT_NEAR(drawn.z, s.darts[0].z, 1e-3);
}

}  // namespace
}  // namespace darts
