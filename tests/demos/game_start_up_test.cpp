// The one start-up every run shares: the device is given the same calls in the same order whether
// the files are decoded on threads (the game) or as they are needed (replays, darts-sim), and the
// board hit plays through whatever sound system the run was given.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/state_checksum.h"
#include "demos/game_start_up.h"

namespace darts {
namespace {

// Numbers handles as the headless device does and notes what each call made.
class CallLog final : public render::HeadlessDevice {
  public:
    render::TextureHandle createTexture(const gfx::Image& image) override {
        return noted("texture", HeadlessDevice::createTexture(image));
    }
    render::MeshHandle createMesh(const gfx::MeshData& mesh) override {
        return noted("mesh", HeadlessDevice::createMesh(mesh));
    }
    render::FontHandle createFont(int height, int width) override {
        return noted("font", HeadlessDevice::createFont(height, width));
    }
    std::vector<std::string> calls;

  private:
    uint32_t noted(const char* what, uint32_t handle) {
        calls.push_back(what + std::to_string(handle));
        return handle;
    }
};

class SilentEffects final : public audio::EffectOutput {
  public:
    void playBoardHit() override {}
};

// Answers as a machine whose music cannot be loaded, and notes what start-up asked of it.
class NotedSound final : public audio::SoundSystem {
  public:
    std::string loadMusic() override {
        asked.push_back("music");
        return "no soundfont";
    }
    audio::EffectOutput* openEffects() override {
        asked.push_back("effects");
        return &effects;
    }
    void setVolumes(const audio::MixVolumes&) override { asked.push_back("volumes"); }
    void startMusic() override { asked.push_back("start"); }
    void loadAward() override { asked.push_back("award"); }
    std::vector<std::string> asked;
    SilentEffects effects;
};

TEST(GameStartUp, ThreadsOrNotTheDeviceGetsTheSameCallsAndTheStateTheSameHandles) {
    auto direct = std::make_unique<GameState>();
    auto threaded = std::make_unique<GameState>();
    CallLog directDevice, threadedDevice;
    audio::NullSound silence;
    ASSERT_EQ(startUpGame(*direct, directDevice, silence, 5).error, "");
    ASSERT_EQ(startUpGame(*threaded, threadedDevice, silence, 5,
                          startLoadingOnThreads(threaded->language, silence))
                  .error,
              "");
    EXPECT_GT(directDevice.calls.size(), 20u);
    EXPECT_EQ(directDevice.calls.front(), "font1");  // the fonts come first
    EXPECT_EQ(directDevice.calls, threadedDevice.calls);
    EXPECT_EQ(stateChecksum(*direct), stateChecksum(*threaded));
    EXPECT_EQ(direct->boardModel.mesh, threaded->boardModel.mesh);
    EXPECT_EQ(direct->portraitTextures[8], threaded->portraitTextures[8]);
    EXPECT_EQ(direct->cursorTexture, threaded->cursorTexture);
    EXPECT_EQ(direct->effects, nullptr);  // silence plays nothing
}

TEST(GameStartUp, TheBoardHitPlaysThroughTheSoundGivenAndNoMusicIsNoFailure) {
    auto state = std::make_unique<GameState>();
    render::HeadlessDevice device;
    NotedSound sound;
    testing::internal::CaptureStderr();
    const GameStartUpResult result =
        startUpGame(*state, device, sound, 5, startLoadingOnThreads(state->language, sound));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(result.error, "");
    EXPECT_EQ(said, "darts: no soundfont\n");
    EXPECT_EQ(state->effects, &sound.effects);
    // The music's thread is done before the effects open; the music waits for the main loop.
    EXPECT_EQ(sound.asked, (std::vector<std::string>{"music", "effects"}));
}

}  // namespace
}  // namespace darts
