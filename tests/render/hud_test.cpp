#include "render/hud.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "match/rules.h"
#include "match/scoring.h"
#include "render/match_scene.h"
#include "support/recording_device.h"

namespace darts::render {
namespace {

using testing::RecordingDevice;
using Event = RecordingDevice::Event;

constexpr FontHandle kSmall = 11, kLarge = 22;
constexpr TextureHandle kOverlay0 = 100, kPortrait0 = 200;

const char kTaro[] = "\x83\x5e\x83\x8d\x83\x45";  // タロウ
const char kKen[] = "\x83\x50\x83\x93";           // ケン

class Hud : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int i = 0; i < 8; ++i) s.overlayTextures[i] = kOverlay0 + i;
        for (int i = 1; i < 9; ++i) s.portraitTextures[i] = kPortrait0 + i;
        s.smallFont = kSmall;
        s.largeFont = kLarge;
        std::strcpy(s.players[kHuman].name, kTaro);
        std::strcpy(s.players[kComputer].name, kKen);
        s.players[kHuman].characterNumber = 3;
        s.players[kComputer].characterNumber = 6;
        s.matchPhase = MatchPhase::HumanTurn;
        s.dartState = DartState::InHand;
    }

    // A dart of the side to throw sitting in the board with the given score already taken off.
    void landDart(int side, int dart, int score, int scoreLeft, const char* ring = "") {
        s.matchPhase = static_cast<MatchPhase>(side);
        s.dartState = DartState::Thrown;
        PlayerSlot& p = s.players[side];
        p.dartsThrown = dart;
        p.dartScores[dart] = score;
        p.scoreLeft = scoreLeft;
        std::strcpy(p.hitMessage, ring);
        s.darts[dart] = {0.1f, 2.2f, 13.98f, 0, 0, 0};
        s.hitTimer = 5;
    }

    std::unique_ptr<GameState> owned = std::make_unique<GameState>();
    GameState& s = *owned;
    RecordingDevice device;
};

void expectBound(const Event& e, TextureHandle texture) {
    ASSERT_EQ(e.kind, Event::Texture);
    EXPECT_EQ(e.texture, texture);
}

// A quad2D fan: the four corners from (l, t) to (r, b) in drawing order, white with the alpha.
void expectQuad(const Event& e, float l, float t, float r, float b, uint32_t alpha) {
    ASSERT_EQ(e.kind, Event::Fan);
    ASSERT_EQ(e.vertices.size(), 4u);
    const float corners[4][2] = {{l, t}, {r, t}, {r, b}, {l, b}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(e.vertices[i].x, corners[i][0]);
        EXPECT_EQ(e.vertices[i].y, corners[i][1]);
        EXPECT_EQ(e.vertices[i].z, 0.1f);
        EXPECT_EQ(e.vertices[i].color, (alpha << 24) | 0x00FFFFFFu);
    }
}

void expectText(const Event& e, const std::string& text, int x, int y, uint32_t color,
                FontHandle font) {
    ASSERT_EQ(e.kind, Event::Text);
    EXPECT_EQ(e.text, text);
    EXPECT_EQ(e.x, x);
    EXPECT_EQ(e.y, y);
    EXPECT_EQ(e.color, color) << std::hex << e.color;
    EXPECT_EQ(e.font, font);
}

// ---- Score table ----

TEST_F(Hud, ScorePanelShowsNamesRoundsTurnStartsAndTheRunningCountOfTheHuman) {
    // Mid-round: the human has finished round 5's turn, the computer has not.
    s.players[kHuman].turnCount = 5;
    s.players[kComputer].turnCount = 4;
    s.players[kHuman].turnStartScore = 241;
    s.players[kComputer].turnStartScore = 190;
    s.players[kHuman].scoreLeft = 201;
    s.players[kComputer].scoreLeft = 150;
    drawScorePanel(s, device);
    const std::vector<Event>& e = device.events;
    ASSERT_EQ(e.size(), 9u);
    expectBound(e[0], kOverlay0 + 0);
    expectQuad(e[1], 510, 0, 800, 80, 120);
    expectText(e[2], kTaro, 560, 10, 0xFFFFFFFF, kSmall);
    expectText(e[3], kKen, 685, 10, 0xFFFFFFFF, kSmall);
    expectText(e[4], "4", 515, 40, 0xFFFF0000, kSmall);
    expectText(e[5], "5", 515, 62, 0xFFFF0000, kSmall);
    expectText(e[6], "241", 560, 40, 0xFF0000FF, kSmall);
    expectText(e[7], "190", 685, 40, 0xFF0000FF, kSmall);
    expectText(e[8], "201", 560, 62, 0xFFFF00FF, kSmall);
}

