// Small building blocks for synthesising sound effects offline: a seeded noise source, a
// biquad filter and a decaying two-pole resonator. Everything runs in double precision on plain
// arithmetic, so a given seed always yields the same samples.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace darts::content {

// White noise in [-1, 1) from a 64-bit xorshift generator; the same seed gives the same noise.
class NoiseSource {
  public:
    explicit NoiseSource(uint64_t seed) : state_(seed == 0 ? 0x9E3779B97F4A7C15ull : seed) {}
    double next();

  private:
    uint64_t state_;
};

// A second-order IIR section in direct form I with coefficients from the usual audio-EQ
// formulas (the a0 term already divided out).
class Biquad {
  public:
    static Biquad lowPass(double sampleRate, double cutoffHz, double q);
    static Biquad highPass(double sampleRate, double cutoffHz, double q);
    static Biquad bandPass(double sampleRate, double centreHz, double q);  // 0 dB peak gain

    double process(double x);

  private:
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// A mode of a struck body: rings at frequencyHz and dies away by 1/e every decaySeconds when
// excited. Its gain is normalised so that a unit impulse rings with an amplitude near 1.
class Resonator {
  public:
    Resonator(double sampleRate, double frequencyHz, double decaySeconds);
    double process(double x);

  private:
    double gain_, a1_, a2_;
    double y1_ = 0, y2_ = 0;
};

// Scales the signal so that its largest magnitude is `peak` (nothing happens to silence).
void normalisePeak(std::vector<double>& signal, double peak);

// Raised-cosine fades over the first and last samples, so the sound starts and stops at zero.
void applyFades(std::vector<double>& signal, size_t fadeInSamples, size_t fadeOutSamples);

// Converts to 16-bit PCM with rounding and saturation.
std::vector<int16_t> toPcm16(const std::vector<double>& signal);

}  // namespace darts::content
