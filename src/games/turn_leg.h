// The bookkeeping every bar game shares: whose turn it is, which dart of it, which round, and the
// end of the leg. The games themselves only score darts and say who is ahead.
#pragma once

#include <vector>

#include "games/leg_rules.h"

namespace darts::games {

class TurnLeg : public LegRules {
  public:
    TurnLeg(const LegSetup& setup, int roundLimit);

    int sideToThrow() const override { return side_; }
    int dartInTurn() const override { return dart_; }
    int round() const override { return round_; }
    bool over() const override { return over_; }
    const LegSetup& setup() const override { return setup_; }

    // Finishes a dart: an ended leg ignores it; otherwise the game scores it, and the turn, the
    // round and the round limit move on here.
    DartOutcome dart(Hit hit) final;

  protected:
    int sides() const { return setup_.sides; }

    // Scores one dart of sideToThrow(). Sets counted, bust (the turn passes at once) and, for a
    // win, calls finish().
    virtual void score(Hit hit, DartOutcome& out) = 0;
    // The leg reached its round limit: decide it, by finish() or finishByScore().
    virtual void limitReached(DartOutcome& out) = 0;
    // A new turn begins for sideToThrow().
    virtual void turnStarted() {}

    void finish(DartOutcome& out, LegEndReason reason, std::vector<int> winners);
    // Ends the leg on the best of `scores` (lowest or highest): one best side wins; several
    // share the win when `share`, or else throw a cork for it (corkSides, no winners yet).
    void finishByScore(DartOutcome& out, LegEndReason reason, const std::vector<int>& scores,
                       bool lowestWins, bool share);

  private:
    LegSetup setup_;
    int roundLimit_;  // 0: none
    int side_;
    int dart_ = 0;
    int round_ = 1;
    bool over_ = false;
};

}  // namespace darts::games
