#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "audio/board_hit.h"
#include "awards/awards_layer.h"
#include "awards/records_file.h"
#include "core/state_checksum.h"
#include "loops/match_loop.h"
#include "match/rules.h"
#include "render/device.h"

namespace darts {
namespace {

using platform::MouseObject;
using platform::MouseRecord;

class ClickScript : public platform::InputSource {
  public:
    std::deque<std::vector<MouseRecord>> mouse;
    int polls = 0;
    bool escapeDown() override { return false; }
    int readMouse(MouseRecord* out, int capacity) override {
        ++polls;
        if (mouse.empty()) return 0;
        const std::vector<MouseRecord> records = mouse.front();
        mouse.pop_front();
        int count = 0;
        for (const MouseRecord& r : records) {
            if (count < capacity) out[count++] = r;
        }
        return count;
    }
};

// Counts the effects the session asks for.
class Effects : public audio::EffectOutput {
  public:
    int hits = 0, awards = 0;
    void playBoardHit() override { ++hits; }
    void playAward() override { ++awards; }
};

std::unique_ptr<GameState> seededMatch(uint32_t seed) {
    auto state = std::make_unique<GameState>();
    seedRandom(*state, seed);
    PlayerSlot& human = state->players[kHuman];
    human.characterNumber = 3;
    human.gaugeRange = 10;
    human.gaugeSkill = 7;
    human.releaseSkill = 5;
    state->dartState = DartState::InHand;
    newMatch(*state);
    state->inFrontEnd = 0;
    return state;
}

// Every frame's checksum of a match played by the computer for both sides.
std::vector<uint64_t> playWatched(GameState& state, AwardsLayer* awards) {
    render::HeadlessDevice device;
    platform::NoInput input;
    FrameIo io{device, input};
    MatchLoopOptions options;
    options.computerPlaysHuman = true;
    if (awards != nullptr) options.layers.push_back(awards);
    std::vector<uint64_t> checksums;
    options.afterFrame = [&](const GameState& s) {
        checksums.push_back(stateChecksum(s));
        return checksums.size() < 200'000;
    };
    if (awards) awards->beforeMatch(state);
    EXPECT_EQ(runMatch(state, io, options), MatchLoopEnd::Ended);
    return checksums;
}

class AwardsLayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("darts-awards-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder_);
        path_ = (folder_ / "records").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::filesystem::path folder_;
    std::string path_;
};

// Watching for awards reads the game and changes nothing in it: the same seed plays the same
// match frame by frame, and the statistics add up the way the rules count.
TEST_F(AwardsLayerTest, WatchingChangesNoFrameOfTheMatch) {
    for (uint32_t seed : {1u, 77u, 4242u}) {
        SCOPED_TRACE(seed);
        auto plain = seededMatch(seed);
        const std::vector<uint64_t> expected = playWatched(*plain, nullptr);

        auto watched = seededMatch(seed);
        watched->awardsOn = 1;
        Effects effects;
        watched->effects = &effects;
        AwardsLayer awards(path_);
        EXPECT_EQ(playWatched(*watched, &awards), expected);

        const MatchStatistics& stats = awards.statistics();
        const int winner = stats.winner();
        ASSERT_GE(winner, 0);
        EXPECT_EQ(winner, watched->lastFinishedDart.side);
        // The winner took exactly 301 off; busts scored nothing. The loser took off what it lacks.
        EXPECT_EQ(stats.side(winner).points, kStartingScore);
        const PlayerSlot& loser = watched->players[1 - winner];
        EXPECT_EQ(stats.side(1 - winner).points, kStartingScore - loser.turnStartScore);
        EXPECT_EQ(static_cast<uint32_t>(stats.side(0).darts + stats.side(1).darts),
                  watched->dartsFinished);
        int awarded = 0;
        for (int side = 0; side < 2; ++side) {
            for (int a = 1; a < kAwardKinds; ++a) awarded += stats.side(side).awards[a];
        }
        EXPECT_EQ(effects.awards, awarded) << "one fanfare per award, as it comes on show";
    }
}

TEST_F(AwardsLayerTest, CardWaitsForAWholeClickThenTheRecordsAreKept) {
    auto state = seededMatch(9);
    state->awardsOn = 1;
    AwardsLayer awards(path_);
    playWatched(*state, &awards);
    ASSERT_EQ(state->inFrontEnd, 1);

    render::HeadlessDevice device;
    ClickScript input;
    // A release left over from before the card, some frames of nothing, then a click held for
    // a few frames: only the click's release ends the card.
    input.mouse = {{{MouseObject::Button0, 0}},
                   {},
                   {},
                   {{MouseObject::Button0, platform::kButtonPressed}},
                   {},
                   {},
                   {{MouseObject::Button0, 0}},
                   {}};
    FrameIo io{device, input};
    awards.afterMatch(*state, io);
    EXPECT_EQ(input.polls, 7);
    EXPECT_EQ(input.mouse.size(), 1u) << "nothing read past the click";

    const LoadedRecords saved = loadRecords(path_);
    EXPECT_EQ(saved.message, "");
    const CharacterRecord& r = saved.records.characters[3];
    EXPECT_EQ(r.played, 1);
    EXPECT_EQ(r.won, awards.statistics().winner() == kHuman ? 1 : 0);
    EXPECT_EQ(r.darts, awards.statistics().side(kHuman).darts);

    // A second call for the same match counts nothing again.
    awards.afterMatch(*state, io);
    EXPECT_EQ(loadRecords(path_).records.characters[3].played, 1);
}

// A whole match of the seed played with the session, then its card clicked away (which saves).
void playAndSave(AwardsLayer& awards, uint32_t seed) {
    auto state = seededMatch(seed);
    state->awardsOn = 1;
    playWatched(*state, &awards);
    render::HeadlessDevice device;
    ClickScript input;
    input.mouse = {{{MouseObject::Button0, platform::kButtonPressed}}, {{MouseObject::Button0, 0}}};
    FrameIo io{device, input};
    awards.afterMatch(*state, io);
}

// Two games started at once, each saving a match: the second keeps the first one's match.
TEST_F(AwardsLayerTest, TwoGamesAtOnceBothCount) {
    AwardsLayer first(path_);
    AwardsLayer second(path_);
    playAndSave(first, 9);
    playAndSave(second, 77);
    const int64_t darts =
        first.statistics().side(kHuman).darts + second.statistics().side(kHuman).darts;
    const CharacterRecord kept = loadRecords(path_).records.characters[3];
    EXPECT_EQ(kept.played, 2);
    EXPECT_EQ(kept.darts, darts);
    EXPECT_EQ(second.records().characters[3].played, 2) << "the records page shows both";
}

// A records file the player cannot read (mode 000 as the player; root reads anything, so the
// game runs as nobody there) is never written over: the game plays on, says so once, keeps none.
TEST_F(AwardsLayerTest, AFileThatCannotBeReadIsNeverReplaced) {
    std::filesystem::create_directories(folder_);
    std::filesystem::permissions(folder_, std::filesystem::perms::all);  // nobody may write here
    PlayerRecords fifty;
    fifty.characters[3].played = 50;
    ASSERT_EQ(saveRecords(path_, fifty), "");
    ::chmod(path_.c_str(), 0);
    const std::string log = (folder_ / "stderr").string();
    const pid_t game = ::fork();
    ASSERT_GE(game, 0);
    if (game == 0) {
        const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::dup2(fd, 2) < 0) ::_exit(3);
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(77);
        AwardsLayer awards(path_);
        playAndSave(awards, 9);
        playAndSave(awards, 77);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(game, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "cannot run as another user here";
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ::chmod(path_.c_str(), 0644);
    EXPECT_EQ(loadRecords(path_).records.characters[3].played, 50);
    std::ifstream said(log);
    std::vector<std::string> lines;
    for (std::string line; std::getline(said, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("cannot read " + path_), std::string::npos) << lines[0];
}

// With --awards and no folder for the records the player is told, in one line.
TEST_F(AwardsLayerTest, NoFolderForTheRecordsIsSaidOnce) {
    ::testing::internal::CaptureStderr();
    AwardsLayer awards("");
    playAndSave(awards, 9);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("no folder for the records"), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
}

// A bar game with a human played to its end: a fanfare for each of its own awards, its card waits
// for a click, then the human's leg is rated under its character, and the 301 game's counts are
// left as they were.
TEST_F(AwardsLayerTest, ABarGamePlayedToItsEndRatesItsHuman) {
    auto state = seededMatch(5);
    state->awardsOn = 1;
    games::MatchSetup setup;
    setup.x01.start = 301;
    std::vector<games::Seat> seats(2);
    seats[0] = {true, games::levelSpread(12), "A", 3, 0};
    seats[1] = {false, games::levelSpread(12), "B", 5, 12};
    games::BarMatch bar(setup, seats);
    bar.start(*state);
    state->inFrontEnd = 0;
    Effects effects;
    state->effects = &effects;
    AwardsLayer awards(path_);
    playWatched(*state, &awards);
    ASSERT_EQ(bar.match().step(), games::GameMatch::Step::Over);
    ASSERT_EQ(bar.playedLegs().size(), 1u);
    size_t earned = 0;
    for (int side = 0; side < 2; ++side) {
        earned += bar.playedLegs()[0].statistics.side(side).awards.size();
    }
    EXPECT_GT(earned, 0u);
    EXPECT_EQ(effects.awards, static_cast<int>(earned)) << "one fanfare per award of the leg";

    render::HeadlessDevice device;
    ClickScript input;
    input.mouse = {{}, {{MouseObject::Button0, platform::kButtonPressed}}, {{MouseObject::Button0, 0}}};
    FrameIo io{device, input};
    awards.afterMatch(*state, io);
    EXPECT_EQ(input.polls, 3) << "the card stays until the click";
    const PlayerRecords kept = loadRecords(path_).records;
    const double stat = bar.playedLegs()[0].statistics.side(0).pointsPerRound80();
    EXPECT_EQ(kept.characters[3].x01Games, (std::vector<int64_t>{std::llround(stat * 100)}));
    EXPECT_EQ(kept.characters[3].played, 0);
    EXPECT_TRUE(kept.characters[5].x01Games.empty());
}

// A bar game rates its humans' 01 and Cricket legs against others, each under its character.
TEST(AwardsLayerBarGames, HumansLegsAgainstOthersAreRated) {
    using namespace games;
    const auto leg = [](LegGame game, int sides, std::vector<Hit> darts) {
        LegSetup setup;
        setup.game = game;
        setup.sides = sides;
        auto rules = makeLeg(setup);
        LegStatistics stats(setup);
        for (Hit hit : darts) {
            const int side = rules->sideToThrow(), dart = rules->dartInTurn();
            stats.dart(*rules, side, dart, hit, rules->dart(hit));
        }
        return stats;
    };
    const Hit t20{Ring::Triple, 20}, s20{Ring::Single, 20}, miss;
    std::vector<Seat> seats(2);
    seats[0] = {true, {}, "A", 3, 0};
    seats[1] = {false, {}, "B", 5, 0};
    const std::vector<PlayedLeg> legs = {
        {1, leg(LegGame::X01, 2, {t20, t20, s20, t20, t20, t20})},  // side 0: 140 a round
        {2, leg(LegGame::Cricket, 2, {t20, s20, miss, t20, t20, t20})},  // 4 marks
        {3, leg(LegGame::CountUp, 2, {t20, t20, t20})},
        {4, leg(LegGame::X01, 1, {t20, t20, t20})},  // practice
    };
    PlayerRecords records;
    AwardsLayer::addBarMatch(records, seats, legs);
    EXPECT_EQ(records.characters[3].x01Games, (std::vector<int64_t>{14000}));
    EXPECT_EQ(records.characters[3].cricketGames, (std::vector<int64_t>{400}));
    EXPECT_TRUE(records.characters[5].x01Games.empty());  // a computer's
}

}  // namespace
}  // namespace darts
