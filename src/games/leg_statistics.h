// Each side's statistics over one leg of a bar game and the awards its turns earned, kept from the
// darts the leg counted (the rules' own outcomes, never the screen):
//   01: points per round over the whole leg, and the 80% stat (rating_stats.h: per side, until
//       the side itself has taken 80% of its start count off, that round counted whole);
//   Cricket: marks per round that counted (rating_stats.h) over the whole leg, and until the side
//       itself has opened six of the seven targets, that round counted whole;
//   Count-Up: the total.
// A round is a turn the side began: a bust turn is a round that took nothing, and a leg won by the
// first dart of a turn counts that turn whole.
#pragma once

#include <array>
#include <vector>

#include "games/game_awards.h"
#include "games/leg_rules.h"

namespace darts::games {

struct SideLegStatistics {
    int rounds = 0;
    int points = 0;  // 01: taken off the count; Count-Up: the total
    int marks = 0;   // Cricket: the marks that counted
    // The same until the side passed 80% (the round that passed it included).
    int rounds80 = 0, points80 = 0, marks80 = 0;
    std::vector<GameAward> awards;  // in the order the turns earned them

    double pointsPerRound() const { return perRound(points, rounds); }
    double pointsPerRound80() const { return perRound(points80, rounds80); }
    double marksPerRound() const { return perRound(marks, rounds); }
    double marksPerRound80() const { return perRound(marks80, rounds80); }

  private:
    static double perRound(int count, int turns) { return turns > 0 ? double(count) / turns : 0.0; }
};

class LegStatistics {
  public:
    explicit LegStatistics(const LegSetup& setup = {});

    // After every dart of the leg, with the leg as it stands after it (as BarMatch sees it).
    void dart(const LegRules& leg, int side, int dartInTurn, Hit hit, const DartOutcome& outcome);

    const LegSetup& setup() const { return setup_; }
    int sides() const { return setup_.sides; }
    const SideLegStatistics& side(int index) const { return sides_.at(static_cast<size_t>(index)); }

  private:
    void turnEnded(int side, const DartOutcome& outcome);

    struct Turn {
        std::vector<Hit> hits;
        std::vector<int> points;  // 01 and Count-Up: what each dart took or scored
        std::vector<CricketTurnDart> cricket;
    };
    LegSetup setup_;
    std::array<SideLegStatistics, kMaxSides> sides_{};
    std::array<bool, kMaxSides> past80_{};  // the side's 80% stat is complete
    std::array<bool, kMaxSides> crossing_{};  // it passed 80% in the turn in play
    Turn turn_;
    // The leg as it stood before the dart: each side's count or points, and its Cricket marks.
    std::array<int, kMaxSides> left_{}, scores_{};
    std::array<std::array<int, 7>, kMaxSides> marks_{};
    std::array<bool, 7> freshTargets_{};  // at the start of the turn in play: nobody had opened it
};

// A finished leg's statistics, by its number in the match (from 1).
struct PlayedLeg {
    int leg = 0;
    LegStatistics statistics;
};

// A side's statistics over the legs of a match, each game's counts summed (so that every round
// weighs alike in the per-round figures), and how many of each award.
struct SideMatchStatistics {
    SideLegStatistics x01, cricket, countUp;  // their award lists stay empty
    int x01Legs = 0, cricketLegs = 0, countUpLegs = 0;
    std::array<int, kGameAwardKinds> awards{};  // by GameAward; [0] unused
};
SideMatchStatistics sumLegs(const std::vector<PlayedLeg>& legs, int side);

}  // namespace darts::games
