// The game's input on SDL: Escape once per frame and the buffered relative mouse for the game's
// loops (InputSource), and pointer, button and typed-text events for the character-select screen
// (UiInput). Both read the same SDL event queue; the game's loops never read it otherwise.
#pragma once

#include <memory>

#include "platform/input.h"
#include "platform/ui_input.h"

namespace darts::platform {

class SdlGlWindow;

class SdlInput : public InputSource, public UiInput {
public:
    // Takes the mouse into relative mode over the window; the window must outlive the input.
    static std::unique_ptr<SdlInput> create(SdlGlWindow& window);
    ~SdlInput() override = default;

    // Whether the window has been asked to close (the game may ignore it, as it ignores the
    // system's close request outside the character-select screen).
    virtual bool closeRequested() const = 0;

    // Stops reading the buffered mouse and Escape (the character-select screen takes over): the
    // first poll afterwards reads nothing and takes the devices back, as a lost device would.
    virtual void release() = 0;

    // Shows the system pointer where the picture's pixel (x, y) is: the game's cursor hands over
    // to it without a jump when the character-select screen takes over.
    virtual void showPointerAt(int x, int y) = 0;
};

}  // namespace darts::platform
