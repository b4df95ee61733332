// The settings screen run as the game runs it, on a headless device with scripted mouse records:
// F1 on the title opens it, clicks change and apply at once, and closing writes the changed keys
// into the player's file without losing its other lines.
#include "settings/settings_layer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

#include "options/settings_file.h"
#include "render/device.h"

namespace darts {
namespace {

namespace fs = std::filesystem;
namespace layout = settings_layout;
using platform::MouseObject;
using platform::MouseRecord;

// One frame's records per poll; Escape from a given poll on.
class Script : public platform::InputSource {
  public:
    std::deque<std::vector<MouseRecord>> frames;
    int polls = 0;
    int escapeFrom = -1;
    std::function<bool()> settingsKey;  // F1
    bool escapeDown() override { return escapeFrom >= 0 && polls >= escapeFrom; }
    bool screenKeyDown(platform::ScreenKey key) override {
        return key == platform::ScreenKey::Settings && settingsKey && settingsKey();
    }
    int readMouse(MouseRecord* out, int capacity) override {
        ++polls;
        if (frames.empty()) return 0;
        int count = 0;
        for (const MouseRecord& r : frames.front()) {
            if (count < capacity) out[count++] = r;
        }
        frames.pop_front();
        return count;
    }
    // The cursor moved from where it is to x, y (`speed` pixels a count), then a held click: its
    // press, two frames held, its release.
    void clickAt(int& fromX, int& fromY, int x, int y, int speed = 3) {
        const int countsX = (x - fromX) / speed, countsY = (y - fromY) / speed;
        frames.push_back({{MouseObject::X, countsX}, {MouseObject::Y, countsY}});
        frames.push_back({{MouseObject::Button0, platform::kButtonPressed}});
        frames.push_back({});
        frames.push_back({});
        frames.push_back({{MouseObject::Button0, 0}});
        fromX += countsX * speed;
        fromY += countsY * speed;
    }
};

std::string readFile(const fs::path& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class SettingsLayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("darts-settings-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        path_ = (folder_ / "darts301" / "darts301.conf").string();
        state_.screen = ScreenId::Title;
        state_.inFrontEnd = 1;
    }
    void TearDown() override { fs::remove_all(folder_); }

    // F1 is down on the first test (the title's frame) and again from poll `closeAt` on.
    SettingsLayer session(const GameOptions& started, int closeAt = -1) {
        input_.settingsKey = [this, closeAt] {
            return input_.polls == 0 || (closeAt >= 0 && input_.polls >= closeAt);
        };
        SettingsHooks hooks;
        hooks.apply = [this](const GameOptions& chosen) { applied_.push_back(chosen); };
        hooks.filePath = path_;
        hooks.windowed = windowed_;
        return SettingsLayer(started, true, std::move(hooks));
    }
    void runTitleFrame(SettingsLayer& s) {
        FrameIo io{device_, input_};
        s.frontEndFrame(state_, io);
    }

    // The screen opened with the defaults, a click on each arrow (its left edge and row), then
    // F1 closes it.
    struct Arrow {
        int left;
        SettingRow row;
    };
    SettingsLayer twoArrowClicksThenF1(Arrow first, Arrow second) {
        SettingsLayer s = session(GameOptions{}, 11);
        int x = 0, y = 0;
        for (const Arrow& arrow : {first, second}) {
            input_.clickAt(x, y, arrow.left + 10, arrowY(arrow.row));
        }
        runTitleFrame(s);
        return s;
    }

    static int arrowY(SettingRow row) {
        return layout::kFirstRowTop + static_cast<int>(row) * layout::kRowHeight +
               layout::kRowHeight / 2;
    }

    fs::path folder_;
    std::string path_;
    GameState state_;
    Script input_;
    render::HeadlessDevice device_;
    std::vector<GameOptions> applied_;
    std::function<bool()> windowed_;  // the window as Alt+Enter left it
};

TEST_F(SettingsLayerTest, HeldClicksChangeApplyAtOnceAndCloseWritesTheFile) {
    fs::create_directories(fs::path(path_).parent_path());
    std::ofstream(path_) << "# the player's own note\nmouse_speed = 4\nfuture_key = yes\n";
    GameOptions started;
    started.mouseSpeed = 4;
    started.windowed = true;          // given on the command line for this run: not for the file
    state_.cursorPixelsPerCount = 4;  // as the game starts with the file's speed
    SettingsLayer s = session(started);
    int x = 0, y = 0;
    const int less = layout::kLeftArrowX + 10;
    input_.clickAt(x, y, less, arrowY(SettingRow::MusicVolume), 4);
    input_.clickAt(x, y, less, arrowY(SettingRow::MusicVolume), 4);
    input_.clickAt(x, y, layout::kRightArrowX + 10, arrowY(SettingRow::MouseSpeed), 4);
    // The cursor runs at the new speed at once.
    input_.clickAt(x, y, layout::kCloseLeft + 10, layout::kCloseTop + 10, 5);
    runTitleFrame(s);

    // Two held clicks are two steps, each applied as it came.
    ASSERT_EQ(applied_.size(), 3u);
    EXPECT_EQ(applied_[0].musicVolume, 90);
    EXPECT_EQ(applied_[1].musicVolume, 80);
    EXPECT_EQ(applied_[2].mouseSpeed, 5);
    EXPECT_EQ(state_.cursorPixelsPerCount, 5);
    // Closed by its button's press; the rest of that click is left for the title.
    EXPECT_EQ(input_.frames.size(), 3u);
    EXPECT_EQ(state_.cursorX, x);  // the title's cursor stands where the screen's did
    EXPECT_EQ(readFile(path_),
              "# the player's own note\nmouse_speed = 5\nfuture_key = yes\nmusic_volume = 80\n");
    EXPECT_EQ(s.chosen().musicVolume, 80);
    EXPECT_EQ(state_.quitRequested, 0);
}

TEST_F(SettingsLayerTest, WithoutAFileTheDefaultsTextIsWrittenWithTheChange) {
    SettingsLayer s = session(GameOptions{}, 8);  // F1 again closes it
    int x = 0, y = 0;
    input_.clickAt(x, y, layout::kValueCentreX, arrowY(SettingRow::Language));
    runTitleFrame(s);
    GameOptions expected;
    expected.language = "en";
    EXPECT_EQ(readFile(path_), settingsText(expected));
    EXPECT_EQ(input_.polls, 8);
}

TEST_F(SettingsLayerTest, NothingChangedWritesNothingAndOnlyTheTitleOpensIt) {
    SettingsLayer s = session(GameOptions{}, 3);
    state_.screen = ScreenId::DartsBar;
    runTitleFrame(s);
    EXPECT_EQ(input_.polls, 0);  // not on the darts-bar screen
    state_.screen = ScreenId::Title;
    input_.polls = 0;
    s = session(GameOptions{}, 3);
    runTitleFrame(s);
    EXPECT_EQ(input_.polls, 3);
    EXPECT_FALSE(fs::exists(path_));
    EXPECT_TRUE(applied_.empty());
}

TEST_F(SettingsLayerTest, ARowChangedAndChangedBackIsNotWritten) {
    SettingsLayer s = twoArrowClicksThenF1({layout::kLeftArrowX, SettingRow::MusicVolume},
                                             {layout::kRightArrowX, SettingRow::MusicVolume});
    EXPECT_EQ(applied_.size(), 2u);
    EXPECT_FALSE(fs::exists(path_));
}

// Started full screen; Alt+Enter made it a window before F1, and full screen again while the
// screen is up. The main loop's apply toggles the window when the chosen one differs from it.
TEST_F(SettingsLayerTest, TheDisplayRowFollowsAltEnterAndOtherRowsLeaveTheWindowAlone) {
    windowed_ = [this] { return input_.polls < 5; };
    SettingsLayer s = twoArrowClicksThenF1({layout::kLeftArrowX, SettingRow::MusicVolume},
                                             {layout::kLeftArrowX, SettingRow::EffectVolume});
    ASSERT_EQ(applied_.size(), 2u);
    EXPECT_TRUE(applied_[0].windowed);
    EXPECT_FALSE(applied_[1].windowed);
    EXPECT_EQ(readFile(path_), settingsText(s.chosen()));
    EXPECT_FALSE(s.chosen().windowed);
}

TEST_F(SettingsLayerTest, EscapeKeepsTheChangeAndEndsTheGameAsOnTheTitle) {
    SettingsLayer s = session(GameOptions{});
    int x = 0, y = 0;
    input_.clickAt(x, y, layout::kValueCentreX, arrowY(SettingRow::Mute));
    input_.escapeFrom = 6;
    runTitleFrame(s);
    EXPECT_EQ(state_.quitRequested, 1);
    std::vector<std::string> warnings;
    GameOptions back;
    applySettingsFile(path_, back, warnings);
    EXPECT_TRUE(back.mute);
    EXPECT_TRUE(warnings.empty());
}

TEST_F(SettingsLayerTest, AFileThatCannotBeReadIsNotReplaced) {
    fs::create_directories(path_);  // a folder where the file should be
    SettingsLayer s = session(GameOptions{});
    int x = 0, y = 0;
    input_.clickAt(x, y, layout::kValueCentreX, arrowY(SettingRow::Rumble));
    input_.clickAt(x, y, layout::kCloseLeft + 5, layout::kCloseTop + 5);
    testing::internal::CaptureStderr();
    runTitleFrame(s);
    const std::string error = testing::internal::GetCapturedStderr();
    EXPECT_NE(error.find("cannot be read"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_directory(path_));
    ASSERT_EQ(applied_.size(), 1u);
    EXPECT_FALSE(applied_[0].rumble);
}

}  // namespace
}  // namespace darts
