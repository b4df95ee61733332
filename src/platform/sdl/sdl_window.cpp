#include "platform/sdl/sdl_window.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "platform/sdl/ending_signals.h"
#include "platform/sdl/sdl_input_internal.h"
#include "render/frame_placement.h"

namespace darts::platform {
namespace {

// The window whose display runs on the switched 800 x 600 mode, for the exit and fatal signal
// handlers: a desktop must never be left at 800 x 600, whichever way the process ends.
SDL_Window* switchedWindow = nullptr;

void restoreModeAtExit() {
    if (switchedWindow == nullptr) return;
    SDL_SetWindowFullscreen(switchedWindow, 0);  // SDL puts the desktop's mode back
    switchedWindow = nullptr;
}

void noteSwitched(SDL_Window* window) {
    static const bool registered = std::atexit(restoreModeAtExit) == 0;
    (void)registered;
    restoreBeforeFatalSignals(restoreModeAtExit);
    switchedWindow = window;
}

// Alt+Enter belongs to the window, not to the game: the filter takes it out of SDL's queue before
// the input code can read it (so demos never see it), and the next present acts on it. The
// Return key's release is taken too, even when Alt has been let go first.
bool toggleWanted = false;
bool returnSwallowed = false;
SDL_EventFilter chainedFilter = nullptr;
void* chainedData = nullptr;

bool isEnter(SDL_Keycode key) { return key == SDLK_RETURN || key == SDLK_KP_ENTER; }

// F12 frees a mouse held in relative mode until the next click into the window; that click (and
// its release) only takes the mouse back, so it never throws or presses anything. Like Alt+Enter
// it is the window's, unseen by the game.
enum class MouseFreeing { None, FreeWanted, Freed, TakeBackWanted };
MouseFreeing mouseFreeing = MouseFreeing::None;
bool clickSwallowed = false;

void applyMouseFreeing() {
    if (mouseFreeing == MouseFreeing::FreeWanted) {
        if (SDL_GetRelativeMouseMode() == SDL_TRUE) {
            SDL_SetRelativeMouseMode(SDL_FALSE);
            mouseFreeing = MouseFreeing::Freed;
        } else {
            mouseFreeing = MouseFreeing::None;  // nothing held it
        }
    } else if (mouseFreeing == MouseFreeing::TakeBackWanted) {
        SDL_SetRelativeMouseMode(SDL_TRUE);
        mouseFreeing = MouseFreeing::None;
    }
}

// The game's window, whose pointer positions are seen through its black bars: the input code maps
// a position over the whole window onto the 800 x 600 picture, so a position over the picture's
// area is given to it as the same fraction of the whole window. Relative motion is left alone.
SDL_Window* barredWindow = nullptr;

void mapThroughBars(Uint32 windowId, Sint32& x, Sint32& y) {
    if (barredWindow == nullptr || SDL_GetWindowID(barredWindow) != windowId) return;
    int width = 0, height = 0;
    SDL_GetWindowSize(barredWindow, &width, &height);
    const render::FramePlacement at =
        render::placeFrame(kWindowWidth, kWindowHeight, width, height, false);
    if (at.width <= 0 || at.height <= 0 || (at.width == width && at.height == height)) return;
    // placeFrame counts rows from the bottom; the bars are even, so the top offset is the same.
    x = Sint32(std::clamp<int64_t>(int64_t(x - at.x) * width / at.width, 0, width - 1));
    y = Sint32(std::clamp<int64_t>(int64_t(y - at.y) * height / at.height, 0, height - 1));
}

int filterWindowKeys(void* /*unused*/, SDL_Event* event) {
    if (event->type == SDL_MOUSEMOTION)
        mapThroughBars(event->motion.windowID, event->motion.x, event->motion.y);
    if (event->type == SDL_MOUSEBUTTONDOWN || event->type == SDL_MOUSEBUTTONUP) {
        mapThroughBars(event->button.windowID, event->button.x, event->button.y);
    }
    if (event->type == SDL_KEYDOWN && event->key.keysym.sym == SDLK_F12) {
        if (event->key.repeat == 0 && mouseFreeing == MouseFreeing::None) {
            mouseFreeing = MouseFreeing::FreeWanted;
        }
        return 0;
    }
    if (event->type == SDL_KEYUP && event->key.keysym.sym == SDLK_F12) return 0;
    if (event->type == SDL_MOUSEBUTTONDOWN && mouseFreeing == MouseFreeing::Freed) {
        mouseFreeing = MouseFreeing::TakeBackWanted;
        clickSwallowed = true;
        return 0;
    }
    if (event->type == SDL_MOUSEBUTTONUP && clickSwallowed) {
        clickSwallowed = false;
        return 0;
    }
    if (event->type == SDL_KEYDOWN && isEnter(event->key.keysym.sym) &&
        (event->key.keysym.mod & KMOD_ALT) != 0) {
        if (event->key.repeat == 0) toggleWanted = true;
        returnSwallowed = true;
        return 0;
    }
    // A plain press starts over: its release is the game's.
    if (event->type == SDL_KEYDOWN && isEnter(event->key.keysym.sym)) returnSwallowed = false;
    if (event->type == SDL_KEYUP && isEnter(event->key.keysym.sym) && returnSwallowed) {
        returnSwallowed = false;
        return 0;
    }
    return chainedFilter != nullptr ? chainedFilter(chainedData, event) : 1;
}

void installKeyFilter() {
    SDL_EventFilter current = nullptr;
    void* currentData = nullptr;
    if (SDL_GetEventFilter(&current, &currentData) == SDL_TRUE && current == filterWindowKeys) {
        return;
    }
    chainedFilter = current;
    chainedData = currentData;
    SDL_SetEventFilter(filterWindowKeys, nullptr);
}

// The largest whole multiple of 800 x 600 that fits the display's usable area (at least 1), or
// the one asked for.
void windowedSize(int display, const std::optional<int>& scale, int& width, int& height) {
    int factor = 1;
    if (scale) {
        factor = std::max(1, *scale);
    } else {
        SDL_Rect usable{};
        if (SDL_GetDisplayUsableBounds(display, &usable) == 0) {
            factor = std::max(1, std::min(usable.w / kWindowWidth, usable.h / kWindowHeight));
        }
    }
    width = kWindowWidth * factor;
    height = kWindowHeight * factor;
}

std::string sdlError(const char* what) { return std::string(what) + ": " + SDL_GetError(); }

void setIcon(SDL_Window* window, const gfx::Image& icon) {
    if (icon.width <= 0 || icon.height <= 0 ||
        icon.rgba.size() != static_cast<size_t>(icon.width) * icon.height * 4) {
        return;
    }
    // RGBA32 names the byte order R, G, B, A whatever the machine's endianness: the image's own.
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(icon.rgba.data()), icon.width,
                                           icon.height, 32, icon.width * 4, SDL_PIXELFORMAT_RGBA32);
    if (!surface) return;
    SDL_SetWindowIcon(window, surface);  // SDL keeps its own copy
    SDL_FreeSurface(surface);
}

// OpenGL 3.3 core, or OpenGL ES 3.0 where that is all the driver offers (or DARTS_GL=es asks).
void requestContext(bool es) {
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, es ? 0 : 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK,
                        es ? SDL_GL_CONTEXT_PROFILE_ES : SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    // The device draws into a frame of its own with its own depth buffer; the window only shows it.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
}

// DARTS_GL=es skips OpenGL 3.3 core, so that the ES path can be tried on any desktop driver.
bool esForced() {
    const char* wanted = std::getenv("DARTS_GL");
    return wanted != nullptr && std::string_view(wanted) == "es";
}

struct WindowAndContext {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    bool windowRefused = false;  // no window at all: another kind of context will not help
    std::string error;
};

// Some drivers fix the kind of context when the window is made (EGL picks its surface's
// configuration then), so each kind gets a window of its own.
WindowAndContext openWithContext(const std::string& title, const SDL_Rect& place, Uint32 flags,
                                 bool es, const char* noContext) {
    requestContext(es);
    SDL_Window* window = SDL_CreateWindow(title.c_str(), place.x, place.y, place.w, place.h, flags);
    if (!window) return {nullptr, nullptr, true, sdlError("cannot create the window")};
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context) {
        std::string error = sdlError(noContext);
        SDL_DestroyWindow(window);
        return {nullptr, nullptr, false, error};
    }
    return {window, context, false, {}};
}

