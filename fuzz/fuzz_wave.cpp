// Any bytes as a WAV file, read from its header to the last sample byte.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "audio/wave_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace darts::audio;
    if (size == 0) return 0;
    std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (file == nullptr) return 0;
    ChunkInfo riff{}, dataChunk{};
    std::optional<WaveFormatRecord> format;
    if (readWaveHeader(file, riff, format) == kWaveOk &&
        seekToWaveData(file, dataChunk, riff) == kWaveOk) {
        uint8_t buffer[4096];
        for (int i = 0; i < 1024; ++i) {
            uint32_t got = 0;
            if (readWaveBytes(file, sizeof buffer, buffer, dataChunk, got) != kWaveOk || got == 0) {
                break;
            }
        }
    }
    std::fclose(file);
    return 0;
}
