// The pieces of SdlInput that work on single SDL events: the bounded queue of mouse records, the
// translation of events into records and into the character-select screen's events, and the
// release of what SDL allocated for an event. Kept apart so that they read without the devices'
// state, and so that the tests can open the input on a window without an OpenGL context.
#pragma once

#include <SDL.h>

#include <array>
#include <memory>
#include <optional>

#include "platform/input.h"
#include "platform/sdl/sdl_input.h"
#include "platform/ui_input.h"

namespace darts::platform {

// The buffered mouse's records between two reads, oldest first. It holds kMouseBufferSize
// records; what arrives while it is full is lost and what it already holds is kept, as in the
// device buffer the game was written for.
class MouseRecordQueue {
  public:
    void push(MouseRecord record);
    // Moves up to `capacity` records, oldest first, into `out`; the rest stay queued.
    int take(MouseRecord* out, int capacity);
    // Copies up to `capacity` records, oldest first, and keeps them all queued.
    int peek(MouseRecord* out, int capacity) const;
    void clear() { count_ = 0; }
    int size() const { return count_; }

  private:
    std::array<MouseRecord, kMouseBufferSize> records_{};
    int count_ = 0;
};

// Queues the records of one mouse event: a motion gives an X record then a Y record, each only
// when its movement is not zero; a button gives 0x80 pressed or 0 released; a wheel turn gives
// 120 per notch, positive away from the player. Other events queue nothing.
void queueMouseRecords(const SDL_Event& event, MouseRecordQueue& queue);

// The window's size in its own coordinates, which pointer events are given in.
struct WindowExtent {
    int width = 0;
    int height = 0;
};

// A pointer position in window coordinates on the 800 x 600 picture, which the device stretches
// over the whole window.
int toPictureX(int windowX, WindowExtent window);
int toPictureY(int windowY, WindowExtent window);
// And back, onto a window the picture fills (pictureRectInWindow adds the black bars).
SDL_Rect toWindowRect(SDL_Rect pictureRect, WindowExtent window);

// The name box's event for a key pressed, or nothing for keys it does not use.
std::optional<UiEvent> editingKeyEvent(const SDL_Keysym& key);

// The character-select screen's event for one SDL event, or nothing for events it does not use.
std::optional<UiEvent> toUiEvent(const SDL_Event& event, WindowExtent window);

// Frees the memory SDL allocated for an event that its reader owns (dropped file names and text,
// long compositions). Every event taken off the queue goes through here once.
void releaseEventMemory(SDL_Event& event);

// The input on any SDL window: SdlInput::create passes the game's window; tests use a plain one.
std::unique_ptr<SdlInput> createSdlInput(SDL_Window* window);

}  // namespace darts::platform
