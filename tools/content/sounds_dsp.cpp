#include "sounds_dsp.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace darts::content {

double NoiseSource::next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    // The top 53 bits give a uniform double in [0, 1).
    const double unit = static_cast<double>(state_ >> 11) * 0x1.0p-53;
    return unit * 2.0 - 1.0;
}

namespace {

struct Rbj {
    double cosW, alpha;
};

Rbj rbj(double sampleRate, double frequencyHz, double q) {
    const double w = 2.0 * std::numbers::pi * frequencyHz / sampleRate;
    return {std::cos(w), std::sin(w) / (2.0 * q)};
}

}  // namespace

Biquad Biquad::lowPass(double sampleRate, double cutoffHz, double q) {
    const Rbj p = rbj(sampleRate, cutoffHz, q);
    const double a0 = 1.0 + p.alpha;
    Biquad f;
    f.b0_ = (1.0 - p.cosW) / 2.0 / a0;
    f.b1_ = (1.0 - p.cosW) / a0;
    f.b2_ = f.b0_;
    f.a1_ = -2.0 * p.cosW / a0;
    f.a2_ = (1.0 - p.alpha) / a0;
    return f;
}

Biquad Biquad::highPass(double sampleRate, double cutoffHz, double q) {
    const Rbj p = rbj(sampleRate, cutoffHz, q);
    const double a0 = 1.0 + p.alpha;
    Biquad f;
    f.b0_ = (1.0 + p.cosW) / 2.0 / a0;
    f.b1_ = -(1.0 + p.cosW) / a0;
    f.b2_ = f.b0_;
    f.a1_ = -2.0 * p.cosW / a0;
    f.a2_ = (1.0 - p.alpha) / a0;
    return f;
}

Biquad Biquad::bandPass(double sampleRate, double centreHz, double q) {
    const Rbj p = rbj(sampleRate, centreHz, q);
    const double a0 = 1.0 + p.alpha;
    Biquad f;
    f.b0_ = p.alpha / a0;
    f.b1_ = 0.0;
    f.b2_ = -p.alpha / a0;
    f.a1_ = -2.0 * p.cosW / a0;
    f.a2_ = (1.0 - p.alpha) / a0;
    return f;
}

double Biquad::process(double x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
}

Resonator::Resonator(double sampleRate, double frequencyHz, double decaySeconds) {
    const double radius = std::exp(-1.0 / (decaySeconds * sampleRate));
    const double w = 2.0 * std::numbers::pi * frequencyHz / sampleRate;
    a1_ = 2.0 * radius * std::cos(w);
    a2_ = -radius * radius;
    // The impulse response of this pole pair is r^n sin((n+1)w) / sin(w): scaling by sin(w)
    // makes every mode start at the same amplitude whatever its frequency.
    gain_ = std::sin(w);
}

double Resonator::process(double x) {
    const double y = gain_ * x + a1_ * y1_ + a2_ * y2_;
    y2_ = y1_;
    y1_ = y;
    return y;
}

void normalisePeak(std::vector<double>& signal, double peak) {
    double largest = 0.0;
    for (double s : signal) largest = std::max(largest, std::abs(s));
    if (largest == 0.0) return;
    const double scale = peak / largest;
    for (double& s : signal) s *= scale;
}

void applyFades(std::vector<double>& signal, size_t fadeInSamples, size_t fadeOutSamples) {
    const size_t n = signal.size();
    fadeInSamples = std::min(fadeInSamples, n);
    fadeOutSamples = std::min(fadeOutSamples, n);
    for (size_t i = 0; i < fadeInSamples; ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(fadeInSamples);
        signal[i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * t);
    }
    for (size_t i = 0; i < fadeOutSamples; ++i) {
        // i counts back from the last sample, which ends exactly at zero.
        const double t = static_cast<double>(i) / static_cast<double>(fadeOutSamples);
        signal[n - 1 - i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * t);
    }
}

std::vector<int16_t> toPcm16(const std::vector<double>& signal) {
    std::vector<int16_t> pcm;
    pcm.reserve(signal.size());
    for (double s : signal) {
        const double scaled = std::round(std::clamp(s, -1.0, 1.0) * 32767.0);
        pcm.push_back(static_cast<int16_t>(scaled));
    }
    return pcm;
}

}  // namespace darts::content
