#include "audio/wave_file.h"

#include <algorithm>
#include <string>

#include "core/game_path.h"

namespace darts::audio {

namespace {

constexpr uint32_t kWaveForm = fourCC('W', 'A', 'V', 'E');
constexpr uint32_t kFmtId = fourCC('f', 'm', 't', ' ');
constexpr uint32_t kDataId = fourCC('d', 'a', 't', 'a');

// Bytes of the format record that every "fmt " chunk holds, and the fixed bytes with extraSize.
constexpr uint32_t kFormatCoreSize = 16;
constexpr uint32_t kFormatFixedSize = 18;

uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

uint32_t le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

WaveFormat decodeCore(const uint8_t* p) {
    WaveFormat f;
    f.formatTag = le16(p);
    f.channels = le16(p + 2);
    f.samplesPerSec = le32(p + 4);
    f.avgBytesPerSec = le32(p + 8);
    f.blockAlign = le16(p + 12);
    f.bitsPerSample = le16(p + 14);
    f.extraSize = 0;
    return f;
}

// Reads the format record from the start of a "fmt " chunk of the given size.
bool readFormat(std::FILE* file, uint32_t chunkSize, WaveFormatRecord& record) {
    uint8_t core[kFormatCoreSize];
    if (std::fread(core, 1, sizeof core, file) != sizeof core) return false;
    record.fixed = decodeCore(core);
    record.extra.clear();
    if (record.fixed.formatTag == kFormatPcm) return true;  // PCM has no extra bytes

    // A 16-byte chunk has no room for extraSize: such a format simply has no extra bytes.
    // Reading on would take the next chunk's header for format data.
    if (chunkSize < kFormatFixedSize) return true;
    uint8_t extraSize[2];
    if (std::fread(extraSize, 1, sizeof extraSize, file) != sizeof extraSize) return false;
    record.fixed.extraSize = le16(extraSize);
    // Extra bytes that would run past the chunk are a damaged file, not format data.
    if (record.fixed.extraSize > chunkSize - kFormatFixedSize) return false;
    record.extra.resize(record.fixed.extraSize);
    return std::fread(record.extra.data(), 1, record.extra.size(), file) == record.extra.size();
}

}  // namespace

int32_t readWaveHeader(std::FILE* file, ChunkInfo& riffChunk,
                       std::optional<WaveFormatRecord>& format) {
    format.reset();
    if (!descendChunk(file, riffChunk)) return kWaveFail;
    if (riffChunk.id != kRiffId || riffChunk.formType != kWaveForm) return kWaveFail;

    ChunkInfo fmtChunk;
    if (!findSubChunk(file, kFmtId, riffChunk, fmtChunk)) return kWaveFail;
    if (fmtChunk.size < kFormatCoreSize) return kWaveFail;

    WaveFormatRecord record;
    if (!readFormat(file, fmtChunk.size, record)) return kWaveFail;
    // Bytes of the chunk beyond the record (an 18-byte PCM chunk) are stepped over here.
    if (!ascendChunk(file, fmtChunk)) return kWaveFail;
    format = std::move(record);
    return kWaveOk;
}

int32_t openWaveFile(std::string_view hostPath, std::FILE*& file,
                     std::optional<WaveFormatRecord>& format, ChunkInfo& riffChunk) {
    std::FILE* opened = std::fopen(std::string(hostPath).c_str(), "rb");
    if (opened == nullptr) return kWaveFail;
    if (readWaveHeader(opened, riffChunk, format) != kWaveOk) {
        std::fclose(opened);
        return kWaveFail;
    }
    file = opened;
    return kWaveOk;
}

int32_t seekToWaveData(std::FILE* file, ChunkInfo& dataChunk, const ChunkInfo& riffChunk) {
    // The sub-chunks start just behind the form type; "data" may lie before or after "fmt ".
    if (!seekChunkOffset(file, riffChunk.dataOffset + 4)) return kWaveFail;
    if (!findSubChunk(file, kDataId, riffChunk, dataChunk)) return kWaveFail;
    return kWaveOk;
}

int32_t readWaveBytes(std::FILE* file, uint32_t size, uint8_t* buffer, ChunkInfo& dataChunk,
                      uint32_t& bytesRead) {
    bytesRead = 0;
    const uint32_t wanted = std::min(size, dataChunk.size);
    if (wanted == 0) return kWaveOk;
    if (buffer == nullptr) return kWaveFail;
    const size_t got = std::fread(buffer, 1, wanted, file);
    // Count only what was taken, so that the chunk's size always tells the bytes still unread.
    dataChunk.size -= static_cast<uint32_t>(got);
    // The file ends before the chunk does.
    if (got != wanted) return kWaveFail;
    bytesRead = wanted;
    return kWaveOk;
}

int openWave(WaveFile& wave, std::string_view gamePath) {
    // Only one file is open at a time: a file still open from before would otherwise leak.
    closeWave(wave);
    if (openWaveFile(gamePathToHost(gamePath), wave.file, wave.format, wave.riffChunk) != kWaveOk) {
        return 0;
    }
    if (seekToWaveData(wave.file, wave.dataChunk, wave.riffChunk) != kWaveOk) {
        closeWave(wave);
        return 0;
    }
    return 1;
}

int readWaveData(WaveFile& wave, uint32_t size, uint8_t* buffer, uint32_t& bytesRead,
                 WaveFormat* formatCopy) {
    bytesRead = 0;
    if (wave.file == nullptr) return 0;
    if (readWaveBytes(wave.file, size, buffer, wave.dataChunk, bytesRead) != kWaveOk) return 0;
    // The format stays with the open file, so every read can hand it on.
    if (formatCopy != nullptr && wave.format) *formatCopy = wave.format->fixed;
    return 1;
}

int closeWave(WaveFile& wave) {
    if (wave.file != nullptr) std::fclose(wave.file);
    wave.file = nullptr;
    wave.format.reset();
    return 1;
}

}  // namespace darts::audio
