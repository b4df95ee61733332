// 01: every dart's score comes off the count; the first side to reach exactly 0 under the out
// rule wins. A bust strikes the whole turn out.
#pragma once

#include <array>

#include "games/turn_leg.h"

namespace darts::games {

class X01Leg final : public TurnLeg {
  public:
    explicit X01Leg(const LegSetup& setup);

    std::string name() const override;
    int left(int side) const override;
    int points(int) const override { return 0; }
    std::array<int, 7> marks(int) const override { return {}; }

  private:
    void score(Hit hit, DartOutcome& out) override;
    void limitReached(DartOutcome& out) override;
    void turnStarted() override;

    X01Options rules_;
    std::array<int, kMaxSides> left_{};
    std::array<bool, kMaxSides> in_{};  // has its count started (always, with open in)
    int turnStartLeft_ = 0;
    bool turnStartIn_ = false;
};

}  // namespace darts::games
