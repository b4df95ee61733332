// The awards of the bar games, each earned by one turn. The 01 games and Count-Up call the 301
// game's (match/awards.h: the same test of the same three darts); Cricket has its own, from the
// marks a turn made.
#pragma once

#include <string_view>
#include <vector>

#include "games/leg_rules.h"
#include "match/awards.h"

namespace darts::games {

// In order of precedence within each game. The first seven are match/awards.h's Award, value
// for value, so one converts to the other.
enum class GameAward : int {
    None = 0,
    Ton80,
    ThreeInTheBlack,
    HatTrick,
    ThreeInABed,
    HighTon,
    LowTon,
    WhiteHorse,
    NineMark,
    EightMark,
    SevenMark,
    SixMark,
    FiveMark,
};
constexpr int kGameAwardKinds = 13;  // None included, so a GameAward indexes a count table

GameAward gameAwardOf(Award award);

// "TON 80", ..., "WHITE HORSE", "NINE MARK", "8 MARK" .. "5 MARK"; "" for None.
std::string_view gameAwardTitle(GameAward award);
// A short word for files ("ton80", ..., "white_horse", "nine_mark", "mark8" .. "mark5").
std::string_view gameAwardKey(GameAward award);

// A turn of an 01 game or Count-Up: each dart's hit and the points it took (0 for one that did not
// count, such as a dart before a double-in). A bust or a win earns nothing, as in the 301 game.
GameAward pointsTurnAward(const std::vector<Hit>& hits, const std::vector<int>& points, bool bust,
                          bool win);

// One dart of a Cricket turn: what it hit, how many of its marks counted (those that opened the
// target for the thrower, and those beyond that scored), and whether its target was still open
// to every side (no side had three marks on it) when the turn began.
struct CricketTurnDart {
    Hit hit;
    int marks = 0;
    bool freshTarget = false;
};

// WHITE HORSE: three triples on three different targets that nobody had opened; NINE MARK, then
// 8 down to 5 MARK: that many marks that counted. Marks that score nothing (on a target every side
// has closed, or beyond the third once every opponent has closed it) do not count, as the stat
// does not count them either. A turn cut short by the win still earns what its darts made.
GameAward cricketTurnAward(const std::vector<CricketTurnDart>& darts);

}  // namespace darts::games
