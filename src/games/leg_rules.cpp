#include "games/leg_rules.h"

#include "games/count_up_leg.h"
#include "games/cricket_leg.h"
#include "games/x01_leg.h"

namespace darts::games {

const char* legEndName(LegEndReason reason) {
    switch (reason) {
        case LegEndReason::Out: return "out";
        case LegEndReason::Limit: return "limit";
        case LegEndReason::Closed: return "closed";
        case LegEndReason::Rounds: return "rounds";
        case LegEndReason::Cork: return "cork";
        case LegEndReason::None: break;
    }
    return "";
}

std::unique_ptr<LegRules> makeLeg(const LegSetup& setup) {
    switch (setup.game) {
        case LegGame::Cricket: return std::make_unique<CricketLeg>(setup);
        case LegGame::CountUp: return std::make_unique<CountUpLeg>(setup);
        case LegGame::X01: break;
    }
    return std::make_unique<X01Leg>(setup);
}

Hit hitOf(float radius, int sectorIndex) {
    const Ring ring = ringOf(radius);
    if (ring == Ring::Miss) return {};
    if (ring == Ring::InnerBull || ring == Ring::OuterBull) return {ring, 25};
    return {ring, sectorNumber(sectorIndex)};
}

int hitPoints(Hit hit, BullRule bull) {
    switch (hit.ring) {
        case Ring::Miss: return 0;
        case Ring::InnerBull: return 50;
        case Ring::OuterBull: return bull == BullRule::Fat ? 50 : 25;
        case Ring::Triple: return 3 * hit.number;
        case Ring::Double: return 2 * hit.number;
        case Ring::Single: break;
    }
    return hit.number;
}

}  // namespace darts::games
