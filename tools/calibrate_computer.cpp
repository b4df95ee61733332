// Measures the computer's strength through the real throw: the computer's frames, the hand step
// and the flight, headless, aiming every dart by chooseTarget. For each spread it plays practice
// legs of 501 (points per round over the darts that remove the first 80% of the count) and of
// Cricket against a side that never throws (marks per round until all seven are closed), the two
// statistics the bar machines rate a player by.
//
//   calibrate-computer                 the levels of levelSpread, 300 legs of each
//   calibrate-computer levels LEGS
//   calibrate-computer grid LEGS       a grid of gauge and release spreads, to fit the levels
//   calibrate-computer spread G R LEGS one spread
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "games/computer_aim.h"
#include "match/rules.h"

namespace {

using namespace darts;
using namespace darts::games;

// A practice leg whose rules the harness keeps itself: it only has to tell chooseTarget the
// counts, marks and points as they stand.
class PracticeLeg : public LegRules {
  public:
    explicit PracticeLeg(LegSetup setup) : setup_(setup) {
        left_.fill(setup.x01.start);
    }
    std::string name() const override { return "practice"; }
    int sideToThrow() const override { return 0; }
    int dartInTurn() const override { return dartInTurn_; }
    int round() const override { return round_; }
    bool over() const override { return false; }
    DartOutcome dart(Hit) override { return {}; }
    int left(int side) const override { return left_[side]; }
    int points(int side) const override { return points_[side]; }
    std::array<int, 7> marks(int side) const override { return marks_[side]; }
    const LegSetup& setup() const override { return setup_; }

    LegSetup setup_;
    int dartInTurn_ = 0;
    int round_ = 1;
    std::array<int, kMaxSides> left_{};
    std::array<int, kMaxSides> points_{};
    std::array<std::array<int, 7>, kMaxSides> marks_{};
};

class Thrower {
  public:
    explicit Thrower(uint32_t seed) {
        state_->dartState = DartState::InHand;
        newMatch(*state_);
        state_->inFrontEnd = 0;
        state_->matchPhase = MatchPhase::ComputerTurn;
        seedRandom(*state_, seed);
    }
    Hit dart(const AimTarget& target, const ThrowSpread& spread) {
        state_->players[kComputer].scoreLeft = 100000;
        return throwHeadless(*state_, brain_, target, spread);
    }

