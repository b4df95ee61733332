// The display mode: switched to 800 x 600 at start-up, given back when the player quits.
#pragma once

namespace darts::platform {

class DisplayControl {
  public:
    virtual ~DisplayControl() = default;
    // Puts back the mode the desktop had before the game changed it. Failures are ignored.
    virtual void restore() = 0;
};

}  // namespace darts::platform