TEST_F(Hud, ScorePanelPutsTheComputersRunningCountUnderItsName) {
    s.matchPhase = MatchPhase::ComputerTurn;
    s.players[kHuman].scoreLeft = 201;
    s.players[kComputer].scoreLeft = 87;
    drawScorePanel(s, device);
    ASSERT_EQ(device.events.size(), 9u);
    expectText(device.events[8], "87", 685, 62, 0xFFFF00FF, kSmall);
}

TEST_F(Hud, ScorePanelShowsABustsNegativeCount) {
    s.players[kHuman].scoreLeft = -5;
    drawScorePanel(s, device);
    expectText(device.events.at(8), "-5", 560, 62, 0xFFFF00FF, kSmall);
}

TEST_F(Hud, ScorePanelNameFillingItsWholeFieldStopsAtTheFieldEnd) {
    std::memset(s.players[kComputer].name, 'W', sizeof s.players[kComputer].name);
    s.players[kComputer].characterNumber = 7;  // the field after the name must not be read
    drawScorePanel(s, device);
    EXPECT_EQ(device.events.at(3).text, std::string(12, 'W'));
}

TEST_F(Hud, ScorePanelOfAFinishedMatchHasNoRunningCount) {
    s.matchPhase = MatchPhase::MatchOver;
    drawScorePanel(s, device);
    ASSERT_EQ(device.events.size(), 8u);
    EXPECT_EQ(device.events[7].y, 40);
}

// ---- The turn's shots ----

TEST_F(Hud, ShotPanelListsTheScoresShownEachBesideItsLabel) {
    s.players[kHuman].dartScores[0] = 60;
    s.players[kHuman].dartScores[1] = 0;
    s.players[kHuman].dartScores[2] = 25;
    const char* values[3] = {"60", "0", "25"};
    for (int shown = 0; shown <= 3; ++shown) {
        SCOPED_TRACE(shown);
        device.events.clear();
        s.scoresShown = shown;
        drawShotPanel(s, device);
        const std::vector<Event>& e = device.events;
        ASSERT_EQ(e.size(), 2u + shown);
        expectBound(e[0], kOverlay0 + 7);
        expectQuad(e[1], 600, 100, 750, 200, 120);
        for (int i = 0; i < shown; ++i) {
            expectText(e[2 + i], values[i], 670 + 20 * i, 110 + 30 * i, 0xFFFF00FF, kSmall);
        }
    }
}

TEST_F(Hud, ShotPanelListsTheComputersScoresOnItsTurn) {
    s.matchPhase = MatchPhase::ComputerTurn;
    s.players[kHuman].dartScores[0] = 1;
    s.players[kComputer].dartScores[0] = 19;
    s.scoresShown = 1;
    drawShotPanel(s, device);
    expectText(device.events.at(2), "19", 670, 110, 0xFFFF00FF, kSmall);
}

TEST_F(Hud, ShotPanelNeverListsMoreThanTheTurnsThreeScores) {
    s.scoresShown = 7;
    drawShotPanel(s, device);
    EXPECT_EQ(device.events.size(), 5u);
    device.events.clear();
    s.scoresShown = -1;
    drawShotPanel(s, device);
    EXPECT_EQ(device.events.size(), 2u);
    device.events.clear();
    s.scoresShown = 2;
    s.matchPhase = MatchPhase::MatchOver;
    drawShotPanel(s, device);
    EXPECT_EQ(device.events.size(), 2u) << "no side to throw, only the labels";
}

// ---- Portrait ----

