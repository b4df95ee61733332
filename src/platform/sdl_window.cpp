#include "platform/sdl_window.h"

#include <SDL.h>

namespace darts::platform {
namespace {

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

void requestCoreContext() {
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    // The device draws into a frame of its own with its own depth buffer; the window only shows it.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
}

// Switches the window's display to an exact 800 x 600 mode in full screen; false when the mode
// is already 800 x 600 or no such mode can be had (the game then plays in its window on whatever
// mode the desktop has, as when a mode change is refused).
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

PacingMode choosePacing(SDL_Window* window, bool unpaced) {
    if (unpaced) {
        SDL_GL_SetSwapInterval(0);
        return PacingMode::Unpaced;
    }
    SDL_DisplayMode mode{};
    const int display = SDL_GetWindowDisplayIndex(window);
    const bool known = display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0;
    if (known && refreshPacesAt60(mode.refresh_rate) && SDL_GL_SetSwapInterval(1) == 0) {
        return PacingMode::Vsync;
    }
    SDL_GL_SetSwapInterval(0);
    return PacingMode::Limiter;
}

}  // namespace

WindowResult SdlGlWindow::create(const WindowOptions& options) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return {nullptr, sdlError("cannot start SDL video")};
    requestCoreContext();

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
    int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
    if (!options.windowed) {
        flags |= SDL_WINDOW_BORDERLESS;
        x = 0;
        y = 0;
    }
    SDL_Window* window =
        SDL_CreateWindow(options.title.c_str(), x, y, kWindowWidth, kWindowHeight, flags);
    if (!window) {
        std::string error = sdlError("cannot create the window");
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return {nullptr, error};
    }

    // The device checks the version it actually got before it draws anything.
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context) {
        std::string error = sdlError("no OpenGL 3.3 core context");
        SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return {nullptr, error};
    }
    if (options.icon) setIcon(window, *options.icon);

    const bool switched = !options.windowed && switchDisplayMode(window);
    const PacingMode pacing = choosePacing(window, options.unpaced);
    return {std::unique_ptr<SdlGlWindow>(new SdlGlWindow(window, context, pacing, switched)), {}};
}

SdlGlWindow::SdlGlWindow(SDL_Window* window, void* context, PacingMode pacing, bool switched)
    : window_(window), context_(context), pacer_(clock_, pacing), displaySwitched_(switched) {}

SdlGlWindow::~SdlGlWindow() {
    restore();
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context_));
    SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlGlWindow::restore() {
    if (!displaySwitched_) return;
    displaySwitched_ = false;
    SDL_SetWindowFullscreen(window_, 0);  // SDL puts the desktop's mode back
}

void SdlGlWindow::present() {
    SDL_GL_SwapWindow(window_);
    pacer_.frameShown();
}

DrawableSize SdlGlWindow::drawableSize() const {
    DrawableSize size;
    SDL_GL_GetDrawableSize(window_, &size.width, &size.height);
    return size;
}

}  // namespace darts::platform
