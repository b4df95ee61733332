// Reader for RIFF/WAVE sound files: checks the RIFF header, takes the format out of the "fmt "
// chunk, stops at the first sample byte of the "data" chunk and then hands out the samples in
// pieces of any size. One file is open at a time; the sound effect loader uses it at start-up.
//
// The outer operations answer 1 for success and 0 for failure; the inner steps answer 0 or
// kWaveFail, like the platform status codes the rest of the loading code tests for a negative
// value.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

#include "audio/riff_chunk.h"

namespace darts::audio {

constexpr int32_t kWaveOk = 0;
constexpr int32_t kWaveFail = static_cast<int32_t>(0x80004005u);

// The 18 fixed bytes of a format record, as little-endian fields.
struct WaveFormat {
    uint16_t formatTag = 0;  // 1 = PCM
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint16_t extraSize = 0;  // extra format bytes behind the fixed ones (0 for PCM)
};

constexpr uint16_t kFormatPcm = 1;

struct WaveFormatRecord {
    WaveFormat fixed;
    std::vector<uint8_t> extra;  // exactly fixed.extraSize bytes
};

// The reader's record. Plain data so that the record holding it stays copyable; the file is
// closed by closeWave (or by the next openWave), never by a destructor.
struct WaveFile {
    ChunkInfo dataChunk;
    std::optional<WaveFormatRecord> format;  // empty until a header has been read
    std::FILE* file = nullptr;
    ChunkInfo riffChunk;
};

// Opens the file named by a game path ("sound\\BOARDHIT.WAV"), reads its format and stops at
// the first sample byte. On failure nothing stays open and no format is kept.
int openWave(WaveFile& wave, std::string_view gamePath);

// Reads up to size sample bytes (fewer when the chunk holds fewer; 0 when it is used up) and,
// when formatCopy is not null, copies the 18 fixed format bytes into it.
int readWaveData(WaveFile& wave, uint32_t size, uint8_t* buffer, uint32_t& bytesRead,
                 WaveFormat* formatCopy);

// Closes the file and drops the format. Always 1.
int closeWave(WaveFile& wave);

// The steps beneath the three above.
int32_t openWaveFile(std::string_view hostPath, std::FILE*& file,
                     std::optional<WaveFormatRecord>& format, ChunkInfo& riffChunk);
int32_t readWaveHeader(std::FILE* file, ChunkInfo& riffChunk,
                       std::optional<WaveFormatRecord>& format);
int32_t seekToWaveData(std::FILE* file, ChunkInfo& dataChunk, const ChunkInfo& riffChunk);
int32_t readWaveBytes(std::FILE* file, uint32_t size, uint8_t* buffer, ChunkInfo& dataChunk,
                      uint32_t& bytesRead);

}  // namespace darts::audio
