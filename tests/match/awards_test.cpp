#include <gtest/gtest.h>

#include "match/awards.h"
#include "match/match_fixture.h"
#include "match/match_statistics.h"

namespace darts {
namespace {

DartHit single(int n) { return {Ring::Single, n, n}; }
DartHit dbl(int n) { return {Ring::Double, n, 2 * n}; }
DartHit triple(int n) { return {Ring::Triple, n, 3 * n}; }
const DartHit kInner = {Ring::InnerBull, 0, 50};
const DartHit kOuter = {Ring::OuterBull, 0, 25};
const DartHit kMiss = {Ring::Miss, 0, 0};

Award award(DartHit a, DartHit b, DartHit c) { return awardForTurn({a, b, c}, false, false); }

// Every row of the precedence: a turn that fits several awards gets the first.
TEST(Awards, FirstThatAppliesWins) {
    // Three treble 20s are 180 and three in a bed: 180 comes first.
    EXPECT_EQ(award(triple(20), triple(20), triple(20)), Award::Ton80);
    // Three inner bulls are 150, a hat trick and a low ton too.
    EXPECT_EQ(award(kInner, kInner, kInner), Award::ThreeInTheBlack);
    EXPECT_EQ(award(kInner, kOuter, kInner), Award::HatTrick);  // 125
    EXPECT_EQ(award(kOuter, kOuter, kOuter), Award::HatTrick);  // 75, no ton at all
    // Three treble 19s (171) are a high ton as well.
    EXPECT_EQ(award(triple(19), triple(19), triple(19)), Award::ThreeInABed);
    EXPECT_EQ(award(dbl(20), dbl(20), dbl(20)), Award::ThreeInABed);
    EXPECT_EQ(award(single(1), single(1), single(1)), Award::ThreeInABed);
    EXPECT_EQ(award(triple(20), triple(20), triple(19)), Award::HighTon);  // 177
}

TEST(Awards, TonBoundaries) {
    EXPECT_EQ(award(triple(20), single(19), single(20)), Award::None);    // 99
    EXPECT_EQ(award(triple(20), single(20), single(20)), Award::LowTon);  // 100
    EXPECT_EQ(award(triple(20), triple(17), kMiss), Award::LowTon);       // 111, a miss in it
    EXPECT_EQ(award(triple(20), triple(20), kOuter), Award::LowTon);      // 145
    EXPECT_EQ(award(triple(20), triple(20), triple(10)), Award::LowTon);  // 150
    EXPECT_EQ(award(triple(20), triple(19), dbl(17)), Award::HighTon);    // 151
    EXPECT_EQ(award(triple(20), triple(20), dbl(20)), Award::HighTon);    // 160
    EXPECT_EQ(award(triple(20), triple(19), triple(18)), Award::HighTon); // 171
    EXPECT_EQ(award(triple(20), triple(20), triple(19)), Award::HighTon); // 177, the most below 180
}

TEST(Awards, ThreeInABedNeedsSameNumberAndRing) {
    EXPECT_NE(award(triple(5), triple(5), dbl(5)), Award::ThreeInABed);
    EXPECT_NE(award(triple(5), triple(5), triple(1)), Award::ThreeInABed);
    EXPECT_NE(award(single(5), single(5), {Ring::Single, 0, 0}), Award::ThreeInABed);
    EXPECT_EQ(award(kMiss, kMiss, kMiss), Award::None);  // three misses share "nothing"
}

TEST(Awards, BullCombinations) {
    EXPECT_EQ(award(kInner, kInner, kOuter), Award::HatTrick);
    EXPECT_EQ(award(kOuter, kInner, kInner), Award::HatTrick);
    EXPECT_EQ(award(kInner, kInner, triple(20)), Award::HighTon);  // 160
    EXPECT_EQ(award(kInner, kInner, kMiss), Award::LowTon);       // 100, two bulls only
    EXPECT_EQ(award(kOuter, kOuter, single(20)), Award::None);    // 70
}

TEST(Awards, BustOrWinEarnsNothing) {
    const std::array<DartHit, 3> ton80 = {triple(20), triple(20), triple(20)};
    EXPECT_EQ(awardForTurn(ton80, true, false), Award::None);
    EXPECT_EQ(awardForTurn(ton80, false, true), Award::None);
}

TEST(MatchStatistics, TurnsBustsAndWins) {
    MatchStatistics stats;
    // Human: 60 60 60, an award and the best turn.
    EXPECT_FALSE(stats.addDart(0, 0, triple(20), false, false));
    EXPECT_FALSE(stats.addDart(0, 1, triple(20), false, false));
    auto end = stats.addDart(0, 2, triple(20), false, false);
    ASSERT_TRUE(end);
    EXPECT_EQ(end->award, Award::Ton80);
    EXPECT_EQ(end->points, 180);
    // Computer busts on its second dart: the turn ends there, scores 0, its darts count.
    EXPECT_FALSE(stats.addDart(1, 0, triple(20), false, false));
    end = stats.addDart(1, 1, triple(20), true, false);
    ASSERT_TRUE(end);
    EXPECT_TRUE(end->bust);
    EXPECT_EQ(end->points, 0);
    EXPECT_EQ(end->award, Award::None);
    // Human wins on the first dart of the next turn, with a 180-worth turn left undone.
    end = stats.addDart(0, 0, kInner, false, true);
    ASSERT_TRUE(end);
    EXPECT_TRUE(end->win);
    EXPECT_EQ(end->points, 50);
    EXPECT_EQ(end->award, Award::None);

    const SideStatistics& human = stats.side(0);
    EXPECT_EQ(human.darts, 4);
    EXPECT_EQ(human.points, 230);
    EXPECT_EQ(human.bestTurn, 180);
    EXPECT_DOUBLE_EQ(human.pointsPerDart(), 57.5);
    EXPECT_DOUBLE_EQ(human.pointsPerRound(), 172.5);
    EXPECT_EQ(human.awards[static_cast<int>(Award::Ton80)], 1);
    const SideStatistics& computer = stats.side(1);
    EXPECT_EQ(computer.darts, 2);
    EXPECT_EQ(computer.points, 0);
    EXPECT_EQ(computer.pointsPerDart(), 0.0);
    EXPECT_EQ(stats.winner(), 0);
}

TEST(MatchStatistics, WinOnTheSecondDartCountsOnlyItsDarts) {
    MatchStatistics stats;
    // A leftover third dart of an earlier turn must not leak into the winning one.
    stats.addDart(0, 0, single(1), false, false);
    stats.addDart(0, 1, single(1), false, false);
    stats.addDart(0, 2, single(1), false, false);  // three in a bed, 3 points
    stats.addDart(0, 0, triple(20), false, false);
    auto end = stats.addDart(0, 1, triple(20), false, true);
    ASSERT_TRUE(end);
    EXPECT_EQ(end->points, 120);
    EXPECT_EQ(end->award, Award::None);
    EXPECT_EQ(stats.side(0).darts, 5);
    EXPECT_EQ(stats.side(0).points, 123);
    EXPECT_EQ(stats.side(0).awards[static_cast<int>(Award::ThreeInABed)], 1);
}

// The hit read back from a dart body agrees with what the scoring gave it.
TEST(Awards, DartHitFromTheBody) {
    DartBody centre = {static_cast<float>(kBoardCentreX), static_cast<float>(kBoardCentreY),
                       13.98f, 0, 0, 0};
    EXPECT_EQ(dartHitOf(centre, 50).ring, Ring::InnerBull);
    DartBody t20 = centre;
    t20.y = static_cast<float>(kBoardCentreY + 0.25);
    const DartHit hit = dartHitOf(t20, 60);
    EXPECT_EQ(hit.ring, Ring::Triple);
    EXPECT_EQ(hit.number, 20);
    DartBody shortDart = t20;
    shortDart.z = 5.0f;  // never reached the board
    EXPECT_EQ(dartHitOf(shortDart, 0).ring, Ring::Miss);
}

TEST(Awards, OnDisplayOnlyForTheThirdDartOfATurnThatGoesOn) {
    auto state = testing::preparedMatch();
    PlayerSlot& human = state->players[kHuman];
    DartBody t20 = {static_cast<float>(kBoardCentreX), static_cast<float>(kBoardCentreY + 0.25),
                    13.98f, 0, 0, 0};
    for (DartBody& dart : state->darts) dart = t20;
    human.dartScores[0] = human.dartScores[1] = human.dartScores[2] = 60;
    human.scoreLeft = 301 - 180;
    state->dartState = DartState::Thrown;
    state->hitTimer = 1;
    human.dartsThrown = 2;
    EXPECT_EQ(awardOnDisplay(*state), Award::Ton80);
    human.dartsThrown = 1;
    EXPECT_EQ(awardOnDisplay(*state), Award::None);
    human.dartsThrown = 2;
    human.scoreLeft = -1;
    EXPECT_EQ(awardOnDisplay(*state), Award::None);
    human.scoreLeft = 0;
    EXPECT_EQ(awardOnDisplay(*state), Award::None);
    human.scoreLeft = 121;
    state->hitTimer = 0;  // still in flight
    EXPECT_EQ(awardOnDisplay(*state), Award::None);
}

}  // namespace
}  // namespace darts
