// The two game fonts against the metrics they are asked for (cell height, stretched character
// width, full-width characters at twice that), their glyph bitmaps, and the code page 932 decoding
// that turns the game's byte strings into the code points the glyphs are looked up by.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "gfx/font.h"

namespace darts::gfx {
namespace {

// ---- decoding ----

TEST(DecodeShiftJis, KeepsAsciiTextsAsTheyAre) {
    EXPECT_EQ(decodeShiftJis("NO POINT !!"), U"NO POINT !!");
    EXPECT_EQ(decodeShiftJis(""), U"");
    // A string view may hold a NUL; it is a character like any other.
    EXPECT_EQ(decodeShiftJis(std::string_view("A\0B", 3)), std::u32string(U"A\0B", 3));
}

TEST(DecodeShiftJis, DecodesTheGamesJapaneseTexts) {
    EXPECT_EQ(decodeShiftJis("\x83\x43\x83\x93\x83\x69\x81\x5b\x83\x75\x83\x8b"), U"インナーブル");
    EXPECT_EQ(decodeShiftJis("\x20\x83\x6f\x81\x5b\x83\x58\x83\x67\x20\x21\x21"), U" バースト !!");
    EXPECT_EQ(decodeShiftJis("\x20\x82\xa0\x82\xc8\x82\xbd\x82\xcc\x8f\x9f\x97\x98\x20\x21\x21"),
              U" あなたの勝利 !!");
    // Mixed with ASCII and digits, as in "ダーツ歴： 12年".
    EXPECT_EQ(decodeShiftJis("\x83\x5f\x81\x5b\x83\x63\x97\xf0\x81\x46 12\x94\x4e"),
              U"ダーツ歴： 12年");
}

TEST(DecodeShiftJis, UsesCodePage932RatherThanPlainShiftJis) {
    EXPECT_EQ(decodeShiftJis("C:\\data"), U"C:\\data");  // 0x5C is a backslash, not a yen sign
    EXPECT_EQ(decodeShiftJis("~"), U"~");
    EXPECT_EQ(decodeShiftJis("\x81\x5f"), U"\uFF3C");  // full-width backslash
    EXPECT_EQ(decodeShiftJis("\x81\x60"), U"\uFF5E");  // full-width tilde, not the wave dash
    EXPECT_EQ(decodeShiftJis("\x87\x40"), U"\u2460");  // NEC extension: circled digit one
    EXPECT_EQ(decodeShiftJis("\xfa\x40"), U"\u2170");  // IBM extension: small roman numeral one
}

TEST(DecodeShiftJis, DecodesHalfWidthKatakanaAsSingleBytes) {
    EXPECT_EQ(decodeShiftJis("\xa1"), U"\uFF61");
    EXPECT_EQ(decodeShiftJis("\xb1\xb2"), U"ｱｲ");
    EXPECT_EQ(decodeShiftJis("\xdf"), U"\uFF9F");
}

TEST(DecodeShiftJis, ReplacesWhatItCannotDecodeWithoutLosingTheRest) {
    // A lead byte cut off at the end of the text is dropped.
    EXPECT_EQ(decodeShiftJis("AB\x83"), U"AB");
    EXPECT_EQ(decodeShiftJis("\x83\x41\x83"), U"ア");
    // A lead byte followed by a byte that cannot follow it: only the lead byte is lost.
    EXPECT_EQ(decodeShiftJis("\x83 X"), U"\uFFFD X");
    EXPECT_EQ(decodeShiftJis("\x81\x7f"), U"\uFFFD\x7f");
    EXPECT_EQ(decodeShiftJis("\x83\x83\x41"), U"\u30E3A");  // the second 0x83 is a trail byte
    // A well-formed pair that the code page leaves unassigned is one replacement character.
    EXPECT_EQ(decodeShiftJis("\x85\x40Z"), U"\uFFFDZ");
    // Single bytes that are neither ASCII, half-width katakana nor lead bytes.
    EXPECT_EQ(decodeShiftJis("\x80\xa0\xfd\xfe\xff"), U"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
    // A failed pair leaves nothing behind that would spoil the next one.
    EXPECT_EQ(decodeShiftJis("\x85\x40\x83\x41"), U"\uFFFDア");
}

// ---- fonts ----

TEST(CreateFont, RefusesSizesNoTextCouldHave) {
    EXPECT_EQ(createFont(0, 14), nullptr);
    EXPECT_EQ(createFont(-12, 14), nullptr);
    EXPECT_EQ(createFont(12, -14), nullptr);
    EXPECT_EQ(createFont(1 << 20, 14), nullptr);
    EXPECT_EQ(createFont(12, 1 << 20), nullptr);
}

struct FontSize {
    int height;
    int width;
};

class GameFont : public testing::TestWithParam<FontSize> {
  protected:
    void SetUp() override {
        font_ = createFont(GetParam().height, GetParam().width);
        if (!font_) GTEST_SKIP() << "no Japanese gothic face installed (fonts-ipafont-gothic)";
    }
    Font& font() { return *font_; }
    int height() const { return GetParam().height; }
    int width() const { return GetParam().width; }

  private:
    std::unique_ptr<Font> font_;
};

bool hasInk(const GlyphImage& glyph) {
    for (unsigned char c : glyph.coverage) {
        if (c > 0) return true;
    }
    return false;
}

TEST_P(GameFont, CellHasTheRequestedHeight) { EXPECT_EQ(font().cellHeight(), height()); }

TEST_P(GameFont, HalfWidthCharactersAdvanceByTheRequestedWidth) {
    for (char32_t c : std::u32string(U"a0A !W")) {
        SCOPED_TRACE(static_cast<int>(c));
        EXPECT_NEAR(font().glyph(c).advance, width(), 1);
    }
    int total = 0;
    const std::u32string text = U"NO POINT !!";
    for (char32_t c : text) total += font().glyph(c).advance;
    EXPECT_NEAR(static_cast<double>(total) / text.size(), width(), 1.0);
}

TEST_P(GameFont, FullWidthCharactersAdvanceByTwiceTheWidth) {
    for (char32_t c : std::u32string(U"アインナーブル勝負")) {
        SCOPED_TRACE(static_cast<int>(c));
        EXPECT_NEAR(font().glyph(c).advance, 2 * width(), 2);
    }
}

TEST_P(GameFont, GlyphsAreStretchedNotJustSpacedOut) {
    // A kanji fills roughly a square em; stretched to twice the half-width, its ink must come
    // out clearly wider than it is high.
    const GlyphImage& kanji = font().glyph(U'勝');
    EXPECT_GT(kanji.width, kanji.height * 3 / 2);
    // And the ink stays within the character's own advance.
    EXPECT_GE(kanji.left, 0);
    EXPECT_LE(kanji.left + kanji.width, kanji.advance + 1);
}

TEST_P(GameFont, LettersAndKanaHaveInkAndTheSpaceHasNone) {
    EXPECT_TRUE(hasInk(font().glyph('A')));
    EXPECT_TRUE(hasInk(font().glyph(U'ア')));
    EXPECT_TRUE(hasInk(font().glyph(U'ｱ')));  // half-width katakana
    EXPECT_FALSE(hasInk(font().glyph(' ')));
}

TEST_P(GameFont, GlyphBitmapsLieWithinTheCell) {
    // Tall capitals, descenders, the bar that spans the whole line, low and high kana.
    for (char32_t c : std::u32string(U"AÉgjy|_^()アブーィ勝!")) {
        SCOPED_TRACE(static_cast<int>(c));
        const GlyphImage& glyph = font().glyph(c);
        ASSERT_EQ(glyph.coverage.size(), static_cast<size_t>(glyph.width) * glyph.height);
        if (glyph.height == 0) continue;
        EXPECT_GE(glyph.top, 0);
        EXPECT_LE(glyph.top + glyph.height, font().cellHeight() + 2);
    }
    // The baseline: a capital sits on it and a descender goes below it.
    const GlyphImage& capital = font().glyph('H');
    const GlyphImage& descender = font().glyph('p');
    EXPECT_GT(descender.top + descender.height, capital.top + capital.height);
}

TEST_P(GameFont, CachesEachGlyph) {
    const GlyphImage* first = &font().glyph(U'ブ');
    for (char32_t c = 0x4E00; c < 0x4E00 + 200; ++c) font().glyph(c);  // force the map to grow
    EXPECT_EQ(&font().glyph(U'ブ'), first);
}

TEST_P(GameFont, OddCodePointsAreHandledSafely) {
    // Characters the face lacks and values no character has: something of a visible width,
    // never a crash or a bitmap that disagrees with its size.
    for (char32_t c : {char32_t{0xFFFD}, char32_t{0x10FFFF}, char32_t{0x110000}, char32_t{0xD800},
                       char32_t{0xFFFFFFFF}, char32_t{0xE000}}) {
        SCOPED_TRACE(static_cast<unsigned>(c));
        const GlyphImage& glyph = font().glyph(c);
        EXPECT_GT(glyph.advance, 0);
        EXPECT_EQ(glyph.coverage.size(), static_cast<size_t>(glyph.width) * glyph.height);
    }
    // Control characters take no room and leave no mark.
    for (char32_t c : {char32_t{0}, char32_t{'\n'}, char32_t{'\r'}, char32_t{'\t'}, char32_t{0x7F},
                       char32_t{0x85}}) {
        SCOPED_TRACE(static_cast<unsigned>(c));
        EXPECT_EQ(font().glyph(c).advance, 0);
        EXPECT_TRUE(font().glyph(c).coverage.empty());
    }
}

std::string fontSizeName(const testing::TestParamInfo<FontSize>& size) {
    return std::to_string(size.param.height) + "x" + std::to_string(size.param.width);
}

INSTANTIATE_TEST_SUITE_P(SmallAndLarge, GameFont,
                         testing::Values(FontSize{12, 14}, FontSize{42, 44}), fontSizeName);

TEST(CreateFont, WithoutAWidthKeepsTheFacesProportions) {
    std::unique_ptr<Font> font = createFont(42, 0);
    if (!font) GTEST_SKIP() << "no Japanese gothic face installed (fonts-ipafont-gothic)";
    const GlyphImage& kanji = font->glyph(U'勝');
    EXPECT_LT(kanji.width, kanji.height * 5 / 4);
    EXPECT_LT(font->glyph('a').advance, 30);
}

}  // namespace
}  // namespace darts::gfx
