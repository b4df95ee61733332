// The bar machine's game-select screen without any drawing or device: the game and its options,
// the seats that play it, their words on the command line and in the settings file, and what a
// press of the button at a point of the frame does to them.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/game_texts.h"
#include "games/game_match.h"

namespace darts::frontend {

// The games as the machine lists them: the 01 starts are one game with its start as an option.
enum class SelectGame { X01, Cricket, CutThroat, CountUp, Medley };

struct SeatChoice {
    enum class Kind { You, Guest, Computer };
    SeatChoice() = default;
    SeatChoice(Kind kind_, int character_, int level_, std::string name_ = {})
        : kind(kind_), character(character_), level(level_), name(std::move(name_)) {}
    Kind kind = Kind::Computer;
    // A guest's or a computer's roster character, 1..8. A You seat plays the character chosen on
    // the character-select screen, which these words do not name.
    int character = 1;
    // A computer's strength level, 1..games::highestLevel(); 0: the character's own skills.
    int level = 8;
    // The name typed for a guest (Shift-JIS, whole characters, at most kGuestNameBytes); empty:
    // the guest plays under its roster character's name.
    std::string name;
    bool operator==(const SeatChoice&) const = default;
};

// As much of a typed name as a player's name holds.
inline constexpr size_t kGuestNameBytes = 11;

// A typed name as a guest keeps it: see GameSelectMenu::setGuestName.
std::string guestNameOf(std::string_view shiftJis);
// The same for the name a seat's word carries (guestK:NAME), which is UTF-8.
std::string guestNameOfWord(std::string_view utf8);

struct GameSelectChoice {
    SelectGame game = SelectGame::X01;
    int x01Start = 501;  // the 01 game's start, and a medley's 01 legs'
    games::InRule in = games::InRule::Open;
    games::OutRule out = games::OutRule::Open;
    games::BullRule bull = games::BullRule::Separate;
    // The round limit: 01 0 (none), 10, 15 or 20; Cricket, Cut-throat and a medley (both of its
    // games) 15 or 20. Count-Up always has its 8 rounds.
    int rounds = 0;
    int legs = 3;  // a medley's: best of 3 or 5
    std::vector<SeatChoice> seats = {{SeatChoice::Kind::You, 0, 8},
                                     {SeatChoice::Kind::Computer, 1, 8}};
    bool operator==(const GameSelectChoice&) const = default;
};

// 501, open in and out, separate bull, no round limit; the player against a computer at Rt 8
// played by the first roster character other than the player's own.
GameSelectChoice defaultGameSelectChoice(int playerCharacter);

// "Rt 8 BB": a strength level as its rating and flight.
std::string ratingText(int rating);

// The match the choice sets up (its sides are its seats, in order).
games::MatchSetup matchSetupOf(const GameSelectChoice& choice);

// The round limits a game offers, in the order its row steps through them (none for Count-Up).
std::vector<int> roundLimitsOf(SelectGame game);

// The words of a choice by key, as the settings file keeps them and the command line gives them
// (--KEY VALUE): game 301..1501|cricket|cutthroat|countup|medley, in and out open|double|master,
// bull separate|fat, rounds, legs 3|5, x01 (a medley's 01 start), sides (a comma list of you,
// guestK or guestK:NAME (the guest's typed name, UTF-8), cK for roster character K at its own
// skills, rN for strength level N, or rNcK for level N played as character K).
using GameSelectWords = std::map<std::string, std::string, std::less<>>;
inline constexpr std::string_view kGameSelectKeys[] = {"game",   "in",   "out", "bull",
                                                       "rounds", "legs", "x01", "sides"};
// Only the keys that apply to the choice's game, and sides.
GameSelectWords choiceWords(const GameSelectChoice& choice);
// The same as command-line options: "--game 501 --in open ... --sides you,r8c2".
std::string choiceToWords(const GameSelectChoice& choice);
// A missing key takes its default; a key that does not apply to the game is still checked, so a
// settings file with a wrong word is refused rather than half read. Keys not of this screen are
// left to their owners. Nothing, with `error` saying why, for a bad word.
std::optional<GameSelectChoice> choiceFromWords(const GameSelectWords& words,
                                                std::string* error = nullptr);

// The screen's own words, Shift-JIS.
enum class SelectText {
    Heading,
    Game,
    X01Start,
    In,
    Out,
    Bull,
    Rounds,
    Legs,
    Players,
    Add,
    Start,
    Back,
    Cricket,
    CutThroat,
    CountUp,
    Medley,
    Open,
    Double,
    Master,
    Separate,
    Fat,
    NoLimit,
    LegsSuffix,
    You,
    Guest,
    Computer,
    OwnSkills,
    Remove,
    RoundsSuffix,
    TournamentSeats,
    TypeName,
    Count,
};
const char* gameSelectText(Language language, SelectText id);

// The option rows: each shown only for the games it applies to, from the top in this order.
enum class GameSelectRow { Game, X01Start, In, Out, Bull, Rounds, Legs };
inline constexpr int kGameSelectRows = 7;
std::vector<GameSelectRow> rowsOf(SelectGame game);

// The three controls of a seat: its kind, its character and a computer's strength.
enum class SeatField { Kind, Character, Level };
inline constexpr int kSeatFields = 3;

// Where everything sits on the 800 x 600 frame; the plate's picture is painted to the same
// measures. Targets are large, since a controller moves the same pointer.
namespace game_select_layout {
inline constexpr int kPlateLeft = 16, kPlateTop = 12, kPlateWidth = 768, kPlateHeight = 576;
inline constexpr int kHeadingY = 39;
inline constexpr int kFirstRowTop = 84, kRowHeight = 32;
inline constexpr int kLabelX = 60;
inline constexpr int kArrowWidth = 36, kArrowHeight = 28;
inline constexpr int kLessX = 300, kMoreX = 560;
// The Players band with its Add button, then up to four seat lines.
inline constexpr int kPlayersTop = 316, kPlayersHeight = 34;
inline constexpr int kAddLeft = 600, kAddWidth = 140;
inline constexpr int kFirstSeatTop = 356, kSeatHeight = 40;
inline constexpr int kSeatArrowHeight = 32;
inline constexpr int kSeatNumberX = 34;
// Per field: the left arrow's x and the right arrow's x; the value lies between.
inline constexpr int kSeatLessX[kSeatFields] = {58, 288, 500};
inline constexpr int kSeatMoreX[kSeatFields] = {244, 456, 686};
inline constexpr int kRemoveLeft = 732, kRemoveWidth = 40;
// A guest has no strength: its name box stands where a computer's strength does.
inline constexpr int kNameBoxLeft = kSeatLessX[2];
inline constexpr int kNameBoxWidth = kSeatMoreX[2] + kArrowWidth - kNameBoxLeft;
inline constexpr int kButtonTop = 530, kButtonWidth = 150, kButtonHeight = 42;
inline constexpr int kBackLeft = 420, kStartLeft = 600;
static_assert(kFirstRowTop + kGameSelectRows * kRowHeight <= kPlayersTop);
static_assert(kFirstSeatTop + games::kMaxSides * kSeatHeight <= kButtonTop);
static_assert(kRemoveLeft + kRemoveWidth <= kPlateLeft + kPlateWidth - 8);
}  // namespace game_select_layout

// What a press of the button at a point of the frame lands on.
struct GameSelectHit {
    enum class Kind { Nothing, Less, More, Value, GuestName, AddSeat, RemoveSeat, Start, Back };
    Kind kind = Kind::Nothing;
    std::optional<GameSelectRow> row;  // an option row's arrows or value
    int seat = -1;                     // a seat's controls or its removal
    SeatField field = SeatField::Kind;
    bool operator==(const GameSelectHit&) const = default;
};

class GameSelectMenu {
  public:
    // `playerCharacter`: the character the player plays, which a new seat avoids while the
    // player has a seat. Without `seatsChosen` (a tournament, whose draw makes the pairs) only the
    // game and its options are chosen: the seats' controls are not there.
    explicit GameSelectMenu(GameSelectChoice choice = {}, int playerCharacter = 0,
                            bool seatsChosen = true);
    bool seatsChosen() const { return seatsChosen_; }

