// Walking the chunks of a RIFF file with plain file reads: every chunk is a four-character id,
// a 32-bit little-endian size and its data, padded to an even length. RIFF and LIST chunks
// begin their data with a four-character form type.
#pragma once

#include <cstdint>
#include <cstdio>

namespace darts::audio {

// Four-character chunk codes as they read in little-endian order.
constexpr uint32_t fourCC(char a, char b, char c, char d) {
    return static_cast<uint32_t>(static_cast<uint8_t>(a)) |
           static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24;
}

constexpr uint32_t kRiffId = fourCC('R', 'I', 'F', 'F');
constexpr uint32_t kListId = fourCC('L', 'I', 'S', 'T');

// The header of one chunk. dataOffset is 64-bit: a chunk may begin past 4 GiB inside a RIFF
// whose own 32-bit size still fits, and the offset must never wrap.
struct ChunkInfo {
    uint32_t id = 0;
    uint32_t size = 0;        // bytes of chunk data
    uint32_t formType = 0;    // RIFF and LIST chunks only
    uint64_t dataOffset = 0;  // file offset of the data; for RIFF and LIST, of the form type
};

// Moves to an absolute offset; false when the offset is out of the file layer's reach.
bool seekChunkOffset(std::FILE* file, uint64_t offset);

// Reads the chunk header at the current position (and the form type of RIFF and LIST).
bool descendChunk(std::FILE* file, ChunkInfo& chunk);

// Looks for the sub-chunk `id` from the current position up to the end of `parent`, skipping
// the others; on success the file stands at the found chunk's data.
bool findSubChunk(std::FILE* file, uint32_t id, const ChunkInfo& parent, ChunkInfo& chunk);

// Moves to the end of the chunk, past its pad byte.
bool ascendChunk(std::FILE* file, const ChunkInfo& chunk);

}  // namespace darts::audio
