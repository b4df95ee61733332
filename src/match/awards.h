// Awards for a good turn, as a darts bar's machine calls them. Pure functions of the turn's three
// darts: nothing here writes to the game state, so the rules, the computer and the demos'
// checksums never see whether awards are on.
#pragma once

#include <array>
#include <string_view>

#include "core/game_state.h"
#include "match/scoring.h"

namespace darts {

// In order of precedence: the first that applies to a turn is its award.
enum class Award : int {
    None = 0,
    Ton80,
    ThreeInTheBlack,
    HatTrick,
    ThreeInABed,
    HighTon,
    LowTon,
};
constexpr int kAwardKinds = 7;  // None included, so an Award indexes a count table directly

// Where one dart went: its ring, the board number under it (0 for bulls and misses) and its score.
struct DartHit {
    Ring ring = Ring::Miss;
    int number = 0;
    int score = 0;
};

// The award of a turn of three darts. A turn ended by a bust or a win earns nothing.
Award awardForTurn(const std::array<DartHit, 3>& darts, bool bust, bool win);

// Where a dart in the board lies, read from its body the way the scoring reads it; a dart that
// never reached the board is a miss.
DartHit dartHitOf(const DartBody& dart, int score);

// The award standing while the current side's third dart sits in the board, before the rules
// finish it; None at any other moment or when the turn busts or wins.
Award awardOnDisplay(const GameState& state);

// The award's name as drawn and as written to files and tools ("TON 80", ...); "" for None.
std::string_view awardTitle(Award award);
// A short word for files and JSON ("ton80", ...); "" for None.
std::string_view awardKey(Award award);

}  // namespace darts
