#include "frontend/tournament.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "frontend/roster.h"
#include "match/rules.h"
#include "render/draw2d.h"

namespace darts::frontend {

namespace {

constexpr int kLargestDraw = 0x7FFF;
constexpr int kBoxAlpha = 200;

// One box of the bracket picture, left to right edge and top to bottom edge in pixels.
struct BracketBox {
    int entry;
    float left, top, right, bottom;
};

// Two of the boxes are 60 pixels wide rather than 70; the picture has always looked that way.
constexpr BracketBox kBoxes[] = {
    {2, 45, 500, 115, 580},   {3, 125, 500, 195, 580},  {4, 205, 500, 275, 580},
    {5, 285, 500, 355, 580},  {6, 365, 500, 435, 580},  {7, 445, 500, 515, 580},
    {8, 525, 500, 595, 580},  {9, 605, 500, 675, 580},  {10, 85, 350, 155, 430},
    {11, 245, 350, 315, 430}, {12, 405, 350, 475, 430}, {13, 575, 350, 635, 430},
    {14, 175, 230, 235, 310}, {15, 485, 230, 555, 310}, {16, 325, 110, 395, 190},
};

struct BracketLine {
    float x1, y1, x2, y2;
};

constexpr BracketLine kLines[] = {
    // Opening pairs: a bar above each pair and a stem down to each box.
    {80, 450, 160, 450},
    {80, 450, 80, 500},
    {160, 450, 160, 500},
    {240, 450, 320, 450},
    {240, 450, 240, 500},
    {320, 450, 320, 500},
    {400, 450, 480, 450},
    {400, 450, 400, 500},
    {480, 450, 480, 500},
    {560, 450, 640, 450},
    {560, 450, 560, 500},
    {640, 450, 640, 500},
    // Semi-final pairs: a bar, stems down to the boxes and from the boxes to the opening bars.
    {120, 330, 280, 330},
    {120, 430, 120, 450},
    {120, 330, 120, 350},
    {280, 430, 280, 450},
    {280, 330, 280, 350},
    {440, 330, 600, 330},
    {440, 430, 440, 450},
    {440, 330, 440, 350},
    {600, 430, 600, 450},
    {600, 330, 600, 350},
    // The final pair.
    {200, 210, 520, 210},
    {200, 310, 200, 330},
    {200, 210, 200, 230},
    {520, 310, 520, 330},
    {520, 210, 520, 230},
    // Up to the champion.
    {360, 190, 360, 210},
};

// Experience die plus the two-sided die of the character now in players[1].
int rollFor(GameState& state, int entry) {
    readRosterRecord(state, state.tournamentSlots[entry], false);
    const int experience = randomInRange(state, 1, simulationDieSize(state.players[kComputer]));
    return experience + randomInRange(state, 1, 2);
}

}  // namespace

void drawOpeningBracket(GameState& state) {
    int* const opening = state.tournamentSlots + kFirstEntry;
    for (int entry = kFirstEntry; entry <= kLastOpeningEntry; ++entry) {
        int character = 0;
        do {
            character = randomInRange(state, 1, kRosterCharacters);
        } while (std::find(opening, state.tournamentSlots + entry, character) !=
                 state.tournamentSlots + entry);
        state.tournamentSlots[entry] = character;
    }
}

int simulationDieSize(const PlayerSlot& character) {
    // Widened: the statistics come from a file and may be anything atoi makes of it.
    const int64_t years = 18 - int64_t{character.gaugeSkill} - int64_t{character.releaseSkill};
    return static_cast<int>(std::clamp<int64_t>(years, 1, kLargestDraw));
}

void simulateMatch(GameState& state, int match) {
    if (match < 1 || match > kTournamentMatches) return;
    int first = 0, second = 0;
    do {
        first = rollFor(state, firstEntryOf(match));
        second = rollFor(state, secondEntryOf(match));
    } while (first == second);
    state.tournamentSlots[winnerEntryOf(match)] =
        state.tournamentSlots[first > second ? firstEntryOf(match) : secondEntryOf(match)];
}

void advanceTournament(GameState& state) {
    const int match = state.tournamentMatch;
    if (match < 1 || match > kTournamentMatches) {
        state.tournamentOver = 1;
        return;
    }
    const int human = state.players[kHuman].characterNumber;
    const int first = state.tournamentSlots[firstEntryOf(match)];
    const int second = state.tournamentSlots[secondEntryOf(match)];
    if (first == human || second == human) {
        readRosterRecord(state, first == human ? second : first, false);
        state.matchPhase = MatchPhase::HumanTurn;
        state.humanMatchPending = 1;
        return;
    }
    state.inFrontEnd = 1;
    state.humanMatchPending = 0;
    simulateMatch(state, match);
    state.tournamentMatch = match + 1;
}

void clickTournament(GameState& state) {
    if (state.humanMatchPending != 0) {
        // The match starts once this poll is over. newMatch gave the computer side its default
        // statistics; advancing again reads the opponent's own record back over them.
        newMatch(state);
        state.inFrontEnd = 0;
    }
    if (state.tournamentOver != 0) {
        clearTournament(state);
        state.screen = ScreenId::Title;
        state.inFrontEnd = 1;
        return;
    }
    advanceTournament(state);
}

void clearTournament(GameState& state) {
    std::fill(std::begin(state.tournamentSlots), std::end(state.tournamentSlots), 0);
    state.tournamentMatch = 1;
    state.humanMatchPending = 0;
    state.tournamentOver = 0;
}

void drawBracket(GameState& state, render::Device& device) {
    for (const BracketLine& line : kLines) {
        render::drawLine2D(device, line.x1, line.y1, line.x2, line.y2, 0, 0, 0, 255);
    }
    for (const BracketBox& box : kBoxes) {
        const int character = state.tournamentSlots[box.entry];
        // An empty entry is drawn untextured, white whatever the unused portrait slot 0 holds.
        const auto kind =
            character == 0 ? render::QuadTexture::None : render::QuadTexture::Portrait;
        render::drawQuad2D(state, device,
                           render::quadCorners(box.left, box.top, box.right, box.bottom), kBoxAlpha,
                           character, static_cast<int>(kind));
    }
}

}  // namespace darts::frontend
