#include "render/statistics_card.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "games/player_rating.h"
#include "games/rating_stats.h"
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

// A line of the rating chart, 1.6 pixels wide, at the overlays' depth so that it lies on the
// chart's panel rather than behind it.
void chartLine(Device& device, float x1, float y1, float x2, float y2, uint32_t colour) {
    const float length = std::hypot(x2 - x1, y2 - y1);
    if (length <= 0) return;
    const float nx = -(y2 - y1) / length * 0.8f, ny = (x2 - x1) / length * 0.8f;
    const std::array<ScreenVertex, 4> band = {{
        {x1 + nx, y1 + ny, 0.0f, 1.0f, colour, 0.0f, 0.0f},
        {x2 + nx, y2 + ny, 0.0f, 1.0f, colour, 1.0f, 0.0f},
        {x2 - nx, y2 - ny, 0.0f, 1.0f, colour, 1.0f, 1.0f},
        {x1 - nx, y1 - ny, 0.0f, 1.0f, colour, 0.0f, 1.0f},
    }};
    device.setTexture(0);
    device.drawScreenFan(band);
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
                     const PlayerRecords& records, bool ratingsFollow) {
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
    const char* const hint = ratingsFollow
                                 ? texts::pageText(state.language, texts::PageText::Next)
                                 : texts::kRecordsClick;
    device.drawText(fonts.small, hint, 560, static_cast<int>(kCardTop) + 412, kDim);
    device.endFrame();
}

void drawBarStatisticsCard(const GameState& state, Device& device, const CardFonts& fonts,
                           const std::vector<games::Seat>& seats,
                           const std::vector<games::PlayedLeg>& legs,
                           const std::vector<int>& winners) {
    using texts::PageText;
    const auto text = [&state](PageText id) { return texts::pageText(state.language, id); };
    device.beginFrame();
    plate(state, device, fonts, text(PageText::BarCardHeading));
    const int sides = std::min(static_cast<int>(seats.size()), games::kMaxSides);
    std::vector<games::SideMatchStatistics> sums;
    for (int side = 0; side < sides; ++side) sums.push_back(games::sumLegs(legs, side));
    if (sums.empty()) sums.emplace_back();
    // Four sides share the width the 301 card gives two.
    constexpr int kLabelX = 130, kFirstColumn = 304;
    const int columnWidth = sides > 2 ? 96 : 150;
    const auto columnX = [&](int side) { return kFirstColumn + side * columnWidth; };
    for (int side = 0; side < sides; ++side) {
        const bool won = std::find(winners.begin(), winners.end(), side) != winners.end();
        if (won) {
            drawOverlayPicture(device, 0, columnX(side) - 8.0f, rowY(-1) - 6.0f,
                               columnX(side) + columnWidth - 10.0f, rowY(6) - 4.0f, 0x30F4CE6Au);
        }
        device.drawText(fonts.small, seats[static_cast<size_t>(side)].name, columnX(side),
                        rowY(-1) + 8, won ? kGold : kCream);
    }
    struct Row {
        PageText label;
        bool shown;
        std::string (*value)(const games::SideMatchStatistics&);
    };
    const games::SideMatchStatistics& any = sums.front();
    const Row rows[] = {
        {PageText::BarPpr, any.x01Legs > 0,
         [](const games::SideMatchStatistics& s) { return fixed(s.x01.pointsPerRound()); }},
        {PageText::BarPpr80, any.x01Legs > 0,
         [](const games::SideMatchStatistics& s) { return fixed(s.x01.pointsPerRound80()); }},
        {PageText::BarMpr, any.cricketLegs > 0,
         [](const games::SideMatchStatistics& s) { return fixed(s.cricket.marksPerRound()); }},
        {PageText::BarMpr80, any.cricketLegs > 0,
         [](const games::SideMatchStatistics& s) { return fixed(s.cricket.marksPerRound80()); }},
        {PageText::BarCountUp, any.countUpLegs > 0,
         [](const games::SideMatchStatistics& s) {
             return std::to_string(s.countUpLegs > 0 ? s.countUp.points / s.countUpLegs : 0);
         }},
        {PageText::BarAwards, true,
         [](const games::SideMatchStatistics& s) {
             int total = 0;
             for (int count : s.awards) total += count;
             return std::to_string(total);
         }},
    };
    int row = 0;
    for (const Row& r : rows) {
        if (!r.shown) continue;
        device.drawText(fonts.body, text(r.label), kLabelX, rowY(row), kDim);
        for (int side = 0; side < sides; ++side) {
            device.drawText(fonts.body, r.value(sums[static_cast<size_t>(side)]), columnX(side),
                            rowY(row), kCream);
        }
        ++row;
    }
    // What the awards were, one line per side.
    for (int side = 0; side < sides; ++side) {
        std::string line = seats[static_cast<size_t>(side)].name + " ";
        bool none = true;
        for (int award = 1; award < games::kGameAwardKinds; ++award) {
            const int count = sums[static_cast<size_t>(side)].awards[static_cast<size_t>(award)];
            if (count == 0) continue;
            line += " " + std::string(games::gameAwardTitle(static_cast<games::GameAward>(award))) +
                    " x" + std::to_string(count);
            none = false;
        }
        if (none) line += " -";
        device.drawText(fonts.small, line, kLabelX, rowY(6) + 2 + side * 18, kCream);
    }
    device.drawText(fonts.small, text(PageText::BarClick), 560, static_cast<int>(kCardTop) + 412,
                    kDim);
    device.endFrame();
}

