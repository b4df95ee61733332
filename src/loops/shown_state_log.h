// A maintainer's aid for tests that play the real game: with DARTS_STATE_LOG naming a file, the
// game appends one line to it for every presented frame,
//     FRAME WHAT
// FRAME counted from 1, WHAT what that frame showed the player, one of
//     title | character-select | darts-bar | tournament | no-character
//     match aiming | match swinging | match released | match landed | match over
// so a test can wait until the screen it is about to click on has been up for a few frames,
// instead of guessing how long the machine takes to get there. Each line is flushed as written.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "core/game_state.h"

namespace darts {

// What the player is shown in `state`, as the log names it.
std::string shownState(const GameState& state);

class ShownStateLog {
  public:
    // Null when DARTS_STATE_LOG is unset or empty, or its file cannot be opened (one line says so).
    static std::unique_ptr<ShownStateLog> fromEnvironment();
    ~ShownStateLog();
    ShownStateLog(const ShownStateLog&) = delete;
    ShownStateLog& operator=(const ShownStateLog&) = delete;

    // After each presented frame.
    void framePresented(const GameState& state, uint64_t frame);

  private:
    explicit ShownStateLog(std::FILE* file) : file_(file) {}
    std::FILE* file_;
};

}  // namespace darts
