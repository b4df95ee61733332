// The scoreboard of a bar game in play, drawn in place of the score table and the thrower's
// portrait: one row per seat at the top right of the frame, the side to throw marked and its
// portrait where the HUD shows it. It reads the view and the state's textures and language and
// writes nothing. The board stays clear of the shot panel below it (y 100) give or take the
// panel's own margin, and left of it of the board picture (x 280).
#pragma once

#include "core/game_state.h"
#include "games/bar_board.h"
#include "render/device.h"

namespace darts::render {

// The scoreboard's and the pauses' fonts, narrower than the match's so that four seats' names
// and marks fit beside each other. Made once, before the first bar game is drawn.
struct BarFonts {
    FontHandle body = 0;  // 15 pixels high, 8 across a half-width character
    FontHandle big = 0;   // 28 x 14: the pauses' names
};
BarFonts createBarFonts(Device& device);

// Where the scoreboard stands: the board's right edge is the frame's, its top the frame's top.
inline constexpr int kBarBoardRowHeight = 17;     // a seat's row in Cricket and Count-Up
inline constexpr int kBarBoardCountRowHeight = 20;  // a seat's row in a 01
inline constexpr int kBarBoardHeadingHeight = 18;
inline constexpr int kBarBoardLabelsHeight = 15;  // Cricket's targets, Count-Up's rounds

void drawBarScoreboard(const GameState& state, const games::BarBoardView& view, Device& device,
                       const BarFonts& fonts);

}  // namespace darts::render
