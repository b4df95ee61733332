// The two award screens drawn whole, each its own frame: the statistics card after a match and
// the records page per roster character. Both sit on the card plate centred on the 800 x 600
// frame; every text comes from award_texts.h.
#pragma once

#include <vector>

#include "core/game_state.h"
#include "games/bar_match.h"
#include "games/leg_statistics.h"
#include "match/match_statistics.h"
#include "match/player_records.h"
#include "render/device.h"

namespace darts::render {

struct CardFonts {
    FontHandle body = 0;   // the table
    FontHandle small = 0;  // the award lists and the hint
};
// Made once, on the first screen that needs them.
CardFonts createCardFonts(Device& device);

// Both sides of the match just played, the winner marked, over the frame's black.
void drawStatisticsCard(const GameState& state, Device& device, const CardFonts& fonts,
                        const MatchStatistics& statistics);

// After a bar game, in the state's language: every side's statistics over the match's legs of each
// game played (a row only for the games the match had), the winners marked, and each side's
// awards.
void drawBarStatisticsCard(const GameState& state, Device& device, const CardFonts& fonts,
                           const std::vector<games::Seat>& seats,
                           const std::vector<games::PlayedLeg>& legs,
                           const std::vector<int>& winners);

// One row per roster character, with its portrait. `ratingsFollow`: the click turns to the
// rating page rather than back to the title, and the hint says so.
void drawRecordsPage(const GameState& state, Device& device, const CardFonts& fonts,
                     const PlayerRecords& records, bool ratingsFollow = false);

// Whether any character has rated bar games, so that the rating page has something to show.
bool anyRatedGames(const PlayerRecords& records);

// The bar games' rating page, in the state's language: one row per roster character with its
// rating, flight, 80% stats and games, and a small chart of each game's rating over its last 30
// games of each kind.
void drawRatingPage(const GameState& state, Device& device, const CardFonts& fonts,
                    const PlayerRecords& records);

}  // namespace darts::render
