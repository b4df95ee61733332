#include "app/startup.h"

#include <cstdio>
#include <filesystem>
#include <future>
#include <system_error>

#include "app/board_hit_log.h"
#include "assets/asset_loading.h"
#include "core/game_path.h"
#include "frontend/roster.h"
#include "match/shot_table.h"
#include "platform/sdl/music_fluidsynth.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_controller.h"

namespace darts {
namespace {

constexpr const char* kMusicFile = "sound\\FM_14.MID";
constexpr const char* kAwardFile = "sound\\AWARD.WAV";
constexpr const char* kBoardHitFile = "sound\\BOARDHIT.WAV";

// The sound device and the music play until the process ends and are never released: the audio
// thread keeps running through exit, so they must not be destroyed under it. Made once even when
// start-up runs more than once in a process.
// The board hit goes to the sound (if any) and to the controllers' rumble (if any).
class HitOutput final : public audio::EffectOutput {
  public:
    void playBoardHit() override {
        if (sound != nullptr) sound->playBoardHit();
        if (platform::ControllerMouse* pads = platform::activeControllers()) pads->rumble();
    }
    audio::EffectOutput* sound = nullptr;
};

struct SoundSystem {
    std::unique_ptr<platform::SdlAudio> device;
    std::unique_ptr<platform::FluidSynthMusic> music;
    std::unique_ptr<BoardHitLog> hitLog;  // only when the environment asks for it
    bool musicLoaded = false;
    bool deviceOpened = false;
    bool musicStarted = false;
    platform::MixVolumes volumes;  // the player's levels, for a device opened later too
    HitOutput hit;
};

SoundSystem& soundSystem() {
    static SoundSystem* const kept = new SoundSystem;
    return *kept;
}

// Loads the synthesiser and the tune; without them the game goes on without music. Returns the
// one line that says why, "" when loaded (or loaded before): the caller says it once start-up has
// got that far, so a game that cannot open its window says only that.
std::string initMusic() {
    SoundSystem& sound = soundSystem();
    if (sound.musicLoaded) return {};
    sound.musicLoaded = true;
    std::string error;
    sound.music = platform::FluidSynthMusic::load(gamePathToHost(kMusicFile),
                                                  platform::soundFontCandidates(), error);
    return sound.music ? std::string{} : error;
}

// The sound device and the board-hit effect; null (silence, no message) without a device. A
// missing or broken effect file leaves the device playing the music alone.
audio::EffectOutput* setUpSound() {
    SoundSystem& sound = soundSystem();
    if (!sound.deviceOpened) {
        sound.deviceOpened = true;
        sound.device = platform::SdlAudio::open();
        if (sound.device) sound.device->setVolumes(sound.volumes);
        if (sound.device) sound.device->createSoundBufferFromWave(kBoardHitFile);
        if (sound.device && boardHitLogWanted()) {
            sound.hitLog = std::make_unique<BoardHitLog>(*sound.device);
        }
    }
    sound.hit.sound = sound.hitLog ? static_cast<audio::EffectOutput*>(sound.hitLog.get())
                                   : sound.device.get();
    return &sound.hit;
}

render::GlPresenter presenterFor(platform::SdlGlWindow& window, bool sharp, bool smoothHud) {
    return {[&window] { window.present(); },
            [&window] {
                const platform::DrawableSize size = window.drawableSize();
                return render::PixelSize{size.width, size.height};
            },
            window.stretch(), sharp, smoothHud};
}

// Opening is not enough: a folder of that name opens too, and only its first read fails.
bool readable(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    const bool readFailed = std::fgetc(file) == EOF && std::ferror(file) != 0;
    std::fclose(file);
    return !readFailed;
}

// Reads every game file from the first candidate folder that holds the data; "" when one does, else
// one line naming the file missing in the working folder and the install folders looked at.
std::string useFoundDataFolder() {
    const std::vector<std::string> candidates = dataFolderCandidates();
    if (std::optional<std::string> found = findDataFolder(candidates)) {
        setDataFolder(*found);
        return {};
    }
    std::string error = checkDataFiles();
    for (size_t i = 1; i < candidates.size(); ++i) {
        error += (i == 1 ? "; no installed data in " : " or ") + candidates[i];
    }
    return error;
}

}  // namespace

std::string checkDataFiles(const std::string& baseDir) {
    const std::pair<const char*, const char*> files[] = {{"roster", frontend::kRosterFile},
                                                         {"shot table", kShotTableFile}};
    for (const auto& [what, gamePath] : files) {
        const std::string path = gamePathInFolder(gamePath, baseDir);
        if (!readable(path)) {
            return std::string("cannot open the ") + what + " " + path +
                   " (run the game from the folder that holds data/ and sound/)";
        }
    }
    return {};
}

std::vector<std::string> dataFolderCandidates() {
    std::vector<std::string> candidates{""};
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const std::filesystem::path beside = executable.parent_path() / DARTS_DATA_DIR_FROM_BIN;
        candidates.push_back(beside.lexically_normal().string());
    }
    if (candidates.back() != DARTS_INSTALLED_DATA_DIR) {
        candidates.push_back(DARTS_INSTALLED_DATA_DIR);
    }
    return candidates;
}

