#include "frontend/character_select.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <iconv.h>

#include <memory>
#include <string>

#include "frontend/front_end.h"
#include "frontend/roster.h"
#include "gfx/resources.h"
#include "gfx/text_encoding.h"
#include "support/recording_device.h"

namespace darts::frontend {
namespace {
int gConvertersOpened = 0;
}  // namespace
}  // namespace darts::frontend

// Every text converter the game opens is counted here, then opened as usual.
extern "C" iconv_t iconv_open(const char* to, const char* from) {
    ++darts::frontend::gConvertersOpened;
    using Open = iconv_t (*)(const char*, const char*);
    static const auto real = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "iconv_open"));
    return real(to, from);
}

namespace darts::frontend {
namespace {

using testing::expectText;
using testing::RecordingDevice;

using Kind = platform::UiEvent::Kind;

struct Point {
    int x, y;
};
constexpr Point kOk{640, 512}, kLeft{168, 517}, kRight{282, 517}, kAway{10, 10};

class CharacterSelect : public ::testing::Test {
  protected:
    void SetUp() override {
        s.smallFont = 11;
        s.screen = ScreenId::CharacterSelect;
        screen->activate();
    }
    void send(Kind kind, Point at = {}, std::string text = {}) {
        screen->handle({kind, at.x, at.y, std::move(text)});
    }
    void clickOn(Point at) {
        send(Kind::ButtonDown, at);
        send(Kind::ButtonUp, at);
    }
    std::string box() const { return s.nameBoxText; }
    void retype(const std::string& utf8) {
        s.nameBoxText[0] = '\0';
        send(Kind::Text, {}, utf8);
    }
    std::string rosterName(int character) {
        auto scratch = std::make_unique<GameState>();
        readRosterRecord(*scratch, character, false);
        return scratch->players[kComputer].name;
    }

