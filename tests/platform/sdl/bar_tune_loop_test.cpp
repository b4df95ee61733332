// The bar's own tune through the music player, rendered as the audio thread renders it but faster
// than real time: it sounds from the start, and at the end of the file it goes on with the tune
// from the top instead of falling silent.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/sdl/music_fluidsynth.h"

namespace darts::platform {
namespace {

// The length of a Standard MIDI File in seconds: the last end-of-track, through every tempo
// change. Zero when the file is not one this reader understands.
double midiFileSeconds(const std::vector<uint8_t>& bytes) {
    size_t at = 0;
    auto has = [&](size_t count) { return at + count <= bytes.size(); };
    auto be = [&](int count) {
        uint32_t value = 0;
        for (int i = 0; i < count; ++i) value = value << 8 | bytes[at++];
        return value;
    };
    auto vlq = [&] {
        uint32_t value = 0;
        for (int i = 0; i < 4 && has(1); ++i) {
            const uint8_t byte = bytes[at++];
            value = value << 7 | (byte & 0x7F);
            if ((byte & 0x80) == 0) break;
        }
        return value;
    };
    if (!has(14) || std::string(bytes.begin(), bytes.begin() + 4) != "MThd") return 0;
    at = 8;
    be(2);
    const uint32_t tracks = be(2);
    const uint32_t division = be(2);
    if (division == 0 || (division & 0x8000) != 0) return 0;  // ticks per quarter only

    std::map<uint32_t, uint32_t> tempoAt{{0, 500000}};
    uint32_t endTick = 0;
    for (uint32_t track = 0; track < tracks; ++track) {
        if (!has(8) || std::string(bytes.begin() + at, bytes.begin() + at + 4) != "MTrk") return 0;
        at += 4;
        const uint32_t trackBytes = be(4);
        const size_t end = at + trackBytes;
        if (end > bytes.size()) return 0;
        uint32_t tick = 0;
        uint8_t status = 0;
        while (at < end) {
            tick += vlq();
            if (bytes[at] & 0x80) status = bytes[at++];
            if (status == 0xFF) {
                const uint8_t type = bytes[at++];
                const uint32_t length = vlq();
                if (type == 0x51 && length == 3) {
                    tempoAt[tick] = uint32_t(bytes[at]) << 16 | bytes[at + 1] << 8 | bytes[at + 2];
                }
                at += length;
                if (type == 0x2F) break;
            } else if (status == 0xF0 || status == 0xF7) {
                at += vlq();
            } else {
                const uint8_t kind = status & 0xF0;
                at += (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
            }
        }
        endTick = std::max(endTick, tick);
        at = end;
    }
    double seconds = 0;
    for (auto it = tempoAt.begin(); it != tempoAt.end() && it->first < endTick; ++it) {
        const auto next = std::next(it);
        const uint32_t until = next == tempoAt.end() ? endTick : std::min(next->first, endTick);
        seconds += double(until - it->first) / division * it->second / 1e6;
    }
    return seconds;
}

bool haveSoundFont() {
    for (const std::string& font : soundFontCandidates()) {
        if (std::filesystem::exists(font)) return true;
    }
    return false;
}

TEST(BarTuneLoop, SoundsFromTheStartAndGoesOnFromTheTopAfterTheEnd) {
    if (!haveSoundFont()) GTEST_SKIP() << "no General MIDI soundfont installed";
    std::ifstream in("sound/FM_14.MID", std::ios::binary);
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), {});
    const double seconds = midiFileSeconds(file);
    ASSERT_GT(seconds, 10.0) << "sound/FM_14.MID is no tune this test can measure";

    std::string error;
    std::unique_ptr<FluidSynthMusic> music =
        FluidSynthMusic::load("sound/FM_14.MID", soundFontCandidates(), error);
    ASSERT_NE(music, nullptr) << error;
    music->start();

    // The loudness of every tenth of a second, rendered in the device's buffer size.
    constexpr int kBlock = 1024;
    constexpr double kStep = 0.1;
    const int stepFrames = static_cast<int>(kMixRate * kStep);
    const int steps = static_cast<int>((seconds + 6.0) / kStep);
    std::vector<double> level;
    std::vector<int16_t> block(kBlock * kMixChannels);
    double sum = 0;
    int inStep = 0;
    while (static_cast<int>(level.size()) < steps) {
        music->render(block.data(), kBlock);
        for (int f = 0; f < kBlock; ++f) {
            const double left = block[f * kMixChannels];
            const double right = block[f * kMixChannels + 1];
            sum += left * left + right * right;
            if (++inStep == stepFrames) {
                level.push_back(std::sqrt(sum / (2.0 * stepFrames)));
                sum = 0;
                inStep = 0;
            }
        }
    }
    EXPECT_TRUE(music->playing());

    // Quietest whole second within [from, to) seconds, and the loudness envelope there.
    auto quietestSecond = [&](double from, double to) {
        double quietest = 1e9;
        for (double t = from; t + 1.0 <= to; t += 1.0) {
            double second = 0;
            for (int i = 0; i < 10; ++i) second += level[static_cast<size_t>(t / kStep) + i];
            quietest = std::min(quietest, second / 10);
        }
        return quietest;
    };
    const double firstPass = quietestSecond(0.0, seconds - 1.0);
    const double afterEnd = quietestSecond(seconds + 0.5, seconds + 5.5);
    EXPECT_GT(firstPass, 100.0) << "the tune falls silent in its first pass";
    EXPECT_GT(afterEnd, 100.0) << "the music stops at the end of the file (" << seconds << " s)";

    // The same bars again: the loudness of the first five seconds after the end follows that of
    // the first five seconds of the tune.
    const size_t span = static_cast<size_t>(5.0 / kStep);
    const size_t loop = static_cast<size_t>(std::lround(seconds / kStep));
    double meanA = 0, meanB = 0;
    for (size_t i = 0; i < span; ++i) meanA += level[i], meanB += level[loop + i];
    meanA /= span;
    meanB /= span;
    double ab = 0, aa = 0, bb = 0;
    for (size_t i = 0; i < span; ++i) {
        const double a = level[i] - meanA, b = level[loop + i] - meanB;
        ab += a * b, aa += a * a, bb += b * b;
    }
    const double correlation = ab / std::sqrt(aa * bb);
    EXPECT_GT(correlation, 0.8) << "after the end the music does not start over";
    EXPECT_NEAR(meanB / meanA, 1.0, 0.25);
}

}  // namespace
}  // namespace darts::platform
