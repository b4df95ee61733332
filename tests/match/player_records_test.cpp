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
