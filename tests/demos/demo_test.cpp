// Demo files and their playback: the format read back exactly as written, damaged files refused
// before anything plays, and a replay that stops at the first frame where the game and the demo
// part ways.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/state_checksum.h"
#include "demos/demo_file.h"
#include "demos/demo_input.h"
#include "demos/demo_replay.h"

namespace darts {
namespace {

using platform::MouseObject;
using platform::MouseRecord;
using platform::UiEvent;

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class DemoFileTest : public ::testing::Test {
  protected:
    // One file per test: CTest runs the tests of this suite side by side.
    std::string path = ::testing::TempDir() + "demo_file_test_" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".dem";
    void TearDown() override { std::remove(path.c_str()); }

    // A short demo with one event of every kind.
    std::vector<uint8_t> writeSample() {
        std::string error;
        auto writer =
            DemoWriter::create(path, {kDemoVersion, 12345, kDemoOptionWindowed, {}}, error);
        EXPECT_TRUE(writer) << error;
        writer->escape(false);
        const MouseRecord records[] = {{MouseObject::X, -7}, {MouseObject::Button0, 0x80}};
        writer->mouse(records);
        writer->mouse({});
        writer->uiEvent({UiEvent::Kind::Text, 3, -4, "\xE3\x83\x9F\xE3\x82\xAB"});
        writer->uiNone();
        writer->frameEnd();
        writer->escape(true);
        writer->checksum(60, 0x0123456789abcdefULL);
        EXPECT_TRUE(writer->finish(61, 0xfedcba9876543210ULL, error)) << error;
        return readBytes(path);
    }
};

TEST_F(DemoFileTest, ReadsBackEveryEventAsWritten) {
    std::string error;
    auto reader = DemoReader::fromBytes(writeSample(), "sample", error);
    ASSERT_TRUE(reader) << error;
    EXPECT_EQ(reader->header().seed, 12345u);
    EXPECT_EQ(reader->header().options, kDemoOptionWindowed);
    EXPECT_EQ(reader->end().frame, 61u);

    DemoEvent e;
    ASSERT_TRUE(reader->next(e));
    EXPECT_EQ(e.kind, DemoEvent::Kind::Escape);
    EXPECT_FALSE(e.escapeDown);
    ASSERT_TRUE(reader->next(e));
    ASSERT_EQ(e.kind, DemoEvent::Kind::Mouse);
    ASSERT_EQ(e.mouse.size(), 2u);
    EXPECT_EQ(e.mouse[0].object, MouseObject::X);
    EXPECT_EQ(e.mouse[0].data, -7);
    EXPECT_EQ(e.mouse[1].object, MouseObject::Button0);
    EXPECT_EQ(e.mouse[1].data, 0x80);
    ASSERT_TRUE(reader->next(e));
    EXPECT_EQ(e.kind, DemoEvent::Kind::Mouse);
    EXPECT_TRUE(e.mouse.empty());  // an empty read is an answer too
    ASSERT_TRUE(reader->next(e));
    ASSERT_EQ(e.kind, DemoEvent::Kind::UiEvent);
    EXPECT_EQ(e.ui.kind, UiEvent::Kind::Text);
    EXPECT_EQ(e.ui.x, 3);
    EXPECT_EQ(e.ui.y, -4);
    EXPECT_EQ(e.ui.text, "\xE3\x83\x9F\xE3\x82\xAB");
    ASSERT_TRUE(reader->next(e));
    EXPECT_EQ(e.kind, DemoEvent::Kind::UiNone);
    ASSERT_TRUE(reader->next(e));
    EXPECT_EQ(e.kind, DemoEvent::Kind::FrameEnd);
    ASSERT_TRUE(reader->next(e));
    EXPECT_TRUE(e.escapeDown);
    ASSERT_TRUE(reader->next(e));
    EXPECT_EQ(e.kind, DemoEvent::Kind::Checksum);
    EXPECT_EQ(e.frame, 60u);
    EXPECT_EQ(e.checksum, 0x0123456789abcdefULL);
    ASSERT_TRUE(reader->next(e));
    EXPECT_EQ(e.kind, DemoEvent::Kind::End);
    EXPECT_EQ(e.checksum, 0xfedcba9876543210ULL);
    EXPECT_FALSE(reader->next(e));
}

TEST_F(DemoFileTest, EveryCutShortFileIsRefusedWithOneLine) {
    const std::vector<uint8_t> whole = writeSample();
    for (size_t length = 0; length < whole.size(); ++length) {
        std::string error;
        std::vector<uint8_t> cut(whole.begin(), whole.begin() + long(length));
        EXPECT_FALSE(DemoReader::fromBytes(cut, "cut", error)) << length;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

TEST_F(DemoFileTest, DamagedFilesAreRefused) {
    const std::vector<uint8_t> whole = writeSample();
    const size_t firstEvent = 8 + 12 + 1;  // after the header and its count of settings
    auto refused = [](std::vector<uint8_t> bytes, const char* why) {
        std::string error;
        EXPECT_FALSE(DemoReader::fromBytes(std::move(bytes), "damaged", error)) << why;
        return error;
    };
    std::vector<uint8_t> bytes = whole;
    bytes[0] = 'X';
    EXPECT_NE(refused(bytes, "magic").find("not a demo"), std::string::npos);
    bytes = whole;
    bytes[8] = 3;  // format version 3
    EXPECT_NE(refused(bytes, "version").find("version 3"), std::string::npos);
    bytes = whole;
    bytes[firstEvent] = 'Q';  // no such event
    EXPECT_NE(refused(bytes, "tag").find("byte 21"), std::string::npos);
    bytes = whole;
    bytes[firstEvent + 1] = 2;  // Escape neither up nor down
    refused(bytes, "escape value");
    bytes = whole;
    bytes[firstEvent + 3] = 101;  // more mouse records than the buffer holds
    refused(bytes, "mouse count");
    bytes = whole;
    bytes[firstEvent + 4] = 40;  // no such part of the mouse
    refused(bytes, "mouse part");
    bytes = whole;
    bytes[16] |= 4;  // an option this game does not know
    EXPECT_NE(refused(bytes, "options").find("options"), std::string::npos);
    bytes = whole;
    bytes.push_back('F');  // something after the end
    EXPECT_NE(refused(bytes, "trailing").find("after its end"), std::string::npos);
}

TEST_F(DemoFileTest, AnUnfinishedRecordingLeavesNoFile) {
    std::string error;
    auto writer = DemoWriter::create(path, {}, error);
    ASSERT_TRUE(writer) << error;
    writer->escape(false);
    writer.reset();  // the game never got as far as playing
    EXPECT_FALSE(DemoReader::open(path, error));
    EXPECT_NE(error.find("cannot open"), std::string::npos) << error;
}

TEST_F(DemoFileTest, MissingFilesAndUnwritablePathsSaySo) {
    std::string error;
    EXPECT_FALSE(DemoReader::open(path + ".missing", error));
    EXPECT_NE(error.find("cannot open"), std::string::npos);
    EXPECT_FALSE(DemoWriter::create("/nonexistent-folder/x.dem", {}, error));
    EXPECT_NE(error.find("cannot create"), std::string::npos);
}

// The player answers the game from the demo and notices the first answer it cannot give.
class DemoPlayerTest : public DemoFileTest {
  protected:
    std::unique_ptr<DemoReader> reader;
    GameState state;

    std::unique_ptr<DemoPlayer> playerFor(const std::function<void(DemoWriter&)>& events,
                                          uint64_t frames, uint64_t endChecksum) {
        std::string error;
        auto writer = DemoWriter::create(path, {}, error);
        events(*writer);
        EXPECT_TRUE(writer->finish(frames, endChecksum, error));
        reader = DemoReader::open(path, error);
        EXPECT_TRUE(reader) << error;
        return std::make_unique<DemoPlayer>(*reader, state);
    }
};

TEST_F(DemoPlayerTest, AnswersInOrderAndChecksTheEnd) {
    auto player = playerFor(
        [](DemoWriter& w) {
            w.escape(true);
            const MouseRecord record{MouseObject::Y, 5};
            w.mouse({&record, 1});
            w.frameEnd();
        },
        1, stateChecksum(state));
    EXPECT_TRUE(player->input().escapeDown());
    MouseRecord out[100];
    ASSERT_EQ(player->input().readMouse(out, 100), 1);
    EXPECT_EQ(out[0].data, 5);
    player->framePresented(1);
    player->gameEnded(1);
    EXPECT_FALSE(player->failed()) << player->error();
}

TEST_F(DemoPlayerTest, AQuestionTheDemoDidNotRecordEndsPlayback) {
    auto player = playerFor([](DemoWriter& w) { w.escape(false); }, 0, 0);
    MouseRecord out[100];
    EXPECT_EQ(player->input().readMouse(out, 100), 0);
    ASSERT_TRUE(player->failed());
    EXPECT_NE(player->error().find("out of step"), std::string::npos);
    EXPECT_NE(player->error().find("frame 1"), std::string::npos);
    // From then on nothing more is read: Escape stays up and the input stays empty.
    EXPECT_FALSE(player->input().escapeDown());
    platform::UiEvent event;
    EXPECT_FALSE(player->ui().poll(event));
}

TEST_F(DemoPlayerTest, AStateThatDiffersFromTheRecordingEndsPlayback) {
    auto player = playerFor(
        [this](DemoWriter& w) {
            w.frameEnd();
            w.checksum(1, stateChecksum(state) + 1);
        },
        1, 0);
    player->framePresented(1);
    ASSERT_TRUE(player->failed());
    EXPECT_NE(player->error().find("after frame 1"), std::string::npos);
}

TEST_F(DemoPlayerTest, AGameThatOutlastsTheDemoOrEndsElsewhereIsReported) {
    auto player = playerFor([](DemoWriter& w) { w.frameEnd(); }, 1, stateChecksum(state));
    player->framePresented(1);
    EXPECT_FALSE(player->input().escapeDown());
    EXPECT_NE(player->error().find("out of step"), std::string::npos);

    player = playerFor([](DemoWriter& w) { w.frameEnd(); }, 1, stateChecksum(state));
    player->framePresented(1);
    player->gameEnded(2);
    EXPECT_NE(player->error().find("ended after 2 frames"), std::string::npos);

    player = playerFor([](DemoWriter& w) { w.frameEnd(); }, 1, stateChecksum(state) ^ 1);
    player->framePresented(1);
    player->gameEnded(1);
    EXPECT_NE(player->error().find("different state"), std::string::npos);
}

TEST_F(DemoPlayerTest, AStoppedPlaybackJudgesNothingMore) {
    auto player = playerFor([](DemoWriter& w) { w.frameEnd(); }, 1, 0);
    player->stop();  // a frame limit: the game quits where the demo goes on
    EXPECT_FALSE(player->input().escapeDown());
    player->framePresented(1);
    player->gameEnded(7);
    EXPECT_FALSE(player->failed()) << player->error();
}

// The demos made by playing, replayed through the whole game without a screen.
std::unique_ptr<DemoReader> openDemo(const std::string& name, std::vector<uint8_t>* bytes = nullptr) {
    const std::vector<uint8_t> file = readBytes("tests/demos/" + name);
    if (bytes != nullptr) *bytes = file;
    std::string error;
    auto reader = DemoReader::fromBytes(file, name, error);
    EXPECT_TRUE(reader) << error;
    return reader;
}

// Every demo in the folder, so that one dropped there is played without touching this test.
std::vector<std::string> shippedDemos() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator("tests/demos")) {
        if (entry.path().extension() == ".dem") names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(DemoReplay, TheRecordedDemosPlayToTheirRecordedEnd) {
    const std::vector<std::string> names = shippedDemos();
    EXPECT_GE(names.size(), 5u) << "run from the top of the repository";
    for (const std::string& name : names) {
        auto demo = openDemo(name);
        ASSERT_TRUE(demo);
        const DemoReplayResult result = replayDemoHeadless(*demo);
        EXPECT_EQ(result.error, "") << name;
        EXPECT_EQ(result.frames, demo->end().frame) << name;
        EXPECT_EQ(result.checksum, demo->end().checksum) << name;
    }
}

TEST(DemoReplay, AnotherSeedMakesAnotherGameAndPlaybackStops) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(openDemo("bar-win.dem", &bytes));
    bytes[12] ^= 1;  // the seed's lowest bit
    std::string error;
    auto demo = DemoReader::fromBytes(bytes, "reseeded", error);
    ASSERT_TRUE(demo) << error;
    const DemoReplayResult result = replayDemoHeadless(*demo);
    EXPECT_NE(result.error.find("differs from the demo's after frame 60"), std::string::npos)
        << result.error;
    EXPECT_LT(result.frames, 100u);  // it stopped there and then
}

// The language changes texts the state holds: a demo is played in the one it was recorded in,
// whatever the player has chosen.
TEST(DemoReplay, ADemoPlaysInTheLanguageItWasRecordedIn) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(openDemo("bar-win.dem", &bytes));
    bytes[16] |= kDemoOptionEnglish;  // says English, yet recorded in Japanese
    std::string error;
    auto demo = DemoReader::fromBytes(bytes, "english", error);
    ASSERT_TRUE(demo) << error;
    EXPECT_EQ(demoLanguage(demo->header()), Language::English);
    const DemoReplayResult result = replayDemoHeadless(*demo);
    EXPECT_NE(result.error.find("differs from the demo's after frame"), std::string::npos)
        << result.error;
    EXPECT_EQ(demoOptions(true, Language::English), kDemoOptionWindowed | kDemoOptionEnglish);
}

}  // namespace
}  // namespace darts
