// The human's records per roster character, and their text format.
//
// The file is plain text, one record per line, fields separated by single spaces:
//
//     darts301-records 1
//     character 3 played 12 won 7 tournaments 1 darts 310 points 5120 best_darts 27 best_points 540 ton80 0 three_in_the_black 0 hat_trick 1 three_in_a_bed 0 high_ton 2 low_ton 9
//
//     x01_games 3 9512 8800 10433
//     cricket_games 3 250 310
//
// The first line names the format and its version. Every character line holds the same keys in
// the same order; numbers are whole, 0..999999999. best_darts and best_points are the match with
// the best points per dart (lifetime points per dart is points / darts). A character appears at
// most once; characters without a line have played nothing.
//
// Version 2 adds the bar games' rated games (x01_games, cricket_games): the character's last 30
// 01 and Cricket legs against other sides, oldest first, each its 80% stat (points or marks per
// round) in hundredths. Each line appears at most once per character, with 1 to 30 numbers, and
// may stand without a character line. Version 1 files are read as version 2 files without them.
// Anything else makes the file damaged.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "match/match_statistics.h"

namespace darts {

constexpr int kRecordsVersion = 2;
constexpr int kRosterCharacters = 8;
// The bar machines rate a player by this many of its latest games of each kind.
constexpr int kRatedGames = 30;

enum class RatedGame { X01, Cricket };

struct CharacterRecord {
    int64_t played = 0;
    int64_t won = 0;
    int64_t tournaments = 0;
    int64_t darts = 0;
    int64_t points = 0;
    int64_t bestDarts = 0;
    int64_t bestPoints = 0;
    std::array<int64_t, kAwardKinds> awards = {};  // by Award; [0] unused
    // The bar games' rated games, oldest first, at most kRatedGames each: 01 points per round
    // until 80%, Cricket marks per round until 80%, in hundredths.
    std::vector<int64_t> x01Games, cricketGames;

    double lifetimePointsPerDart() const;
    double bestPointsPerDart() const;
};

struct PlayerRecords {
    std::array<CharacterRecord, kRosterCharacters + 1> characters = {};  // by number 1..8; [0] unused
};

// Adds one finished match of the human (side 0) playing `character` (1..8).
void addMatch(PlayerRecords& records, int character, const SideStatistics& human, bool won);
void addTournamentWin(PlayerRecords& records, int character);
// Adds one rated bar game of `character`: its stat, rounded to hundredths. Only the latest
// kRatedGames of a kind are kept.
void addRatedGame(PlayerRecords& records, int character, RatedGame game, double stat);
// `base` with `additions` (records kept apart from it, such as another game's) added: the counts
// summed, the best match the better of the two, the rated games of `additions` played after
// those of `base`.
PlayerRecords mergeRecords(const PlayerRecords& base, const PlayerRecords& additions);

std::string formatRecords(const PlayerRecords& records);

struct ParsedRecords {
    enum class Status { Ok, Damaged, Newer };
    Status status = Status::Damaged;
    PlayerRecords records;
    std::string problem;  // a few words, set unless Ok
};
ParsedRecords parseRecords(std::string_view text);

}  // namespace darts
