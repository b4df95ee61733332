// The keyboard and the mouse behave as devices that the window holds while it has the focus: when
// the focus goes (or the character-select screen takes over) they are lost, their queued records
// with them, and a read of the mouse that finds it lost takes it back and hands out a full buffer
// of blank records instead of what it missed. The game's loops were written against exactly that:
// a blank record reads as an x movement of 0, which moves nothing and re-arms the front end's
// button latch, so a press whose release went to another window (or to the character-select
// screen) does not swallow the next click.
#include "platform/sdl/sdl_input.h"

#include <algorithm>

#include "platform/sdl/sdl_controller.h"
#include "platform/sdl/sdl_input_internal.h"
#include "platform/sdl/sdl_keys.h"
#include "platform/sdl/sdl_window.h"

namespace darts::platform {
namespace {

// The name box of the character-select screen, in picture pixels: the input method shows its
// candidates next to it.
constexpr SDL_Rect kNameBox{350, 110, 100, 30};

class SdlInputOnWindow final : public SdlInput {
  public:
    explicit SdlInputOnWindow(SDL_Window* window)
        : window_(window), windowId_(SDL_GetWindowID(window)), controllers_(window) {
        // Compositions longer than a fixed event's 32 bytes (a dozen kana) arrive whole.
        SDL_SetHint(SDL_HINT_IME_SUPPORT_EXTENDED_TEXT, "1");
        // SDL starts with text input on; during play an input method would swallow keys, Escape
        // among them. The character-select screen turns it on while it needs it.
        SDL_StopTextInput();
        takeMouse();
    }

    bool escapeDown() override {
        pumpEvents();
        if (!keyboardHeld_) {
            keyboardHeld_ = focused_;
            return false;
        }
        // The device's own state, and the key as its events said, for key events that reach the
        // queue without passing the keyboard (synthesised ones). A press let go again before this
        // look (a short tap, or a slow frame on a busy machine) still counts, once.
        const Uint8* keys = SDL_GetKeyboardState(nullptr);
        const bool down = keys[SDL_SCANCODE_ESCAPE] != 0 || escapeHeld_ || escapeTapped_;
        escapeTapped_ = false;
        return down;
    }

    // The keys' state is kept current by the pumping the Escape and mouse reads do.
    bool screenKeyDown(ScreenKey key) override {
        switch (key) {
            case ScreenKey::Settings:
                return settingsKeyDown();
            case ScreenKey::Records:
                return recordsKeyDown();
            case ScreenKey::Replay:
                return replayKeyDown();
        }
        return false;
    }

    int readMouse(MouseRecord* out, int capacity) override {
        pumpEvents();
        if (!mouseHeld_) {
            if (focused_) takeMouse();
            return blankRecords(out, capacity);
        }
        return queue_.take(out, capacity);
    }

    int peekMouse(MouseRecord* out, int capacity) override {
        pumpEvents();  // what arrived since the last read joins the queue, still unread
        return mouseHeld_ ? queue_.peek(out, capacity) : 0;
    }

    bool closeRequested() const override { return closeRequested_; }

    void release() override {
        loseDevices();
        SDL_ShowCursor(SDL_ENABLE);
    }

    void showPointerAt(int x, int y) override { warpPointerToPicture(window_, x, y); }

    void setTextInput(bool on) override {
        if (!on) {
            SDL_StopTextInput();
            return;
        }
        SDL_Rect box = pictureRectInWindow(window_, kNameBox);
        SDL_SetTextInputRect(&box);
        SDL_StartTextInput();
    }

    void copyToClipboard(const std::string& utf8) override { SDL_SetClipboardText(utf8.c_str()); }

    bool poll(UiEvent& event) override {
        controllers_.update(SDL_GetTicks());
        SDL_Event sdlEvent;
        while (SDL_PollEvent(&sdlEvent)) {
            observe(sdlEvent);
            auto translated = toUiEvent(sdlEvent, extent());
            releaseEventMemory(sdlEvent);
            if (translated) {
                event = std::move(*translated);
                return true;
            }
        }
        return false;
    }

  private:
    // What a read of a lost device gives: as many zeroed records as were asked for.
    static int blankRecords(MouseRecord* out, int capacity) {
        const int count = std::clamp(capacity, 0, kMouseBufferSize);
        for (int i = 0; i < count; ++i) out[i] = MouseRecord{MouseObject::X, 0};
        return count;
    }

    // Takes every waiting event: mouse events become records while the mouse is held; the rest
    // only update focus, close and Escape.
    void pumpEvents() {
        controllers_.update(SDL_GetTicks());  // a controller's moves join the mouse's events
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            observe(event);
            if (mouseHeld_ && !(pointerFreed() && movesThePointer(event))) {
                queueMouseRecords(event, queue_);
            }
            releaseEventMemory(event);
        }
    }

    // The mouse held in relative mode has been let go as the system's pointer (F12, which the
    // window handles, frees it until the next click into the window): while it is free it works
    // the desktop, not the game's cursor or aim. A driver that never gave relative mode still
    // moves the game by its motion's relative parts.
    bool pointerFreed() const { return relativeTaken_ && SDL_GetRelativeMouseMode() == SDL_FALSE; }
    static bool movesThePointer(const SDL_Event& event) {
        return event.type == SDL_MOUSEMOTION || event.type == SDL_MOUSEWHEEL;
    }

    void observe(const SDL_Event& event) {
        switch (event.type) {
            case SDL_WINDOWEVENT:
                if (event.window.windowID != windowId_) break;
                if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                    focused_ = false;
                    loseDevices();
                } else if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
                    focused_ = true;
                } else if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
                    closeRequested_ = true;
                }
                break;
            case SDL_QUIT:
                closeRequested_ = true;
                break;
            case SDL_KEYDOWN:
            case SDL_KEYUP:
                if (event.key.keysym.scancode == SDL_SCANCODE_ESCAPE) {
                    escapeHeld_ = event.type == SDL_KEYDOWN;
                    if (escapeHeld_ && focused_) escapeTapped_ = true;
                }
                break;
            default:
                break;
        }
    }

    void takeMouse() {
        mouseHeld_ = true;
        // Refused where the video driver has no relative mode (offscreen, dummy): the motion
        // events still carry their relative parts.
        relativeTaken_ = SDL_SetRelativeMouseMode(SDL_TRUE) == 0;
    }

    void loseDevices() {
        queue_.clear();
        keyboardHeld_ = false;
        mouseHeld_ = false;
        escapeHeld_ = false;
        escapeTapped_ = false;
        SDL_SetRelativeMouseMode(SDL_FALSE);
    }

    WindowExtent extent() const {
        WindowExtent size;
        SDL_GetWindowSize(window_, &size.width, &size.height);
        return size;
    }

    SDL_Window* window_;
    Uint32 windowId_;
    MouseRecordQueue queue_;
    ControllerMouse controllers_;
    // Whether the window has the focus. Assumed at the start: a new window is shown in front, and
    // some drivers never report focus at all.
    bool focused_ = true;
    bool keyboardHeld_ = true;
    bool mouseHeld_ = false;
    bool relativeTaken_ = false;  // whether the driver gave relative mode when asked
    bool escapeHeld_ = false;
    bool escapeTapped_ = false;  // pressed since the last look, whether or not still held
    bool closeRequested_ = false;
};

}  // namespace

std::unique_ptr<SdlInput> createSdlInput(SDL_Window* window) {
    return std::make_unique<SdlInputOnWindow>(window);
}

std::unique_ptr<SdlInput> SdlInput::create(SdlGlWindow& window) {
    return createSdlInput(window.sdlWindow());
}

}  // namespace darts::platform
