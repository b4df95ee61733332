#include "app/startup.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "assets/asset_loading.h"
#include "core/game_path.h"
#include "demos/game_start_up.h"
#include "frontend/roster.h"
#include "match/shot_table.h"
#include "platform/sdl/sdl_sound.h"

namespace darts {
namespace {

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

StartupOptions startupOptions(const GameOptions& options, std::optional<uint32_t> seed) {
    StartupOptions startup{options.windowed, seed, options.timeDemo};
    startup.displayMode = options.displayMode;
    startup.stretch = options.stretch;
    startup.sharp = options.sharp;
    startup.smoothHud = options.smoothHud;
    startup.scale = options.scale;
    startup.volumes = {options.musicVolume, options.effectVolume, options.mute};
    return startup;
}

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

StartupResult startUp(GameState& state, const StartupOptions& options) {
    StartupResult result;
    if (std::string missing = useFoundDataFolder(); !missing.empty()) {
        result.error = std::move(missing);
        return result;
    }

    // The files are read and decoded on one more thread, and the synthesiser loaded on another,
    // while the window and its context are made: none needs the others, and each takes a good
    // part of the start-up. The sound system is not touched here until its thread is done.
    audio::SoundSystem& sound = platform::sdlSound();
    sound.setVolumes(options.volumes);
    StartUpWork loading = startLoadingOnThreads(state.language, sound);

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

    session->sound = &sound;
    GameStartUpResult started =
        startUpGame(state, *session->device, sound, options.seed, std::move(loading));
    result.warning = std::move(started.warning);
    if (!started.error.empty()) {
        result.error = std::move(started.error);
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

}  // namespace darts