TEST_F(Hud, PortraitIsThatOfTheSideToThrow) {
    drawPortrait(s, device);
    s.matchPhase = MatchPhase::ComputerTurn;
    drawPortrait(s, device);
    const std::vector<Event>& e = device.events;
    ASSERT_EQ(e.size(), 4u);
    expectBound(e[0], kPortrait0 + 3);
    expectQuad(e[1], 620, 350, 720, 460, 255);
    expectBound(e[2], kPortrait0 + 6);
    expectQuad(e[3], 620, 350, 720, 460, 255);
}

TEST_F(Hud, PortraitWithoutACharacterBindsNoTextureAndOfAFinishedMatchIsNotDrawn) {
    s.players[kHuman].characterNumber = 0;  // none chosen yet: slot 0 holds no portrait
    drawPortrait(s, device);
    ASSERT_EQ(device.events.size(), 2u);
    expectBound(device.events[0], 0);
    device.events.clear();
    s.matchPhase = MatchPhase::MatchOver;
    drawPortrait(s, device);
    EXPECT_TRUE(device.events.empty());
}

// ---- Board picture and gauge ----

TEST_F(Hud, AimOverlaysDrawTheBoardPictureAndTheGaugePanel) {
    drawAimOverlays(s, device);
    const std::vector<Event>& e = device.events;
    ASSERT_EQ(e.size(), 5u);
    expectBound(e[0], kOverlay0 + 2);
    expectQuad(e[1], 0, 0, 280, 280, 180);
    expectBound(e[2], kOverlay0 + 1);
    expectQuad(e[3], 245, 530, 495, 550, 255);
    EXPECT_EQ(e[4].kind, Event::Fan) << "the marker keeps the gauge's texture bound";
}

// The marker's signed area: positive for one winding, negative for the other.
float signedArea(const std::vector<ScreenVertex>& v) {
    float area = 0;
    for (size_t i = 0; i < v.size(); ++i) {
        const ScreenVertex& a = v[i];
        const ScreenVertex& b = v[(i + 1) % v.size()];
        area += a.x * b.y - b.x * a.y;
    }
    return area / 2;
}

TEST_F(Hud, GaugeMarkerRunsFromTheCentreToTheGaugeValue) {
    struct Case {
        float gauge, markerX;
    };
    const Case cases[] = {{-0.3f, 325.0f}, {0.0f, 370.0f}, {0.3f, 415.0f}, {-0.5f, 295.0f}};
    std::vector<float> areas;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gauge);
        device.events.clear();
        s.gaugeValue = c.gauge;
        drawAimOverlays(s, device);
        const std::vector<ScreenVertex>& v = device.events.at(4).vertices;
        ASSERT_EQ(v.size(), 4u);
        const float expected[4][4] = {
            {c.markerX, 530, 0, 0}, {370, 530, 1, 0}, {370, 550, 1, 1}, {c.markerX, 550, 0, 1}};
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(i);
            EXPECT_FLOAT_EQ(v[i].x, expected[i][0]);
            EXPECT_EQ(v[i].y, expected[i][1]);
            EXPECT_EQ(v[i].u, expected[i][2]);
            EXPECT_EQ(v[i].v, expected[i][3]);
            EXPECT_EQ(v[i].z, 0.0f) << "in front of the panels";
            EXPECT_EQ(v[i].rhw, 1.0f);
            EXPECT_EQ(v[i].color, 0x82FF0000u);
        }
        areas.push_back(signedArea(v));
    }
    // Left of the centre the bar winds the other way; at the centre it has no width at all.
    EXPECT_NEAR(std::fabs(areas[2]), 45.0f * 20.0f, 0.01f);
    EXPECT_FLOAT_EQ(areas[0], -areas[2]);
    EXPECT_EQ(areas[1], 0.0f);
}

// ---- Hit texts ----

TEST_F(Hud, HitTextsWaitForTheDartToReachTheBoard) {
    landDart(kHuman, 0, 20, 281);
    s.darts[0].z = 10.0f;  // still flying
    s.hitTimer = 0;
    drawHitTexts(s, device);
    EXPECT_TRUE(device.events.empty());
    s.darts[0].z = 13.98f;
    drawHitTexts(s, device);
    EXPECT_EQ(device.events.size(), 2u);
}

