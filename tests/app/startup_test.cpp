// Start-up: the data-file check, asset loading on a device that records what it is given, the
// fonts, and the whole start-up on a real OpenGL context (SDL's offscreen driver, no display).
#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

#include "app/startup.h"
#include "assets/asset_loading.h"
#include "audio/board_hit.h"
#include "core/game_path.h"
#include "frontend/roster.h"

namespace darts {
namespace {

namespace fs = std::filesystem;

// Runs a test body in another working folder and comes back, whatever happens.
class WorkingFolder {
  public:
    explicit WorkingFolder(const fs::path& folder) : previous_(fs::current_path()) {
        fs::current_path(folder);
    }
    ~WorkingFolder() { fs::current_path(previous_); }

  private:
    fs::path previous_;
};

class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "darts-startup-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempFolder() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }
    // Copies data files of the repository (the tests run from its top) into the folder.
    void copyData(std::initializer_list<const char*> names) const {
        fs::create_directories(path_ / "data");
        for (const char* name : names) {
            fs::copy_file(fs::current_path() / "data" / name, path_ / "data" / name);
        }
    }

  private:
    fs::path path_;
};

// Hands out handles like a real device and remembers how many of each it made.
class CountingHandles : public render::HeadlessDevice {
  public:
    int textures = 0, meshes = 0;
    std::vector<std::pair<int, int>> fontsAsked;
    int refuseFontsFrom = 1000;  // the font requests from this one on fail
    render::TextureHandle createTexture(const gfx::Image& image) override {
        const render::TextureHandle handle = HeadlessDevice::createTexture(image);
        textures += handle != 0;
        return handle;
    }
    render::MeshHandle createMesh(const gfx::MeshData& mesh) override {
        const render::MeshHandle handle = HeadlessDevice::createMesh(mesh);
        meshes += handle != 0;
        return handle;
    }
    render::FontHandle createFont(int height, int width) override {
        fontsAsked.emplace_back(height, width);
        if (int(fontsAsked.size()) > refuseFontsFrom) return 0;
        return HeadlessDevice::createFont(height, width);
    }
};

class SilentEffects final : public audio::EffectOutput {
  public:
    void playBoardHit() override {}
};

TEST(CheckDataFiles, NamesTheFirstMissingFile) {
    EXPECT_EQ(checkDataFiles(), "");
    TempFolder folder;
    const std::string noRoster = checkDataFiles(folder.path().string());
    EXPECT_NE(noRoster.find("data/pcdata.kpd"), std::string::npos) << noRoster;
    folder.copyData({"pcdata.kpd"});
    const std::string noShots = checkDataFiles(folder.path().string());
    EXPECT_NE(noShots.find("data/pcshotp.kpd"), std::string::npos) << noShots;
    folder.copyData({"pcshotp.kpd"});
    EXPECT_EQ(checkDataFiles(folder.path().string()), "");
}

TEST(FindDataFolder, TakesTheFirstFolderHoldingTheDataFiles) {
    TempFolder empty, installed, other;
    installed.copyData({"pcdata.kpd", "pcshotp.kpd"});
    other.copyData({"pcdata.kpd", "pcshotp.kpd"});
    const std::string emptyPath = empty.path().string();
    const std::string installedPath = installed.path().string();
    EXPECT_EQ(findDataFolder({emptyPath, installedPath, other.path().string()}), installedPath);
    // The working folder (the top of the repository here) wins over any install.
    EXPECT_EQ(findDataFolder({"", installedPath}), "");
    EXPECT_EQ(findDataFolder({emptyPath}), std::nullopt);
    EXPECT_EQ(findDataFolder({}), std::nullopt);
}

TEST(DataFolderCandidates, StartWithTheWorkingFolderThenLookBesideTheExecutable) {
    const std::vector<std::string> candidates = dataFolderCandidates();
    ASSERT_GE(candidates.size(), 2u);
    EXPECT_EQ(candidates[0], "");
    const fs::path beside = candidates[1];
    EXPECT_TRUE(beside.is_absolute()) << candidates[1];
    EXPECT_EQ(beside.filename(), "darts301") << candidates[1];
    EXPECT_EQ(beside.parent_path().filename(), "share") << candidates[1];
}

TEST(CheckDataFiles, AFolderInPlaceOfAFileCountsAsUnreadable) {
    TempFolder folder;
    folder.copyData({"pcshotp.kpd"});
    fs::create_directories(folder.path() / "data" / "pcdata.kpd");
    const std::string error = checkDataFiles(folder.path().string());
    EXPECT_NE(error.find("data/pcdata.kpd"), std::string::npos) << error;
}

class LoadAssets : public ::testing::Test {
  protected:
    std::unique_ptr<GameState> owned = std::make_unique<GameState>();
    GameState& s = *owned;
    CountingHandles device;
};

TEST_F(LoadAssets, LoadsEveryModelBitmapPortraitAndTheCursor) {
    SilentEffects effects;
    render::AssetOptions options;
    options.seed = 7;
    options.setUpSound = [&] { return &effects; };
    const render::AssetLoadResult result = render::loadAssets(s, device, options);
    ASSERT_TRUE(result.ok) << result.error;

    EXPECT_EQ(s.dartState, DartState::InHand);
    GameState seeded;
    seedRandom(seeded, 7);
    EXPECT_EQ(s.randomState, seeded.randomState);

    for (const render::MeshAsset* model :
         {&s.handModel, &s.roomModel, &s.boardModel, &s.dartModel}) {
        EXPECT_NE(model->mesh, 0u);
        ASSERT_EQ(model->textures.size(), model->materials.size());
        // Every texture a material names is in the data folder: each one loads.
        for (size_t i = 0; i < model->textures.size(); ++i) {
            EXPECT_EQ(model->textures[i] != 0, !model->textureFiles[i].empty())
                << model->textureFiles[i];
        }
    }
    EXPECT_EQ(device.meshes, 4);
    // The board's material names a bare file, which is looked for in the data folder.
    EXPECT_EQ(s.boardModel.textureFiles[0], "data\\board_sisal.jpg");

    for (int slot = 0; slot < 8; ++slot) {
        EXPECT_EQ(s.overlayTextures[slot] != 0, slot != 5) << "overlay " << slot;
    }
    EXPECT_EQ(s.portraitTextures[0], 0u);
    for (int n = 1; n <= 8; ++n) EXPECT_NE(s.portraitTextures[n], 0u) << "portrait " << n;
    EXPECT_NE(s.cursorTexture, 0u);
    // The roster was read through to the end; the portrait hook is gone again.
    EXPECT_EQ(s.players[kComputer].characterNumber, 8);
    EXPECT_EQ(s.players[kComputer].portraitIndex, 8);
    const render::TextureHandle before = s.portraitTextures[3];
    frontend::readRosterRecord(s, 3, true);
    EXPECT_EQ(s.portraitTextures[3], before);

    EXPECT_EQ(s.effects, static_cast<audio::EffectOutput*>(&effects));
}

TEST_F(LoadAssets, SeedsFromTheClockWithoutASeed) {
    const uint32_t before = static_cast<uint32_t>(std::time(nullptr));
    ASSERT_TRUE(render::loadAssets(s, device).ok);
    const uint32_t after = static_cast<uint32_t>(std::time(nullptr));
    bool matched = false;
    for (uint32_t t = before; t <= after; ++t) {
        GameState seeded;
        seedRandom(seeded, t);
        matched |= seeded.randomState == s.randomState;
    }
    EXPECT_TRUE(matched);
    EXPECT_EQ(s.effects, nullptr);  // no sound device: silence, not a failure
}

TEST_F(LoadAssets, AMissingModelFailsWithItsName) {
    TempFolder folder;
    folder.copyData({"pcdata.kpd", "pcshotp.kpd", "hand.x", "room.x"});
    WorkingFolder inside(folder.path());
    const render::AssetLoadResult result = render::loadAssets(s, device);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("Board.x"), std::string::npos) << result.error;
    EXPECT_EQ(result.error.find('\n'), std::string::npos);
}

