// Measures the computer's strength as the bar machines rate players, through whole legs played
// by the match loop (throw, flight and rules as in every game): for each spread, legs of 501
// between two sides of that spread (points per round of three darts until a side has removed 80%
// of its count, the round that passes it counted whole) and of Cricket (marks that count, per
// round).
//
//   calibrate-computer                 the levels of levelSpread, 300 legs of each
//   calibrate-computer levels LEGS
//   calibrate-computer grid LEGS       a grid of gauge and release spreads
//   calibrate-computer fit LEGS [FIRST] each level's release spread fitted to its 01 rating
//   calibrate-computer spread G R LEGS one spread
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <vector>

#include "games/bar_match.h"
#include "games/computer_aim.h"
#include "games/rating_stats.h"
#include "loops/autoplay.h"
#include "render/device.h"

namespace {

using namespace darts;
using namespace darts::games;

// The bar machines' two statistics, gathered from the darts of real legs.
struct Stats {
    double ppr = 0;  // 01: points per round while a side removes the first 80% of its count
    double mpr = 0;  // Cricket: marks that count, per round
    long darts = 0;
};

// Legs of 501 (double out) and of Cricket between two sides of the same spread, played whole
// through the match loop.
Stats measure(const ThrowSpread& spread, int legs, uint32_t seed) {
    auto state = std::make_unique<GameState>();
    seedRandom(*state, seed);
    render::HeadlessDevice device;
    Seat seat;
    seat.spread = spread;
    const std::vector<Seat> seats(2, seat);
    RatingStats stats;
    BarMatchWatch watch;
    watch.dart = [&](int, const LegRules& leg, int side, int, int dart, Hit hit,
                     const DartOutcome& outcome) {
        stats.dart(leg, side, dart, hit, outcome);
        if (outcome.legOver) stats.legEnded();
    };
    long darts = 0;
    for (int i = 0; i < legs; ++i) {
        for (MatchGame game : {MatchGame::X01, MatchGame::Cricket}) {
            MatchSetup setup;
            setup.game = game;
            setup.x01.out = OutRule::Double;
            BarMatch match(setup, seats, watch);
            darts += playAutoBarMatch(*state, device, match, 20'000'000).darts;
        }
    }
    return {(stats.pointsPerRound(0) + stats.pointsPerRound(1)) / 2,
            (stats.marksPerRound(0) + stats.marksPerRound(1)) / 2, darts};
}

// For every level from `first`, keeps its gauge spread and finds by bisection the release spread
// whose 01 stat is the rating's (the stat falls as the spread grows; the search stays within 40%
// of the level's present spread), then prints the level as the table in the code holds it,
// measured over `legs` legs.
void fitLevels(int legs, int first) {
    for (int level = first; level <= highestLevel(); ++level) {
        const ThrowSpread present = levelSpread(level);
        double tight = present.release * 0.6, loose = present.release * 1.4;
        for (int step = 0; step < 6; ++step) {
            const double middle = (tight + loose) / 2;
            const Stats stats = measure({present.gauge, middle}, legs / 3 + 1,
                                        static_cast<uint32_t>(level + 100 * step));
            (stats.ppr > ratingPointsPerRound(level) ? tight : loose) = middle;
        }
        const ThrowSpread fitted{present.gauge, (tight + loose) / 2};
        const Stats stats = measure(fitted, legs, static_cast<uint32_t>(level));
        std::printf("    {%.3f, %.4f},  // Rt %d: %.1f, %.2f\n", fitted.gauge, fitted.release, level,
                    stats.ppr, stats.mpr);
        std::fflush(stdout);
    }
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
    if (legs <= 0 || (mode != "levels" && mode != "grid" && mode != "fit")) {
        std::fputs(
            "usage: calibrate-computer [levels|grid|fit LEGS | spread GAUGE RELEASE LEGS]\n",
            stderr);
        return 2;
    }
    if (mode == "fit") {
        fitLevels(legs, argc > 3 ? std::atoi(argv[3]) : 1);
        return 0;
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
