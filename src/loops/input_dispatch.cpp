#include "loops/input_dispatch.h"

#include "frontend/front_end_input.h"
#include "match/throw_input.h"

namespace darts {

void pollKeyboard(GameState& state, FrameIo& io) {
    if (!io.input.escapeDown()) return;
    state.matchPhase = MatchPhase::MatchOver;
    state.quitRequested = 1;
    if (state.inFrontEnd == 0) {
        state.inFrontEnd = 1;
    } else if (state.inFrontEnd == 1) {
        state.inFrontEnd = 0;
    }
    if (io.display != nullptr) io.display->restore();
}

void pollMouse(GameState& state, FrameIo& io) {
    platform::MouseRecord records[platform::kMouseBufferSize];
    int count = io.input.readMouse(records, platform::kMouseBufferSize);
    if (count > platform::kMouseBufferSize) count = platform::kMouseBufferSize;
    for (int i = 0; i < count; ++i) {
        // A record may start or end a match: the ones after it go to the other handler.
        if (state.inFrontEnd == 1) {
            handleFrontEndMouse(state, records[i], state.buttonHeld);
        } else if (state.inFrontEnd == 0) {
            handleMatchMouse(state, records[i], state.buttonHeld);
        }
    }
}

bool readWholeClick(FrameIo& io, bool& pressed) {
    platform::MouseRecord records[platform::kMouseBufferSize];
    const int count = io.input.readMouse(records, platform::kMouseBufferSize);
    for (int i = 0; i < count && i < platform::kMouseBufferSize; ++i) {
        if (records[i].object != platform::MouseObject::Button0) continue;
        if ((records[i].data & platform::kButtonPressed) != 0) {
            pressed = true;
        } else if (pressed) {
            return true;
        }
    }
    return false;
}

}  // namespace darts
