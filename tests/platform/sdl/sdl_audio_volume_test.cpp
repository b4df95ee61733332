// The player's music and effect levels, checked sample by sample in what the mixer hands out.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/sdl/sdl_audio.h"

namespace darts::platform {
namespace {

class Level final : public StreamSource {
  public:
    explicit Level(int16_t left, int16_t right) : left_(left), right_(right) {}
    void render(int16_t* out, int frames) override {
        ++calls;
        for (int i = 0; i < frames; ++i) {
            out[2 * i] = left_;
            out[2 * i + 1] = right_;
        }
    }
    int calls = 0;

  private:
    int16_t left_, right_;
};

std::vector<int16_t> mix(OneShotEffect& effect, StreamSource* music, MixVolumes volumes,
                         int frames = 2) {
    std::vector<int16_t> out(static_cast<size_t>(frames) * kMixChannels, 999);
    mixFrames(out.data(), frames, music, effect, volumes);
    return out;
}

TEST(MixVolumes, FullLevelsLeaveEverySampleAsItWas) {
    OneShotEffect effect;
    effect.load({30000, -30000, 7, -7});
    Level music(10001, -10001);
    effect.play();
    EXPECT_EQ(mix(effect, &music, {}), (std::vector<int16_t>{32767, -32768, 10008, -10008}));
}

TEST(MixVolumes, EachLevelScalesItsOwnPartTowardZero) {
    OneShotEffect effect;
    effect.load({1001, -1001, 3, -3});
    Level music(10001, -10001);
    effect.play();
    // Music at 40 %: 10001 * 40 / 100 = 4000 (toward zero); effect at 50 %: 500, -500, 1, -1.
    EXPECT_EQ(mix(effect, &music, {40, 50, false}),
              (std::vector<int16_t>{4500, -4500, 4001, -4001}));
    // Full scale at 1 % still moves: 32767 / 100 = 327, -32768 / 100 = -327.
    Level loud(32767, -32768);
    EXPECT_EQ(mix(effect, &loud, {1, 100, false}, 1), (std::vector<int16_t>{327, -327}));
}

TEST(MixVolumes, ZeroAndMuteAreSilenceButTheMusicAndEffectKeepTheirPlace) {
    OneShotEffect effect;
    effect.load({100, 100, 100, 100, 100, 100});
    Level music(5000, 5000);
    effect.play();
    EXPECT_EQ(mix(effect, &music, {100, 100, true}), std::vector<int16_t>(4, 0));
    EXPECT_EQ(music.calls, 1);  // rendered all the same
    EXPECT_TRUE(effect.playing());
    // Unmuted, the effect goes on from where it was, then ends as it would have.
    EXPECT_EQ(mix(effect, &music, {0, 100, false}), (std::vector<int16_t>{100, 100, 0, 0}));
    EXPECT_FALSE(effect.playing());
}

TEST(MixVolumes, TheDeviceClampsAndReportsItsLevels) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::unique_ptr<SdlAudio> audio = SdlAudio::open();
    ASSERT_NE(audio, nullptr);
    EXPECT_EQ(audio->volumes().music, 100);
    audio->setVolumes({-5, 250, true});
    EXPECT_EQ(audio->volumes().music, 0);
    EXPECT_EQ(audio->volumes().effect, 100);
    EXPECT_TRUE(audio->volumes().mute);
    audio.reset();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// Through the real device: SDL's disk driver writes what the mixer produced to a file. `play`
// starts an effect on the open device and says whether it is still playing.
std::vector<int16_t> diskOutput(MixVolumes volumes,
                                const std::function<bool(SdlAudio&, std::vector<int16_t>)>& play) {
    const std::string file = (std::filesystem::temp_directory_path() /
                              ("darts_volume_" + std::to_string(getpid())))
                                 .string();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    {
        std::unique_ptr<SdlAudio> audio = SdlAudio::open();
        EXPECT_NE(audio, nullptr);
        if (audio == nullptr) return {};
        audio->setVolumes(volumes);
        std::vector<int16_t> samples;
        for (int i = 0; i < 4000; ++i) samples.push_back(static_cast<int16_t>(i % 2 ? -999 : 999));
        bool playing = play(*audio, samples);
        for (int wait = 0; wait < 500 && playing; ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            playing = play(*audio, {});
        }
        EXPECT_FALSE(playing);
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    std::ifstream written(file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(written)), {});
    std::filesystem::remove(file);
    std::vector<int16_t> out(bytes.size() / 2);
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                      (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
    }
    return out;
}

// How many samples are +-level, and how many are neither that nor silence.
std::pair<int, int> samplesAt(const std::vector<int16_t>& out, int level) {
    int at = 0, other = 0;
    for (int16_t s : out) {
        if (s == level || s == -level) {
            ++at;
        } else if (s != 0) {
            ++other;
        }
    }
    return {at, other};
}

TEST(MixVolumes, TheDiskDriverReceivesTheEffectAtItsLevel) {
    const auto out = diskOutput({100, 30, false}, [](SdlAudio& audio, auto samples) {
        if (!samples.empty()) {
            audio.loadEffect(samples);
            audio.playBoardHit();
        }
        return audio.effectPlaying();
    });
    // Silence, then exactly 4000 samples at 999 * 30 / 100 = 299, then silence.
    EXPECT_EQ(samplesAt(out, 299), std::make_pair(4000, 0));
}

// The award fanfare is an effect like the board hit: at the effect level, and silent when muted.
TEST(MixVolumes, TheAwardFanfareFollowsTheEffectLevel) {
    auto fanfare = [](SdlAudio& audio, auto samples) {
        if (!samples.empty()) {
            audio.loadAward(samples);
            audio.playAward();
        }
        return audio.awardPlaying();
    };
    EXPECT_EQ(samplesAt(diskOutput({100, 30, false}, fanfare), 299), std::make_pair(4000, 0));
    EXPECT_EQ(samplesAt(diskOutput({100, 100, true}, fanfare), 0).second, 0);
}

}  // namespace
}  // namespace darts::platform