// The whole of the window's display (the first display's before there is a window).
SDL_Rect displayBounds(SDL_Window* window) {
    SDL_Rect bounds{0, 0, kWindowWidth, kWindowHeight};
    const int display = window != nullptr ? SDL_GetWindowDisplayIndex(window) : 0;
    SDL_GetDisplayBounds(std::max(display, 0), &bounds);
    return bounds;
}

// Full screen on the desktop's mode. Asking for it is not enough: on X it is the window manager
// that makes a window cover the screen, and with none (a kiosk running the game alone) the window
// keeps its own size and place while SDL reports the screen's size as the window's, so the game
// would draw a screen-sized picture into it and show only its corner. Covering the display first
// makes what SDL reports true with a window manager or without one.
void coverDisplay(SDL_Window* window) {
    const SDL_Rect bounds = displayBounds(window);
    SDL_SetWindowBordered(window, SDL_FALSE);
    SDL_SetWindowPosition(window, bounds.x, bounds.y);
    SDL_SetWindowSize(window, bounds.w, bounds.h);
    SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
}

// Switches the window's display to an exact 800 x 600 mode in full screen; false when the mode
// is already 800 x 600 or no such mode can be had (the game then covers the screen on the
// desktop's own mode, as when a mode change is refused).
bool switchDisplayMode(SDL_Window* window) {
    const int display = SDL_GetWindowDisplayIndex(window);
    SDL_DisplayMode current{};
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &current) != 0) return false;
    if (current.w == kWindowWidth && current.h == kWindowHeight) return false;
    SDL_DisplayMode wanted = current;
    wanted.w = kWindowWidth;
    wanted.h = kWindowHeight;
    SDL_DisplayMode closest{};
    if (!SDL_GetClosestDisplayMode(display, &wanted, &closest)) return false;
    if (closest.w != kWindowWidth || closest.h != kWindowHeight) return false;
    if (SDL_SetWindowDisplayMode(window, &closest) != 0) return false;
    return SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) == 0;
}

