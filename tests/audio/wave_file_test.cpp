#include "audio/wave_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace darts::audio {
namespace {

using Bytes = std::vector<uint8_t>;

void put16(Bytes& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(Bytes& b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

void putId(Bytes& b, const char* id) { b.insert(b.end(), id, id + 4); }

// One chunk with its pad byte; `declared` overrides the size field for damaged files.
Bytes chunk(const char* id, const Bytes& data, int64_t declared = -1) {
    Bytes b;
    putId(b, id);
    put32(b, declared < 0 ? static_cast<uint32_t>(data.size()) : static_cast<uint32_t>(declared));
    b.insert(b.end(), data.begin(), data.end());
    if (data.size() % 2 != 0) b.push_back(0);
    return b;
}

Bytes riff(const char* form, const std::vector<Bytes>& chunks, const char* id = "RIFF") {
    Bytes body;
    putId(body, form);
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    return chunk(id, body);
}

// The 16 bytes every format has, then whatever follows them in the chunk.
Bytes fmtData(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits,
              const Bytes& tail = {}) {
    Bytes b;
    const uint16_t align = static_cast<uint16_t>(channels * ((bits + 7) / 8));
    put16(b, tag);
    put16(b, channels);
    put32(b, rate);
    put32(b, rate * align);
    put16(b, align);
    put16(b, bits);
    b.insert(b.end(), tail.begin(), tail.end());
    return b;
}

Bytes samples(size_t n) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(i * 7 + 3);
    return b;
}

class WaveFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("darts_wave_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        closeWave(wave_);
        std::filesystem::remove_all(dir_);
    }

    std::string write(const Bytes& bytes, const char* name = "test.wav") {
        std::filesystem::path path = dir_ / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    bool opens(const Bytes& bytes) { return openWave(wave_, write(bytes)) == 1; }

    // Reads the whole data chunk in pieces of `piece` bytes; false when any read fails.
    bool readAll(Bytes& out, uint32_t piece = 5) {
        Bytes buffer(piece);
        for (;;) {
            uint32_t got = 99;
            if (readWaveData(wave_, piece, buffer.data(), got, nullptr) != 1) return false;
            if (got == 0) return true;
            out.insert(out.end(), buffer.begin(), buffer.begin() + got);
        }
    }

    std::filesystem::path dir_;
    WaveFile wave_;
};

TEST_F(WaveFileTest, ReadsPcmFilesOfSeveralFormats) {
    struct Case {
        uint16_t channels;
        uint32_t rate;
        uint16_t bits;
        size_t bytes;
    };
    for (const Case& c : {Case{1, 11025, 8, 37}, Case{2, 44100, 16, 400}, Case{1, 22050, 16, 2},
                          Case{2, 48000, 24, 60}, Case{1, 8000, 8, 0}}) {
        SCOPED_TRACE(c.bits);
        const Bytes pcm = samples(c.bytes);
        ASSERT_TRUE(opens(riff(
            "WAVE", {chunk("fmt ", fmtData(1, c.channels, c.rate, c.bits)), chunk("data", pcm)})));
        EXPECT_EQ(wave_.dataChunk.size, c.bytes);

        Bytes buffer(c.bytes + 10);
        uint32_t got = 0;
        WaveFormat format;
        ASSERT_EQ(
            readWaveData(wave_, static_cast<uint32_t>(buffer.size()), buffer.data(), got, &format),
            1);
        EXPECT_EQ(got, c.bytes);  // a request beyond the chunk is cut to what it holds
        EXPECT_TRUE(std::equal(pcm.begin(), pcm.end(), buffer.begin()));
        EXPECT_EQ(format.formatTag, 1);
        EXPECT_EQ(format.channels, c.channels);
        EXPECT_EQ(format.samplesPerSec, c.rate);
        EXPECT_EQ(format.avgBytesPerSec, c.rate * c.channels * c.bits / 8);
        EXPECT_EQ(format.blockAlign, c.channels * c.bits / 8);
        EXPECT_EQ(format.bitsPerSample, c.bits);
        EXPECT_EQ(format.extraSize, 0);

        // Used up: further reads succeed with nothing.
        EXPECT_EQ(readWaveData(wave_, 4, buffer.data(), got, nullptr), 1);
        EXPECT_EQ(got, 0u);
        EXPECT_EQ(closeWave(wave_), 1);
    }
}

TEST_F(WaveFileTest, HandsOnTheFormatOnEveryRead) {
    ASSERT_TRUE(
        opens(riff("WAVE", {chunk("fmt ", fmtData(1, 2, 44100, 16)), chunk("data", samples(8))})));
    uint8_t buffer[4];
    uint32_t got = 0;
    WaveFormat first, second;
    ASSERT_EQ(readWaveData(wave_, 4, buffer, got, &first), 1);
    ASSERT_EQ(readWaveData(wave_, 4, buffer, got, &second), 1);
    EXPECT_EQ(second.samplesPerSec, 44100u);
    EXPECT_EQ(second.channels, 2);
    EXPECT_EQ(std::memcmp(&first, &second, sizeof first), 0);
}

TEST_F(WaveFileTest, FindsChunksInAnyOrderAndStepsOverPadding) {
    const Bytes pcm = samples(33);  // odd: the data chunk is padded too
    const Bytes list = riff("INFO", {chunk("INAM", {'h', 'i', 't'})}, "LIST");
    const std::vector<std::vector<Bytes>> layouts = {
        // data before fmt
        {chunk("data", pcm), chunk("fmt ", fmtData(1, 1, 22050, 8))},
        // odd-sized chunks in front, each followed by a pad byte
        {chunk("junk", samples(5)), list, chunk("fmt ", fmtData(1, 1, 22050, 8)),
         chunk("fact", {1, 2, 3}), chunk("data", pcm), chunk("cue ", samples(3))},
        // an 18-byte PCM format: its extraSize bytes are skipped
        {chunk("fmt ", fmtData(1, 1, 22050, 8, {0, 0})), chunk("data", pcm)},
        // an odd-sized format chunk with trailing bytes
        {chunk("fmt ", fmtData(1, 1, 22050, 8, {9, 9, 9})), chunk("data", pcm)},
        // a chunk that shares the first letters of "data"
        {chunk("dat ", samples(4)), chunk("fmt ", fmtData(1, 1, 22050, 8)), chunk("data", pcm)},
    };
    for (size_t i = 0; i < layouts.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(opens(riff("WAVE", layouts[i])));
        ASSERT_TRUE(wave_.format.has_value());
        EXPECT_EQ(wave_.format->fixed.samplesPerSec, 22050u);
        EXPECT_EQ(wave_.format->fixed.extraSize, 0);
        Bytes read;
        ASSERT_TRUE(readAll(read));
        EXPECT_EQ(read, pcm);
        closeWave(wave_);
    }
}

TEST_F(WaveFileTest, KeepsTheExtraBytesOfOtherFormats) {
    // IEEE float with extraSize 0: the fixed 18 bytes and nothing more.
    ASSERT_TRUE(opens(
        riff("WAVE", {chunk("fmt ", fmtData(3, 1, 8000, 32, {0, 0})), chunk("data", samples(8))})));
    EXPECT_EQ(wave_.format->fixed.formatTag, 3);
    EXPECT_EQ(wave_.format->fixed.extraSize, 0);
    EXPECT_TRUE(wave_.format->extra.empty());
    closeWave(wave_);

    // A compressed format with 4 extra bytes, odd chunk padding after them.
    ASSERT_TRUE(
        opens(riff("WAVE", {chunk("fmt ", fmtData(2, 1, 8000, 4, {4, 0, 10, 20, 30, 40, 7})),
                            chunk("data", samples(6))})));
    EXPECT_EQ(wave_.format->fixed.extraSize, 4);
    EXPECT_EQ(wave_.format->extra, (Bytes{10, 20, 30, 40}));
    uint8_t buffer[6];
    uint32_t got = 0;
    WaveFormat copy;
    ASSERT_EQ(readWaveData(wave_, 6, buffer, got, &copy), 1);
    EXPECT_EQ(copy.formatTag, 2);
    EXPECT_EQ(copy.extraSize, 4);
    closeWave(wave_);

    // A 16-byte chunk of another format has no room for extraSize: it has no extra bytes
    // (the next chunk's header must not be taken for them).
    ASSERT_TRUE(
        opens(riff("WAVE", {chunk("fmt ", fmtData(3, 1, 8000, 32)), chunk("data", samples(8))})));
    EXPECT_EQ(wave_.format->fixed.extraSize, 0);
    Bytes read;
    ASSERT_TRUE(readAll(read));
    EXPECT_EQ(read, samples(8));
}

TEST_F(WaveFileTest, RejectsFilesThatAreNotWave) {
    const Bytes fmt = chunk("fmt ", fmtData(1, 1, 8000, 8));
    const Bytes data = chunk("data", samples(4));
    const std::vector<Bytes> bad = {
        riff("AVI ", {fmt, data}),
        riff("WAVE", {fmt, data}, "RIFX"),
        riff("WAVE", {fmt, data}, "LIST"),
        chunk("data", samples(40)),
        Bytes{'R', 'I', 'F', 'F'},
        {},
        riff("WAVE", {data}),                                                    // no format
        riff("WAVE", {fmt}),                                                     // no samples
        riff("WAVE", {chunk("fmt ", Bytes(15, 1)), data}),                       // format too short
        riff("WAVE", {chunk("fmt ", fmtData(2, 1, 8000, 4, {9, 0, 1})), data}),  // extras overrun
    };
    for (size_t i = 0; i < bad.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(opens(bad[i]));
        EXPECT_EQ(wave_.file, nullptr);  // a failed open leaves nothing open
        EXPECT_FALSE(wave_.format.has_value());
    }
    EXPECT_EQ(openWave(wave_, (dir_ / "missing.wav").string()), 0);
}

TEST_F(WaveFileTest, IgnoresChunksOutsideTheRiff) {
    // The RIFF ends after its format; a data chunk behind it belongs to no wave.
    Bytes file = riff("WAVE", {chunk("fmt ", fmtData(1, 1, 8000, 8))});
    const Bytes data = chunk("data", samples(4));
    file.insert(file.end(), data.begin(), data.end());
    EXPECT_FALSE(opens(file));
}

TEST_F(WaveFileTest, EveryTruncationFailsWithoutCrashing) {
    const Bytes full =
        riff("WAVE", {chunk("LIST", samples(3)), chunk("fmt ", fmtData(1, 2, 8000, 16, {0, 0})),
                      chunk("data", samples(24))});
    ASSERT_TRUE(opens(full));
    closeWave(wave_);
    for (size_t length = 0; length < full.size(); ++length) {
        SCOPED_TRACE(length);
        Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length));
        Bytes read;
        EXPECT_FALSE(opens(cut) && readAll(read, 64));
        closeWave(wave_);
    }
}

