#include "games/x01_leg.h"

namespace darts::games {

namespace {

bool isBull(Hit hit, BullRule bull) {
    return hit.ring == Ring::InnerBull || (hit.ring == Ring::OuterBull && bull == BullRule::Fat);
}

// A dart that may open a count (in) or finish it (out). Double: a double or the inner bull (a fat
// outer bull is still a single bull). Master: a double, a triple or a bull, the outer one too
// when it counts 50.
bool qualifies(Hit hit, bool master, BullRule bull) {
    if (hit.ring == Ring::Double || hit.ring == Ring::InnerBull) return true;
    return master && (hit.ring == Ring::Triple || isBull(hit, bull));
}

}  // namespace

X01Leg::X01Leg(const LegSetup& setup) : TurnLeg(setup, setup.x01.roundLimit), rules_(setup.x01) {
    for (int s = 0; s < sides(); ++s) {
        left_[static_cast<size_t>(s)] = rules_.start;
        in_[static_cast<size_t>(s)] = rules_.in == InRule::Open;
    }
}

std::string X01Leg::name() const { return std::to_string(rules_.start); }

int X01Leg::left(int side) const { return left_.at(static_cast<size_t>(side)); }

void X01Leg::turnStarted() {
    turnStartLeft_ = left_[static_cast<size_t>(sideToThrow())];
    turnStartIn_ = in_[static_cast<size_t>(sideToThrow())];
}

void X01Leg::score(Hit hit, DartOutcome& out) {
    const int side = sideToThrow();
    int& left = left_[static_cast<size_t>(side)];
    bool& in = in_[static_cast<size_t>(side)];
    if (!in) {
        if (!qualifies(hit, rules_.in == InRule::Master, rules_.bull)) return;
        in = true;
    }
    const int points = hitPoints(hit, rules_.bull);
    if (points == 0) return;

    const int after = left - points;
    bool bust = after < 0;
    if (rules_.out != OutRule::Open) {
        // No double or triple makes 1, and the last dart must be one of the out rule's.
        bool finisher = qualifies(hit, rules_.out == OutRule::Master, rules_.bull);
        bust = bust || after == 1 || (after == 0 && !finisher);
    }
    if (bust) {
        // The whole turn is struck out, a double-in thrown in it too.
        left = turnStartLeft_;
        in = turnStartIn_;
        out.bust = true;
        return;
    }
    left = after;
    out.counted = true;
    if (after == 0) finish(out, LegEndReason::Out, {side});
}

void X01Leg::limitReached(DartOutcome& out) {
    std::vector<int> counts(left_.begin(), left_.begin() + sides());
    finishByScore(out, LegEndReason::Limit, counts, /*lowestWins=*/true, /*share=*/false);
}

}  // namespace darts::games
