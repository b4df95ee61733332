#include "platform/sdl/sdl_audio.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "audio/wave_file.h"

namespace darts::platform {
namespace {

// Small enough that a hit is heard in the frame it happens (about 23 ms), large enough that the
// synthesiser renders in few, cheap calls.
constexpr Uint16 kDeviceFrames = 1024;

// A short effect is a few hundred KiB; anything beyond this is a damaged file.
constexpr uint32_t kMaxEffectBytes = 64u << 20;

bool audioSubsystemUp() {
    if (SDL_WasInit(SDL_INIT_AUDIO) != 0) return true;
    return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
}

}  // namespace

std::optional<std::vector<int16_t>> convertToMixFormat(const PcmLayout& layout,
                                                       const uint8_t* bytes, size_t size) {
    SDL_AudioFormat format = 0;
    if (layout.bitsPerSample == 8) format = AUDIO_U8;
    if (layout.bitsPerSample == 16) format = AUDIO_S16LSB;
    if (format == 0 || layout.channels < 1 || layout.channels > 8 || layout.sampleRate <= 0) {
        return std::nullopt;
    }
    const size_t frameBytes = static_cast<size_t>(layout.channels) * (layout.bitsPerSample / 8);
    const size_t wholeBytes = size - size % frameBytes;
    if (wholeBytes > static_cast<size_t>(INT32_MAX)) return std::nullopt;

    // Converted in one piece: SDL's streaming resampler holds back the tail of a short sound.
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, format, static_cast<Uint8>(layout.channels), layout.sampleRate,
                          AUDIO_S16SYS, kMixChannels, kMixRate) < 0) {
        return std::nullopt;
    }
    cvt.len = static_cast<int>(wholeBytes);
    std::vector<uint8_t> work(wholeBytes * static_cast<size_t>(cvt.len_mult) + 64);
    if (wholeBytes > 0) std::memcpy(work.data(), bytes, wholeBytes);
    cvt.buf = work.data();
    if (cvt.needed != 0 && SDL_ConvertAudio(&cvt) != 0) return std::nullopt;
    const size_t convertedBytes =
        cvt.needed != 0 ? static_cast<size_t>(cvt.len_cvt) : static_cast<size_t>(cvt.len);
    std::vector<int16_t> converted(convertedBytes / sizeof(int16_t));
    std::memcpy(converted.data(), work.data(), converted.size() * sizeof(int16_t));
    // Whole stereo frames only.
    converted.resize(converted.size() - converted.size() % kMixChannels);
    return converted;
}

void OneShotEffect::load(std::vector<int16_t> samples) {
    samples_ = std::move(samples);
    position_ = 0;
    playing_.store(false);
}

void OneShotEffect::mixInto(int16_t* out, int frames, int percent) {
    if (!playing_.load() || samples_.empty()) return;
    const size_t wanted = static_cast<size_t>(frames) * kMixChannels;
    const size_t count = std::min(wanted, samples_.size() - position_);
    for (size_t i = 0; i < count; ++i) {
        const int sum = out[i] + scaledSample(samples_[position_ + i], percent);
        out[i] = static_cast<int16_t>(std::clamp(sum, INT16_MIN, INT16_MAX));
    }
    position_ += count;
    if (position_ >= samples_.size()) {
        // Ran to its end: stopped, and the next play starts from the beginning.
        position_ = 0;
        playing_.store(false);
    }
}

void mixFrames(int16_t* out, int frames, StreamSource* music, OneShotEffect& effect,
               MixVolumes volumes) {
    const size_t samples = static_cast<size_t>(frames) * kMixChannels;
    if (music != nullptr) {
        // Rendered even when silent, so that the music keeps its place in time.
        music->render(out, frames);
        const int percent = volumes.mute ? 0 : volumes.music;
        if (percent != 100) {
            for (size_t i = 0; i < samples; ++i) {
                out[i] = static_cast<int16_t>(scaledSample(out[i], percent));
            }
        }
    } else {
        std::memset(out, 0, samples * sizeof(int16_t));
    }
    mixEffect(out, frames, effect, volumes);
}

void mixEffect(int16_t* out, int frames, OneShotEffect& effect, MixVolumes volumes) {
    // A muted effect still runs its course, so that it ends when it would have.
    effect.mixInto(out, frames, volumes.mute ? 0 : volumes.effect);
}

