// Count-Up: a fixed number of rounds, every dart's score added (the bull fat), the highest total
// wins and equal totals share the win.
#pragma once

#include <array>

#include "games/turn_leg.h"

namespace darts::games {

class CountUpLeg final : public TurnLeg {
  public:
    explicit CountUpLeg(const LegSetup& setup);

    std::string name() const override { return "countup"; }
    int left(int) const override { return 0; }
    int points(int side) const override { return points_.at(static_cast<size_t>(side)); }
    std::array<int, 7> marks(int) const override { return {}; }

  private:
    void score(Hit hit, DartOutcome& out) override;
    void limitReached(DartOutcome& out) override;

    std::array<int, kMaxSides> points_{};
};

}  // namespace darts::games
