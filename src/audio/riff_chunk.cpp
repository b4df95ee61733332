#include "audio/riff_chunk.h"

#include <limits>

namespace darts::audio {

namespace {

uint32_t readLe32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

bool currentOffset(std::FILE* file, uint64_t& offset) {
    long here = std::ftell(file);
    if (here < 0) return false;
    offset = static_cast<uint64_t>(here);
    return true;
}

// Where the chunk's padded data ends. Sizes are 32-bit and offsets 64-bit, so this cannot wrap.
uint64_t paddedEnd(const ChunkInfo& chunk) {
    return chunk.dataOffset + chunk.size + (chunk.size & 1u);
}

bool readHeader(std::FILE* file, ChunkInfo& chunk) {
    uint8_t header[8];
    if (std::fread(header, 1, sizeof header, file) != sizeof header) return false;
    uint64_t offset = 0;
    if (!currentOffset(file, offset)) return false;
    chunk.id = readLe32(header);
    chunk.size = readLe32(header + 4);
    chunk.formType = 0;
    chunk.dataOffset = offset;
    return true;
}

}  // namespace

bool seekChunkOffset(std::FILE* file, uint64_t offset) {
    if (offset > static_cast<uint64_t>(std::numeric_limits<long>::max())) return false;
    return std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0;
}

bool descendChunk(std::FILE* file, ChunkInfo& chunk) {
    ChunkInfo found;
    if (!readHeader(file, found)) return false;
    if (found.id == kRiffId || found.id == kListId) {
        uint8_t form[4];
        if (std::fread(form, 1, sizeof form, file) != sizeof form) return false;
        found.formType = readLe32(form);
    }
    chunk = found;
    return true;
}

bool findSubChunk(std::FILE* file, uint32_t id, const ChunkInfo& parent, ChunkInfo& chunk) {
    const uint64_t parentEnd = parent.dataOffset + parent.size;
    for (;;) {
        uint64_t offset = 0;
        if (!currentOffset(file, offset)) return false;
        // A header that does not fit inside the parent belongs to no sub-chunk.
        if (offset + 8 > parentEnd) return false;
        ChunkInfo candidate;
        if (!readHeader(file, candidate)) return false;  // end of file
        if (candidate.id == id) {
            chunk = candidate;
            return true;
        }
        // Each step moves forward by at least the 8 header bytes, so the walk ends.
        if (!seekChunkOffset(file, paddedEnd(candidate))) return false;
    }
}

bool ascendChunk(std::FILE* file, const ChunkInfo& chunk) {
    return seekChunkOffset(file, paddedEnd(chunk));
}

}  // namespace darts::audio
