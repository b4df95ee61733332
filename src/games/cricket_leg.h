// Cricket on 15..20 and the bull: three marks open a target, further marks score on it until
// every side has closed it. Cut-throat gives those points to the opponents instead.
#pragma once

#include <array>

#include "games/turn_leg.h"

namespace darts::games {

// The target a hit marks (an index into kCricketNumbers), or -1 for none; and how many marks it
// makes there. Cricket's bull is always split, whatever the 01 games use: the outer one mark, the
// inner two.
int cricketTarget(Hit hit);
int cricketMarks(Hit hit);

class CricketLeg final : public TurnLeg {
  public:
    explicit CricketLeg(const LegSetup& setup);

    std::string name() const override { return rules_.cutThroat ? "cutthroat" : "cricket"; }
    int left(int) const override { return 0; }
    int points(int side) const override { return points_.at(static_cast<size_t>(side)); }
    std::array<int, 7> marks(int side) const override { return marks_.at(static_cast<size_t>(side)); }

  private:
    void score(Hit hit, DartOutcome& out) override;
    void limitReached(DartOutcome& out) override;

    bool closedByAll(size_t target) const;
    // Has `side` closed every target and leads (or, cut-throat, trails least)?
    bool hasWon(int side) const;

    CricketOptions rules_;
    std::array<std::array<int, 7>, kMaxSides> marks_{};
    std::array<int, kMaxSides> points_{};
};

}  // namespace darts::games