  private:
    std::unique_ptr<GameState> state_ = std::make_unique<GameState>();
    ComputerBrain brain_;
};

// Points per round of three darts while the first 80% of 501 comes off.
double x01Leg(Thrower& thrower, const ThrowSpread& spread, int& darts) {
    LegSetup setup;
    setup.x01.start = 501;
    setup.x01.out = OutRule::Double;
    setup.sides = 1;
    PracticeLeg leg(setup);
    const int stop = 501 - 400;  // 80% of 501 is 400.8: stop once 401 have come off
    int thrown = 0;
    while (leg.left_[0] > stop && thrown < 300) {
        leg.dartInTurn_ = thrown % kDartsPerTurn;
        leg.round_ = thrown / kDartsPerTurn + 1;
        Hit hit = thrower.dart(chooseTarget(leg, spread), spread);
        leg.left_[0] -= hitPoints(hit, setup.x01.bull);
        ++thrown;
    }
    darts += thrown;
    return 501 - leg.left_[0];
}

int marksOn(Hit hit, int number) {
    if (hit.number != number) return 0;
    switch (hit.ring) {
        case Ring::Triple: return 3;
        case Ring::Double:
        case Ring::InnerBull: return 2;
        case Ring::Single:
        case Ring::OuterBull: return 1;
        case Ring::Miss: break;
    }
    return 0;
}

// Marks against a side that never throws (every mark counts: a closed number scores while the
// other side has it open) until all seven are closed, or the round limit of 20.
int cricketLeg(Thrower& thrower, const ThrowSpread& spread, int& darts) {
    LegSetup setup;
    setup.game = LegGame::Cricket;
    setup.sides = 2;
    PracticeLeg leg(setup);
    int marks = 0;
    int thrown = 0;
    auto allClosed = [&] {
        for (int m : leg.marks_[0]) {
            if (m < 3) return false;
        }
        return true;
    };
    while (!allClosed() && thrown < 20 * kDartsPerTurn) {
        leg.dartInTurn_ = thrown % kDartsPerTurn;
        leg.round_ = thrown / kDartsPerTurn + 1;
        Hit hit = thrower.dart(chooseTarget(leg, spread), spread);
        for (size_t i = 0; i < kCricketNumbers.size(); ++i) {
            int m = marksOn(hit, kCricketNumbers[i]);
            if (m == 0) continue;
            marks += m;
            int closing = std::min(m, 3 - leg.marks_[0][i]);
            leg.marks_[0][i] += closing;
            leg.points_[0] += (m - closing) * (kCricketNumbers[i] == 25 ? 25 : kCricketNumbers[i]);
        }
        ++thrown;
    }
    darts += thrown;
    return marks;
}

struct Stats {
    double ppr = 0;
    double mpr = 0;
    long darts = 0;
};

Stats measure(const ThrowSpread& spread, int legs, uint32_t seed) {
    Thrower thrower(seed);
    double points = 0;
    int x01Darts = 0;
    int marks = 0;
    int cricketDarts = 0;
    for (int i = 0; i < legs; ++i) {
        points += x01Leg(thrower, spread, x01Darts);
        marks += cricketLeg(thrower, spread, cricketDarts);
    }
    return {points * kDartsPerTurn / x01Darts, marks * double(kDartsPerTurn) / cricketDarts,
            static_cast<long>(x01Darts) + cricketDarts};
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "levels";
    if (mode == "spread" && argc == 5) {
        ThrowSpread spread{std::atof(argv[2]), std::atof(argv[3])};
        Stats stats = measure(spread, std::atoi(argv[4]), 1);
        std::printf("gauge %.3f release %.4f: 01 %.1f  MPR %.2f\n", spread.gauge, spread.release,
                    stats.ppr, stats.mpr);
        return 0;
    }
    const int legs = argc > 2 ? std::atoi(argv[2]) : 300;
    if (legs <= 0 || (mode != "levels" && mode != "grid")) {
        std::fputs("usage: calibrate-computer [levels|grid LEGS | spread GAUGE RELEASE LEGS]\n",
                   stderr);
        return 2;
    }
    if (mode == "grid") {
        // The gauge sits on steps of 0.03 and is accepted within 0.002 of a target: a gauge
        // spread only counts by the steps whose whole window it covers.
        for (int g = 0; g <= 8; ++g) {
            for (int r = 0; r <= 24; ++r) {
                ThrowSpread spread{g == 0 ? 0.0 : g * 0.03 + 0.002, r * 0.0025};
                Stats stats = measure(spread, legs, 1);
                std::printf("%.3f %.4f %.1f %.2f\n", spread.gauge, spread.release, stats.ppr,
                            stats.mpr);
                std::fflush(stdout);
            }
        }
        return 0;
    }
    std::printf("level  gauge  release   01    MPR   (%d legs each)\n", legs);
    const auto start = std::chrono::steady_clock::now();
    long darts = 0;
    for (int level = 1; level <= highestLevel(); ++level) {
        ThrowSpread spread = levelSpread(level);
        Stats stats = measure(spread, legs, static_cast<uint32_t>(level));
        darts += stats.darts;
        std::printf("Rt%-3d  %.3f  %.4f  %5.1f  %.2f\n", level, spread.gauge, spread.release,
                    stats.ppr, stats.mpr);
        std::fflush(stdout);
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%ld darts thrown, %.0f a second\n", darts, darts / took.count());
    return 0;
}
