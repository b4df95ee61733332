#include "frontend/front_end.h"

#include <array>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "frontend/front_end_drawing.h"
#include "frontend/front_end_input.h"
#include "frontend/roster.h"
#include "frontend/tournament.h"
#include "match/rules.h"
#include "render/draw2d.h"

namespace darts::frontend {

namespace {

constexpr uint32_t kBrown = 0xFF643200;
constexpr uint32_t kRed = 0xFFFF0000;

// Overlay textures of these screens.
constexpr int kGaugeBar = 1;    // GAGE: the highlight bar
constexpr int kTitleArt = 3;    // START: the title picture with its three menu labels
constexpr int kBarCounter = 4;  // IDB_CHSET
constexpr int kPanel = 6;       // IDB_BK

constexpr int kOverlay = static_cast<int>(render::QuadTexture::Overlay);
constexpr int kPortrait = static_cast<int>(render::QuadTexture::Portrait);
constexpr int kUntextured = static_cast<int>(render::QuadTexture::None);

template <size_t N>
std::string_view fieldText(const char (&field)[N]) {
    return {field, strnlen(field, N)};
}

void drawRectQuad(GameState& state, render::Device& device, float left, float top, float right,
                  float bottom, int alpha, int index, int kind) {
    render::drawQuad2D(state, device, render::quadCorners(left, top, right, bottom), alpha, index,
                       kind);
}

void drawNoticeBox(GameState& state, render::Device& device) {
    drawRectQuad(state, device, 230, 250, 530, 300, 255, 0, kUntextured);
}

void drawTitle(GameState& state, render::Device& device) {
    drawRectQuad(state, device, 0, 0, 800, 600, 200, kTitleArt, kOverlay);
    // With no item selected the bar sits just above the first one.
    const float offset = 40.0f * static_cast<float>(state.menuSelection);
    drawRectQuad(state, device, 280, 375 + offset, 520, 415 + offset, 100, kGaugeBar, kOverlay);
    if (state.screen == ScreenId::NoCharacterNotice) {
        drawNoticeBox(state, device);
        drawBufferedText(state, device, gameText(state.language, TextId::NoCharacterLine1), kRed,
                         232, 260);
        drawBufferedText(state, device, gameText(state.language, TextId::NoCharacterLine2), kRed,
                         232, 273);
    }
}

void drawDartsBar(GameState& state, render::Device& device) {
    const PlayerSlot& opponent = state.players[kComputer];
    drawRectQuad(state, device, 0, 0, 800, 600, 200, kBarCounter, kOverlay);
    drawRectQuad(state, device, 50, 100, 750, 500, 80, kPanel, kOverlay);
    drawRectQuad(state, device, 70, 200, 260, 450, 200, opponent.portraitIndex, kPortrait);
    drawBufferedText(
        state, device,
        gameText(state.language, TextId::NamePrefix) + std::string(fieldText(opponent.name)),
        kBrown, 60, 140, 1);
    drawBufferedText(state, device, fieldText(opponent.hitMessage), kBrown, 300, 400);
    drawBufferedText(state, device, gameText(state.language, TextId::ExperienceLabel), kBrown, 300,
                     250);
    // Shown as computed: a roster with large spreads gives a negative number.
    drawBufferedText(
        state, device,
        std::to_string(experienceYears(opponent)) + gameText(state.language, TextId::YearsSuffix),
        kBrown, 450, 250);
}

void drawTournament(GameState& state, render::Device& device) {
    drawRectQuad(state, device, 0, 0, 800, 600, 200, kBarCounter, kOverlay);
    drawBracket(state, device);
    if (state.humanMatchPending == 1) {
        drawNoticeBox(state, device);
        drawBufferedText(state, device, gameText(state.language, TextId::YourTurn), kRed, 232, 260);
    }
    if (state.tournamentOver == 1) {
        drawNoticeBox(state, device);
        // The champion's name comes from the roster, through the scratch side.
        readRosterRecord(state, state.tournamentSlots[kChampionEntry], false);
        drawBufferedText(state, device,
                         std::string(gameText(state.language, TextId::ChampionIs)) +
                             std::string(fieldText(state.players[kComputer].name)) +
                             gameText(state.language, TextId::ChampionEnd),
                         kRed, 232, 260);
    }
}

// The darts-bar opponent: any roster character but the human's own.
void drawOpponent(GameState& state) {
    int opponent = 0;
    do {
        opponent = randomInRange(state, 1, kRosterCharacters);
    } while (opponent == state.players[kHuman].characterNumber);
    readRosterRecord(state, opponent, false);
}

void clickTitle(GameState& state) {
    const bool characterChosen = state.players[kHuman].characterNumber != 0;
    switch (state.menuSelection) {
        case MenuItem::CharacterSelect:
            // The front-end loop ends; the main loop runs the character-select screen.
            state.screen = ScreenId::CharacterSelect;
            state.inFrontEnd = 0;
            break;
        case MenuItem::DartsBar:
        case MenuItem::Tournament:
            if (characterChosen && state.barGamesOn != 0) {
                // The main loop runs the game select; it starts the game or the tournament.
                state.screen = ScreenId::GameSelect;
                state.inFrontEnd = 0;
                break;
            }
            if (state.menuSelection == MenuItem::Tournament) {
                if (characterChosen) drawOpeningBracket(state);
                state.screen = characterChosen ? ScreenId::Tournament : ScreenId::NoCharacterNotice;
                break;
            }
            if (characterChosen) drawOpponent(state);
            state.screen = characterChosen ? ScreenId::DartsBar : ScreenId::NoCharacterNotice;
            break;
        default:
            break;
    }
}

}  // namespace

void renderFrontEnd(GameState& state, render::Device& device, platform::InputSource* liveInput) {
    device.beginFrame();
    switch (state.screen) {
        case ScreenId::Title:
        case ScreenId::NoCharacterNotice:
            drawTitle(state, device);
            break;
        case ScreenId::DartsBar:
            drawDartsBar(state, device);
            break;
        case ScreenId::Tournament:
            drawTournament(state, device);
            break;
        default:
            break;  // the character-select screen draws itself
    }
    PointerPosition pointer{state.cursorX, state.cursorY};
    if (liveInput != nullptr && state.cursorTexture != 0) {
        std::array<platform::MouseRecord, platform::kMouseBufferSize> waiting;
        const int count = liveInput->peekMouse(waiting.data(), static_cast<int>(waiting.size()));
        pointer = pointerAfter(state, std::span(waiting.data(), static_cast<size_t>(count)));
    }
    drawPointer(device, state.cursorTexture, pointer.x, pointer.y);
    device.endFrame();
}

void handleMenuClick(GameState& state, int32_t& buttonHeld) {
    if (buttonHeld != 0) return;
    switch (state.screen) {
        case ScreenId::Title:
            clickTitle(state);
            break;
        case ScreenId::DartsBar:
            // The match against players[1] starts once this poll is over; its end brings back
            // the title.
            newMatch(state);
            state.inFrontEnd = 0;
            break;
        case ScreenId::Tournament:
            clickTournament(state);
            break;
        case ScreenId::NoCharacterNotice:
            state.screen = ScreenId::Title;
            break;
        default:
            return;  // no press is taken on other screens: the latch stays open
    }
    buttonHeld = 1;
}

}  // namespace darts::frontend
