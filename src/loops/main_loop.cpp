#include "loops/main_loop.h"

#include <memory>
#include <string>

#include "frontend/character_select.h"
#include "frontend/front_end.h"
#include "loops/input_dispatch.h"
#include "match/rules.h"

namespace darts {
namespace {

// Ends the game from the character-select screen the way Escape ends it elsewhere.
void quitFromCharacterSelect(GameState& state, MainLoopIo& io) {
    state.matchPhase = MatchPhase::MatchOver;
    state.quitRequested = 1;
    state.inFrontEnd = 1;
    if (io.frame.display != nullptr) io.frame.display->restore();
}

// The modal screen: its own input, one drawn frame per turn, until OK (or Quit) ends it. The
// buffered input is released first, so the first poll after the screen reads nothing.
void runCharacterSelect(GameState& state, MainLoopIo& io, frontend::CharacterSelectScreen& screen) {
    if (io.releaseInput) io.releaseInput();
    io.ui.setTextInput(true);
    screen.activate();
    while (!screen.finished()) {
        platform::UiEvent event;
        bool quit = false;
        while (!quit && io.ui.poll(event)) {
            screen.handle(event);
            if (std::string copied = screen.takeCopiedText(); !copied.empty()) {
                io.ui.copyToClipboard(copied);
            }
            quit = event.kind == platform::UiEvent::Kind::Quit;
        }
        if (quit) {
            quitFromCharacterSelect(state, io);
            break;
        }
        if (screen.finished()) break;
        screen.draw(io.frame.device);
    }
    io.ui.setTextInput(false);
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
        for (FeatureLayer* layer : io.match.layers) layer->beforeMatch(state);
        runMatch(state, io.frame, io.match);
        for (FeatureLayer* layer : io.match.layers) layer->afterMatch(state, io.frame);
    }
}

}  // namespace darts
