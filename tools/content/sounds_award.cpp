#include "sounds_award.h"

#include <cmath>
#include <numbers>

#include "sounds_dsp.h"
#include "sounds_wav_writer.h"

namespace darts::content {
namespace {

constexpr double kRate = kAwardSampleRate;

// A rising major arpeggio (C6 E6 G6 C7), each note a bell: a sine with a few inharmonic
// partials that die faster than the fundamental, so it glitters at the start and rings clean.
struct Note {
    double startSeconds;
    double frequencyHz;
    double level;
};
constexpr Note kNotes[] = {
    {0.000, 1046.5, 0.70},
    {0.070, 1318.5, 0.75},
    {0.140, 1568.0, 0.80},
    {0.210, 2093.0, 1.00},
};
struct Partial {
    double ratio;
    double level;
    double decaySeconds;
};
constexpr Partial kPartials[] = {
    {1.0, 1.00, 0.32}, {2.0, 0.35, 0.16}, {2.76, 0.22, 0.09}, {5.40, 0.10, 0.04}};

size_t sampleCount(double seconds) { return static_cast<size_t>(std::lround(seconds * kRate)); }

}  // namespace

std::vector<int16_t> synthesizeAward() {
    const size_t length = sampleCount(kAwardSeconds);
    std::vector<double> sum(length, 0.0);
    for (const Note& note : kNotes) {
        const size_t start = sampleCount(note.startSeconds);
        for (size_t i = start; i < length; ++i) {
            const double t = static_cast<double>(i - start) / kRate;
            double s = 0.0;
            for (const Partial& p : kPartials) {
                s += p.level * std::exp(-t / p.decaySeconds) *
                     std::sin(2.0 * std::numbers::pi * note.frequencyHz * p.ratio * t);
            }
            sum[i] += note.level * s;
        }
    }
    // No click at either end: a hair of fade-in and a fade over the last of the ring.
    applyFades(sum, sampleCount(0.002), sampleCount(0.200));
    normalisePeak(sum, std::pow(10.0, kAwardPeakDbfs / 20.0));
    return toPcm16(sum);
}

std::vector<uint8_t> awardWavFile() { return encodeWavPcm16Mono(synthesizeAward(), kAwardSampleRate); }

}  // namespace darts::content
