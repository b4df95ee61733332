#include "games/player_rating.h"

#include <algorithm>
#include <cmath>

#include "games/rating_stats.h"

namespace darts::games {
namespace {

constexpr double kLowest = 1, kHighest = 18;

double hundredthsMean(const std::vector<int64_t>& games) {
    if (games.empty()) return 0;
    double sum = 0;
    for (int64_t value : games) sum += static_cast<double>(value);
    return sum / 100.0 / static_cast<double>(games.size());
}

double twoDecimals(double value) { return std::round(value * 100.0) / 100.0; }

}  // namespace

double clampedRating(double rating) { return twoDecimals(std::clamp(rating, kLowest, kHighest)); }

PlayerRating playerRating(const CharacterRecord& record) {
    PlayerRating r;
    r.x01Games = static_cast<int>(record.x01Games.size());
    r.cricketGames = static_cast<int>(record.cricketGames.size());
    r.games = r.x01Games + r.cricketGames;
    if (r.games == 0) return r;
    r.shown = r.games >= kGamesBeforeRating;
    r.x01Stat = hundredthsMean(record.x01Games);
    r.cricketStat = hundredthsMean(record.cricketGames);
    if (r.x01Games > 0) r.x01Rating = clampedRating(ratingOfPointsPerRound(r.x01Stat));
    if (r.cricketGames > 0) r.cricketRating = clampedRating(ratingOfMarksPerRound(r.cricketStat));
    if (r.x01Games > 0 && r.cricketGames > 0) {
        r.rating = twoDecimals((r.x01Rating + r.cricketRating) / 2);
    } else {
        r.rating = r.x01Games > 0 ? r.x01Rating : r.cricketRating;
    }
    return r;
}

std::string_view flightOf(double rating) {
    // By the whole part: a player moves up a flight when it reaches the flight's first rating.
    return flightOfRating(static_cast<int>(std::floor(std::clamp(rating, kLowest, kHighest))));
}

}  // namespace darts::games
