// Checks what the game played, as SDL's disk driver wrote it (raw interleaved stereo, signed
// 16-bit, 44.1 kHz), against the game's board-hit log (DARTS_BOARD_HIT_LOG): every logged hit must
// have the board-hit effect in the stream where the log puts it, no effect may sound without a hit,
// the music must sound under the effect and all along the run once it has started. Prints what it
// measured and exits 1 when something is wrong.
//
//   check_sound_stream STREAM.raw STDERR.txt MIN_HITS    (run from the top of the repository)
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/sdl/sdl_audio.h"

namespace {

using darts::platform::kMixChannels;
using darts::platform::kMixRate;

// The device hands out buffers of this many frames; an effect always starts on a buffer's edge.
constexpr size_t kBufferFrames = 1024;
// The effect's share of the stream at a buffer edge, as a fraction of the effect itself: about 1
// where it starts there (the music adds a little either way), well below elsewhere.
constexpr double kOnsetShare = 0.6;

std::vector<int16_t> readStream(const char* path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                          static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
    }
    samples.resize(samples.size() - samples.size() % kMixChannels);
    return samples;
}

std::vector<uint64_t> loggedHits(const char* path) {
    std::ifstream in(path);
    std::vector<uint64_t> hits;
    const std::string marker = "darts: board hit at audio frame ";
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(marker, 0) == 0) hits.push_back(std::stoull(line.substr(marker.size())));
    }
    return hits;
}

// How much of the effect the stream holds when the effect is laid at frame `at`.
double effectShare(const std::vector<int16_t>& stream, const std::vector<int16_t>& effect,
                   size_t at) {
    double dot = 0, energy = 0;
    for (size_t i = 0; i < effect.size(); ++i) {
        const size_t s = at * kMixChannels + i;
        const double sample = s < stream.size() ? stream[s] : 0.0;
        dot += sample * effect[i];
        energy += double(effect[i]) * effect[i];
    }
    return dot / energy;
}

double rms(const std::vector<int16_t>& samples, size_t fromFrame, size_t frames) {
    const size_t first = std::min(samples.size(), fromFrame * kMixChannels);
    const size_t last = std::min(samples.size(), (fromFrame + frames) * kMixChannels);
    if (last <= first) return 0;
    double sum = 0;
    for (size_t i = first; i < last; ++i) sum += double(samples[i]) * samples[i];
    return std::sqrt(sum / double(last - first));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: check_sound_stream STREAM.raw STDERR.txt MIN_HITS\n");
        return 2;
    }
    const std::vector<int16_t> stream = readStream(argv[1]);
    const std::vector<uint64_t> hits = loggedHits(argv[2]);
    const size_t minHits = std::strtoul(argv[3], nullptr, 10);
    // The effect as the game mixes it: the game's reader and the mixer's own conversion.
    const std::optional<std::vector<int16_t>> effect =
        darts::platform::readWaveForMixing("sound\\BOARDHIT.WAV");
    if (!effect || effect->empty()) {
        std::printf("FAIL: sound/BOARDHIT.WAV cannot be read\n");
        return 1;
    }
    const size_t frames = stream.size() / kMixChannels;
    const size_t effectFrames = effect->size() / kMixChannels;
    std::printf("stream: %.2f s, %zu board hits logged\n", double(frames) / kMixRate, hits.size());
    bool ok = true;
    auto fail = [&ok](const std::string& what) {
        std::printf("FAIL: %s\n", what.c_str());
        ok = false;
    };
    if (hits.size() < minHits) fail("fewer board hits than darts thrown");

    // Every buffer edge where the effect starts. Neighbouring edges see a part of the same effect:
    // of a run of edges above the threshold, the strongest is the start.
    std::vector<size_t> onsets;
    std::vector<double> shares;
    for (size_t at = 0; at + kBufferFrames <= frames; at += kBufferFrames) {
        const double share = effectShare(stream, *effect, at);
        if (share < kOnsetShare) continue;
        if (!onsets.empty() && at - onsets.back() <= effectFrames) {
            if (share > shares.back()) onsets.back() = at, shares.back() = share;
            continue;
        }
        onsets.push_back(at);
        shares.push_back(share);
    }
    for (size_t i = 0; i < onsets.size(); ++i) {
        std::printf("effect at %.3f s (frame %zu), share %.3f\n", double(onsets[i]) / kMixRate,
                    onsets[i], shares[i]);
    }
    if (onsets.size() != hits.size()) {
        fail("the stream holds " + std::to_string(onsets.size()) + " effects for " +
             std::to_string(hits.size()) + " board hits");
    }

    // The log counts the frames the game mixed; the driver may have written a few buffers of
    // silence before the first was mixed. That lead is the same for the whole run.
    if (!onsets.empty() && !hits.empty() && onsets.size() == hits.size()) {
        const int64_t lead = int64_t(onsets[0]) - int64_t(hits[0]);
        const int64_t firstLead = lead - lead % int64_t(kBufferFrames);
        if (firstLead < 0 || firstLead > int64_t(8 * kBufferFrames)) {
            fail("the first effect starts " + std::to_string(lead) + " frames after its hit");
        }
        for (size_t i = 0; i < hits.size(); ++i) {
            const int64_t late = int64_t(onsets[i]) - int64_t(hits[i]) - firstLead;
            std::printf("hit %zu: logged at frame %llu, effect %lld frames later\n", i + 1,
                        static_cast<unsigned long long>(hits[i]),
                        static_cast<long long>(late + firstLead));
            // The hit comes while a buffer is mixed or between two: the next edge, or this one.
            if (late < 0 || late > int64_t(kBufferFrames)) {
                fail("hit " + std::to_string(i + 1) + " sounds away from where it was logged");
            }
            if (shares[i] < 0.85 || shares[i] > 1.15) {
                fail("hit " + std::to_string(i + 1) + " is not the effect at its own level");
            }
        }
    }

    // The music: from its first sound to the end of the recording, no second without it, and
    // under each effect the stream is more than the effect alone.
    size_t musicStart = 0;
    while (musicStart < frames && rms(stream, musicStart, kBufferFrames) < 30) {
        musicStart += kBufferFrames;
    }
    if (musicStart >= frames) {
        fail("no music at all");
        return 1;
    }
    double quietest = 1e9;
    // The last second may be cut short by the end of the process.
    for (size_t at = musicStart; at + 2 * kMixRate <= frames; at += kMixRate) {
        quietest = std::min(quietest, rms(stream, at, kMixRate));
    }
    std::printf("music from %.2f s, quietest second at RMS %.1f\n", double(musicStart) / kMixRate,
                quietest);
    if (frames < musicStart + 3 * kMixRate) fail("too little music recorded");
    if (quietest < 100) fail("the music falls silent");
    for (size_t i = 0; i < onsets.size(); ++i) {
        std::vector<int16_t> residual(effect->size());
        for (size_t k = 0; k < effect->size(); ++k) {
            const size_t s = onsets[i] * kMixChannels + k;
            residual[k] = static_cast<int16_t>(
                std::clamp((s < stream.size() ? stream[s] : 0) - (*effect)[k], -32768, 32767));
        }
        const double under = rms(residual, 0, effectFrames);
        std::printf("music under effect %zu: RMS %.1f\n", i + 1, under);
        if (under < 100) fail("the effect replaced the music instead of sounding over it");
    }
    std::printf(ok ? "ok\n" : "FAILED\n");
    return ok ? 0 : 1;
}
