#include <algorithm>
#include <cmath>

#include "frontend/typed_text.h"
#include "platform/sdl/sdl_input_internal.h"
#include "platform/sdl/sdl_window.h"

namespace darts::platform {
namespace {

// One wheel notch in the classic wheel-delta unit.
constexpr int32_t kWheelNotch = 120;

// SDL numbers left, middle, right, X1, X2; the buffered mouse counts left, right, middle, X1, X2
// and has eight buttons in all.
std::optional<MouseObject> buttonObject(Uint8 sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT:
            return MouseObject::Button0;
        case SDL_BUTTON_RIGHT:
            return MouseObject::Button1;
        case SDL_BUTTON_MIDDLE:
            return MouseObject::Button2;
        case SDL_BUTTON_X1:
            return MouseObject::Button3;
        case SDL_BUTTON_X2:
            return MouseObject::Button4;
        case SDL_BUTTON_X2 + 1:
            return MouseObject::Button5;
        case SDL_BUTTON_X2 + 2:
            return MouseObject::Button6;
        case SDL_BUTTON_X2 + 3:
            return MouseObject::Button7;
        default:
            return std::nullopt;
    }
}

// Rounds down, so that positions left of or above the window stay outside the picture.
int scale(int value, int to, int from) {
    if (from <= 0) return value;
    return static_cast<int>(std::floor(static_cast<double>(value) * to / from));
}

UiEvent pointerEvent(UiEvent::Kind kind, int x, int y, WindowExtent window) {
    UiEvent event;
    event.kind = kind;
    event.x = toPictureX(x, window);
    event.y = toPictureY(y, window);
    return event;
}

// Text is cut where it enters to what the name box can take, so that what a demo stores is
// exactly what the game took, however much was typed or pasted.
UiEvent textEvent(UiEvent::Kind kind, const char* text) {
    UiEvent event;
    event.kind = kind;
    if (text) event.text = frontend::typeableText(text);
    return event;
}

}  // namespace

void MouseRecordQueue::push(MouseRecord record) {
    if (count_ < kMouseBufferSize) records_[static_cast<size_t>(count_++)] = record;
}

int MouseRecordQueue::take(MouseRecord* out, int capacity) {
    if (!out || capacity <= 0) return 0;
    const int n = std::min(capacity, count_);
    std::copy_n(records_.begin(), n, out);
    std::copy(records_.begin() + n, records_.begin() + count_, records_.begin());
    count_ -= n;
    return n;
}

int MouseRecordQueue::peek(MouseRecord* out, int capacity) const {
    if (!out || capacity <= 0) return 0;
    const int n = std::min(capacity, count_);
    std::copy_n(records_.begin(), n, out);
    return n;
}

void queueMouseRecords(const SDL_Event& event, MouseRecordQueue& queue) {
    switch (event.type) {
        case SDL_MOUSEMOTION:
            if (event.motion.xrel != 0) queue.push({MouseObject::X, event.motion.xrel});
            if (event.motion.yrel != 0) queue.push({MouseObject::Y, event.motion.yrel});
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (const auto object = buttonObject(event.button.button)) {
                queue.push({*object, event.type == SDL_MOUSEBUTTONDOWN ? kButtonPressed : 0});
            }
            break;
        case SDL_MOUSEWHEEL: {
            // A "natural scrolling" system reports turns flipped; the game wants the hand's
            // direction.
            const int32_t notches =
                event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
            if (notches != 0) queue.push({MouseObject::Wheel, notches * kWheelNotch});
            break;
        }
        default:
            break;
    }
}

int toPictureX(int windowX, WindowExtent window) {
    return scale(windowX, kWindowWidth, window.width);
}

int toPictureY(int windowY, WindowExtent window) {
    return scale(windowY, kWindowHeight, window.height);
}