TEST_F(LoadAssets, MissingTexturesAreLeftEmpty) {
    TempFolder folder;
    folder.copyData({"pcdata.kpd", "pcshotp.kpd", "hand.x", "room.x", "Board.x", "darts.x"});
    WorkingFolder inside(folder.path());
    ASSERT_TRUE(render::loadAssets(s, device).ok);
    for (render::TextureHandle texture : s.boardModel.textures) EXPECT_EQ(texture, 0u);
    for (render::TextureHandle texture : s.dartModel.textures) EXPECT_EQ(texture, 0u);
    EXPECT_NE(s.overlayTextures[3], 0u);  // embedded: not affected
}

TEST(CreateFonts, MakesTheSmallThenTheLargeFont) {
    GameState s;
    CountingHandles device;
    EXPECT_TRUE(render::createFonts(s, device));
    EXPECT_EQ(device.fontsAsked, (std::vector<std::pair<int, int>>{{12, 14}, {42, 44}}));
    EXPECT_NE(s.smallFont, 0u);
    EXPECT_NE(s.largeFont, 0u);
    EXPECT_NE(s.smallFont, s.largeFont);
}

TEST(CreateFonts, WithoutTheSmallFontTheLargeOneIsNotTried) {
    GameState s;
    CountingHandles device;
    device.refuseFontsFrom = 0;
    EXPECT_FALSE(render::createFonts(s, device));
    EXPECT_EQ(device.fontsAsked.size(), 1u);
    EXPECT_EQ(s.largeFont, 0u);

    CountingHandles noLarge;
    noLarge.refuseFontsFrom = 1;
    EXPECT_FALSE(render::createFonts(s, noLarge));
}

