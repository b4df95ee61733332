#include "frontend/front_end_input.h"

namespace darts {

// The screens that react to the mouse come with the front end; until then a record here is
// simply consumed.
void handleFrontEndMouse(GameState&, platform::MouseRecord, int32_t&) {}

}  // namespace darts
