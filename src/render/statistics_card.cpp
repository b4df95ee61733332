#include "render/statistics_card.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "render/award_texts.h"
#include "render/draw2d.h"

namespace darts::render {
namespace {

namespace texts = award_texts;

constexpr float kCardLeft = 100, kCardTop = 80, kCardWidth = 600, kCardHeight = 440;
constexpr int kFirstRow = 128 + 6;  // the plate's first rule is at 128 below its top
constexpr int kRowHeight = 30;
constexpr int kCardTextureSlot = 7;

constexpr uint32_t kCream = 0xFFF4E8D0;
constexpr uint32_t kGold = 0xFFF4CE6A;
constexpr uint32_t kDim = 0xFFB8A488;

void plate(const GameState& state, Device& device, const CardFonts& fonts, const char* heading) {
    const TextureHandle texture = state.awardTextures[kCardTextureSlot];
    // Without its picture the card is a plain dark panel: still readable.
    drawOverlayPicture(device, texture, kCardLeft, kCardTop, kCardLeft + kCardWidth,
                       kCardTop + kCardHeight, texture != 0 ? 0xFFFFFFFFu : 0xFF3A0A12u);
    device.drawText(fonts.body, heading, static_cast<int>(kCardLeft) + 30,
                    static_cast<int>(kCardTop) + 24, kGold);
}

int rowY(int row) { return static_cast<int>(kCardTop) + kFirstRow + row * kRowHeight; }

std::string fixed(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

template <size_t N>
std::string_view field(const char (&text)[N]) {
    return {text, strnlen(text, N)};
}

std::string awardList(const SideStatistics& side) {
    std::string list;
    for (int award = 1; award < kAwardKinds; ++award) {
        const int count = side.awards[award];
        if (count == 0) continue;
        if (!list.empty()) list += "  ";
        list += std::string(awardTitle(static_cast<Award>(award))) + " x" + std::to_string(count);
    }
    return list.empty() ? "-" : list;
}

int awardTotal(const SideStatistics& side) {
    int total = 0;
    for (int award = 1; award < kAwardKinds; ++award) total += side.awards[award];
    return total;
}

}  // namespace

CardFonts createCardFonts(Device& device) {
    return {device.createFont(22, 11), device.createFont(14, 7)};
}

void drawStatisticsCard(const GameState& state, Device& device, const CardFonts& fonts,
                        const MatchStatistics& statistics) {
    device.beginFrame();
    plate(state, device, fonts, texts::kCardHeading);
    constexpr int kLabelX = 130;
    constexpr int kColumnX[2] = {390, 545};
    // The names head the columns; the winner's column is marked in gold.
    for (int side = 0; side < 2; ++side) {
        const bool won = statistics.winner() == side;
        if (won) {
            drawOverlayPicture(device, 0, kColumnX[side] - 12.0f, rowY(-1) - 6.0f,
                               kColumnX[side] + 140.0f, rowY(6) - 4.0f, 0x30F4CE6Au);
            device.drawText(fonts.small, texts::kCardWinner, kColumnX[side] + 96, rowY(-1) + 4,
                            kGold);
        }
        device.drawText(fonts.body, field(state.players[side].name), kColumnX[side], rowY(-1),
                        won ? kGold : kCream);
    }
    const char* const labels[] = {texts::kCardDarts,    texts::kCardPoints,   texts::kCardPerDart,
                                  texts::kCardPerRound, texts::kCardBestTurn, texts::kCardAwards};
    for (int row = 0; row < 6; ++row) {
        device.drawText(fonts.body, labels[row], kLabelX, rowY(row), kDim);
        for (int side = 0; side < 2; ++side) {
            const SideStatistics& s = statistics.side(side);
            const std::string values[] = {
                std::to_string(s.darts),    std::to_string(s.points),
                fixed(s.pointsPerDart()),   fixed(s.pointsPerRound()),
                std::to_string(s.bestTurn), std::to_string(awardTotal(s))};
            device.drawText(fonts.body, values[row], kColumnX[side], rowY(row), kCream);
        }
    }
    // What the awards were, one line per side.
    for (int side = 0; side < 2; ++side) {
        std::string line =
            std::string(field(state.players[side].name)) + "  " + awardList(statistics.side(side));
        device.drawText(fonts.small, line, kLabelX, rowY(6) + 8 + side * 20, kCream);
    }
    device.drawText(fonts.small, texts::kCardClick, 560, static_cast<int>(kCardTop) + 410, kDim);
    device.endFrame();
}

void drawRecordsPage(const GameState& state, Device& device, const CardFonts& fonts,
                     const PlayerRecords& records) {
    device.beginFrame();
    plate(state, device, fonts, texts::kRecordsHeading);
    constexpr int kColumns[] = {190, 262, 334, 406, 490, 590};
    const char* const heads[] = {texts::kRecordsPlayed,      texts::kRecordsWon,
                                 texts::kRecordsTournaments, texts::kRecordsBest,
                                 texts::kRecordsLifetime,    texts::kRecordsAwards};
    for (int c = 0; c < 6; ++c) {
        device.drawText(fonts.small, heads[c], kColumns[c], rowY(-1) + 8, kDim);
    }
    bool any = false;
    for (int character = 1; character <= kRosterCharacters; ++character) {
        const CharacterRecord& r = records.characters[character];
        // One band of the plate's rules per character.
        const int y = rowY(character - 1) - 5;
        drawOverlayPicture(device, state.portraitTextures[character], 132,
                           static_cast<float>(y + 1), 156, static_cast<float>(y + 29), 0xFFFFFFFFu);
        int64_t awards = 0;
        for (int a = 1; a < kAwardKinds; ++a) awards += r.awards[a];
        const std::string values[] = {
            std::to_string(r.played),         std::to_string(r.won),
            std::to_string(r.tournaments),    fixed(r.bestPointsPerDart()),
            fixed(r.lifetimePointsPerDart()), std::to_string(awards)};
        const uint32_t colour = r.played > 0 ? kCream : kDim;
        for (int c = 0; c < 6; ++c)
            device.drawText(fonts.body, values[c], kColumns[c], y + 3, colour);
        any = any || r.played > 0;
    }
    if (!any)
        device.drawText(fonts.small, texts::kRecordsNone, 130, static_cast<int>(kCardTop) + 412,
                        kDim);
    device.drawText(fonts.small, texts::kRecordsClick, 560, static_cast<int>(kCardTop) + 412, kDim);
    device.endFrame();
}

}  // namespace darts::render
