#include <gtest/gtest.h>

#include <unistd.h>
#include <deque>
#include <filesystem>
#include <string>

#include "demos/run_control.h"
#include "gfx/image.h"

namespace darts {
namespace {

namespace fs = std::filesystem;

// A device whose every frame is one flat colour that changes from frame to frame, so that a
// picture tells which frame it shows.
class ColourFrames : public render::HeadlessDevice {
  public:
    int presented = 0;
    int reads = 0;
    void endFrame() override { ++presented; }
    std::optional<gfx::Image> readFrame() override {
        ++reads;
        gfx::Image image{4, 2, std::vector<uint8_t>(4 * 2 * 4)};
        for (size_t i = 0; i < image.rgba.size(); i += 4) {
            image.rgba[i] = static_cast<uint8_t>(presented * 10);
            image.rgba[i + 3] = 255;
        }
        return image;
    }
};

class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "darts-frames-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempFolder() { fs::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

  private:
    fs::path path_;
};

void presentFrames(render::Device& device, int count) {
    for (int i = 0; i < count; ++i) {
        device.beginFrame();
        device.endFrame();
    }
}

TEST(CountingDevice, CountsPresentedFramesAndPassesCallsOn) {
    ColourFrames inner;
    CountingDevice device(inner);
    EXPECT_NE(device.createFont(12, 14), 0u);
    EXPECT_EQ(device.createTexture(gfx::Image{}), 0u);  // the inner device's answer, refused
    presentFrames(device, 3);
    EXPECT_EQ(device.framesPresented(), 3u);
    EXPECT_EQ(inner.presented, 3);
    EXPECT_EQ(inner.reads, 0);  // no screenshot asked for: no read-back slows the frames
    EXPECT_TRUE(device.screenshotErrors().empty());
}

TEST(CountingDevice, WritesEachScreenshotOfItsFrameOnce) {
    TempFolder folder;
    ColourFrames inner;
    CountingDevice device(inner, {{2, folder.file("two.png")},
                                  {4, folder.file("four.png")},
                                  {2, folder.file("two-again.png")}});
    presentFrames(device, 5);
    EXPECT_TRUE(device.screenshotErrors().empty());
    EXPECT_EQ(inner.reads, 2);  // one read-back per frame, however many files want it

    for (const auto& [file, red] :
         {std::pair{"two.png", 20}, {"two-again.png", 20}, {"four.png", 40}}) {
        std::optional<gfx::Image> picture = gfx::decodeImageFile(folder.file(file));
        ASSERT_TRUE(picture) << file;
        EXPECT_EQ(picture->width, 4);
        EXPECT_EQ(picture->rgba[0], red) << file;
    }
}

TEST(CountingDevice, ReportsScreenshotsThatCannotBeTaken) {
    TempFolder folder;
    render::HeadlessDevice noPixels;
    CountingDevice headless(noPixels, {{1, folder.file("a.png")}});
    presentFrames(headless, 1);
    ASSERT_EQ(headless.screenshotErrors().size(), 1u);
    EXPECT_FALSE(fs::exists(folder.file("a.png")));

    ColourFrames inner;
    CountingDevice unwritable(inner, {{1, folder.file("no/such/folder/a.png")}});
    presentFrames(unwritable, 1);
    EXPECT_EQ(unwritable.screenshotErrors().size(), 1u);
}

TEST(CountingDevice, ReportsScreenshotsOfFramesNeverPresented) {
    TempFolder folder;
    ColourFrames inner;
    CountingDevice device(inner, {{3, folder.file("late.png")}});
    presentFrames(device, 2);
    const std::vector<std::string> errors = device.screenshotErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("late.png"), std::string::npos);
    presentFrames(device, 1);
    EXPECT_TRUE(device.screenshotErrors().empty());
}

class KeyAndMouse : public platform::InputSource {
  public:
    bool escape = false;
    int escapePolls = 0;
    bool escapeDown() override {
        ++escapePolls;
        return escape;
    }
    int readMouse(platform::MouseRecord* out, int capacity) override {
        if (capacity < 1) return 0;
        out[0] = {platform::MouseObject::X, 5};
        return 1;
    }
};

TEST(QuitAwareInput, HoldsEscapeWhileTheConditionHolds) {
    KeyAndMouse keys;
    bool quit = false;
    QuitAwareInput input(keys, [&] { return quit; });
    EXPECT_FALSE(input.escapeDown());
    keys.escape = true;
    EXPECT_TRUE(input.escapeDown());
    keys.escape = false;
    quit = true;
    EXPECT_TRUE(input.escapeDown());
    EXPECT_TRUE(input.escapeDown());
    EXPECT_EQ(keys.escapePolls, 4);  // the real keyboard is still read on every poll

    platform::MouseRecord records[4];
    ASSERT_EQ(input.readMouse(records, 4), 1);
    EXPECT_EQ(records[0].data, 5);
}

class QueuedUi : public platform::UiInput {
  public:
    std::deque<platform::UiEvent> events;
    bool textInput = false;
    void setTextInput(bool on) override { textInput = on; }
    bool poll(platform::UiEvent& event) override {
        if (events.empty()) return false;
        event = events.front();
        events.pop_front();
        return true;
    }
};

TEST(QuitAwareUi, SendsOneQuitAheadOfWaitingEvents) {
    using Kind = platform::UiEvent::Kind;
    QueuedUi queued;
    queued.events.push_back({Kind::Text, 0, 0, "a"});
    bool quit = false;
    QuitAwareUi ui(queued, [&] { return quit; });
    ui.setTextInput(true);
    EXPECT_TRUE(queued.textInput);

    quit = true;
    queued.events.push_back({Kind::ButtonDown, 1, 2, ""});
    platform::UiEvent event;
    ASSERT_TRUE(ui.poll(event));
    EXPECT_EQ(event.kind, Kind::Quit);
    ASSERT_TRUE(ui.poll(event));
    EXPECT_EQ(event.kind, Kind::Text);
    ASSERT_TRUE(ui.poll(event));
    EXPECT_EQ(event.kind, Kind::ButtonDown);
    EXPECT_FALSE(ui.poll(event));
}

}  // namespace
}  // namespace darts
