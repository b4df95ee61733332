#include <gtest/gtest.h>

#include "match/player_records.h"

namespace darts {
namespace {

SideStatistics matchOf(int darts, int points) {
    SideStatistics s;
    s.darts = darts;
    s.points = points;
    s.awards[static_cast<int>(Award::LowTon)] = 2;
    s.awards[static_cast<int>(Award::Ton80)] = 1;
    return s;
}

TEST(PlayerRecords, MatchesAddUpAndSurviveTheFile) {
    PlayerRecords records;
    addMatch(records, 3, matchOf(30, 301), true);
    addMatch(records, 3, matchOf(20, 250), false);  // the better points per dart: 12.5 > 10.03
    addMatch(records, 3, matchOf(40, 200), false);
    addTournamentWin(records, 3);
    addMatch(records, 8, matchOf(12, 100), false);
    addMatch(records, 9, matchOf(12, 100), true);  // no such character: ignored
    const CharacterRecord& r = records.characters[3];
    EXPECT_EQ(r.played, 3);
    EXPECT_EQ(r.won, 1);
    EXPECT_EQ(r.tournaments, 1);
    EXPECT_EQ(r.darts, 90);
    EXPECT_EQ(r.points, 751);
    EXPECT_DOUBLE_EQ(r.bestPointsPerDart(), 12.5);
    EXPECT_EQ(r.awards[static_cast<int>(Award::LowTon)], 6);

    const std::string text = formatRecords(records);
    EXPECT_EQ(text.substr(0, text.find('\n')), "darts301-records 2");
    const ParsedRecords parsed = parseRecords(text);
    ASSERT_EQ(parsed.status, ParsedRecords::Status::Ok) << parsed.problem;
    EXPECT_EQ(formatRecords(parsed.records), text);
    EXPECT_EQ(parsed.records.characters[8].played, 1);
    EXPECT_EQ(parsed.records.characters[1].played, 0);
}

// What two games saved apart adds up to what one game playing every match would have kept:
// counts summed, the better best match, whichever side holds it.
TEST(PlayerRecords, MergedRecordsAreAsIfOneGamePlayedEveryMatch) {
    PlayerRecords disk, ours, all;
    for (PlayerRecords* records : {&disk, &all}) {
        addMatch(*records, 3, matchOf(20, 250), true);
        addTournamentWin(*records, 3);
    }
    for (PlayerRecords* records : {&ours, &all}) {
        addMatch(*records, 3, matchOf(30, 301), false);
        addMatch(*records, 5, matchOf(10, 200), true);
    }
    EXPECT_EQ(formatRecords(mergeRecords(disk, ours)), formatRecords(all));
    EXPECT_EQ(formatRecords(mergeRecords(ours, disk)), formatRecords(all));
}

TEST(PlayerRecords, DamagedAndNewerFilesAreRecognised) {
    PlayerRecords records;
    addMatch(records, 2, matchOf(30, 301), true);
    const std::string good = formatRecords(records);
    const auto status = [](std::string_view text) { return parseRecords(text).status; };
    using S = ParsedRecords::Status;
    EXPECT_EQ(status("darts301-records 1\n"), S::Ok);
    EXPECT_EQ(status(""), S::Damaged);
    EXPECT_EQ(status(good.substr(0, good.size() - 1)), S::Damaged);  // cut off mid-line
    EXPECT_EQ(status(good.substr(0, good.size() / 2)), S::Damaged);
    EXPECT_EQ(status("darts301-records 3\nwhatever the future holds\n"), S::Newer);
    EXPECT_EQ(status("darts301-records 0\n"), S::Damaged);
    EXPECT_EQ(status("darts301-records x\n"), S::Damaged);
    EXPECT_EQ(status("records 1\n"), S::Damaged);
    EXPECT_EQ(status(good + good.substr(good.find('\n') + 1)), S::Damaged);  // a repeat
    std::string bad = good;
    bad.replace(bad.find("won 1"), 5, "won 9");  // more won than played
    EXPECT_EQ(status(bad), S::Damaged);
    bad = good;
    bad.replace(bad.find("played 1"), 8, "played -1");
    EXPECT_EQ(status(bad), S::Damaged);
    bad = good;
    bad.replace(bad.find("character 2"), 11, "character 9");
    EXPECT_EQ(status(bad), S::Damaged);
    bad = good;
    bad.replace(bad.find(" low_ton"), 1, "  ");
    EXPECT_EQ(status(bad), S::Damaged);
}

// A version 1 file, as the game wrote it before the rated games, reads whole and comes back as
// version 2 with every number it held.
TEST(PlayerRecords, AVersion1FileIsRewrittenAsVersion2LosingNothing) {
    const std::string v1 =
        "darts301-records 1\n"
        "character 3 played 12 won 7 tournaments 1 darts 310 points 5120 best_darts 27 "
        "best_points 540 ton80 1 three_in_the_black 2 hat_trick 3 three_in_a_bed 4 high_ton 5 "
        "low_ton 9\n";
    const ParsedRecords parsed = parseRecords(v1);
    ASSERT_EQ(parsed.status, ParsedRecords::Status::Ok) << parsed.problem;
    std::string v2 = v1;
    v2.replace(v2.find(" 1\n"), 2, " 2");
    EXPECT_EQ(formatRecords(parsed.records), v2);
    // Rated games belong to version 2 only.
    EXPECT_EQ(parseRecords(v1 + "x01_games 3 9500\n").status, ParsedRecords::Status::Damaged);
}

TEST(PlayerRecords, RatedGamesKeepTheLatestThirtyThroughMergeAndFile) {
    PlayerRecords disk, ours;
    for (int game = 1; game <= 25; ++game) addRatedGame(disk, 4, RatedGame::X01, game);
    for (int game = 26; game <= 32; ++game) addRatedGame(ours, 4, RatedGame::X01, game);
    addRatedGame(ours, 4, RatedGame::Cricket, 2.345);  // kept in hundredths: 235
    addRatedGame(ours, 6, RatedGame::Cricket, 1.5);     // a character with no 301 match
    const PlayerRecords merged = mergeRecords(disk, ours);
    const std::vector<int64_t>& x01 = merged.characters[4].x01Games;
    ASSERT_EQ(x01.size(), 30U);
    EXPECT_EQ(x01.front(), 300);  // games 1 and 2 fell out, the newest last
    EXPECT_EQ(x01.back(), 3200);
    EXPECT_EQ(merged.characters[4].cricketGames, (std::vector<int64_t>{235}));

    const std::string text = formatRecords(merged);
    EXPECT_NE(text.find("\ncricket_games 6 150\n"), std::string::npos) << text;
    const ParsedRecords parsed = parseRecords(text);
    ASSERT_EQ(parsed.status, ParsedRecords::Status::Ok) << parsed.problem;
    EXPECT_EQ(formatRecords(parsed.records), text);

    const auto status = [](std::string_view body) {
        return parseRecords("darts301-records 2\n" + std::string(body)).status;
    };
    using S = ParsedRecords::Status;
    EXPECT_EQ(status("cricket_games 6 150 -1\n"), S::Damaged);
    EXPECT_EQ(status("cricket_games 6\n"), S::Damaged);
    EXPECT_EQ(status("cricket_games 9 150\n"), S::Damaged);
    EXPECT_EQ(status("cricket_games 6 150\ncricket_games 6 150\n"), S::Damaged);
    std::string many = "x01_games 1";
    for (int i = 0; i <= kRatedGames; ++i) many += " 100";
    EXPECT_EQ(status(many + "\n"), S::Damaged);
}

}  // namespace
}  // namespace darts
