// What the game needs from the input devices: a test whether Escape is down, once per frame, a
// queue of relative mouse records read empty once per frame, and the screen keys on the title.
#pragma once

#include <cstdint>

namespace darts::platform {

// Which part of the mouse a record is about. The values are the byte offsets of the parts in the
// classic buffered-mouse data format, so recorded demos keep the same numbers.
enum class MouseObject : uint32_t {
    X = 0,
    Y = 4,
    Wheel = 8,
    Button0 = 12,  // the left button
    Button1 = 13,
    Button2 = 14,
    Button3 = 15,
    Button4 = 16,
    Button5 = 17,
    Button6 = 18,
    Button7 = 19,
};

// One mouse record. For an axis `data` is the signed relative movement; for a button bit 0x80 is
// set while pressed and the value is 0 when released.
struct MouseRecord {
    MouseObject object;
    int32_t data;
};

// The keys of the features: those that open a screen over the title (they never act during a
// match), and the replay's, read only while a dart stands on its landing display.
enum class ScreenKey : uint8_t {
    Settings = 1,  // F1: the settings screen
    Records = 2,   // F2: the records page, with awards on
    Replay = 3,    // R: the turn so far again, with replays on
};

constexpr int kMouseBufferSize = 100;
constexpr int32_t kButtonPressed = 0x80;

class InputSource {
  public:
    virtual ~InputSource() = default;
    // Whether the Escape key is down now.
    virtual bool escapeDown() = 0;
    // Moves up to `capacity` queued records, oldest first, into `out`; returns how many.
    virtual int readMouse(MouseRecord* out, int capacity) = 0;
    // Copies up to `capacity` of the records the next read would hand out, leaving them queued:
    // what the mouse did since the last read, for drawing the pointer where it already is. A
    // source that cannot tell (a demo, a script) has none.
    virtual int peekMouse(MouseRecord* /*out*/, int /*capacity*/) { return 0; }
    // Whether a screen key is down now. Read through here, like Escape, so that demos record
    // and replay it; a source without a keyboard has none down.
    virtual bool screenKeyDown(ScreenKey /*key*/) { return false; }
};

// No keyboard and no mouse: the input of headless runs.
class NoInput final : public InputSource {
  public:
    bool escapeDown() override { return false; }
    int readMouse(MouseRecord*, int) override { return 0; }
};

}  // namespace darts::platform
