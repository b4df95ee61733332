// Keys the game reads besides Escape, straight from SDL's keyboard state (kept current by the
// input's own event pumping).
#pragma once

namespace darts::platform {

// F1: the settings screen, on the title.
bool settingsKeyDown();

// F2: the records page, on the title with awards on.
bool recordsKeyDown();

}  // namespace darts::platform
