#include "sim/bar_autoplay.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/game_path.h"
#include "frontend/roster.h"
#include "games/bar_match.h"
#include "loops/autoplay.h"
#include "render/device.h"

namespace darts::sim {
namespace {

using namespace games;

constexpr uint64_t kFrameLimit = 20'000'000;

struct BarRun {
    long long seed = -1;
    long long matches = -1;
    long long frameLimit = static_cast<long long>(kFrameLimit);
    MatchSetup setup;
    std::vector<Seat> seats;
};

int usage(const std::string& why) {
    std::fprintf(stderr,
                 "darts-sim: %s\n"
                 "usage: darts-sim autoplay --seed S --matches N --game G [--in open|double|master]"
                 " [--out open|double|master] [--bull fat|separate] [--rounds R] [--legs 3|5]"
                 " [--x01 N] [--sides LIST] [--frame-limit F]\n",
                 why.c_str());
    return 2;
}

std::optional<long long> number(std::string_view text, long long low, long long high) {
    const std::string copy(text);
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(copy.c_str(), &end, 10);
    if (copy.empty() || *end != '\0' || errno != 0 || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

bool isX01Start(long long start) {
    for (int allowed : {301, 501, 701, 901, 1101, 1501}) {
        if (start == allowed) return true;
    }
    return false;
}

bool setGame(std::string_view game, MatchSetup& setup) {
    if (game == "cricket" || game == "cutthroat") {
        setup.game = MatchGame::Cricket;
        setup.cricket.cutThroat = game == "cutthroat";
    } else if (game == "countup") {
        setup.game = MatchGame::CountUp;
    } else if (game == "medley") {
        setup.game = MatchGame::Medley;
    } else if (auto start = number(game, 301, 1501); start && isX01Start(*start)) {
        setup.game = MatchGame::X01;
        setup.x01.start = static_cast<int>(*start);
    } else {
        return false;
    }
    return true;
}

template <typename Rule>
bool setRule(std::string_view word, Rule& rule) {
    if (word == "open") {
        rule = Rule::Open;
    } else if (word == "double") {
        rule = Rule::Double;
    } else if (word == "master") {
        rule = Rule::Master;
    } else {
        return false;
    }
    return true;
}

// One side of --sides: rN (strength level N), cK (roster character K at its own skills) or p
// (no error of its own).
std::optional<Seat> parseSide(std::string_view text, std::string& error) {
    Seat seat;
    if (text == "p") return seat;
    if (text.size() >= 2 && text[0] == 'r') {
        if (auto level = number(text.substr(1), 1, highestLevel())) {
            seat.spread = levelSpread(static_cast<int>(*level));
            return seat;
        }
        error = "strength levels run from r1 to r" + std::to_string(highestLevel());
        return std::nullopt;
    }
    if (text.size() >= 2 && text[0] == 'c') {
        if (auto character = number(text.substr(1), 1, frontend::kRosterCharacters)) {
            auto state = std::make_unique<GameState>();
            frontend::readRosterRecordFromFile(*state, static_cast<int>(*character), false,
                                               gamePathToHost(frontend::kRosterFile));
            const PlayerSlot& c = state->players[kComputer];
            seat.spread = characterSpread(c.gaugeSkill, c.releaseSkill);
            return seat;
        }
        error = "roster characters run from c1 to c" + std::to_string(frontend::kRosterCharacters);
        return std::nullopt;
    }
    error = "a side is rN, cK or p, not '" + std::string(text) + "'";
    return std::nullopt;
}

std::string parseSides(std::string_view list, std::vector<Seat>& seats) {
    seats.clear();
    std::string error;
    while (true) {
        const size_t comma = list.find(',');
        std::optional<Seat> seat = parseSide(list.substr(0, comma), error);
        if (!seat) return error;
        seats.push_back(*seat);
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
    }
    if (seats.size() > static_cast<size_t>(kMaxSides)) return "at most 4 sides";
    return "";
}

// Reads autoplay's options; an empty string when they are good.
std::string parseRun(int argc, char** argv, BarRun& run) {
    std::optional<long long> rounds, legs, x01;
    std::string sides = "r10,r10";
    for (int i = 2; i < argc; i += 2) {
        const std::string_view option = argv[i];
        if (i + 1 >= argc) return option.empty() ? "an option lacks its value" :
                                                   std::string(option) + " lacks its value";
        const std::string_view value = argv[i + 1];
        bool ok = true;
        if (option == "--seed") {
            auto seed = number(value, 0, UINT32_MAX);
            ok = seed.has_value();
            run.seed = seed.value_or(-1);
        } else if (option == "--matches") {
            auto matches = number(value, 1, 100'000'000);
            ok = matches.has_value();
            run.matches = matches.value_or(-1);
        } else if (option == "--frame-limit") {
            auto limit = number(value, 1, INT64_MAX);
            ok = limit.has_value();
            if (ok) run.frameLimit = *limit;
        } else if (option == "--game") {
            ok = setGame(value, run.setup);
        } else if (option == "--in") {
            ok = setRule(value, run.setup.x01.in);
        } else if (option == "--out") {
            ok = setRule(value, run.setup.x01.out);
        } else if (option == "--bull") {
            ok = value == "fat" || value == "separate";
            run.setup.x01.bull = value == "fat" ? BullRule::Fat : BullRule::Separate;
        } else if (option == "--rounds") {
            ok = (rounds = number(value, 0, 20)).has_value();
        } else if (option == "--legs") {
            ok = (legs = number(value, 3, 5)).has_value() && *legs != 4;
        } else if (option == "--x01") {
            ok = (x01 = number(value, 301, 1501)).has_value() && isX01Start(*x01);
        } else if (option == "--sides") {
            sides = value;
        } else {
            return "unknown option " + std::string(option);
        }
        if (!ok) return "bad value '" + std::string(value) + "' for " + std::string(option);
    }
    if (run.seed < 0 || run.matches < 0) return "--seed and --matches are needed";
    const MatchGame game = run.setup.game;
    if (rounds) {
        const bool x01Rounds = *rounds == 0 || *rounds == 10 || *rounds == 15 || *rounds == 20;
        const bool cricketRounds = *rounds == 15 || *rounds == 20;
        if (game == MatchGame::CountUp ||
            (game == MatchGame::X01 && !x01Rounds) ||
            (game == MatchGame::Cricket && !cricketRounds) ||
            (game == MatchGame::Medley && !cricketRounds)) {
            return "--rounds " + std::to_string(*rounds) + " is not a round limit of this game";
        }
        if (game == MatchGame::X01 || game == MatchGame::Medley) {
            run.setup.x01.roundLimit = static_cast<int>(*rounds);
        }
        if (game == MatchGame::Cricket || game == MatchGame::Medley) {
            run.setup.cricket.roundLimit = static_cast<int>(*rounds);
        }
    }
    if (legs) run.setup.legs = static_cast<int>(*legs);
    if (game == MatchGame::Medley) run.setup.x01.start = static_cast<int>(x01.value_or(501));
    if (std::string error = parseSides(sides, run.seats); !error.empty()) return error;
    run.setup.sides = static_cast<int>(run.seats.size());
    return "";
}

const char* ringName(Ring ring) {
    switch (ring) {
        case Ring::Single: return "S";
        case Ring::Double: return "D";
        case Ring::Triple: return "T";
        case Ring::OuterBull: return "OB";
        case Ring::InnerBull: return "IB";
        case Ring::Miss: break;
    }
    return "miss";
}

std::string list(const std::vector<int>& values) {
    std::string text = "[";
    for (size_t i = 0; i < values.size(); ++i) text += (i ? "," : "") + std::to_string(values[i]);
    return text + "]";
}

std::string sideOrSides(const std::vector<int>& sides) {
    return sides.size() == 1 ? std::to_string(sides.front()) : list(sides);
}

// Follows every side's count from the darts alone and says when the leg's own count differs.
class CountCheck {
  public:
    bool dart(const LegRules& leg, int side, Hit hit, const DartOutcome& outcome) {
        if (&leg != leg_) restart(leg);
        const LegSetup& setup = leg.setup();
        bool good = true;
        if (setup.game == LegGame::X01) {
            if (outcome.bust) {
                turn_[side] = 0;
            } else if (outcome.counted) {
                turn_[side] += hitPoints(hit, setup.x01.bull);
            }
            good = leg.left(side) == setup.x01.start - removed_[side] - turn_[side];
            if (outcome.turnOver || outcome.legOver) {
                removed_[side] += turn_[side];
                turn_[side] = 0;
            }
        } else if (setup.game == LegGame::CountUp) {
            removed_[side] += hitPoints(hit, BullRule::Fat);
            good = leg.points(side) == removed_[side];
        } else {
            for (int s = 0; s < setup.sides; ++s) {
                const auto marks = leg.marks(s);
                for (size_t t = 0; t < marks.size(); ++t) {
                    good = good && marks[t] >= 0 && marks[t] <= 3 && marks[t] >= marks_[s][t];
                    marks_[s][t] = marks[t];
                }
                good = good && leg.points(s) >= points_[s];
                points_[s] = leg.points(s);
            }
        }
        return good;
    }

  private:
    void restart(const LegRules& leg) {
        leg_ = &leg;
        removed_.assign(kMaxSides, 0);
        turn_.assign(kMaxSides, 0);
        points_.assign(kMaxSides, 0);
        marks_.assign(kMaxSides, {});
    }

    const LegRules* leg_ = nullptr;
    std::vector<int> removed_, turn_, points_;
    std::vector<std::array<int, 7>> marks_;
};

}  // namespace

bool namesBarGame(int argc, char** argv) {
    for (int i = 2; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--game") return true;
    }
    return false;
}

int runBarAutoplay(int argc, char** argv) {
    BarRun run;
    if (std::string error = parseRun(argc, argv, run); !error.empty()) return usage(error);

    auto state = std::make_unique<GameState>();
    seedRandom(*state, static_cast<uint32_t>(run.seed));
    render::HeadlessDevice device;
    uint64_t frames = 0, darts = 0, abandoned = 0;
    bool consistent = true;
    for (long long match = 1; match <= run.matches; ++match) {
        CountCheck check;
        BarMatchWatch watch;
        watch.dart = [&](int legNumber, const LegRules& leg, int side, int round, int dart, Hit hit,
                         const DartOutcome& outcome) {
            std::vector<int> left, points;
            std::string marks = "[";
            for (int s = 0; s < leg.setup().sides; ++s) {
                left.push_back(leg.left(s));
                points.push_back(leg.points(s));
                const auto m = leg.marks(s);
                marks += (s ? ",[" : "[");
                for (size_t t = 0; t < m.size(); ++t) marks += (t ? "," : "") + std::to_string(m[t]);
                marks += "]";
            }
            marks += "]";
            const LegGame game = leg.setup().game;
            std::string scoreboard;
            if (game == LegGame::X01) scoreboard += ",\"left\":" + list(left);
            if (game != LegGame::X01) scoreboard += ",\"points\":" + list(points);
            if (game == LegGame::Cricket) scoreboard += ",\"marks\":" + marks;
            std::printf(
                "{\"match\":%lld,\"leg\":%d,\"game\":\"%s\",\"side\":%d,\"round\":%d,\"dart\":%d,"
                "\"ring\":\"%s\",\"number\":%d,\"bust\":%s%s}\n",
                match, legNumber, leg.name().c_str(), side, round, dart + 1, ringName(hit.ring),
                hit.number, outcome.bust ? "true" : "false", scoreboard.c_str());
            if (!check.dart(leg, side, hit, outcome)) {
                std::fprintf(stderr, "darts-sim: match %lld leg %d: the counts no longer add up\n",
                             match, legNumber);
                consistent = false;
            }
        };
        watch.corkDart = [&](int leg, int side, double millimetres) {
            char distance[32] = "null";
            if (millimetres >= 0) std::snprintf(distance, sizeof distance, "%.1f", millimetres);
            std::printf("{\"match\":%lld,\"leg\":%d,\"cork\":true,\"side\":%d,\"distance\":%s}\n",
                        match, leg, side, distance);
        };
        watch.legEnded = [&](int leg, const std::vector<int>& winners, LegEndReason why) {
            std::printf("{\"match\":%lld,\"leg\":%d,\"winner\":%s,\"why\":\"%s\"}\n", match, leg,
                        sideOrSides(winners).c_str(), legEndName(why));
        };
        watch.matchEnded = [&](const std::vector<int>& winners) {
            std::printf("{\"match\":%lld,\"winner\":%s}\n", match, sideOrSides(winners).c_str());
        };
        BarMatch bar(run.setup, run.seats, watch);
        const AutoMatchResult result =
            playAutoBarMatch(*state, device, bar, static_cast<uint64_t>(run.frameLimit));
        frames += result.frames;
        darts += result.darts;
        if (!result.finished) {
            ++abandoned;
            std::printf("{\"match\":%lld,\"abandoned\":true,\"frames\":%llu}\n", match,
                        static_cast<unsigned long long>(result.frames));
        }
    }
    std::printf("{\"matches\":%lld,\"frames\":%llu,\"darts\":%llu,\"abandoned\":%llu}\n",
                run.matches, static_cast<unsigned long long>(frames),
                static_cast<unsigned long long>(darts), static_cast<unsigned long long>(abandoned));
    return consistent && abandoned == 0 ? 0 : 1;
}

}  // namespace darts::sim