// The refresh rate of the display the window is on now; 0 where unknown.
int refreshRateUnder(SDL_Window* window) {
    SDL_DisplayMode mode{};
    const int display = SDL_GetWindowDisplayIndex(window);
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0) return 0;
    return mode.refresh_rate;
}

// SDL falls back on its offscreen driver when no display answers (DISPLAY unset, or an X server
// that refused the connection): the game would then play where nobody sees it and end as if all
// went well. A driver without a screen is used only when SDL_VIDEODRIVER names it.
std::string noScreenError() {
    const std::string_view driver = SDL_GetCurrentVideoDriver();
    if (driver != "offscreen" && driver != "dummy") return {};
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);  // the variable of the same name
    if (asked != nullptr && std::string_view(asked).find(driver) != std::string_view::npos)
        return {};
    return "no display to open the window on (no X server or Wayland compositor answered)";
}

}  // namespace

WindowResult SdlGlWindow::create(const WindowOptions& options) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return {nullptr, sdlError("cannot start SDL video")};
    if (std::string error = noScreenError(); !error.empty()) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return {nullptr, std::move(error)};
    }

    // HiDPI screens give their full drawable size; the device scales its frame to it.
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN | SDL_WINDOW_ALLOW_HIGHDPI;
    int windowedWidth = kWindowWidth, windowedHeight = kWindowHeight;
    windowedSize(0, options.scale, windowedWidth, windowedHeight);
    const SDL_Rect display = displayBounds(nullptr);
    SDL_Rect place{int(SDL_WINDOWPOS_CENTERED), int(SDL_WINDOWPOS_CENTERED), windowedWidth,
                   windowedHeight};
    if (options.windowed) {
        flags |= SDL_WINDOW_RESIZABLE;
    } else if (options.displayMode) {
        // In the display's corner, where an 800 x 600 mode shows the screen even when no window
        // manager moves a full-screen window there.
        flags |= SDL_WINDOW_BORDERLESS;
        place = {display.x, display.y, kWindowWidth, kWindowHeight};
    } else {
        // Made as large as the display (see coverDisplay).
        flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_RESIZABLE | SDL_WINDOW_FULLSCREEN_DESKTOP;
        place = display;
    }
    // The device checks the version it actually got before it draws anything.
    bool es = esForced();
    WindowAndContext opened = openWithContext(
        options.title, place, flags, es,
        es ? "no OpenGL ES 3.0 context (DARTS_GL=es)" : "no OpenGL 3.3 core context");
    if (!opened.context && !opened.windowRefused && !es) {
        es = true;
        opened = openWithContext(options.title, place, flags, es,
                                 "no OpenGL 3.3 core or OpenGL ES 3.0 context");
    }
    if (!opened.context) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return {nullptr, opened.error};
    }
    SDL_Window* window = opened.window;
    SDL_GLContext context = opened.context;
    if (options.icon) setIcon(window, *options.icon);

    bool switched = false;
    if (!options.windowed && options.displayMode) {
        switched = switchDisplayMode(window);
        // No exact 800 x 600 mode: full screen on the desktop's own, as without the option.
        if (switched) {
            noteSwitched(window);
        } else {
            SDL_SetWindowResizable(window, SDL_TRUE);
            coverDisplay(window);
        }
    }
    installKeyFilter();
    watchHangUp();
    if (!options.stretch) barredWindow = window;
    // Unpaced stays so; otherwise the display under the window decides, now and at every frame.
    SDL_GL_SetSwapInterval(0);
    const PacingMode pacing = options.unpaced ? PacingMode::Unpaced : PacingMode::Limiter;
    auto shown = std::unique_ptr<SdlGlWindow>(new SdlGlWindow(window, context, pacing, switched));
    shown->followDisplay();
    shown->windowedWidth_ = windowedWidth;
    shown->windowedHeight_ = windowedHeight;
    shown->stretch_ = options.stretch;
    shown->es_ = es;
    return {std::move(shown), {}};
}

