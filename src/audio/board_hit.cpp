#include "audio/board_hit.h"

#include "core/game_state.h"

namespace darts::audio {

void playBoardHit(GameState& state) {
    state.boardHitsPlayed += 1;
    if (state.effects != nullptr) state.effects->playBoardHit();
}

}  // namespace darts::audio
