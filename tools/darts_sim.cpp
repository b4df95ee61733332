// darts-sim: the game's rules without a screen, for testing and tuning. Prints one JSON object per
// line (texts in UTF-8).
//
//   darts-sim throw --swing A --aim Y --gauge G [--steps-on-release N]
//   darts-sim autoplay --seed S --matches N [--frame-limit F]
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "gfxutil/text_encoding.h"
#include "match/throw_simulation.h"
#include "render/device.h"
#include "shell/autoplay.h"
#include "shell/game_state.h"

namespace {

using namespace darts;

constexpr uint64_t kDefaultFrameLimit = 2'000'000;

int usage() {
    std::fputs(
        "usage: darts-sim throw --swing A --aim Y --gauge G [--steps-on-release N]\n"
        "       darts-sim autoplay --seed S --matches N [--frame-limit F]\n",
        stderr);
    return 2;
}

bool parseDouble(const char* text, double& out) {
    char* end = nullptr;
    out = std::strtod(text, &end);
    return end != text && *end == '\0';
}

bool parseInt(const char* text, long long low, long long high, long long& out) {
    char* end = nullptr;
    errno = 0;
    out = std::strtoll(text, &end, 10);
    return end != text && *end == '\0' && errno == 0 && out >= low && out <= high;
}

std::string jsonString(std::string_view shiftJis) {
    std::string utf8 = gfx::cp932ToUtf8(shiftJis);
    std::string out = "\"";
    for (char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

int runThrow(int argc, char** argv) {
    double swing = 0, aim = 0, gauge = 0;
    long long steps = 1;
    bool haveSwing = false, haveAim = false, haveGauge = false;
    for (int i = 2; i < argc; i += 2) {
        if (i + 1 >= argc) return usage();
        std::string_view option = argv[i];
        bool ok = true;
        if (option == "--swing") {
            ok = parseDouble(argv[i + 1], swing), haveSwing = true;
        } else if (option == "--aim") {
            ok = parseDouble(argv[i + 1], aim), haveAim = true;
        } else if (option == "--gauge") {
            ok = parseDouble(argv[i + 1], gauge), haveGauge = true;
        } else if (option == "--steps-on-release") {
            ok = parseInt(argv[i + 1], 1, 1000, steps);
        } else {
            ok = false;
        }
        if (!ok) return usage();
    }
    if (!haveSwing || !haveAim || !haveGauge) return usage();

    auto landing = simulateThrow(static_cast<float>(swing), static_cast<float>(aim),
                                 static_cast<float>(gauge), static_cast<int>(steps));
    if (!landing) {
        std::printf("{\"score\":null}\n");
        return 0;
    }
    std::printf(
        "{\"x\":%.6f,\"y\":%.6f,\"r\":%.6f,\"sector\":%d,\"score\":%d,\"ring\":%s,"
        "\"steps\":%d}\n",
        landing->x, landing->y, landing->radius, landing->sectorIndex, landing->score,
        jsonString(landing->ringText).c_str(), landing->steps);
    return 0;
}

int runAutoplay(int argc, char** argv) {
    long long seed = -1, matches = -1, frameLimit = static_cast<long long>(kDefaultFrameLimit);
    for (int i = 2; i < argc; i += 2) {
        if (i + 1 >= argc) return usage();
        std::string_view option = argv[i];
        bool ok = true;
        if (option == "--seed") {
            ok = parseInt(argv[i + 1], 0, UINT32_MAX, seed);
        } else if (option == "--matches") {
            ok = parseInt(argv[i + 1], 1, 100'000'000, matches);
        } else if (option == "--frame-limit") {
            ok = parseInt(argv[i + 1], 1, INT64_MAX, frameLimit);
        } else {
            ok = false;
        }
        if (!ok) return usage();
    }
    if (seed < 0 || matches < 0) return usage();

    auto state = std::make_unique<GameState>();
    seedRandom(*state, static_cast<uint32_t>(seed));
    render::HeadlessDevice device;
    uint64_t totalFrames = 0, totalDarts = 0, abandoned = 0;
    bool consistent = true;
    for (long long match = 1; match <= matches; ++match) {
        auto onDart = [&](const GameState& s) {
            const FinishedDart& d = s.lastFinishedDart;
            std::printf(
                "{\"match\":%lld,\"side\":%d,\"turn\":%d,\"dart\":%d,\"score\":%d,"
                "\"scoreLeft\":%d,\"bust\":%s,\"win\":%s}\n",
                match, d.side, d.turn + 1, d.dart + 1, d.score, d.scoreLeft,
                d.bust ? "true" : "false", d.win ? "true" : "false");
            if (!scoresConsistent(s)) {
                std::fprintf(stderr, "darts-sim: match %lld: the counts no longer add up\n", match);
                consistent = false;
            }
        };
        AutoMatchResult result =
            playAutoMatch(*state, device, static_cast<uint64_t>(frameLimit), onDart);
        totalFrames += result.frames;
        totalDarts += result.darts;
        if (!result.finished) {
            ++abandoned;
            std::printf("{\"match\":%lld,\"abandoned\":true,\"frames\":%llu}\n", match,
                        static_cast<unsigned long long>(result.frames));
        }
    }
    std::printf("{\"matches\":%lld,\"frames\":%llu,\"darts\":%llu,\"abandoned\":%llu}\n", matches,
                static_cast<unsigned long long>(totalFrames),
                static_cast<unsigned long long>(totalDarts),
                static_cast<unsigned long long>(abandoned));
    return consistent && abandoned == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    std::string_view command = argv[1];
    if (command == "throw") return runThrow(argc, argv);
    if (command == "autoplay") return runAutoplay(argc, argv);
    return usage();
}
