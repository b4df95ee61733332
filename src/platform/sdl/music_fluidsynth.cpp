#include "platform/sdl/music_fluidsynth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace darts::platform {

struct FluidSynthMusic::Engine {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;

    ~Engine() {
        if (player != nullptr) delete_fluid_player(player);
        if (synth != nullptr) delete_fluid_synth(synth);
        if (settings != nullptr) delete_fluid_settings(settings);
    }
};

namespace {

bool fileExists(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

// The whole MIDI file, read once: the player would otherwise open it again on the audio thread
// at the start of every pass. Empty when it cannot be read or is no standard MIDI file.
std::vector<char> readMidiFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return {};
    std::vector<char> bytes;
    char chunk[4096];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof(chunk), file)) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    std::fclose(file);
    if (bytes.size() < 14 || std::memcmp(bytes.data(), "MThd", 4) != 0) return {};
    return bytes;
}

// FluidSynth reports through its own logger to stderr; the game says what failed in one line.
void quietLogger(int, const char*, void*) {}

void silenceFluidSynthLog() {
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
        fluid_set_log_function(level, quietLogger, nullptr);
    }
}

}  // namespace

std::vector<std::string> soundFontCandidates() {
    // A font chosen by name is the only one tried: a wrong name then means no music, which says
    // so, instead of some other font playing unnoticed.
    if (const char* chosen = std::getenv("DARTS_SOUNDFONT"); chosen != nullptr && *chosen != 0) {
        return {chosen};
    }
    std::vector<std::string> fonts;
    fonts.emplace_back("/usr/share/sounds/sf2/default-GM.sf2");
    fonts.emplace_back("/usr/share/sounds/sf2/TimGM6mb.sf2");
    fonts.emplace_back("/usr/share/sounds/sf2/FluidR3_GM.sf2");
    return fonts;
}

FluidSynthMusic::FluidSynthMusic(std::unique_ptr<Engine> engine) : engine_(std::move(engine)) {}
FluidSynthMusic::~FluidSynthMusic() = default;

std::unique_ptr<FluidSynthMusic> FluidSynthMusic::load(const std::string& midiPath,
                                                       const std::vector<std::string>& soundFonts,
                                                       std::string& error) {
    silenceFluidSynthLog();
    const std::vector<char> midi = readMidiFile(midiPath);
    if (midi.empty()) {
        error = "no music: cannot read the MIDI file " + midiPath;
        return nullptr;
    }
    // Without a soundfont on disk no synthesiser is started at all: making one only to throw it
    // away leaves its threads' traces behind for nothing.
    if (std::none_of(soundFonts.begin(), soundFonts.end(), fileExists)) {
        error = "no music: no General MIDI soundfont found (install timgm6mb-soundfont)";
        return nullptr;
    }
    auto engine = std::make_unique<Engine>();
    engine->settings = new_fluid_settings();
    if (engine->settings == nullptr) {
        error = "no music: FluidSynth cannot start";
        return nullptr;
    }
    fluid_settings_setnum(engine->settings, "synth.sample-rate", kMixRate);
    engine->synth = new_fluid_synth(engine->settings);
    if (engine->synth == nullptr) {
        error = "no music: FluidSynth cannot start";
        return nullptr;
    }
    bool fontLoaded = false;
    for (const std::string& font : soundFonts) {
        if (fileExists(font) &&
            fluid_synth_sfload(engine->synth, font.c_str(), 1) != FLUID_FAILED) {
            fontLoaded = true;
            break;
        }
    }
    if (!fontLoaded) {
        error = "no music: no General MIDI soundfont found (install timgm6mb-soundfont)";
        return nullptr;
    }
    engine->player = new_fluid_player(engine->synth);
    if (engine->player == nullptr ||
        fluid_player_add_mem(engine->player, midi.data(), midi.size()) != FLUID_OK) {
        error = "no music: cannot load the MIDI file " + midiPath;
        return nullptr;
    }
    return std::unique_ptr<FluidSynthMusic>(new FluidSynthMusic(std::move(engine)));
}

void FluidSynthMusic::start() {
    fluid_player_set_loop(engine_->player, -1);
    fluid_player_play(engine_->player);
}

bool FluidSynthMusic::playing() const {
    return fluid_player_get_status(engine_->player) == FLUID_PLAYER_PLAYING;
}

void FluidSynthMusic::render(int16_t* out, int frames) {
    if (fluid_synth_write_s16(engine_->synth, frames, out, 0, kMixChannels, out, 1, kMixChannels) !=
        FLUID_OK) {
        std::memset(out, 0, static_cast<size_t>(frames) * kMixChannels * sizeof(int16_t));
    }
}

}  // namespace darts::platform
