#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "awards/records_file.h"
#include "options/settings_file.h"

namespace darts {
namespace {

class RecordsFile : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("darts-records-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        path_ = (folder_ / "darts301" / "records").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    void writeRaw(const std::string& text) {
        std::filesystem::create_directories(folder_ / "darts301");
        std::ofstream(path_, std::ios::binary) << text;
    }

    std::filesystem::path folder_;
    std::string path_;
};

PlayerRecords playedTimes(int64_t n) {
    PlayerRecords records;
    records.characters[1].played = n;
    return records;
}

TEST_F(RecordsFile, PathFollowsXdgDataHome) {
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string keep = saved ? saved : "";
    const char* savedHome = std::getenv("HOME");
    const std::string keepHome = savedHome ? savedHome : "";
    ::setenv("XDG_DATA_HOME", "/some/where", 1);
    EXPECT_EQ(recordsPath(), "/some/where/darts301/records");
    ::setenv("XDG_DATA_HOME", "relative", 1);  // not absolute: ignored, HOME is used
    ::setenv("HOME", "/home/player", 1);
    EXPECT_EQ(recordsPath(), "/home/player/.local/share/darts301/records");
    // The rest of the run must see the environment it was started with.
    if (saved) {
        ::setenv("XDG_DATA_HOME", keep.c_str(), 1);
    } else {
        ::unsetenv("XDG_DATA_HOME");
    }
    if (savedHome) {
        ::setenv("HOME", keepHome.c_str(), 1);
    } else {
        ::unsetenv("HOME");
    }
}

// One rule for both files: an XDG_*_HOME or HOME that is not an absolute path gives no folder,
// rather than a folder relative to wherever the game was started.
TEST_F(RecordsFile, BothFilesFollowOneFolderRule) {
    const char* savedData = std::getenv("XDG_DATA_HOME");
    const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
    const char* savedHome = std::getenv("HOME");
    const std::string keep[3] = {savedData ? savedData : "", savedConfig ? savedConfig : "",
                                 savedHome ? savedHome : ""};
    ::setenv("XDG_DATA_HOME", "data", 1);
    ::setenv("XDG_CONFIG_HOME", "config", 1);
    ::setenv("HOME", "home", 1);
    EXPECT_EQ(recordsPath(), "");
    EXPECT_EQ(settingsFilePath(), std::nullopt);
    ::unsetenv("HOME");
    EXPECT_EQ(recordsPath(), "");
    EXPECT_EQ(settingsFilePath(), std::nullopt);
    ::setenv("HOME", "/h", 1);
    EXPECT_EQ(recordsPath(), "/h/.local/share/darts301/records");
    EXPECT_EQ(settingsFilePath(), "/h/.config/darts301/darts301.conf");
    auto restore = [](const char* name, const char* saved, const std::string& value) {
        if (saved) {
            ::setenv(name, value.c_str(), 1);
        } else {
            ::unsetenv(name);
        }
    };
    restore("XDG_DATA_HOME", savedData, keep[0]);
    restore("XDG_CONFIG_HOME", savedConfig, keep[1]);
    restore("HOME", savedHome, keep[2]);
}

TEST_F(RecordsFile, SavedRecordsLoadAgainAndAMissingFileIsNoProblem) {
    LoadedRecords none = loadRecords(path_);
    EXPECT_EQ(none.message, "");
    EXPECT_EQ(none.records.characters[1].played, 0);
    ASSERT_EQ(saveRecords(path_, playedTimes(4)), "");  // creates the folders
    LoadedRecords loaded = loadRecords(path_);
    EXPECT_EQ(loaded.message, "");
    EXPECT_EQ(loaded.records.characters[1].played, 4);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_ / "darts301"), {}), 1)
        << "no temporary file left behind";
}

TEST_F(RecordsFile, DamagedAndNewerFilesAreKeptAside) {
    writeRaw("darts301-records 1\ncharacter 1 played");
    LoadedRecords first = loadRecords(path_);
    EXPECT_NE(first.message.find("kept as " + path_ + ".damaged"), std::string::npos)
        << first.message;
    EXPECT_EQ(first.message.find('\n'), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(path_));
    EXPECT_EQ(first.records.characters[1].played, 0);

    writeRaw("garbage\n");  // a second damaged file keeps the first one aside too
    loadRecords(path_);
    EXPECT_TRUE(std::filesystem::exists(path_ + ".damaged"));
    EXPECT_TRUE(std::filesystem::exists(path_ + ".damaged.2"));

    writeRaw("darts301-records 7\n");
    LoadedRecords newer = loadRecords(path_);
    EXPECT_NE(newer.message.find("newer"), std::string::npos);
    std::ifstream kept(path_ + ".newer");
    std::string line;
    std::getline(kept, line);
    EXPECT_EQ(line, "darts301-records 7");
}

