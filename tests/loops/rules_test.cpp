#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "loops/autoplay.h"
#include "match/flight.h"
#include "match/match_fixture.h"
#include "match/rules.h"

namespace darts {
namespace {

class Rules : public ::testing::Test {
  protected:
    // A dart of the side to throw lands with `score` and its display ends, as the flight does it.
    void land(int score) {
        PlayerSlot& side = currentSide(s);
        DartBody& dart = s.darts[side.dartsThrown];
        dart.z = 13.98f;
        s.dartState = DartState::Thrown;
        side.dartScores[side.dartsThrown] = score;
        side.scoreLeft -= score;
        s.scoresShown += 1;
    }
    void throwDart(int score) {
        land(score);
        finishDart(s);
        ASSERT_TRUE(scoresConsistent(s));
    }
    PlayerSlot& human() { return s.players[kHuman]; }
    PlayerSlot& computer() { return s.players[kComputer]; }

    std::unique_ptr<GameState> owned = testing::preparedMatch();
    GameState& s = *owned;
};

TEST_F(Rules, NewMatchPreparesBothSides) {
    for (const PlayerSlot& side : s.players) {
        EXPECT_EQ(side.scoreLeft, 301);
        EXPECT_EQ(side.turnStartScore, 301);
        EXPECT_EQ(side.dartsThrown, 0);
    }
    EXPECT_EQ(s.matchPhase, MatchPhase::HumanTurn);
    EXPECT_EQ(s.throwStage, ThrowStage::Aiming);
    EXPECT_EQ(s.swingDirection, 1);
    EXPECT_FLOAT_EQ(s.swingAngle, 0.1f);
    EXPECT_FLOAT_EQ(s.swingSpeed, 0.007f);
    EXPECT_EQ(computer().gaugeRange, 10);
    EXPECT_EQ(computer().gaugeSkill, 7);
    EXPECT_EQ(computer().releaseSkill, 5);
    // Gauge targets are whole steps of 0.03 within the range.
    float steps = computer().gaugeTarget / 0.03f;
    EXPECT_NEAR(steps, std::round(steps), 1e-4);
    EXPECT_LE(std::fabs(computer().gaugeTarget), 0.3f + 1e-6f);
    s.inFrontEnd = 0;
    newMatch(s);
    EXPECT_EQ(s.inFrontEnd, 1) << "the front end starts the match itself";
}

TEST_F(Rules, NewMatchKeepsGaugeAndClearsLeftoverScores) {
    s.gaugeValue = 0.12f;
    human().dartScores[1] = 17;  // a match that ended mid-turn
    newMatch(s);
    EXPECT_FLOAT_EQ(s.gaugeValue, 0.12f);
    EXPECT_EQ(human().dartScores[1], 0);
    EXPECT_TRUE(scoresConsistent(s));
}

TEST_F(Rules, ThreeDartsPassTheTurn) {
    throwDart(20);
    throwDart(20);
    EXPECT_EQ(s.matchPhase, MatchPhase::HumanTurn);
    EXPECT_EQ(s.scoresShown, 2);
    throwDart(20);
    EXPECT_EQ(human().scoreLeft, 241);
    EXPECT_EQ(human().turnStartScore, 241);
    EXPECT_EQ(human().turnCount, 1);
    EXPECT_EQ(human().dartsThrown, 0);
    EXPECT_EQ(s.matchPhase, MatchPhase::ComputerTurn);
    EXPECT_EQ(s.scoresShown, 0);
    EXPECT_EQ(s.dartState, DartState::InHand);
    EXPECT_EQ(s.throwStage, ThrowStage::Aiming);
    EXPECT_EQ(s.hitTimer, 0);
}

TEST_F(Rules, BustRestoresTheTurnAndPassesItEarly) {
    human().scoreLeft = human().turnStartScore = 40;
    throwDart(20);
    land(25);
    // Until the dart is finished the bust shows but is not applied.
    EXPECT_EQ(human().scoreLeft, -5);
    ResultTexts texts = resultTexts(s);
    ASSERT_TRUE(texts.shown);
    EXPECT_EQ(texts.score, 25);
    EXPECT_STREQ(texts.outcome, kTextBust);
    finishDart(s);
    EXPECT_EQ(human().scoreLeft, 40);
    EXPECT_EQ(human().turnStartScore, 40);
    EXPECT_EQ(human().dartScores[0], 0);
    EXPECT_EQ(human().dartScores[1], 0);
    EXPECT_EQ(s.matchPhase, MatchPhase::ComputerTurn);
    EXPECT_TRUE(scoresConsistent(s));
}

TEST_F(Rules, CountOfOne) {
    human().scoreLeft = human().turnStartScore = 1;
    throwDart(0);  // a miss leaves 1 and the turn goes on
    EXPECT_EQ(human().scoreLeft, 1);
    EXPECT_EQ(s.matchPhase, MatchPhase::HumanTurn);
    throwDart(3);  // anything else busts
    EXPECT_EQ(human().scoreLeft, 1);
    EXPECT_EQ(s.matchPhase, MatchPhase::ComputerTurn);
    computer().scoreLeft = computer().turnStartScore = 1;
    throwDart(1);
    EXPECT_EQ(s.matchPhase, MatchPhase::MatchOver);
}

TEST_F(Rules, WinOnTheSecondDartEndsWithoutEndOfTurn) {
    human().scoreLeft = human().turnStartScore = 50;
    throwDart(0);
    land(50);
    ResultTexts texts = resultTexts(s);
    EXPECT_STREQ(texts.outcome, kTextYouWin);
    finishDart(s);
    EXPECT_EQ(s.matchPhase, MatchPhase::MatchOver);
    EXPECT_EQ(s.inFrontEnd, 1);
    EXPECT_EQ(s.screen, ScreenId::Title);
    EXPECT_EQ(s.scoresShown, 0);
    EXPECT_EQ(human().turnCount, 0);  // no end of turn
    EXPECT_EQ(computer().turnCount, 0);
    EXPECT_EQ(human().dartsThrown, 2);
    EXPECT_TRUE(s.lastFinishedDart.win);
}

TEST_F(Rules, ComputerWinShowsYouLose) {
    s.matchPhase = MatchPhase::ComputerTurn;
    computer().scoreLeft = computer().turnStartScore = 25;
    land(25);
    EXPECT_STREQ(resultTexts(s).outcome, kTextYouLose);
}

TEST_F(Rules, TournamentWinIsWrittenIntoTheBracket) {
    s.screen = ScreenId::Tournament;
    s.tournamentMatch = 4;
    s.humanMatchPending = 1;
    s.matchPhase = MatchPhase::ComputerTurn;
    computer().characterNumber = 6;
    computer().scoreLeft = computer().turnStartScore = 20;
    throwDart(20);
    EXPECT_EQ(s.tournamentSlots[13], 6);
    EXPECT_EQ(s.tournamentMatch, 5);
    EXPECT_EQ(s.humanMatchPending, 0);
    EXPECT_EQ(s.screen, ScreenId::Tournament);
}

TEST_F(Rules, TournamentWinWithAllSevenMatchesDecidedWritesTheLastSlot) {
    // Match number 8 names slot 17, the bracket's last: a legal write, not one past the end.
    s.screen = ScreenId::Tournament;
    s.tournamentMatch = 8;
    human().characterNumber = 3;
    human().scoreLeft = human().turnStartScore = 20;
    throwDart(20);
    EXPECT_EQ(s.tournamentSlots[17], 3);
    EXPECT_EQ(s.tournamentMatch, 9);
}

TEST_F(Rules, TournamentWinPastTheLastMatchWritesNothingOutOfBounds) {
    s.screen = ScreenId::Tournament;
    s.tournamentMatch = 9;
    human().characterNumber = 3;
    human().scoreLeft = human().turnStartScore = 20;
    throwDart(20);
    EXPECT_EQ(s.tournamentMatch, 10);
    for (int slot : s.tournamentSlots) EXPECT_EQ(slot, 0);
}

TEST_F(Rules, ThreeMissesLeaveTheCount) {
    for (int i = 0; i < 3; ++i) throwDart(0);
    EXPECT_EQ(human().scoreLeft, 301);
    EXPECT_EQ(human().turnStartScore, 301);
    EXPECT_EQ(s.matchPhase, MatchPhase::ComputerTurn);
}

TEST_F(Rules, ResultTextsOnlyOnceTheDartIsInTheBoard) {
    s.dartState = DartState::Thrown;
    s.darts[0].z = 13.9f;
    EXPECT_FALSE(resultTexts(s).shown);
    land(0);
    std::strcpy(human().hitMessage, "NO POINT !!");
    ResultTexts texts = resultTexts(s);
    EXPECT_TRUE(texts.shown);
    EXPECT_STREQ(texts.ring, "NO POINT !!");
    EXPECT_EQ(texts.score, 0);
    EXPECT_EQ(texts.outcome, nullptr);
}

}  // namespace
}  // namespace darts
