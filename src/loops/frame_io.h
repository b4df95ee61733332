// What the loops of the game need from the outside world, one frame at a time: somewhere to draw,
// the input devices and the display mode. Headless runs pass a headless device and no input.
#pragma once

#include "platform/display.h"
#include "platform/input.h"
#include "render/device.h"

namespace darts {

struct FrameIo {
    render::Device& device;
    platform::InputSource& input;
    platform::DisplayControl* display = nullptr;  // none: nothing to restore
};

}  // namespace darts
