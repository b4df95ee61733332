// The bar game that the options name (the words darts-sim also takes), with its seats made from
// the roster: names and portraits, and a character's own two skills.
#pragma once

#include <string>
#include <vector>

#include "core/game_state.h"
#include "games/bar_match.h"
#include "options/command_line.h"

namespace darts {

struct BarGameSetup {
    games::MatchSetup setup;
    std::vector<games::Seat> seats;
    std::string error;  // one line; set when the words make no game this game offers
};

// `you` plays as the player's slot of `state` (its name; "YOU" while none is typed). The roster
// of the state's language is read for guests and characters; with `loadPortraits` their
// portraits are made through the installed loader.
BarGameSetup barGameFromOptions(const GameOptions& options, const GameState& state,
                                bool loadPortraits);

}  // namespace darts
