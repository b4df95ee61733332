#include <gtest/gtest.h>

#include "games/leg_helpers.h"

namespace darts::games {
namespace {

using namespace test;

std::unique_ptr<LegRules> x01(int start, InRule in, OutRule out, BullRule bull = BullRule::Separate,
                              int sides = 2, int roundLimit = 0) {
    LegSetup setup;
    setup.game = LegGame::X01;
    setup.x01 = {start, in, out, bull, roundLimit};
    setup.sides = sides;
    return makeLeg(setup);
}

TEST(X01Leg, DoubleOutFinishesOnlyOnADoubleOrTheInnerBull) {
    auto leg = x01(2, InRule::Open, OutRule::Double);
    EXPECT_EQ(leg->name(), "2");
    DartOutcome out = leg->dart(D(1));
    EXPECT_TRUE(out.legOver && out.turnOver && out.counted);
    EXPECT_EQ(out.reason, LegEndReason::Out);
    EXPECT_EQ(out.winners, std::vector<int>{0});
    EXPECT_TRUE(leg->over());

    leg = x01(50, InRule::Open, OutRule::Double, BullRule::Fat);
    EXPECT_TRUE(leg->dart(kOuterBull).bust) << "a fat outer bull is no double";
    leg->dart(kMiss);
    leg->dart(kMiss);
    leg->dart(kMiss);
    EXPECT_TRUE(leg->dart(kInnerBull).legOver);
}

TEST(X01Leg, BustsStrikeTheWholeTurnOut) {
    // One left is a bust: no double makes it.
    auto leg = x01(2, InRule::Open, OutRule::Double);
    DartOutcome out = leg->dart(S(1));
    EXPECT_TRUE(out.bust && out.turnOver);
    EXPECT_FALSE(out.counted);
    EXPECT_EQ(leg->left(0), 2);
    EXPECT_EQ(leg->sideToThrow(), 1);

    // A double that leaves 1, after a dart that counted: back to the turn's start.
    leg = x01(13, InRule::Open, OutRule::Double);
    EXPECT_EQ(leg->dart(S(10)).bust, false);
    EXPECT_EQ(leg->left(0), 3);
    out = leg->dart(D(1));
    EXPECT_TRUE(out.bust && out.turnOver);
    EXPECT_EQ(leg->left(0), 13);
    EXPECT_EQ(leg->sideToThrow(), 1);
    EXPECT_EQ(leg->dartInTurn(), 0);

    // Reaching 0 with a single under double out; under open out it wins.
    leg = x01(40, InRule::Open, OutRule::Double);
    EXPECT_TRUE(throwDarts(*leg, {S(20), S(20)}).bust);
    EXPECT_EQ(leg->left(0), 40);
    leg = x01(40, InRule::Open, OutRule::Open);
    EXPECT_TRUE(throwDarts(*leg, {S(20), S(20)}).legOver);

    // Open out only busts below zero, and 1 left stands.
    leg = x01(21, InRule::Open, OutRule::Open);
    EXPECT_FALSE(leg->dart(S(20)).bust);
    EXPECT_EQ(leg->left(0), 1);
    EXPECT_TRUE(leg->dart(S(2)).bust);
    EXPECT_EQ(leg->left(0), 21);
}

TEST(X01Leg, MasterOutTakesTriplesAndTheFatOuterBull) {
    auto leg = x01(60, InRule::Open, OutRule::Master);
    EXPECT_TRUE(leg->dart(T(20)).legOver);

    leg = x01(50, InRule::Open, OutRule::Master, BullRule::Fat);
    DartOutcome out = leg->dart(kOuterBull);
    EXPECT_TRUE(out.legOver);
    EXPECT_EQ(out.winners, std::vector<int>{0});

    // Split bull: the outer one is a plain 25, no finish.
    leg = x01(25, InRule::Open, OutRule::Master, BullRule::Separate);
    EXPECT_TRUE(leg->dart(kOuterBull).bust);
    // One left is a bust under master out too.
    leg = x01(4, InRule::Open, OutRule::Master);
    EXPECT_TRUE(leg->dart(S(3)).bust);
}

TEST(X01Leg, DoubleAndMasterIn) {
    auto leg = x01(301, InRule::Double, OutRule::Open);
    DartOutcome out = leg->dart(S(20));
    EXPECT_FALSE(out.counted);
    EXPECT_EQ(leg->left(0), 301);
    EXPECT_FALSE(leg->dart(T(20)).counted);
    EXPECT_TRUE(leg->dart(D(5)).counted);
    EXPECT_EQ(leg->left(0), 291);
    leg->dart(kMiss);  // side 1
    leg->dart(kMiss);
    leg->dart(kMiss);
    EXPECT_TRUE(leg->dart(S(20)).counted) << "in stays open in later turns";
    EXPECT_EQ(leg->left(0), 271);

    leg = x01(301, InRule::Double, OutRule::Open);
    EXPECT_FALSE(leg->dart(kOuterBull).counted);
    EXPECT_TRUE(leg->dart(kInnerBull).counted);
    EXPECT_EQ(leg->left(0), 251);

    leg = x01(301, InRule::Master, OutRule::Open);
    EXPECT_FALSE(leg->dart(kOuterBull).counted) << "a split outer bull is no master dart";
    EXPECT_TRUE(leg->dart(T(1)).counted);
    EXPECT_EQ(leg->left(0), 298);
    leg = x01(301, InRule::Master, OutRule::Open, BullRule::Fat);
    EXPECT_TRUE(leg->dart(kOuterBull).counted);
    EXPECT_EQ(leg->left(0), 251);

    // A bust strikes out the double-in thrown in the same turn.
    leg = x01(10, InRule::Double, OutRule::Double);
    EXPECT_TRUE(leg->dart(D(2)).counted);
    EXPECT_TRUE(leg->dart(S(9)).bust);
    missUntil(*leg, 0);
    EXPECT_FALSE(leg->dart(S(5)).counted);
    EXPECT_EQ(leg->left(0), 10);
}

TEST(X01Leg, RoundLimit) {
    // Equal lowest counts at the last round: a cork between exactly those sides.
    auto leg = x01(301, InRule::Open, OutRule::Double, BullRule::Separate, 3, 10);
    leg->dart(S(20));  // side 0: 281
    missUntil(*leg, 1);
    leg->dart(S(20));  // side 1: 281
    DartOutcome out;
    int darts = 4;
    while (!leg->over()) {
        EXPECT_EQ(leg->round(), 1 + darts / 9);
        out = leg->dart(kMiss);
        ++darts;
    }
    EXPECT_EQ(darts, 10 * 3 * 3);
    EXPECT_EQ(leg->round(), 10);
    EXPECT_EQ(out.reason, LegEndReason::Limit);
    EXPECT_TRUE(out.winners.empty());
    EXPECT_EQ(out.corkSides, (std::vector<int>{0, 1}));

    // The round ends with the side before the first thrower; the lowest count wins outright.
    LegSetup setup;
    setup.x01 = {301, InRule::Open, OutRule::Open, BullRule::Separate, 10};
    setup.firstSide = 1;
    leg = makeLeg(setup);
    leg->dart(S(1));  // side 1
    for (int i = 0; i < 58; ++i) EXPECT_FALSE(leg->dart(kMiss).legOver);
    out = leg->dart(kMiss);
    EXPECT_TRUE(out.legOver);
    EXPECT_EQ(out.winners, std::vector<int>{1});
    EXPECT_TRUE(out.corkSides.empty());

    // Alone, the practice ends at the limit and its thrower wins it.
    leg = x01(301, InRule::Open, OutRule::Double, BullRule::Separate, 1, 10);
    for (int i = 0; i < 29; ++i) leg->dart(S(1));
    out = leg->dart(S(1));
    EXPECT_TRUE(out.legOver);
    EXPECT_EQ(out.winners, std::vector<int>{0});
    EXPECT_EQ(leg->left(0), 271);
}

}  // namespace
}  // namespace darts::games
