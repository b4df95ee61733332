// A bar game through the match loop: the machine holds for a click only where the mouse passes
// between humans or a leg ends before humans, and the leg still reaches its end.
#include <gtest/gtest.h>

#include <memory>

#include "games/bar_match.h"
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

}  // namespace
}  // namespace darts
