// The darts that finish a 01 count, as the scoreboard suggests them to the side to throw: the
// fewest darts, finishing on the well-liked doubles first, set up with the big trebles.
#pragma once

#include <string>

#include "games/leg_rules.h"

namespace darts::games {

// A route of at most three darts that leaves `left` at exactly zero under the out rule, the
// darts named as the scoreboard writes them ("T20", "D16", "BULL" for 50, "25" for the separate
// outer bull, a plain number for a single), separated by one space, e.g. "T20 T20 BULL"; empty
// when three darts cannot finish it. No dart of the route leaves 1 under a double or master out,
// so it never busts on the way.
std::string checkoutRoute(int left, OutRule out, BullRule bull);

}  // namespace darts::games
