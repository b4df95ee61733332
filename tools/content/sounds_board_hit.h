// The board-hit effect: a steel-tipped dart driving into a sisal board on a wall.
#pragma once

#include <cstdint>
#include <vector>

namespace darts::content {

constexpr uint32_t kBoardHitSampleRate = 44100;
constexpr double kBoardHitSeconds = 0.30;
constexpr double kBoardHitPeakDbfs = -3.0;

// Mono samples at kBoardHitSampleRate with a peak of kBoardHitPeakDbfs; the same on every run.
std::vector<int16_t> synthesizeBoardHit();

// The effect as a complete 16-bit PCM WAV file.
std::vector<uint8_t> boardHitWavFile();

}  // namespace darts::content
