#include "games/leg_statistics.h"

#include <algorithm>

#include "games/cricket_leg.h"
#include "games/rating_stats.h"

namespace darts::games {

LegStatistics::LegStatistics(const LegSetup& setup) : setup_(setup) {
    setup_.sides = std::clamp(setup_.sides, 1, kMaxSides);
    left_.fill(setup_.x01.start);
}

void LegStatistics::dart(const LegRules& leg, int side, int dartInTurn, Hit hit,
                         const DartOutcome& outcome) {
    if (side < 0 || side >= sides()) return;
    const auto me = static_cast<size_t>(side);
    SideLegStatistics& stats = sides_[me];
    if (dartInTurn == 0) {
        stats.rounds += 1;
        turn_ = {};
        for (size_t t = 0; t < freshTargets_.size(); ++t) {
            bool fresh = true;
            for (int s = 0; s < sides(); ++s) fresh = fresh && marks_[static_cast<size_t>(s)][t] < 3;
            freshTargets_[t] = fresh;
        }
    }
    turn_.hits.push_back(hit);

    bool crossed = false;
    switch (setup_.game) {
        case LegGame::X01: {
            const int left = leg.left(side);
            // A bust puts the count back: the turn took nothing, whatever its darts did.
            turn_.points.push_back(outcome.bust ? 0 : left_[me] - left);
            stats.points = setup_.x01.start - left;
            crossed = pastEightyPercent(setup_.x01.start, left);
            left_[me] = left;
            break;
        }
        case LegGame::CountUp:
            turn_.points.push_back(leg.points(side) - stats.points);
            stats.points = leg.points(side);
            break;
        case LegGame::Cricket: {
            const std::array<int, 7> marks = leg.marks(side);
            const int target = cricketTarget(hit);
            int counted = 0;
            if (target >= 0) {
                const auto t = static_cast<size_t>(target);
                const int opened = marks[t] - marks_[me][t];
                // Beyond the opening ones, marks count only when they scored: on somebody's
                // points (this side's, or in cut-throat the opponents').
                bool scored = false;
                for (int s = 0; s < sides(); ++s) {
                    scored = scored || leg.points(s) > scores_[static_cast<size_t>(s)];
                }
                counted = opened + (scored ? cricketMarks(hit) - opened : 0);
                turn_.cricket.push_back({hit, counted, freshTargets_[t]});
            } else {
                turn_.cricket.push_back({hit, 0, false});
            }
            stats.marks += counted;
            crossed = pastEightyPercent(marks);
            for (int s = 0; s < sides(); ++s) {
                marks_[static_cast<size_t>(s)] = leg.marks(s);
                scores_[static_cast<size_t>(s)] = leg.points(s);
            }
            break;
        }
    }

    if (!past80_[me]) {
        crossing_[me] = crossing_[me] || crossed;
        stats.rounds80 = stats.rounds;
        stats.points80 = stats.points;
        stats.marks80 = stats.marks;
    }
    if (outcome.turnOver || outcome.legOver) turnEnded(side, outcome);
}

void LegStatistics::turnEnded(int side, const DartOutcome& outcome) {
    const auto me = static_cast<size_t>(side);
    if (crossing_[me]) past80_[me] = true;
    GameAward award = GameAward::None;
    if (setup_.game == LegGame::Cricket) {
        award = cricketTurnAward(turn_.cricket);
    } else {
        const bool win = setup_.game == LegGame::X01 && outcome.reason == LegEndReason::Out;
        award = pointsTurnAward(turn_.hits, turn_.points, outcome.bust, win);
    }
    if (award != GameAward::None) sides_[me].awards.push_back(award);
    turn_ = {};
}

SideMatchStatistics sumLegs(const std::vector<PlayedLeg>& legs, int side) {
    SideMatchStatistics sum;
    for (const PlayedLeg& played : legs) {
        const LegStatistics& leg = played.statistics;
        if (side < 0 || side >= leg.sides()) continue;
        const SideLegStatistics& s = leg.side(side);
        SideLegStatistics& into = leg.setup().game == LegGame::X01       ? sum.x01
                                  : leg.setup().game == LegGame::Cricket ? sum.cricket
                                                                         : sum.countUp;
        int& count = leg.setup().game == LegGame::X01       ? sum.x01Legs
                     : leg.setup().game == LegGame::Cricket ? sum.cricketLegs
                                                            : sum.countUpLegs;
        count += 1;
        into.rounds += s.rounds;
        into.points += s.points;
        into.marks += s.marks;
        into.rounds80 += s.rounds80;
        into.points80 += s.points80;
        into.marks80 += s.marks80;
        for (GameAward award : s.awards) sum.awards[static_cast<size_t>(award)] += 1;
    }
    return sum;
}

}  // namespace darts::games
