#include "match/match_statistics.h"

#include <algorithm>

namespace darts {

std::optional<TurnEnd> MatchStatistics::addDart(int side, int dart, const DartHit& hit, bool bust,
                                                bool win) {
    if (side < 0 || side > 1 || dart < 0 || dart > 2) return std::nullopt;
    SideStatistics& stats = sides_[side];
    std::array<DartHit, 3>& turn = turns_[side];
    // A new turn starts at its first dart: nothing of the last one may count twice.
    if (dart == 0) turn = {};
    turn[dart] = hit;
    stats.darts += 1;
    if (!bust && !win && dart < 2) return std::nullopt;

    TurnEnd end;
    end.side = side;
    end.bust = bust;
    end.win = win;
    if (!bust) {
        for (int i = 0; i <= dart; ++i) end.points += turn[i].score;
    }
    end.award = awardForTurn(turn, bust, win);
    stats.points += end.points;
    stats.bestTurn = std::max(stats.bestTurn, end.points);
    stats.awards[static_cast<int>(end.award)] += end.award == Award::None ? 0 : 1;
    if (win) winner_ = side;
    return end;
}

std::optional<TurnEnd> MatchStatistics::dartFinished(const GameState& state) {
    const FinishedDart& d = state.lastFinishedDart;
    if (d.dart < 0 || d.dart > 2) return std::nullopt;
    return addDart(d.side, d.dart, dartHitOf(state.darts[d.dart], d.score), d.bust, d.win);
}

}  // namespace darts
