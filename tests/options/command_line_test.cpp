#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>
#include <vector>

#include "options/command_line.h"

namespace darts {
namespace {

CommandLine parse(std::initializer_list<std::string_view> arguments, GameOptions fromFile = {}) {
    const std::vector<std::string_view> list(arguments);
    return parseCommandLine(list, std::move(fromFile));
}

// A typed --game starts the game at once; the file's only remembers the last choice, and a demo
// being recorded keeps the typed one.
TEST(CommandLine, ABarGameStartsOnlyWhenTyped) {
    GameOptions file;
    file.game = "cricket";
    const CommandLine remembered = parse({}, file);
    ASSERT_TRUE(remembered.options);
    EXPECT_FALSE(remembered.options->startGame);
    const CommandLine typed = parse({"--game", "501", "--sides", "you,guest3:Aki Mori,r18c4,p",
                                     "--record", "x.dem"}, file);
    ASSERT_TRUE(typed.options) << typed.error;
    EXPECT_TRUE(typed.options->startGame);
    EXPECT_EQ(typed.options->game, "501");
    for (std::string_view bad : {"", "you,you", "r1,r1,r1,r1,r1", "guest9", "c0", "r", "x",
                                 "r8c", "r8c9", "you,", "guest3:", "guest3:a #b",
                                 "you:Aki", "c2:Aki"}) {
        EXPECT_FALSE(parse({"--sides", bad}).options) << bad;
    }
    EXPECT_FALSE(parse({"--game", "401"}).options);
}

TEST(CommandLine, NoOptionsPlayAsAlways) {
    const CommandLine line = parse({});
    ASSERT_TRUE(line.options);
    EXPECT_FALSE(line.options->windowed);
    EXPECT_FALSE(line.options->seed);
    EXPECT_FALSE(line.options->frames);
    EXPECT_TRUE(line.options->screenshots.empty());
    EXPECT_FALSE(line.options->awards);
}

TEST(CommandLine, AwardsAndReplaysAreFlagsThatNoDemoTakes) {
    const CommandLine line = parse({"--window", "--awards", "--replay", "--seed", "3"});
    ASSERT_TRUE(line.options) << line.error;
    EXPECT_TRUE(line.options->awards);
    EXPECT_TRUE(line.options->replay);
    for (const char* flag : {"--awards", "--replay"}) {
        for (const char* demo : {"--record", "--playdemo", "--timedemo"}) {
            const CommandLine refused = parse({flag, demo, "a.dem"});
            EXPECT_FALSE(refused.options) << demo;
            EXPECT_NE(refused.error.find(flag), std::string::npos) << refused.error;
        }
    }
}

TEST(CommandLine, ReadsEveryOptionAndKeepsScreenshotsInOrder) {
    const CommandLine line = parse({"--screenshot", "30:b.png", "--window", "--seed", "7",
                                    "--frames", "120", "--screenshot", "5:dir/a:b.png"});
    ASSERT_TRUE(line.options) << line.error;
    EXPECT_TRUE(line.options->windowed);
    EXPECT_EQ(line.options->seed, 7u);
    EXPECT_EQ(line.options->frames, 120u);
    ASSERT_EQ(line.options->screenshots.size(), 2u);
    EXPECT_EQ(line.options->screenshots[0].frame, 30u);
    EXPECT_EQ(line.options->screenshots[0].file, "b.png");
    // Only the first colon separates: the file name may hold more.
    EXPECT_EQ(line.options->screenshots[1].frame, 5u);
    EXPECT_EQ(line.options->screenshots[1].file, "dir/a:b.png");
}

TEST(CommandLine, SeedCoversTheGeneratorsWholeRange) {
    EXPECT_EQ(parse({"--seed", "0"}).options->seed, 0u);
    EXPECT_EQ(parse({"--seed", "4294967295"}).options->seed, 4294967295u);
    EXPECT_FALSE(parse({"--seed", "4294967296"}).options);
    EXPECT_FALSE(parse({"--seed", "99999999999999999999999"}).options);
}

TEST(CommandLine, RefusesMalformedNumbers) {
    for (std::string_view bad : {"", "-1", "+1", " 1", "1 ", "7x", "0x10", "1e3"}) {
        EXPECT_FALSE(parse({"--seed", bad}).options) << "seed '" << bad << "'";
        EXPECT_FALSE(parse({"--frames", bad}).options) << "frames '" << bad << "'";
    }
    EXPECT_FALSE(parse({"--frames", "0"}).options);
}

TEST(CommandLine, RefusesMalformedScreenshots) {
    for (std::string_view bad : {"", "10", "10:", ":a.png", "0:a.png", "-1:a.png", "x:a.png"}) {
        EXPECT_FALSE(parse({"--screenshot", bad}).options) << "'" << bad << "'";
    }
}

TEST(CommandLine, RefusesUnknownMissingAndRepeatedOptions) {
    const CommandLine unknown = parse({"--window", "--fullscreen"});
    EXPECT_FALSE(unknown.options);
    EXPECT_NE(unknown.error.find("--fullscreen"), std::string::npos);

    const CommandLine missing = parse({"--frames"});
    EXPECT_FALSE(missing.options);
    EXPECT_NE(missing.error.find("--frames"), std::string::npos);

    EXPECT_FALSE(parse({"--seed", "1", "--seed", "2"}).options);
    EXPECT_FALSE(parse({"--frames", "1", "--frames", "2"}).options);
    EXPECT_FALSE(parse({"7"}).options);
    EXPECT_FALSE(parse({"--window=yes"}).options);
}

TEST(CommandLine, EveryErrorIsOneLine) {
    for (const CommandLine& line : {parse({"--x"}), parse({"--seed"}), parse({"--seed", "a"}),
                                    parse({"--screenshot", "1"})}) {
        ASSERT_FALSE(line.error.empty());
        EXPECT_EQ(line.error.find('\n'), std::string::npos) << line.error;
    }
}

TEST(CommandLine, UsageNamesEveryOption) {
    const std::string usage = usageText("build/src/darts");
    EXPECT_EQ(usage.rfind("usage: build/src/darts", 0), 0u);
    for (const char* option : {"--window", "--seed", "--frames", "--screenshot"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(usage.back(), '\n');
}

TEST(CommandLine, DemoOptions) {
    CommandLine line = parse({"--record", "a.dem", "--seed", "3"});
    ASSERT_TRUE(line.options) << line.error;
    EXPECT_EQ(line.options->recordDemo, "a.dem");
    EXPECT_FALSE(line.options->playDemo);

    line = parse({"--playdemo", "b.dem", "--window", "--screenshot", "9:x.png"});
    ASSERT_TRUE(line.options) << line.error;
    EXPECT_EQ(line.options->playDemo, "b.dem");
    EXPECT_FALSE(line.options->timeDemo);

    line = parse({"--timedemo", "c.dem", "--frames", "100"});
    ASSERT_TRUE(line.options) << line.error;
    EXPECT_EQ(line.options->playDemo, "c.dem");
    EXPECT_TRUE(line.options->timeDemo);
}

TEST(CommandLine, DemoOptionsThatContradictEachOtherAreRefused) {
    // A demo brings its own seed; its input cannot be recorded again; one demo at a time.
    for (const auto& arguments :
         {std::vector<std::string_view>{"--playdemo", "a.dem", "--seed", "1"},
          std::vector<std::string_view>{"--timedemo", "a.dem", "--record", "b.dem"},
          std::vector<std::string_view>{"--playdemo", "a.dem", "--timedemo", "b.dem"},
          std::vector<std::string_view>{"--record", "a.dem", "--record", "b.dem"},
          std::vector<std::string_view>{"--record"}}) {
        const CommandLine line = parseCommandLine(arguments);
        EXPECT_FALSE(line.options) << arguments[0];
        EXPECT_FALSE(line.error.empty());
    }
}

TEST(CommandLine, DisplayOptions) {
    const CommandLine none = parse({});
    ASSERT_TRUE(none.options);
    EXPECT_FALSE(none.options->displayMode);
    EXPECT_FALSE(none.options->stretch);
    EXPECT_FALSE(none.options->scale);

    const CommandLine full = parse({"--display-mode", "--stretch"});
    ASSERT_TRUE(full.options) << full.error;
    EXPECT_TRUE(full.options->displayMode);
    EXPECT_TRUE(full.options->stretch);
    EXPECT_FALSE(full.options->windowed);

    const CommandLine window = parse({"--window", "--scale", "2"});
    ASSERT_TRUE(window.options) << window.error;
    EXPECT_TRUE(window.options->windowed);
    EXPECT_EQ(window.options->scale, 2);

    for (std::string_view bad : {"0", "17", "-1", "2x", ""}) {
        const CommandLine line = parse({"--scale", bad});
        EXPECT_FALSE(line.options) << bad;
        EXPECT_NE(line.error.find("--scale"), std::string::npos) << line.error;
    }
    EXPECT_FALSE(parse({"--scale", "2", "--scale", "3"}).options);
    EXPECT_FALSE(parse({"--scale"}).options);
    EXPECT_FALSE(parse({"--scale", "auto"}).options->scale);
    // A mode switch needs full screen.
    const CommandLine both = parse({"--window", "--display-mode"});
    EXPECT_FALSE(both.options);
    EXPECT_EQ(both.error.find('\n'), std::string::npos);
}

// Every switch can be turned off again on the command line, whatever the settings file says.
TEST(CommandLine, EverySwitchHasItsNoForm) {
    GameOptions allOn;
    allOn.windowed = allOn.stretch = allOn.sharp = allOn.smoothHud = allOn.awards = allOn.mute =
        allOn.rumble = true;
    const CommandLine off = parse({"--no-window", "--no-display-mode", "--no-stretch", "--no-sharp",
                                   "--no-smooth-hud", "--no-awards", "--no-mute", "--no-rumble"},
                                  allOn);
    ASSERT_TRUE(off.options) << off.error;
    const GameOptions& o = *off.options;
    EXPECT_FALSE(o.windowed || o.displayMode || o.stretch || o.sharp || o.smoothHud || o.awards ||
                 o.mute || o.rumble);
    const CommandLine on =
        parse({"--rumble", "--mute", "--window", "--no-window", "--display-mode"}, o);
    ASSERT_TRUE(on.options) << on.error;
    EXPECT_TRUE(on.options->rumble && on.options->mute && on.options->displayMode);
    EXPECT_FALSE(on.options->windowed);  // the later of the two counts
    const std::string usage = usageText("darts");
    for (const char* name :
         {"window", "display-mode", "stretch", "sharp", "smooth-hud", "awards", "mute", "rumble"}) {
        EXPECT_NE(usage.find(std::string("--[no-]") + name), std::string::npos) << name;
    }
    EXPECT_FALSE(parse({"--no-seed", "1"}).options);
}

// A setting in the file is not typed: the command line replaces it instead of contradicting it.
TEST(CommandLine, TypedOptionsOverrideTheSettingsFile) {
    GameOptions file;
    file.displayMode = true;
    file.scale = 2;
    const CommandLine window = parse({"--window", "--scale", "3"}, file);
    ASSERT_TRUE(window.options) << window.error;
    EXPECT_TRUE(window.options->windowed);
    EXPECT_FALSE(window.options->displayMode);
    EXPECT_EQ(window.options->scale, 3);
    EXPECT_FALSE(parse({"--scale", "auto"}, file).options->scale);

    file = {};
    file.windowed = true;
    const CommandLine mode = parse({"--display-mode"}, file);
    ASSERT_TRUE(mode.options) << mode.error;
    EXPECT_TRUE(mode.options->displayMode);
    EXPECT_FALSE(mode.options->windowed);
}

// What a demo cannot hold is left out when it comes from the file, and refused when typed.
TEST(CommandLine, ADemoLeavesOutTheFilesAwardsAndMouseSpeed) {
    GameOptions file;
    file.awards = true;
    file.replay = true;
    file.mouseSpeed = 9;
    file.language = "en";
    for (const char* demo : {"--record", "--playdemo", "--timedemo"}) {
        const CommandLine line = parse({demo, "a.dem"}, file);
        ASSERT_TRUE(line.options) << demo << ": " << line.error;
        EXPECT_FALSE(line.options->awards) << demo;
        EXPECT_FALSE(line.options->replay) << demo;
        EXPECT_EQ(line.options->mouseSpeed, kDefaultMouseSpeed) << demo;
    }
    EXPECT_EQ(parse({"--record", "a.dem"}, file).options->language, "en");  // stored in the demo
    EXPECT_TRUE(parse({"--record", "a.dem", "--language", "ja"}).options);
    // A demo being played keeps its own language; typed, another one is refused.
    const CommandLine language = parse({"--playdemo", "a.dem", "--language", "en"}, file);
    EXPECT_FALSE(language.options);
    EXPECT_NE(language.error.find("--language"), std::string::npos) << language.error;
}

}  // namespace
}  // namespace darts
