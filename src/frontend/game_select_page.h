// The game-select screen as the running game opens it: the menu of game_select.h driven by the
// pointer's events and drawn on the machine's plate, in the chosen language of the running game.
// A controller moves the same pointer, so every control is a large target for a press.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/game_state.h"
#include "frontend/game_select.h"
#include "frontend/name_box_editor.h"
#include "frontend/roster.h"
#include "platform/ui_input.h"
#include "render/device.h"

namespace darts::frontend {

class GameSelectScreen {
  public:
    explicit GameSelectScreen(GameState& state);

    // The screen opens on `choice` (the last one chosen, or defaultGameSelectChoice): the
    // roster's names are read in the state's language, the pointer is at the state's cursor.
    // For a tournament (`seatsChosen` false) the seats are the draw's and are not shown.
    void activate(const GameSelectChoice& choice, bool seatsChosen = true);
    // One input event: pointer moves and presses of the left button act; typing goes to a
    // guest's name box after a press on it, until Enter or a press elsewhere; Quit closes the
    // screen with nothing chosen and asks the game to end.
    void handle(const platform::UiEvent& event);
    // While a name box takes typing, the system's text input (and input method) is wanted.
    bool wantsTextInput() const { return editingSeat_ >= 0; }
    // Draws and presents one frame of the screen.
    void draw(render::Device& device);
    // Start or Back was pressed, or the window asked to close.
    bool finished() const { return finished_; }
    // Start: the choice; Back or closing: nothing.
    const std::optional<GameSelectChoice>& result() const { return result_; }

    const GameSelectMenu& menu() const { return menu_; }
    // A seat's character as the screen shows it: the player's name for a You seat.
    std::string seatName(int seat) const;

  private:
    struct Art {
        render::TextureHandle plate = 0, less = 0, more = 0, button = 0;  // 0: plain colour
        render::FontHandle body = 0;
    };
    void drawOptionRows(render::Device& device);
    void drawSeats(render::Device& device);
    void drawButton(render::Device& device, int left, int top, int width, int height,
                    const std::string& text, bool hovered);
    void drawArrows(render::Device& device, int lessX, int moreX, int top, int height);
    void drawNameBox(render::Device& device, int seat, int top, int textY);
    void buttonDown(int x, int y);
    void edit(int key);
    void finishTyping();

    GameState& state_;
    GameSelectMenu menu_;
    std::array<std::string, kRosterCharacters> names_;
    std::optional<GameSelectChoice> result_;
    bool finished_ = false;
    int pointerX_ = 0, pointerY_ = 0;
    int editingSeat_ = -1;  // the guest whose name box takes typing; -1: none
    NameBoxEditor editor_{kGuestNameBytes};
    std::string composition_;  // what the input method is composing, Shift-JIS
    // Pictures and fonts are made once per device, on first use.
    render::Device* artDevice_ = nullptr;
    Art art_;
};

}  // namespace darts::frontend
