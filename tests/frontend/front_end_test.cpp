#include "frontend/front_end.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "frontend/front_end_input.h"
#include "frontend/roster.h"
#include "support/recording_device.h"

namespace darts::frontend {
namespace {

using testing::expectText;
using testing::RecordingDevice;

using platform::MouseObject;

constexpr render::FontHandle kSmall = 11, kLarge = 22;
constexpr render::TextureHandle kPointer = 77;
constexpr uint32_t kRed = 0xFFFF0000, kBrown = 0xFF643200;

class FrontEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int i = 0; i < 8; ++i) s.overlayTextures[i] = 100 + i;
        for (int i = 0; i < 9; ++i) s.portraitTextures[i] = 200 + i;
        s.smallFont = kSmall;
        s.largeFont = kLarge;
        s.cursorTexture = kPointer;
    }
    void mouse(MouseObject object, int32_t data) {
        handleFrontEndMouse(s, {object, data}, s.buttonHeld);
    }
    void press() { mouse(MouseObject::Button0, platform::kButtonPressed); }
    void click() {
        press();
        mouse(MouseObject::Button0, 0);
    }
    void expectRect(const RecordingDevice::Fan& fan, float l, float t, float r, float b) {
        EXPECT_EQ(fan.left(), l);
        EXPECT_EQ(fan.top(), t);
        EXPECT_EQ(fan.right(), r);
        EXPECT_EQ(fan.bottom(), b);
    }

    std::unique_ptr<GameState> owned = std::make_unique<GameState>();
    GameState& s = *owned;
    RecordingDevice device;
};

TEST_F(FrontEnd, HoverBandsHaveStrictBounds) {
    constexpr int kKept = -1;
    const struct {
        int x, y, item;
    } cases[] = {{261, 411, 1},     {260, 411, kKept}, {499, 411, 1},     {500, 411, kKept},
                 {300, 410, kKept}, {300, 449, 1},     {300, 450, kKept}, {300, 451, 2},
                 {300, 490, kKept}, {300, 491, 3},     {300, 529, 3},     {300, 530, kKept}};
    for (const auto& c : cases) {
        s.menuSelection = MenuItem::None;
        s.cursorX = c.x;
        s.cursorY = c.y - 3;
        mouse(MouseObject::Y, 1);
        EXPECT_EQ(static_cast<int>(s.menuSelection), c.item == kKept ? 0 : c.item)
            << c.x << ", " << c.y;
    }
}

TEST_F(FrontEnd, SelectionSurvivesLeavingTheMenu) {
    s.cursorX = 300;
    mouse(MouseObject::Y, 157);  // y 471: the second band
    ASSERT_EQ(s.menuSelection, MenuItem::Tournament);
    mouse(MouseObject::X, -100);
    EXPECT_EQ(s.menuSelection, MenuItem::Tournament);
    click();
    EXPECT_EQ(s.screen, ScreenId::NoCharacterNotice) << "no character chosen yet";
}

TEST_F(FrontEnd, CursorMovesThreePixelsPerMickeyWithinTheFrame) {
    mouse(MouseObject::X, 10);
    mouse(MouseObject::Y, 7);
    EXPECT_EQ(s.cursorX, 30);
    EXPECT_EQ(s.cursorY, 21);
    mouse(MouseObject::Wheel, 5);
    mouse(MouseObject::X, -11);
    EXPECT_EQ(s.cursorX, 0);
    EXPECT_EQ(s.cursorY, 21);
    mouse(MouseObject::Y, 1000);
    EXPECT_EQ(s.cursorY, 600);
    mouse(MouseObject::X, INT32_MAX);  // no overflow on the way to the clamp
    EXPECT_EQ(s.cursorX, 800);
    mouse(MouseObject::X, INT32_MIN);
    mouse(MouseObject::Y, INT32_MIN);
    EXPECT_EQ(s.cursorX, 0);
    EXPECT_EQ(s.cursorY, 0);
}

TEST_F(FrontEnd, TheMouseSpeedSettingScalesTheCursorAndKeepsItsClamp) {
    s.cursorPixelsPerCount = 5;
    mouse(MouseObject::X, 10);
    mouse(MouseObject::Y, -1);
    EXPECT_EQ(s.cursorX, 50);
    EXPECT_EQ(s.cursorY, 0);
    mouse(MouseObject::X, INT32_MAX);
    EXPECT_EQ(s.cursorX, 800);
    s.cursorPixelsPerCount = 0;  // unset: the 3 the game was made with
    mouse(MouseObject::X, -1);
    EXPECT_EQ(s.cursorX, 797);
}

TEST_F(FrontEnd, APressActsOnceUntilAZeroRecordReArmsIt) {
    s.screen = ScreenId::NoCharacterNotice;
    press();
    EXPECT_EQ(s.screen, ScreenId::Title);
    EXPECT_EQ(s.buttonHeld, 1);
    press();  // still held: the title would show the notice again
    mouse(MouseObject::Wheel, 120);
    mouse(MouseObject::Button1, platform::kButtonPressed);
    EXPECT_EQ(s.screen, ScreenId::Title);
    EXPECT_EQ(s.buttonHeld, 1);
    mouse(MouseObject::X, 0);  // a still axis re-arms like a release
    EXPECT_EQ(s.buttonHeld, 0);
    press();
    EXPECT_EQ(s.screen, ScreenId::NoCharacterNotice);
}

