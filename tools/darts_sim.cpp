// darts-sim: the game's rules without a screen, for testing and tuning. Prints one JSON object per
// line (texts in UTF-8).
//
//   darts-sim throw --swing A --aim Y --gauge G [--steps-on-release N]
//   darts-sim autoplay --seed S --matches N [--frame-limit F] [--awards]
//   darts-sim autoplay --seed S --matches N --game G ...   a bar game (sim/bar_autoplay.h)
//   darts-sim xinfo FILE       a model file as the loader sees it
//   darts-sim image FILE       an image file as the texture loader decodes it
//   darts-sim wav FILE         a sound file as the WAV reader reads it
//   darts-sim roster [FILE]    the eight characters of a roster file
//   darts-sim demo FILE        a demo played without a screen (see demo/demo_commands.h)
//   darts-sim make-demo ...    a demo made by the demo player
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include <zlib.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "audio/wave_file.h"
#include "core/game_path.h"
#include "core/game_state.h"
#include "demo/demo_commands.h"
#include "frontend/roster.h"
#include "gfx/image.h"
#include "gfx/text_encoding.h"
#include "gfx/xfile.h"
#include "loops/autoplay.h"
#include "match/match_statistics.h"
#include "match/throw_simulation.h"
#include "render/device.h"
#include "sim/bar_autoplay.h"

