#include "platform/sdl_keys.h"

#include <SDL.h>

namespace darts::platform {

bool recordsKeyDown() {
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    return keys != nullptr && keys[SDL_SCANCODE_F2] != 0;
}

}  // namespace darts::platform
