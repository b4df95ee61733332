// A bar game through the match loop: the machine holds for a click only where the mouse passes
// between humans or a leg ends before humans, and the leg still reaches its end; a human who won
// a medley's last cork chooses its game; a hand-over click read whole in one slow frame leaves
// the next click to the throw; a tournament's match gives the bracket its winner; and the game
// select's choice goes into the options and back whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "games/bar_match.h"
#include "loops/bar_game_setup.h"
#include "loops/bar_machine.h"
#include "loops/match_loop.h"
#include "render/device.h"

namespace darts {
namespace {

// Plays a 301 for the seats with the computer's decisions at every seat (and at every click), and
// counts the pauses the machine began.
int pausesIn(std::vector<games::Seat> seats, std::vector<int>& winners) {
    auto state = std::make_unique<GameState>();
    seedRandom(*state, 3);
    state->players[kHuman].characterNumber = 5;  // the player's, chosen on the title's screen
    render::HeadlessDevice device;
    games::MatchSetup setup;
    setup.x01.start = 301;
    setup.sides = static_cast<int>(seats.size());
    games::BarMatch match(setup, std::move(seats));
    match.start(*state);
    state->inFrontEnd = 0;
    int pauses = 0;
    bool held = false;
    MatchLoopOptions options;
    options.computerPlaysHuman = true;
    options.afterFrame = [&](const GameState& s) {
        const bool holds = s.rules != nullptr && s.rules->holdsForClick();
        pauses += holds && !held;
        held = holds;
        return s.framesDrawn < 500'000;
    };
    platform::NoInput input;
    FrameIo io{device, input};
    EXPECT_EQ(runMatch(*state, io, options), MatchLoopEnd::Ended);
    EXPECT_EQ(state->rules, nullptr);  // the match let go of the state
    EXPECT_EQ(state->players[kHuman].characterNumber, 5);  // and gave the player's slot back
    winners = match.match().winners();
    return pauses;
}

TEST(BarMatchLoop, HoldsForAClickOnlyBetweenHumansAndAtTheEnd) {
    games::Seat human;
    human.human = true;
    games::Seat computer;
    computer.spread = games::levelSpread(18);
    std::vector<int> winners;

    EXPECT_EQ(pausesIn({computer, computer}, winners), 0);
    EXPECT_EQ(winners.size(), 1u);

    // One human: no hand-over, one pause for the end of the game.
    EXPECT_EQ(pausesIn({human, computer}, winners), 1);
    // Two humans: the mouse changes hands every turn, and the game's end.
    EXPECT_GT(pausesIn({human, computer, human}, winners), 2);
    EXPECT_EQ(winners.size(), 1u);
}

// Plays the match with the computer deciding every seat's darts and clicks; `onFrame` sees the
// match after every frame.
void playOut(GameState& state, games::BarMatch& match,
             const std::function<void(games::BarMatch&)>& onFrame = {}) {
    render::HeadlessDevice device;
    match.start(state);
    state.inFrontEnd = 0;
    MatchLoopOptions options;
    options.computerPlaysHuman = true;
    options.afterFrame = [&](const GameState& s) {
        if (onFrame) onFrame(match);
        return s.framesDrawn < 1'000'000;
    };
    platform::NoInput input;
    FrameIo io{device, input};
    ASSERT_EQ(runMatch(state, io, options), MatchLoopEnd::Ended);
}

TEST(BarMatchLoop, AHumanWhoWonTheLastCorkOfAMedleyChoosesItsGame) {
    games::Seat human;
    human.human = true;
    games::MatchSetup setup;
    setup.game = games::MatchGame::Medley;
    setup.x01.start = 301;
    setup.x01.roundLimit = 10;  // the slot's own skills throw wide: every leg must still end
    setup.cricket.roundLimit = 15;
    int chosen = 0;
    for (uint32_t seed = 1; seed < 40 && chosen == 0; ++seed) {
        auto state = std::make_unique<GameState>();
        seedRandom(*state, seed);
        // The humans' darts are the computer's for the player's slot: a character's skills.
        state->players[kHuman].gaugeRange = 10;
        state->players[kHuman].gaugeSkill = 7;
        state->players[kHuman].releaseSkill = 5;
        games::BarMatch match(setup, {human, human});
        bool pointed = false;
        playOut(*state, match, [&](games::BarMatch& m) {
            if (m.pause() == games::BarPause::ChooseGame && !pointed) {
                m.pointerMoved(-10, 0);
                EXPECT_EQ(m.view().choice, games::LegGame::X01);
                m.pointerMoved(3, 0);  // a hand resting on the mouse changes nothing
                EXPECT_EQ(m.view().choice, games::LegGame::X01);
                m.pointerMoved(10, 0);
                EXPECT_EQ(m.view().choice, games::LegGame::Cricket);
                pointed = true;
            }
            if (pointed && m.leg() != nullptr && m.match().legNumber() == 3 && !m.corkInPlay()) {
                EXPECT_EQ(m.leg()->setup().game, games::LegGame::Cricket);
                chosen += 1;
                pointed = false;
            }
        });
    }
    EXPECT_GT(chosen, 0) << "no medley went to its last leg";
}

// The mouse records of one frame, handed out at the next read.
class NextFrameMouse final : public platform::InputSource {
  public:
    std::vector<platform::MouseRecord> next;
    bool escapeDown() override { return false; }
    int readMouse(platform::MouseRecord* out, int capacity) override {
        const int count = std::min(capacity, static_cast<int>(next.size()));
        std::copy_n(next.begin(), count, out);
        next.clear();
        return count;
    }
};

// A slow frame reads the hand-over click's press and release together: the next human's one
// click must still set the arm swinging, not be taken for that click's release.
TEST(BarMatchLoop, AHandOverClickReadWholeInOneFrameLeavesTheNextClickToTheThrow) {
    auto state = std::make_unique<GameState>();
    seedRandom(*state, 3);
    games::Seat human;
    human.human = true;
    games::MatchSetup setup;
    setup.x01.start = 301;
    games::BarMatch match(setup, {human, human});
    match.start(*state);
    state->inFrontEnd = 0;
    render::HeadlessDevice device;
    NextFrameMouse input;
    FrameIo io{device, input};
    const std::vector<platform::MouseRecord> click{
        {platform::MouseObject::Button0, platform::kButtonPressed},
        {platform::MouseObject::Button0, 0}};
    bool clicked = false, held = false, handedOver = false, swungAfter = false;
    MatchLoopOptions options;
    options.afterFrame = [&](const GameState& s) {
        const bool holds = s.rules != nullptr && s.rules->holdsForClick();
        const bool aiming = !holds && s.throwStage == ThrowStage::Aiming;
        if (holds != held) {
            // A player clicks once the plate is up, a frame later.
            held = holds;
            clicked = false;
        } else if (!holds && !aiming) {
            swungAfter = handedOver;
            clicked = false;
        } else if (!clicked) {
            // One click for each pause and each dart, as a player waits for what it started.
            input.next = click;
            clicked = true;
            handedOver = handedOver || match.pause() == games::BarPause::HandOver;
        }
        return !swungAfter && s.framesDrawn < 20'000;
    };
    runMatch(*state, io, options);
    EXPECT_TRUE(handedOver);
    EXPECT_TRUE(swungAfter) << "the click after the hand-over did not throw";
}

TEST(BarMatchLoop, ATournamentMatchPutsItsWinnerInTheBracket) {
    auto state = std::make_unique<GameState>();
    seedRandom(*state, 5);
    state->screen = ScreenId::Tournament;
    state->tournamentMatch = 2;
    games::Seat player, opponent;
    player.character = 4;
    player.spread = games::levelSpread(1);
    opponent.character = 6;
    opponent.spread = games::levelSpread(18);
    games::MatchSetup setup;
    setup.x01.start = 301;
    games::BarMatch match(setup, {player, opponent});
    playOut(*state, match);
    EXPECT_EQ(state->screen, ScreenId::Tournament);
    EXPECT_EQ(state->tournamentMatch, 3);
    EXPECT_EQ(state->tournamentSlots[11], match.match().winners().front() == 0 ? 4 : 6);
}

TEST(BarMachine, AChoiceGoesIntoTheOptionsAndBackWhole) {
    frontend::GameSelectChoice choice;
    choice.game = frontend::SelectGame::Medley;
    choice.x01Start = 701;
    choice.out = games::OutRule::Master;
    choice.rounds = 15;
    choice.legs = 5;
    // A guest's typed name (Shift-JIS "Aki あき") travels as UTF-8 and plays as typed.
    choice.seats = {{frontend::SeatChoice::Kind::You, 0, 0},
                    {frontend::SeatChoice::Kind::Guest, 3, 0, "Aki \x82\xa0\x82\xab"},
                    {frontend::SeatChoice::Kind::Computer, 7, 12}};
    const GameOptions options = optionsWithChoice(GameOptions{}, choice);
    EXPECT_EQ(options.sides, "you,guest3:Aki \xe3\x81\x82\xe3\x81\x8d,r12c7");
    const std::optional<frontend::GameSelectChoice> back = choiceOfOptions(options);
    ASSERT_TRUE(back);
    EXPECT_EQ(frontend::choiceWords(*back), frontend::choiceWords(choice));
    EXPECT_EQ(back->seats[1].name, choice.seats[1].name);
    auto state = std::make_unique<GameState>();
    const BarGameSetup made = barGameFromOptions(options, *state, false);
    ASSERT_EQ(made.seats.size(), 3u);
    EXPECT_TRUE(made.seats[1].human);
    EXPECT_EQ(made.seats[1].name, "Aki \x82\xa0\x82\xab");
    EXPECT_EQ(made.seats[1].character, 3);
    EXPECT_EQ(choiceOfOptions(GameOptions{}), std::nullopt);  // no game named yet
}

}  // namespace
}  // namespace darts