namespace {

using namespace darts;

constexpr uint64_t kDefaultFrameLimit = 2'000'000;

int usage() {
    std::fputs(
        "usage: darts-sim throw --swing A --aim Y --gauge G [--steps-on-release N]\n"
        "       darts-sim autoplay --seed S --matches N [--frame-limit F] [--awards]\n"
        "       darts-sim autoplay --seed S --matches N --game G [--in R] [--out R] [--bull B]"
        " [--rounds R] [--legs 3|5] [--x01 N] [--sides LIST]\n"
        "       darts-sim xinfo FILE | image FILE | wav FILE | roster [FILE]\n"
        "       darts-sim demo FILE | make-demo --script NAME --seed S [--language ja|en]"
        " --out FILE\n",
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
    if (sim::namesBarGame(argc, argv)) return sim::runBarAutoplay(argc, argv);
    long long seed = -1, matches = -1, frameLimit = static_cast<long long>(kDefaultFrameLimit);
    bool awards = false;
    for (int i = 2; i < argc; i += 2) {
        if (std::string_view(argv[i]) == "--awards") {
            awards = true;
            --i;  // a flag without a value
            continue;
        }
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
        MatchStatistics statistics;
        auto onDart = [&](const GameState& s) {
            const FinishedDart& d = s.lastFinishedDart;
            std::string award;
            if (awards) {
                if (auto end = statistics.dartFinished(s)) {
                    award = end->award == Award::None
                                ? ",\"award\":null"
                                : ",\"award\":" + jsonString(std::string(awardTitle(end->award)));
                }
            }
            std::printf(
                "{\"match\":%lld,\"side\":%d,\"turn\":%d,\"dart\":%d,\"score\":%d,"
                "\"scoreLeft\":%d,\"bust\":%s,\"win\":%s%s}\n",
                match, d.side, d.turn + 1, d.dart + 1, d.score, d.scoreLeft,
                d.bust ? "true" : "false", d.win ? "true" : "false", award.c_str());
            if (!scoresConsistent(s)) {
                std::fprintf(stderr, "darts-sim: match %lld: the counts no longer add up\n", match);
                consistent = false;
            }
        };
        AutoMatchResult result =
            playAutoMatch(*state, device, static_cast<uint64_t>(frameLimit), onDart);
        totalFrames += result.frames;
        totalDarts += result.darts;
        for (int side = 0; awards && side < 2; ++side) {
            const SideStatistics& st = statistics.side(side);
            std::printf(
                "{\"match\":%lld,\"side\":%d,\"darts\":%d,\"points\":%d,\"ppd\":%.2f,"
                "\"best\":%d}\n",
                match, side, st.darts, st.points, st.pointsPerDart(), st.bestTurn);
        }
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

std::string jsonNumber(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string jsonColor(const gfx::ColorRGBA& c) {
    char text[96];
    std::snprintf(text, sizeof text, "[%g,%g,%g,%g]", c.r, c.g, c.b, c.a);
    return text;
}

int inspectModel(const char* path) {
    gfx::XFileResult result = gfx::loadXFile(path);
    if (!result.mesh) {
        std::printf("{\"ok\":false,\"error\":%s}\n", jsonString(result.error).c_str());
        return 1;
    }
    const gfx::MeshData& mesh = *result.mesh;
    std::string subsets;
    for (size_t i = 0; i < mesh.subsets.size(); ++i) {
        const gfx::XMaterial& m = mesh.materials[i];
        char head[64];
        std::snprintf(head, sizeof head, "{\"faces\":%u,", mesh.subsets[i].indexCount / 3);
        subsets += std::string(i ? "," : "") + head + "\"diffuse\":" + jsonColor(m.diffuse) +
                   ",\"ambient\":" + jsonColor(m.ambient) +
                   ",\"specular\":" + jsonColor(m.specular) +
                   ",\"emissive\":" + jsonColor(m.emissive) + ",\"power\":" + jsonNumber(m.power) +
                   ",\"texture\":" +
                   (m.textureFile.empty() ? std::string("null") : jsonString(m.textureFile)) + "}";
    }
    float lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
    for (size_t i = 0; i < mesh.vertices.size(); ++i) {
        const gfx::Vec3& p = mesh.vertices[i].position;
        const float xyz[3] = {p.x, p.y, p.z};
        for (int k = 0; k < 3; ++k) {
            lo[k] = i == 0 ? xyz[k] : std::min(lo[k], xyz[k]);
            hi[k] = i == 0 ? xyz[k] : std::max(hi[k], xyz[k]);
        }
    }
    std::printf(
        "{\"ok\":true,\"vertices\":%zu,\"faces\":%zu,\"subsets\":[%s],"
        "\"bbox\":[%g,%g,%g,%g,%g,%g]}\n",
        mesh.vertices.size(), mesh.indices.size() / 3, subsets.c_str(), lo[0], lo[1], lo[2], hi[0],
        hi[1], hi[2]);
    return 0;
}

uint32_t crcOf(const uint8_t* data, size_t size) {
    uLong crc = crc32(0L, Z_NULL, 0);
    while (size > 0) {
        uInt chunk = static_cast<uInt>(std::min<size_t>(size, 1u << 30));
        crc = crc32(crc, data, chunk);
        data += chunk;
        size -= chunk;
    }
    return static_cast<uint32_t>(crc);
}

int inspectImage(const char* path) {
    std::optional<gfx::Image> image = gfx::decodeImageFile(path);
    if (!image) {
        std::printf("{\"ok\":false}\n");
        return 1;
    }
    std::printf("{\"ok\":true,\"width\":%d,\"height\":%d,\"rgba_crc32\":%u}\n", image->width,
                image->height, crcOf(image->rgba.data(), image->rgba.size()));
    return 0;
}

int inspectWave(const char* path) {
    audio::WaveFile wave;
    if (audio::openWave(wave, path) != 1) {
        std::printf("{\"ok\":false}\n");
        return 1;
    }
    std::vector<uint8_t> data;
    audio::WaveFormat format{};
    uint8_t buffer[65536];
    for (;;) {
        uint32_t got = 0;
        if (audio::readWaveData(wave, sizeof buffer, buffer, got, &format) != 1) {
            audio::closeWave(wave);
            std::printf("{\"ok\":false}\n");
            return 1;
        }
        if (got == 0) break;
        data.insert(data.end(), buffer, buffer + got);
    }
    audio::closeWave(wave);
    std::printf(
        "{\"ok\":true,\"tag\":%u,\"channels\":%u,\"rate\":%u,\"avgBytes\":%u,"
        "\"blockAlign\":%u,\"bits\":%u,\"extraSize\":%u,\"dataBytes\":%zu,"
        "\"data_crc32\":%u}\n",
        format.formatTag, format.channels, format.samplesPerSec, format.avgBytesPerSec,
        format.blockAlign, format.bitsPerSample, format.extraSize, data.size(),
        crcOf(data.data(), data.size()));
    return 0;
}

int listRoster(const std::string& path) {
    auto state = std::make_unique<GameState>();
    for (int record = 1; record <= frontend::kRosterCharacters; ++record) {
        frontend::readRosterRecordFromFile(*state, record, false, path);
        const PlayerSlot& c = state->players[kComputer];
        std::printf(
            "{\"record\":%d,\"name\":%s,\"portrait\":%s,\"gaugeSkill\":%d,"
            "\"releaseSkill\":%d,\"profile\":%s}\n",
            record, jsonString(c.name).c_str(), jsonString(c.portraitResource).c_str(),
            c.gaugeSkill, c.releaseSkill, jsonString(c.hitMessage).c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    std::string_view command = argv[1];
    if (command == "throw") return runThrow(argc, argv);
    if (command == "autoplay") return runAutoplay(argc, argv);
    if (command == "demo") return demo::runDemoReplay(argc, argv);
    if (command == "make-demo") return demo::runMakeDemo(argc, argv);
    if (command == "xinfo" && argc == 3) return inspectModel(argv[2]);
    if (command == "image" && argc == 3) return inspectImage(argv[2]);
    if (command == "wav" && argc == 3) return inspectWave(argv[2]);
    if (command == "roster" && argc <= 3) {
        return listRoster(argc == 3 ? argv[2] : gamePathToHost(frontend::kRosterFile));
    }
    return usage();
}
