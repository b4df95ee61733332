#include <gtest/gtest.h>

#include "games/leg_helpers.h"

namespace darts::games {
namespace {

using namespace test;

std::unique_ptr<LegRules> cricket(int sides, bool cutThroat = false, int roundLimit = 20) {
    LegSetup setup;
    setup.game = LegGame::Cricket;
    setup.cricket = {cutThroat, roundLimit};
    setup.sides = sides;
    return makeLeg(setup);
}

TEST(CricketLeg, MarksOpenThenScoreUntilEverySideCloses) {
    auto leg = cricket(2);
    EXPECT_EQ(leg->name(), "cricket");
    EXPECT_FALSE(leg->dart(S(14)).counted);
    EXPECT_FALSE(leg->dart(kMiss).counted);
    DartOutcome out = leg->dart(D(20));
    EXPECT_TRUE(out.counted);
    EXPECT_EQ(leg->marks(0)[5], 2);
    EXPECT_EQ(leg->points(0), 0);
    // Side 1 opens 20 and the bull (outer one mark, inner two, whatever the 01 bull).
    throwDarts(*leg, {T(20), kOuterBull, kInnerBull});
    EXPECT_EQ(leg->marks(1)[5], 3);
    EXPECT_EQ(leg->marks(1)[6], 3);
    // A triple past the third mark: one closes, two score, but side 1 has closed 20 too.
    out = leg->dart(T(20));
    EXPECT_TRUE(out.counted);
    EXPECT_EQ(leg->marks(0)[5], 3);
    EXPECT_EQ(leg->points(0), 0);
    EXPECT_FALSE(leg->dart(T(20)).counted) << "20 is closed for all";
    leg->dart(kMiss);
    // Side 1 scores the bull while side 0 is open on it.
    out = leg->dart(kInnerBull);
    EXPECT_TRUE(out.counted);
    EXPECT_EQ(leg->points(1), 50);
    EXPECT_EQ(leg->marks(1)[6], 3) << "marks show capped";
}

TEST(CricketLeg, ClosingEverythingWinsWithPointsLevelOrAhead) {
    // Side 1 gets 40 on 20 first; side 0 closes everything behind, then passes it on 19.
    auto leg = cricket(2);
    throwDarts(*leg, {kMiss, kMiss, kMiss});
    throwDarts(*leg, {T(20), D(20), kMiss});  // side 1: 20 open, 40 points
    throwDarts(*leg, {T(15), T(16), T(17)});
    throwDarts(*leg, {kMiss, kMiss, kMiss});
    throwDarts(*leg, {T(18), T(19), T(20)});
    throwDarts(*leg, {kMiss, kMiss, kMiss});
    // Closing the bull behind on points is no win.
    DartOutcome out = throwDarts(*leg, {kInnerBull, kOuterBull});
    EXPECT_FALSE(out.legOver);
    EXPECT_EQ(leg->marks(0), (std::array<int, 7>{3, 3, 3, 3, 3, 3, 3}));
    out = leg->dart(T(19));  // 57
    EXPECT_TRUE(out.legOver);
    EXPECT_EQ(out.reason, LegEndReason::Closed);
    EXPECT_EQ(out.winners, std::vector<int>{0});

    // Level on points is enough: 15 + 20 against 16 + 19.
    leg = cricket(2);
    throwDarts(*leg, {T(15), S(15), T(20)});
    throwDarts(*leg, {T(16), S(16), T(19)});
    throwDarts(*leg, {S(20), T(16), T(17)});
    throwDarts(*leg, {S(19), T(15), T(20)});
    EXPECT_EQ(leg->points(0), 35);
    EXPECT_EQ(leg->points(1), 35);
    EXPECT_FALSE(throwDarts(*leg, {T(18), T(19), kInnerBull}).legOver);
    throwDarts(*leg, {kMiss, kMiss, kMiss});
    out = leg->dart(kOuterBull);
    EXPECT_TRUE(out.legOver);
    EXPECT_EQ(out.winners, std::vector<int>{0});
}

TEST(CricketLeg, CutThroatPointsGoToEveryOpponentStillOpen) {
    // Standard Cricket scores once for the thrower, however many opponents are open.
    auto leg = cricket(3);
    throwDarts(*leg, {T(20), T(20)});
    EXPECT_EQ(leg->points(0), 60);

    leg = cricket(3, /*cutThroat=*/true);
    EXPECT_EQ(leg->name(), "cutthroat");
    throwDarts(*leg, {T(20), kMiss, kMiss});  // side 0 opens 20
    throwDarts(*leg, {T(20), kMiss, kMiss});  // side 1 closes it for itself
    leg->dart(D(18));  // side 2: nothing on 20
    missUntil(*leg, 0);
    DartOutcome out;
    out = leg->dart(T(20));
    EXPECT_TRUE(out.counted);
    EXPECT_EQ(leg->points(0), 0);
    EXPECT_EQ(leg->points(1), 0);
    EXPECT_EQ(leg->points(2), 60);

    // Closing everything with the most points is no win: the lowest score wins.
    leg = cricket(2, /*cutThroat=*/true);
    throwDarts(*leg, {T(15), T(16), T(17)});
    throwDarts(*leg, {T(20), S(20), kMiss});  // 20 points to side 0
    throwDarts(*leg, {T(18), T(19), T(20)});
    throwDarts(*leg, {kMiss, kMiss, kMiss});
    out = throwDarts(*leg, {kInnerBull, kOuterBull});
    EXPECT_FALSE(out.legOver);
    throwDarts(*leg, {kMiss});
    throwDarts(*leg, {kMiss, kMiss, kMiss});
    out = leg->dart(T(19));  // 57 to side 1, which is open on 19
    EXPECT_EQ(leg->points(1), 57);
    EXPECT_TRUE(out.legOver);
    EXPECT_EQ(out.winners, std::vector<int>{0});
}

TEST(CricketLeg, RoundLimitAndPractice) {
    // Level at the limit: a cork; cut-throat's lowest score wins it outright.
    auto leg = cricket(2, false, 15);
    DartOutcome out;
    while (!leg->over()) out = leg->dart(kMiss);
    EXPECT_EQ(leg->round(), 15);
    EXPECT_EQ(out.reason, LegEndReason::Limit);
    EXPECT_EQ(out.corkSides, (std::vector<int>{0, 1}));

    leg = cricket(2, true, 15);
    throwDarts(*leg, {T(20), S(20), kMiss});  // 20 to side 1
    while (!leg->over()) out = leg->dart(kMiss);
    EXPECT_EQ(out.winners, std::vector<int>{0});

    // Alone: closing all seven ends it, and it scores no points with nobody open.
    leg = cricket(1);
    throwDarts(*leg, {T(15), T(16), T(17)});
    throwDarts(*leg, {T(18), T(19), T(20)});
    EXPECT_FALSE(leg->dart(T(20)).counted);
    out = throwDarts(*leg, {kInnerBull, kOuterBull});
    EXPECT_TRUE(out.legOver);
    EXPECT_EQ(out.reason, LegEndReason::Closed);
    EXPECT_EQ(out.winners, std::vector<int>{0});
    EXPECT_EQ(leg->points(0), 0);
}

}  // namespace
}  // namespace darts::games
