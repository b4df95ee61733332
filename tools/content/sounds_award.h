// The award fanfare: a short bright chime, the bar machine's "well thrown", played over the
// board hit of the turn's last dart.
#pragma once

#include <cstdint>
#include <vector>

namespace darts::content {

constexpr uint32_t kAwardSampleRate = 44100;
constexpr double kAwardSeconds = 0.90;
constexpr double kAwardPeakDbfs = -6.0;  // quieter than the hit: it sits on top of it

// Mono samples at kAwardSampleRate with a peak of kAwardPeakDbfs; the same on every run.
std::vector<int16_t> synthesizeAward();

// The effect as a complete 16-bit PCM WAV file.
std::vector<uint8_t> awardWavFile();

}  // namespace darts::content
