// The bar machines' two statistics as a match keeps them.
#include "games/rating_stats.h"

#include <gtest/gtest.h>

#include "leg_helpers.h"

namespace darts::games {
namespace {

using namespace test;

// Throws through a leg and its stats together.
void play(LegRules& leg, RatingStats& stats, std::initializer_list<Hit> hits) {
    for (Hit hit : hits) {
        const int side = leg.sideToThrow();
        const int dart = leg.dartInTurn();
        const DartOutcome outcome = leg.dart(hit);
        stats.dart(leg, side, dart, hit, outcome);
        if (outcome.legOver) stats.legEnded();
    }
}

TEST(RatingStats, The01StatStopsAtTheEndOfTheRoundThatPasses80Percent) {
    LegSetup setup;
    setup.sides = 1;
    setup.x01.out = OutRule::Double;
    auto leg = makeLeg(setup);
    RatingStats stats;
    // 180, 180, then 120 passes 401 on its second dart; the round's third dart still counts.
    play(*leg, stats, {T(20), T(20), T(20), T(20), T(20), T(20), T(20), T(20), S(1)});
    // Later rounds are not the 80%'s any more.
    play(*leg, stats, {kMiss, kMiss, kMiss, S(4), kMiss, D(8)});
    EXPECT_TRUE(leg->over());
    EXPECT_NEAR(stats.pointsPerRound(0), 481.0 / 3, 1e-9);
}

TEST(RatingStats, CricketCountsMarksThatCloseOrScoreOnly) {
    LegSetup setup;
    setup.game = LegGame::Cricket;
    auto leg = makeLeg(setup);
    RatingStats stats;
    play(*leg, stats, {T(20), T(20), S(3)});  // 3 to close, 3 that score, none on 3
    play(*leg, stats, {T(20), kMiss, kMiss});  // the other side closes 20
    play(*leg, stats, {T(20), kMiss, kMiss});  // 20 is closed for all: nothing counts
    EXPECT_NEAR(stats.marksPerRound(0), 3.0 * 6 / 6, 1e-9);
    EXPECT_NEAR(stats.marksPerRound(1), 3.0 * 3 / 3, 1e-9);
    EXPECT_DOUBLE_EQ(ratingOfMarksPerRound(ratingMarksPerRound(10)), 10);
    EXPECT_DOUBLE_EQ(ratingPointsPerRound(18), 130);
    EXPECT_DOUBLE_EQ(ratingMarksPerRound(2), 1.3);
}

}  // namespace
}  // namespace darts::games
