#include "core/game_texts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/game_state.h"
#include "frontend/roster.h"
#include "match/rules.h"
#include "match/scoring.h"
#include "options/command_line.h"

namespace darts {
namespace {

TEST(GameTexts, EveryTextHasBothFormsAndEnglishIsPlainAscii) {
    for (int i = 0; i < kTextCount; ++i) {
        const auto id = static_cast<TextId>(i);
        const std::string_view ja = gameText(Language::Japanese, id);
        const std::string_view en = gameText(Language::English, id);
        EXPECT_FALSE(ja.empty()) << "text " << i;
        EXPECT_FALSE(en.empty()) << "text " << i;
        for (unsigned char c : en) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << "text " << i;
    }
    // Out of range asks for nothing rather than reading past the tables.
    EXPECT_STREQ(gameText(Language::English, TextId::Count), "");
}

TEST(GameTexts, JapaneseIsTheGameAsItWas) {
    EXPECT_STREQ(gameText(Language::Japanese, TextId::Bust), kTextBust);
    EXPECT_STREQ(gameText(Language::Japanese, TextId::YouWin), kTextYouWin);
    EXPECT_STREQ(gameText(Language::Japanese, TextId::InnerBull), kTextInnerBull);
    EXPECT_STREQ(gameText(Language::Japanese, TextId::NamePrefix), "NAME: ");
    EXPECT_STREQ(gameText(Language::Japanese, TextId::YearsSuffix), "\x94\x4e");
    EXPECT_EQ(GameState{}.language, Language::Japanese);
}

TEST(GameTexts, EnglishChangesTheWordsNotTheSharedOnes) {
    // Texts that were English already stay as they were.
    for (TextId id : {TextId::NamePrefix, TextId::ChampionEnd, TextId::NoPoint}) {
        EXPECT_STREQ(gameText(Language::English, id), gameText(Language::Japanese, id));
    }
    for (TextId id : {TextId::NoCharacterLine1, TextId::YourTurn, TextId::Triple, TextId::Bust,
                      TextId::YouLose, TextId::ExperienceLabel}) {
        EXPECT_STRNE(gameText(Language::English, id), gameText(Language::Japanese, id));
    }
}

TEST(GameTexts, LanguageCodes) {
    EXPECT_EQ(languageFromCode("ja"), Language::Japanese);
    EXPECT_EQ(languageFromCode("en"), Language::English);
    for (std::string_view bad : {"", "EN", "english", "ja ", "de"}) {
        EXPECT_FALSE(languageFromCode(bad)) << bad;
    }
    EXPECT_STREQ(languageCode(Language::English), "en");
    EXPECT_STREQ(languageCode(Language::Japanese), "ja");
}

TEST(GameTexts, LanguageOption) {
    auto parse = [](std::initializer_list<std::string_view> args) {
        const std::vector<std::string_view> list(args);
        return parseCommandLine(list);
    };
    EXPECT_EQ(parse({}).options->language, "ja");
    EXPECT_EQ(parse({"--language", "en"}).options->language, "en");
    const CommandLine bad = parse({"--language", "fr"});
    EXPECT_FALSE(bad.options);
    EXPECT_EQ(bad.error, "bad value 'fr' for --language (ja or en)");
    EXPECT_FALSE(parse({"--language"}).options);
}

TEST(GameTexts, RingTextsOfAnEnglishMatch) {
    auto state = std::make_unique<GameState>();
    state->language = Language::English;
    state->matchPhase = MatchPhase::HumanTurn;
    EXPECT_EQ(scoreHit(*state, 0.0f, 0), 50);
    EXPECT_STREQ(state->players[kHuman].hitMessage, "INNER BULL");
    state->language = Language::Japanese;
    scoreHit(*state, 0.0f, 0);
    EXPECT_STREQ(state->players[kHuman].hitMessage, kTextInnerBull);
}

// The English roster is the same eight characters: only names and profiles differ.
TEST(GameTexts, EnglishRosterKeepsPortraitsAndSkills) {
    for (int n = 1; n <= frontend::kRosterCharacters; ++n) {
        auto ja = std::make_unique<GameState>();
        auto en = std::make_unique<GameState>();
        en->language = Language::English;
        ASSERT_EQ(frontend::readRosterRecord(*ja, n, false), 1);
        ASSERT_EQ(frontend::readRosterRecord(*en, n, false), 1) << "data/pcdata-en.kpd";
        const PlayerSlot& a = ja->players[kComputer];
        const PlayerSlot& b = en->players[kComputer];
        EXPECT_STREQ(a.portraitResource, b.portraitResource);
        EXPECT_EQ(a.gaugeSkill, b.gaugeSkill);
        EXPECT_EQ(a.releaseSkill, b.releaseSkill);
        EXPECT_GT(std::strlen(b.name), 0u);
        EXPECT_GT(std::strlen(b.hitMessage), 0u);
        for (const char* p = b.name; *p; ++p) EXPECT_LT(static_cast<unsigned char>(*p), 0x80);
    }
}

}  // namespace
}  // namespace darts
