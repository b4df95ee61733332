// A leg's statistics and awards, kept from hand-made darts.
#include "games/leg_statistics.h"

#include <gtest/gtest.h>

#include "leg_helpers.h"

namespace darts::games {
namespace {

using namespace test;

void play(LegRules& leg, LegStatistics& stats, std::initializer_list<Hit> hits) {
    for (Hit hit : hits) {
        ASSERT_FALSE(leg.over());
        const int side = leg.sideToThrow();
        const int dart = leg.dartInTurn();
        stats.dart(leg, side, dart, hit, leg.dart(hit));
    }
}

LegSetup cricket(int sides = 2, bool cutThroat = false) {
    LegSetup setup;
    setup.game = LegGame::Cricket;
    setup.sides = sides;
    setup.cricket.cutThroat = cutThroat;
    return setup;
}

TEST(LegStatistics, The01EightyPercentStopsAfterTheSidesOwnRoundThatPassesIt) {
    LegSetup setup;
    setup.x01.start = 701;
    setup.x01.out = OutRule::Double;
    auto leg = makeLeg(setup);
    LegStatistics stats(setup);
    // Side 0: 180, 180, 180 leaves 161 (not yet at 140); then 1 and 20 take it to 140, and the
    // round's third dart still counts. Side 1 throws 60 a round.
    play(*leg, stats, {T(20), T(20), T(20), T(20), kMiss, kMiss});
    play(*leg, stats, {T(20), T(20), T(20), T(20), kMiss, kMiss});
    play(*leg, stats, {T(20), T(20), T(20), T(20), kMiss, kMiss});
    play(*leg, stats, {S(1), S(20), S(20), T(20), kMiss, kMiss});
    // After the 80%: a bust round, then the finish.
    play(*leg, stats, {S(20), T(20), T(20), T(20), kMiss, kMiss});
    play(*leg, stats, {T(20), S(20), D(20)});
    ASSERT_TRUE(leg->over());
    const SideLegStatistics& fast = stats.side(0);
    EXPECT_EQ(fast.rounds, 6);
    EXPECT_EQ(fast.points, 701);
    EXPECT_EQ(fast.rounds80, 4);
    EXPECT_EQ(fast.points80, 540 + 41);
    EXPECT_NEAR(fast.pointsPerRound80(), 581.0 / 4, 1e-9);
    // The slow side never reached 140: its 80% is its whole leg, however far the other got.
    const SideLegStatistics& slow = stats.side(1);
    EXPECT_EQ(slow.rounds, 5);
    EXPECT_EQ(slow.rounds80, 5);
    EXPECT_NEAR(slow.pointsPerRound(), 60.0, 1e-9);
    EXPECT_NEAR(slow.pointsPerRound80(), 60.0, 1e-9);
    // Three 180s; the bust round and the finish earn nothing.
    EXPECT_EQ(fast.awards, (std::vector<GameAward>{GameAward::Ton80, GameAward::Ton80,
                                                    GameAward::Ton80}));
    EXPECT_EQ(slow.awards, (std::vector<GameAward>{}));
}

TEST(LegStatistics, CricketCountsMarksThatOpenOrScoreAndStopsItsEightyPercentAtSixOpened) {
    auto leg = makeLeg(cricket());
    LegStatistics stats(cricket());
    play(*leg, stats, {T(20), T(19), T(18), kMiss, kMiss, kMiss});  // WHITE HORSE
    play(*leg, stats, {T(17), T(16), T(20), T(20), kMiss, kMiss});  // 17, 16 open; 3 on 20 score
    // The other side closes 20, and side 0's 20s score nothing since.
    play(*leg, stats, {T(20), T(20), S(15), T(20), kMiss, kMiss});
    // 15 is side 0's sixth target: the bull after it in the same round still counts.
    play(*leg, stats, {T(15), kOuterBull, kMiss, kMiss, kMiss, kMiss});
    play(*leg, stats, {kInnerBull});  // after the 80%: it closes the last target and wins
    EXPECT_TRUE(leg->over());
    const SideLegStatistics& side = stats.side(0);
    EXPECT_EQ(side.rounds, 5);
    EXPECT_EQ(side.marks, 9 + 9 + 1 + 4 + 2);
    EXPECT_EQ(side.rounds80, 4);
    EXPECT_EQ(side.marks80, 9 + 9 + 1 + 4);
    EXPECT_NEAR(side.marksPerRound80(), 23.0 / 4, 1e-9);
    EXPECT_NEAR(side.marksPerRound(), 25.0 / 5, 1e-9);
    EXPECT_EQ(side.awards, (std::vector<GameAward>{GameAward::WhiteHorse, GameAward::NineMark}));
}

TEST(LegStatistics, CricketMarkAwardsCountOnlyMarksThatCount) {
    // Three sides, cut-throat: marks beyond the third score on any opponent still open.
    auto leg = makeLeg(cricket(3, true));
    LegStatistics stats(cricket(3, true));
    // Side 0 T20 T20 T20 (20 was open to all: WHITE HORSE needs three targets, so NINE MARK).
    play(*leg, stats, {T(20), T(20), T(20)});
    play(*leg, stats, {T(20), T(19), kInnerBull});  // side 1: 3 + 3 + 2 = 8
    play(*leg, stats, {T(20), D(19), kMiss});  // side 2 closes 20 for all; 2 on 19 = 5 marks
    // Side 0: 20 closed for all scores nothing: T(20) none, T(19) 3, D(19) 2 (side 2 still open).
    play(*leg, stats, {T(20), T(19), D(19)});
    // Side 1: its 19s beyond the third score on side 2 only (side 0 has closed 19): 3 + 3.
    play(*leg, stats, {T(19), T(18), kMiss});
    EXPECT_EQ(stats.side(0).awards, (std::vector<GameAward>{GameAward::NineMark,
                                                             GameAward::FiveMark}));
    EXPECT_EQ(stats.side(1).awards, (std::vector<GameAward>{GameAward::EightMark,
                                                             GameAward::SixMark}));
    EXPECT_EQ(stats.side(2).awards, (std::vector<GameAward>{GameAward::FiveMark}));
}

TEST(GameAwards, TurnsOfHandMadeDarts) {
    const std::vector<int> bulls = {25, 25, 50};
    EXPECT_EQ(pointsTurnAward({kOuterBull, kOuterBull, kInnerBull}, bulls, false, false),
              GameAward::HatTrick);
    EXPECT_EQ(pointsTurnAward({kInnerBull, kInnerBull, kInnerBull}, {50, 50, 50}, false, false),
              GameAward::ThreeInTheBlack);
    EXPECT_EQ(pointsTurnAward({S(5), S(5), S(5)}, {5, 5, 5}, false, false),
              GameAward::ThreeInABed);
    // Before a double-in the darts take nothing.
    EXPECT_EQ(pointsTurnAward({T(20), T(20), T(20)}, {0, 0, 0}, false, false),
              GameAward::ThreeInABed);
    EXPECT_EQ(pointsTurnAward({T(20), T(17), S(20)}, {60, 51, 20}, false, false),
              GameAward::LowTon);
    EXPECT_EQ(pointsTurnAward({T(20), T(19), T(18)}, {60, 57, 54}, true, false), GameAward::None);

    // WHITE HORSE wants three different targets, each open to all when the turn began.
    const CricketTurnDart t20{T(20), 3, true}, t19{T(19), 3, true}, t18{T(18), 3, true};
    EXPECT_EQ(cricketTurnAward({t20, t19, t18}), GameAward::WhiteHorse);
    EXPECT_EQ(cricketTurnAward({t20, t20, t18}), GameAward::NineMark);
    EXPECT_EQ(cricketTurnAward({t20, t19, {T(18), 3, false}}), GameAward::NineMark);
    EXPECT_EQ(cricketTurnAward({t20, t19, {kInnerBull, 2, true}}), GameAward::EightMark);
    EXPECT_EQ(cricketTurnAward({t20, t19, {S(18), 1, true}}), GameAward::SevenMark);
    EXPECT_EQ(cricketTurnAward({t20, t19}), GameAward::SixMark);
    EXPECT_EQ(cricketTurnAward({t20, {D(19), 2, true}, {T(15), 0, false}}), GameAward::FiveMark);
    EXPECT_EQ(cricketTurnAward({t20, {S(19), 1, true}, {T(15), 0, false}}), GameAward::None);
    EXPECT_EQ(gameAwardTitle(GameAward::SevenMark), "7 MARK");
    EXPECT_EQ(gameAwardTitle(GameAward::HighTon), "HIGH TON");
}

}  // namespace
}  // namespace darts::games
