// Game paths on the host: Windows separators turned round, read from the data folder once one is
// set, while "" keeps them relative to the working folder.
#include <gtest/gtest.h>

#include "core/game_path.h"

namespace darts {
namespace {

TEST(GamePath, ReadsFromTheDataFolderOnceOneIsSet) {
    EXPECT_EQ(dataFolder(), "");
    EXPECT_EQ(gamePathToHost("data\\pcdata.kpd"), "data/pcdata.kpd");
    EXPECT_EQ(gamePathInFolder("sound\\FM_14.MID", "/opt/game"), "/opt/game/sound/FM_14.MID");

    setDataFolder("/usr/share/darts301");
    EXPECT_EQ(gamePathToHost("data\\Board.x"), "/usr/share/darts301/data/Board.x");
    // A texture named without a folder lies in the data folder itself, as in a working folder.
    EXPECT_EQ(gamePathToHost("hand.png"), "/usr/share/darts301/hand.png");
    setDataFolder("");
    EXPECT_EQ(gamePathToHost("data\\Board.x"), "data/Board.x");
}

}  // namespace
}  // namespace darts
