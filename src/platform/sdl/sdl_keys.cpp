#include "platform/sdl/sdl_keys.h"

#include <SDL.h>

#include <initializer_list>

namespace darts::platform {
namespace {

// SDL clears its keyboard state whenever the window loses the keyboard focus, which some X
// servers without a window manager report all the time; the key's own events are watched as
// well, the way the input watches Escape.
// A tap shorter than a frame is kept as a press until it has been asked for once, so the game,
// which looks once a frame, still sees it; a frame later than that, it belonged to another screen.
struct WatchedKey {
    SDL_Scancode scancode;
    bool held = false;
    bool tapped = false;
    int framesSinceTap = 0;
    bool pressedUnasked = false;  // its press was forgotten: up until it is let go
};
WatchedKey f1{SDL_SCANCODE_F1};
WatchedKey f2{SDL_SCANCODE_F2};
WatchedKey r{SDL_SCANCODE_R};

int watchKeys(void*, SDL_Event* event) {
    if (event->type != SDL_KEYDOWN && event->type != SDL_KEYUP) return 1;
    for (WatchedKey* key : {&f1, &f2, &r}) {
        if (event->key.keysym.scancode != key->scancode) continue;
        key->held = event->type == SDL_KEYDOWN;
        // The keyboard's own repeats of a held key are no new press.
        if (key->held && event->key.repeat == 0) {
            key->tapped = true;
            key->framesSinceTap = 0;
            key->pressedUnasked = false;
        }
        if (!key->held) key->pressedUnasked = false;
    }
    return 1;
}

bool keyDown(WatchedKey& key) {
    static const bool watching = (SDL_AddEventWatch(watchKeys, nullptr), true);
    (void)watching;
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    const bool down = (keys != nullptr && keys[key.scancode] != 0) || key.held || key.tapped;
    key.tapped = false;
    return down && !key.pressedUnasked;
}

}  // namespace

bool settingsKeyDown() { return keyDown(f1); }

bool recordsKeyDown() { return keyDown(f2); }

bool replayKeyDown() { return keyDown(r); }

void keysFramePresented() {
    for (WatchedKey* key : {&f1, &f2, &r}) {
        if (!key->tapped || ++key->framesSinceTap < 2) continue;
        key->tapped = false;
        key->pressedUnasked = true;
    }
}

}  // namespace darts::platform
