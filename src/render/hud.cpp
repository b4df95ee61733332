#include "render/hud.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "match/flight.h"
#include "match/rules.h"
#include "render/draw2d.h"

namespace darts::render {
namespace {

constexpr int kSmallFont = 0;

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr uint32_t kMagenta = 0xFFFF00FF;
// The gauge marker: the gauge picture tinted red and see-through.
constexpr uint32_t kGaugeMarkerColor = 0x82FF0000;

constexpr int kScoreTableTexture = 0;
constexpr int kGaugeTexture = 1;
constexpr int kBoardPictureTexture = 2;
constexpr int kShotLabelsTexture = 7;

// The hit texts stand in the large font on rows of the text grid, left edge at x 100.
constexpr int kHitTextLeft = 100;
constexpr int kRingTextRow = 6;
constexpr int kScoreTextRow = 10;
constexpr int kOutcomeTextRow = 14;

// The gauge centre and how far a gauge value of 1 moves the marker from it.
constexpr float kGaugeCentreX = 370.0f;
constexpr float kGaugePixelsPerUnit = 150.0f;
constexpr float kGaugeTop = 530.0f;
constexpr float kGaugeBottom = 550.0f;

// Copies a text field into the text buffer. A field filled to its last byte has no terminator,
// so the copy stops at the field's end as well as at its first NUL.
template <size_t N>
void putField(GameState& state, const char (&field)[N]) {
    static_assert(N < sizeof state.textBuffer);
    const size_t length = strnlen(field, N);
    std::memcpy(state.textBuffer, field, length);
    state.textBuffer[length] = '\0';
}

void putText(GameState& state, const char* text) {
    std::snprintf(state.textBuffer, sizeof state.textBuffer, "%s", text);
}

void putNumber(GameState& state, int value) {
    std::snprintf(state.textBuffer, sizeof state.textBuffer, "%d", value);
}

void drawSmallNumber(GameState& state, Device& device, int value, uint32_t color, int x, int y) {
    putNumber(state, value);
    drawText(state, device, color, x, y, kSmallFont);
}

void drawOverlay(GameState& state, Device& device, int texture, int alpha, float left, float top,
                 float right, float bottom) {
    drawQuad2D(state, device, quadCorners(left, top, right, bottom), alpha, texture,
               static_cast<int>(QuadTexture::Overlay));
}

void drawHitLine(GameState& state, Device& device, int row) {
    drawTextGrid(state, device, kRed, row, 0, kHitTextLeft);
}

}  // namespace

void drawScorePanel(GameState& state, Device& device) {
    drawOverlay(state, device, kScoreTableTexture, 120, 510, 0, 800, 80);

    putField(state, state.players[kHuman].name);
    drawText(state, device, kWhite, 560, 10, kSmallFont);
    putField(state, state.players[kComputer].name);
    drawText(state, device, kWhite, 685, 10, kSmallFont);

    // The human opens every round, so the computer's count of finished turns is the previous
    // round's number and one more is the round being played.
    const int roundsDone = state.players[kComputer].turnCount;
    drawSmallNumber(state, device, roundsDone, kRed, 515, 40);
    drawSmallNumber(state, device, roundsDone + 1, kRed, 515, 62);

    drawSmallNumber(state, device, state.players[kHuman].turnStartScore, kBlue, 560, 40);
    drawSmallNumber(state, device, state.players[kComputer].turnStartScore, kBlue, 685, 40);

    // The running count goes under the name of the side to throw (negative while a bust is on
    // show). Once the match is over there is no such side.
    if (!sideToThrow(state)) return;
    const int side = static_cast<int>(state.matchPhase);
    drawSmallNumber(state, device, currentSide(state).scoreLeft, kMagenta, 560 + 125 * side, 62);
}

void drawShotPanel(GameState& state, Device& device) {
    drawOverlay(state, device, kShotLabelsTexture, 120, 600, 100, 750, 200);
    if (!sideToThrow(state)) return;

    // Each score follows its own label; the labels are indented further row by row.
    const PlayerSlot& side = currentSide(state);
    const int shown = std::clamp(state.scoresShown, 0, 3);
    for (int i = 0; i < shown; ++i) {
        drawSmallNumber(state, device, side.dartScores[i], kMagenta, 670 + 20 * i, 110 + 30 * i);
    }
}

void drawPortrait(GameState& state, Device& device) {
    if (!sideToThrow(state)) return;
    drawQuad2D(state, device, quadCorners(620, 350, 720, 460), 255,
               currentSide(state).characterNumber, static_cast<int>(QuadTexture::Portrait));
}

void drawAimOverlays(GameState& state, Device& device) {
    // The flat board is a fixed reference picture: nothing is ever marked on it.
    drawOverlay(state, device, kBoardPictureTexture, 180, 0, 0, 280, 280);
    drawOverlay(state, device, kGaugeTexture, 255, 245, kGaugeTop, 495, kGaugeBottom);

    // The marker is a bar from the gauge centre to the gauge value, in front of everything. It
    // binds no texture of its own, so the gauge picture stays on and shows through it mirrored;
    // left of the centre its winding turns round, which is drawn as culling is off.
    const float marker = kGaugeCentreX + kGaugePixelsPerUnit * state.gaugeValue;
    const ScreenVertex vertices[4] = {
        {marker, kGaugeTop, 0.0f, 1.0f, kGaugeMarkerColor, 0.0f, 0.0f},
        {kGaugeCentreX, kGaugeTop, 0.0f, 1.0f, kGaugeMarkerColor, 1.0f, 0.0f},
        {kGaugeCentreX, kGaugeBottom, 0.0f, 1.0f, kGaugeMarkerColor, 1.0f, 1.0f},
        {marker, kGaugeBottom, 0.0f, 1.0f, kGaugeMarkerColor, 0.0f, 1.0f},
    };
    device.drawScreenFan(vertices);
}

void drawHitTexts(GameState& state, Device& device) {
    // Called once the thrown branch has placed the dart, and decided from what that placement
    // left: in the frame whose placement finished the dart, the hand already holds the next dart
    // and the count names the next record, which may still sit in the board from an earlier turn;
    // its texts show for that one frame, as they always have. Only a finished match draws nothing.
    if (!sideToThrow(state)) return;
    const PlayerSlot& side = currentSide(state);
    if (side.dartsThrown < 0 || side.dartsThrown > 2) return;
    const DartBody& dart = state.darts[side.dartsThrown];
    if (!dartHasReachedBoard(dart) && !dartHasStopped(dart)) return;

    putField(state, side.hitMessage);  // the ring text, empty for a plain single
    drawHitLine(state, device, kRingTextRow);
    const int score = side.dartScores[side.dartsThrown];
    if (score != 0) {
        std::snprintf(state.textBuffer, sizeof state.textBuffer, "%d POINT", score);
        drawHitLine(state, device, kScoreTextRow);
    }
    const char* outcome = nullptr;
    if (side.scoreLeft < 0) {
        outcome = kTextBust;
    } else if (side.scoreLeft == 0) {
        outcome = state.matchPhase == MatchPhase::ComputerTurn ? kTextYouLose : kTextYouWin;
    }
    if (outcome != nullptr) {
        putText(state, outcome);
        drawHitLine(state, device, kOutcomeTextRow);
    }
}

}  // namespace darts::render
