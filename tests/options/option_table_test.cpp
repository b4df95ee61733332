// The option table against everything derived from it: each settings-file value means the same
// read from the file or typed, the settings a demo keeps come back as they were, and the manual
// names exactly the table's flags.
#include "options/option_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "options/demo_settings.h"
#include "options/settings_file.h"

namespace darts {
namespace {

bool isSwitch(const OptionEntry& option) { return option.type == OptionType::Switch; }

// Values the file takes for the option: both switch positions, a number's ends and its word,
// every word of a choice.
std::vector<std::string> goodValues(const OptionEntry& option) {
    std::vector<std::string> values;
    if (isSwitch(option)) values = {"yes", "no"};
    if (option.type == OptionType::Number) {
        values = {std::to_string(option.low), std::to_string(option.high)};
    }
    for (const OptionWord& word : option.words) values.emplace_back(word.word);
    return values;
}

std::vector<std::string> badValues(const OptionEntry& option) {
    if (option.type == OptionType::Number) {
        std::vector<std::string> values = {std::to_string(option.high + 1), "1x"};
        if (option.low > 0) values.push_back(std::to_string(option.low - 1));
        return values;
    }
    return {"maybe", "x" + std::string(option.words.empty() ? "" : option.words[0].word)};
}

// The same value as typed: a switch's --NAME or --no-NAME, a word's own flag (a word without one
// is all the others off), or the flag and the value.
std::vector<std::string> typed(const OptionEntry& option, const std::string& value) {
    if (isSwitch(option)) {
        return {value == "yes" ? std::string(option.flag)
                               : "--no-" + std::string(option.flag.substr(2))};
    }
    if (!option.flag.empty()) return {std::string(option.flag), value};
    std::vector<std::string> flags;
    for (const OptionWord& word : option.words) {
        if (word.word == value && !word.flag.empty()) return {std::string(word.flag)};
        if (!word.flag.empty()) flags.push_back("--no-" + std::string(word.flag.substr(2)));
    }
    return flags;
}

GameOptions fromFile(const std::string& text, std::vector<std::string>& warnings) {
    GameOptions options;
    applySettingsText(text, "test.conf", options, warnings);
    return options;
}

TEST(OptionTable, EveryFileValueMeansTheSameReadWrittenOrTyped) {
    for (const OptionEntry& option : kOptionTable) {
        if (option.key.empty()) continue;
        const std::string key(option.key);
        const std::vector<std::string> values = goodValues(option);
        for (size_t i = 0; i < values.size(); ++i) {
            // Start from another value, so that both ways have to change it.
            const std::string& value = values[i];
            const std::string other = values[(i + 1) % values.size()];
            std::vector<std::string> warnings;
            const GameOptions base = fromFile(key + " = " + other, warnings);
            GameOptions read = base;
            applySettingsText(key + " = " + value, "test.conf", read, warnings);
            EXPECT_TRUE(warnings.empty()) << key << " = " << value;
            EXPECT_EQ(settingValue(key, read), value) << key;
            EXPECT_EQ(settingsText(fromFile(settingsText(read), warnings)), settingsText(read));

            const std::vector<std::string> arguments = typed(option, value);
            const std::vector<std::string_view> views(arguments.begin(), arguments.end());
            const CommandLine line = parseCommandLine(views, base);
            ASSERT_TRUE(line.options) << key << " " << value << ": " << line.error;
            // Nothing else moved either way.
            EXPECT_EQ(settingsText(*line.options), settingsText(read)) << key << " " << value;
        }
        for (const std::string& value : badValues(option)) {
            std::vector<std::string> warnings;
            const GameOptions read = fromFile(key + " = " + value, warnings);
            EXPECT_EQ(warnings.size(), 1u) << key << " = " << value;
            EXPECT_EQ(settingsText(read), settingsText(GameOptions{})) << key << " = " << value;
            if (option.flag.empty() || isSwitch(option)) continue;  // no value typed to be bad
            const std::vector<std::string_view> arguments{option.flag, value};
            const CommandLine line = parseCommandLine(arguments);
            EXPECT_FALSE(line.options) << option.flag << " " << value;
            EXPECT_EQ(line.error.find('\n'), std::string::npos);
        }
    }
}

TEST(OptionTable, WhatADemoKeepsComesBackAndNothingElseIsTaken) {
    GameOptions played;
    played.language = "en";
    played.mouseSpeed = 7;
    played.awards = true;  // never kept: a demo plays without awards
    const std::vector<DemoSetting> kept = demoSettings(played);
    EXPECT_EQ(std::vector<DemoSetting>(kept.begin(), kept.begin() + 3),
              (std::vector<DemoSetting>{{"mouse_speed", "7"}, {"language", "en"}, {"game", "none"}}));
    GameOptions replay;
    std::string error;
    ASSERT_TRUE(applyStoredSettings(kept, replay, error)) << error;
    EXPECT_EQ(replay.language, "en");
    EXPECT_EQ(replay.mouseSpeed, 7);
    EXPECT_FALSE(replay.awards);

    // A damaged demo changes nothing, even where its first setting was good.
    for (const std::vector<DemoSetting>& damaged :
         {std::vector<DemoSetting>{{"language", "ja"}, {"awards", "yes"}},
          std::vector<DemoSetting>{{"language", "ja"}, {"mouse_speed", "0"}},
          std::vector<DemoSetting>{{"language", "ja"}, {"no_such_key", "1"}}}) {
        GameOptions unchanged = replay;
        EXPECT_FALSE(applyStoredSettings(damaged, unchanged, error)) << damaged[1].key;
        EXPECT_NE(error.find(damaged[1].key), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos);
        EXPECT_EQ(settingsText(unchanged), settingsText(replay));
    }
}

// The manual's SYNOPSIS and the headings of its OPTIONS name exactly the table's flags, each
// switch as --[no-]NAME in the synopsis, and each value under the name --help gives it.
TEST(OptionTable, TheManualNamesEveryFlagOfTheTable) {
    std::set<std::string> flags;   // --no- forms included
    std::set<std::string> headed;  // what OPTIONS must have a heading for
    std::map<std::string, std::string> valueNames;
    auto add = [&](std::string_view flag, bool isSwitchFlag, std::string_view valueName) {
        flags.emplace(flag);
        headed.emplace(flag);
        if (isSwitchFlag) flags.insert("--no-" + std::string(flag.substr(2)));
        if (!valueName.empty()) valueNames[std::string(flag)] = valueName;
    };
    for (const OptionEntry& option : kOptionTable) {
        if (!option.flag.empty()) add(option.flag, isSwitch(option), option.valueName);
        for (const OptionWord& word : option.words) {
            if (!word.flag.empty()) add(word.flag, true, {});
        }
    }

    std::ifstream file("docs/darts301.6");
    ASSERT_TRUE(file) << "run from the top of the repository";
    const std::regex flagPattern(R"(--(\[no-\])?([a-z][a-z0-9-]*[a-z0-9]))");
    std::set<std::string> synopsis, headings;
    std::string section, line;
    bool heading = false;
    while (std::getline(file, line)) {
        for (size_t at; (at = line.find("\\-")) != std::string::npos;) line.replace(at, 2, "-");
        if (line.starts_with(".SH ")) section = line.substr(4);
        const bool isHeading = heading;
        heading = section == "OPTIONS" && line == ".TP";
        if (section != "SYNOPSIS" && !isHeading) continue;
        for (std::sregex_iterator it(line.begin(), line.end(), flagPattern), end; it != end; ++it) {
            const std::string flag = "--" + (*it)[2].str();
            if (section == "SYNOPSIS") {
                synopsis.insert(flag);
                if ((*it)[1].matched) synopsis.insert("--no-" + (*it)[2].str());
                continue;
            }
            headings.insert(flag);
            // The value follows its flag: .BI \-\-seed " N"
            const std::string rest = it->suffix().str();
            const auto value = valueNames.find(flag);
            if (value != valueNames.end()) {
                EXPECT_TRUE(rest.starts_with(" \" " + value->second + "\"")) << line;
            }
        }
    }
    EXPECT_EQ(synopsis, flags);
    for (const std::string& flag : headed) EXPECT_TRUE(headings.count(flag)) << flag;
    for (const std::string& flag : headings) EXPECT_TRUE(flags.count(flag)) << flag;
}

}  // namespace
}  // namespace darts
