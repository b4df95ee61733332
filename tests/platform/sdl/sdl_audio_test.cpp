#include "platform/sdl/sdl_audio.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <thread>
#include <vector>

#include "platform/sdl/music_fluidsynth.h"

namespace darts::platform {
namespace {

std::vector<uint8_t> bytesOf(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> bytes;
    for (int16_t s : samples) {
        bytes.push_back(static_cast<uint8_t>(s & 0xFF));
        bytes.push_back(static_cast<uint8_t>((s >> 8) & 0xFF));
    }
    return bytes;
}

TEST(MixFormatConversion, StereoAtMixRateIsUnchanged) {
    const std::vector<int16_t> samples = {100, -100, 32767, -32768, 5, 6};
    const std::vector<uint8_t> bytes = bytesOf(samples);
    auto converted = convertToMixFormat({2, kMixRate, 16}, bytes.data(), bytes.size());
    ASSERT_TRUE(converted.has_value());
    EXPECT_EQ(*converted, samples);
}

TEST(MixFormatConversion, MonoEightBitIsWidenedToBothChannelsAndResampled) {
    // Unsigned 8-bit: 0x80 is silence, 0xFF near full scale.
    std::vector<uint8_t> bytes(2205, 0x80);
    std::fill(bytes.begin() + 1000, bytes.end(), 0xFF);
    auto converted = convertToMixFormat({1, 22050, 8}, bytes.data(), bytes.size());
    ASSERT_TRUE(converted.has_value());
    // Twice the frames at twice the rate, two channels each (resampler edges allowed for).
    EXPECT_NEAR(static_cast<double>(converted->size()), 2205.0 * 2 * 2, 64.0);
    ASSERT_EQ(converted->size() % 2, 0u);
    for (size_t i = 0; i + 1 < converted->size(); i += 2) {
        EXPECT_EQ((*converted)[i], (*converted)[i + 1]) << "frame " << i / 2;
    }
    EXPECT_NEAR((*converted)[200], 0, 64);
    EXPECT_GT((*converted)[converted->size() - 400], 30000);
}

TEST(MixFormatConversion, RejectsWhatItCannotConvertAndDropsPartialFrames) {
    const std::vector<uint8_t> bytes(12, 0);
    EXPECT_FALSE(convertToMixFormat({2, kMixRate, 24}, bytes.data(), bytes.size()).has_value());
    EXPECT_FALSE(convertToMixFormat({0, kMixRate, 16}, bytes.data(), bytes.size()).has_value());
    EXPECT_FALSE(convertToMixFormat({2, 0, 16}, bytes.data(), bytes.size()).has_value());
    // 11 bytes of stereo 16-bit hold two whole frames; the odd bytes are not read as a sample.
    auto converted = convertToMixFormat({2, kMixRate, 16}, bytes.data(), 11);
    ASSERT_TRUE(converted.has_value());
    EXPECT_EQ(converted->size(), 4u);
}

// SDL converts through floating point: a sample may come out one step off, never more.
void expectWithinAStep(const std::vector<int16_t>& actual, const std::vector<int16_t>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_NEAR(actual[i], expected[i], 1) << "sample " << i;
    }
}

TEST(MixFormatConversion, EightBitIsCentredOn128AndKeepsLeftAndRightApart) {
    // Unsigned 8-bit: 0x80 is silence; each step is 256 steps of 16-bit.
    const std::vector<uint8_t> bytes = {0x00, 0xFF, 0x80, 0x81, 0x7F, 0x80};
    auto converted = convertToMixFormat({2, kMixRate, 8}, bytes.data(), bytes.size());
    ASSERT_TRUE(converted.has_value());
    expectWithinAStep(*converted, {-32768, 32512, 0, 256, -256, 0});
}

TEST(MixFormatConversion, MonoAtTheMixRateGoesUnchangedToBothChannels) {
    const std::vector<int16_t> samples = {0, 32767, -32768, 1234, -5};
    const std::vector<uint8_t> bytes = bytesOf(samples);
    auto converted = convertToMixFormat({1, kMixRate, 16}, bytes.data(), bytes.size());
    ASSERT_TRUE(converted.has_value());
    expectWithinAStep(*converted, {0, 0, 32767, 32767, -32768, -32768, 1234, 1234, -5, -5});
}

// A sine of `hz` at `rate`, on the left channel only when `channels` is 2.
std::vector<int16_t> sine(int channels, int rate, double hz, double seconds, double amplitude) {
    std::vector<int16_t> samples;
    const int frames = static_cast<int>(rate * seconds);
    for (int i = 0; i < frames; ++i) {
        samples.push_back(
            static_cast<int16_t>(amplitude * std::sin(2 * std::numbers::pi * hz * i / rate)));
        if (channels == 2) samples.push_back(0);
    }
    return samples;
}

struct ChannelMeasure {
    double frames = 0;
    double peak = 0;
    double crossingsPerSecond = 0;  // upward zero crossings: the frequency
};

// Measures one channel of interleaved stereo at the mix rate, away from the resampler's edges.
ChannelMeasure measureChannel(const std::vector<int16_t>& stereo, int channel) {
    ChannelMeasure measure;
    const size_t frames = stereo.size() / kMixChannels;
    measure.frames = static_cast<double>(frames);
    const size_t edge = kMixRate / 20;
    int crossings = 0;
    for (size_t f = edge; f + edge < frames; ++f) {
        const int16_t sample = stereo[f * kMixChannels + channel];
        measure.peak = std::max(measure.peak, std::abs(static_cast<double>(sample)));
        if (stereo[(f - 1) * kMixChannels + channel] < 0 && sample >= 0) ++crossings;
    }
    measure.crossingsPerSecond = crossings * double(kMixRate) / double(frames - 2 * edge);
    return measure;
}

TEST(MixFormatConversion, OtherRatesKeepPitchLengthAndLevel) {
    // A 1 kHz tone must stay 1 kHz and one second long, mono or stereo, from above or below.
    for (const int rate : {11025, 22050, 48000}) {
        for (const int channels : {1, 2}) {
            const std::vector<uint8_t> bytes = bytesOf(sine(channels, rate, 1000.0, 1.0, 10000));
            auto converted = convertToMixFormat({channels, rate, 16}, bytes.data(), bytes.size());
            ASSERT_TRUE(converted.has_value()) << rate << " Hz, " << channels << " channels";
            const ChannelMeasure left = measureChannel(*converted, 0);
            const ChannelMeasure right = measureChannel(*converted, 1);
            SCOPED_TRACE(::testing::Message() << rate << " Hz, " << channels << " channels");
            EXPECT_NEAR(left.frames, kMixRate, kMixRate * 0.01);
            EXPECT_NEAR(left.crossingsPerSecond, 1000.0, 5.0);
            EXPECT_NEAR(left.peak, 10000, 1000);
            if (channels == 1) {
                EXPECT_NEAR(right.peak, left.peak, 1.0) << "mono sounds on both sides";
            } else {
                EXPECT_LT(right.peak, 100) << "the left channel leaked into the right";
            }
        }
    }
}

// A steady level from the music, so the effect's share of the mix can be seen.
class LevelSource : public StreamSource {
  public:
    explicit LevelSource(int16_t level) : level_(level) {}
    void render(int16_t* out, int frames) override {
        std::fill(out, out + frames * kMixChannels, level_);
    }

