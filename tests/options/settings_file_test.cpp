// The settings file: what each key does, one warning per bad line, the command line over the
// file, and the atomic write the settings screen relies on.
#include "options/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>

namespace darts {
namespace {

namespace fs = std::filesystem;

GameOptions read(std::string_view text, std::vector<std::string>* warnings = nullptr) {
    GameOptions options;
    std::vector<std::string> seen;
    applySettingsText(text, "test.conf", options, seen);
    if (warnings != nullptr) *warnings = seen;
    return options;
}

TEST(Settings, AnEmptyOrCommentOnlyFileChangesNothing) {
    std::vector<std::string> warnings;
    const GameOptions options = read("# nothing\n; nor this\n\n   \n", &warnings);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(settingsText(options), settingsText(GameOptions{}));
    EXPECT_EQ(options.mouseSpeed, 3);
    EXPECT_EQ(options.musicVolume, 100);
    EXPECT_EQ(options.language, "ja");
    EXPECT_FALSE(options.windowed);
}

// `#` starts a comment after a blank as `;` does; glued to a value it is part of the value.
TEST(Settings, AnInlineHashCommentIsTakenAsASemicolonOneIs) {
    std::vector<std::string> warnings;
    const GameOptions options =
        read("mute = yes # quiet at night\nmusic_volume = 40\t#\nscale = 2#3\n", &warnings);
    EXPECT_TRUE(options.mute);
    EXPECT_EQ(options.musicVolume, 40);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("bad value '2#3'"), std::string::npos) << warnings[0];
}

TEST(Settings, EveryKeyIsRead) {
    std::vector<std::string> warnings;
    const GameOptions options = read(
        "\xEF\xBB\xBF"
        "display = window\r\nscale = 2\nstretch = yes\nmusic_volume = 40\n"
        "effect_volume=0\nmute = on ; quiet at night\nmouse_speed = 7\nrumble = no\n"
        "awards = true\nlanguage = en\n",
        &warnings);
    EXPECT_TRUE(warnings.empty()) << warnings.front();
    EXPECT_TRUE(options.windowed);
    EXPECT_FALSE(options.displayMode);
    EXPECT_EQ(options.scale, 2);
    EXPECT_TRUE(options.stretch);
    EXPECT_EQ(options.musicVolume, 40);
    EXPECT_EQ(options.effectVolume, 0);
    EXPECT_TRUE(options.mute);
    EXPECT_EQ(options.mouseSpeed, 7);
    EXPECT_FALSE(options.rumble);
    EXPECT_TRUE(options.awards);
    EXPECT_EQ(options.language, "en");

    EXPECT_TRUE(read("display = mode").displayMode);
    EXPECT_FALSE(read("display = mode\ndisplay = fullscreen").displayMode);
    EXPECT_FALSE(read("scale = 3\nscale = auto").scale);
}

TEST(Settings, EachBadLineCostsOneWarningWithItsNumberAndTheRestApplies) {
    std::vector<std::string> warnings;
    const GameOptions options = read(
        "music_volume = 20\n"     // 1
        "volume = 3\n"            // 2 unknown key
        "just words\n"            // 3 no '='
        "music_volume = 101\n"    // 4 out of range, the 20 stays
        "mouse_speed = 0\n"       // 5
        "mute = maybe\n"          // 6
        "[section]\n"             // 7
        "language = fr\n"         // 8
        "effect_volume = 5x\n"    // 9
        "display = huge\n"        // 10
        "effect_volume = 60\n"    // 11
        + std::string(300, 'a') + " = 1\n",  // 12: longer than a line may be
        &warnings);
    ASSERT_EQ(warnings.size(), 10u);  // lines 2..10 and 12; line 11 is good
    for (size_t i = 0; i < warnings.size(); ++i) {
        const size_t line = i < 9 ? i + 2 : 12;
        EXPECT_EQ(warnings[i].rfind("test.conf:" + std::to_string(line) + ": ", 0), 0u)
            << warnings[i];
        EXPECT_EQ(warnings[i].find('\n'), std::string::npos);
    }
    EXPECT_NE(warnings[0].find("unknown key 'volume'"), std::string::npos);
    EXPECT_EQ(options.musicVolume, 20);
    EXPECT_EQ(options.effectVolume, 60);
    EXPECT_EQ(options.mouseSpeed, 3);
    EXPECT_FALSE(options.mute);
    EXPECT_EQ(options.language, "ja");
}

TEST(Settings, WhatIsWrittenReadsBackTheSame) {
    GameOptions options;
    options.displayMode = true;
    options.scale = 4;
    options.musicVolume = 1;
    options.effectVolume = 99;
    options.mute = true;
    options.mouseSpeed = 20;
    options.rumble = false;
    options.language = "en";
    std::vector<std::string> warnings;
    const GameOptions reread = read(settingsText(options), &warnings);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(settingsText(reread), settingsText(options));
    EXPECT_TRUE(reread.displayMode);
    EXPECT_EQ(reread.scale, 4);
}

TEST(Settings, TheCommandLineOverridesTheFileForThatRun) {
    const GameOptions file = read("music_volume = 10\nmute = yes\nmouse_speed = 5\ndisplay = window");
    const std::vector<std::string_view> arguments{"--music-volume", "80", "--effect-volume", "0"};
    const CommandLine line = parseCommandLine(arguments, file);
    ASSERT_TRUE(line.options) << line.error;
    EXPECT_EQ(line.options->musicVolume, 80);
    EXPECT_EQ(line.options->effectVolume, 0);
    EXPECT_TRUE(line.options->mute);  // not on the command line: the file's
    EXPECT_TRUE(line.options->windowed);
    EXPECT_EQ(line.options->mouseSpeed, 5);
}

TEST(Settings, DemosAlwaysMoveTheCursorAtTheGamesOwnSpeed) {
    const GameOptions file = read("mouse_speed = 9");
    const std::vector<std::string_view> play{"--playdemo", "a.dem"};
    EXPECT_EQ(parseCommandLine(play, file).options->mouseSpeed, 3);
    const std::vector<std::string_view> record{"--record", "a.dem"};
    EXPECT_EQ(parseCommandLine(record, file).options->mouseSpeed, 3);
    const std::vector<std::string_view> both{"--record", "a.dem", "--mouse-speed", "4"};
    EXPECT_FALSE(parseCommandLine(both, file).options);
    const std::vector<std::string_view> bad{"--mouse-speed", "21"};
    EXPECT_FALSE(parseCommandLine(bad).options);
    const std::vector<std::string_view> help{"--window", "--help"};
    EXPECT_TRUE(parseCommandLine(help).helpWanted);
}

class SettingsFile : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("darts_settings_" + std::to_string(getpid()));
        fs::remove_all(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path folder_;
};

TEST_F(SettingsFile, ItsPlaceFollowsXdgConfigHomeThenHome) {
    const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string kept = savedConfig ? savedConfig : "";
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(settingsFilePath(), "/cfg/darts301/darts301.conf");
    setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
    setenv("HOME", "/home/p", 1);
    EXPECT_EQ(settingsFilePath(), "/home/p/.config/darts301/darts301.conf");
    if (savedConfig) setenv("XDG_CONFIG_HOME", kept.c_str(), 1);
    else unsetenv("XDG_CONFIG_HOME");
}

TEST_F(SettingsFile, IsWrittenIntoNewFoldersAndReplacedWhole) {
    const std::string path = (folder_ / "a" / "b" / "darts301.conf").string();
    std::string error;
    ASSERT_TRUE(writeSettingsFile(path, "mute = yes\n", error)) << error;
    ASSERT_TRUE(writeSettingsFile(path, "music_volume = 5\n", error)) << error;
    GameOptions options;
    std::vector<std::string> warnings;
    applySettingsFile(path, options, warnings);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(options.musicVolume, 5);
    EXPECT_FALSE(options.mute);  // the old file is gone, not merged
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "a" / "b"), {}), 1);
}

