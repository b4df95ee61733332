#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "render/bar_look.h"
#include "render/bar_overlays.h"
#include "render/bar_scoreboard.h"
#include "render/bar_texts.h"
#include "support/recording_device.h"

namespace darts::render {
namespace {

using games::BarBoardView;
using games::BarPause;
using games::LegGame;
using testing::RecordingDevice;

constexpr FontHandle kBody = 31, kBig = 32;
constexpr TextureHandle kPortrait0 = 200;
const BarFonts kFonts{kBody, kBig};

class BarScreens : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int i = 1; i < 9; ++i) s.portraitTextures[i] = kPortrait0 + i;
    }

    BarBoardView board(LegGame game, int seats) {
        BarBoardView v;
        v.legGame = game;
        v.game = game == LegGame::X01 ? "501" : game == LegGame::Cricket ? "cricket" : "countup";
        v.round = 3;
        for (int i = 0; i < seats; ++i) {
            v.seats.push_back({});
            v.seats.back().name = "Seat" + std::to_string(i);
            v.seats.back().character = i + 1;
            v.seats.back().left = 301;
        }
        return v;
    }

    const RecordingDevice::Text* text(const std::string& wanted) const {
        for (const auto& t : device.texts) {
            if (t.text == wanted) return &t;
        }
        return nullptr;
    }

    std::unique_ptr<GameState> owned = std::make_unique<GameState>();
    GameState& s = *owned;
    RecordingDevice device;
};

TEST_F(BarScreens, OneRowPerSeatWithTheThrowerMarkedAndPortrayed) {
    for (int seats = 1; seats <= 4; ++seats) {
        SCOPED_TRACE(seats);
        BarBoardView v = board(LegGame::X01, seats);
        v.thrower = seats - 1;
        device.beginFrame();
        drawBarScoreboard(s, v, device, kFonts);
        std::vector<int> rows;
        for (int i = 0; i < seats; ++i) {
            const auto* name = text("Seat" + std::to_string(i));
            ASSERT_NE(name, nullptr);
            rows.push_back(name->y);
            // The side to throw stands out in gold, the others in cream.
            EXPECT_EQ(name->color, i == v.thrower ? bar_look::kGold : bar_look::kCream);
        }
        for (int i = 1; i < seats; ++i) EXPECT_EQ(rows[i] - rows[i - 1], kBarBoardCountRowHeight);
        // Every seat's count, and the thrower's portrait where the HUD shows it.
        int counts = 0;
        for (const auto& t : device.texts) counts += t.text == "301";
        EXPECT_EQ(counts, seats);
        const auto* portrait = device.fanAt(620, 350);
        ASSERT_NE(portrait, nullptr);
        EXPECT_EQ(portrait->texture, kPortrait0 + seats);
    }
}

TEST_F(BarScreens, CheckoutHintOnlyForTheThrowerUnderADoubleOrMasterOut) {
    BarBoardView v = board(LegGame::X01, 2);
    v.seats[0].left = 170;
    v.seats[1].left = 40;
    v.thrower = 0;
    device.beginFrame();
    drawBarScoreboard(s, v, device, kFonts);
    EXPECT_EQ(text("T20 T20 BULL"), nullptr);  // an open out needs no route
    v.out = games::OutRule::Double;
    device.beginFrame();
    drawBarScoreboard(s, v, device, kFonts);
    ASSERT_NE(text("T20 T20 BULL"), nullptr);
    EXPECT_EQ(text("D20"), nullptr);  // not the waiting side's
}

// Fans drawn inside a box: how many strokes a mark was made of.
int fansWithin(const RecordingDevice& device, float left, float top, float right, float bottom) {
    int n = 0;
    for (const auto& fan : device.fans) {
        float x = 0, y = 0;
        for (const auto& v : fan.vertices) x += v.x, y += v.y;
        x /= fan.vertices.size();
        y /= fan.vertices.size();
        n += x > left && x < right && y > top && y < bottom;
    }
    return n;
}

TEST_F(BarScreens, CricketMarksDifferForOneTwoAndThree) {
    BarBoardView v = board(LegGame::Cricket, 2);
    v.seats[1].marks = {0, 1, 2, 3, 0, 0, 0};
    v.thrower = 0;
    device.beginFrame();
    drawBarScoreboard(s, v, device, kFonts);
    const auto* name = text("Seat1");
    ASSERT_NE(name, nullptr);
    const float top = name->y - 2.0f, bottom = top + kBarBoardRowHeight;
    int strokes[4];
    for (int target = 0; target < 4; ++target) {
        const auto* label = text(std::to_string(15 + target));
        ASSERT_NE(label, nullptr);
        const float centre = label->x + 8.0f;  // two half-widths
        strokes[target] = fansWithin(device, centre - 10, top, centre + 10, bottom);
    }
    EXPECT_EQ(strokes[0], 0);
    EXPECT_EQ(strokes[1], 1);  // a slash
    EXPECT_EQ(strokes[2], 2);  // a cross
    EXPECT_GT(strokes[3], 2);  // the cross in its circle
}

TEST_F(BarScreens, NoPauseDrawsNothing) {
    BarBoardView v = board(LegGame::X01, 2);
    device.beginFrame();
    drawBarPause(s, v, device, kFonts);
    EXPECT_TRUE(device.events.empty());
}

TEST_F(BarScreens, HandOverNamesTheNextHumanWithThePortrait) {
    BarBoardView v = board(LegGame::X01, 3);
    v.pause = BarPause::HandOver;
    v.thrower = 2;
    device.beginFrame();
    drawBarPause(s, v, device, kFonts);
    const auto* name = text("Seat2");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->font, kBig);
    EXPECT_NE(std::find(device.bound.begin(), device.bound.end(), kPortrait0 + 3),
              device.bound.end());
    EXPECT_NE(text(barText(Language::Japanese, BarText::ClickToThrow)), nullptr);
}

TEST_F(BarScreens, LegOverTellsWinnerWhyLegsAndCorksInTheStatesLanguage) {
    BarBoardView v = board(LegGame::X01, 2);
    v.pause = BarPause::LegOver;
    v.legs = 3;
    v.leg = 2;
    v.seats[0].legsWon = 1;
    v.seats[1].legsWon = 1;
    v.seats[0].corkMillimetres = 12.34;
    v.seats[1].corkMillimetres = -1;
    v.winners = {0};
    v.why = games::LegEndReason::Cork;
    s.language = Language::English;
    device.beginFrame();
    drawBarPause(s, v, device, kFonts);
    const auto* winner = text("Seat0");
    ASSERT_NE(winner, nullptr);
    EXPECT_EQ(winner->font, kBig);
    EXPECT_NE(text("Decided by the cork"), nullptr);
    EXPECT_NE(text("Legs won"), nullptr);
    EXPECT_NE(text("12.3 mm"), nullptr);
    EXPECT_NE(text("none"), nullptr);  // the cork that fell short
    EXPECT_NE(text("Click to go on"), nullptr);
    EXPECT_EQ(text(barText(Language::Japanese, BarText::ClickToGoOn)), nullptr);
}

}  // namespace
}  // namespace darts::render
