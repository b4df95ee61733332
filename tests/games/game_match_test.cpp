#include <gtest/gtest.h>

#include "games/game_match.h"

namespace darts::games {
namespace {

using Step = GameMatch::Step;

DartOutcome wonBy(std::vector<int> winners) {
    DartOutcome out;
    out.legOver = true;
    out.reason = LegEndReason::Out;
    out.winners = std::move(winners);
    return out;
}

DartOutcome tiedAtLimit(std::vector<int> sides) {
    DartOutcome out;
    out.legOver = true;
    out.reason = LegEndReason::Limit;
    out.corkSides = std::move(sides);
    return out;
}

MatchSetup medley(int legs, int sides = 2) {
    MatchSetup setup;
    setup.game = MatchGame::Medley;
    setup.legs = legs;
    setup.sides = sides;
    return setup;
}

TEST(GameMatch, ASingleGameIsOneLegFromSideZero) {
    MatchSetup setup;
    setup.game = MatchGame::Cricket;
    setup.cricket.cutThroat = true;
    setup.sides = 3;
    GameMatch match(setup);
    ASSERT_EQ(match.step(), Step::Leg);
    LegSetup leg = match.legSetup();
    EXPECT_EQ(leg.game, LegGame::Cricket);
    EXPECT_TRUE(leg.cricket.cutThroat);
    EXPECT_EQ(leg.firstSide, 0);
    EXPECT_EQ(leg.sides, 3);
    match.legEnded(wonBy({2}));
    EXPECT_EQ(match.step(), Step::Over);
    EXPECT_EQ(match.winners(), std::vector<int>{2});
    EXPECT_EQ(match.legWins(), (std::vector<int>{0, 0, 1}));

    // Count-Up's shared win is the match's.
    setup.game = MatchGame::CountUp;
    GameMatch countUp(setup);
    countUp.legEnded(wonBy({0, 2}));
    EXPECT_EQ(countUp.winners(), (std::vector<int>{0, 2}));
}

TEST(GameMatch, ATieAtTheLimitIsCorkedAmongTheTiedUntilOneIsNearest) {
    MatchSetup setup;
    setup.sides = 4;
    GameMatch match(setup);
    match.legEnded(tiedAtLimit({0, 2, 3}));
    ASSERT_EQ(match.step(), Step::Cork);
    EXPECT_EQ(match.cork().sides, (std::vector<int>{0, 2, 3}));
    match.corkThrown({0.05, 0.02, 0.02});
    ASSERT_EQ(match.step(), Step::Cork);
    EXPECT_EQ(match.cork().sides, (std::vector<int>{2, 3}));
    match.corkThrown({0.03, 0.01});
    EXPECT_EQ(match.step(), Step::Over);
    EXPECT_EQ(match.winners(), std::vector<int>{3});
    EXPECT_EQ(match.legWins(), (std::vector<int>{0, 0, 0, 1}));
}

TEST(GameMatch, MedleyCorksAlternatesLoserFirstAndTheLastLegIsChosen) {
    GameMatch match(medley(3));
    ASSERT_EQ(match.step(), Step::Cork);
    EXPECT_EQ(match.cork().sides, (std::vector<int>{0, 1}));
    match.corkThrown({0.2, 0.1});
    ASSERT_EQ(match.step(), Step::Leg);
    EXPECT_EQ(match.legNumber(), 1);
    EXPECT_EQ(match.legSetup().game, LegGame::X01);
    EXPECT_EQ(match.legSetup().firstSide, 1);

    match.legEnded(wonBy({1}));
    ASSERT_EQ(match.step(), Step::Leg);
    EXPECT_EQ(match.legNumber(), 2);
    EXPECT_EQ(match.legSetup().game, LegGame::Cricket);
    EXPECT_EQ(match.legSetup().firstSide, 0) << "the loser throws first";

    // A Cricket tie corked: its winner takes the leg.
    match.legEnded(tiedAtLimit({0, 1}));
    ASSERT_EQ(match.step(), Step::Cork);
    match.corkThrown({0.0, 0.3});
    EXPECT_EQ(match.legWins(), (std::vector<int>{1, 1}));

    // The last leg: a cork for all, whose winner chooses the game and throws first.
    ASSERT_EQ(match.step(), Step::Cork);
    EXPECT_EQ(match.legNumber(), 3);
    match.corkThrown({0.4, 0.1});
    ASSERT_EQ(match.step(), Step::ChooseGame);
    EXPECT_EQ(match.chooser(), 1);
    match.choose(LegGame::Cricket);
    ASSERT_EQ(match.step(), Step::Leg);
    EXPECT_EQ(match.legSetup().game, LegGame::Cricket);
    EXPECT_EQ(match.legSetup().firstSide, 1);
    match.legEnded(wonBy({0}));
    EXPECT_EQ(match.step(), Step::Over);
    EXPECT_EQ(match.winners(), std::vector<int>{0});
}

TEST(GameMatch, BestOfFiveEndsOnAMajority) {
    GameMatch match(medley(5, 3));
    match.corkThrown({0.1, 0.2, 0.3});
    EXPECT_EQ(match.legSetup().firstSide, 0);
    match.legEnded(wonBy({2}));
    EXPECT_EQ(match.legSetup().firstSide, 0) << "the side after the winner";
    match.legEnded(wonBy({2}));
    EXPECT_EQ(match.legNumber(), 3);
    EXPECT_EQ(match.legSetup().game, LegGame::X01);
    match.legEnded(wonBy({2}));
    EXPECT_EQ(match.step(), Step::Over);
    EXPECT_EQ(match.winners(), std::vector<int>{2});
    EXPECT_EQ(match.legWins(), (std::vector<int>{0, 0, 3}));
}

TEST(GameMatch, ThreeSidesSplittingTheLegsCorkForTheMatch) {
    GameMatch match(medley(3, 3));
    match.corkThrown({0.1, 0.2, 0.3});
    match.legEnded(wonBy({0}));
    match.legEnded(wonBy({1}));
    match.corkThrown({0.1, 0.2, 0.3});
    match.choose(LegGame::CountUp);
    match.legEnded(wonBy({2}));
    ASSERT_EQ(match.step(), Step::Cork);
    EXPECT_EQ(match.cork().sides, (std::vector<int>{0, 1, 2}));
    match.corkThrown({0.3, 0.2, 0.1});
    EXPECT_EQ(match.winners(), std::vector<int>{2});
}

}  // namespace
}  // namespace darts::games
