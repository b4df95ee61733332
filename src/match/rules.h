// The 301 rules: preparing a match, finishing a dart (win, bust, next dart, end of turn) and
// passing the turn, plus which result texts stand while a dart sits in the board.
#pragma once

#include "core/game_state.h"

namespace darts {

constexpr int kStartingScore = 301;
// A dart that has reached the board stays there this many frames before it is finished.
constexpr int kLandingDisplayFrames = 170;

// Prepares both sides for a new match and leaves the front end running (inFrontEnd = 1): the
// caller clears inFrontEnd itself to start playing.
void newMatch(GameState& state);

// The tournament match in play was won by roster character `character`: it goes on in the
// bracket, and the next match is the tournament's to start.
void recordTournamentWinner(GameState& state, int character);

// The dart in play has ended its landing display: count it, then win, bust, next dart and end of
// turn, in that order. A bar game's rules (state.rules) take the dart over instead.
void finishDart(GameState& state);

// The next dart is taken in hand: the throw starts again from aiming, the camera from behind.
void readyNextDart(GameState& state);

// Closes the turn of the side to throw and passes the turn to the other side.
void endTurn(GameState& state);

// What the scene shows while the dart in play sits in the board, or lies where it fell short of
// it. Texts are Shift-JIS.
struct ResultTexts {
    bool shown;           // the dart in play has reached the board (or stopped short of it)
    const char* ring;     // the side's hitMessage (empty for a plain single)
    int score;            // 0: no score line
    const char* outcome;  // bust, "you lose", "you win", or nullptr
};
ResultTexts resultTexts(const GameState& state);

}  // namespace darts