    const GameSelectChoice& choice() const { return choice_; }
    std::vector<GameSelectRow> rows() const { return rowsOf(choice_.game); }

    // One step of an option row or a seat's control: -1 the arrow to the left, +1 the arrow to
    // the right. Numbers (the strength) stop at their ends; choices go round. False when nothing
    // changed.
    bool step(GameSelectRow row, int direction);
    bool stepSeat(int seat, SeatField field, int direction);
    // A new computer seat after the last (up to four), played by a character no seat has yet.
    bool addSeat();
    // A seat taken out (never the last one left).
    bool removeSeat(int seat);
    // A guest's typed name (Shift-JIS; cut to whole characters within kGuestNameBytes, blanks
    // at its ends dropped). False for a seat that is no guest's.
    bool setGuestName(int seat, std::string_view name);
    // Whether a seat's control has arrows: a You seat's character is the player's own, and only
    // a computer has a strength.
    bool seatFieldActive(int seat, SeatField field) const;

    GameSelectHit hitAt(int x, int y) const;
    enum class Press { Nothing, Changed, EditName, Start, Back };
    // A press of the button at x, y acts once; on a guest's name box it asks the screen to
    // take typing for it (hitAt says whose).
    Press press(int x, int y);

    // Texts as the screen shows them, Shift-JIS. A seat's character is left to the screen,
    // which knows the roster's and the player's names.
    std::string rowValue(GameSelectRow row, Language language) const;
    std::string seatKindText(int seat, Language language) const;
    std::string seatLevelText(int seat, Language language) const;

  private:
    int seatCount() const { return static_cast<int>(choice_.seats.size()); }
    bool otherSeatIsYou(int seat) const;
    int unusedCharacter() const;

    GameSelectChoice choice_;
    int playerCharacter_ = 0;
    bool seatsChosen_ = true;
};

}  // namespace darts::frontend
