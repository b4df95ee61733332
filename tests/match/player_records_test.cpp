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
    EXPECT_EQ(text.substr(0, text.find('\n')), "darts301-records 1");
    const ParsedRecords parsed = parseRecords(text);
    ASSERT_EQ(parsed.status, ParsedRecords::Status::Ok) << parsed.problem;
    EXPECT_EQ(formatRecords(parsed.records), text);
    EXPECT_EQ(parsed.records.characters[8].played, 1);
    EXPECT_EQ(parsed.records.characters[1].played, 0);
}

// What two games saved apart adds up: counts summed, the better best match kept.
TEST(PlayerRecords, MergedRecordsSumCountsAndKeepTheBetterBestMatch) {
    PlayerRecords disk;
    addMatch(disk, 3, matchOf(20, 250), true);
    addTournamentWin(disk, 3);
    PlayerRecords ours;
    addMatch(ours, 3, matchOf(30, 301), false);
    addMatch(ours, 5, matchOf(10, 200), true);
    const PlayerRecords merged = mergeRecords(disk, ours);
    const CharacterRecord& r = merged.characters[3];
    EXPECT_EQ(r.played, 2);
    EXPECT_EQ(r.won, 1);
    EXPECT_EQ(r.tournaments, 1);
    EXPECT_EQ(r.darts, 50);
    EXPECT_EQ(r.points, 551);
    EXPECT_DOUBLE_EQ(r.bestPointsPerDart(), 12.5);  // the disk's 250/20 beats our 301/30
    EXPECT_EQ(r.awards[static_cast<int>(Award::LowTon)], 4);
    EXPECT_DOUBLE_EQ(merged.characters[5].bestPointsPerDart(), 20.0);
    EXPECT_EQ(formatRecords(mergeRecords(ours, disk)), formatRecords(merged));
    EXPECT_EQ(parseRecords(formatRecords(merged)).status, ParsedRecords::Status::Ok);
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
    EXPECT_EQ(status("darts301-records 2\nwhatever the future holds\n"), S::Newer);
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

}  // namespace
}  // namespace darts