  private:
    int16_t level_;
};

std::vector<int16_t> mixed(OneShotEffect& effect, int frames, StreamSource* music = nullptr) {
    std::vector<int16_t> out(static_cast<size_t>(frames) * kMixChannels, 1234);
    mixFrames(out.data(), frames, music, effect);
    return out;
}

std::vector<int16_t> ramp(int frames) {
    std::vector<int16_t> samples;
    for (int i = 1; i <= frames; ++i) {
        samples.push_back(static_cast<int16_t>(i));
        samples.push_back(static_cast<int16_t>(-i));
    }
    return samples;
}

TEST(OneShotEffect, PlaysOncePerTriggerThenFallsSilent) {
    OneShotEffect effect;
    effect.load(ramp(6));
    EXPECT_EQ(mixed(effect, 4), std::vector<int16_t>(8, 0)) << "silent until played";

    effect.play();
    EXPECT_EQ(mixed(effect, 4), (std::vector<int16_t>{1, -1, 2, -2, 3, -3, 4, -4}));
    EXPECT_EQ(mixed(effect, 4), (std::vector<int16_t>{5, -5, 6, -6, 0, 0, 0, 0}));
    EXPECT_FALSE(effect.playing());
    EXPECT_EQ(mixed(effect, 4), std::vector<int16_t>(8, 0)) << "no looping";

    effect.play();
    EXPECT_EQ(mixed(effect, 2), (std::vector<int16_t>{1, -1, 2, -2})) << "starts over";
}

TEST(OneShotEffect, TriggerWhilePlayingNeitherRestartsNorOverlaps) {
    OneShotEffect effect;
    effect.load(ramp(6));
    effect.play();
    mixed(effect, 2);
    effect.play();
    effect.play();
    EXPECT_EQ(mixed(effect, 4), (std::vector<int16_t>{3, -3, 4, -4, 5, -5, 6, -6}));
    EXPECT_FALSE(effect.playing());
}

TEST(OneShotEffect, AddsToTheMusicAndSaturates) {
    OneShotEffect effect;
    effect.load({30000, -30000, 10, -10});
    LevelSource music(10000);
    effect.play();
    EXPECT_EQ(mixed(effect, 2, &music), (std::vector<int16_t>{32767, -20000, 10010, 9990}));
    EXPECT_EQ(mixed(effect, 1, &music), (std::vector<int16_t>{10000, 10000}));
}

TEST(OneShotEffect, SaturatesAtBothEndsWithoutWrappingAround) {
    OneShotEffect effect;
    effect.load({-30000, 30000, -32768, 32767});
    LevelSource loudLow(-10000);
    effect.play();
    EXPECT_EQ(mixed(effect, 1, &loudLow), (std::vector<int16_t>{-32768, 20000}));
    LevelSource fullScale(32767);
    EXPECT_EQ(mixed(effect, 1, &fullScale), (std::vector<int16_t>{-1, 32767}));
}

TEST(OneShotEffect, WithoutSamplesPlayingDoesNothing) {
    OneShotEffect effect;
    effect.play();
    EXPECT_EQ(mixed(effect, 2), std::vector<int16_t>(4, 0));
}

// Each test picks its SDL audio driver; the subsystem is shut between tests so the choice holds.
class SdlAudioDevice : public ::testing::Test {
  protected:
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_AUDIO); }
};