TEST_F(FrontEnd, TitleClicksFollowTheMenuItem) {
    const struct {
        MenuItem item;
        int character;
        ScreenId screen;
        int inFrontEnd;
    } cases[] = {{MenuItem::None, 0, ScreenId::Title, 1},
                 {MenuItem::CharacterSelect, 0, ScreenId::CharacterSelect, 0},
                 {MenuItem::DartsBar, 0, ScreenId::NoCharacterNotice, 1},
                 {MenuItem::Tournament, 0, ScreenId::NoCharacterNotice, 1},
                 {MenuItem::Tournament, 4, ScreenId::Tournament, 1}};
    for (const auto& c : cases) {
        s.screen = ScreenId::Title;
        s.inFrontEnd = 1;
        s.buttonHeld = 0;
        s.menuSelection = c.item;
        s.players[kHuman].characterNumber = c.character;
        handleMenuClick(s, s.buttonHeld);
        EXPECT_EQ(s.screen, c.screen) << static_cast<int>(c.item);
        EXPECT_EQ(s.inFrontEnd, c.inFrontEnd) << static_cast<int>(c.item);
        EXPECT_EQ(s.buttonHeld, 1) << "every title press takes the latch";
    }
    s.buttonHeld = 0;
    handleMenuClick(s, s.buttonHeld);
    EXPECT_EQ(s.screen, ScreenId::Tournament) << "a click on the tournament screen decides a match";

    s.screen = ScreenId::CharacterSelect;
    s.buttonHeld = 0;
    handleMenuClick(s, s.buttonHeld);
    EXPECT_EQ(s.buttonHeld, 0) << "no press is taken on the character-select screen";
}

TEST_F(FrontEnd, DartsBarOpponentIsTheFirstDrawThatIsNotTheHuman) {
    for (int human = 1; human <= 8; ++human) {
        for (uint32_t seed : {1u, 7u, 12345u}) {
            auto expected = std::make_unique<GameState>();
            seedRandom(*expected, seed);
            int opponent;
            do opponent = randomInRange(*expected, 1, 8);
            while (opponent == human);
            readRosterRecord(*expected, opponent, false);

            seedRandom(s, seed);
            s.screen = ScreenId::Title;
            s.menuSelection = MenuItem::DartsBar;
            s.players[kHuman].characterNumber = human;
            click();
            ASSERT_EQ(s.screen, ScreenId::DartsBar);
            EXPECT_EQ(s.players[kComputer].characterNumber, opponent);
            EXPECT_STREQ(s.players[kComputer].name, expected->players[kComputer].name);
            EXPECT_EQ(s.randomState, expected->randomState);
        }
    }
}

TEST_F(FrontEnd, DartsBarShowsTheOpponentAndAClickStartsTheMatch) {
    s.players[kHuman].characterNumber = 2;
    s.menuSelection = MenuItem::DartsBar;
    click();
    const PlayerSlot& shown = s.players[kComputer];
    renderFrontEnd(s, device);
    ASSERT_EQ(device.fans.size(), 4u);
    EXPECT_EQ(device.fans[0].texture, s.overlayTextures[4]);
    EXPECT_EQ(device.fans[1].texture, s.overlayTextures[6]);
    EXPECT_EQ(device.fans[1].color(), 0x50FFFFFFu);
    expectRect(device.fans[2], 70, 200, 260, 450);
    EXPECT_EQ(device.fans[2].texture, s.portraitTextures[shown.characterNumber]);
    ASSERT_EQ(device.texts.size(), 4u);
    const std::string years = std::to_string(experienceYears(shown)) + "\x94\x4e";
    expectText(device.texts[0], std::string("NAME: ") + shown.name, 60, 140, kBrown, kLarge);
    expectText(device.texts[1], shown.hitMessage, 300, 400, kBrown, kSmall);
    expectText(device.texts[2], "\x83\x5f\x81\x5b\x83\x63\x97\xf0\x81\x46\x20", 300, 250, kBrown);
    expectText(device.texts[3], years, 450, 250, kBrown);

    s.players[kHuman].scoreLeft = 12;
    click();
    EXPECT_EQ(s.inFrontEnd, 0);
    EXPECT_EQ(s.players[kHuman].scoreLeft, 301) << "a new match was prepared";
    EXPECT_EQ(s.throwStage, ThrowStage::Aiming);
}

TEST_F(FrontEnd, ExperienceIsShownWithoutALowerLimit) {
    s.screen = ScreenId::DartsBar;
    s.players[kComputer].gaugeSkill = 15;
    s.players[kComputer].releaseSkill = 10;
    renderFrontEnd(s, device);
    ASSERT_EQ(device.texts.size(), 4u);
    EXPECT_EQ(device.texts[3].text, "-7\x94\x4e");
}

