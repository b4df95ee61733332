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

#include "games/bar_match.h"
#include "loops/autoplay.h"
#include "loops/bar_game_setup.h"
#include "options/command_line.h"
#include "render/device.h"

namespace darts::sim {
namespace {

using namespace games;

constexpr uint64_t kFrameLimit = 20'000'000;

struct BarRun {
    long long seed = -1;
    long long matches = -1;
    long long frameLimit = static_cast<long long>(kFrameLimit);
    bool stats = false;  // a line of statistics per side after every leg
    MatchSetup setup;
    std::vector<Seat> seats;
};

int usage(const std::string& why) {
    std::fprintf(stderr,
                 "darts-sim: %s\n"
                 "usage: darts-sim autoplay --seed S --matches N --game G [--in open|double|master]"
                 " [--out open|double|master] [--bull fat|separate] [--rounds R] [--legs 3|5]"
                 " [--x01 N] [--sides LIST] [--frame-limit F] [--stats]\n",
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

// Reads autoplay's options: its own (seed, matches, frame limit) and the game's words, which
// mean what they mean to the game; an empty string when they are good.
std::string parseRun(int argc, char** argv, BarRun& run) {
    std::vector<std::string_view> gameWords;
    for (int i = 2; i < argc; i += 2) {
        const std::string_view option = argv[i];
        if (option == "--stats") {
            run.stats = true;
            --i;  // a switch: no value follows
            continue;
        }
        if (i + 1 >= argc) return std::string(option) + " needs a value";
        const std::string_view value = argv[i + 1];
        std::optional<long long> parsed;
        if (option == "--seed") {
            parsed = number(value, 0, UINT32_MAX);
            run.seed = parsed.value_or(-1);
        } else if (option == "--matches") {
            parsed = number(value, 1, 100'000'000);
            run.matches = parsed.value_or(-1);
        } else if (option == "--frame-limit") {
            parsed = number(value, 1, INT64_MAX);
            if (parsed) run.frameLimit = *parsed;
        } else {
            gameWords.insert(gameWords.end(), {option, value});
            continue;
        }
        if (!parsed) return "bad value '" + std::string(value) + "' for " + std::string(option);
    }
    if (run.seed < 0 || run.matches < 0) return "--seed and --matches are needed";
    GameOptions base;
    base.sides = "r10,r10";
    const CommandLine line = parseCommandLine(gameWords, base);
    if (!line.options) return line.error.empty() ? "bad options" : line.error;
    auto state = std::make_unique<GameState>();
    BarGameSetup made = barGameFromOptions(*line.options, *state, false);
    if (!made.error.empty()) return made.error;
    for (const Seat& seat : made.seats) {
        if (seat.human) return "darts-sim seats computers only: rN, cK or p";
    }
    run.setup = made.setup;
    run.seats = std::move(made.seats);
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

// Two decimals, or null for a number the leg's game does not keep.
std::string decimal(bool kept, double value) {
    if (!kept) return "null";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

// The statistics line of each side of a finished leg.
void printLegStatistics(long long match, const PlayedLeg& played) {
    const LegStatistics& stats = played.statistics;
    const LegGame game = stats.setup().game;
    const bool x01 = game == LegGame::X01, cricket = game == LegGame::Cricket;
    for (int side = 0; side < stats.sides(); ++side) {
        const SideLegStatistics& s = stats.side(side);
        std::string awards = "[";
        for (size_t i = 0; i < s.awards.size(); ++i) {
            awards += (i ? ",\"" : "\"") + std::string(gameAwardTitle(s.awards[i])) + "\"";
        }
        awards += "]";
        std::printf("{\"match\":%lld,\"leg\":%d,\"side\":%d,\"ppr\":%s,\"ppr80\":%s,\"mpr\":%s,"
                    "\"mpr80\":%s,\"total\":%s,\"awards\":%s}\n",
                    match, played.leg, side, decimal(x01, s.pointsPerRound()).c_str(),
                    decimal(x01, s.pointsPerRound80()).c_str(),
                    decimal(cricket, s.marksPerRound()).c_str(),
                    decimal(cricket, s.marksPerRound80()).c_str(),
                    game == LegGame::CountUp ? std::to_string(s.points).c_str() : "null",
                    awards.c_str());
    }
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
        const BarMatch* playing = nullptr;
        watch.legEnded = [&](int leg, const std::vector<int>& winners, LegEndReason why) {
            std::printf("{\"match\":%lld,\"leg\":%d,\"winner\":%s,\"why\":\"%s\"}\n", match, leg,
                        sideOrSides(winners).c_str(), legEndName(why));
            // A leg tied at its limit is decided by a cork after its last dart: its statistics
            // are those of its darts all the same.
            if (run.stats && playing != nullptr && !playing->playedLegs().empty()) {
                printLegStatistics(match, playing->playedLegs().back());
            }
        };
        watch.matchEnded = [&](const std::vector<int>& winners) {
            std::printf("{\"match\":%lld,\"winner\":%s}\n", match, sideOrSides(winners).c_str());
        };
        BarMatch bar(run.setup, run.seats, watch);
        playing = &bar;
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