TEST_F(SdlAudioDevice, NoDeviceGivesNullAndSaysWhy) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    std::string error;
    EXPECT_EQ(SdlAudio::open(&error), nullptr);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(error.find('\n'), std::string::npos);
}

TEST_F(SdlAudioDevice, LoadsTheGamesEffectAndRefusesMissingOrBrokenFiles) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::unique_ptr<SdlAudio> audio = SdlAudio::open();
    ASSERT_NE(audio, nullptr);
    EXPECT_TRUE(audio->createSoundBufferFromWave("sound\\BOARDHIT.WAV"));
    EXPECT_FALSE(audio->createSoundBufferFromWave("sound\\NO_SUCH.WAV"));
    // A MIDI file is no WAV file.
    EXPECT_FALSE(audio->createSoundBufferFromWave("sound\\FM_14.MID"));
}

TEST_F(SdlAudioDevice, DiskDriverReceivesTheEffect) {
    const std::string file =
        (std::filesystem::temp_directory_path() / ("darts_audio_" + std::to_string(getpid())))
            .string();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    {
        std::unique_ptr<SdlAudio> audio = SdlAudio::open();
        ASSERT_NE(audio, nullptr);
        ASSERT_TRUE(audio->createSoundBufferFromWave("sound\\BOARDHIT.WAV"));
        audio->playBoardHit();
        for (int wait = 0; wait < 500 && audio->effectPlaying(); ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_FALSE(audio->effectPlaying());
    }
    std::ifstream written(file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(written)), {});
    std::filesystem::remove(file);
    ASSERT_FALSE(bytes.empty());
    int loud = 0;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const int16_t sample = static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) |
                                                    (static_cast<uint8_t>(bytes[i + 1]) << 8));
        if (sample > 1000 || sample < -1000) ++loud;
    }
    EXPECT_GT(loud, 100);
}

