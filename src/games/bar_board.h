// What the screen shows of a bar game in play: the scoreboard of every seat, the round and its
// limit, and the pause the machine may be holding for a click (the mouse passing to another human,
// the end of a leg or of the match). Built by BarMatch each frame; drawn by the render layer.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "games/leg_rules.h"

namespace darts::games {

struct BarSeatView {
    std::string name;           // Shift-JIS, as the roster and the name box hold it
    int character = 0;          // roster character 1..8 (its portrait); 0 for none
    bool human = false;
    int level = 0;              // a computer's strength level (Rt); 0: its roster skills or human
    int left = 0;               // 01: the count
    int points = 0;             // Cricket and Count-Up
    std::array<int, 7> marks{};  // Cricket: 15..20 and the bull, 0..3
    std::vector<int> roundTotals;  // Count-Up: each round's points so far
    int legsWon = 0;            // a medley's
    double corkMillimetres = -1;  // the last cork dart's distance; negative: none or short
};

enum class BarPause {
    None,      // play on
    HandOver,  // another human takes the mouse: name and portrait of `thrower`, a click goes on
    LegOver,   // `winners` won the leg (`why`); a click goes on
    MatchOver,  // `winners` won the game; a click goes back to the title
    // A medley's last leg: `thrower` (a human, who won its cork) points at 01 or Cricket
    // (`choice`) and clicks
    ChooseGame,
};

struct BarBoardView {
    std::string game;          // "501", "cricket", "cutthroat", "countup"; "cork" during a cork
    LegGame legGame = LegGame::X01;
    OutRule out = OutRule::Open;
    BullRule bull = BullRule::Separate;
    int round = 0, roundLimit = 0;  // limit 0: none
    int leg = 0, legs = 1;          // a medley's leg and best-of
    int thrower = 0;                // the seat to throw
    int dartInTurn = 0;
    std::vector<BarSeatView> seats;
    std::vector<bool> closedForAll = std::vector<bool>(7, false);  // Cricket targets struck through
    BarPause pause = BarPause::None;
    std::vector<int> winners;
    LegEndReason why = LegEndReason::None;
    LegGame choice = LegGame::X01;  // ChooseGame: the game pointed at
    int x01Start = 501;             // a medley's 01 legs, as the choice names them
};

}  // namespace darts::games
