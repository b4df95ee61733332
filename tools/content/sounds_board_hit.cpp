#include "sounds_board_hit.h"

#include <cmath>
#include <numbers>

#include "sounds_dsp.h"
#include "sounds_wav_writer.h"

namespace darts::content {

namespace {

constexpr double kRate = kBoardHitSampleRate;
constexpr uint64_t kNoiseSeed = 0x5157A1B0A4Dull;

// One ringing part of the impact: a resonance of the board, its cabinet or the dart.
struct Mode {
    double frequencyHz;
    double decaySeconds;
    double level;  // relative to the loudest part
};

// The body: sisal is dense and damped, so the board gives a short, dull knock around 150-250 Hz
// over a softer, longer boom of the cabinet and wall behind it. Higher modes die fast; that is
// what makes it sound like fibre rather than plywood.
constexpr Mode kBodyModes[] = {
    {96.0, 0.060, 0.30},  {163.0, 0.042, 1.00}, {241.0, 0.030, 0.62},  {388.0, 0.019, 0.55},
    {604.0, 0.012, 0.42}, {927.0, 0.008, 0.28}, {1415.0, 0.005, 0.12},
};

// The tip: a bright, very short ring of the steel point and barrel as it bites.
constexpr Mode kTipModes[] = {
    {3310.0, 0.0040, 0.16},
    {5170.0, 0.0024, 0.10},
    {7450.0, 0.0014, 0.05},
};

size_t sampleCount(double seconds) { return static_cast<size_t>(std::lround(seconds * kRate)); }

// The force of the contact: a half-sine pulse a little under a millisecond long, roughened by
// noise so that no two modes are struck quite alike, as by real fibres.
std::vector<double> contactForce(size_t length, NoiseSource& noise) {
    std::vector<double> force(length, 0.0);
    const size_t pulse = sampleCount(0.0007);
    for (size_t i = 0; i < pulse && i < length; ++i) {
        const double phase = std::numbers::pi * (static_cast<double>(i) + 0.5) / pulse;
        force[i] = std::sin(phase) * (0.8 + 0.2 * noise.next());
    }
    return force;
}

std::vector<double> ring(const std::vector<double>& force, const Mode& mode) {
    Resonator resonator(kRate, mode.frequencyHz, mode.decaySeconds);
    std::vector<double> out(force.size());
    for (size_t i = 0; i < force.size(); ++i) out[i] = resonator.process(force[i]);
    normalisePeak(out, mode.level);
    return out;
}

// Noise shaped by a decaying envelope and a band-pass: the crunch of fibres parting (broad and
// very short) and a softer rustle of them closing around the barrel.
std::vector<double> noiseBurst(size_t length, NoiseSource& noise, double centreHz, double q,
                               double decaySeconds, double level) {
    Biquad band = Biquad::bandPass(kRate, centreHz, q);
    std::vector<double> out(length);
    const double fall = std::exp(-1.0 / (decaySeconds * kRate));
    double envelope = 1.0;
    for (size_t i = 0; i < length; ++i) {
        out[i] = band.process(noise.next() * envelope);
        envelope *= fall;
    }
    normalisePeak(out, level);
    return out;
}

void mixInto(std::vector<double>& sum, const std::vector<double>& part) {
    for (size_t i = 0; i < sum.size(); ++i) sum[i] += part[i];
}

}  // namespace

std::vector<int16_t> synthesizeBoardHit() {
    const size_t length = sampleCount(kBoardHitSeconds);
    NoiseSource noise(kNoiseSeed);
    const std::vector<double> force = contactForce(length, noise);

    std::vector<double> sum(length, 0.0);
    for (const Mode& mode : kBodyModes) mixInto(sum, ring(force, mode));
    for (const Mode& mode : kTipModes) mixInto(sum, ring(force, mode));
    mixInto(sum, noiseBurst(length, noise, 2200.0, 0.5, 0.0016, 0.65));
    mixInto(sum, noiseBurst(length, noise, 650.0, 1.2, 0.0110, 0.16));

    // Nothing below the cabinet boom belongs to the sound (and a DC offset would thump the
    // speaker); the top is rolled off as the fibre swallows the highest partials.
    Biquad dcBlock = Biquad::highPass(kRate, 40.0, 0.707);
    Biquad airRollOff = Biquad::lowPass(kRate, 9500.0, 0.707);
    for (double& s : sum) s = airRollOff.process(dcBlock.process(s));

    // The tail has died to well below audibility by the end; the fade removes what is left so
    // the buffer stops without a click, and the short fade-in keeps the first sample at zero.
    applyFades(sum, sampleCount(0.0002), sampleCount(0.080));
    normalisePeak(sum, std::pow(10.0, kBoardHitPeakDbfs / 20.0));
    return toPcm16(sum);
}

std::vector<uint8_t> boardHitWavFile() {
    return encodeWavPcm16Mono(synthesizeBoardHit(), kBoardHitSampleRate);
}

}  // namespace darts::content
