// The game's window with an OpenGL 3.3 core context (OpenGL ES 3.0 where that is not offered).
// By default it covers the screen on the desktop's own mode; with displayMode the display is
// switched to an exact 800 x 600 mode instead, and restore() (or the end of the process, through
// exit or a signal, see ending_signals.h) gives the desktop its mode back. SIGHUP becomes a request
// to close the window. Windowed, it is resizable. Alt+Enter toggles window and full screen, unseen
// by the game's input. Presenting a frame also paces it, for the display the window is on at the
// time.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "gfx/image.h"
#include "platform/display.h"
#include "platform/sdl/sdl_clock.h"
#include "platform/sdl/sdl_pacing.h"

struct SDL_Window;
struct SDL_Rect;

namespace darts::platform {

inline constexpr int kWindowWidth = 800;
inline constexpr int kWindowHeight = 600;

struct WindowOptions {
    bool windowed = false;     // an ordinary decorated, resizable window
    bool displayMode = false;  // full screen on an exact 800 x 600 mode, where there is one
    bool stretch = false;      // the device fills the picture instead of keeping 4:3
    std::optional<int> scale;  // the window's size as a multiple of 800 x 600; none: largest fit
    bool unpaced = false;      // no vertical sync and no limiter: frames as fast as they come
    std::string title;
    std::optional<gfx::Image> icon;  // none: the system's default
};

struct DrawableSize {
    int width = 0;
    int height = 0;
};

class SdlGlWindow;

struct WindowResult {
    std::unique_ptr<SdlGlWindow> window;  // null on failure
    std::string error;                    // one line saying why, set on failure
};

class SdlGlWindow final : public DisplayControl {
  public:
    // Starts SDL's video, makes the window and its context current on this thread, and switches
    // the display mode (a refused switch is ignored). Asks for OpenGL 3.3 core, then OpenGL ES
    // 3.0 (DARTS_GL=es asks for ES only); fails when no window or neither context can be had.
    static WindowResult create(const WindowOptions& options);
    ~SdlGlWindow() override;
    SdlGlWindow(const SdlGlWindow&) = delete;
    SdlGlWindow& operator=(const SdlGlWindow&) = delete;

    // Leaves the mode switch (giving the desktop back its mode) or full screen for a window.
    // Failures are ignored; calling it again does nothing.
    void restore() override;
    // Full screen on the desktop's mode, or back to the window: what Alt+Enter does.
    void toggleFullScreen();
    bool fullScreen() const;
    bool stretch() const { return stretch_; }
    // Whether the context is OpenGL ES 3.0 (no OpenGL 3.3 core was offered).
    bool es() const { return es_; }

    // Shows the back buffer and waits out the rest of the frame's 1/60 s where needed.
    void present();
    // The size of the window's picture in pixels; the device scales its frame to it.
    DrawableSize drawableSize() const;
    PacingMode pacing() const { return pacer_.mode(); }
    // Whether the display was switched to 800 x 600 (and not yet restored).
    bool displaySwitched() const { return displaySwitched_; }
    Clock& clock() { return clock_; }
    // For the input code, which needs to know the window its events belong to.
    SDL_Window* sdlWindow() const { return window_; }

  private:
    SdlGlWindow(SDL_Window* window, void* context, PacingMode pacing, bool switched);
    void leaveFullScreen();
    // Paces for the refresh rate of the display now under the window.
    void followDisplay();

    SDL_Window* window_;
    int windowedWidth_ = kWindowWidth, windowedHeight_ = kWindowHeight;
    bool stretch_ = false;
    bool es_ = false;
    void* context_;  // SDL_GLContext
    SdlClock clock_;
    FramePacer pacer_;
    bool displaySwitched_;
};

// Where a rectangle of the 800 x 600 picture is shown in `window`'s coordinates, black bars and
// scaling included: the inverse of how the window's pointer events reach the picture. Anything
// that speaks to the system in window coordinates (a warped pointer, a synthesised click, the
// input method's candidate box) goes through here.
SDL_Rect pictureRectInWindow(SDL_Window* window, SDL_Rect pictureRect);

// Moves the system pointer over `window` to where the picture's pixel (x, y) is shown.
void warpPointerToPicture(SDL_Window* window, int x, int y);

}  // namespace darts::platform