TEST_F(SettingsFile, AFailedWriteKeepsTheOldFile) {
    fs::create_directories(folder_);
    const std::string path = (folder_ / "darts301.conf").string();
    std::string error;
    ASSERT_TRUE(writeSettingsFile(path, "mute = yes\n", error));
    if (geteuid() != 0) {
        fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(writeSettingsFile(path, "mute = no\n", error));
        EXPECT_NE(error.find(path), std::string::npos);
        fs::permissions(folder_, fs::perms::owner_all);
    }
    // A folder where the file should be: the write fails and says so in one line.
    EXPECT_FALSE(writeSettingsFile((folder_ / "darts301.conf" / "x").string(), "", error));
    EXPECT_EQ(error.find('\n'), std::string::npos);
    GameOptions options;
    std::vector<std::string> warnings;
    applySettingsFile(path, options, warnings);
    EXPECT_TRUE(options.mute);
}

// A dotfile manager's link stays a link and its target gets the new text, a chain of links too.
TEST_F(SettingsFile, IsWrittenThroughASymbolicLink) {
    fs::create_directories(folder_ / "dotfiles");
    const fs::path target = folder_ / "dotfiles" / "darts301.conf";
    std::ofstream(target) << "mute = yes\n";
    fs::create_symlink("dotfiles/darts301.conf", folder_ / "middle");
    fs::create_symlink("middle", folder_ / "darts301.conf");
    std::string error;
    ASSERT_TRUE(writeSettingsFile((folder_ / "darts301.conf").string(), "mute = no\n", error))
        << error;
    EXPECT_TRUE(fs::is_symlink(folder_ / "darts301.conf"));
    std::ifstream in(target);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "mute = no");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "dotfiles"), {}), 1);
}

