// The eight-character knock-out: the opening draw, deciding one match per click on the tournament
// screen (dice for two computer characters, a played 301 match for the human's), and the bracket
// picture of fifteen portrait boxes joined by black lines.
//
// The bracket lives in GameState::tournamentSlots: entries 2..9 hold the opening draw in bracket
// order, match m (1..7) is entry 2m against entry 2m + 1 and its winner goes to entry m + 9, so
// entry 16 is the champion. Entries hold roster character numbers; 0 is empty.
#pragma once

#include "core/game_state.h"
#include "render/device.h"

namespace darts::frontend {

inline constexpr int kFirstEntry = 2;
inline constexpr int kLastOpeningEntry = 9;
inline constexpr int kChampionEntry = 16;
inline constexpr int kTournamentMatches = 7;

// Entry numbers of match m's two sides and of its winner.
constexpr int firstEntryOf(int match) { return 2 * match; }
constexpr int secondEntryOf(int match) { return 2 * match + 1; }
constexpr int winnerEntryOf(int match) { return match + 9; }

// Fills entries 2..9 with the eight roster characters in a random order: each entry draws 1..8
// until the number is not yet in the bracket.
void drawOpeningBracket(GameState& state);

// The size of the die a character rolls in a simulated match: its years of experience, but never
// below 1 (a roster with large spreads would otherwise leave nothing to roll) nor above the
// generator's largest draw.
int simulationDieSize(const PlayerSlot& character);

// Decides match m (1..7) between two computer characters: each side rolls its experience die plus
// a two-sided die, the first entry first, and a tie rolls both again. players[1] is left holding
// the second entry's record. A match number outside 1..7 does nothing.
void simulateMatch(GameState& state, int match);

// Moves the tournament on by one step: announces the champion once all seven matches are decided,
// announces the human's match (its opponent read into players[1], the human to throw first), or
// simulates the next match between two computer characters.
void advanceTournament(GameState& state);

// A click on the tournament screen: starts an announced human match (and announces it again, so
// that the opponent's own statistics replace the defaults of newMatch), or returns to the title
// with the bracket cleared once the champion has been shown, or advances the tournament.
void clickTournament(GameState& state);

// Empties the bracket and both flags and restarts the match count: the state between tournaments.
void clearTournament(GameState& state);

// Draws the bracket's lines and its fifteen boxes: portraits at alpha 200, empty entries white.
void drawBracket(GameState& state, render::Device& device);

}  // namespace darts::frontend