TEST_F(Hud, HitTextsShowTheRingAndTheScoreOnTheGrid) {
    landDart(kHuman, 1, 60, 181, kTextTriple);
    drawHitTexts(s, device);
    const std::vector<Event>& e = device.events;
    ASSERT_EQ(e.size(), 2u);
    expectText(e[0], kTextTriple, 100, 102, 0xFFFF0000, kLarge);
    expectText(e[1], "60 POINT", 100, 162, 0xFFFF0000, kLarge);
}

TEST_F(Hud, HitTextsOfAPlainSingleHaveAnEmptyRingLine) {
    landDart(kComputer, 2, 7, 200);
    drawHitTexts(s, device);
    ASSERT_EQ(device.events.size(), 2u);
    expectText(device.events[0], "", 100, 102, 0xFFFF0000, kLarge);
    expectText(device.events[1], "7 POINT", 100, 162, 0xFFFF0000, kLarge);
}

TEST_F(Hud, HitTextsOfAMissHaveNoScoreLine) {
    landDart(kHuman, 0, 0, 301, kTextNoPoint);
    drawHitTexts(s, device);
    ASSERT_EQ(device.events.size(), 1u);
    expectText(device.events[0], "NO POINT !!", 100, 102, 0xFFFF0000, kLarge);
}

TEST_F(Hud, HitTextsAnnounceABustWhileTheCountIsBelowZero) {
    landDart(kHuman, 1, 25, -5, kTextOuterBull);
    drawHitTexts(s, device);
    ASSERT_EQ(device.events.size(), 3u);
    expectText(device.events[1], "25 POINT", 100, 162, 0xFFFF0000, kLarge);
    // " バースト !!"
    expectText(device.events[2], "\x20\x83\x6f\x81\x5b\x83\x58\x83\x67\x20\x21\x21", 100, 222,
               0xFFFF0000, kLarge);
}

TEST_F(Hud, HitTextsAnnounceTheWinnerFromTheHumansSide) {
    landDart(kHuman, 2, 50, 0, kTextInnerBull);
    drawHitTexts(s, device);
    ASSERT_EQ(device.events.size(), 3u);
    // " あなたの勝利 !!" (you win)
    expectText(device.events[2], "\x20\x82\xa0\x82\xc8\x82\xbd\x82\xcc\x8f\x9f\x97\x98\x20\x21\x21",
               100, 222, 0xFFFF0000, kLarge);

    device.events.clear();
    landDart(kComputer, 0, 40, 0, kTextDouble);
    drawHitTexts(s, device);
    ASSERT_EQ(device.events.size(), 3u);
    expectText(device.events[0], kTextDouble, 100, 102, 0xFFFF0000, kLarge);
    // " あなたの負け !!" (you lose)
    expectText(device.events[2], "\x20\x82\xa0\x82\xc8\x82\xbd\x82\xcc\x95\x89\x82\xaf\x20\x21\x21",
               100, 222, 0xFFFF0000, kLarge);
}

TEST_F(Hud, HitTextsReadTheSideToThrow) {
    landDart(kComputer, 1, 18, 100);
    std::strcpy(s.players[kHuman].hitMessage, "human");
    s.players[kHuman].dartScores[1] = 3;
    s.players[kHuman].scoreLeft = 0;
    drawHitTexts(s, device);
    ASSERT_EQ(device.events.size(), 2u);
    EXPECT_EQ(device.events[0].text, "");
    EXPECT_EQ(device.events[1].text, "18 POINT");
}

TEST_F(Hud, NoHitTextsOnceTheMatchIsOverButTheFinishingFrameReadsTheNextRecord) {
    landDart(kHuman, 2, 50, 0);
    s.matchPhase = MatchPhase::MatchOver;
    drawHitTexts(s, device);
    EXPECT_TRUE(device.events.empty());

    // The frame that finishes a dart: the next dart is in hand while the record it now points at
    // still holds a landed dart of an earlier turn. The texts are decided from that record: the
    // ring text shows for this one frame, the next record's score (0) does not.
    s.matchPhase = MatchPhase::HumanTurn;
    landDart(kHuman, 0, 40, 261, kTextDouble);
    s.players[kHuman].dartsThrown = 1;
    s.darts[1] = {0.0f, 2.0f, 13.98f, 0, 0, 0};
    s.dartState = DartState::InHand;
    drawHitTexts(s, device);
    ASSERT_EQ(device.events.size(), 1u);
    expectText(device.events[0], kTextDouble, 100, 102, 0xFFFF0000, kLarge);

    // A next record still in the hand draws nothing.
    device.events.clear();
    s.darts[1].z = 1.0f;
    drawHitTexts(s, device);
    EXPECT_TRUE(device.events.empty());
}

