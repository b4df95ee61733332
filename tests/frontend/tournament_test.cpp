#include "frontend/tournament.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>

#include <climits>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "frontend/front_end.h"
#include "frontend/front_end_input.h"
#include "frontend/roster.h"
#include "match/rules.h"
#include "support/recording_device.h"

namespace darts::frontend {
namespace {

using testing::expectText;
using testing::RecordingDevice;

namespace fs = std::filesystem;
using platform::MouseObject;

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kOpaqueBlack = 0xFF000000;
const std::string kYourTurn =
    "\x82\xa0\x82\xc8\x82\xbd\x82\xcc\x8f\x87\x94\xd4\x82\xc5\x82\xb7\x81\x42\x20";
const std::string kChampionIs = "\x97\x44\x8f\x9f\x82\xcd\x81\x41";

std::string nameOf(const PlayerSlot& p) { return {p.name, strnlen(p.name, sizeof p.name)}; }

PlayerSlot rosterCharacter(int number) {
    auto scratch = std::make_unique<GameState>();
    readRosterRecord(*scratch, number, false);
    return scratch->players[kComputer];
}

class Tournament : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int i = 0; i < 8; ++i) s.overlayTextures[i] = 100 + i;
        for (int i = 0; i < 9; ++i) s.portraitTextures[i] = 200 + i;
        s.smallFont = 11;
        s.largeFont = 22;
    }
    void click() {
        handleFrontEndMouse(s, {MouseObject::Button0, platform::kButtonPressed}, s.buttonHeld);
        handleFrontEndMouse(s, {MouseObject::Button0, 0}, s.buttonHeld);
    }
    // From the title with the tournament item under the cursor: the opening draw.
    void startTournament(uint32_t seed, int character = 1) {
        seedRandom(s, seed);
        s.players[kHuman].characterNumber = character;
        s.screen = ScreenId::Title;
        s.menuSelection = MenuItem::Tournament;
        click();
        ASSERT_EQ(s.screen, ScreenId::Tournament);
    }
    // The human's match, started by the last click, ends with a dart that leaves the winner's
    // count at exactly 0.
    void finishHumanMatch(bool humanWins) {
        const int side = humanWins ? kHuman : kComputer;
        s.matchPhase = static_cast<MatchPhase>(side);
        s.players[side].scoreLeft = 0;
        s.players[side].dartScores[0] = 301;
        finishDart(s);
    }

    std::unique_ptr<GameState> owned = std::make_unique<GameState>();
    GameState& s = *owned;
    RecordingDevice device;
};

// Entries 2..9 hold each character once; every decided match's winner is one of its two
// entrants; undecided matches and the unused entries are empty.
void expectValidBracket(const GameState& s) {
    std::vector<int> opening(s.tournamentSlots + 2, s.tournamentSlots + 10);
    std::sort(opening.begin(), opening.end());
    EXPECT_EQ(opening, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    for (int match = 1; match <= kTournamentMatches; ++match) {
        const int winner = s.tournamentSlots[winnerEntryOf(match)];
        if (match < s.tournamentMatch) {
            EXPECT_TRUE(winner == s.tournamentSlots[firstEntryOf(match)] ||
                        winner == s.tournamentSlots[secondEntryOf(match)])
                << "match " << match << " winner " << winner;
            EXPECT_NE(winner, 0) << "match " << match;
        } else {
            EXPECT_EQ(winner, 0) << "match " << match << " is not decided yet";
        }
    }
    EXPECT_EQ(s.tournamentSlots[0], 0);
    EXPECT_EQ(s.tournamentSlots[1], 0);
    EXPECT_EQ(s.tournamentSlots[17], 0);
}

bool bracketIsEmpty(const GameState& s) {
    return std::all_of(std::begin(s.tournamentSlots), std::end(s.tournamentSlots),
                       [](int entry) { return entry == 0; });
}

TEST_F(Tournament, OpeningDrawShufflesAllEightCharacters) {
    std::set<std::vector<int>> orders;
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        clearTournament(s);
        startTournament(seed, 5);
        expectValidBracket(s);
        EXPECT_EQ(s.tournamentMatch, 1);
        EXPECT_EQ(s.buttonHeld, 0);
        orders.insert({s.tournamentSlots + 2, s.tournamentSlots + 10});
    }
    EXPECT_GT(orders.size(), 15u) << "the draw depends on the generator";
}

// One tournament through the front end's own handlers with the human in each entry, winning
// every match or losing the first, the bracket and the screen checked after every click.
class WholeTournament : public Tournament,
                        public ::testing::WithParamInterface<std::tuple<int, bool>> {};

