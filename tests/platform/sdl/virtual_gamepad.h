// The description of SDL's virtual joystick that the controller tests plug in: a game controller
// with every axis and button SDL knows, so SDL's game-controller layer takes it as a pad.
#pragma once

#include <SDL.h>

namespace darts::test_support {

inline SDL_VirtualJoystickDesc virtualGamepadDesc() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "virtual pad";
    return desc;
}

}  // namespace darts::test_support