// Behind a link (a chain of them here) the records are written into the link's target, and a
// damaged target is moved aside where it is, so the next save goes through the link again.
TEST_F(RecordsFile, AreKeptThroughASymbolicLink) {
    std::filesystem::create_directories(folder_ / "darts301");
    std::filesystem::create_directories(folder_ / "dotfiles");
    const std::filesystem::path target = folder_ / "dotfiles" / "records";
    std::filesystem::create_symlink(target, folder_ / "middle");
    std::filesystem::create_symlink("../middle", path_);
    ASSERT_EQ(saveRecords(path_, playedTimes(3)), "");
    EXPECT_TRUE(std::filesystem::is_symlink(path_));
    EXPECT_EQ(loadRecords(target.string()).records.characters[1].played, 3);

    std::ofstream(target) << "garbage\n";
    const LoadedRecords damaged = loadRecords(path_);
    EXPECT_TRUE(damaged.usable);
    EXPECT_TRUE(std::filesystem::exists(target.string() + ".damaged")) << damaged.message;
    ASSERT_EQ(addToRecordsFile(path_, playedTimes(2)).message, "");
    EXPECT_TRUE(std::filesystem::is_symlink(path_));
    EXPECT_EQ(loadRecords(target.string()).records.characters[1].played, 2);
}

// A folder or a FIFO at the records path is not a damaged file: it is left where it is, never
// opened for reading (a FIFO would block the start), and nothing is written over it.
TEST_F(RecordsFile, AnythingButAFileIsLeftAlone) {
    std::filesystem::create_directories(path_);
    const std::string fifo = (folder_ / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    for (const std::string& path : {path_, fifo}) {
        SCOPED_TRACE(path);
        const LoadedRecords loaded = loadRecords(path);
        EXPECT_FALSE(loaded.usable);
        EXPECT_NE(loaded.message.find("not a regular file"), std::string::npos) << loaded.message;
        EXPECT_EQ(loaded.message.find('\n'), std::string::npos);
        const SavedRecords saved = addToRecordsFile(path, playedTimes(1));
        EXPECT_FALSE(saved.saved);
        EXPECT_FALSE(saved.usable);
        EXPECT_NE(saveRecords(path, playedTimes(1)), "");
    }
    EXPECT_TRUE(std::filesystem::is_directory(path_));
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_ / "darts301"), {}), 1)
        << "nothing moved aside";
}

TEST_F(RecordsFile, UnwritableFolderIsReportedNotFatal) {
    writeRaw("");
    const std::string inside = path_ + "/records";  // a folder path through a plain file
    EXPECT_NE(saveRecords(inside, playedTimes(1)), "");
}

// A writer killed at random moments while it rewrites the file over and over: whatever moment it
// dies at, the file holds either the old records or the new ones. The delay counts from the writer's
// start, not from the fork, so a slow machine still kills it mid-write; the last writer is killed
// only after one whole save, so the records are seen to move on however slow the machine is.
TEST_F(RecordsFile, SurvivesKillAtAnyMoment) {
    ASSERT_EQ(saveRecords(path_, playedTimes(0)), "");
    std::mt19937 random(1234);
    std::uniform_int_distribution<int> delay(0, 3000);
    constexpr int kRounds = 200;
    int64_t last = 0;
    for (int round = 1; round <= kRounds; ++round) {
        int progress[2];
        ASSERT_EQ(::pipe(progress), 0);
        const pid_t writer = ::fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            ::close(progress[0]);
            for (;;) {
                (void)!::write(progress[1], "s", 1);  // started, then one byte per whole save
                saveRecords(path_, playedTimes(round));
            }
        }
        ::close(progress[1]);
        char byte = 0;
        ASSERT_EQ(::read(progress[0], &byte, 1), 1);
        if (round == kRounds) ASSERT_EQ(::read(progress[0], &byte, 1), 1);
        else ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(writer, SIGKILL);
        int status = 0;
        ::waitpid(writer, &status, 0);
        ::close(progress[0]);
        std::ifstream in(path_, std::ios::binary);
        ASSERT_TRUE(in) << "round " << round << ": the records file is gone";
        const std::string text((std::istreambuf_iterator<char>(in)), {});
        const ParsedRecords parsed = parseRecords(text);
        ASSERT_EQ(parsed.status, ParsedRecords::Status::Ok) << "round " << round << ": " << text;
        const int64_t played = parsed.records.characters[1].played;
        ASSERT_TRUE(played == last || played == round) << "round " << round << ": " << played;
        last = played;
    }
    EXPECT_EQ(last, kRounds);
}

}  // namespace
}  // namespace darts
