// Input of the character-select screen, which works like an ordinary dialog rather than like the
// game's buffered mouse: the pointer's position on the 800 x 600 picture, button presses and
// releases, and typed text (Japanese input methods included).
#pragma once

#include <string>

namespace darts::platform {

struct UiEvent {
    enum class Kind {
        PointerMove,    // x, y: the pointer's position in pixels of the 800 x 600 picture
        ButtonDown,     // the left button went down at x, y
        ButtonUp,       // the left button went up at x, y
        Text,           // text: characters typed (UTF-8), committed by the input method
        Composition,    // text: what the input method is composing (UTF-8), "" when it ends
        Backspace,      // delete the character before the caret
        Quit,           // the window was asked to close
        Edit,           // x: an EditKey; y: 1 when Shift is held (the selection follows the caret)
        Paste,          // text: what the system clipboard held (UTF-8)
    };
    // The editing keys of a text box.
    enum EditKey {
        Left,
        Right,
        Home,
        End,
        Delete,
        SelectAll,
        Copy,
        Cut,
        Enter,  // Return or the keypad's Enter: the typing is done
    };
    Kind kind = Kind::PointerMove;
    int x = 0;
    int y = 0;
    std::string text;
};

class UiInput {
public:
    virtual ~UiInput() = default;
    // Starts or stops the delivery of typed text (and the on-screen input method, if any).
    virtual void setTextInput(bool on) = 0;
    // The next waiting event, oldest first; false when none is waiting.
    virtual bool poll(UiEvent& event) = 0;
    // Puts text (UTF-8) on the system clipboard; input without a clipboard ignores it.
    virtual void copyToClipboard(const std::string& /*utf8*/) {}
};

}  // namespace darts::platform
