// The sharp picture and its smooth HUD pictures are off unless the settings file or the command
// line asks for them, and the settings file writes them back.
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "options/command_line.h"
#include "options/settings_file.h"

namespace darts {
namespace {

TEST(SharpOption, OffByDefaultOnByFileOrCommandLine) {
    EXPECT_FALSE(GameOptions{}.sharp);
    const std::vector<std::string_view> none;
    EXPECT_FALSE(parseCommandLine(none).options->sharp);
    const std::vector<std::string_view> sharp{"--window", "--sharp"};
    const CommandLine line = parseCommandLine(sharp);
    ASSERT_TRUE(line.options) << line.error;
    EXPECT_TRUE(line.options->sharp);
    EXPECT_TRUE(line.options->windowed);

    GameOptions fromFile;
    std::vector<std::string> warnings;
    applySettingsText("sharp = yes\n", "test.conf", fromFile, warnings);
    EXPECT_TRUE(warnings.empty());
    EXPECT_TRUE(fromFile.sharp);
    applySettingsText("sharp = sometimes\n", "test.conf", fromFile, warnings);
    EXPECT_EQ(warnings.size(), 1u);
    EXPECT_TRUE(fromFile.sharp);  // a bad value leaves the setting as it was

    // Written back and read again as it was.
    GameOptions reread;
    applySettingsText(settingsText(fromFile), "test.conf", reread, warnings);
    EXPECT_TRUE(reread.sharp);
    applySettingsText(settingsText(GameOptions{}), "test.conf", reread, warnings);
    EXPECT_FALSE(reread.sharp);
}

TEST(SharpOption, SmoothHudIsItsOwnSwitchOffByDefault) {
    EXPECT_FALSE(GameOptions{}.smoothHud);
    const std::vector<std::string_view> none;
    EXPECT_FALSE(parseCommandLine(none).options->smoothHud);
    // Given alone it asks for nothing else: the sharp picture stays as it was chosen.
    const std::vector<std::string_view> smooth{"--smooth-hud"};
    CommandLine line = parseCommandLine(smooth);
    ASSERT_TRUE(line.options) << line.error;
    EXPECT_TRUE(line.options->smoothHud);
    EXPECT_FALSE(line.options->sharp);
    const std::vector<std::string_view> both{"--sharp", "--smooth-hud"};
    line = parseCommandLine(both);
    ASSERT_TRUE(line.options) << line.error;
    EXPECT_TRUE(line.options->sharp && line.options->smoothHud);
    EXPECT_NE(usageText("darts").find("--smooth-hud"), std::string::npos);
    // The command line adds to the file's choice and never takes it away.
    GameOptions base;
    base.smoothHud = true;
    EXPECT_TRUE(parseCommandLine(none, base).options->smoothHud);

    GameOptions fromFile;
    std::vector<std::string> warnings;
    applySettingsText("smooth_hud = on\n", "test.conf", fromFile, warnings);
    EXPECT_TRUE(warnings.empty());
    EXPECT_TRUE(fromFile.smoothHud);
    EXPECT_FALSE(fromFile.sharp);
    applySettingsText("smooth_hud = blurry\nsmooth_hud\n", "test.conf", fromFile, warnings);
    EXPECT_EQ(warnings.size(), 2u);
    EXPECT_TRUE(fromFile.smoothHud);
    applySettingsText("smooth_hud = no\n", "test.conf", fromFile, warnings);
    EXPECT_FALSE(fromFile.smoothHud);

    // Written with the other keys, under its own comment, and read back as it was.
    fromFile.smoothHud = true;
    const std::string text = settingsText(fromFile);
    EXPECT_NE(text.find("\nsmooth_hud = yes\n"), std::string::npos);
    EXPECT_EQ(settingValue("smooth_hud", GameOptions{}), "no");
    GameOptions reread;
    applySettingsText(text, "test.conf", reread, warnings);
    EXPECT_TRUE(reread.smoothHud);
    EXPECT_EQ(warnings.size(), 2u);  // only the two bad lines above
}

}  // namespace
}  // namespace darts
