#include "games/cricket_leg.h"

#include <algorithm>

namespace darts::games {

namespace {

constexpr int kOpen = 3;

}  // namespace

int cricketTarget(Hit hit) {
    if (hit.ring == Ring::InnerBull || hit.ring == Ring::OuterBull) return 6;
    if (hit.ring == Ring::Miss || hit.number < 15 || hit.number > 20) return -1;
    return hit.number - 15;
}

int cricketMarks(Hit hit) {
    switch (hit.ring) {
        case Ring::Single:
        case Ring::OuterBull: return 1;
        case Ring::Double:
        case Ring::InnerBull: return 2;
        case Ring::Triple: return 3;
        case Ring::Miss: break;
    }
    return 0;
}

CricketLeg::CricketLeg(const LegSetup& setup)
    : TurnLeg(setup, setup.cricket.roundLimit), rules_(setup.cricket) {}

bool CricketLeg::closedByAll(size_t target) const {
    for (int s = 0; s < sides(); ++s) {
        if (marks_[static_cast<size_t>(s)][target] < kOpen) return false;
    }
    return true;
}

void CricketLeg::score(Hit hit, DartOutcome& out) {
    const int target = cricketTarget(hit);
    if (target < 0 || closedByAll(static_cast<size_t>(target))) return;
    const auto t = static_cast<size_t>(target);
    const auto side = static_cast<size_t>(sideToThrow());

    int hits = cricketMarks(hit);
    int& mine = marks_[side][t];
    const int opening = std::min(hits, kOpen - mine);
    mine += opening;
    const int extra = hits - opening;
    out.counted = opening > 0;

    // Marks beyond the third score on every opponent still open on the target: for this side, or
    // in cut-throat for each such opponent.
    const int value = extra * kCricketNumbers[t];
    for (int s = 0; s < sides() && value > 0; ++s) {
        const auto other = static_cast<size_t>(s);
        if (other == side || marks_[other][t] >= kOpen) continue;
        out.counted = true;
        if (rules_.cutThroat) {
            points_[other] += value;
        } else {
            points_[side] += value;
            break;
        }
    }

    // A cut-throat dart can hand the lead to a side that closed everything earlier, so every
    // side is checked, this one first.
    for (int k = 0; k < sides(); ++k) {
        int s = (sideToThrow() + k) % sides();
        if (hasWon(s)) {
            finish(out, LegEndReason::Closed, {s});
            return;
        }
    }
}

bool CricketLeg::hasWon(int side) const {
    const auto me = static_cast<size_t>(side);
    for (int m : marks_[me]) {
        if (m < kOpen) return false;
    }
    for (int s = 0; s < sides(); ++s) {
        int theirs = points_[static_cast<size_t>(s)];
        if (rules_.cutThroat ? points_[me] > theirs : points_[me] < theirs) return false;
    }
    return true;
}

void CricketLeg::limitReached(DartOutcome& out) {
    std::vector<int> scores(points_.begin(), points_.begin() + sides());
    finishByScore(out, LegEndReason::Limit, scores, /*lowestWins=*/rules_.cutThroat,
                  /*share=*/false);
}

}  // namespace darts::games
