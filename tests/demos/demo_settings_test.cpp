// What a demo carries besides the input: the settings that change the game (read back, and
// refused when unknown), the screen keys, and the settings screen opened during a recording,
// which its playback must open and use the same way, with the recording's cursor speed.
#include "demos/demo_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "core/state_checksum.h"
#include "demos/demo_input.h"
#include "demos/demo_replay.h"
#include "demos/run_control.h"
#include "frontend/settings_menu.h"
#include "loops/main_loop.h"
#include "settings/settings_layer.h"

namespace darts {
namespace {

using platform::MouseObject;
using platform::MouseRecord;
using platform::ScreenKey;

std::string tempPath(const char* name) { return ::testing::TempDir() + name; }

TEST(DemoSettings, StoredReadBackAndAppliedOverThePlayersOwn) {
    GameOptions recorded;
    recorded.language = "en";
    recorded.mouseSpeed = 7;
    recorded.musicVolume = 20;  // not the demo's business
    const std::string path = tempPath("demo_settings_round_trip.dem");
    std::string error;
    auto writer = DemoWriter::create(path, {kDemoVersion, 1, 0, demoSettings(recorded)}, error);
    ASSERT_TRUE(writer) << error;
    writer->screenKey(ScreenKey::Records, true);
    ASSERT_TRUE(writer->finish(0, 0, error)) << error;
    auto reader = DemoReader::open(path, error);
    std::remove(path.c_str());
    ASSERT_TRUE(reader) << error;
    EXPECT_EQ(reader->header().settings, demoSettings(recorded));
    EXPECT_EQ(demoLanguage(reader->header()), Language::English);
    DemoEvent event;
    ASSERT_TRUE(reader->next(event));
    EXPECT_EQ(event.kind, DemoEvent::Kind::ScreenKey);
    EXPECT_EQ(event.screenKey, ScreenKey::Records);
    EXPECT_TRUE(event.escapeDown);

    GameOptions viewer;
    viewer.mouseSpeed = 2;
    viewer.musicVolume = 90;
    ASSERT_TRUE(applyDemoSettings(reader->header(), viewer, error)) << error;
    EXPECT_EQ(viewer.mouseSpeed, 7);
    EXPECT_EQ(viewer.language, "en");
    EXPECT_EQ(viewer.musicVolume, 90);

    for (const DemoSetting& bad : {DemoSetting{"music_volume", "5"},
                                   DemoSetting{"mouse_speed", "99"},
                                   DemoSetting{"mouse_speed", "3 # three"}}) {
        DemoHeader header;
        header.settings = {bad};
        error.clear();
        EXPECT_FALSE(applyDemoSettings(header, viewer, error)) << bad.key << " = " << bad.value;
        EXPECT_NE(error.find(bad.key), std::string::npos) << error;
    }
}

// A screen key is a version 2 event: in a version 1 demo it is damage, and a version 1 demo's
// player answers every key as up without reading anything.
TEST(DemoSettings, ScreenKeysBelongToVersionTwo) {
    const std::string path = tempPath("demo_settings_v1.dem");
    std::string error;
    auto writer = DemoWriter::create(path, {kDemoFirstVersion, 1, 0, {}}, error);
    ASSERT_TRUE(writer) << error;
    writer->screenKey(ScreenKey::Settings, true);
    ASSERT_TRUE(writer->finish(0, 0, error)) << error;
    EXPECT_FALSE(DemoReader::open(path, error));
    EXPECT_NE(error.find("damaged"), std::string::npos) << error;

    writer = DemoWriter::create(path, {kDemoFirstVersion, 1, 0, {}}, error);
    writer->escape(true);
    ASSERT_TRUE(writer->finish(0, 0, error)) << error;
    auto reader = DemoReader::open(path, error);
    std::remove(path.c_str());
    ASSERT_TRUE(reader) << error;
    GameState state;
    DemoPlayer player(*reader, state);
    EXPECT_FALSE(player.input().screenKeyDown(ScreenKey::Settings));
    EXPECT_TRUE(player.input().escapeDown());
    EXPECT_FALSE(player.failed()) << player.error();
}

class NoUi final : public platform::UiInput {
  public:
    void setTextInput(bool) override {}
    bool poll(platform::UiEvent&) override { return false; }
};

// One list of mouse records per read; F1 down on the reads listed; Escape once the list is done.
class Script final : public platform::InputSource {
  public:
    std::deque<std::vector<MouseRecord>> reads;
    std::vector<int> f1DownAt;
    int count = 0;
    bool escapeDown() override { return reads.empty() && count > 0; }
    int readMouse(MouseRecord* out, int capacity) override {
        ++count;
        if (reads.empty()) return 0;
        int n = 0;
        for (const MouseRecord& r : reads.front()) {
            if (n < capacity) out[n++] = r;
        }
        reads.pop_front();
        return n;
    }
    bool screenKeyDown(ScreenKey key) override {
        return key == ScreenKey::Settings &&
               std::find(f1DownAt.begin(), f1DownAt.end(), count) != f1DownAt.end();
    }
    // Into the top left corner, then `x`, `y` counts away, then a click held over two reads.
    void clickFromCorner(int x, int y) {
        reads.push_back({{MouseObject::X, -1000}, {MouseObject::Y, -1000}});
        reads.push_back({{MouseObject::X, x}, {MouseObject::Y, y}});
        reads.push_back({{MouseObject::Button0, platform::kButtonPressed}});
        reads.push_back({{MouseObject::Button0, 0}});
    }
};

TEST(DemoSettings, TheSettingsScreenOpenedInARecordingReplaysTheSame) {
    GameOptions options;  // the cursor at 3 pixels a count
    auto state = std::make_unique<GameState>();
    render::HeadlessDevice headless;
    ASSERT_EQ(startUpHeadless(*state, headless, 42), "");
    const std::string path = tempPath("demo_settings_f1.dem");
    std::string error;
    auto writer = DemoWriter::create(path, {kDemoVersion, 42, 0, demoSettings(options)}, error);
    ASSERT_TRUE(writer) << error;

    // F1 on the title's first frame; on the screen a click on the cursor speed's right arrow
    // (3 to 4); F1 again closes it; then the title's cursor moves at the new speed.
    Script script;
    script.reads.push_back({});
    script.f1DownAt = {1};
    const int arrowX = settings_layout::kRightArrowX + 10;
    const int arrowY = settings_layout::kFirstRowTop +
                       static_cast<int>(SettingRow::MouseSpeed) * settings_layout::kRowHeight +
                       settings_layout::kRowHeight / 2;
    script.clickFromCorner(arrowX / 3, arrowY / 3);
    script.f1DownAt.push_back(static_cast<int>(script.reads.size()) + 1);
    script.reads.push_back({});
    script.reads.push_back({{MouseObject::X, 10}, {MouseObject::Y, 10}});
    script.reads.push_back({});

    CountingDevice device(headless);
    NoUi noUi;
    DemoRecorder recorder(*writer, script, noUi, *state);
    device.setFrameListener([&](uint64_t frame) { recorder.framePresented(frame); });
    FrameIo frameIo{device, recorder.input(), nullptr};
    MainLoopIo io{frameIo, recorder.ui(), {}, {}, {}};
    SettingsHooks hooks;
    hooks.saves = false;
    SettingsLayer settings(options, true, std::move(hooks));
    io.match.layers.push_back(&settings);
    mainLoop(*state, io);
    ASSERT_TRUE(recorder.finish(device.framesPresented(), error)) << error;
    EXPECT_EQ(state->cursorPixelsPerCount, 4) << "the click on the arrow did not land";

    auto demo = DemoReader::open(path, error);
    ASSERT_TRUE(demo) << error;
    const DemoReplayResult replayed = replayDemoHeadless(*demo);
    EXPECT_EQ(replayed.error, "");
    EXPECT_EQ(replayed.checksum, demo->end().checksum);

    // The same input from another stored speed ends elsewhere: the demo's speed is the one used.
    std::ifstream file(path, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::remove(path.c_str());
    const size_t at = bytes.find(std::string("mouse_speed\x01") + "3");
    ASSERT_NE(at, std::string::npos);
    bytes[at + 12] = '5';
    auto faster = DemoReader::fromBytes({bytes.begin(), bytes.end()}, "faster", error);
    ASSERT_TRUE(faster) << error;
    EXPECT_NE(replayDemoHeadless(*faster).error, "");
}

}  // namespace
}  // namespace darts