    std::unique_ptr<GameState> owned = std::make_unique<GameState>();
    GameState& s = *owned;
    std::unique_ptr<CharacterSelectScreen> screen = createCharacterSelectScreen(s);
    RecordingDevice device;
};

TEST_F(CharacterSelect, OpeningShowsTheSelectedCharacterOverWhateverWasTyped) {
    EXPECT_EQ(s.players[kComputer].characterNumber, 1);
    EXPECT_EQ(box(), rosterName(1));
    send(Kind::Text, {}, "abc");
    s.selectedCharacter = 3;
    s.okPressed = s.leftPressed = s.rightPressed = 1;
    screen->activate();
    EXPECT_EQ(box(), rosterName(3));
    EXPECT_EQ(s.okPressed + s.leftPressed + s.rightPressed, 0);
}

TEST_F(CharacterSelect, ArrowsStepOncePerPressAndStopAtTheEnds) {
    send(Kind::ButtonDown, kRight);
    EXPECT_EQ(s.selectedCharacter, 2);
    EXPECT_EQ(s.rightPressed, 1);
    send(Kind::PointerMove, kAway);
    send(Kind::PointerMove, kRight);
    EXPECT_EQ(s.selectedCharacter, 2) << "wandering off and back is the same press";
    send(Kind::ButtonUp, kRight);
    EXPECT_EQ(s.rightPressed, 0);
    for (int i = 0; i < 10; ++i) clickOn(kRight);
    EXPECT_EQ(s.selectedCharacter, 8);
    EXPECT_EQ(box(), rosterName(8));
    for (int i = 0; i < 10; ++i) clickOn(kLeft);
    EXPECT_EQ(s.selectedCharacter, 1);

    send(Kind::Text, {}, "zz");
    clickOn(kLeft);  // at the first character: reloaded, the typed name replaced
    EXPECT_EQ(s.selectedCharacter, 1);
    EXPECT_EQ(box(), rosterName(1));
    EXPECT_FALSE(screen->finished());
}

TEST_F(CharacterSelect, OkCommitsTheCharacterOnlyOnAReleaseAfterAPress) {
    clickOn(kRight);
    clickOn(kRight);
    send(Kind::ButtonUp, kOk);
    EXPECT_FALSE(screen->finished()) << "no press was seen";
    send(Kind::ButtonDown, kOk);
    send(Kind::PointerMove, kAway);
    send(Kind::ButtonUp, kAway);
    EXPECT_FALSE(screen->finished()) << "a press dragged off is cancelled";
    EXPECT_EQ(s.okPressed, 0);

    send(Kind::ButtonDown, kOk);
    EXPECT_FALSE(screen->finished());
    send(Kind::ButtonUp, kOk);
    ASSERT_TRUE(screen->finished());
    EXPECT_EQ(s.screen, ScreenId::Title);
    const PlayerSlot &human = s.players[kHuman], &shown = s.players[kComputer];
    EXPECT_EQ(human.characterNumber, 3);
    EXPECT_STREQ(human.portraitResource, shown.portraitResource);
    EXPECT_STREQ(human.hitMessage, shown.hitMessage);
    EXPECT_EQ(human.releaseSkill, shown.releaseSkill);
    EXPECT_EQ(human.gaugeRange, shown.gaugeSkill);
    EXPECT_EQ(std::string(human.name), rosterName(3).substr(0, 6)) << "cut at 7 bytes, whole";

    s.menuSelection = MenuItem::DartsBar;
    handleMenuClick(s, s.buttonHeld);
    EXPECT_EQ(s.screen, ScreenId::DartsBar) << "no notice once a character is chosen";
}

TEST_F(CharacterSelect, CommittedNameIsCutToSevenBytesWithoutSplittingACharacter) {
    const struct {
        const char* typed;
        const char* committed;
    } cases[] = {{"ABCDEFGHIJ", "ABCDEFG"},
                 {"ABCDEFあ", "ABCDEF"},
                 {"Aあいう", "Aあいう"},
                 {"あいうえ", "あいう"},
                 {"A亜亜亜", "A亜亜亜"},  // trail bytes that look like lead bytes
                 {"", ""}};
    for (const auto& c : cases) {
        screen->activate();
        retype(c.typed);
        clickOn(kOk);
        ASSERT_TRUE(screen->finished());
        EXPECT_EQ(s.players[kHuman].name, gfx::utf8ToCp932(c.committed)) << c.typed;
    }
}

TEST_F(CharacterSelect, TypingKeepsWholeCharactersWithinTheBox) {
    retype("ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(box(), "ABCDEFGHIJKLMNOP");
    retype("ABCDEFGHIJKLMNO");
    send(Kind::Text, {}, "あ");
    EXPECT_EQ(box(), "ABCDEFGHIJKLMNO") << "half a character never enters";
    retype("a\tb\n\x7F");
    EXPECT_EQ(box(), "ab");

    retype("亜A");
    send(Kind::Backspace);
    EXPECT_EQ(box(), gfx::utf8ToCp932("亜"));
    send(Kind::Composition, {}, "か");
    send(Kind::Backspace);
    EXPECT_EQ(box(), gfx::utf8ToCp932("亜")) << "the input method edits its own text";
    send(Kind::Composition, {}, "");
    send(Kind::Backspace);
    send(Kind::Backspace);
    EXPECT_EQ(box(), "");
}

TEST_F(CharacterSelect, CompositionIsShownAfterTheCaretButNotTyped) {
    retype("AB");
    send(Kind::Composition, {}, "にほ");
    EXPECT_EQ(box(), "AB");
    screen->draw(device);
    ASSERT_EQ(device.texts.size(), 3u);  // experience, box text, composition
    EXPECT_EQ(device.texts[1].text, "AB");
    EXPECT_EQ(device.texts[2].text, gfx::utf8ToCp932("にほ"));
    EXPECT_GT(device.texts[2].x, device.texts[1].x + 2 * 8);

    send(Kind::Text, {}, "日");
    EXPECT_EQ(box(), gfx::utf8ToCp932("AB日"));
    screen->draw(device);
    EXPECT_EQ(device.texts.size(), 2u) << "committing ends the composition";
}

TEST_F(CharacterSelect, DrawsBitmapsUnscaledOverGrey) {
    s.cursorTexture = 77;  // the system's pointer is shown here, not the game's
    screen->draw(device);
    ASSERT_FALSE(device.fans.empty());
    for (const auto& fan : device.fans) EXPECT_NE(fan.texture, 77u);
    EXPECT_EQ(device.fans[0].texture, 0u);
    EXPECT_EQ(device.fans[0].color(), 0xFF646464u);
    EXPECT_EQ(device.fans[0].right(), 800);
    const struct {
        const char* name;
        float x, y;
    } bitmaps[] = {{"IDB_CHSET", 15, 15}, {"NAME_BK", 200, 100}, {"C1", 100, 200}};
    for (const auto& b : bitmaps) {
        const auto image = gfx::loadBitmapResource(b.name);
        ASSERT_TRUE(image) << b.name;
        const RecordingDevice::Fan* fan = device.fanAt(b.x, b.y);
        ASSERT_NE(fan, nullptr) << b.name;
        EXPECT_NE(fan->texture, 0u);
        EXPECT_EQ(fan->right(), b.x + image->width) << b.name;
        EXPECT_EQ(fan->bottom(), b.y + image->height) << b.name;
    }
    ASSERT_FALSE(device.texts.empty());
    const std::string years = std::to_string(experienceYears(s.players[kComputer]));
    expectText(device.texts[0], "\x83\x5f\x81\x5b\x83\x63\x97\xf0\x81\x46\x20" + years + "\x94\x4e",
               480, 300, 0xFF000000u);

    // The OK face is cut to the button and shows DOWN only while pressed over it.
    const RecordingDevice::Fan* okUp = device.fanAt(600, 500);
    ASSERT_NE(okUp, nullptr);
    EXPECT_EQ(okUp->right(), 680);
    EXPECT_EQ(okUp->bottom(), 525);
    const render::TextureHandle upFace = okUp->texture;
    const int made = device.texturesMade;
    send(Kind::ButtonDown, kOk);
    screen->draw(device);
    EXPECT_NE(device.fanAt(600, 500)->texture, upFace);
    send(Kind::PointerMove, kAway);
    screen->draw(device);
    EXPECT_EQ(device.fanAt(600, 500)->texture, upFace);
    EXPECT_EQ(device.texturesMade, made + 1) << "only the DOWN face was new";
}

void sendEdit(CharacterSelectScreen& screen, platform::UiEvent::EditKey key, bool shift = false) {
    screen.handle({Kind::Edit, key, shift ? 1 : 0, {}});
}

TEST_F(CharacterSelect, TheExperienceLineIsBlackOnAWhiteBoxOfExactlyItsExtent) {
    screen->draw(device);
    ASSERT_FALSE(device.texts.empty());
    const RecordingDevice::Text& line = device.texts[0];
    EXPECT_EQ(line.x, 480);
    EXPECT_EQ(line.y, 300);
    EXPECT_EQ(line.color, 0xFF000000u);
    EXPECT_NE(line.font, s.smallFont) << "the dialog's own font, not the game's";
    const RecordingDevice::Fan* box = device.fanAt(480, 300);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->color(), 0xFFFFFFFFu);
    EXPECT_EQ(box->texture, 0u);
    EXPECT_EQ(box->right(), 480 + 8 * static_cast<int>(line.text.size()));
    EXPECT_EQ(box->bottom(), 316);
    EXPECT_LT(box->order, line.order);
}

TEST_F(CharacterSelect, TheNameBoxShowsTheStartAndGreysWhatTheMatchWillNotKeep) {
    retype("マスター");  // 8 bytes: the match keeps マスタ
    screen->draw(device);
    ASSERT_EQ(device.texts.size(), 3u);
    expectText(device.texts[1], gfx::utf8ToCp932("マスタ"), 353, 117, 0xFF000000u);
    expectText(device.texts[2], gfx::utf8ToCp932("ー"), 353 + 6 * 8, 117, 0xFF808080u);
    EXPECT_EQ(device.texts[1].font, device.texts[0].font);
    clickOn(kOk);
    EXPECT_EQ(s.players[kHuman].name, gfx::utf8ToCp932("マスタ"));
}

TEST_F(CharacterSelect, EditingKeysWorkAtTheCaretAndCopyGoesToTheClipboard) {
    retype("ABCD");
    sendEdit(*screen, platform::UiEvent::Home);
    sendEdit(*screen, platform::UiEvent::Right);
    sendEdit(*screen, platform::UiEvent::Right, true);
    sendEdit(*screen, platform::UiEvent::Right, true);
    sendEdit(*screen, platform::UiEvent::Copy);
    EXPECT_EQ(screen->takeCopiedText(), "BC");
    EXPECT_EQ(screen->takeCopiedText(), "") << "handed on once";
    screen->draw(device);
    // "A", then "BC" selected: white on the highlight.
    ASSERT_EQ(device.texts.size(), 4u);
    EXPECT_EQ(device.texts[2].text, "BC");
    EXPECT_EQ(device.texts[2].color, 0xFFFFFFFFu);
    const RecordingDevice::Fan* highlight = device.fanAt(353 + 8, 117);
    ASSERT_NE(highlight, nullptr);
    EXPECT_EQ(highlight->color(), 0xFF000080u);
    EXPECT_EQ(highlight->right(), 353 + 3 * 8);

    sendEdit(*screen, platform::UiEvent::Cut);
    EXPECT_EQ(box(), "AD");
    EXPECT_EQ(screen->takeCopiedText(), "BC");
    send(Kind::Paste, {}, "ダーツ");
    EXPECT_EQ(box(), gfx::utf8ToCp932("AダーツD"));
    sendEdit(*screen, platform::UiEvent::End);
    sendEdit(*screen, platform::UiEvent::Delete);  // nothing after the end
    send(Kind::Backspace);
    EXPECT_EQ(box(), gfx::utf8ToCp932("Aダーツ"));
    sendEdit(*screen, platform::UiEvent::SelectAll);
    send(Kind::Text, {}, "Z");
    EXPECT_EQ(box(), "Z");

    // While the input method composes, the keys are its own.
    send(Kind::Composition, {}, "か");
    sendEdit(*screen, platform::UiEvent::Home);
    send(Kind::Text, {}, "か");
    EXPECT_EQ(box(), gfx::utf8ToCp932("Zか"));
}

TEST_F(CharacterSelect, AClickInTheNameBoxPlacesTheCaretAndADragSelects) {
    retype("ABCDEF");
    send(Kind::ButtonDown, {353 + 2 * 8 + 1, 125});  // near the gap after B
    send(Kind::Text, {}, "x");
    EXPECT_EQ(box(), "ABxCDEF");
    send(Kind::ButtonUp, {353 + 3 * 8, 125});
    send(Kind::ButtonDown, {353, 125});
    send(Kind::PointerMove, {353 + 2 * 8, 125});
    send(Kind::ButtonUp, {353 + 2 * 8, 125});
    send(Kind::Backspace);
    EXPECT_EQ(box(), "xCDEF");
}

// Typed text and a click in one frame: the box was last drawn over other text, and the click
// still puts the caret between whole characters.
TEST_F(CharacterSelect, AClickRightAfterTypingPlacesTheCaretBetweenWholeCharacters) {
    retype("ABCDEFGHIJKLMN");
    screen->draw(device);  // 14 columns: the box shows them from the fourth
    sendEdit(*screen, platform::UiEvent::SelectAll);
    send(Kind::Text, {}, "アアア");  // 83 41 each: the trail byte reads as 'A'
    clickOn({353, 125});
    send(Kind::Text, {}, "x");
    EXPECT_EQ(box(), gfx::utf8ToCp932("アxアア"));
}

// A paste of megabytes (here a few hundred kilobytes, behind control characters) is cut to what
// the box takes, then converted in one go: one converter, not one per character.
TEST_F(CharacterSelect, AHugePasteIsCutToTheBoxBeforeOneConversion) {
    retype("");
    std::string pasted(2000, '\n');
    for (int i = 0; i < 100000; ++i) pasted += "ダーツ";
    const int before = gConvertersOpened;
    send(Kind::Paste, {}, pasted);
    EXPECT_EQ(gConvertersOpened - before, 1);
    EXPECT_EQ(box(), gfx::utf8ToCp932("ダーツダーツダー"));
}

TEST_F(CharacterSelect, AFirstClickOnTheShownNameSelectsItForReplacing) {
    ASSERT_EQ(box(), rosterName(1));
    clickOn({360, 125});
    send(Kind::Text, {}, "ミカ");
    EXPECT_EQ(box(), gfx::utf8ToCp932("ミカ"));
    clickOn({353, 125});  // now an edited name: the click places the caret
    send(Kind::Text, {}, "A");
    EXPECT_EQ(box(), "A" + gfx::utf8ToCp932("ミカ"));
}

TEST_F(CharacterSelect, CompositionIsShownInPlaceAtTheCaret) {
    retype("ABCD");
    sendEdit(*screen, platform::UiEvent::Home);
    sendEdit(*screen, platform::UiEvent::Right);
    send(Kind::Composition, {}, "に");
    screen->draw(device);
    ASSERT_EQ(device.texts.size(), 4u);
    EXPECT_EQ(device.texts[1].text, "A");
    EXPECT_EQ(device.texts[2].text, gfx::utf8ToCp932("に"));
    EXPECT_EQ(device.texts[3].text, "BCD");
    EXPECT_EQ(device.texts[3].x, 353 + 3 * 8);  // after the composition's two columns
}

TEST_F(CharacterSelect, ClosingTheWindowQuitsWithoutCommitting) {
    send(Kind::Quit);
    EXPECT_TRUE(screen->finished());
    EXPECT_EQ(s.quitRequested, 1);
    EXPECT_EQ(s.screen, ScreenId::Title);
    EXPECT_EQ(s.players[kHuman].characterNumber, 0);
    clickOn(kOk);
    EXPECT_EQ(s.players[kHuman].characterNumber, 0);
}

}  // namespace
}  // namespace darts::frontend