SdlGlWindow::SdlGlWindow(SDL_Window* window, void* context, PacingMode pacing, bool switched)
    : window_(window), context_(context), pacer_(clock_, pacing), displaySwitched_(switched) {}

SdlGlWindow::~SdlGlWindow() {
    restore();
    if (switchedWindow == window_) switchedWindow = nullptr;
    if (barredWindow == window_) barredWindow = nullptr;
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context_));
    SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlGlWindow::restore() {
    if (fullScreen()) leaveFullScreen();
}

bool SdlGlWindow::fullScreen() const {
    return (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
}

void SdlGlWindow::leaveFullScreen() {
    SDL_SetWindowFullscreen(window_, 0);  // after a mode switch SDL puts the desktop's mode back
    if (displaySwitched_) {
        displaySwitched_ = false;
        if (switchedWindow == window_) switchedWindow = nullptr;
    }
    SDL_SetWindowBordered(window_, SDL_TRUE);
    SDL_SetWindowResizable(window_, SDL_TRUE);
    SDL_SetWindowSize(window_, windowedWidth_, windowedHeight_);
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

void SdlGlWindow::toggleFullScreen() {
    if (fullScreen()) {
        leaveFullScreen();
    } else {
        coverDisplay(window_);
    }
}

void SdlGlWindow::followDisplay() {
    const std::optional<PacingChoice> choice = pacer_.follow(refreshRateUnder(window_));
    if (!choice) return;
    if (SDL_GL_SetSwapInterval(choice->swapInterval) == 0) return;
    // Refused: no wait for the refresh, and the limiter paces if vertical sync was to.
    SDL_GL_SetSwapInterval(0);
    pacer_.fallBackToLimiter();
}

void SdlGlWindow::present() {
    endIfFatalSignalCame();
    if (toggleWanted) {
        toggleWanted = false;
        toggleFullScreen();
    }
    // The display under the window changes with Alt+Enter, a mode switch or a move to another
    // monitor, each seen in SDL's own record of the displays at no cost: asking every frame
    // catches them all, whichever way they came.
    followDisplay();
    applyMouseFreeing();
    if (takeHangUp()) {
        // A closed terminal ends the game as a request to close the window does.
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    }
    SDL_GL_SwapWindow(window_);
    pacer_.frameShown();
}

DrawableSize SdlGlWindow::drawableSize() const {
    DrawableSize size;
    SDL_GL_GetDrawableSize(window_, &size.width, &size.height);
    return size;
}

SDL_Rect pictureRectInWindow(SDL_Window* window, SDL_Rect pictureRect) {
    int width = 0, height = 0;
    SDL_GetWindowSize(window, &width, &height);
    if (width <= 0 || height <= 0) return pictureRect;
    // Stretched, the picture fills the window; otherwise it sits where the events are mapped from.
    render::FramePlacement at{0, 0, width, height};
    if (window == barredWindow) {
        at = render::placeFrame(kWindowWidth, kWindowHeight, width, height, false);
        if (at.width <= 0 || at.height <= 0) at = {0, 0, width, height};
    }
    SDL_Rect shown = toWindowRect(pictureRect, {at.width, at.height});
    shown.x += at.x;
    shown.y += at.y;
    return shown;
}

void warpPointerToPicture(SDL_Window* window, int x, int y) {
    int width = 0, height = 0;
    SDL_GetWindowSize(window, &width, &height);
    if (width <= 0 || height <= 0) return;
    const SDL_Rect at = pictureRectInWindow(window, {x, y, 0, 0});
    SDL_WarpMouseInWindow(window, std::clamp(at.x, 0, width - 1), std::clamp(at.y, 0, height - 1));
}

}  // namespace darts::platform
