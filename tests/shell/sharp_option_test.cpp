// The sharp picture is off unless the settings file or the command line asks for it, and the
// settings screen writes it back.
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "shell/command_line.h"
#include "shell/settings.h"

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

}  // namespace
}  // namespace darts
