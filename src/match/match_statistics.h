// Each side's statistics over one match, built from the rules' events only: every finished dart
// with its ring and sector, the turn ends, the bust and the win. It reads the game state and
// never writes to it.
#pragma once

#include <array>
#include <optional>

#include "core/game_state.h"
#include "match/awards.h"

namespace darts {

struct SideStatistics {
    int darts = 0;     // every dart finished, those of a bust turn included
    int points = 0;    // a bust turn scores 0
    int bestTurn = 0;  // the most points of one turn
    std::array<int, kAwardKinds> awards = {};  // by Award; [0] unused

    double pointsPerDart() const { return darts == 0 ? 0.0 : static_cast<double>(points) / darts; }
    double pointsPerRound() const { return 3.0 * pointsPerDart(); }
};

// What closed a turn, once its last dart is finished.
struct TurnEnd {
    int side = 0;
    int points = 0;  // 0 for a bust
    bool bust = false;
    bool win = false;
    Award award = Award::None;
};

class MatchStatistics {
  public:
    // One finished dart of `side` (dart 0..2 within its turn). Returns the turn's end when this
    // dart closed it: a bust, a win or the third dart.
    std::optional<TurnEnd> addDart(int side, int dart, const DartHit& hit, bool bust, bool win);

    // The same, read from the state in the frame a dart was finished: lastFinishedDart is that
    // dart and its body still lies where it landed.
    std::optional<TurnEnd> dartFinished(const GameState& state);

    const SideStatistics& side(int index) const { return sides_[index]; }
    // The side that won, or -1 while the match goes on (or was abandoned).
    int winner() const { return winner_; }

  private:
    std::array<SideStatistics, 2> sides_ = {};
    std::array<std::array<DartHit, 3>, 2> turns_ = {};
    int winner_ = -1;
};

}  // namespace darts
