#include "render/bar_scoreboard.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "games/checkout.h"
#include "render/bar_look.h"
#include "render/bar_texts.h"
#include "render/draw2d.h"

namespace darts::render {
namespace {

using namespace bar_look;
using games::BarBoardView;
using games::BarSeatView;
using games::LegGame;

constexpr int kHalfWidth = 8;  // the body font's half-width advance
constexpr int kTextDrop = 2;  // from a row's top to its text cell's: the figures then sit mid-row

// Column widths, left to right after the marker and the name.
constexpr int kMarkerWidth = 18;
constexpr int kNameWidth = 100;  // eleven half-widths, the longest name the roster holds
constexpr int kCountWidth = 52;
constexpr int kLegDotPitch = 11;  // a medley's legs won: one dot per leg the game needs
constexpr int kHintWidth = 112;
constexpr int kTargetWidth = 26;
constexpr int kBullWidth = 38;
constexpr int kPointsWidth = 52;
constexpr int kRoundWidth = 32;
constexpr int kShownRounds = 8;  // Count-Up's columns: the latest rounds when there are more
constexpr int kPad = 8;
constexpr int kMinWidth = 320;  // the heading's game, round and leg need this much

constexpr float kPortraitLeft = 620, kPortraitTop = 350, kPortraitRight = 720,
                kPortraitBottom = 460;

void rightAligned(Device& device, FontHandle font, std::string_view text, int right, int y,
                  uint32_t colour) {
    device.drawText(font, text, right - textWidth(text, kHalfWidth), y, colour);
}

void centred(Device& device, FontHandle font, std::string_view text, int centre, int y,
             uint32_t colour) {
    device.drawText(font, text, centre - textWidth(text, kHalfWidth) / 2, y, colour);
}

std::string gameLabel(Language language, const BarBoardView& view) {
    if (view.game == "cork") return barText(language, BarText::Cork);
    switch (view.legGame) {
        case LegGame::Cricket:
            return barText(language,
                           view.game == "cutthroat" ? BarText::CutThroat : BarText::Cricket);
        case LegGame::CountUp:
            return barText(language, BarText::CountUp);
        case LegGame::X01:
            break;
    }
    if (view.out == games::OutRule::Double)
        return view.game + " " + barText(language, BarText::DoubleOut);
    if (view.out == games::OutRule::Master)
        return view.game + " " + barText(language, BarText::MasterOut);
    return view.game;
}

std::string roundLabel(Language language, const BarBoardView& view) {
    std::string text = std::string(barText(language, BarText::Round)) + " " +
                       std::to_string(std::max(1, view.round));
    if (view.roundLimit > 0) text += "/" + std::to_string(view.roundLimit);
    return text;
}

std::string legLabel(Language language, const BarBoardView& view) {
    if (view.legs <= 1) return {};
    return std::string(barText(language, BarText::Leg)) + " " +
           std::to_string(std::max(1, view.leg)) + "/" + std::to_string(view.legs);
}

std::string corkLabel(double millimetres) {
    if (millimetres < 0) return "-";
    char text[24];
    std::snprintf(text, sizeof text, "%.1fmm", millimetres);
    return text;
}

bool isCork(const BarBoardView& view) { return view.game == "cork"; }

// The columns after the name, and the panel they make.
struct Layout {
    int left = 0;
    int valuesX = 0;   // where the game's columns begin
    int labelsTop = 0;  // Cricket's and Count-Up's column labels; equal to rowsTop otherwise
    int rowsTop = 0;
    int rowHeight = 0;
    int bottom = 0;
    bool labels = false;
    bool legs = false;
    int firstRound = 1;  // Count-Up: the round of the first column
    int rounds = 0;      // Count-Up: columns shown
    bool checkoutHint = false;  // 01 with double or master out, and the setting on
};

// Legs a medley needs to win: more than half of its best-of.
int legsToWin(const BarBoardView& view) { return view.legs / 2 + 1; }
int legsWidth(const BarBoardView& view) {
    return view.legs > 1 ? legsToWin(view) * kLegDotPitch + 10 : 0;
}

int valuesWidth(const BarBoardView& view, const Layout& at) {
    if (isCork(view)) return kCountWidth + 32;
    switch (view.legGame) {
        case LegGame::Cricket:
            return 6 * kTargetWidth + kBullWidth + kPointsWidth;
        case LegGame::CountUp:
            return at.rounds * kRoundWidth + kPointsWidth;
        case LegGame::X01:
            break;
    }
    return kCountWidth + (view.out == games::OutRule::Open ? 0 : kHintWidth);
}

Layout layoutOf(const BarBoardView& view) {
    Layout at;
    at.legs = view.legs > 1;
    at.labels = !isCork(view) && view.legGame != LegGame::X01;
    if (view.legGame == LegGame::CountUp) {
        const int total = view.roundLimit > 0 ? view.roundLimit : kShownRounds;
        at.rounds = std::min(total, kShownRounds);
        // The round in play stays in sight: the columns slide on once it passes the last.
        at.firstRound = std::clamp(view.round - at.rounds + 1, 1, std::max(1, total - at.rounds + 1));
    }
    const int width = std::max(kMinWidth, kMarkerWidth + kNameWidth + valuesWidth(view, at) +
                                              legsWidth(view) + kPad);
    at.left = kFrameWidth - width;
    at.valuesX = at.left + kMarkerWidth + kNameWidth;
    at.labelsTop = kBarBoardHeadingHeight;
    at.rowsTop = at.labelsTop + (at.labels ? kBarBoardLabelsHeight : 0);
    at.rowHeight = at.labels ? kBarBoardRowHeight : kBarBoardCountRowHeight;
    const int rows = std::min(static_cast<int>(view.seats.size()), games::kMaxSides);
    at.bottom = at.rowsTop + at.rowHeight * rows + 2;
    return at;
}

int rowTop(const Layout& at, int seat) { return at.rowsTop + seat * at.rowHeight; }

// Cricket's target columns: their left edges and widths.
int targetLeft(const Layout& at, int target) { return at.valuesX + target * kTargetWidth; }
int targetWidth(int target) { return target == 6 ? kBullWidth : kTargetWidth; }

void drawHeading(const GameState& state, const BarBoardView& view, Device& device,
                 const BarFonts& fonts, const Layout& at) {
    rect(device, static_cast<float>(at.left), 0, kFrameWidth,
         static_cast<float>(kBarBoardHeadingHeight), kHeading);
    rect(device, static_cast<float>(at.left), kBarBoardHeadingHeight - 1.5f, kFrameWidth,
         kBarBoardHeadingHeight, kGold);
    device.drawText(fonts.body, gameLabel(state.language, view), at.left + 8, kTextDrop, kGold);
    // A cork is thrown outside the rounds.
    std::string right = isCork(view) ? std::string() : roundLabel(state.language, view);
    const std::string leg = legLabel(state.language, view);
    if (!leg.empty()) right = right.empty() ? leg : leg + "  " + right;
    rightAligned(device, fonts.body, right, kFrameWidth - kPad, kTextDrop, kCream);
}

void drawLabels(const BarBoardView& view, Device& device, const BarFonts& fonts, const Layout& at,
                Language language) {
    const int y = at.labelsTop;
    if (view.legGame == LegGame::Cricket) {
        for (int t = 0; t < 7; ++t) {
            const int left = targetLeft(at, t), width = targetWidth(t);
            const bool closed = t < static_cast<int>(view.closedForAll.size()) && view.closedForAll[t];
            const std::string label =
                t == 6 ? std::string("BULL") : std::to_string(games::kCricketNumbers[t]);
            if (closed) {
                // Struck through for every side: no one scores on it any more.
                rect(device, static_cast<float>(left + 1), static_cast<float>(y),
                     static_cast<float>(left + width - 1), static_cast<float>(at.bottom),
                     kClosedColumn);
            }
            centred(device, fonts.body, label, left + width / 2, y, closed ? kDim : kGold);
            if (closed) {
                // Through the middle of the figures, which stand 1 to 11 pixels below the top.
                line(device, static_cast<float>(left + 3), y + 6.0f,
                     static_cast<float>(left + width - 3), y + 6.0f, 1.6f, kCream);
            }
        }
        rightAligned(device, fonts.body, barText(language, BarText::Points),
                     at.valuesX + 6 * kTargetWidth + kBullWidth + kPointsWidth - 4, y, kDim);
    } else if (view.legGame == LegGame::CountUp) {
        for (int c = 0; c < at.rounds; ++c) {
            const int round = at.firstRound + c;
            const int left = at.valuesX + c * kRoundWidth;
            if (round == view.round) {
                rect(device, static_cast<float>(left + 2), static_cast<float>(y),
                     static_cast<float>(left + kRoundWidth - 2), static_cast<float>(at.bottom),
                     0x30F4CE6A);
            }
            rightAligned(device, fonts.body, std::to_string(round), left + kRoundWidth - 4, y,
                         round == view.round ? kGold : kDim);
        }
        rightAligned(device, fonts.body, barText(language, BarText::Total),
                     at.valuesX + at.rounds * kRoundWidth + kPointsWidth - 4, y, kDim);
    }
}

void drawSeatValues(const BarBoardView& view, const BarSeatView& seat, bool thrower,
                    Device& device, const BarFonts& fonts, const Layout& at, int top) {
    const int y = top + kTextDrop + (at.rowHeight - 15) / 2;
    const uint32_t value = thrower ? kWhite : kCream;
    if (isCork(view)) {
        rightAligned(device, fonts.body, corkLabel(seat.corkMillimetres),
                     at.valuesX + kCountWidth + 32 - 4, y, value);
        return;
    }
    switch (view.legGame) {
        case LegGame::Cricket: {
            const float cy = top + at.rowHeight / 2.0f;
            for (int t = 0; t < 7; ++t) {
                const float cx = targetLeft(at, t) + targetWidth(t) / 2.0f;
                const int count = std::clamp(seat.marks[t], 0, 3);
                marks(device, count, cx, cy, at.rowHeight - 2.0f, count == 3 ? kGold : kCream);
            }
            rightAligned(device, fonts.body, std::to_string(seat.points),
                         at.valuesX + 6 * kTargetWidth + kBullWidth + kPointsWidth - 4, y, value);
            return;
        }
        case LegGame::CountUp: {
            for (int c = 0; c < at.rounds; ++c) {
                const size_t index = static_cast<size_t>(at.firstRound + c - 1);
                if (index >= seat.roundTotals.size()) break;
                rightAligned(device, fonts.body, std::to_string(seat.roundTotals[index]),
                             at.valuesX + (c + 1) * kRoundWidth - 4, y, kCream);
            }
            rightAligned(device, fonts.body, std::to_string(seat.points),
                         at.valuesX + at.rounds * kRoundWidth + kPointsWidth - 4, y, value);
            return;
        }
        case LegGame::X01:
            break;
    }
    rightAligned(device, fonts.body, std::to_string(seat.left), at.valuesX + kCountWidth - 4, y,
                 value);
    if (thrower && at.checkoutHint) {
        const std::string route = games::checkoutRoute(seat.left, view.out, view.bull);
        device.drawText(fonts.body, route, at.valuesX + kCountWidth + 12, y, kGold);
    }
}

void drawSeat(const BarBoardView& view, Device& device, const BarFonts& fonts, const Layout& at,
              int index) {
    const BarSeatView& seat = view.seats[index];
    const int top = rowTop(at, index);
    const bool thrower = index == view.thrower;
    if (thrower) {
        rect(device, static_cast<float>(at.left + 2), static_cast<float>(top + 1),
             kFrameWidth - 2.0f, static_cast<float>(top + at.rowHeight - 1), kThrowerBand);
        // A pointer at the row's start, as a bar machine lights the seat to throw.
        const float cy = top + at.rowHeight / 2.0f, x = at.left + 6.0f;
        const ScreenVertex arrow[3] = {{x, cy - 5, 0, 1, kGold, 0, 0},
                                       {x + 8, cy, 0, 1, kGold, 0, 0},
                                       {x, cy + 5, 0, 1, kGold, 0, 0}};
        device.setTexture(0);
        device.drawScreenFan(arrow);
    } else if (index > 0) {
        rect(device, static_cast<float>(at.left + 6), static_cast<float>(top),
             kFrameWidth - 6.0f, top + 1.0f, 0x40F4CE6A);
    }
    const int y = top + kTextDrop + (at.rowHeight - 15) / 2;
    device.drawText(fonts.body, seat.name, at.left + kMarkerWidth, y, thrower ? kGold : kCream);
    drawSeatValues(view, seat, thrower, device, fonts, at, top);
    if (at.legs) {
        // Filled for the legs won, hollow for those still wanted, as a bar machine's lamps.
        const int toWin = legsToWin(view);
        const float cy = top + at.rowHeight / 2.0f;
        for (int i = 0; i < toWin; ++i) {
            const float cx = kFrameWidth - kPad - (toWin - i - 0.5f) * kLegDotPitch;
            if (i < seat.legsWon) {
                ring(device, cx, cy, 2.2f, 4.4f, kGold);
            } else {
                ring(device, cx, cy, 3.6f, 1.4f, kDim);
            }
        }
    }
}

}  // namespace

BarFonts createBarFonts(Device& device) {
    return {device.createFont(15, 8), device.createFont(28, 14)};
}

void drawBarScoreboard(const GameState& state, const BarBoardView& view, Device& device,
                       const BarFonts& fonts) {
    if (view.seats.empty()) return;
    Layout at = layoutOf(view);
    at.checkoutHint = state.checkoutHintOn != 0 && view.out != games::OutRule::Open;
    plate(device, static_cast<float>(at.left), 0, kFrameWidth, static_cast<float>(at.bottom));
    drawHeading(state, view, device, fonts, at);
    drawLabels(view, device, fonts, at, state.language);
    for (int i = 0; i < static_cast<int>(view.seats.size()) && i < games::kMaxSides; ++i) {
        drawSeat(view, device, fonts, at, i);
    }
    if (view.thrower >= 0 && view.thrower < static_cast<int>(view.seats.size())) {
        const int character = view.seats[view.thrower].character;
        if (character >= 1 && character <= 8 && state.portraitTextures[character] != 0) {
            drawOverlayPicture(device, state.portraitTextures[character], kPortraitLeft,
                               kPortraitTop, kPortraitRight, kPortraitBottom, kWhite);
        }
    }
}

}  // namespace darts::render