bool anyRatedGames(const PlayerRecords& records) {
    for (int character = 1; character <= kRosterCharacters; ++character) {
        const CharacterRecord& r = records.characters[character];
        if (!r.x01Games.empty() || !r.cricketGames.empty()) return true;
    }
    return false;
}

void drawRatingPage(const GameState& state, Device& device, const CardFonts& fonts,
                    const PlayerRecords& records) {
    using texts::PageText;
    const auto text = [&state](PageText id) { return texts::pageText(state.language, id); };
    device.beginFrame();
    plate(state, device, fonts, text(PageText::Heading));
    constexpr int kRtX = 168, kFlightX = 232, kX01X = 300, kCricketX = 378, kGamesX = 450;
    constexpr float kChartLeft = 494, kChartRight = 680, kChartHeight = 24;
    constexpr uint32_t kX01Line = 0xFFF4CE6A, kCricketLine = 0xFF7CC8F0;
    const int headY = rowY(-1) + 8;
    device.drawText(fonts.small, text(PageText::Rating), kRtX, headY, kDim);
    device.drawText(fonts.small, text(PageText::Flight), kFlightX, headY, kDim);
    // The stat heads are the chart's legend too, each in its line's colour.
    device.drawText(fonts.small, text(PageText::X01), kX01X, headY, kX01Line);
    device.drawText(fonts.small, text(PageText::Cricket), kCricketX, headY, kCricketLine);
    device.drawText(fonts.small, text(PageText::Games), kGamesX, headY, kDim);
    device.drawText(fonts.small, text(PageText::Trend), static_cast<int>(kChartLeft), headY,
                    kDim);
    for (int character = 1; character <= kRosterCharacters; ++character) {
        const CharacterRecord& r = records.characters[character];
        const games::PlayerRating rating = games::playerRating(r);
        const int y = rowY(character - 1) - 5;
        drawOverlayPicture(device, state.portraitTextures[character], 132,
                           static_cast<float>(y + 1), 156, static_cast<float>(y + 29), 0xFFFFFFFFu);
        const uint32_t colour = rating.games > 0 ? kCream : kDim;
        const std::string none = "-";
        device.drawText(fonts.body, rating.shown ? fixed(rating.rating) : none, kRtX, y + 3,
                        rating.shown ? kGold : kDim);
        device.drawText(fonts.body, rating.shown ? std::string(games::flightOf(rating.rating)) : none,
                        kFlightX, y + 3, rating.shown ? kGold : kDim);
        device.drawText(fonts.body, rating.x01Games > 0 ? fixed(rating.x01Stat) : none, kX01X,
                        y + 3, colour);
        device.drawText(fonts.body, rating.cricketGames > 0 ? fixed(rating.cricketStat) : none,
                        kCricketX, y + 3, colour);
        device.drawText(fonts.body, std::to_string(rating.games), kGamesX, y + 3, colour);

        // The chart: each game's own rating, Rt 1 at the bottom to 18 at the top, the oldest of
        // the 30 at the left; the faint rule is Rt 10, where the A flights begin.
        const float top = static_cast<float>(y) + 3, bottom = top + kChartHeight;
        drawOverlayPicture(device, 0, kChartLeft, top, kChartRight, bottom, 0xA0100408u);
        const auto yOf = [&](double rt) {
            return bottom - static_cast<float>((games::clampedRating(rt) - 1) / 17) * kChartHeight;
        };
        drawOverlayPicture(device, 0, kChartLeft, yOf(10) - 0.5f, kChartRight, yOf(10) + 0.5f,
                           0x60F4E8D0u);
        const float step = (kChartRight - kChartLeft - 4) / (kRatedGames - 1);
        const auto trend = [&](const std::vector<int64_t>& games, bool x01, uint32_t argb) {
            const auto rtOf = [x01](int64_t hundredths) {
                const double stat = static_cast<double>(hundredths) / 100;
                return x01 ? games::ratingOfPointsPerRound(stat) : games::ratingOfMarksPerRound(stat);
            };
            for (size_t i = 0; i < games.size(); ++i) {
                const float x = kChartLeft + 2 + step * static_cast<float>(i);
                const float at = yOf(rtOf(games[i]));
                if (i > 0) {
                    chartLine(device, x - step, yOf(rtOf(games[i - 1])), x, at, argb);
                } else if (games.size() == 1) {
                    chartLine(device, x - 1, at, x + 1, at, argb);
                }
            }
        };
        trend(r.x01Games, true, kX01Line);
        trend(r.cricketGames, false, kCricketLine);
    }
    device.drawText(fonts.small, text(PageText::Note), 130, static_cast<int>(kCardTop) + 412,
                    kDim);
    device.drawText(fonts.small, text(PageText::Back), 560, static_cast<int>(kCardTop) + 412,
                    kDim);
    device.endFrame();
}

}  // namespace darts::render
