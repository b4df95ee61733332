// The game-select screen: its words and their refusals, the rows each game shows, what presses of
// the pointer do to the game and the seats, and what Start hands over.
#include "frontend/game_select.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "frontend/game_select_page.h"
#include "games/computer_aim.h"
#include "games/rating_stats.h"
#include "support/recording_device.h"

namespace darts::frontend {
namespace {

namespace layout = game_select_layout;
using Row = GameSelectRow;
using SeatKind = SeatChoice::Kind;

GameSelectChoice fromWords(const GameSelectWords& words) {
    std::string error;
    std::optional<GameSelectChoice> choice = choiceFromWords(words, &error);
    EXPECT_TRUE(choice) << error;
    return choice.value_or(GameSelectChoice{});
}

// The middle of an option row's control, by the row's place on the screen.
int rowY(const GameSelectMenu& menu, Row row) {
    const std::vector<Row> rows = menu.rows();
    const auto at = std::find(rows.begin(), rows.end(), row);
    EXPECT_NE(at, rows.end());
    return layout::kFirstRowTop + static_cast<int>(at - rows.begin()) * layout::kRowHeight +
           layout::kRowHeight / 2;
}
int seatY(int seat) { return layout::kFirstSeatTop + seat * layout::kSeatHeight + 20; }
constexpr int kLess = layout::kLessX + 4, kMore = layout::kMoreX + 4;
constexpr int kValue = (layout::kLessX + layout::kMoreX) / 2;
int seatLess(SeatField field) { return layout::kSeatLessX[static_cast<int>(field)] + 4; }
int seatMore(SeatField field) { return layout::kSeatMoreX[static_cast<int>(field)] + 4; }
int seatValue(SeatField field) {
    return (layout::kSeatLessX[static_cast<int>(field)] +
            layout::kSeatMoreX[static_cast<int>(field)]) /
           2;
}

TEST(GameSelectWords, ChoicesComeBackFromTheirWords) {
    const GameSelectWords cases[] = {
        {},
        {{"game", "1501"}, {"in", "master"}, {"out", "double"}, {"bull", "fat"}, {"rounds", "20"}},
        {{"game", "cutthroat"}, {"rounds", "15"}, {"sides", "guest5,r1c2,c7,you"}},
        {{"game", "countup"}, {"sides", "you,guest4:Aki Mori"}},
        {{"game", "medley"},
         {"x01", "701"},
         {"in", "double"},
         {"out", "master"},
         {"bull", "fat"},
         {"rounds", "15"},
         {"legs", "5"},
         {"sides", "you,guest3,r18c4,c2"}},
    };
    for (const GameSelectWords& words : cases) {
        const GameSelectChoice choice = fromWords(words);
        EXPECT_EQ(fromWords(choiceWords(choice)), choice) << choiceToWords(choice);
    }
    EXPECT_EQ(fromWords({}), defaultGameSelectChoice(0));

    const GameSelectChoice medley = fromWords(cases[4]);
    EXPECT_EQ(choiceToWords(medley),
              "--game medley --in double --out master --bull fat --rounds 15 --legs 5 --x01 701 "
              "--sides you,guest3,r18c4,c2");
    const games::MatchSetup setup = matchSetupOf(medley);
    EXPECT_EQ(setup.game, games::MatchGame::Medley);
    EXPECT_EQ(setup.x01.start, 701);
    EXPECT_EQ(setup.x01.in, games::InRule::Double);
    EXPECT_EQ(setup.x01.out, games::OutRule::Master);
    EXPECT_EQ(setup.x01.bull, games::BullRule::Fat);
    EXPECT_EQ(setup.x01.roundLimit, 15);
    EXPECT_EQ(setup.cricket.roundLimit, 15);
    EXPECT_EQ(setup.legs, 5);
    EXPECT_EQ(setup.sides, 4);
    const std::vector<SeatChoice> seats = {{SeatKind::You, 0, 8},
                                           {SeatKind::Guest, 3, 8},
                                           {SeatKind::Computer, 4, 18},
                                           {SeatKind::Computer, 2, 0}};
    EXPECT_EQ(medley.seats, seats);

    // Words of the game they do not apply to are kept for when it comes back, and left out.
    const GameSelectChoice cricket = fromWords({{"game", "cricket"}, {"in", "double"}});
    EXPECT_EQ(cricket.in, games::InRule::Double);
    EXPECT_EQ(choiceToWords(cricket), "--game cricket --rounds 20 --sides you,r8c1");
    EXPECT_TRUE(matchSetupOf(cricket).cricket.roundLimit == 20 &&
                !matchSetupOf(cricket).cricket.cutThroat);
}

TEST(GameSelectWords, BadWordsAreRefusedWithAReason) {
    const GameSelectWords bad[] = {
        {{"game", "401"}},
        {{"game", ""}},
        {{"game", "Cricket"}},
        {{"in", "twice"}},
        {{"out", ""}},
        {{"bull", "round"}},
        {{"rounds", "12"}},
        {{"rounds", "-10"}},
        {{"game", "cricket"}, {"rounds", "10"}},
        {{"game", "medley"}, {"rounds", "0"}},
        {{"game", "501"}, {"rounds", "25"}},
        {{"legs", "4"}},
        {{"x01", "400"}},
        {{"sides", ""}},
        {{"sides", "you,you"}},
        {{"sides", "r0"}},
        {{"sides", "r19"}},
        {{"sides", "c9"}},
        {{"sides", "guest0"}},
        {{"sides", "r8c"}},
        {{"sides", "r8c3x"}},
        {{"sides", " r8"}},
        {{"sides", "r1,"}},
        {{"sides", "p"}},
        {{"sides", "you,r1,r2,r3,r4"}},
    };
    for (const GameSelectWords& words : bad) {
        std::string error;
        EXPECT_FALSE(choiceFromWords(words, &error)) << words.begin()->second;
        EXPECT_FALSE(error.empty());
    }
    // Count-Up has no limit to refuse; its words stay those of the game it came from.
    EXPECT_TRUE(choiceFromWords({{"game", "countup"}, {"rounds", "10"}}));
    // Keys of other screens are theirs.
    EXPECT_TRUE(choiceFromWords({{"language", "en"}}));
}

TEST(GameSelectWords, AComputerNamedByItsLevelPlaysACharacterNoOtherSideNames) {
    const GameSelectChoice choice = fromWords({{"sides", "c1,r5,guest2,r9"}});
    EXPECT_EQ(choice.seats[1].character, 3);
    EXPECT_EQ(choice.seats[1].level, 5);
    EXPECT_EQ(choice.seats[3].character, 4);
    EXPECT_EQ(defaultGameSelectChoice(1).seats[1].character, 2);
    EXPECT_EQ(defaultGameSelectChoice(2).seats[1].character, 1);
}

TEST(GameSelectWords, FlightsFollowTheRating) {
    const char* const flights[] = {"C", "C",  "C",  "CC", "CC", "B",  "B",  "BB", "BB",
                                   "A", "A",  "A",  "AA", "AA", "AA", "SA", "SA", "SA"};
    ASSERT_EQ(games::highestLevel(), 18);
    for (int rating = 1; rating <= 18; ++rating) {
        EXPECT_STREQ(games::flightOfRating(rating), flights[rating - 1]) << rating;
    }
    EXPECT_EQ(ratingText(8), "Rt 8 BB");
}

TEST(GameSelectMenu, EachGameShowsTheRowsThatApplyToIt) {
    EXPECT_EQ(rowsOf(SelectGame::X01),
              (std::vector<Row>{Row::Game, Row::In, Row::Out, Row::Bull, Row::Rounds}));
    EXPECT_EQ(rowsOf(SelectGame::Cricket), (std::vector<Row>{Row::Game, Row::Rounds}));
    EXPECT_EQ(rowsOf(SelectGame::CutThroat), (std::vector<Row>{Row::Game, Row::Rounds}));
    EXPECT_EQ(rowsOf(SelectGame::CountUp), (std::vector<Row>{Row::Game}));
    EXPECT_EQ(rowsOf(SelectGame::Medley),
              (std::vector<Row>{Row::Game, Row::X01Start, Row::In, Row::Out, Row::Bull, Row::Rounds,
                                Row::Legs}));
    // A row that is not shown takes no step.
    GameSelectMenu menu(fromWords({{"game", "countup"}}));
    EXPECT_FALSE(menu.step(Row::In, +1));
    EXPECT_EQ(menu.hitAt(kMore, layout::kFirstRowTop + layout::kRowHeight + 5).kind,
              GameSelectHit::Kind::Nothing);
}

TEST(GameSelectMenu, PressesChangeTheGameAndItsOptions) {
    using Press = GameSelectMenu::Press;
    GameSelectMenu menu;
    EXPECT_EQ(menu.press(kMore, rowY(menu, Row::Game)), Press::Changed);
    EXPECT_EQ(menu.choice().x01Start, 701);
    EXPECT_EQ(menu.press(kValue, rowY(menu, Row::Rounds)), Press::Changed);
    EXPECT_EQ(menu.choice().rounds, 10);
    EXPECT_EQ(menu.press(kLess, rowY(menu, Row::Out)), Press::Changed);
    EXPECT_EQ(menu.choice().out, games::OutRule::Master);  // choices go round
    EXPECT_EQ(menu.rowValue(Row::Rounds, Language::English), "10 rounds");

    // On past the 01 starts to Cricket: its limit is one it offers.
    for (int i = 0; i < 4; ++i) menu.press(kMore, rowY(menu, Row::Game));
    EXPECT_EQ(menu.choice().game, SelectGame::Cricket);
    EXPECT_EQ(menu.choice().rounds, 20);
    EXPECT_EQ(menu.rows().size(), 2u);
    // From the first game back round to the last.
    GameSelectMenu round(fromWords({{"game", "301"}}));
    round.press(kLess, rowY(round, Row::Game));
    EXPECT_EQ(round.choice().game, SelectGame::Medley);
    EXPECT_EQ(round.rowValue(Row::Game, Language::English), "Medley");
    round.press(kMore, rowY(round, Row::Legs));
    EXPECT_EQ(round.choice().legs, 5);

    // The label and the gaps beside the arrows do nothing.
    EXPECT_EQ(menu.press(layout::kLabelX, rowY(menu, Row::Game)), Press::Nothing);
    EXPECT_EQ(menu.press(kMore + layout::kArrowWidth, rowY(menu, Row::Game)), Press::Nothing);
}

TEST(GameSelectMenu, PressesChangeTheSeats) {
    using Press = GameSelectMenu::Press;
    GameSelectMenu menu(defaultGameSelectChoice(1), 1);
    const int addX = layout::kAddLeft + 10, addY = layout::kPlayersTop + 10;
    // Added seats are computers at the last one's strength, each its own character, never the
    // player's; four at most.
    menu.press(seatMore(SeatField::Level), seatY(1));
    EXPECT_EQ(menu.press(addX, addY), Press::Changed);
    EXPECT_EQ(menu.press(addX, addY), Press::Changed);
    EXPECT_EQ(menu.press(addX, addY), Press::Nothing);
    const std::vector<SeatChoice>& seats = menu.choice().seats;
    ASSERT_EQ(seats.size(), 4u);
    EXPECT_EQ(seats[2], (SeatChoice{SeatKind::Computer, 3, 9}));
    EXPECT_EQ(seats[3], (SeatChoice{SeatKind::Computer, 4, 9}));

    // Only one seat is the player's: the kinds of the others skip it.
    menu.press(seatValue(SeatField::Kind), seatY(3));
    EXPECT_EQ(seats[3].kind, SeatKind::Guest);
    menu.press(seatMore(SeatField::Kind), seatY(3));
    EXPECT_EQ(seats[3].kind, SeatKind::Computer);
    menu.press(seatMore(SeatField::Kind), seatY(3));
    EXPECT_EQ(seats[3].kind, SeatKind::Guest);
    // The player's seat has no character or strength to step; a guest has its name box there.
    EXPECT_EQ(menu.press(seatMore(SeatField::Character), seatY(0)), Press::Nothing);
    EXPECT_EQ(menu.press(seatLess(SeatField::Level), seatY(3)), Press::EditName);
    EXPECT_EQ(seats[3].kind, SeatKind::Guest);
    // Characters go round; the strength stops at its ends, own skills below Rt 1, and a press on
    // it does nothing.
    menu.press(seatLess(SeatField::Character), seatY(2));
    menu.press(seatLess(SeatField::Character), seatY(2));
    menu.press(seatLess(SeatField::Character), seatY(2));
    EXPECT_EQ(seats[2].character, 8);
    for (int i = 0; i < 12; ++i) menu.press(seatLess(SeatField::Level), seatY(2));
    EXPECT_EQ(seats[2].level, 0);
    EXPECT_EQ(menu.seatLevelText(2, Language::English), "Own skill");
    for (int i = 0; i < 30; ++i) menu.press(seatMore(SeatField::Level), seatY(2));
    EXPECT_EQ(seats[2].level, games::highestLevel());
    EXPECT_EQ(menu.press(seatValue(SeatField::Level), seatY(2)), Press::Nothing);

    // The player's seat removed, another may become the player's.
    EXPECT_EQ(menu.press(layout::kRemoveLeft + 5, seatY(0)), Press::Changed);
    ASSERT_EQ(seats.size(), 3u);
    menu.press(seatLess(SeatField::Kind), seatY(2));
    EXPECT_EQ(seats[2].kind, SeatKind::You);
    // The last seat stays.
    while (seats.size() > 1) menu.press(layout::kRemoveLeft + 5, seatY(0));
    EXPECT_EQ(menu.press(layout::kRemoveLeft + 5, seatY(0)), Press::Nothing);
    EXPECT_EQ(menu.hitAt(seatMore(SeatField::Kind), seatY(1)).kind, GameSelectHit::Kind::Nothing);
}

class GameSelectScreenTest : public ::testing::Test {
  protected:
    void press(int x, int y) {
        platform::UiEvent event;
        event.kind = platform::UiEvent::Kind::ButtonDown;
        event.x = x;
        event.y = y;
        screen.handle(event);
        event.kind = platform::UiEvent::Kind::ButtonUp;
        screen.handle(event);
    }
    void pressStart() { press(layout::kStartLeft + 10, layout::kButtonTop + 10); }