// A FIFO or a folder at the settings path is neither opened for reading (a FIFO would block the
// start for good) nor written over.
TEST_F(SettingsFile, AnythingButAFileIsOneWarningAndLeftAlone) {
    fs::create_directories(folder_);
    const std::string fifo = (folder_ / "darts301.conf").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    GameOptions options;
    std::vector<std::string> warnings;
    applySettingsFile(fifo, options, warnings);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("not a regular file"), std::string::npos) << warnings[0];
    std::string error;
    EXPECT_FALSE(writeSettingsFile(fifo, "mute = yes\n", error));
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(error.find('\n'), std::string::npos);
}

TEST_F(SettingsFile, MissingIsSilentUnreadableOrHugeIsOneWarning) {
    GameOptions options;
    std::vector<std::string> warnings;
    applySettingsFile((folder_ / "none.conf").string(), options, warnings);
    EXPECT_TRUE(warnings.empty());
    fs::create_directories(folder_ / "dir.conf");
    applySettingsFile((folder_ / "dir.conf").string(), options, warnings);
    EXPECT_EQ(warnings.size(), 1u);
    const fs::path huge = folder_ / "huge.conf";
    std::ofstream(huge) << std::string(70000, '#');
    applySettingsFile(huge.string(), options, warnings);
    EXPECT_EQ(warnings.size(), 2u);
    EXPECT_EQ(settingsText(options), settingsText(GameOptions{}));
}

// What the settings screen writes: the keys it changed, every other line of the player's file as
// it was, so a comment, a key of a later version or a line with a typo is never lost.
TEST(Settings, AnUpdateChangesOnlyTheGivenKeysAndKeepsEveryOtherLine) {
    const std::string existing =
        "# my settings\n"
        "music_volume = 40\n"
        "  future_key = 7\n"
        "mute = perhaps\n"
        "music_volume=55\n"
        "\n"
        "language = en";  // no newline at the end
    GameOptions options;
    options.musicVolume = 70;
    options.mouseSpeed = 5;
    options.mute = true;  // not among the keys: its line stays as the player wrote it
    const std::string_view keys[] = {"music_volume", "mouse_speed"};
    const std::string updated = updatedSettingsText(existing, options, keys);
    EXPECT_EQ(updated,
              "# my settings\n"
              "music_volume = 70\n"
              "  future_key = 7\n"
              "mute = perhaps\n"
              "music_volume = 70\n"
              "\n"
              "language = en\n"
              "mouse_speed = 5\n");
    // Read back, the new values hold and the untouched lines still give their warnings.
    std::vector<std::string> warnings;
    const GameOptions back = read(updated, &warnings);
    EXPECT_EQ(back.musicVolume, 70);
    EXPECT_EQ(back.mouseSpeed, 5);
    EXPECT_EQ(back.language, "en");
    EXPECT_EQ(warnings.size(), 2u);  // future_key and the bad mute
}

TEST(Settings, AnUpdateOfTheDefaultsTextReadsBackAsTheOptions) {
    GameOptions options;
    options.windowed = true;
    options.scale = 2;
    options.effectVolume = 0;
    options.rumble = false;
    const std::string_view keys[] = {"display", "scale", "effect_volume", "rumble"};
    const std::string updated = updatedSettingsText(settingsText(GameOptions{}), options, keys);
    EXPECT_EQ(updated, settingsText(options));  // each key in its own place, comments kept
    EXPECT_EQ(settingsText(read(updated)), settingsText(options));
    EXPECT_EQ(settingValue("display", options), "window");
    EXPECT_EQ(settingValue("scale", GameOptions{}), "auto");
    EXPECT_EQ(settingValue("no_such_key", options), "");
}

}  // namespace
}  // namespace darts
