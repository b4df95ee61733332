// Every text, in each language, drawn with the game's own fonts where the game draws it, must end
// inside its panel or box.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "assets/asset_loading.h"
#include "core/game_texts.h"
#include "frontend/roster.h"
#include "gfx/font.h"

namespace darts {
namespace {

// The x of the last inked pixel (plus one) of `text` drawn from pen position 0.
int inkedWidth(gfx::Font& font, const std::string& text) {
    int pen = 0, right = 0;
    for (char32_t c : gfx::decodeShiftJis(text)) {
        const gfx::GlyphImage& g = font.glyph(c);
        if (g.width > 0) right = std::max(right, pen + g.left + g.width);
        pen += g.advance;
    }
    return right;
}

class TextLayout : public ::testing::TestWithParam<Language> {
  protected:
    void SetUp() override {
        small = gfx::createFont(render::kSmallFontHeight, render::kSmallFontWidth);
        large = gfx::createFont(render::kLargeFontHeight, render::kLargeFontWidth);
        if (!small || !large) GTEST_SKIP() << "no Japanese font installed";
    }
    std::string text(TextId id) const { return gameText(GetParam(), id); }
    void expectEnds(gfx::Font& font, const std::string& s, int x, int limit) {
        EXPECT_LE(x + inkedWidth(font, s), limit) << "'" << s << "' from x " << x;
    }
    std::unique_ptr<gfx::Font> small, large;
};

TEST_P(TextLayout, NoticesFitTheNoticeBox) {
    // The notice box spans x 230..530; its lines start at 232.
    for (TextId id : {TextId::NoCharacterLine1, TextId::NoCharacterLine2, TextId::YourTurn}) {
        expectEnds(*small, text(id), 232, 530);
    }
}

TEST_P(TextLayout, RosterTextsFitTheirPlaces) {
    for (int n = 1; n <= frontend::kRosterCharacters; ++n) {
        auto state = std::make_unique<GameState>();
        state->language = GetParam();
        ASSERT_EQ(frontend::readRosterRecord(*state, n, false), 1);
        const PlayerSlot& c = state->players[kComputer];
        const std::string years = std::to_string(experienceYears(c)) + text(TextId::YearsSuffix);
        // Darts bar: the panel spans x 50..750.
        expectEnds(*large, text(TextId::NamePrefix) + c.name, 60, 750);
        expectEnds(*small, c.hitMessage, 300, 750);
        expectEnds(*small, years, 450, 750);
        // Tournament: the champion's line in the notice box.
        expectEnds(*small, text(TextId::ChampionIs) + c.name + text(TextId::ChampionEnd), 232, 530);
        // Character select: label and years on one line, inside the frame.
        expectEnds(*small, text(TextId::ExperienceLabel) + years, 480, 800);
    }
    // The darts bar's label must end before the years begin.
    expectEnds(*small, text(TextId::ExperienceLabel), 300, 450);
}

TEST_P(TextLayout, MatchTextsFitTheFrame) {
    for (TextId id : {TextId::NoPoint, TextId::InnerBull, TextId::OuterBull, TextId::Triple,
                      TextId::Double, TextId::Bust, TextId::YouLose, TextId::YouWin}) {
        expectEnds(*large, text(id), 100, 800);
    }
    expectEnds(*large, "180 POINT", 100, 800);
}

std::string languageName(const ::testing::TestParamInfo<Language>& param) {
    return languageCode(param.param);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, TextLayout,
                         ::testing::Values(Language::Japanese, Language::English), languageName);

}  // namespace
}  // namespace darts
