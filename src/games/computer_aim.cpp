#include "games/computer_aim.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <map>
#include <mutex>
#include <numbers>
#include <optional>
#include <tuple>
#include <vector>

#include "match/flight.h"
#include "match/scoring.h"
#include "match/throw_input.h"
#include "match/throw_simulation.h"

namespace darts::games {
namespace {

// Finishing a dart slows the swing again to its aiming speed.
constexpr float kBackswingSpeed = 0.007f;
// The gauge sits on multiples of kGaugeStep; the computer accepts it this near its target.
constexpr double kGaugeTolerance = 0.002;
constexpr double kReleaseRung = 0.01;  // the computer's release ladder
// The computer lets go on the first rung within this of the release it means.
constexpr double kReleaseTolerance = 0.007;

// One half-sector of the board's scoring: 180/3.14 degrees per radian, then a ninth.
const double kHalfSector = 1.0 / (57.32484 * 0.1111111);

// The direction of a number's sector: 0 straight up, clockwise positive (as landingGeometry
// measures it). Every number but 20 covers two half-sectors, 3 at the bottom covers four.
double sectorCentre(int number) {
    if (number == 3) return std::numbers::pi;
    for (int index = 1; index <= 20; ++index) {
        if (sectorNumber(index) == number) return (index + 1) * kHalfSector;
        if (sectorNumber(-index) == number) return -(index + 1) * kHalfSector;
    }
    return 0;  // 20
}

bool sameBed(Hit a, Hit b) { return a.ring == b.ring && a.number == b.number; }

// A point of a bed: `radial` across its ring from the inside (0) to the outside (1), `angular`
// across its sector from the middle to either edge (-1..1). The bulls are rings all round.
BoardPoint bedPoint(Hit bed, double radial, double angular) {
    double inner = 0;
    double outer = kInnerBullEdge;
    double angle = angular * std::numbers::pi;
    switch (bed.ring) {
        case Ring::Miss:
        case Ring::InnerBull: break;
        case Ring::OuterBull: inner = kInnerBullEdge; outer = kOuterBullEdge; break;
        case Ring::Triple: inner = kTripleInner; outer = kTripleOuter; break;
        case Ring::Double: inner = kDoubleInner; outer = kBoardEdge; break;
        // The outer single: as deep as the inner one and wider across.
        case Ring::Single: inner = kTripleOuter; outer = kDoubleInner; break;
    }
    if (bed.ring != Ring::InnerBull && bed.ring != Ring::OuterBull && bed.ring != Ring::Miss) {
        angle = sectorCentre(bed.number) + angular * kHalfSector;
    }
    const double radius = inner + radial * (outer - inner);
    return {kBoardCentreX + radius * std::sin(angle), kBoardCentreY + radius * std::cos(angle)};
}

// How far a landing may move sideways or up and down and still score the bed; -1 outside it.
double marginInside(Hit bed, BoardPoint landing) {
    if (!sameBed(hitAt(landing), bed)) return -1;
    constexpr double kStep = 0.002;
    constexpr double kFar = 0.1;
    double margin = kFar;
    for (auto [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
        double d = kStep;
        while (d < margin && sameBed(hitAt({landing.x + dx * d, landing.y + dy * d}), bed)) {
            d += kStep;
        }
        margin = std::min(margin, d);
    }
    return margin;
}

// How the computer's errors fall for its spread: the rung of the release ladder it lets go on
// relative to the one it means, and the gauge step it accepts, each with its chance.
struct Weighted {
    int offset;
    double chance;
};

// The offset that stands for the hand's own release at the end of the swing.
constexpr int kHandRelease = -1000;

std::vector<Weighted> releaseRungs(double spread) {
    if (spread <= 0) return {{0, 1.0}};
    // The computer draws its target afresh every frame, and the swing passes the rungs from the
    // top down: rung m (0.01 m above the one meant) lets the dart go when that frame's draw lies
    // within the tolerance of it, if no rung above has. A dart no rung lets go of leaves the hand
    // by itself at the end of the swing.
    std::vector<Weighted> rungs;
    const int reach = static_cast<int>(std::ceil((spread + kReleaseTolerance) / kReleaseRung));
    double held = 1.0;
    for (int m = reach; m >= -reach; --m) {
        double low = std::max(-spread, m * kReleaseRung - kReleaseTolerance);
        double high = std::min(spread, m * kReleaseRung + kReleaseTolerance);
        if (high <= low) continue;
        double chance = (high - low) / (2 * spread);
        rungs.push_back({m, held * chance});
        held *= 1 - chance;
    }
    if (held > 0) rungs.push_back({kHandRelease, held});
    return rungs;
}

std::vector<Weighted> gaugeSteps(double spread) {
    // Every gauge step whose acceptance window the drawn targets reach, about as often as the
    // draws fall in that window: the gauge wanders over all of them alike.
    std::vector<Weighted> steps;
    double total = 0;
    const int reach = static_cast<int>(spread / kGaugeStep) + 1;
    for (int j = -reach; j <= reach; ++j) {
        double low = std::max(-spread, j * kGaugeStep - kGaugeTolerance);
        double high = std::min(spread, j * kGaugeStep + kGaugeTolerance);
        double width = spread <= 0 ? (j == 0 ? 1.0 : 0.0) : high - low;
        if (width > 0) {
            steps.push_back({j, width});
            total += width;
        }
    }
    for (Weighted& step : steps) step.chance /= total;
    return steps;
}

// Where a throw at a bed lands when the computer lets go `rung` rungs off its release and with
// the gauge `gauge` steps off 0, through the flight itself; kept, as the same few beds come back.
Hit landedHit(Hit bed, int rung, int gauge) {
    static std::mutex mutex;
    static std::map<std::tuple<int, int, int, int>, Hit> landed;
    const auto key = std::make_tuple(static_cast<int>(bed.ring), bed.number, rung, gauge);
    std::lock_guard<std::mutex> lock(mutex);
    auto it = landed.find(key);
    if (it != landed.end()) return it->second;
    Hit hit;
    auto aim = solveAim(bedTarget(bed).point);
    if (aim) {
        const std::vector<float>& ladder = computerReleaseAngles();
        const float gaugeValue = static_cast<float>(gauge * kGaugeStep);
        auto meant = std::find(ladder.begin(), ladder.end(), aim->releaseAngle);
        // The ladder runs from the top down: a later rung is a higher index.
        long index = (meant - ladder.begin()) - rung;
        std::optional<ThrowLanding> landing;
        if (rung == kHandRelease) {
            // One step past the last rung, two flight steps in the release frame.
            const float end = static_cast<float>(ladder.back() - kReleaseRung);
            landing = simulateThrow(end, aim->aimYaw, gaugeValue, 2);
        } else if (meant != ladder.end() && index >= 0 &&
                   index < static_cast<long>(ladder.size())) {
            landing = simulateThrow(ladder[index], aim->aimYaw, gaugeValue, 1);
        }
        if (landing) hit = hitAt({landing->x, landing->y});
    }
    landed.emplace(key, hit);
    return hit;
}

// The expected value of a throw at `bed` for the spread, `value` scoring each landing.
template <typename Value>
double expected(Hit bed, const ThrowSpread& spread, Value value) {
    double sum = 0;
    for (const Weighted& rung : releaseRungs(spread.release)) {
        for (const Weighted& step : gaugeSteps(spread.gauge)) {
            sum += rung.chance * step.chance * value(landedHit(bed, rung.offset, step.offset));
        }
    }
    return sum;
}

AimTarget bestOf(const std::vector<Hit>& beds, const ThrowSpread& spread, auto value) {
    Hit best = beds.front();
    double bestValue = -1e9;
    for (Hit bed : beds) {
        double v = expected(bed, spread, value);
        if (v > bestValue + 1e-9) {
            bestValue = v;
            best = bed;
        }
    }
    return bedTarget(best);
}

constexpr Hit triple(int n) { return {Ring::Triple, n}; }
constexpr Hit dbl(int n) { return {Ring::Double, n}; }
constexpr Hit single(int n) { return {Ring::Single, n}; }
constexpr Hit kBull = {Ring::InnerBull, 25};
constexpr Hit kOuterBull = {Ring::OuterBull, 25};

// The beds a scorer weighs: the fattest trebles and the bull.
const std::vector<Hit> kScoringBeds = {triple(20), triple(19), triple(18), triple(17), kBull};

// ---- 01 -------------------------------------------------------------------------------------

bool isDouble(Hit hit) { return hit.ring == Ring::Double || hit.ring == Ring::InnerBull; }
bool isMaster(Hit hit) { return isDouble(hit) || hit.ring == Ring::Triple; }

bool finishesOn(Hit hit, OutRule out) {
    if (out == OutRule::Double) return isDouble(hit);
    if (out == OutRule::Master) return isMaster(hit);
    return true;
}

// A bed that finishes `count` in one dart, the wider rings first; empty when none does.
std::optional<Hit> finishingBed(int count, OutRule out, BullRule bull) {
    if (count <= 0) return std::nullopt;
    if (out == OutRule::Open && count <= 20) return single(count);
    if (count <= 40 && count % 2 == 0) return dbl(count / 2);
    if (out != OutRule::Double && count <= 60 && count % 3 == 0) return triple(count / 3);
    if (count == 50) return kBull;
    if (out == OutRule::Open && count == 25 && bull == BullRule::Separate) return kOuterBull;
    return std::nullopt;
}

// How good a count is to be left on, lower better: the doubles that split down to further
// doubles first (32, 16, 8), the bull last.
int leaveRank(int left, OutRule out, BullRule bull) {
    static constexpr std::array<int, 20> kDoubles = {32, 40, 16, 24, 36, 20, 8,  28, 12, 18,
                                                     10, 4,  30, 38, 34, 26, 22, 14, 6,  2};
    for (size_t i = 0; i < kDoubles.size(); ++i) {
        if (kDoubles[i] == left) return static_cast<int>(i);
    }
    if (finishingBed(left, out, bull)) return 20 + (60 - left);
    return -1;  // no one-dart finish
}

// What a setting-up dart at a bed costs: a single is the safest, a treble the least.
double bedRisk(Hit bed) {
    switch (bed.ring) {
        case Ring::Single: return 0;
        case Ring::OuterBull: return 2;
        default: return 4;
    }
}

int nominalPoints(Hit bed, BullRule bull) { return hitPoints(bed, bull); }

// A dart that leaves a one-dart finish, or none when no bed does.
std::optional<Hit> settingUpBed(int count, OutRule out, BullRule bull) {
    std::vector<Hit> beds;
    for (int n = 1; n <= 20; ++n) beds.push_back(single(n));
    if (bull == BullRule::Separate) beds.push_back(kOuterBull);
    for (int n = 20; n >= 1; --n) beds.push_back(triple(n));
    beds.push_back(kBull);
    std::optional<Hit> best;
    double bestCost = 1e9;
    for (Hit bed : beds) {
        int rank = leaveRank(count - nominalPoints(bed, bull), out, bull);
        if (rank < 0) continue;
        double cost = rank + bedRisk(bed);
        if (cost < bestCost) {
            bestCost = cost;
            best = bed;
        }
    }
    return best;
}

// Whether a landing leaves a count that cannot go on: a bust, or a finish on the wrong bed.
bool busts(int count, Hit hit, OutRule out, BullRule bull) {
    int left = count - hitPoints(hit, bull);
    if (left < 0) return true;
    if (left == 0) return !finishesOn(hit, out);
    return left == 1 && out != OutRule::Open;
}

AimTarget x01Target(const LegRules& leg, const ThrowSpread& spread) {
    const X01Options& rules = leg.setup().x01;
    const int count = leg.left(leg.sideToThrow());
    const BullRule bull = rules.bull;

    // Not in yet: only a double (or, master in, a treble too) starts the count.
    if (rules.in != InRule::Open && count == rules.start) {
        std::vector<Hit> beds = {dbl(20), dbl(16), dbl(18), kBull};
        if (rules.in == InRule::Master) beds.insert(beds.begin(), {triple(20), triple(19)});
        const bool master = rules.in == InRule::Master;
        return bestOf(beds, spread, [&](Hit hit) {
            bool opens = master ? isMaster(hit) : isDouble(hit);
            return opens ? hitPoints(hit, bull) : 0.0;
        });
    }

    if (auto finish = finishingBed(count, rules.out, bull)) return bedTarget(*finish);
    // Open out finishes from any bed: only a double or master out needs the dart before.
    if (rules.out != OutRule::Open) {
        if (auto setUp = settingUpBed(count, rules.out, bull)) return bedTarget(*setUp);
    }

    // Scoring: the best expected points, a dart that busts losing the turn's points so far.
    std::vector<Hit> beds;
    for (Hit bed : kScoringBeds) {
        if (!busts(count, bed, rules.out, bull)) beds.push_back(bed);
    }
    if (beds.empty()) {
        // A low count no bed finishes or sets up: the biggest single that keeps it going.
        for (int n = 20; n >= 1; --n) {
            if (!busts(count, single(n), rules.out, bull)) return bedTarget(single(n));
        }
        return bedTarget(single(1));
    }
    return bestOf(beds, spread, [&](Hit hit) {
        return busts(count, hit, rules.out, bull) ? -60.0 : hitPoints(hit, bull);
    });
}

// ---- Cricket --------------------------------------------------------------------------------

Hit cricketBed(int number) { return number == 25 ? kBull : triple(number); }

AimTarget cricketTarget(const LegRules& leg) {
    const int me = leg.sideToThrow();
    const int sides = leg.setup().sides;
    const bool cutThroat = leg.setup().cricket.cutThroat;
    const std::array<int, 7> mine = leg.marks(me);

    // Per target: whether some opponent has closed it (and so scores on it, or makes me score)
    // and whether some opponent has it open.
    std::array<bool, 7> opponentClosed{};
    std::array<bool, 7> opponentOpen{};
    int bestOpponent = -1;  // the leader among the opponents
    for (int side = 0; side < sides; ++side) {
        if (side == me) continue;
        const std::array<int, 7> theirs = leg.marks(side);
        for (size_t i = 0; i < 7; ++i) {
            if (theirs[i] >= 3) opponentClosed[i] = true;
            else opponentOpen[i] = true;
        }
        if (bestOpponent < 0 || (cutThroat ? leg.points(side) < leg.points(bestOpponent)
                                           : leg.points(side) > leg.points(bestOpponent))) {
            bestOpponent = side;
        }
    }
    const int myPoints = leg.points(me);
    const int theirPoints = bestOpponent < 0 ? myPoints : leg.points(bestOpponent);
    const bool ahead = cutThroat ? myPoints < theirPoints : myPoints > theirPoints;

    // Highest number first: the bull last, as the hardest to close.
    auto firstWhere = [&](auto wanted) -> std::optional<int> {
        for (int i = 5; i >= 0; --i) {
            if (wanted(i)) return i;
        }
        if (wanted(6)) return 6;
        return std::nullopt;
    };
    auto aimAt = [&](int i) { return bedTarget(cricketBed(kCricketNumbers[i])); };

    // A target an opponent has closed and I have not: it scores against me, so close it.
    if (auto i = firstWhere([&](int t) { return opponentClosed[t] && mine[t] < 3; })) {
        return aimAt(*i);
    }
    // Behind (or level): score where I have closed and an opponent is open. In cut-throat the
    // points go to whoever is open: prefer a target the leader still has open.
    if (!ahead) {
        std::optional<int> scoring;
        if (cutThroat && bestOpponent >= 0) {
            const std::array<int, 7> leader = leg.marks(bestOpponent);
            scoring = firstWhere([&](int t) { return mine[t] >= 3 && leader[t] < 3; });
        } else {
            scoring = firstWhere([&](int t) { return mine[t] >= 3 && opponentOpen[t]; });
        }
        if (scoring) return aimAt(*scoring);
    }
    // Ahead: close the next target while the lead lasts.
    if (auto i = firstWhere([&](int t) { return mine[t] < 3; })) return aimAt(*i);
    if (auto i = firstWhere([&](int t) { return opponentOpen[t]; })) return aimAt(*i);
    return aimAt(5);
}

}  // namespace

AimTarget bedTarget(Hit bed) {
    static std::mutex mutex;
    static std::map<std::pair<int, int>, AimTarget> targets;
    const std::pair<int, int> key{static_cast<int>(bed.ring), bed.number};
    {
        std::lock_guard<std::mutex> lock(mutex);
        auto it = targets.find(key);
        if (it != targets.end()) return it->second;
    }
    // The release ladder puts landings some 0.08 apart in height, wider than a treble or a
    // double, and each gauge step off 0 moves them some 0.03 sideways: the bed's middle may be out
    // of reach or on an edge. So the aim goes to the point of the bed whose landing stays in it
    // for the most of the computer's nearest errors, then sits deepest in it.
    static constexpr std::array<double, 5> kRadial = {0.5, 0.35, 0.65, 0.2, 0.8};
    static constexpr std::array<double, 5> kAngular = {0, -0.3, 0.3, -0.6, 0.6};
    const std::vector<float>& ladder = computerReleaseAngles();
    auto stays = [&](const ThrowAim& aim, int rung, int gauge) {
        auto meant = std::find(ladder.begin(), ladder.end(), aim.releaseAngle);
        long index = (meant - ladder.begin()) - rung;
        if (meant == ladder.end() || index < 0 || index >= static_cast<long>(ladder.size())) {
            return false;
        }
        auto landing = simulateThrow(ladder[index], aim.aimYaw,
                                     static_cast<float>(gauge * kGaugeStep), 1);
        return landing && sameBed(hitAt({landing->x, landing->y}), bed);
    };
    AimTarget best{bed, bedPoint(bed, 0.5, 0)};
    double bestScore = -1;
    for (double radial : kRadial) {
        for (double angular : kAngular) {
            BoardPoint point = bedPoint(bed, radial, angular);
            auto aim = solveAim(point);
            if (!aim) continue;
            auto landing = simulateThrow(aim->releaseAngle, aim->aimYaw, 0.0f, 1);
            if (!landing) continue;
            double margin = marginInside(bed, {landing->x, landing->y});
            if (margin < 0) continue;
            double score = margin;
            for (int step : {-1, 1}) {
                score += stays(*aim, 0, step) ? 4 : 0;
                score += stays(*aim, 0, 2 * step) ? 2 : 0;
                score += stays(*aim, step, 0) ? 1 : 0;
            }
            if (score > bestScore + 1e-9) {
                bestScore = score;
                best.point = point;
            }
        }
    }
    std::lock_guard<std::mutex> lock(mutex);
    targets.emplace(key, best);
    return best;
}

AimTarget corkTarget() { return bedTarget(kBull); }

Hit hitAt(BoardPoint point) {
    LandingGeometry landing = landingGeometry(static_cast<float>(point.x), static_cast<float>(point.y));
    return hitOf(landing.radius, landing.sectorIndex);
}

ThrowAim aimAt(const AimTarget& target) {
    // Nothing reaches that point: the throw goes at the board centre instead.
    return solveAim(target.point).value_or(solveAim(corkTarget().point).value_or(ThrowAim{}));
}

Hit throwHeadless(GameState& state, ComputerBrain& brain, const AimTarget& target,
                  const ThrowSpread& spread) {
    const ThrowAim aim = aimAt(target);
    // A dart reaches the board within a few hundred frames of its aim; the bound only guards a
    // computer that could never start its swing.
    constexpr int kFrameLimit = 100000;
    const DartBody& dart = dartInPlay(state);
    for (int frame = 0; frame < kFrameLimit && state.hitTimer == 0; ++frame) {
        computerAimedFrame(state, brain, aim, spread.gauge, spread.release);
        placeFrameObjects(state);
    }
    Hit hit;
    if (state.hitTimer > 0 && dartHasReachedBoard(dart)) hit = hitAt({dart.x, dart.y});
    state.dartState = DartState::InHand;
    state.throwStage = ThrowStage::Aiming;
    state.swingSpeed = kBackswingSpeed;
    state.hitTimer = 0;
    return hit;
}

namespace {

// The spread of each level, Rt 1 first: the release spread fitted with `calibrate-computer fit`
// to the bar machines' 01 rating, in whole legs between two sides of the level (501 double out,
// and Cricket for the marks per round, which then fall where they fall). The gauge only counts
// by the whole steps whose acceptance window it covers (0.03 apart, 0.004 wide), so the weaker
// levels take whole gauge steps and the strongest a part of one. Measured over 300 legs each
// (01 points per round, Cricket marks per round) as noted; a side with no spread at all averages
// about 180 and 8.3 alone, so every rating up to Rt 18 is within the throw's reach.
constexpr ThrowSpread kLevels[] = {
    {0.152, 0.0504},  // Rt 1: 34.6, 0.79
    {0.092, 0.0395},  // Rt 2: 40.2, 0.93
    {0.092, 0.0175},  // Rt 3: 45.2, 1.29
    {0.062, 0.0142},  // Rt 4: 50.6, 1.64
    {0.062, 0.0137},  // Rt 5: 54.2, 1.69
    {0.062, 0.0119},  // Rt 6: 60.4, 1.92
    {0.062, 0.0110},  // Rt 7: 64.6, 2.04
    {0.062, 0.0097},  // Rt 8: 71.8, 2.25
    {0.062, 0.0092},  // Rt 9: 73.6, 2.32
    {0.062, 0.0085},  // Rt 10: 80.6, 2.54
    {0.000, 0.0131},  // Rt 11: 86.7, 2.86
    {0.000, 0.0121},  // Rt 12: 90.6, 3.12
    {0.000, 0.0110},  // Rt 13: 95.7, 3.44
    {0.000, 0.0103},  // Rt 14: 99.8, 3.75
    {0.029, 0.0093},  // Rt 15: 109.5, 3.71
    {0.029, 0.0086},  // Rt 16: 115.7, 4.10
    {0.029, 0.0078},  // Rt 17: 125.6, 4.59
    {0.029, 0.0075},  // Rt 18: 132.2, 4.81
};

}  // namespace

int highestLevel() { return static_cast<int>(std::size(kLevels)); }

ThrowSpread levelSpread(int level) {
    return kLevels[std::clamp(level, 1, highestLevel()) - 1];
}

// The roster's own computer draws its gauge within whole gauge steps and its release within
// whole hundredths of the swing: the same spreads, only coarser.
ThrowSpread characterSpread(int gaugeSkill, int releaseSkill) {
    return {gaugeSkill * kGaugeStep, releaseSkill * kReleaseRung};
}

double expectedPoints(Hit bed, const ThrowSpread& spread, BullRule bull) {
    return expected(bed, spread, [&](Hit hit) { return hitPoints(hit, bull); });
}

AimTarget chooseTarget(const LegRules& leg, const ThrowSpread& spread) {
    switch (leg.setup().game) {
        case LegGame::X01: return x01Target(leg, spread);
        case LegGame::Cricket: return cricketTarget(leg);
        case LegGame::CountUp:
            return bestOf({triple(20), kBull}, spread,
                          [](Hit hit) { return hitPoints(hit, BullRule::Fat); });
    }
    return bedTarget(triple(20));
}

}  // namespace darts::games