    std::unique_ptr<GameState> state = std::make_unique<GameState>();
    GameSelectScreen screen{*state};
};

TEST_F(GameSelectScreenTest, StartGivesTheChosenSetupAndBackNothing) {
    screen.activate(defaultGameSelectChoice(1));
    press(kMore, rowY(screen.menu(), Row::Bull));
    press(layout::kAddLeft + 10, layout::kPlayersTop + 10);
    EXPECT_FALSE(screen.finished());
    pressStart();
    ASSERT_TRUE(screen.finished());
    ASSERT_TRUE(screen.result());
    const games::MatchSetup setup = matchSetupOf(*screen.result());
    EXPECT_EQ(setup.game, games::MatchGame::X01);
    EXPECT_EQ(setup.x01.start, 501);
    EXPECT_EQ(setup.x01.bull, games::BullRule::Fat);
    EXPECT_EQ(setup.sides, 3);
    // A finished screen hears nothing more.
    press(kMore, rowY(screen.menu(), Row::Game));
    EXPECT_EQ(screen.menu().choice().x01Start, 501);

    screen.activate(*screen.result());
    EXPECT_FALSE(screen.finished());
    press(layout::kBackLeft + 10, layout::kButtonTop + 10);
    EXPECT_TRUE(screen.finished());
    EXPECT_FALSE(screen.result());

    screen.activate({});
    platform::UiEvent quit;
    quit.kind = platform::UiEvent::Kind::Quit;
    screen.handle(quit);
    EXPECT_TRUE(screen.finished());
    EXPECT_FALSE(screen.result());
    EXPECT_EQ(state->quitRequested, 1);
}

TEST_F(GameSelectScreenTest, AGuestsNameIsTypedInItsBoxAndKeptWhenThePressGoesElsewhere) {
    screen.activate(fromWords({{"game", "cricket"}, {"sides", "you,guest2,r8c3"}}));
    auto type = [&](platform::UiEvent::Kind kind, std::string text = {}, int key = 0) {
        platform::UiEvent event;
        event.kind = kind;
        event.x = key;
        event.text = std::move(text);
        screen.handle(event);
    };
    using Kind = platform::UiEvent::Kind;
    const int box = layout::kNameBoxLeft + 10;
    EXPECT_EQ(screen.menu().hitAt(box, seatY(2)).kind, GameSelectHit::Kind::Less)
        << "a computer has a strength there, not a name";
    type(Kind::Text, "x");
    EXPECT_FALSE(screen.wantsTextInput());
    press(box, seatY(1));
    ASSERT_TRUE(screen.wantsTextInput());
    // What would end the name in its words never enters; blanks at its ends are dropped.
    type(Kind::Text, " Aki, #Mori");
    type(Kind::Backspace);
    type(Kind::Edit, {}, platform::UiEvent::Enter);
    EXPECT_FALSE(screen.wantsTextInput());
    EXPECT_EQ(screen.menu().choice().seats[1].name, "Aki Mor");

    // Japanese typing, as much as the name still holds; a press on Start keeps it and starts.
    press(box, seatY(1));
    type(Kind::Edit, {}, platform::UiEvent::Home);
    type(Kind::Text, "\xe3\x81\x82\xe3\x81\x82\xe3\x81\x82");  // "あああ"
    pressStart();
    ASSERT_TRUE(screen.result());
    EXPECT_EQ(screen.result()->seats[1].name, "\x82\xa0\x82\xa0" "Aki Mor");
    EXPECT_EQ(choiceWords(*screen.result()).at("sides"),
              "you,guest2:\xe3\x81\x82\xe3\x81\x82" "Aki Mor,r8c3");
}

TEST_F(GameSelectScreenTest, DrawsTheRowsOfItsGameAndItsSeatsInTheLanguage) {
    state->language = Language::English;
    std::strcpy(state->players[kHuman].name, "TARO");
    screen.activate(fromWords({{"game", "cutthroat"}, {"sides", "you,r12c2"}}));
    testing::RecordingDevice device;
    screen.draw(device);
    auto drawn = [&](const std::string& text) {
        return std::any_of(device.texts.begin(), device.texts.end(),
                           [&](const auto& t) { return t.text == text; });
    };
    EXPECT_TRUE(drawn("Cut-throat"));
    EXPECT_TRUE(drawn("20 rounds"));
    EXPECT_FALSE(drawn("In"));
    EXPECT_TRUE(drawn("TARO"));
    EXPECT_TRUE(drawn(screen.seatName(1)));
    EXPECT_FALSE(screen.seatName(1).empty());
    EXPECT_TRUE(drawn("Rt 12 A"));
    EXPECT_TRUE(drawn("Start"));

    state->language = Language::Japanese;
    screen.activate(screen.menu().choice());
    screen.draw(device);
    EXPECT_TRUE(drawn(gameSelectText(Language::Japanese, SelectText::CutThroat)));
    EXPECT_FALSE(drawn("Start"));
}

}  // namespace
}  // namespace darts::frontend
