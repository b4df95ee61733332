// The award fanfare as shipped: the mixer can load it, it is a short chime quieter than the board
// hit, it starts and ends without a click, and it is what the generator makes today.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "audio/wave_file.h"
#include "sounds_award.h"

namespace darts::content {
namespace {

// The samples through the game's own WAV reader, as the mixer gets them (16-bit mono).
std::vector<int16_t> loadAward() {
    audio::WaveFile wave;
    if (audio::openWave(wave, "sound\\AWARD.WAV") != 1) return {};
    std::vector<uint8_t> data(wave.dataChunk.size);
    uint32_t bytesRead = 0;
    audio::WaveFormat format{};
    const int ok = audio::readWaveData(wave, static_cast<uint32_t>(data.size()), data.data(),
                                       bytesRead, &format);
    audio::closeWave(wave);
    std::vector<int16_t> samples;
    if (ok != 1 || format.bitsPerSample != 16 || format.channels != 1 ||
        format.samplesPerSec != 44100) {
        return samples;
    }
    for (size_t at = 0; at + 1 < bytesRead; at += 2) {
        samples.push_back(static_cast<int16_t>(data[at] | data[at + 1] << 8));
    }
    return samples;
}

TEST(AwardSound, LoadsForTheMixerAndIsAShortQuietChime) {
    const std::vector<int16_t> samples = loadAward();
    ASSERT_FALSE(samples.empty()) << "sound/AWARD.WAV must load as 16-bit mono PCM at 44.1 kHz";
    const auto* mixed = &samples;
    const double seconds = static_cast<double>(mixed->size()) / 44100;
    EXPECT_GT(seconds, 0.5);
    EXPECT_LT(seconds, 1.5) << "over well before the landing display ends";
    int peak = 0;
    for (int16_t s : *mixed) peak = std::max(peak, std::abs(int{s}));
    EXPECT_GT(peak, 32767 / 4);
    EXPECT_LT(peak, 32767 * 6 / 10) << "about -6 dBFS: the hit under it must not clip";
    EXPECT_LE(std::abs(int{mixed->front()}), 8);
    EXPECT_LE(std::abs(int{mixed->back()}), 8);
}

TEST(AwardSound, CommittedFileIsWhatTheGeneratorMakes) {
    std::ifstream in("sound/AWARD.WAV", std::ios::binary);
    const std::vector<uint8_t> committed{std::istreambuf_iterator<char>(in), {}};
    const std::vector<uint8_t> generated = awardWavFile();
    ASSERT_EQ(committed.size(), generated.size()) << "regenerate with the 'sounds' target";
    constexpr size_t kHeader = 44;
    ASSERT_TRUE(std::equal(committed.begin(), committed.begin() + kHeader, generated.begin()));
    int largest = 0;
    for (size_t at = kHeader; at + 1 < committed.size(); at += 2) {
        const int a = static_cast<int16_t>(committed[at] | committed[at + 1] << 8);
        const int b = static_cast<int16_t>(generated[at] | generated[at + 1] << 8);
        largest = std::max(largest, std::abs(a - b));
    }
    EXPECT_LE(largest, 2);
}

}  // namespace
}  // namespace darts::content
