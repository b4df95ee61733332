#include "platform/sdl_keys.h"

#include <SDL.h>

namespace darts::platform {
namespace {

// SDL clears its keyboard state whenever the window loses the keyboard focus, which some X
// servers without a window manager report all the time; the key's own events are watched as
// well, the way the input watches Escape.
bool f2Held = false;

int watchKeys(void*, SDL_Event* event) {
    if ((event->type == SDL_KEYDOWN || event->type == SDL_KEYUP) &&
        event->key.keysym.scancode == SDL_SCANCODE_F2) {
        f2Held = event->type == SDL_KEYDOWN;
    }
    return 1;
}

}  // namespace

bool recordsKeyDown() {
    static const bool watching = (SDL_AddEventWatch(watchKeys, nullptr), true);
    (void)watching;
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    return (keys != nullptr && keys[SDL_SCANCODE_F2] != 0) || f2Held;
}

}  // namespace darts::platform
