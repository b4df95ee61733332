// A player's rating (Rt) and flight as the bar machines show them, from its latest rated games
// (match/player_records.h keeps them per roster character): the mean 01 stat (points per round
// until 80%) and the mean Cricket stat (marks per round until 80%) of up to the last 30 games
// each, each turned into a rating by rating_stats.h's table, kept to 1..18 and two decimals, and
// the two averaged (one alone when only one kind was played). Shown from the tenth game on.
#pragma once

#include <string_view>
#include <vector>

#include "match/player_records.h"

namespace darts::games {

constexpr int kGamesBeforeRating = 10;

struct PlayerRating {
    int games = 0;          // rated games kept, both kinds together
    bool shown = false;     // games >= kGamesBeforeRating
    double rating = 0;      // Rt 1..18, two decimals; 0 without games
    int x01Games = 0, cricketGames = 0;
    double x01Stat = 0, cricketStat = 0;      // the means
    double x01Rating = 0, cricketRating = 0;  // each kind's Rt; 0 without games of it
};

PlayerRating playerRating(const CharacterRecord& record);

// The table's rating for a stat, kept to 1..18 and two decimals.
double clampedRating(double rating);

// The flight of a fractional rating: rating_stats.h's flightOfRating of its whole part (Rt 3.99
// is still C: a player moves up a flight when it reaches it).
std::string_view flightOf(double rating);

}  // namespace darts::games