std::optional<std::string> findDataFolder(const std::vector<std::string>& candidates) {
    for (const std::string& folder : candidates) {
        if (checkDataFiles(folder).empty()) return folder;
    }
    return std::nullopt;
}

void setSoundVolumes(const platform::MixVolumes& volumes) {
    SoundSystem& sound = soundSystem();
    sound.volumes = volumes;
    if (sound.device) sound.device->setVolumes(volumes);
}

StartupResult startUp(GameState& state, const StartupOptions& options) {
    StartupResult result;
    if (std::string missing = useFoundDataFolder(); !missing.empty()) {
        result.error = std::move(missing);
        return result;
    }

    // The files are read and decoded on one more thread, and the synthesiser loaded on another,
    // while the window and its context are made: none needs the others, and each takes a good
    // part of the start-up. The sound system is not touched here until its thread is done.
    std::future<std::string> loadingMusic = std::async(std::launch::async, initMusic);
    std::future<render::DecodedAssets> decoding =
        std::async(std::launch::async, render::decodeAssetFiles, state.language);

    auto session = std::make_unique<GameSession>();
    platform::WindowOptions windowOptions;
    windowOptions.windowed = options.windowed;
    windowOptions.unpaced = options.unpaced;
    windowOptions.displayMode = options.displayMode;
    windowOptions.stretch = options.stretch;
    windowOptions.scale = options.scale;
    windowOptions.title = "301 Darts Bar";
    windowOptions.icon = render::loadWindowIcon();
    platform::WindowResult window = platform::SdlGlWindow::create(windowOptions);
    if (!window.window) {
        result.error = window.error;
        return result;
    }
    session->window = std::move(window.window);

    render::GlDeviceResult device =
        render::GlDevice::create(presenterFor(*session->window, options.sharp, options.smoothHud));
    if (!device.device) {
        result.error = device.error;
        return result;
    }
    session->device = std::move(device.device);

    if (!render::createFonts(state, *session->device)) {
        result.warning =
            "no Japanese font could be loaded, texts are not shown (install fonts-ipafont-gothic)";
    }
    render::AssetOptions assets;
    assets.seed = options.seed;
    assets.setUpSound = setUpSound;
    if (std::string noMusic = loadingMusic.get(); !noMusic.empty()) {
        std::fprintf(stderr, "darts: %s\n", noMusic.c_str());
    }
    render::AssetLoadResult loaded =
        render::loadAssets(state, *session->device, assets, decoding.get());
    if (!loaded.ok) {
        result.error = std::move(loaded.error);
        return result;
    }

    // Relative mouse over the window from here on; the window is already on screen.
    session->input = platform::SdlInput::create(*session->window);
    if (!session->input) {
        result.error = "cannot take the mouse and keyboard";
        return result;
    }
    result.session = std::move(session);
    return result;
}

void startMusic() {
    SoundSystem& sound = soundSystem();
    if (sound.musicStarted || !sound.device || !sound.music) return;
    sound.musicStarted = true;
    sound.music->start();
    sound.device->startStream(*sound.music);
}

void loadAwardSound() {
    SoundSystem& sound = soundSystem();
    if (sound.device && !sound.device->loadAwardFromWave(kAwardFile)) {
        std::fprintf(stderr, "darts: cannot play %s\n", kAwardFile);
    }
}

}  // namespace darts
