#include "platform/sdl/sdl_sound.h"

#include <cstdio>
#include <memory>

#include "core/game_path.h"
#include "platform/sdl/board_hit_log.h"
#include "platform/sdl/music_fluidsynth.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_controller.h"

namespace darts::platform {
namespace {

constexpr const char* kMusicFile = "sound\\FM_14.MID";
constexpr const char* kAwardFile = "sound\\AWARD.WAV";
constexpr const char* kBoardHitFile = "sound\\BOARDHIT.WAV";

// The board hit goes to the sound (if any) and to the controllers' rumble (if any).
class HitOutput final : public audio::EffectOutput {
  public:
    void playBoardHit() override {
        if (sound != nullptr) sound->playBoardHit();
        if (ControllerMouse* pads = activeControllers()) pads->rumble();
    }
    audio::EffectOutput* sound = nullptr;
};

class SdlSound final : public audio::SoundSystem {
  public:
    // Without the synthesiser or the tune the game goes on without music.
    std::string loadMusic() override {
        if (musicLoaded_) return {};
        musicLoaded_ = true;
        std::string error;
        music_ = FluidSynthMusic::load(gamePathToHost(kMusicFile), soundFontCandidates(), error);
        return music_ ? std::string{} : error;
    }

    // Without a device the effects still rumble the controllers; a missing or broken effect file
    // leaves the device playing the music alone.
    audio::EffectOutput* openEffects() override {
        if (!deviceOpened_) {
            deviceOpened_ = true;
            device_ = SdlAudio::open();
            if (device_) device_->setVolumes(volumes_);
            if (device_) device_->createSoundBufferFromWave(kBoardHitFile);
            if (device_ && boardHitLogWanted()) hitLog_ = std::make_unique<BoardHitLog>(*device_);
        }
        hit_.sound = hitLog_ ? static_cast<audio::EffectOutput*>(hitLog_.get()) : device_.get();
        return &hit_;
    }

    void setVolumes(const audio::MixVolumes& volumes) override {
        volumes_ = volumes;
        if (device_) device_->setVolumes(volumes);
    }

    void startMusic() override {
        if (musicStarted_ || !device_ || !music_) return;
        musicStarted_ = true;
        music_->start();
        device_->startStream(*music_);
    }

    void loadAward() override {
        if (device_ && !device_->loadAwardFromWave(kAwardFile)) {
            std::fprintf(stderr, "darts: cannot play %s\n", kAwardFile);
        }
    }

  private:
    std::unique_ptr<SdlAudio> device_;
    std::unique_ptr<FluidSynthMusic> music_;
    std::unique_ptr<BoardHitLog> hitLog_;  // only when the environment asks for it
    bool musicLoaded_ = false;
    bool deviceOpened_ = false;
    bool musicStarted_ = false;
    audio::MixVolumes volumes_;  // the player's levels, for a device opened later too
    HitOutput hit_;
};

}  // namespace

audio::SoundSystem& sdlSound() {
    static SdlSound* const kept = new SdlSound;
    return *kept;
}

}  // namespace darts::platform
