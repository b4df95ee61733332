// The sound device on SDL: one playback device at 44.1 kHz, stereo, signed 16-bit, and a small
// mixer that adds the board-hit effect to whatever the background music renders. A machine with
// no sound device gets no SdlAudio at all and the game plays silently.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "audio/board_hit.h"
#include "audio/sound_system.h"

namespace darts::platform {

constexpr int kMixRate = 44100;
constexpr int kMixChannels = 2;

// Layout of PCM samples as a WAV file stores them.
struct PcmLayout {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;  // 8 (unsigned) or 16 (signed little-endian)
};

// Converts PCM into the mixer's format (interleaved stereo, 16-bit, kMixRate). Empty when the
// layout is one SDL cannot convert from; a trailing partial sample frame is dropped.
std::optional<std::vector<int16_t>> convertToMixFormat(const PcmLayout& layout,
                                                       const uint8_t* bytes, size_t size);

// Reads a WAV file by its game path ("sound\\BOARDHIT.WAV") and converts it into the mixer's
// format; empty when the file is missing, unreadable, not PCM or has no samples.
std::optional<std::vector<int16_t>> readWaveForMixing(std::string_view gamePath);

// Something that renders continuously into the mixer, called on the audio thread.
class StreamSource {
  public:
    virtual ~StreamSource() = default;
    // Writes frames stereo frames into out (which it overwrites).
    virtual void render(int16_t* out, int frames) = 0;
};

using audio::MixVolumes;

inline int scaledSample(int sample, int percent) { return sample * percent / 100; }

// The effect as a one-shot static buffer: playing it while it plays changes nothing (no restart,
// no second voice); once it has run to its end, the next play starts it from the beginning.
class OneShotEffect {
  public:
    void load(std::vector<int16_t> samples);
    bool loaded() const { return !samples_.empty(); }
    void play() { playing_.store(true); }
    bool playing() const { return playing_.load(); }
    // Adds the next frames of the effect at `percent` of its level to out, saturating.
    void mixInto(int16_t* out, int frames, int percent = 100);

  private:
    std::vector<int16_t> samples_;
    size_t position_ = 0;  // in samples; touched by the mixing thread only
    std::atomic<bool> playing_ = false;
};

// Fills out (frames stereo frames) with the music (or silence) plus the effect, at `volumes`.
void mixFrames(int16_t* out, int frames, StreamSource* music, OneShotEffect& effect,
               MixVolumes volumes = {});
// Adds one effect to out at the effect level (silent, but still running, when muted).
void mixEffect(int16_t* out, int frames, OneShotEffect& effect, MixVolumes volumes);

class SdlAudio final : public audio::EffectOutput {
  public:
    // Opens the default playback device (or the one SDL_AUDIODRIVER picks) and starts it with
    // silence. Null, with the reason in error, when there is no device to be had.
    static std::unique_ptr<SdlAudio> open(std::string* error = nullptr);
    ~SdlAudio() override;
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    // Reads a WAV file by its game path ("sound\\BOARDHIT.WAV") into the effect; false (and no
    // effect) when the file is missing or unreadable.
    bool createSoundBufferFromWave(std::string_view gamePath);
    void loadEffect(std::vector<int16_t> samples);
    void playBoardHit() override { effect_.play(); }
    // The award fanfare, a second one-shot effect mixed in the same way as the board hit, at
    // the same effect level.
    bool loadAwardFromWave(std::string_view gamePath);
    void loadAward(std::vector<int16_t> samples);
    void playAward() override { award_.play(); }
    bool awardPlaying() const { return award_.playing(); }
    bool effectPlaying() const { return effect_.playing(); }
    // Stereo frames handed to the device so far: the position in the output stream at which an
    // effect played now starts (or one device buffer later, if a buffer is being mixed).
    uint64_t framesMixed() const { return framesMixed_.load(); }

    // Takes effect from the next buffer mixed.
    void setVolumes(MixVolumes volumes);
    MixVolumes volumes() const;

    // Mixes the music in from now on; it must outlive this device.
    void startStream(StreamSource& music);

  private:
    explicit SdlAudio(uint32_t device) : device_(device) {}
    static void callback(void* self, uint8_t* stream, int bytes);

    uint32_t device_;
    OneShotEffect effect_;
    OneShotEffect award_;
    std::atomic<StreamSource*> music_ = nullptr;
    std::atomic<uint64_t> framesMixed_ = 0;
    // Music percent, effect percent << 8 and mute << 16 in one word, read by the audio thread.
    std::atomic<uint32_t> volumes_ = 100u | 100u << 8;
};

}  // namespace darts::platform
