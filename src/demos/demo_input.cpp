#include "demos/demo_input.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <span>

#include "core/state_checksum.h"

namespace darts {
namespace {

const char* describe(DemoEvent::Kind kind) {
    switch (kind) {
        case DemoEvent::Kind::Escape:
            return "the Escape key";
        case DemoEvent::Kind::ScreenKey:
            return "a screen key";
        case DemoEvent::Kind::Mouse:
            return "the mouse";
        case DemoEvent::Kind::UiEvent:
        case DemoEvent::Kind::UiNone:
            return "the character-select screen's input";
        case DemoEvent::Kind::FrameEnd:
            return "the end of a frame";
        case DemoEvent::Kind::Checksum:
            return "a state checksum";
        case DemoEvent::Kind::End:
            return "the end of the game";
    }
    return "something unknown";
}

std::string hex(uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "%016" PRIx64, value);
    return text;
}

}  // namespace

// Recording.

DemoRecorder::DemoRecorder(DemoWriter& writer, platform::InputSource& input, platform::UiInput& ui,
                           const GameState& state)
    : writer_(writer), state_(state), input_(writer, input), ui_(writer, ui) {}

bool DemoRecorder::Input::escapeDown() {
    const bool down = inner_.escapeDown();
    writer_.escape(down);
    return down;
}

bool DemoRecorder::Input::screenKeyDown(platform::ScreenKey key) {
    const bool down = inner_.screenKeyDown(key);
    writer_.screenKey(key, down);
    return down;
}

int DemoRecorder::Input::readMouse(platform::MouseRecord* out, int capacity) {
    const int count = inner_.readMouse(out, capacity);
    writer_.mouse(std::span<const platform::MouseRecord>(out, static_cast<size_t>(count)));
    return count;
}

bool DemoRecorder::Ui::poll(platform::UiEvent& event) {
    const bool got = inner_.poll(event);
    if (got) {
        writer_.uiEvent(event);
    } else {
        writer_.uiNone();
    }
    return got;
}

void DemoRecorder::framePresented(uint64_t frame) {
    writer_.frameEnd();
    if (frame % kDemoChecksumInterval == 0) writer_.checksum(frame, stateChecksum(state_));
}

bool DemoRecorder::finish(uint64_t frames, std::string& error) {
    return writer_.finish(frames, stateChecksum(state_), error);
}

// Playback.

DemoPlayer::DemoPlayer(DemoReader& reader, const GameState& state)
    : reader_(reader), state_(state), input_(*this), ui_(*this) {}

void DemoPlayer::fail(std::string message) {
    if (error_.empty()) error_ = std::move(message);
}

bool DemoPlayer::take(DemoEvent::Kind wanted, const char* what) {
    return take(wanted, wanted, what);
}

bool DemoPlayer::take(DemoEvent::Kind wanted, DemoEvent::Kind alsoWanted, const char* what) {
    if (failed() || stopped_) return false;
    if (!peeked_ && !reader_.next(event_)) {
        fail("the demo ended before the game did (frame " + std::to_string(frame_ + 1) + ")");
        return false;
    }
    peeked_ = false;
    if (event_.kind == wanted || event_.kind == alsoWanted) return true;
    fail("the game went out of step with the demo in frame " + std::to_string(frame_ + 1) +
         ": it asked for " + what + ", the demo holds " + describe(event_.kind));
    return false;
}

bool DemoPlayer::Input::escapeDown() {
    return player_.take(DemoEvent::Kind::Escape, "the Escape key") && player_.event_.escapeDown;
}

bool DemoPlayer::Input::screenKeyDown(platform::ScreenKey key) {
    if (player_.reader_.header().version == kDemoFirstVersion) return false;
    if (!player_.take(DemoEvent::Kind::ScreenKey, "a screen key")) return false;
    if (player_.event_.screenKey != key) {
        player_.fail("the game went out of step with the demo in frame " +
                     std::to_string(player_.frame_ + 1) + ": it asked for another screen key");
        return false;
    }
    return player_.event_.escapeDown;
}

int DemoPlayer::Input::readMouse(platform::MouseRecord* out, int capacity) {
    if (!player_.take(DemoEvent::Kind::Mouse, "the mouse")) return 0;
    const std::vector<platform::MouseRecord>& records = player_.event_.mouse;
    if (records.size() > static_cast<size_t>(std::max(capacity, 0))) {
        player_.fail("the demo holds more mouse records than the game reads at once");
        return 0;
    }
    std::copy(records.begin(), records.end(), out);
    return static_cast<int>(records.size());
}

bool DemoPlayer::Ui::poll(platform::UiEvent& event) {
    if (!player_.take(DemoEvent::Kind::UiEvent, DemoEvent::Kind::UiNone,
                      "the character-select screen's input") ||
        player_.event_.kind == DemoEvent::Kind::UiNone) {
        return false;
    }
    event = player_.event_.ui;
    return true;
}

void DemoPlayer::framePresented(uint64_t frame) {
    if (stopped_) return;
    if (!take(DemoEvent::Kind::FrameEnd, "the end of a frame")) return;
    frame_ = frame;
    if (!reader_.next(event_)) return;
    if (event_.kind != DemoEvent::Kind::Checksum) {
        peeked_ = true;
        return;
    }
    const uint64_t now = stateChecksum(state_);
    if (event_.frame != frame || event_.checksum != now) {
        fail("the game's state differs from the demo's after frame " + std::to_string(frame) +
             " (checksum " + hex(now) + ", the demo recorded " + hex(event_.checksum) +
             " after frame " + std::to_string(event_.frame) + ")");
    }
}

void DemoPlayer::gameEnded(uint64_t frames) {
    if (!take(DemoEvent::Kind::End, "the end of the game")) return;
    const uint64_t now = stateChecksum(state_);
    if (event_.frame != frames) {
        fail("the game ended after " + std::to_string(frames) + " frames, the demo after " +
             std::to_string(event_.frame));
    } else if (event_.checksum != now) {
        fail("the game ended in a different state from the demo's (checksum " + hex(now) +
             ", the demo recorded " + hex(event_.checksum) + ")");
    }
}

}  // namespace darts