TEST(WindowIcon, ComesFromTheEmbeddedIcon) {
    const std::optional<gfx::Image> icon = render::loadWindowIcon();
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->width, 32);
    EXPECT_EQ(icon->height, 32);
}

TEST(StartUp, StopsBeforeAnyWindowWhenDataIsMissing) {
    TempFolder folder;
    WorkingFolder inside(folder.path());
    if (findDataFolder(dataFolderCandidates())) {
        GTEST_SKIP() << "the game is installed on this machine: its data would be found";
    }
    GameState s;
    const StartupResult result = startUp(s, {true, 1});
    EXPECT_FALSE(result.session);
    EXPECT_NE(result.error.find("pcdata.kpd"), std::string::npos) << result.error;
    EXPECT_NE(result.error.find("share/darts301"), std::string::npos) << result.error;
    EXPECT_EQ(result.error.find('\n'), std::string::npos) << result.error;
    EXPECT_EQ(dataFolder(), "");
    EXPECT_EQ(s.dartState, DartState::None);  // nothing was loaded
}

// The whole start-up once per process: closing the last GL window unloads the driver, whose own
// start-up allocations would then look like leaks.
TEST(StartUp, BringsTheGameUpOnARealContext) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    static GameState* s = new GameState;
    static StartupResult* started = new StartupResult(startUp(*s, {true, 7}));
    if (!started->session) {
        if (started->error.find("OpenGL") != std::string::npos ||
            started->error.find("window") != std::string::npos ||
            started->error.find("SDL") != std::string::npos) {
            GTEST_SKIP() << started->error;
        }
        FAIL() << started->error;
    }
    GameSession& session = *started->session;
    ASSERT_TRUE(session.window && session.device && session.input);
    EXPECT_FALSE(session.window->displaySwitched());  // --window leaves the display alone
    EXPECT_NE(s->boardModel.mesh, 0u);
    EXPECT_NE(s->overlayTextures[3], 0u);
    EXPECT_NE(s->portraitTextures[8], 0u);
    EXPECT_NE(s->cursorTexture, 0u);
    GameState seeded;
    seedRandom(seeded, 7);
    EXPECT_EQ(s->randomState, seeded.randomState);

    // The device draws: a cleared frame reads back opaque black.
    session.device->beginFrame();
    session.device->endFrame();
    const std::optional<gfx::Image> frame = session.device->readFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->width, 800);
    EXPECT_EQ(frame->rgba[3], 255);
}

}  // namespace
}  // namespace darts
