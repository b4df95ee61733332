#include "frontend/game_select.h"

#include <algorithm>
#include <array>
#include <utility>

#include "frontend/roster.h"
#include "frontend/shift_jis_text.h"
#include "games/computer_aim.h"
#include "gfx/text_encoding.h"
#include "options/command_line.h"
#include "games/rating_stats.h"

namespace darts::frontend {
namespace {

namespace layout = game_select_layout;
using Kind = SeatChoice::Kind;

constexpr std::array<int, 6> kX01Starts = {301, 501, 701, 901, 1101, 1501};

// In SelectText order; the sizes are checked below so that a text added to one table only fails
// the build.
const char* const kJapanese[] = {
    "\x83\x51\x81\x5b\x83\x80\x91\x49\x91\xf0",                  // "ゲーム選択"
    "\x83\x51\x81\x5b\x83\x80",                                  // "ゲーム"
    "\x30\x31\x82\xcc\x8e\x9d\x82\xbf\x93\x5f",                  // "01の持ち点"
    "\x83\x43\x83\x93",                                          // "イン"
    "\x83\x41\x83\x45\x83\x67",                                  // "アウト"
    "\x83\x75\x83\x8b",                                          // "ブル"
    "\x83\x89\x83\x45\x83\x93\x83\x68\x90\xa7\x8c\xc0",          // "ラウンド制限"
    "\x83\x8c\x83\x4f\x90\x94",                                  // "レグ数"
    "\x83\x76\x83\x8c\x83\x43\x83\x84\x81\x5b",                  // "プレイヤー"
    "\x81\x7b\x20\x92\xc7\x89\xc1",                              // "＋ 追加"
    "\x83\x58\x83\x5e\x81\x5b\x83\x67",                          // "スタート"
    "\x96\xdf\x82\xe9",                                          // "戻る"
    "\x83\x4e\x83\x8a\x83\x50\x83\x62\x83\x67",                  // "クリケット"
    "\x83\x4a\x83\x62\x83\x67\x83\x58\x83\x8d\x81\x5b\x83\x67",  // "カットスロート"
    "\x83\x4a\x83\x45\x83\x93\x83\x67\x83\x41\x83\x62\x83\x76",  // "カウントアップ"
    "\x83\x81\x83\x68\x83\x8c\x81\x5b",                          // "メドレー"
    "\x83\x49\x81\x5b\x83\x76\x83\x93",                          // "オープン"
    "\x83\x5f\x83\x75\x83\x8b",                                  // "ダブル"
    "\x83\x7d\x83\x58\x83\x5e\x81\x5b",                          // "マスター"
    "\x83\x5a\x83\x70\x83\x8c\x81\x5b\x83\x67",                  // "セパレート"
    "\x83\x74\x83\x40\x83\x62\x83\x67",                          // "ファット"
    "\x82\xc8\x82\xb5",                                          // "なし"
    "\x83\x8c\x83\x4f",                                          // "レグ"
    "\x82\xa0\x82\xc8\x82\xbd",                                  // "あなた"
    "\x83\x51\x83\x58\x83\x67",                                  // "ゲスト"
    "\x83\x52\x83\x93\x83\x73\x83\x85\x81\x5b\x83\x5e",          // "コンピュータ"
    "\x8e\x9d\x82\xbf\x91\x4f",                                  // "持ち前"
    "\x81\x7e",                                                  // "×"
    "\x83\x89\x83\x45\x83\x93\x83\x68",                          // "ラウンド"
    "\x83\x67\x81\x5b\x83\x69\x83\x81\x83\x93\x83\x67\x81\x46\x96\x88\x8e\x8e\x8d\x87\x82\x50\x91\xce\x82\x50",  // "トーナメント：毎試合１対１"
    "\x96\xbc\x91\x4f\x82\xf0\x93\xfc\x97\xcd",                  // "名前を入力"
};

// Japanese writes a count's unit straight after the number; English brings its own blank.
const char* const kEnglish[] = {
    "GAME SELECT", "Game",       "01 start",  "In",     "Out",     "Bull",
    "Round limit", "Legs",       "Players",   "+ Add",  "Start",   "Back",
    "Cricket",     "Cut-throat", "Count-Up",  "Medley", "Open",    "Double",
    "Master",      "Separate",   "Fat",       "None",   " legs",   "You",
    "Guest",       "Computer",   "Own skill", "x",      " rounds",
    "Tournament: every match one against one",
    "Type a name",
};

static_assert(sizeof kJapanese / sizeof kJapanese[0] == static_cast<int>(SelectText::Count));
static_assert(sizeof kEnglish / sizeof kEnglish[0] == static_cast<int>(SelectText::Count));

bool inside(int x, int y, int left, int top, int width, int height) {
    return x >= left && x < left + width && y >= top && y < top + height;
}

// Goes round `count` choices.
int around(int index, int direction, int count) {
    return ((index + direction) % count + count) % count;
}

// The game row's choices: every 01 start, then the other games.
struct GameEntry {
    SelectGame game;
    int start;
};
constexpr std::array<GameEntry, 10> kGameEntries = {{{SelectGame::X01, 301},
                                                     {SelectGame::X01, 501},
                                                     {SelectGame::X01, 701},
                                                     {SelectGame::X01, 901},
                                                     {SelectGame::X01, 1101},
                                                     {SelectGame::X01, 1501},
                                                     {SelectGame::Cricket, 0},
                                                     {SelectGame::CutThroat, 0},
                                                     {SelectGame::CountUp, 0},
                                                     {SelectGame::Medley, 0}}};

int gameEntryOf(const GameSelectChoice& choice) {
    for (size_t i = 0; i < kGameEntries.size(); ++i) {
        const GameEntry& entry = kGameEntries[i];
        if (entry.game == choice.game &&
            (entry.game != SelectGame::X01 || entry.start == choice.x01Start)) {
            return static_cast<int>(i);
        }
    }
    return 1;
}

int defaultRounds(SelectGame game) { return game == SelectGame::X01 ? 0 : 20; }

// A round limit the game does not offer becomes its default (Count-Up keeps what it had: it
// has no limit to show, and the 01 rows may come back to it).
void fitRounds(GameSelectChoice& choice) {
    const std::vector<int> limits = roundLimitsOf(choice.game);
    if (!limits.empty() && std::find(limits.begin(), limits.end(), choice.rounds) == limits.end()) {
        choice.rounds = defaultRounds(choice.game);
    }
}

// --- words ---

const char* gameWord(const GameSelectChoice& choice, std::string& number) {
    switch (choice.game) {
        case SelectGame::X01:
            number = std::to_string(choice.x01Start);
            return number.c_str();
        case SelectGame::Cricket:
            return "cricket";
        case SelectGame::CutThroat:
            return "cutthroat";
        case SelectGame::CountUp:
            return "countup";
        case SelectGame::Medley:
            return "medley";
    }
    return "";
}

template <typename Rule>
const char* ruleWord(Rule rule) {
    switch (rule) {
        case Rule::Open:
            return "open";
        case Rule::Double:
            return "double";
        case Rule::Master:
            return "master";
    }
    return "";
}

template <typename Rule>
std::optional<Rule> ruleOf(std::string_view word) {
    if (word == "open") return Rule::Open;
    if (word == "double") return Rule::Double;
    if (word == "master") return Rule::Master;
    return std::nullopt;
}

// Plain decimal digits only, no sign, no blanks.
std::optional<int> numberOf(std::string_view text) {
    if (text.empty() || text.size() > 6) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool isX01Start(int start) {
    return std::find(kX01Starts.begin(), kX01Starts.end(), start) != kX01Starts.end();
}

std::optional<int> characterOf(std::string_view text) {
    const std::optional<int> character = numberOf(text);
    if (!character || *character < 1 || *character > kRosterCharacters) return std::nullopt;
    return character;
}

}  // namespace

// Whole characters within a name's bytes, without the blanks at the ends, and without what would
// end it in the words that keep it: a comma ends a seat, a '#' may start a comment. (Neither,
// nor a control byte, is ever the second byte of a Shift-JIS character.)
std::string guestNameOf(std::string_view shiftJis) {
    std::string kept;
    for (char c : shiftJis) {
        if (c != ',' && c != '#' && (static_cast<unsigned char>(c) >= 0x20)) kept += c;
    }
    std::string_view name = shiftJisPrefix(kept, kGuestNameBytes);
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    return std::string(name);
}

std::string guestNameOfWord(std::string_view utf8) {
    return guestNameOf(gfx::utf8ToCp932(utf8));
}

namespace {

std::string sideWord(const SeatChoice& seat) {
    switch (seat.kind) {
        case Kind::You:
            return "you";
        case Kind::Guest:
            if (!seat.name.empty()) {
                return "guest" + std::to_string(seat.character) + ":" +
                       gfx::cp932ToUtf8(seat.name);
            }
            return "guest" + std::to_string(seat.character);
        case Kind::Computer:
            if (seat.level == 0) return "c" + std::to_string(seat.character);
            return "r" + std::to_string(seat.level) + "c" + std::to_string(seat.character);
    }
    return "";
}

// One side of the list; a computer named by its level alone gets character 0, found later.
std::optional<SeatChoice> sideOf(std::string_view text) {
    if (text == "you") return SeatChoice{Kind::You, 0, 8};
    if (text.starts_with("guest")) {
        const SeatWord word = splitSeatWord(text);
        if (auto character = characterOf(word.seat.substr(5))) {
            SeatChoice guest{Kind::Guest, *character, 8};
            guest.name = guestNameOfWord(word.guestName);
            return guest;
        }
        return std::nullopt;
    }
    if (text.starts_with("c")) {
        if (auto character = characterOf(text.substr(1))) {
            return SeatChoice{Kind::Computer, *character, 0};
        }
        return std::nullopt;
    }
    if (text.starts_with("r")) {
        const size_t c = text.find('c');
        const std::optional<int> level = numberOf(text.substr(1, c - 1));
        if (!level || *level < 1 || *level > games::highestLevel()) return std::nullopt;
        if (c == std::string_view::npos) return SeatChoice{Kind::Computer, 0, *level};
        if (auto character = characterOf(text.substr(c + 1))) {
            return SeatChoice{Kind::Computer, *character, *level};
        }
    }
    return std::nullopt;
}

// The lowest roster character no seat plays and that is not `avoid`; the first when all are.
int freeCharacter(const std::vector<SeatChoice>& seats, int avoid) {
    for (int character = 1; character <= kRosterCharacters; ++character) {
        const bool taken = character == avoid ||
                           std::any_of(seats.begin(), seats.end(), [&](const SeatChoice& seat) {
                               return seat.kind != Kind::You && seat.character == character;
                           });
        if (!taken) return character;
    }
    return 1;
}

std::optional<std::vector<SeatChoice>> sidesOf(std::string_view list, std::string& error) {
    std::vector<SeatChoice> seats;
    while (true) {
        const size_t comma = list.find(',');
        const std::string_view word = list.substr(0, comma);
        const std::optional<SeatChoice> seat = sideOf(word);
        if (!seat) {
            error = "a side is you, guestK, cK, rN or rNcK (K 1 to " +
                    std::to_string(kRosterCharacters) + ", N 1 to " +
                    std::to_string(games::highestLevel()) + "), not '" + std::string(word) + "'";
            return std::nullopt;
        }
        if (seat->kind == Kind::You &&
            std::any_of(seats.begin(), seats.end(),
                        [](const SeatChoice& s) { return s.kind == Kind::You; })) {
            error = "you can take one side only";
            return std::nullopt;
        }
        seats.push_back(*seat);
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
    }
    if (seats.size() > static_cast<size_t>(games::kMaxSides)) {
        error = "at most " + std::to_string(games::kMaxSides) + " sides";
        return std::nullopt;
    }
    // Computers named by their level alone are played by characters no other side names.
    for (SeatChoice& seat : seats) {
        if (seat.kind == Kind::Computer && seat.character == 0) {
            seat.character = freeCharacter(seats, 0);
        }
    }
    return seats;
}

std::string withUnit(int number, SelectText unit, Language language) {
    return std::to_string(number) + gameSelectText(language, unit);
}

}  // namespace

const char* gameSelectText(Language language, SelectText id) {
    const int index = static_cast<int>(id);
    if (index < 0 || index >= static_cast<int>(SelectText::Count)) return "";
    return language == Language::English ? kEnglish[index] : kJapanese[index];
}

GameSelectChoice defaultGameSelectChoice(int playerCharacter) {
    GameSelectChoice choice;
    choice.seats = {{Kind::You, 0, 8}, {Kind::Computer, 0, 8}};
    choice.seats[1].character = freeCharacter({}, playerCharacter);
    return choice;
}

std::string ratingText(int rating) {
    return "Rt " + std::to_string(rating) + " " + games::flightOfRating(rating);
}

std::vector<int> roundLimitsOf(SelectGame game) {
    switch (game) {
        case SelectGame::X01:
            return {0, 10, 15, 20};
        case SelectGame::Cricket:
        case SelectGame::CutThroat:
        case SelectGame::Medley:
            return {15, 20};
        case SelectGame::CountUp:
            break;
    }
    return {};
}

games::MatchSetup matchSetupOf(const GameSelectChoice& choice) {
    games::MatchSetup setup;
    setup.sides = static_cast<int>(choice.seats.size());
    setup.x01.start = choice.x01Start;
    setup.x01.in = choice.in;
    setup.x01.out = choice.out;
    setup.x01.bull = choice.bull;
    switch (choice.game) {
        case SelectGame::X01:
            setup.game = games::MatchGame::X01;
            setup.x01.roundLimit = choice.rounds;
            break;
        case SelectGame::Cricket:
        case SelectGame::CutThroat:
            setup.game = games::MatchGame::Cricket;
            setup.cricket.cutThroat = choice.game == SelectGame::CutThroat;
            setup.cricket.roundLimit = choice.rounds;
            break;
        case SelectGame::CountUp:
            setup.game = games::MatchGame::CountUp;
            break;
        case SelectGame::Medley:
            // One limit for both of its games, as the command line gives it.
            setup.game = games::MatchGame::Medley;
            setup.x01.roundLimit = choice.rounds;
            setup.cricket.roundLimit = choice.rounds;
            setup.legs = choice.legs;
            break;
    }
    return setup;
}

GameSelectWords choiceWords(const GameSelectChoice& choice) {
    GameSelectWords words;
    std::string number;
    words["game"] = gameWord(choice, number);
    const bool x01 = choice.game == SelectGame::X01 || choice.game == SelectGame::Medley;
    if (x01) {
        words["in"] = ruleWord(choice.in);
        words["out"] = ruleWord(choice.out);
        words["bull"] = choice.bull == games::BullRule::Fat ? "fat" : "separate";
    }
    if (!roundLimitsOf(choice.game).empty()) words["rounds"] = std::to_string(choice.rounds);
    if (choice.game == SelectGame::Medley) {
        words["legs"] = std::to_string(choice.legs);
        words["x01"] = std::to_string(choice.x01Start);
    }
    std::string sides;
    for (const SeatChoice& seat : choice.seats) {
        sides += (sides.empty() ? "" : ",") + sideWord(seat);
    }
    words["sides"] = sides;
    return words;
}

std::string choiceToWords(const GameSelectChoice& choice) {
    const GameSelectWords words = choiceWords(choice);
    std::string line;
    for (std::string_view key : kGameSelectKeys) {
        const auto found = words.find(key);
        if (found == words.end()) continue;
        line += (line.empty() ? "--" : " --") + std::string(key) + " " + found->second;
    }
    return line;
}

std::optional<GameSelectChoice> choiceFromWords(const GameSelectWords& words, std::string* error) {
    std::string why;
    auto refuse = [&](std::string message) -> std::optional<GameSelectChoice> {
        if (error != nullptr) *error = std::move(message);
        return std::nullopt;
    };
    auto bad = [&](std::string_view key, std::string_view value) {
        return refuse("bad value '" + std::string(value) + "' for " + std::string(key));
    };
    GameSelectChoice choice;
    choice.seats.clear();
    std::optional<int> rounds, medleyStart;
    for (const auto& [key, value] : words) {
        if (key == "game") {
            if (value == "cricket") {
                choice.game = SelectGame::Cricket;
            } else if (value == "cutthroat") {
                choice.game = SelectGame::CutThroat;
            } else if (value == "countup") {
                choice.game = SelectGame::CountUp;
            } else if (value == "medley") {
                choice.game = SelectGame::Medley;
            } else if (auto start = numberOf(value); start && isX01Start(*start)) {
                choice.game = SelectGame::X01;
                choice.x01Start = *start;
            } else {
                return bad(key, value);
            }
        } else if (key == "in") {
            const auto rule = ruleOf<games::InRule>(value);
            if (!rule) return bad(key, value);
            choice.in = *rule;
        } else if (key == "out") {
            const auto rule = ruleOf<games::OutRule>(value);
            if (!rule) return bad(key, value);
            choice.out = *rule;
        } else if (key == "bull") {
            if (value != "fat" && value != "separate") return bad(key, value);
            choice.bull = value == "fat" ? games::BullRule::Fat : games::BullRule::Separate;
        } else if (key == "rounds") {
            rounds = numberOf(value);
            const std::vector<int> any = roundLimitsOf(SelectGame::X01);
            if (!rounds || std::find(any.begin(), any.end(), *rounds) == any.end()) {
                return bad(key, value);
            }
        } else if (key == "legs") {
            const std::optional<int> legs = numberOf(value);
            if (legs != 3 && legs != 5) return bad(key, value);
            choice.legs = *legs;
        } else if (key == "x01") {
            medleyStart = numberOf(value);
            if (!medleyStart || !isX01Start(*medleyStart)) return bad(key, value);
        } else if (key == "sides") {
            std::optional<std::vector<SeatChoice>> seats = sidesOf(value, why);
            if (!seats) return refuse(why);
            choice.seats = std::move(*seats);
        }
    }
    // The 01 game's start is its game word; x01 is the medley's.
    if (choice.game != SelectGame::X01) choice.x01Start = medleyStart.value_or(501);
    const std::vector<int> limits = roundLimitsOf(choice.game);
    if (rounds && !limits.empty() &&
        std::find(limits.begin(), limits.end(), *rounds) == limits.end()) {
        return refuse("rounds " + std::to_string(*rounds) + " is not a round limit of " +
                      words.find("game")->second);
    }
    choice.rounds = rounds.value_or(defaultRounds(choice.game));
    if (choice.seats.empty()) choice.seats = defaultGameSelectChoice(0).seats;
    return choice;
}

std::vector<GameSelectRow> rowsOf(SelectGame game) {
    using Row = GameSelectRow;
    switch (game) {
        case SelectGame::X01:
            return {Row::Game, Row::In, Row::Out, Row::Bull, Row::Rounds};
        case SelectGame::Cricket:
        case SelectGame::CutThroat:
            return {Row::Game, Row::Rounds};
        case SelectGame::CountUp:
            return {Row::Game};
        case SelectGame::Medley:
            return {Row::Game, Row::X01Start, Row::In, Row::Out, Row::Bull, Row::Rounds, Row::Legs};
    }
    return {Row::Game};
}

GameSelectMenu::GameSelectMenu(GameSelectChoice choice, int playerCharacter, bool seatsChosen)
    : choice_(std::move(choice)), playerCharacter_(playerCharacter), seatsChosen_(seatsChosen) {
    fitRounds(choice_);
}

bool GameSelectMenu::step(GameSelectRow row, int direction) {
    const std::vector<GameSelectRow> shown = rows();
    if (std::find(shown.begin(), shown.end(), row) == shown.end()) return false;
    direction = direction < 0 ? -1 : +1;
    const GameSelectChoice before = choice_;
    switch (row) {
        case GameSelectRow::Game: {
            const GameEntry& entry =
                kGameEntries[around(gameEntryOf(choice_), direction, kGameEntries.size())];
            choice_.game = entry.game;
            if (entry.game == SelectGame::X01) choice_.x01Start = entry.start;
            fitRounds(choice_);
            break;
        }
        case GameSelectRow::X01Start: {
            const auto at = std::find(kX01Starts.begin(), kX01Starts.end(), choice_.x01Start);
            const int index =
                at == kX01Starts.end() ? 1 : static_cast<int>(at - kX01Starts.begin());
            choice_.x01Start = kX01Starts[around(index, direction, kX01Starts.size())];
            break;
        }
        case GameSelectRow::In:
            choice_.in =
                static_cast<games::InRule>(around(static_cast<int>(choice_.in), direction, 3));
            break;
        case GameSelectRow::Out:
            choice_.out =
                static_cast<games::OutRule>(around(static_cast<int>(choice_.out), direction, 3));
            break;
        case GameSelectRow::Bull:
            choice_.bull = choice_.bull == games::BullRule::Fat ? games::BullRule::Separate
                                                                : games::BullRule::Fat;
            break;
        case GameSelectRow::Rounds: {
            const std::vector<int> limits = roundLimitsOf(choice_.game);
            const auto at = std::find(limits.begin(), limits.end(), choice_.rounds);
            const int index = static_cast<int>(at - limits.begin());
            choice_.rounds = limits[around(index, direction, static_cast<int>(limits.size()))];
            break;
        }
        case GameSelectRow::Legs:
            choice_.legs = choice_.legs == 3 ? 5 : 3;
            break;
    }
    return choice_ != before;
}

bool GameSelectMenu::otherSeatIsYou(int seat) const {
    for (int other = 0; other < seatCount(); ++other) {
        if (other != seat && choice_.seats[other].kind == Kind::You) return true;
    }
    return false;
}

int GameSelectMenu::unusedCharacter() const {
    const bool youPlay = otherSeatIsYou(-1);
    return freeCharacter(choice_.seats, youPlay ? playerCharacter_ : 0);
}

bool GameSelectMenu::seatFieldActive(int seat, SeatField field) const {
    if (seat < 0 || seat >= seatCount()) return false;
    const Kind kind = choice_.seats[seat].kind;
    switch (field) {
        case SeatField::Kind:
            return true;
        case SeatField::Character:
            return kind != Kind::You;
        case SeatField::Level:
            return kind == Kind::Computer;
    }
    return false;
}

bool GameSelectMenu::stepSeat(int seat, SeatField field, int direction) {
    if (!seatFieldActive(seat, field)) return false;
    direction = direction < 0 ? -1 : +1;
    SeatChoice& chosen = choice_.seats[seat];
    const SeatChoice before = chosen;
    switch (field) {
        case SeatField::Kind: {
            // Only one seat is the player's; the others go round the rest.
            int kind = static_cast<int>(chosen.kind);
            do {
                kind = around(kind, direction, 3);
            } while (kind == static_cast<int>(Kind::You) && otherSeatIsYou(seat));
            const bool wasYou = chosen.kind == Kind::You;
            chosen.kind = static_cast<Kind>(kind);
            if (wasYou && chosen.kind != Kind::You) {
                chosen.character = 0;  // not counted as taken while the free one is looked for
                chosen.character = unusedCharacter();
            }
            break;
        }
        case SeatField::Character:
            chosen.character = around(chosen.character - 1, direction, kRosterCharacters) + 1;
            break;
        case SeatField::Level:
            chosen.level = std::clamp(chosen.level + direction, 0, games::highestLevel());
            break;
    }
    return chosen != before;
}

bool GameSelectMenu::addSeat() {
    if (seatCount() >= games::kMaxSides) return false;
    SeatChoice seat{Kind::Computer, unusedCharacter(), 8};
    // A new computer plays as strong as the last one seated.
    for (const SeatChoice& other : choice_.seats) {
        if (other.kind == Kind::Computer) seat.level = other.level;
    }
    choice_.seats.push_back(seat);
    return true;
}

bool GameSelectMenu::setGuestName(int seat, std::string_view name) {
    if (seat < 0 || seat >= seatCount() || choice_.seats[seat].kind != Kind::Guest) return false;
    choice_.seats[seat].name = guestNameOf(name);
    return true;
}

bool GameSelectMenu::removeSeat(int seat) {
    if (seatCount() <= 1 || seat < 0 || seat >= seatCount()) return false;
    choice_.seats.erase(choice_.seats.begin() + seat);
    return true;
}

namespace {

GameSelectHit rowHit(GameSelectHit::Kind kind, std::optional<GameSelectRow> row = std::nullopt) {
    GameSelectHit hit;
    hit.kind = kind;
    hit.row = row;
    return hit;
}

GameSelectHit seatHit(GameSelectHit::Kind kind, int seat, SeatField field = SeatField::Kind) {
    GameSelectHit hit;
    hit.kind = kind;
    hit.seat = seat;
    hit.field = field;
    return hit;
}

}  // namespace

GameSelectHit GameSelectMenu::hitAt(int x, int y) const {
    using HitKind = GameSelectHit::Kind;
    if (inside(x, y, layout::kStartLeft, layout::kButtonTop, layout::kButtonWidth,
               layout::kButtonHeight)) {
        return rowHit(HitKind::Start);
    }
    if (inside(x, y, layout::kBackLeft, layout::kButtonTop, layout::kButtonWidth,
               layout::kButtonHeight)) {
        return rowHit(HitKind::Back);
    }
    if (!seatsChosen_ && y >= layout::kPlayersTop) return {};
    if (inside(x, y, layout::kAddLeft, layout::kPlayersTop, layout::kAddWidth,
               layout::kPlayersHeight)) {
        return rowHit(seatCount() < games::kMaxSides ? HitKind::AddSeat : HitKind::Nothing);
    }
    // An arrow takes the whole height of its row: the bigger target for a controller's pointer.
    const std::vector<GameSelectRow> shown = rows();
    const int rowsTop = layout::kFirstRowTop;
    if (y >= rowsTop && y < rowsTop + static_cast<int>(shown.size()) * layout::kRowHeight) {
        const GameSelectRow row = shown[(y - rowsTop) / layout::kRowHeight];
        if (x >= layout::kLessX && x < layout::kLessX + layout::kArrowWidth) {
            return rowHit(HitKind::Less, row);
        }
        if (x >= layout::kMoreX && x < layout::kMoreX + layout::kArrowWidth) {
            return rowHit(HitKind::More, row);
        }
        if (x >= layout::kLessX + layout::kArrowWidth && x < layout::kMoreX) {
            return rowHit(HitKind::Value, row);
        }
        return {};
    }
    const int seatsTop = layout::kFirstSeatTop;
    if (y >= seatsTop && y < seatsTop + seatCount() * layout::kSeatHeight) {
        const int seat = (y - seatsTop) / layout::kSeatHeight;
        if (x >= layout::kRemoveLeft && x < layout::kRemoveLeft + layout::kRemoveWidth) {
            return seatCount() > 1 ? seatHit(HitKind::RemoveSeat, seat) : GameSelectHit{};
        }
        for (int f = 0; f < kSeatFields; ++f) {
            const auto field = static_cast<SeatField>(f);
            if (!seatFieldActive(seat, field)) continue;
            const int less = layout::kSeatLessX[f], more = layout::kSeatMoreX[f];
            if (x >= less && x < less + layout::kArrowWidth) {
                return seatHit(HitKind::Less, seat, field);
            }
            if (x >= more && x < more + layout::kArrowWidth) {
                return seatHit(HitKind::More, seat, field);
            }
            if (x >= less + layout::kArrowWidth && x < more) {
                return seatHit(HitKind::Value, seat, field);
            }
        }
        if (choice_.seats[seat].kind == Kind::Guest && x >= layout::kNameBoxLeft &&
            x < layout::kNameBoxLeft + layout::kNameBoxWidth) {
            return seatHit(HitKind::GuestName, seat, SeatField::Level);
        }
    }
    return {};
}

GameSelectMenu::Press GameSelectMenu::press(int x, int y) {
    const GameSelectHit hit = hitAt(x, y);
    bool changed = false;
    switch (hit.kind) {
        case GameSelectHit::Kind::Less:
        case GameSelectHit::Kind::More: {
            const int direction = hit.kind == GameSelectHit::Kind::Less ? -1 : +1;
            changed =
                hit.row ? step(*hit.row, direction) : stepSeat(hit.seat, hit.field, direction);
            break;
        }
        case GameSelectHit::Kind::Value:
            // A click on a choice takes the next one; the strength, a number, stays (its arrows
            // change it).
            if (hit.row) {
                changed = step(*hit.row, +1);
            } else if (hit.field != SeatField::Level) {
                changed = stepSeat(hit.seat, hit.field, +1);
            }
            break;
        case GameSelectHit::Kind::GuestName:
            return Press::EditName;
        case GameSelectHit::Kind::AddSeat:
            changed = addSeat();
            break;
        case GameSelectHit::Kind::RemoveSeat:
            changed = removeSeat(hit.seat);
            break;
        case GameSelectHit::Kind::Start:
            return Press::Start;
        case GameSelectHit::Kind::Back:
            return Press::Back;
        case GameSelectHit::Kind::Nothing:
            break;
    }
    return changed ? Press::Changed : Press::Nothing;
}

std::string GameSelectMenu::rowValue(GameSelectRow row, Language language) const {
    auto text = [language](SelectText id) { return std::string(gameSelectText(language, id)); };
    switch (row) {
        case GameSelectRow::Game:
            switch (choice_.game) {
                case SelectGame::X01:
                    return std::to_string(choice_.x01Start);
                case SelectGame::Cricket:
                    return text(SelectText::Cricket);
                case SelectGame::CutThroat:
                    return text(SelectText::CutThroat);
                case SelectGame::CountUp:
                    return text(SelectText::CountUp);
                case SelectGame::Medley:
                    return text(SelectText::Medley);
            }
            break;
        case GameSelectRow::X01Start:
            return std::to_string(choice_.x01Start);
        case GameSelectRow::In:
        case GameSelectRow::Out: {
            const int rule = row == GameSelectRow::In ? static_cast<int>(choice_.in)
                                                      : static_cast<int>(choice_.out);
            return text(static_cast<SelectText>(static_cast<int>(SelectText::Open) + rule));
        }
        case GameSelectRow::Bull:
            return text(choice_.bull == games::BullRule::Fat ? SelectText::Fat
                                                             : SelectText::Separate);
        case GameSelectRow::Rounds:
            if (choice_.rounds == 0) return text(SelectText::NoLimit);
            return withUnit(choice_.rounds, SelectText::RoundsSuffix, language);
        case GameSelectRow::Legs:
            return withUnit(choice_.legs, SelectText::LegsSuffix, language);
    }
    return {};
}

std::string GameSelectMenu::seatKindText(int seat, Language language) const {
    if (seat < 0 || seat >= seatCount()) return {};
    switch (choice_.seats[seat].kind) {
        case Kind::You:
            return gameSelectText(language, SelectText::You);
        case Kind::Guest:
            return gameSelectText(language, SelectText::Guest);
        case Kind::Computer:
            return gameSelectText(language, SelectText::Computer);
    }
    return {};
}

std::string GameSelectMenu::seatLevelText(int seat, Language language) const {
    if (!seatFieldActive(seat, SeatField::Level)) return {};
    const int level = choice_.seats[seat].level;
    return level == 0 ? gameSelectText(language, SelectText::OwnSkills) : ratingText(level);
}

}  // namespace darts::frontend
