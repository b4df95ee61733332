#include "sounds_wav_writer.h"

namespace darts::content {

namespace {

void put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, static_cast<uint16_t>(v));
    put16(out, static_cast<uint16_t>(v >> 16));
}

// Byte by byte: GCC 12 misreads a four-byte range insert into a growing vector as an overflow.
void putId(std::vector<uint8_t>& out, const char (&id)[5]) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(id[i]));
}

}  // namespace

std::vector<uint8_t> encodeWavPcm16Mono(std::span<const int16_t> samples, uint32_t sampleRate) {
    constexpr uint16_t kChannels = 1;
    constexpr uint16_t kBits = 16;
    constexpr uint16_t kBlockAlign = kChannels * kBits / 8;
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size()) * kBlockAlign;
    // The data of 16-bit samples is always of even length, so no pad byte is needed.
    const uint32_t riffBytes = 4 + (8 + 16) + (8 + dataBytes);

    std::vector<uint8_t> out;
    out.reserve(8 + riffBytes);
    putId(out, "RIFF");
    put32(out, riffBytes);
    putId(out, "WAVE");
    putId(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, kChannels);
    put32(out, sampleRate);
    put32(out, sampleRate * kBlockAlign);
    put16(out, kBlockAlign);
    put16(out, kBits);
    putId(out, "data");
    put32(out, dataBytes);
    for (int16_t s : samples) put16(out, static_cast<uint16_t>(s));
    return out;
}

}  // namespace darts::content
