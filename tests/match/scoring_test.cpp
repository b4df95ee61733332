#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "match/scoring.h"

namespace darts {
namespace {

class Scoring : public ::testing::Test {
  protected:
    // Score a point at `radius` and `angle` (radians from straight up towards +x).
    int scoreAt(double radius, double angle) {
        float x = static_cast<float>(kBoardCentreX + radius * std::sin(angle));
        float y = static_cast<float>(kBoardCentreY + radius * std::cos(angle));
        LandingGeometry g = landingGeometry(x, y);
        return scoreHit(state, g.radius, g.sectorIndex);
    }
    const char* message() const { return state.players[kHuman].hitMessage; }
    GameState state;
};

TEST_F(Scoring, CentreIsInnerBull) {
    EXPECT_EQ(scoreHit(state, 0.0f, 0), 50);
    EXPECT_STREQ(message(), kTextInnerBull);
    // The float nearest the centre's x is not exactly 0.05, so its direction is arbitrary; the
    // bull does not care.
    LandingGeometry g = landingGeometry(0.05f, 2.0f);
    EXPECT_LT(g.radius, 1e-6f);
    EXPECT_EQ(scoreHit(state, g.radius, g.sectorIndex), 50);
}

TEST_F(Scoring, EveryLimitIsStrict) {
    // Exactly on a limit: neither side of it, a plain single.
    for (double limit :
         {kInnerBullEdge, kOuterBullEdge, kTripleInner, kTripleOuter, kDoubleInner, kBoardEdge}) {
        EXPECT_EQ(ringOf(limit), Ring::Single) << limit;
    }
    EXPECT_EQ(ringOf(std::nextafter(kInnerBullEdge, 0.0)), Ring::InnerBull);
    EXPECT_EQ(ringOf(std::nextafter(kInnerBullEdge, 1.0)), Ring::OuterBull);
    EXPECT_EQ(ringOf(std::nextafter(kOuterBullEdge, 0.0)), Ring::OuterBull);
    EXPECT_EQ(ringOf(std::nextafter(kTripleInner, 1.0)), Ring::Triple);
    EXPECT_EQ(ringOf(std::nextafter(kTripleOuter, 0.0)), Ring::Triple);
    EXPECT_EQ(ringOf(std::nextafter(kDoubleInner, 1.0)), Ring::Double);
    EXPECT_EQ(ringOf(std::nextafter(kBoardEdge, 0.0)), Ring::Double);
    EXPECT_EQ(ringOf(std::nextafter(kBoardEdge, 1.0)), Ring::Miss);
}

TEST_F(Scoring, SingleFloatRadiiAroundTheLimitsScoreByTheirDoubleValue) {
    // The radius is a float compared with double limits: the float nearest a limit lands on
    // whichever side its exact value lies.
    float nearEdge = static_cast<float>(kBoardEdge);
    int expected = static_cast<double>(nearEdge) > kBoardEdge ? 0 : 40;
    EXPECT_EQ(scoreHit(state, nearEdge, 0), expected);
    EXPECT_EQ(scoreHit(state, std::nextafter(nearEdge, 1.0f), 0), 0);
    EXPECT_STREQ(message(), kTextNoPoint);
}

TEST_F(Scoring, RingsAndTheirTexts) {
    EXPECT_EQ(scoreAt(0.25, 0.0), 60);
    EXPECT_STREQ(message(), kTextTriple);
    EXPECT_EQ(scoreAt(0.44, 0.0), 40);
    EXPECT_STREQ(message(), kTextDouble);
    EXPECT_EQ(scoreAt(0.04, 2.0), 25);
    EXPECT_STREQ(message(), kTextOuterBull);
    EXPECT_EQ(scoreAt(0.15, 0.0), 20);
    EXPECT_STREQ(message(), "");
    EXPECT_EQ(scoreAt(0.5, 0.0), 0);
    EXPECT_STREQ(message(), "NO POINT !!");
}

TEST_F(Scoring, SectorBoundariesSitAtMultiplesOf0157) {
    EXPECT_EQ(scoreAt(0.15, 0.16), 1);
    EXPECT_EQ(scoreAt(0.15, -0.16), 5);
    EXPECT_EQ(scoreAt(0.15, 0.15), 20);
    EXPECT_EQ(scoreAt(0.15, -0.15), 20);
    // Straight below and either side of it: 3 covers indexes 19, 20, -19 and -20.
    EXPECT_EQ(scoreAt(0.15, 3.14159265), 3);
    EXPECT_EQ(scoreAt(0.15, 3.0), 3);
    EXPECT_EQ(scoreAt(0.15, -3.0), 3);
    EXPECT_EQ(scoreAt(0.15, 2.95), 17);
    EXPECT_EQ(scoreAt(0.15, -2.95), 19);
}

TEST_F(Scoring, NumbersRunInDartboardOrder) {
    const int clockwise[] = {20, 1, 18, 4, 13, 6, 10, 15, 2, 17, 3};
    const int anticlockwise[] = {20, 5, 12, 9, 14, 11, 8, 16, 7, 19, 3};
    for (int k = 0; k <= 10; ++k) {
        double middle = k * 0.314;  // the middle of sector k
        EXPECT_EQ(scoreAt(0.15, middle), clockwise[k]) << k;
        EXPECT_EQ(scoreAt(0.15, -middle), anticlockwise[k]) << k;
    }
}

TEST_F(Scoring, IndexNeverLeavesPlusMinus20) {
    for (double angle = -3.14159265; angle <= 3.14159265; angle += 0.001) {
        LandingGeometry g = landingGeometry(static_cast<float>(0.05 + 0.3 * std::sin(angle)),
                                            static_cast<float>(2.0 + 0.3 * std::cos(angle)));
        ASSERT_GE(g.sectorIndex, -20);
        ASSERT_LE(g.sectorIndex, 20);
        ASSERT_GT(sectorNumber(g.sectorIndex), 0);
    }
}

TEST_F(Scoring, WritesIntoTheSideToThrow) {
    state.matchPhase = MatchPhase::ComputerTurn;
    std::strcpy(state.players[kHuman].hitMessage, "untouched");
    EXPECT_EQ(scoreAt(0.01, 0.0), 50);
    EXPECT_STREQ(state.players[kComputer].hitMessage, kTextInnerBull);
    EXPECT_STREQ(state.players[kHuman].hitMessage, "untouched");
}

}  // namespace
}  // namespace darts
