#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "games/computer_aim.h"
#include "match/rules.h"
#include "match/throw_simulation.h"

namespace darts::games {
namespace {

// The scoreboard of a leg as a test sets it: chooseTarget only reads it.
class FakeLeg : public LegRules {
  public:
    explicit FakeLeg(LegGame game) {
        setup_.game = game;
        left_.fill(501);
    }
    std::string name() const override { return "fake"; }
    int sideToThrow() const override { return side_; }
    int dartInTurn() const override { return dart_; }
    int round() const override { return 1; }
    bool over() const override { return false; }
    DartOutcome dart(Hit) override { return {}; }
    int left(int side) const override { return left_[side]; }
    int points(int side) const override { return points_[side]; }
    std::array<int, 7> marks(int side) const override { return marks_[side]; }
    const LegSetup& setup() const override { return setup_; }

    LegSetup setup_;
    int side_ = 0;
    int dart_ = 0;
    std::array<int, kMaxSides> left_{};
    std::array<int, kMaxSides> points_{};
    std::array<std::array<int, 7>, kMaxSides> marks_{};
};

bool is(const AimTarget& target, Ring ring, int number) {
    return target.bed.ring == ring && target.bed.number == number;
}

const ThrowSpread kGood = levelSpread(highestLevel());

TEST(ComputerAim, EveryBedIsAimedInsideItselfAndLandedInAtNoSpread) {
    std::vector<Hit> beds = {{Ring::InnerBull, 25}, {Ring::OuterBull, 25}};
    for (int n = 1; n <= 20; ++n) {
        for (Ring ring : {Ring::Single, Ring::Triple, Ring::Double}) beds.push_back({ring, n});
    }
    auto state = std::make_unique<GameState>();
    state->dartState = DartState::InHand;
    newMatch(*state);
    state->matchPhase = MatchPhase::ComputerTurn;
    ComputerBrain brain;
    for (Hit bed : beds) {
        AimTarget target = bedTarget(bed);
        Hit aimed = hitAt(target.point);
        EXPECT_TRUE(aimed.ring == bed.ring && aimed.number == bed.number) << bed.number;
        auto aim = solveAim(target.point);
        ASSERT_TRUE(aim);
        auto landing = simulateThrow(aim->releaseAngle, aim->aimYaw, 0.0f);
        ASSERT_TRUE(landing);
        Hit landed = hitAt({landing->x, landing->y});
        EXPECT_TRUE(landed.ring == bed.ring && landed.number == bed.number)
            << static_cast<int>(bed.ring) << " " << bed.number;
        Hit thrown = throwHeadless(*state, brain, target, {});
        EXPECT_TRUE(thrown.ring == landed.ring && thrown.number == landed.number) << bed.number;
    }
    EXPECT_TRUE(is(corkTarget(), Ring::InnerBull, 25));
}

TEST(ComputerAim, DoubleOutFinishesAndSetsUpWithoutLeavingOne) {
    FakeLeg leg(LegGame::X01);
    leg.setup_.x01.out = OutRule::Double;
    auto at = [&](int count) {
        leg.left_[0] = count;
        return chooseTarget(leg, kGood);
    };
    EXPECT_TRUE(is(at(40), Ring::Double, 20));
    EXPECT_TRUE(is(at(32), Ring::Double, 16));
    EXPECT_TRUE(is(at(2), Ring::Double, 1));
    EXPECT_TRUE(is(at(50), Ring::InnerBull, 25));
    EXPECT_TRUE(is(at(3), Ring::Single, 1));
    EXPECT_TRUE(is(at(100), Ring::Triple, 20));
    for (int count = 2; count <= 501; ++count) {
        AimTarget target = at(count);
        int left = count - hitPoints(target.bed, BullRule::Separate);
        bool doubleFinish = left == 0 && (target.bed.ring == Ring::Double ||
                                          target.bed.ring == Ring::InnerBull);
        EXPECT_TRUE(left >= 2 || doubleFinish) << count;
        // A count a single dart can set up is set up, onto a one-dart finish.
        if (count <= 40 && count % 2 == 1) {
            EXPECT_EQ(left % 2, 0) << count;
        }
    }
}

TEST(ComputerAim, MasterOutAndOpenOutFinishOnTheirBeds) {
    FakeLeg leg(LegGame::X01);
    leg.setup_.x01.out = OutRule::Master;
    leg.left_[0] = 57;
    EXPECT_TRUE(is(chooseTarget(leg, kGood), Ring::Triple, 19));
    leg.left_[0] = 1;
    leg.setup_.x01.out = OutRule::Open;
    EXPECT_TRUE(is(chooseTarget(leg, kGood), Ring::Single, 1));
    leg.left_[0] = 23;  // nothing finishes it: keep going without busting
    EXPECT_LE(hitPoints(chooseTarget(leg, kGood).bed, BullRule::Separate), 22);
}

TEST(ComputerAim, DoubleInAimsAtADoubleFirst) {
    FakeLeg leg(LegGame::X01);
    leg.setup_.x01.in = InRule::Double;
    AimTarget first = chooseTarget(leg, kGood);
    EXPECT_TRUE(first.bed.ring == Ring::Double || first.bed.ring == Ring::InnerBull);
    leg.left_[0] = 461;
    EXPECT_NE(chooseTarget(leg, kGood).bed.ring, Ring::Double);
}

TEST(ComputerAim, CricketClosesWhatAnOpponentScoresOnElseScoresOrCloses) {
    FakeLeg leg(LegGame::Cricket);
    leg.setup_.sides = 2;
    EXPECT_TRUE(is(chooseTarget(leg, kGood), Ring::Triple, 20));
    // The opponent has 19 closed and scores on it; I have 20 closed.
    leg.marks_[1][4] = 3;
    leg.marks_[0][5] = 3;
    leg.points_[1] = 38;
    EXPECT_TRUE(is(chooseTarget(leg, kGood), Ring::Triple, 19));
    // 19 closed too, and behind: score on 20, which the opponent has open.
    leg.marks_[0][4] = 3;
    EXPECT_TRUE(is(chooseTarget(leg, kGood), Ring::Triple, 20));
    // Ahead: close the next number.
    leg.points_[0] = 60;
    EXPECT_TRUE(is(chooseTarget(leg, kGood), Ring::Triple, 18));
    // Everything but the bull closed: the bull.
    for (int i = 0; i < 6; ++i) leg.marks_[0][i] = 3;
    EXPECT_TRUE(is(chooseTarget(leg, kGood), Ring::InnerBull, 25));
}

TEST(ComputerAim, CutThroatScoresWhereTheLeaderIsOpen) {
    FakeLeg leg(LegGame::Cricket);
    leg.setup_.sides = 3;
    leg.setup_.cricket.cutThroat = true;
    leg.marks_[0][5] = 3;  // I have 20 and 19 closed
    leg.marks_[0][4] = 3;
    leg.marks_[1][5] = 3;  // side 1 has 20 closed, side 2 is open everywhere
    leg.points_[0] = 40;
    leg.points_[1] = 0;    // side 1 leads, with 19 open
    leg.points_[2] = 80;
    EXPECT_TRUE(is(chooseTarget(leg, kGood), Ring::Triple, 19));
}

TEST(ComputerAim, CountUpScoresOnTheTreble20OrTheBull) {
    FakeLeg leg(LegGame::CountUp);
    for (int level = 1; level <= highestLevel(); ++level) {
        AimTarget target = chooseTarget(leg, levelSpread(level));
        EXPECT_TRUE(is(target, Ring::Triple, 20) || is(target, Ring::InnerBull, 25)) << level;
    }
}

TEST(ComputerAim, LevelsGrowStrongerAndCharactersKeepTheirSkills) {
    ASSERT_GE(highestLevel(), 9);
    // A level trades gauge for release to fit both statistics, so its strength is what it
    // scores: 400 darts of 01 scoring by the real throw, every fourth level.
    auto state = std::make_unique<GameState>();
    state->dartState = DartState::InHand;
    newMatch(*state);
    state->matchPhase = MatchPhase::ComputerTurn;
    seedRandom(*state, 5);
    ComputerBrain brain;
    FakeLeg leg(LegGame::X01);
    double weaker = 0;
    for (int level = 1; level <= highestLevel(); level += 4) {
        const ThrowSpread spread = levelSpread(level);
        int points = 0;
        for (int dart = 0; dart < 400; ++dart) {
            points += hitPoints(throwHeadless(*state, brain, chooseTarget(leg, spread), spread),
                                BullRule::Separate);
        }
        EXPECT_GT(points / 400.0, weaker) << level;
        weaker = points / 400.0;
    }
    EXPECT_DOUBLE_EQ(expectedPoints({Ring::Triple, 20}, {}, BullRule::Separate), 60);
    ThrowSpread roster = characterSpread(7, 5);
    EXPECT_DOUBLE_EQ(roster.gauge, 0.21);
    EXPECT_DOUBLE_EQ(roster.release, 0.05);
}

}  // namespace
}  // namespace darts::games