// A one-second tune: a note for the first half second, silence for the second.
std::string writeShortTune() {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("darts_tune_" + std::to_string(getpid()) + ".mid"))
                                 .string();
    const unsigned char track[] = {
        0x00, 0xC0, 0x00,        // piano
        0x00, 0x90, 0x3C, 0x7F,  // note on, middle C
        0x60, 0x80, 0x3C, 0x00,  // a quarter later (0.5 s at the default tempo): note off
        0x60, 0xFF, 0x2F, 0x00,  // another quarter: end of track
    };
    std::ofstream out(path, std::ios::binary);
    const unsigned char header[] = {'M', 'T', 'h',  'd', 0,   0,   0,   6, 0, 0, 0,
                                    1,   0,   0x60, 'M', 'T', 'r', 'k', 0, 0, 0, sizeof(track)};
    out.write(reinterpret_cast<const char*>(header), sizeof(header));
    out.write(reinterpret_cast<const char*>(track), sizeof(track));
    return path;
}

double loudness(FluidSynthMusic& music, int frames) {
    std::vector<int16_t> out(static_cast<size_t>(frames) * kMixChannels);
    music.render(out.data(), frames);
    double sum = 0;
    for (int16_t s : out) sum += std::abs(s);
    return sum / static_cast<double>(out.size());
}

bool haveSoundFont() {
    for (const std::string& font : soundFontCandidates()) {
        if (std::filesystem::exists(font)) return true;
    }
    return false;
}

TEST(FluidSynthMusic, LoopsPastTheEndOfTheFile) {
    if (!haveSoundFont()) GTEST_SKIP() << "no General MIDI soundfont installed";
    const std::string tune = writeShortTune();
    std::string error;
    std::unique_ptr<FluidSynthMusic> music =
        FluidSynthMusic::load(tune, soundFontCandidates(), error);
    std::filesystem::remove(tune);
    ASSERT_NE(music, nullptr) << error;
    music->start();
    const int tenth = kMixRate / 10;
    // Three passes: each sounds in its first half and falls (nearly) quiet in its second.
    for (int pass = 0; pass < 3; ++pass) {
        double noteLevel = 0;
        for (int t = 0; t < 5; ++t) noteLevel += loudness(*music, tenth);
        double restLevel = 0;
        for (int t = 0; t < 5; ++t) {
            const double level = loudness(*music, tenth);
            if (t >= 3) restLevel += level;
        }
        EXPECT_GT(noteLevel, 50.0) << "pass " << pass;
        EXPECT_LT(restLevel * 10, noteLevel) << "pass " << pass;
        EXPECT_TRUE(music->playing()) << "pass " << pass;
    }
}

TEST(FluidSynthMusic, AFontChosenByNameIsTheOnlyOneTried) {
    const char* before = std::getenv("DARTS_SOUNDFONT");
    const std::string saved = before ? before : "";
    setenv("DARTS_SOUNDFONT", "/no/such/font.sf2", 1);
    EXPECT_EQ(soundFontCandidates(), std::vector<std::string>{"/no/such/font.sf2"});
    std::string error;
    const std::string tune = writeShortTune();
    EXPECT_EQ(FluidSynthMusic::load(tune, soundFontCandidates(), error), nullptr);
    std::filesystem::remove(tune);
    EXPECT_NE(error.find("no General MIDI soundfont"), std::string::npos) << error;
    unsetenv("DARTS_SOUNDFONT");
    const std::vector<std::string> defaults = soundFontCandidates();
    EXPECT_GT(defaults.size(), 1u);
    EXPECT_EQ(defaults[0].rfind("/usr/share/sounds/sf2/", 0), 0u) << defaults[0];
    if (before) setenv("DARTS_SOUNDFONT", saved.c_str(), 1);
}

TEST(FluidSynthMusic, MissingFilesLeaveNoMusicWithOneLineSayingWhy) {
    std::string error;
    EXPECT_EQ(FluidSynthMusic::load("sound/NO_SUCH.MID", soundFontCandidates(), error), nullptr);
    EXPECT_NE(error.find("NO_SUCH.MID"), std::string::npos);
    EXPECT_EQ(error.find('\n'), std::string::npos);

    error.clear();
    EXPECT_EQ(FluidSynthMusic::load("sound/FM_14.MID", {"/nonexistent/none.sf2"}, error), nullptr);
    EXPECT_NE(error.find("soundfont"), std::string::npos);

    error.clear();
    EXPECT_EQ(FluidSynthMusic::load("sound/BOARDHIT.WAV", soundFontCandidates(), error), nullptr);
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace darts::platform
