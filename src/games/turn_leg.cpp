#include "games/turn_leg.h"

#include <algorithm>
#include <utility>

namespace darts::games {

TurnLeg::TurnLeg(const LegSetup& setup, int roundLimit)
    : setup_(setup), roundLimit_(std::max(roundLimit, 0)) {
    setup_.sides = std::clamp(setup_.sides, 1, kMaxSides);
    setup_.firstSide = ((setup_.firstSide % setup_.sides) + setup_.sides) % setup_.sides;
    side_ = setup_.firstSide;
}

DartOutcome TurnLeg::dart(Hit hit) {
    DartOutcome out;
    if (over_) {
        out.turnOver = true;
        out.legOver = true;
        return out;
    }
    if (dart_ == 0) turnStarted();
    score(hit, out);
    if (over_) {
        out.turnOver = true;
        return out;
    }
    if (!out.bust && ++dart_ < kDartsPerTurn) return out;

    out.turnOver = true;
    dart_ = 0;
    side_ = (side_ + 1) % setup_.sides;
    if (side_ != setup_.firstSide) return out;
    // Every side has thrown this round.
    if (roundLimit_ > 0 && round_ >= roundLimit_) {
        // The board keeps showing the last round, and the last thrower stays up.
        side_ = (side_ + setup_.sides - 1) % setup_.sides;
        limitReached(out);
        return out;
    }
    ++round_;
    return out;
}

void TurnLeg::finish(DartOutcome& out, LegEndReason reason, std::vector<int> winners) {
    over_ = true;
    out.turnOver = true;
    out.legOver = true;
    out.reason = reason;
    out.winners = std::move(winners);
}

void TurnLeg::finishByScore(DartOutcome& out, LegEndReason reason, const std::vector<int>& scores,
                            bool lowestWins, bool share) {
    int best = lowestWins ? *std::min_element(scores.begin(), scores.end())
                          : *std::max_element(scores.begin(), scores.end());
    std::vector<int> tied;
    for (int s = 0; s < static_cast<int>(scores.size()); ++s) {
        if (scores[static_cast<size_t>(s)] == best) tied.push_back(s);
    }
    if (tied.size() == 1 || share) {
        finish(out, reason, std::move(tied));
        return;
    }
    finish(out, reason, {});
    out.corkSides = std::move(tied);
}

}  // namespace darts::games