SDL_Rect toWindowRect(SDL_Rect pictureRect, WindowExtent window) {
    if (window.width <= 0 || window.height <= 0) return pictureRect;
    return {scale(pictureRect.x, window.width, kWindowWidth),
            scale(pictureRect.y, window.height, kWindowHeight),
            scale(pictureRect.w, window.width, kWindowWidth),
            scale(pictureRect.h, window.height, kWindowHeight)};
}

std::optional<UiEvent> editingKeyEvent(const SDL_Keysym& key) {
    const bool shift = (key.mod & KMOD_SHIFT) != 0;
    // Ctrl on most systems, Command on a Mac keyboard.
    const bool command = (key.mod & (KMOD_CTRL | KMOD_GUI)) != 0;
    auto edit = [shift](UiEvent::EditKey which) {
        return UiEvent{UiEvent::Kind::Edit, which, shift ? 1 : 0, {}};
    };
    switch (key.sym) {
        case SDLK_BACKSPACE:
            return UiEvent{UiEvent::Kind::Backspace, 0, 0, {}};
        case SDLK_LEFT:
            return edit(UiEvent::Left);
        case SDLK_RIGHT:
            return edit(UiEvent::Right);
        case SDLK_HOME:
            return edit(UiEvent::Home);
        case SDLK_END:
            return edit(UiEvent::End);
        case SDLK_DELETE:
            return edit(UiEvent::Delete);
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return edit(UiEvent::Enter);
        default:
            break;
    }
    if (!command) return std::nullopt;
    switch (key.sym) {
        case SDLK_a:
            return edit(UiEvent::SelectAll);
        case SDLK_c:
            return edit(UiEvent::Copy);
        case SDLK_x:
            return edit(UiEvent::Cut);
        case SDLK_v: {
            // The clipboard is read when the key is pressed, so a recording holds what was pasted.
            char* held = SDL_GetClipboardText();
            UiEvent paste = textEvent(UiEvent::Kind::Paste, held);
            SDL_free(held);
            return paste;
        }
        default:
            return std::nullopt;
    }
}

std::optional<UiEvent> toUiEvent(const SDL_Event& event, WindowExtent window) {
    switch (event.type) {
        case SDL_MOUSEMOTION:
            return pointerEvent(UiEvent::Kind::PointerMove, event.motion.x, event.motion.y, window);
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            // The screen's buttons answer the left button only, as ordinary push buttons do.
            if (event.button.button != SDL_BUTTON_LEFT) return std::nullopt;
            return pointerEvent(event.type == SDL_MOUSEBUTTONDOWN ? UiEvent::Kind::ButtonDown
                                                                  : UiEvent::Kind::ButtonUp,
                                event.button.x, event.button.y, window);
        case SDL_TEXTINPUT:
            return textEvent(UiEvent::Kind::Text, event.text.text);
        case SDL_TEXTEDITING:
            return textEvent(UiEvent::Kind::Composition, event.edit.text);
        case SDL_TEXTEDITING_EXT:
            return textEvent(UiEvent::Kind::Composition, event.editExt.text);
        case SDL_KEYDOWN:
            // Held down, a key repeats, as in any text box.
            return editingKeyEvent(event.key.keysym);
        case SDL_QUIT:
            return UiEvent{UiEvent::Kind::Quit, 0, 0, {}};
        case SDL_WINDOWEVENT:
            if (event.window.event != SDL_WINDOWEVENT_CLOSE) return std::nullopt;
            return UiEvent{UiEvent::Kind::Quit, 0, 0, {}};
        default:
            return std::nullopt;
    }
}

void releaseEventMemory(SDL_Event& event) {
    switch (event.type) {
        case SDL_DROPFILE:
        case SDL_DROPTEXT:
            SDL_free(event.drop.file);
            event.drop.file = nullptr;
            break;
        case SDL_TEXTEDITING_EXT:
            SDL_free(event.editExt.text);
            event.editExt.text = nullptr;
            break;
        default:
            break;
    }
}

}  // namespace darts::platform