TEST_P(WholeTournament, RunsFromTheDrawToTheChampionAndBackToTheTitle) {
    const auto [humanEntry, humanWins] = GetParam();
    startTournament(1000u + static_cast<uint32_t>(humanEntry));
    // Whoever the draw put into the entry is the human's character.
    const int human = s.tournamentSlots[humanEntry];
    s.players[kHuman].characterNumber = human;
    renderFrontEnd(s, device);
    EXPECT_TRUE(device.texts.empty()) << "no message before the first click";

    int humanMatches = 0;
    bool humanOut = false;
    for (int clicks = 0; s.tournamentMatch <= kTournamentMatches; ++clicks) {
        ASSERT_LT(clicks, 20) << "the tournament must end";
        const int matchBefore = s.tournamentMatch;
        click();
        expectValidBracket(s);
        ASSERT_EQ(s.screen, ScreenId::Tournament);
        if (s.humanMatchPending == 0) {
            EXPECT_EQ(s.tournamentMatch, matchBefore + 1) << "one simulated match per click";
            const int winner = s.tournamentSlots[winnerEntryOf(matchBefore)];
            EXPECT_NE(winner, human) << "the human's matches are never simulated";
            continue;
        }
        ASSERT_FALSE(humanOut) << "a beaten human plays no more";
        EXPECT_EQ(s.tournamentMatch, matchBefore);
        EXPECT_EQ(s.inFrontEnd, 1) << "the first click only announces the match";
        const int opponent = s.tournamentSlots[firstEntryOf(matchBefore)] == human
                                 ? s.tournamentSlots[secondEntryOf(matchBefore)]
                                 : s.tournamentSlots[firstEntryOf(matchBefore)];
        EXPECT_EQ(s.players[kComputer].characterNumber, opponent);
        renderFrontEnd(s, device);
        ASSERT_EQ(device.texts.size(), 1u);
        expectText(device.texts[0], kYourTurn, 232, 260, kRed);

        click();  // starts the match
        EXPECT_EQ(s.inFrontEnd, 0);
        EXPECT_EQ(s.humanMatchPending, 1);
        EXPECT_EQ(s.matchPhase, MatchPhase::HumanTurn);
        EXPECT_EQ(s.players[kHuman].scoreLeft, 301);
        EXPECT_EQ(s.players[kComputer].scoreLeft, 301);
        // The opponent plays with its own statistics, not the defaults newMatch set.
        const PlayerSlot expected = rosterCharacter(opponent);
        EXPECT_EQ(s.players[kComputer].characterNumber, opponent);
        EXPECT_EQ(s.players[kComputer].gaugeSkill, expected.gaugeSkill);
        EXPECT_EQ(s.players[kComputer].releaseSkill, expected.releaseSkill);

        ++humanMatches;
        finishHumanMatch(humanWins);
        humanOut = !humanWins;
        EXPECT_EQ(s.inFrontEnd, 1);
        EXPECT_EQ(s.humanMatchPending, 0);
        EXPECT_EQ(s.tournamentMatch, matchBefore + 1);
        EXPECT_EQ(s.tournamentSlots[winnerEntryOf(matchBefore)], humanWins ? human : opponent);
        expectValidBracket(s);
    }
    EXPECT_EQ(humanMatches, humanWins ? 3 : 1);
    const int champion = s.tournamentSlots[kChampionEntry];
    if (humanWins) {
        EXPECT_EQ(champion, human);
    } else {
        EXPECT_NE(champion, human);
    }

    click();  // the champion is announced
    EXPECT_EQ(s.tournamentOver, 1);
    EXPECT_EQ(s.screen, ScreenId::Tournament);
    renderFrontEnd(s, device);
    ASSERT_EQ(device.texts.size(), 1u);
    expectText(device.texts[0], kChampionIs + nameOf(rosterCharacter(champion)) + "!!", 232, 260,
               kRed);

    click();  // back to the title with everything cleared
    EXPECT_EQ(s.screen, ScreenId::Title);
    EXPECT_EQ(s.inFrontEnd, 1);
    EXPECT_TRUE(bracketIsEmpty(s));
    EXPECT_EQ(s.tournamentMatch, 1);
    EXPECT_EQ(s.tournamentOver, 0);
    EXPECT_EQ(s.humanMatchPending, 0);

    // A new tournament starts from an empty bracket.
    s.menuSelection = MenuItem::Tournament;
    click();
    EXPECT_EQ(s.screen, ScreenId::Tournament);
    EXPECT_EQ(s.tournamentMatch, 1);
    expectValidBracket(s);
}

INSTANTIATE_TEST_SUITE_P(EveryEntry, WholeTournament,
                         ::testing::Combine(::testing::Range(2, 10), ::testing::Bool()));

