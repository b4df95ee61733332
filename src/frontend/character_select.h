// The character-select screen: a modal screen of its own over the grey background, with the bar
// counter, the name plate and a one-line name box, the portrait and experience of the character
// shown, two arrow buttons to browse the roster and OK to take the character and the typed name.
#pragma once

#include <memory>
#include <string>

#include "core/game_state.h"
#include "platform/ui_input.h"
#include "render/device.h"

namespace darts::frontend {

class CharacterSelectScreen {
public:
    virtual ~CharacterSelectScreen() = default;
    // The screen opens: latches cleared, the selected character read, its name put in the box.
    virtual void activate() = 0;
    // One input event (pointer, buttons, typed text).
    virtual void handle(const platform::UiEvent& event) = 0;
    // Draws and presents one frame of the screen.
    virtual void draw(render::Device& device) = 0;
    // OK has been released after a press (the character is committed and the screen is Title),
    // or the window was asked to close (nothing is committed and quitting is requested).
    virtual bool finished() const = 0;
    // Text the player copied or cut since the last call (UTF-8), for the system clipboard.
    virtual std::string takeCopiedText() { return {}; }
};

std::unique_ptr<CharacterSelectScreen> createCharacterSelectScreen(GameState& state);

}  // namespace darts::frontend
