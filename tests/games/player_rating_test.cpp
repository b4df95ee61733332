// The rating and flight a player's latest games stand for.
#include "games/player_rating.h"

#include <gtest/gtest.h>

#include <cmath>

namespace darts::games {
namespace {

CharacterRecord played(int x01Games, double x01Stat, int cricketGames, double cricketStat) {
    CharacterRecord record;
    for (int i = 0; i < x01Games; ++i) record.x01Games.push_back(std::llround(x01Stat * 100));
    for (int i = 0; i < cricketGames; ++i) {
        record.cricketGames.push_back(std::llround(cricketStat * 100));
    }
    return record;
}

TEST(PlayerRating, RatingsAtTheTableStepsAndBetweenThem) {
    // 01 alone: 95 points is Rt 13, 5 points a step below, 7 above; kept to 1..18.
    EXPECT_DOUBLE_EQ(playerRating(played(10, 95, 0, 0)).rating, 13);
    EXPECT_DOUBLE_EQ(playerRating(played(10, 62.5, 0, 0)).rating, 6.5);
    EXPECT_DOUBLE_EQ(playerRating(played(10, 100, 0, 0)).rating, 13.71);  // 13 + 5/7
    EXPECT_DOUBLE_EQ(playerRating(played(10, 10, 0, 0)).rating, 1);
    EXPECT_DOUBLE_EQ(playerRating(played(10, 200, 0, 0)).rating, 18);
    // Cricket alone: 3.50 marks is Rt 13, 0.20 a step below, 0.25 above.
    EXPECT_DOUBLE_EQ(playerRating(played(0, 0, 12, 2.1)).rating, 6);
    EXPECT_DOUBLE_EQ(playerRating(played(0, 0, 12, 3.75)).rating, 14);
    // Both: the mean of the two ratings, not of the stats.
    const PlayerRating both = playerRating(played(5, 60, 5, 3.75));
    EXPECT_DOUBLE_EQ(both.x01Rating, 6);
    EXPECT_DOUBLE_EQ(both.cricketRating, 14);
    EXPECT_DOUBLE_EQ(both.rating, 10);
    EXPECT_TRUE(both.shown);
    // The mean stat is over the games kept.
    CharacterRecord mixed;
    mixed.x01Games = {5000, 7000};  // 50 and 70: a mean of 60, Rt 6
    EXPECT_DOUBLE_EQ(playerRating(mixed).rating, 6);
}

TEST(PlayerRating, ShownFromTheTenthGameWithItsFlight) {
    EXPECT_FALSE(playerRating(played(4, 95, 5, 3.5)).shown);
    EXPECT_TRUE(playerRating(played(4, 95, 6, 3.5)).shown);
    EXPECT_EQ(playerRating(CharacterRecord{}).rating, 0);
    const struct {
        double rating;
        const char* flight;
    } flights[] = {{1, "C"},    {3.99, "C"}, {4, "CC"},  {5.99, "CC"}, {6, "B"},
                   {7.5, "B"},  {8, "BB"},   {9.99, "BB"}, {10, "A"},  {12.99, "A"},
                   {13, "AA"},  {15.99, "AA"}, {16, "SA"}, {18, "SA"}};
    for (const auto& f : flights) EXPECT_EQ(flightOf(f.rating), f.flight) << f.rating;
}

}  // namespace
}  // namespace darts::games