TEST_F(Tournament, HumanInTheLastEntryWaitsForThreeSimulatedMatches) {
    startTournament(77);
    s.players[kHuman].characterNumber = s.tournamentSlots[9];
    for (int match = 1; match <= 3; ++match) {
        click();
        EXPECT_EQ(s.tournamentMatch, match + 1);
        EXPECT_EQ(s.humanMatchPending, 0);
    }
    click();
    EXPECT_EQ(s.tournamentMatch, 4);
    EXPECT_EQ(s.humanMatchPending, 1);
}

TEST_F(Tournament, AHeldButtonDecidesNothing) {
    startTournament(3);
    s.players[kHuman].characterNumber = s.tournamentSlots[9];
    handleFrontEndMouse(s, {MouseObject::Button0, platform::kButtonPressed}, s.buttonHeld);
    EXPECT_EQ(s.tournamentMatch, 2);
    handleFrontEndMouse(s, {MouseObject::Button0, platform::kButtonPressed}, s.buttonHeld);
    EXPECT_EQ(s.tournamentMatch, 2) << "no release in between";
}

TEST(SimulationDie, IsTheExperienceButNeverBelowOne) {
    const struct {
        int gauge, release, die;
    } cases[] = {{7, 5, 6},
                 {2, 2, 14},
                 {9, 8, 1},
                 {10, 8, 1},
                 {10, 10, 1},
                 {99, 99, 1},
                 {-20000, -20000, 0x7FFF},
                 {INT_MAX, INT_MAX, 1},
                 {INT_MIN, INT_MIN, 0x7FFF}};
    for (const auto& c : cases) {
        PlayerSlot p{};
        p.gaugeSkill = c.gauge;
        p.releaseSkill = c.release;
        EXPECT_EQ(simulationDieSize(p), c.die) << c.gauge << " + " << c.release;
    }
}