std::unique_ptr<SdlAudio> SdlAudio::open(std::string* error) {
    auto fail = [error](const std::string& why) -> std::unique_ptr<SdlAudio> {
        if (error != nullptr) *error = why;
        return nullptr;
    };
    if (!audioSubsystemUp()) return fail(std::string("no audio: ") + SDL_GetError());

    std::unique_ptr<SdlAudio> audio(new SdlAudio(0));
    SDL_AudioSpec wanted{};
    wanted.freq = kMixRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = kMixChannels;
    wanted.samples = kDeviceFrames;
    wanted.callback = &SdlAudio::callback;
    wanted.userdata = audio.get();
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts for the hardware, the mixer always works in one format.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0) return fail(std::string("no audio device: ") + SDL_GetError());
    audio->device_ = device;
    SDL_PauseAudioDevice(device, 0);
    return audio;
}

SdlAudio::~SdlAudio() {
    if (device_ != 0) SDL_CloseAudioDevice(device_);
}

void SdlAudio::callback(void* self, uint8_t* stream, int bytes) {
    auto* audio = static_cast<SdlAudio*>(self);
    const int frames = bytes / static_cast<int>(kMixChannels * sizeof(int16_t));
    const MixVolumes volumes = audio->volumes();
    auto* out = reinterpret_cast<int16_t*>(stream);
    mixFrames(out, frames, audio->music_.load(), audio->effect_, volumes);
    // Never played (nor loaded) without awards on; mixing an idle effect adds nothing.
    mixEffect(out, frames, audio->award_, volumes);
    // Counted once mixed: an effect played while the count reads N starts at frame N, or one
    // buffer later when this buffer had already passed the effect.
    audio->framesMixed_.fetch_add(static_cast<uint64_t>(frames));
}

void SdlAudio::loadEffect(std::vector<int16_t> samples) {
    SDL_LockAudioDevice(device_);
    effect_.load(std::move(samples));
    SDL_UnlockAudioDevice(device_);
}

std::optional<std::vector<int16_t>> readWaveForMixing(std::string_view gamePath) {
    audio::WaveFile wave;
    if (audio::openWave(wave, gamePath) != 1) return std::nullopt;
    // The header's size is not trusted with memory: a damaged file could claim 4 GiB.
    if (wave.dataChunk.size > kMaxEffectBytes) {
        audio::closeWave(wave);
        return std::nullopt;
    }
    const uint32_t size = wave.dataChunk.size;
    std::vector<uint8_t> bytes(size);
    audio::WaveFormat format;
    uint32_t read = 0;
    const bool ok = audio::readWaveData(wave, size, bytes.data(), read, &format) == 1;
    // Closed on every path, unlike a reader left open after a failed buffer.
    audio::closeWave(wave);
    if (!ok || format.formatTag != audio::kFormatPcm) return std::nullopt;

    const PcmLayout layout{format.channels, static_cast<int>(format.samplesPerSec),
                           format.bitsPerSample};
    std::optional<std::vector<int16_t>> samples = convertToMixFormat(layout, bytes.data(), read);
    if (!samples || samples->empty()) return std::nullopt;
    return samples;
}

bool SdlAudio::loadAwardFromWave(std::string_view gamePath) {
    std::optional<std::vector<int16_t>> samples = readWaveForMixing(gamePath);
    if (!samples) return false;
    loadAward(std::move(*samples));
    return true;
}

void SdlAudio::loadAward(std::vector<int16_t> samples) {
    SDL_LockAudioDevice(device_);
    award_.load(std::move(samples));
    SDL_UnlockAudioDevice(device_);
}

bool SdlAudio::createSoundBufferFromWave(std::string_view gamePath) {
    std::optional<std::vector<int16_t>> samples = readWaveForMixing(gamePath);
    if (!samples) return false;
    loadEffect(std::move(*samples));
    return true;
}

void SdlAudio::setVolumes(MixVolumes volumes) {
    const auto percent = [](int value) { return static_cast<uint32_t>(std::clamp(value, 0, 100)); };
    volumes_.store(percent(volumes.music) | percent(volumes.effect) << 8 |
                   (volumes.mute ? 1u : 0u) << 16);
}

MixVolumes SdlAudio::volumes() const {
    const uint32_t packed = volumes_.load();
    return {static_cast<int>(packed & 0xFF), static_cast<int>(packed >> 8 & 0xFF),
            (packed >> 16 & 1) != 0};
}

void SdlAudio::startStream(StreamSource& music) { music_.store(&music); }

}  // namespace darts::platform
