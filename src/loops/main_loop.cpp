#include "loops/main_loop.h"

#include <memory>
#include <string>

#include "frontend/character_select.h"
#include "frontend/front_end.h"
#include "loops/input_dispatch.h"
#include "loops/modal_screen.h"
#include "match/rules.h"

namespace darts {
namespace {

// Ends the game from a modal screen (the window asked to close) the way Escape ends it elsewhere.
void quitFromModalScreen(GameState& state, MainLoopIo& io) {
    state.matchPhase = MatchPhase::MatchOver;
    state.quitRequested = 1;
    state.inFrontEnd = 1;
    if (io.frame.display != nullptr) io.frame.display->restore();
}

void runCharacterSelect(GameState& state, MainLoopIo& io, frontend::CharacterSelectScreen& screen) {
    screen.activate();
    if (!runModalScreen(screen, io.frame.device, io.ui, io.releaseInput, true)) {
        quitFromModalScreen(state, io);
    }
}

}  // namespace

void mainLoop(GameState& state, MainLoopIo& io) {
    if (io.startMusic) io.startMusic();
    state.players[kHuman] = PlayerSlot{};
    state.players[kComputer] = PlayerSlot{};
    newMatch(state);
    if (io.startAtOnce != nullptr) {
        io.startAtOnce->start(state);
        state.inFrontEnd = 0;
    }

    // Made on the first visit and kept, so the screen remembers what it showed last time.
    std::unique_ptr<frontend::CharacterSelectScreen> characterSelect;
    while (state.quitRequested == 0) {
        // The test comes after the mouse poll: a frame whose keyboard poll flips inFrontEnd still
        // hands its mouse records out.
        while (state.inFrontEnd == 1) {
            frontend::renderFrontEnd(state, io.frame.device, &io.frame.input);
            pollKeyboard(state, io.frame);
            pollMouse(state, io.frame);
            for (FeatureLayer* layer : io.match.layers) layer->frontEndFrame(state, io.frame);
        }
        // Quitting from the front end flipped inFrontEnd to 0: no match may start now.
        if (state.quitRequested == 1) state.inFrontEnd = 1;
        if (state.screen == ScreenId::CharacterSelect) {
            state.inFrontEnd = 1;
            if (!characterSelect) characterSelect = frontend::createCharacterSelectScreen(state);
            if (characterSelect) {
                runCharacterSelect(state, io, *characterSelect);
            } else {
                state.screen =
                    ScreenId::Title;  // no screen to show: back where the click came from
            }
        }
        if (state.screen == ScreenId::GameSelect) {
            state.inFrontEnd = 1;
            state.screen = ScreenId::Title;
            if (io.barMachine != nullptr &&
                !io.barMachine->runGameSelect(state, io.frame.device, io.ui, io.releaseInput)) {
                quitFromModalScreen(state, io);
            }
        }
        if (io.barMachine != nullptr) io.barMachine->beforeMatch(state);
        for (FeatureLayer* layer : io.match.layers) layer->beforeMatch(state);
        runMatch(state, io.frame, io.match);
        for (FeatureLayer* layer : io.match.layers) layer->afterMatch(state, io.frame);
    }
}

}  // namespace darts