// A roster in a folder of its own, every character with the same two statistics.
class WorkingRoster {
  public:
    WorkingRoster(const std::string& gauge, const std::string& release)
        : previous_(fs::current_path()),
          folder_(fs::temp_directory_path() / ("tournament_roster_" + std::to_string(::getpid()))) {
        std::ifstream in(previous_ / "data" / "pcdata.kpd", std::ios::binary);
        std::string roster((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        for (size_t record = 0; record * kRosterRecordSize < roster.size(); ++record) {
            roster.replace(record * kRosterRecordSize + 17, 3, gauge);
            roster.replace(record * kRosterRecordSize + 20, 3, release);
        }
        fs::create_directories(folder_ / "data");
        std::ofstream(folder_ / "data" / "pcdata.kpd", std::ios::binary) << roster;
        fs::current_path(folder_);
    }
    ~WorkingRoster() {
        fs::current_path(previous_);
        fs::remove_all(folder_);
    }

  private:
    fs::path previous_, folder_;
};

TEST_F(Tournament, CharactersWithTooLittleExperienceStillPlayTheirMatches) {
    WorkingRoster roster("10 ", "10 ");  // experience -2 on paper
    std::set<int> winners;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        seedRandom(s, seed);
        for (int entry = 2; entry <= 9; ++entry) s.tournamentSlots[entry] = entry - 1;
        s.tournamentSlots[10] = 0;
        simulateMatch(s, 1);
        winners.insert(s.tournamentSlots[10]);
        EXPECT_EQ(s.players[kComputer].characterNumber, 2) << "left holding the second entry";
    }
    EXPECT_EQ(winners, (std::set<int>{1, 2})) << "a one-sided die still leaves the coin to decide";
}

TEST_F(Tournament, SimulatedMatchRollsTheFirstEntryFirstAndRerollsTies) {
    for (uint32_t seed = 1; seed <= 50; ++seed) {
        for (int entry = 2; entry <= 9; ++entry) s.tournamentSlots[entry] = 10 - entry;
        seedRandom(s, seed);
        simulateMatch(s, 2);  // entries 4 and 5: characters 6 and 5

        auto reference = std::make_unique<GameState>();
        seedRandom(*reference, seed);
        const int dieOf6 = simulationDieSize(rosterCharacter(6));
        const int dieOf5 = simulationDieSize(rosterCharacter(5));
        int x = 0, y = 0;
        do {
            x = randomInRange(*reference, 1, dieOf6);
            x += randomInRange(*reference, 1, 2);
            y = randomInRange(*reference, 1, dieOf5);
            y += randomInRange(*reference, 1, 2);
        } while (x == y);
        EXPECT_EQ(s.tournamentSlots[winnerEntryOf(2)], x > y ? 6 : 5) << seed;
        EXPECT_EQ(s.randomState, reference->randomState) << "no extra draws";
    }
}

TEST_F(Tournament, MatchNumbersOutsideTheBracketChangeNothing) {
    for (int entry = 2; entry <= 9; ++entry) s.tournamentSlots[entry] = entry - 1;
    const uint32_t before = s.randomState;
    simulateMatch(s, 0);
    simulateMatch(s, 8);
    simulateMatch(s, -5);
    EXPECT_EQ(s.randomState, before);
    for (int entry = 10; entry < 18; ++entry) EXPECT_EQ(s.tournamentSlots[entry], 0);
}

// The band's centre line, rounded to whole pixels: the mean of its two long sides.
std::vector<int> centreLine(const RecordingDevice::Fan& band) {
    const auto& v = band.vertices;
    return {static_cast<int>(std::lround((v[0].x + v[3].x) / 2)),
            static_cast<int>(std::lround((v[0].y + v[3].y) / 2)),
            static_cast<int>(std::lround((v[1].x + v[2].x) / 2)),
            static_cast<int>(std::lround((v[1].y + v[2].y) / 2))};
}

TEST_F(Tournament, BracketOfAnEmptyAndAFullTournament) {
    constexpr size_t kLines = 28, kBoxes = 15;
    s.screen = ScreenId::Tournament;
    renderFrontEnd(s, device);
    // The background, the lines, the boxes (and no pointer: it has no texture here).
    ASSERT_EQ(device.fans.size(), 1 + kLines + kBoxes);
    EXPECT_EQ(device.fans[0].texture, 104u);

    std::set<std::vector<int>> segments;
    for (size_t i = 1; i <= kLines; ++i) {
        const auto& band = device.fans[i];
        EXPECT_EQ(band.color(), kOpaqueBlack);
        const float dx = band.vertices[0].x - band.vertices[3].x;
        const float dy = band.vertices[0].y - band.vertices[3].y;
        EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), 2.2f, 1e-3f) << "a band 2.2 pixels across";
        segments.insert(centreLine(band));
    }
    const std::set<std::vector<int>> expectedLines = {
        {80, 450, 160, 450},  {80, 450, 80, 500},   {160, 450, 160, 500}, {240, 450, 320, 450},
        {240, 450, 240, 500}, {320, 450, 320, 500}, {400, 450, 480, 450}, {400, 450, 400, 500},
        {480, 450, 480, 500}, {560, 450, 640, 450}, {560, 450, 560, 500}, {640, 450, 640, 500},
        {120, 330, 280, 330}, {120, 430, 120, 450}, {120, 330, 120, 350}, {280, 430, 280, 450},
        {280, 330, 280, 350}, {440, 330, 600, 330}, {440, 430, 440, 450}, {440, 330, 440, 350},
        {600, 430, 600, 450}, {600, 330, 600, 350}, {200, 210, 520, 210}, {200, 310, 200, 330},
        {200, 210, 200, 230}, {520, 310, 520, 330}, {520, 210, 520, 230}, {360, 190, 360, 210}};
    EXPECT_EQ(segments, expectedLines);

    // Entries 2..16 in order.
    const float boxes[kBoxes][4] = {
        {45, 500, 115, 580},  {125, 500, 195, 580}, {205, 500, 275, 580}, {285, 500, 355, 580},
        {365, 500, 435, 580}, {445, 500, 515, 580}, {525, 500, 595, 580}, {605, 500, 675, 580},
        {85, 350, 155, 430},  {245, 350, 315, 430}, {405, 350, 475, 430}, {575, 350, 635, 430},
        {175, 230, 235, 310}, {485, 230, 555, 310}, {325, 110, 395, 190}};
    for (size_t i = 0; i < kBoxes; ++i) {
        const auto& box = device.fans[1 + kLines + i];
        EXPECT_EQ(box.left(), boxes[i][0]) << "box " << i;
        EXPECT_EQ(box.top(), boxes[i][1]) << "box " << i;
        EXPECT_EQ(box.right(), boxes[i][2]) << "box " << i;
        EXPECT_EQ(box.bottom(), boxes[i][3]) << "box " << i;
        EXPECT_EQ(box.color(), 0xC8FFFFFFu) << "alpha 200";
        EXPECT_EQ(box.texture, 0u) << "an empty entry is a plain white box";
    }

    // Every entry filled: each box shows its own character's portrait.
    for (int entry = 2; entry <= 16; ++entry) s.tournamentSlots[entry] = (entry % 8) + 1;
    renderFrontEnd(s, device);
    ASSERT_EQ(device.fans.size(), 1 + kLines + kBoxes);
    for (size_t i = 0; i < kBoxes; ++i) {
        const auto& box = device.fans[1 + kLines + i];
        EXPECT_EQ(box.texture, 200u + ((i + 2) % 8) + 1) << "box " << i;
        EXPECT_EQ(box.color(), 0xC8FFFFFFu);
    }
}

}  // namespace
}  // namespace darts::frontend
