#include "loops/bar_game_setup.h"

#include <memory>
#include <string_view>

#include "frontend/game_select.h"
#include "frontend/roster.h"

namespace darts {
namespace {

using namespace games;

template <typename Rule>
Rule ruleNamed(const std::string& word) {
    if (word == "double") return Rule::Double;
    if (word == "master") return Rule::Master;
    return Rule::Open;
}

int numberAfter(std::string_view word, size_t prefix) { return std::stoi(std::string(word.substr(prefix))); }

// A roster character as a seat: its name and portrait, and its skills.
Seat characterSeat(int character, const GameState& state, bool loadPortrait) {
    auto roster = std::make_unique<GameState>();
    roster->language = state.language;
    frontend::readRosterRecord(*roster, character, loadPortrait);
    const PlayerSlot& read = roster->players[kComputer];
    Seat seat;
    seat.name = read.name;
    seat.character = character;
    seat.spread = characterSpread(read.gaugeSkill, read.releaseSkill);
    return seat;
}

}  // namespace

BarGameSetup barGameFromOptions(const GameOptions& options, const GameState& state,
                                bool loadPortraits) {
    BarGameSetup made;
    MatchSetup& setup = made.setup;
    const std::string& game = options.game;
    if (game == "cricket" || game == "cutthroat") {
        setup.game = MatchGame::Cricket;
        setup.cricket.cutThroat = game == "cutthroat";
    } else if (game == "countup") {
        setup.game = MatchGame::CountUp;
    } else if (game == "medley") {
        setup.game = MatchGame::Medley;
        setup.x01.start = std::stoi(options.x01);
    } else if (game != "none") {
        setup.x01.start = std::stoi(game);
    } else {
        made.error = "no bar game named";
        return made;
    }
    setup.x01.in = ruleNamed<InRule>(options.inRule);
    setup.x01.out = ruleNamed<OutRule>(options.outRule);
    setup.x01.bull = options.bull == "fat" ? BullRule::Fat : BullRule::Separate;
    setup.legs = std::stoi(options.legs);
    const int rounds = options.rounds;
    const bool x01Rounds = rounds == 0 || rounds == 10 || rounds == 15 || rounds == 20;
    const bool cricketRounds = rounds == 15 || rounds == 20;
    if (setup.game == MatchGame::X01 || setup.game == MatchGame::Medley) {
        if (!x01Rounds) made.error = "the 01 games' round limits are 0 (none), 10, 15 and 20";
        setup.x01.roundLimit = rounds;
    }
    // Cricket always has a limit: none named is its 20.
    if ((setup.game == MatchGame::Cricket || setup.game == MatchGame::Medley) && rounds != 0) {
        if (!cricketRounds) made.error = "Cricket's round limits are 15 and 20";
        setup.cricket.roundLimit = rounds;
    }
    if (!made.error.empty()) return made;

    std::string_view sides = options.sides;
    while (true) {
        const size_t comma = sides.find(',');
        const std::string_view word = sides.substr(0, comma);
        Seat seat;
        if (word == "you") {
            seat.human = true;
            const PlayerSlot& player = state.players[kHuman];
            seat.name = player.name[0] != '\0' ? player.name : "YOU";
            seat.character = player.characterNumber;
        } else if (word.starts_with("guest")) {
            const SeatWord guest = splitSeatWord(word);
            seat = characterSeat(numberAfter(guest.seat, 5), state, loadPortraits);
            seat.human = true;
            const std::string typed = frontend::guestNameOfWord(guest.guestName);
            if (!typed.empty()) seat.name = typed;
        } else if (word.starts_with("c")) {
            seat = characterSeat(numberAfter(word, 1), state, loadPortraits);
        } else if (word.starts_with("r")) {
            // rNcK: the level's throw with character K's name and portrait.
            const size_t character = word.find('c');
            if (character != std::string_view::npos) {
                seat = characterSeat(numberAfter(word, character + 1), state, loadPortraits);
            }
            seat.level = std::stoi(std::string(word.substr(1, character - 1)));
            if (seat.level > highestLevel()) {
                made.error = "strength levels run from r1 to r" + std::to_string(highestLevel());
                return made;
            }
            seat.spread = levelSpread(seat.level);
            if (seat.name.empty()) seat.name = "Rt" + std::to_string(seat.level);
        } else {
            seat.name = "P";  // no error of its own
        }
        made.seats.push_back(std::move(seat));
        if (comma == std::string_view::npos) break;
        sides.remove_prefix(comma + 1);
    }
    setup.sides = static_cast<int>(made.seats.size());
    return made;
}

}  // namespace darts