TEST_F(FrontEnd, TitleHighlightBarFollowsTheMenuItem) {
    for (int item = 0; item <= 3; ++item) {
        s.menuSelection = static_cast<MenuItem>(item);
        renderFrontEnd(s, device);
        ASSERT_EQ(device.fans.size(), 3u);
        expectRect(device.fans[0], 0, 0, 800, 600);
        EXPECT_EQ(device.fans[0].texture, s.overlayTextures[3]);
        EXPECT_EQ(device.fans[0].color(), 0xC8FFFFFFu);
        expectRect(device.fans[1], 280, 375 + 40.0f * item, 520, 415 + 40.0f * item);
        EXPECT_EQ(device.fans[1].texture, s.overlayTextures[1]);
        EXPECT_EQ(device.fans[1].color(), 0x64FFFFFFu);
        EXPECT_TRUE(device.texts.empty());
    }
}

TEST_F(FrontEnd, NoticeAndPointerAreDrawnOverTheTitle) {
    s.screen = ScreenId::NoCharacterNotice;
    s.cursorX = 123;
    s.cursorY = 456;
    renderFrontEnd(s, device);
    EXPECT_EQ(device.begun, 1);
    EXPECT_EQ(device.ended, 1);
    ASSERT_EQ(device.fans.size(), 4u);
    expectRect(device.fans[2], 230, 250, 530, 300);
    EXPECT_EQ(device.fans[2].texture, 0u);
    EXPECT_EQ(device.fans[2].color(), 0xFFFFFFFFu);
    ASSERT_EQ(device.texts.size(), 2u);
    expectText(device.texts[0], "\x83\x4c\x83\x83\x83\x89\x83\x4e\x83\x5e\x82\xaa\x20", 232, 260,
               kRed);
    expectText(
        device.texts[1],
        "\x91\x49\x91\xf0\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1\x81\x42\x20", 232,
        273, kRed);

    const RecordingDevice::Fan& pointer = device.fans.back();
    expectRect(pointer, 123, 456, 155, 488);
    EXPECT_EQ(pointer.texture, kPointer);
    EXPECT_GT(pointer.order, device.texts.back().order) << "the pointer is drawn last";

    s.cursorTexture = 0;
    renderFrontEnd(s, device);
    EXPECT_EQ(device.fans.size(), 3u);
}

// A mouse whose records have arrived but not yet been read, as the live input has them while a
// frame is being drawn.
class WaitingRecords final : public platform::InputSource {
  public:
    std::vector<platform::MouseRecord> waiting;
    int peeks = 0;
    bool escapeDown() override { return false; }
    int readMouse(platform::MouseRecord*, int) override { return 0; }
    int peekMouse(platform::MouseRecord* out, int capacity) override {
        ++peeks;
        const int n = std::min<int>(capacity, static_cast<int>(waiting.size()));
        std::copy_n(waiting.begin(), n, out);
        return n;
    }
};

TEST_F(FrontEnd, LiveCursorIsDrawnWhereTheWaitingRecordsTakeItAndTheStateKeepsItsPosition) {
    s.screen = ScreenId::Title;
    s.cursorX = 790;
    s.cursorY = 20;
    s.cursorPixelsPerCount = 0;  // as made: 3 pixels a count
    WaitingRecords live;
    // Right past the edge (clamped at 800 on the way, then back 6), up past the top, a click.
    live.waiting = {{MouseObject::X, 10}, {MouseObject::Y, -50}, {MouseObject::X, -2},
                    {MouseObject::Button0, platform::kButtonPressed}, {MouseObject::Y, 4}};
    renderFrontEnd(s, device, &live);
    EXPECT_EQ(live.peeks, 1);
    expectRect(device.fans.back(), 794, 12, 826, 44);
    EXPECT_EQ(s.cursorX, 790);
    EXPECT_EQ(s.cursorY, 20);
    EXPECT_EQ(s.screen, ScreenId::Title) << "a waiting click does nothing until it is read";

    // Where the next poll then takes the cursor is where it was drawn.
    for (const platform::MouseRecord& r : live.waiting) handleFrontEndMouse(s, r, s.buttonHeld);
    EXPECT_EQ(s.cursorX, 794);
    EXPECT_EQ(s.cursorY, 12);

    // Without a live input (a demo, a test) the pointer stays at the state's position.
    RecordingDevice replay;
    renderFrontEnd(s, replay);
    expectRect(replay.fans.back(), 794, 12, 826, 44);
}

TEST_F(FrontEnd, PointerAfterMovesAtTheSetSpeed) {
    s.cursorX = 100;
    s.cursorY = 100;
    s.cursorPixelsPerCount = 5;
    const platform::MouseRecord records[] = {{MouseObject::X, 2}, {MouseObject::Y, -3},
                                             {MouseObject::Wheel, 120}};
    const PointerPosition p = pointerAfter(s, records);
    EXPECT_EQ(p.x, 110);
    EXPECT_EQ(p.y, 85);
}

}  // namespace
}  // namespace darts::frontend
