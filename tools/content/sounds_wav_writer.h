// Writes RIFF/WAVE files: the plain 16-byte PCM "fmt " chunk followed by the "data" chunk.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace darts::content {

// The whole file for 16-bit mono PCM samples.
std::vector<uint8_t> encodeWavPcm16Mono(std::span<const int16_t> samples, uint32_t sampleRate);

}  // namespace darts::content
