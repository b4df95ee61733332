// The two statistics the bar machines rate a player by, kept from the darts of real legs, and the
// rating (Rt) they stand for.
//   01: points per round of three darts, taken until the side has removed 80% of its start count
//       (the round that passes 80% counts whole; a leg that ends first counts up to its end).
//   Cricket: marks that count (those that close a target, up to three, and those that score) per
//       round of three darts.
#pragma once

#include <array>

#include "games/leg_rules.h"

namespace darts::games {

// The rating's 01 stat and marks per round for Rt `level`: 01 five points a step up to Rt 13
// (95) and seven above; Cricket 0.20 marks a step up to Rt 13 (3.50) and 0.25 above.
double ratingPointsPerRound(double level);
double ratingMarksPerRound(double level);
// The (fractional) rating a stat stands for.
double ratingOfPointsPerRound(double pointsPerRound);
double ratingOfMarksPerRound(double marksPerRound);

// The flight of a whole rating, as the bar machines class their players: C 1-3, CC 4-5, B 6-7,
// BB 8-9, A 10-12, AA 13-15, SA 16-18 (below 1 C, above 18 SA).
const char* flightOfRating(int rating);

class RatingStats {
  public:
    // After every dart of a leg, with the leg as it stands after it.
    void dart(const LegRules& leg, int side, int dartInTurn, Hit hit, const DartOutcome& outcome);
    // Once a leg is over (its 01 tallies close).
    void legEnded();

    // Zero until the side has thrown in a leg of that game.
    double pointsPerRound(int side) const;
    double marksPerRound(int side) const;

  private:
    struct X01Side {
        int start = 0, left = 0, rounds = 0;
        bool crossed = false, done = false;
    };
    struct Totals {
        long points = 0, rounds = 0;  // 01
        long marks = 0, darts = 0;    // Cricket
    };
    std::array<X01Side, kMaxSides> x01_{};
    std::array<int, kMaxSides> closed_{}, scored_{};  // the Cricket leg's marks and points so far
    std::array<Totals, kMaxSides> totals_{};
};

}  // namespace darts::games