TEST_F(Hud, HitTextsIgnoreADartCountPastTheTurn) {
    landDart(kHuman, 2, 20, 100);
    s.players[kHuman].dartsThrown = 3;
    drawHitTexts(s, device);
    EXPECT_TRUE(device.events.empty());
}

TEST_F(Hud, HitTextsStopAtTheEndOfAnUnterminatedRingText) {
    landDart(kHuman, 0, 0, 301);
    std::memset(s.players[kHuman].hitMessage, 'r', sizeof s.players[kHuman].hitMessage);
    drawHitTexts(s, device);
    ASSERT_EQ(device.events.size(), 1u);
    EXPECT_EQ(device.events[0].text, std::string(sizeof s.players[kHuman].hitMessage, 'r'));
}

// ---- Within the match frame ----

constexpr MeshHandle kRoom = 1, kBoard = 2, kDart = 3, kHand = 4;

class HudInFrame : public Hud {
  protected:
    void SetUp() override {
        Hud::SetUp();
        newMatch(s);
        s.inFrontEnd = 0;
        for (auto [model, handle] : {std::pair{&s.roomModel, kRoom},
                                     {&s.boardModel, kBoard},
                                     {&s.dartModel, kDart},
                                     {&s.handModel, kHand}}) {
            model->materials = {Material{}};
            model->textures = {0};
            model->mesh = handle;
        }
    }
    // The frame as a list of tags: meshes by name, bound textures, fans, texts by their text.
    std::vector<std::string> frameTags() const {
        std::vector<std::string> tags;
        for (const Event& e : device.events) {
            switch (e.kind) {
                case Event::Subset:
                    tags.push_back(e.mesh == kRoom    ? "room"
                                   : e.mesh == kBoard ? "board"
                                   : e.mesh == kDart  ? "dart"
                                                      : "hand");
                    break;
                case Event::Texture:
                    if (e.texture != 0) tags.push_back("tex" + std::to_string(e.texture));
                    break;
                case Event::Fan:
                    tags.push_back("fan");
                    break;
                case Event::Text:
                    tags.push_back(e.text);
                    break;
            }
        }
        return tags;
    }
};

TEST_F(HudInFrame, DartInHandFrameDrawsPanelsBeforeTheHandAndTheAimOverlaysLast) {
    renderMatchFrame(s, device);
    const std::vector<std::string> expected = {
        "room",   "board",                                                    // the scene
        "tex100", "fan",   kTaro,    kKen,  "0",   "1", "301", "301", "301",  // score table
        "tex107", "fan",                                                      // shot labels
        "tex203", "fan",                                                      // portrait
        "hand",   "dart",                                                     // held dart
        "tex102", "fan",   "tex101", "fan", "fan",                            // board, gauge
    };
    EXPECT_EQ(frameTags(), expected);
}

TEST_F(HudInFrame, LandedDartFrameDrawsTheHitTextsAfterTheDart) {
    s.matchPhase = MatchPhase::ComputerTurn;
    landDart(kComputer, 0, 20, 281, kTextDouble);
    s.players[kComputer].turnStartScore = 301;
    s.scoresShown = 1;
    renderMatchFrame(s, device);
    const std::vector<std::string> expected = {
        "room",      "board",                                                 // the scene
        "tex100",    "fan",      kTaro, kKen, "0", "1", "301", "301", "281",  // score table
        "tex107",    "fan",      "20",  // shot labels and the score
        "tex206",    "fan",             // portrait
        "dart",                         // the dart in the board
        kTextDouble, "20 POINT",        // hit texts
    };
    EXPECT_EQ(frameTags(), expected);
}

}  // namespace
}  // namespace darts::render
