#include "match/awards.h"

#include "match/flight.h"

namespace darts {
namespace {

bool isBull(Ring ring) { return ring == Ring::InnerBull || ring == Ring::OuterBull; }

bool allThree(const std::array<DartHit, 3>& darts, auto&& test) {
    return test(darts[0]) && test(darts[1]) && test(darts[2]);
}

}  // namespace

Award awardForTurn(const std::array<DartHit, 3>& darts, bool bust, bool win) {
    if (bust || win) return Award::None;
    const int total = darts[0].score + darts[1].score + darts[2].score;
    if (total == 180) return Award::Ton80;
    if (allThree(darts, [](const DartHit& d) { return d.ring == Ring::InnerBull; })) {
        return Award::ThreeInTheBlack;
    }
    if (allThree(darts, [](const DartHit& d) { return isBull(d.ring); })) return Award::HatTrick;
    const DartHit& first = darts[0];
    const bool scoringRing =
        first.ring == Ring::Single || first.ring == Ring::Double || first.ring == Ring::Triple;
    if (scoringRing && first.number > 0 && allThree(darts, [&](const DartHit& d) {
            return d.ring == first.ring && d.number == first.number;
        })) {
        return Award::ThreeInABed;
    }
    if (total >= 151 && total <= 179) return Award::HighTon;
    if (total >= 100 && total <= 150) return Award::LowTon;
    return Award::None;
}

DartHit dartHitOf(const DartBody& dart, int score) {
    DartHit hit;
    hit.score = score;
    if (!dartHasReachedBoard(dart)) return hit;
    const LandingGeometry landing = landingGeometry(dart.x, dart.y);
    hit.ring = ringOf(landing.radius);
    if (hit.ring == Ring::Single || hit.ring == Ring::Double || hit.ring == Ring::Triple) {
        hit.number = sectorNumber(landing.sectorIndex);
    }
    return hit;
}

Award awardOnDisplay(const GameState& state) {
    if (state.dartState != DartState::Thrown || !sideToThrow(state)) return Award::None;
    if (state.hitTimer <= 0) return Award::None;
    const PlayerSlot& side = currentSide(state);
    if (side.dartsThrown != 2) return Award::None;
    std::array<DartHit, 3> hits;
    for (int i = 0; i < 3; ++i) hits[i] = dartHitOf(state.darts[i], side.dartScores[i]);
    return awardForTurn(hits, side.scoreLeft < 0, side.scoreLeft == 0);
}

std::string_view awardTitle(Award award) {
    switch (award) {
        case Award::Ton80: return "TON 80";
        case Award::ThreeInTheBlack: return "THREE IN THE BLACK";
        case Award::HatTrick: return "HAT TRICK";
        case Award::ThreeInABed: return "THREE IN A BED";
        case Award::HighTon: return "HIGH TON";
        case Award::LowTon: return "LOW TON";
        case Award::None: break;
    }
    return "";
}

std::string_view awardKey(Award award) {
    switch (award) {
        case Award::Ton80: return "ton80";
        case Award::ThreeInTheBlack: return "three_in_the_black";
        case Award::HatTrick: return "hat_trick";
        case Award::ThreeInABed: return "three_in_a_bed";
        case Award::HighTon: return "high_ton";
        case Award::LowTon: return "low_ton";
        case Award::None: break;
    }
    return "";
}

}  // namespace darts
