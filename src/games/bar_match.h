// A bar game played through the match's own throw: the MatchRules that GameState::rules points at
// while one is played. It seats 1 to 4 sides (each a human at the mouse or a computer at a
// strength), runs the corks and legs of its GameMatch, maps the side to throw onto the state's
// human or computer slot, and drives the computer's aim.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "games/computer_aim.h"
#include "games/bar_board.h"
#include "games/game_match.h"
#include "games/rating_stats.h"
#include "match/computer.h"

namespace darts::games {

struct Seat {
    bool human = false;
    ThrowSpread spread;  // a computer's
    // Shown on the scoreboard and, while the seat throws, in its slot of the state.
    std::string name;    // Shift-JIS
    int character = 0;   // roster character 1..8 (its portrait); 0: none
    int level = 0;       // a computer's strength level; 0: a character's own skills, or a human
};

// What a watcher hears (darts-sim prints it; the awards and the screens may listen later).
struct BarMatchWatch {
    // A dart of leg `legNumber` (from 1), once the leg has counted it: the leg's scoreboard is
    // the state after it.
    std::function<void(int legNumber, const LegRules& leg, int side, int round, int dart, Hit hit,
                       const DartOutcome& outcome)>
        dart;
    // A cork dart, thrown before leg `leg` (or to decide it, when it tied at its round limit):
    // its distance from the board centre in millimetres; negative when it fell short of the board.
    std::function<void(int leg, int side, double millimetres)> corkDart;
    // A leg decided: its winners (several for a shared Count-Up win) and why.
    std::function<void(int leg, const std::vector<int>& winners, LegEndReason why)> legEnded;
    std::function<void(const std::vector<int>& winners)> matchEnded;
};

class BarMatch final : public MatchRules {
  public:
    BarMatch(const MatchSetup& setup, std::vector<Seat> seats, BarMatchWatch watch = {});

    // Prepares the state for the first dart (a cork or the first leg's) and points state.rules
    // here. The caller then clears inFrontEnd and runs the match loop. Started on the
    // tournament's screen, the match's winner is the bracket's, as a 301 match's is.
    void start(GameState& state);

    void dartLanded(GameState& state, float radius, int sectorIndex) override;
    void dartFinished(GameState& state) override;
    void computerFrame(GameState& state) override;
    bool holdsForClick() const override { return pause_ != BarPause::None; }
    void clicked(GameState& state) override;
    // A human's choice of a medley's last leg: the mouse to the left points at 01, to the right
    // at Cricket.
    void pointerMoved(int dx, int dy) override;
    uint64_t checksum() const override;

    // What the screen shows now.
    BarBoardView view() const;
    BarPause pause() const { return pause_; }

    const GameMatch& match() const { return match_; }
    const LegRules* leg() const { return leg_.get(); }
    bool corkInPlay() const { return match_.step() == GameMatch::Step::Cork; }
    int sideToThrow() const;
    // Every side's 01 stat and marks per round in this match so far.
    const RatingStats& stats() const { return stats_; }

  private:
    void beginStep(GameState& state);
    void takeDart(GameState& state, bool newTurn);
    void finishCorkDart(GameState& state);
    void finishLegDart(GameState& state);
    void endLeg(const std::vector<int>& winners, LegEndReason why);
    // After a decided leg: on to what comes next, or first a pause for the humans' click.
    void afterLeg(GameState& state);
    LegGame computerChoice(int side) const;

    GameMatch match_;
    std::vector<Seat> seats_;
    BarMatchWatch watch_;
    std::unique_ptr<LegRules> leg_;
    std::vector<double> corkDistances_;  // of the cork in play, in throwing order
    std::vector<int> legWinsBefore_;     // to tell which side a tie-breaking cork gave the leg
    int legNumber_ = 0;
    bool tieBreak_ = false;  // the cork in play decides a leg tied at its round limit
    RatingStats stats_;
    PlayerSlot playerSlots_[2] = {};  // the state's slots as they were before the match
    bool anyHuman_ = false;
    int lastHuman_ = -1;  // the human seat that had the mouse last
    BarPause pause_ = BarPause::None;
    std::vector<int> lastWinners_;
    LegEndReason lastWhy_ = LegEndReason::None;
    std::vector<double> corkShown_;  // each seat's last cork distance, for the screen
    std::vector<std::vector<int>> roundTotals_;  // Count-Up: each seat's rounds
    Hit landed_;
    double landedMillimetres_ = -1;
    ComputerBrain brain_;
    bool aimChosen_ = false;
    ThrowAim aim_;
    int thrower_ = -1;  // the side whose dart is in play
    LegGame pointedGame_ = LegGame::X01;  // ChooseGame: the game the human points at
    int pointerTravel_ = 0;               // its mouse counts since it last changed
    bool tournament_ = false;  // a match of the tournament's: its winner goes into the bracket
};

}  // namespace darts::games
