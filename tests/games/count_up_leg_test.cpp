#include <gtest/gtest.h>

#include "games/leg_helpers.h"

namespace darts::games {
namespace {

using namespace test;

TEST(CountUpLeg, EightRoundsFatBullAndSharedWins) {
    LegSetup setup;
    setup.game = LegGame::CountUp;
    setup.sides = 3;
    auto leg = makeLeg(setup);
    EXPECT_EQ(leg->name(), "countup");
    EXPECT_TRUE(leg->dart(kOuterBull).counted);
    EXPECT_EQ(leg->points(0), 50);
    EXPECT_FALSE(leg->dart(kMiss).counted);
    missUntil(*leg, 1);
    leg->dart(kInnerBull);
    missUntil(*leg, 2);
    leg->dart(T(10));
    DartOutcome out;
    int darts = 7;
    while (!leg->over()) {
        out = leg->dart(kMiss);
        ++darts;
    }
    EXPECT_EQ(darts, 8 * 3 * 3);
    EXPECT_EQ(out.reason, LegEndReason::Rounds);
    EXPECT_EQ(out.winners, (std::vector<int>{0, 1}));
    EXPECT_TRUE(out.corkSides.empty());
}

}  // namespace
}  // namespace darts::games