TEST_F(WaveFileTest, FailsWhenTheFileEndsBeforeTheDataDoes) {
    Bytes file = riff("WAVE", {chunk("fmt ", fmtData(1, 1, 8000, 8)), chunk("data", samples(10))});
    // The data chunk claims 100 bytes; 10 are there.
    file[file.size() - 14] = 100;
    ASSERT_TRUE(opens(file));
    Bytes buffer(100);
    uint32_t got = 77;
    EXPECT_EQ(readWaveData(wave_, 100, buffer.data(), got, nullptr), 0);
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(wave_.dataChunk.size, 90u);  // still counts what was never delivered
}

TEST_F(WaveFileTest, SurvivesHostileSizes) {
    const Bytes fmt = chunk("fmt ", fmtData(1, 1, 8000, 8));
    // A chunk claiming 4 GiB before the data: the walk jumps past the end and finds nothing.
    EXPECT_FALSE(opens(
        riff("WAVE", {chunk("junk", samples(4), 0xFFFFFFFF), fmt, chunk("data", samples(4))})));
    // A format chunk claiming 4 GiB is read as far as the record goes, then nothing is found.
    EXPECT_FALSE(opens(riff("WAVE", {chunk("fmt ", fmtData(1, 1, 8000, 8), 0xFFFFFFFF)})));

    // A RIFF size of 4 GiB and a data size of 4 GiB: the reader never trusts them for memory.
    Bytes file = riff("WAVE", {fmt, chunk("data", samples(6), 0xFFFFFFFF)});
    file[4] = file[5] = file[6] = file[7] = 0xFF;
    ASSERT_TRUE(opens(file));
    EXPECT_EQ(wave_.dataChunk.size, 0xFFFFFFFFu);
    Bytes buffer(6);
    uint32_t got = 0;
    ASSERT_EQ(readWaveData(wave_, 6, buffer.data(), got, nullptr), 1);
    EXPECT_EQ(buffer, samples(6));
    EXPECT_EQ(readWaveData(wave_, 6, buffer.data(), got, nullptr), 0);
}

TEST_F(WaveFileTest, OpensGamePathsAndReplacesAnOpenFile) {
    std::filesystem::create_directories(dir_ / "sound");
    write(riff("WAVE", {chunk("fmt ", fmtData(1, 1, 11025, 8)), chunk("data", samples(3))}),
          "sound/HIT.WAV");
    const std::string other =
        write(riff("WAVE", {chunk("fmt ", fmtData(1, 2, 44100, 16)), chunk("data", samples(8))}));

    ASSERT_EQ(openWave(wave_, other), 1);
    ASSERT_EQ(openWave(wave_, (dir_.string() + "\\sound\\HIT.WAV")), 1);
    EXPECT_EQ(wave_.format->fixed.samplesPerSec, 11025u);
    EXPECT_EQ(wave_.dataChunk.size, 3u);

    closeWave(wave_);
    uint8_t buffer[4];
    uint32_t got = 0;
    EXPECT_EQ(readWaveData(wave_, 4, buffer, got, nullptr), 0);  // nothing open
}

}  // namespace
}  // namespace darts::audio
