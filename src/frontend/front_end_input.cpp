#include "frontend/front_end_input.h"

#include <algorithm>

#include "frontend/front_end.h"

namespace darts {

namespace {

constexpr int64_t kPixelsPerMickey = 3;

// The menu's hover bands; every bound is strict, so the lines between bands select nothing.
constexpr int kMenuLeft = 260, kMenuRight = 500;
constexpr int kBandTop = 410, kBandHeight = 40;

void updateMenuSelection(GameState& state) {
    if (state.cursorX <= kMenuLeft || state.cursorX >= kMenuRight) return;
    for (int item = 1; item <= 3; ++item) {
        const int top = kBandTop + kBandHeight * (item - 1);
        if (state.cursorY > top && state.cursorY < top + kBandHeight) {
            state.menuSelection = static_cast<MenuItem>(item);
        }
    }
}

}  // namespace

// Widened before the multiply: a record from a runaway device must not overflow the position.
int32_t moveCursor(int32_t position, int32_t mickeys, int32_t limit, int32_t speed) {
    const int64_t perMickey = speed > 0 ? speed : kPixelsPerMickey;
    const int64_t moved = int64_t{position} + perMickey * int64_t{mickeys};
    return static_cast<int32_t>(std::clamp<int64_t>(moved, 0, limit));
}

void handleFrontEndMouse(GameState& state, platform::MouseRecord record, int32_t& buttonHeld) {
    switch (record.object) {
        case platform::MouseObject::X:
            state.cursorX = moveCursor(state.cursorX, record.data, render::kFrameWidth,
                                       state.cursorPixelsPerCount);
            break;
        case platform::MouseObject::Y:
            state.cursorY = moveCursor(state.cursorY, record.data, render::kFrameHeight,
                                       state.cursorPixelsPerCount);
            break;
        case platform::MouseObject::Button0:
            if ((record.data & platform::kButtonPressed) != 0) {
                frontend::handleMenuClick(state, buttonHeld);
            }
            break;
        default:
            break;
    }
    // Moving away from the menu keeps the last item: the selection is never cleared here.
    updateMenuSelection(state);
    // A release re-arms the latch; so does any record whose data is 0, a still axis included.
    if (record.data == 0) buttonHeld = 0;
}

PointerPosition pointerAfter(const GameState& state, std::span<const platform::MouseRecord> records) {
    PointerPosition p{state.cursorX, state.cursorY};
    for (const platform::MouseRecord& record : records) {
        if (record.object == platform::MouseObject::X) {
            p.x = moveCursor(p.x, record.data, render::kFrameWidth, state.cursorPixelsPerCount);
        } else if (record.object == platform::MouseObject::Y) {
            p.y = moveCursor(p.y, record.data, render::kFrameHeight, state.cursorPixelsPerCount);
        }
    }
    return p;
}

}  // namespace darts
