// The game's window: 800 x 600, borderless at the top-left of the screen, with an OpenGL 3.3 core
// context. Unless asked to stay windowed, the display is switched to an 800 x 600 mode so that the
// window fills it; restore() gives the desktop its mode back. Presenting a frame also paces it.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "gfxutil/image.h"
#include "platform/display.h"
#include "platform/sdl_clock.h"
#include "platform/sdl_pacing.h"

struct SDL_Window;

namespace darts::platform {

inline constexpr int kWindowWidth = 800;
inline constexpr int kWindowHeight = 600;

struct WindowOptions {
    bool windowed = false;  // an ordinary decorated window; the display mode is left alone
    bool unpaced = false;   // no vertical sync and no limiter: frames as fast as they come
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
    // the display mode (a refused switch is ignored). Fails when no window or no OpenGL 3.3 core
    // context can be had.
    static WindowResult create(const WindowOptions& options);
    ~SdlGlWindow() override;
    SdlGlWindow(const SdlGlWindow&) = delete;
    SdlGlWindow& operator=(const SdlGlWindow&) = delete;

    // Gives the desktop back the mode it had before the switch. Failures are ignored; calling it
    // again does nothing.
    void restore() override;

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

    SDL_Window* window_;
    void* context_;  // SDL_GLContext
    SdlClock clock_;
    FramePacer pacer_;
    bool displaySwitched_;
};

}  // namespace darts::platform
