#include "render/bar_overlays.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "render/bar_look.h"
#include "render/bar_texts.h"
#include "render/draw2d.h"

namespace darts::render {
namespace {

using namespace bar_look;
using games::BarBoardView;
using games::BarPause;
using games::BarSeatView;
using games::LegEndReason;

constexpr int kBodyHalf = 8;  // the body font's half-width advance
constexpr int kHeadingHeight = 34;
constexpr int kInset = 22;
constexpr int kWinnerRow = 38;
constexpr int kListRow = 19;
constexpr int kSectionGap = 10;
constexpr int kHintHeight = 30;
constexpr float kCentreY = 290, kHighestTop = 108, kLowestBottom = 520;

// The portrait pictures are 242 x 280.
constexpr float kPortraitAspect = 280.0f / 242.0f;

const BarSeatView* seatAt(const BarBoardView& view, int index) {
    if (index < 0 || index >= static_cast<int>(view.seats.size())) return nullptr;
    return &view.seats[index];
}

void portrait(const GameState& state, Device& device, int character, float left, float top,
              float width) {
    if (character < 1 || character > 8 || state.portraitTextures[character] == 0) return;
    const float height = width * kPortraitAspect;
    rect(device, left - 1.5f, top - 1.5f, left + width + 1.5f, top + height + 1.5f, kGold);
    drawOverlayPicture(device, state.portraitTextures[character], left, top, left + width,
                       top + height, kWhite);
}

BarText whyText(LegEndReason why) {
    switch (why) {
        case LegEndReason::Out: return BarText::WhyOut;
        case LegEndReason::Limit: return BarText::WhyLimit;
        case LegEndReason::Closed: return BarText::WhyClosed;
        case LegEndReason::Rounds: return BarText::WhyRounds;
        case LegEndReason::Cork: return BarText::WhyCork;
        case LegEndReason::None: break;
    }
    return BarText::Count;
}

// A plate with its heading band, the heading at the left and `aside` at the right.
void framedPlate(Device& device, const BarFonts& fonts, float top, float bottom,
                 std::string_view heading, std::string_view aside) {
    plate(device, kBarPauseLeft, top, kBarPauseRight, bottom);
    rect(device, kBarPauseLeft + 1.5f, top + 1.5f, kBarPauseRight - 1.5f, top + kHeadingHeight,
         kHeading);
    rect(device, kBarPauseLeft + 8, top + kHeadingHeight, kBarPauseRight - 8,
         top + kHeadingHeight + 1.5f, kGold);
    const int textY = static_cast<int>(top) + (kHeadingHeight - 15) / 2;
    device.drawText(fonts.body, heading, static_cast<int>(kBarPauseLeft) + kInset, textY, kGold);
    device.drawText(fonts.body, aside,
                    static_cast<int>(kBarPauseRight) - kInset - textWidth(aside, kBodyHalf), textY,
                    kCream);
}

void clickHint(Device& device, const BarFonts& fonts, float bottom, std::string_view hint) {
    device.drawText(fonts.body, hint,
                    static_cast<int>(kBarPauseRight) - kInset - textWidth(hint, kBodyHalf),
                    static_cast<int>(bottom) - kHintHeight + 6, kDim);
}

float plateTop(int height) {
    return std::clamp(kCentreY - height / 2.0f, kHighestTop, kLowestBottom - height);
}

void drawHandOver(const GameState& state, const BarBoardView& view, Device& device,
                  const BarFonts& fonts) {
    const Language language = state.language;
    constexpr float kPortraitWidth = 96;
    const int height = kHeadingHeight + 16 + static_cast<int>(kPortraitWidth * kPortraitAspect) +
                       8 + kHintHeight;
    const float top = plateTop(height), bottom = top + height;
    std::string aside;
    if (view.legs > 1) {
        aside = std::string(barText(language, BarText::Leg)) + " " +
                std::to_string(std::max(1, view.leg)) + "/" + std::to_string(view.legs);
    }
    framedPlate(device, fonts, top, bottom, barText(language, BarText::NextThrower), aside);
    const BarSeatView* seat = seatAt(view, view.thrower);
    if (seat == nullptr) return;
    const float pictureTop = top + kHeadingHeight + 16;
    portrait(state, device, seat->character, kBarPauseLeft + kInset + 4, pictureTop,
             kPortraitWidth);
    const int nameX = static_cast<int>(kBarPauseLeft + kInset + kPortraitWidth + 28);
    const int nameY = static_cast<int>(pictureTop + kPortraitWidth * kPortraitAspect / 2) - 20;
    device.drawText(fonts.big, seat->name, nameX, nameY, kCream);
    clickHint(device, fonts, bottom, barText(language, BarText::ClickToThrow));
}

// One line of a list under a label: a seat's name at the left, its value at the right.
void listRow(Device& device, const BarFonts& fonts, int y, std::string_view name,
             std::string_view value, uint32_t colour) {
    const int left = static_cast<int>(kBarPauseLeft) + kInset + 12;
    const int right = static_cast<int>(kBarPauseRight) - kInset - 12;
    device.drawText(fonts.body, name, left, y, colour);
    device.drawText(fonts.body, value, right - textWidth(value, kBodyHalf), y, colour);
    const int dotsFrom = left + textWidth(name, kBodyHalf) + 8;
    const int dotsTo = right - textWidth(value, kBodyHalf) - 8;
    // A dotted leader joins the two, as on a printed score sheet.
    for (int x = dotsFrom; x + 2 <= dotsTo; x += 6) {
        rect(device, static_cast<float>(x), y + 11.0f, x + 2.0f, y + 13.0f, 0x80B8A488);
    }
}

void drawResult(const GameState& state, const BarBoardView& view, Device& device,
                const BarFonts& fonts) {
    const Language language = state.language;
    const bool medley = view.legs > 1;
    const bool cork = view.why == LegEndReason::Cork;
    const int seats = std::min(static_cast<int>(view.seats.size()), games::kMaxSides);
    const int winnerRows = std::max(1, std::min(static_cast<int>(view.winners.size()), seats));
    int height = kHeadingHeight + kSectionGap + kListRow + winnerRows * kWinnerRow;
    if (view.why != LegEndReason::None) height += kListRow + 4;
    if (medley) height += kSectionGap + kListRow * (1 + seats);
    if (cork) height += kSectionGap + kListRow * (1 + seats);
    height += kHintHeight;
    const float top = plateTop(height), bottom = top + height;

    const bool matchOver = view.pause == BarPause::MatchOver;
    std::string aside;
    if (medley) {
        aside = std::string(barText(language, BarText::Leg)) + " " +
                std::to_string(std::max(1, view.leg)) + "/" + std::to_string(view.legs);
    }
    framedPlate(device, fonts, top, bottom,
                barText(language, matchOver ? BarText::GameOver : BarText::LegOver), aside);

    const int left = static_cast<int>(kBarPauseLeft) + kInset;
    int y = static_cast<int>(top) + kHeadingHeight + kSectionGap;
    device.drawText(fonts.body,
                    barText(language, view.winners.size() > 1 ? BarText::Winners : BarText::Winner),
                    left, y, kDim);
    y += kListRow;
    if (view.winners.empty()) {
        device.drawText(fonts.big, barText(language, BarText::Draw), left + 12, y + 4, kCream);
        y += kWinnerRow;
    }
    for (int i = 0; i < winnerRows && i < static_cast<int>(view.winners.size()); ++i) {
        const BarSeatView* seat = seatAt(view, view.winners[i]);
        if (seat != nullptr) {
            portrait(state, device, seat->character, static_cast<float>(left + 12), y + 2.0f, 28);
            device.drawText(fonts.big, seat->name, left + 56, y + 3, kGold);
        }
        y += kWinnerRow;
    }
    if (view.why != LegEndReason::None) {
        device.drawText(fonts.body, barText(language, whyText(view.why)), left + 12, y, kCream);
        y += kListRow + 4;
    }
    if (medley) {
        y += kSectionGap;
        device.drawText(fonts.body, barText(language, BarText::LegsWon), left, y, kDim);
        y += kListRow;
        for (int i = 0; i < seats; ++i) {
            const BarSeatView& seat = view.seats[i];
            const bool won = std::find(view.winners.begin(), view.winners.end(), i) !=
                             view.winners.end();
            listRow(device, fonts, y, seat.name, std::to_string(seat.legsWon), won ? kGold : kCream);
            y += kListRow;
        }
    }
    if (cork) {
        y += kSectionGap;
        device.drawText(fonts.body, barText(language, BarText::CorkDistance), left, y, kDim);
        y += kListRow;
        for (int i = 0; i < seats; ++i) {
            const BarSeatView& seat = view.seats[i];
            std::string distance = barText(language, BarText::CorkNone);
            if (seat.corkMillimetres >= 0) {
                char text[24];
                std::snprintf(text, sizeof text, "%.1f mm", seat.corkMillimetres);
                distance = text;
            }
            listRow(device, fonts, y, seat.name, distance, kCream);
            y += kListRow;
        }
    }
    clickHint(device, fonts, bottom, barText(language, BarText::ClickToGoOn));
}

// Two choices side by side, the one pointed at framed in gold.
void drawChooseGame(const GameState& state, const BarBoardView& view, Device& device,
                    const BarFonts& fonts) {
    const Language language = state.language;
    constexpr float kPortraitWidth = 64;
    constexpr int kChoiceHeight = 56, kChoiceGap = 24;
    const int height = kHeadingHeight + 16 + static_cast<int>(kPortraitWidth * kPortraitAspect) +
                       16 + kChoiceHeight + 12 + kHintHeight;
    const float top = plateTop(height), bottom = top + height;
    const std::string aside = std::string(barText(language, BarText::Leg)) + " " +
                              std::to_string(std::max(1, view.leg + 1)) + "/" +
                              std::to_string(view.legs);
    framedPlate(device, fonts, top, bottom, barText(language, BarText::ChooseLastLeg), aside);
    const float pictureTop = top + kHeadingHeight + 16;
    if (const BarSeatView* seat = seatAt(view, view.thrower)) {
        portrait(state, device, seat->character, kBarPauseLeft + kInset + 4, pictureTop,
                 kPortraitWidth);
        device.drawText(fonts.big, seat->name,
                        static_cast<int>(kBarPauseLeft + kInset + kPortraitWidth + 28),
                        static_cast<int>(pictureTop + kPortraitWidth * kPortraitAspect / 2) - 14,
                        kCream);
    }
    const float choicesTop = pictureTop + kPortraitWidth * kPortraitAspect + 16;
    const float width = (kBarPauseRight - kBarPauseLeft - 2 * kInset - kChoiceGap) / 2;
    const std::string names[2] = {std::to_string(view.x01Start),
                                  barText(language, BarText::Cricket)};
    for (int i = 0; i < 2; ++i) {
        const bool pointed = (i == 0) == (view.choice == games::LegGame::X01);
        const float left = kBarPauseLeft + kInset + i * (width + kChoiceGap);
        const float bottomEdge = choicesTop + kChoiceHeight;
        const float edge = pointed ? 3.0f : 1.0f;
        rect(device, left - edge, choicesTop - edge, left + width + edge, bottomEdge + edge,
             pointed ? kGold : kDim);
        rect(device, left, choicesTop, left + width, bottomEdge, kHeading);
        const int textWidthBig = textWidth(names[i], 14);
        device.drawText(fonts.big, names[i],
                        static_cast<int>(left + width / 2) - textWidthBig / 2,
                        static_cast<int>(choicesTop) + (kChoiceHeight - 28) / 2,
                        pointed ? kGold : kDim);
    }
    clickHint(device, fonts, bottom, barText(language, BarText::PointAndClick));
}

}  // namespace

void drawBarPause(const GameState& state, const BarBoardView& view, Device& device,
                  const BarFonts& fonts) {
    switch (view.pause) {
        case BarPause::None:
            return;
        case BarPause::HandOver:
            drawHandOver(state, view, device, fonts);
            return;
        case BarPause::LegOver:
        case BarPause::MatchOver:
            drawResult(state, view, device, fonts);
            return;
        case BarPause::ChooseGame:
            drawChooseGame(state, view, device, fonts);
            return;
    }
}

}  // namespace darts::render
