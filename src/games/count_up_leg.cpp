#include "games/count_up_leg.h"

#include <algorithm>

namespace darts::games {

CountUpLeg::CountUpLeg(const LegSetup& setup)
    : TurnLeg(setup, std::max(setup.countUp.rounds, 1)) {}

void CountUpLeg::score(Hit hit, DartOutcome& out) {
    int points = hitPoints(hit, BullRule::Fat);
    points_[static_cast<size_t>(sideToThrow())] += points;
    out.counted = points > 0;
}

void CountUpLeg::limitReached(DartOutcome& out) {
    std::vector<int> totals(points_.begin(), points_.begin() + sides());
    finishByScore(out, LegEndReason::Rounds, totals, /*lowestWins=*/false, /*share=*/true);
}

}  // namespace darts::games
