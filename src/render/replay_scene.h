// The match scene as a replay shows it: the room and the board from a camera of the replay's own,
// the darts of the replayed turn where the recording has them (not the state's), and the caption.
// Nothing of the state is changed: the frame is no step of the match.
#pragma once

#include <cstdint>
#include <span>

#include "core/game_state.h"
#include "gfx/matrix.h"
#include "render/device.h"

namespace darts::render {

struct ReplayDart {
    DartBody body;  // where it is; the velocity is not read
    float aimYaw = 0;
    // Drawn turned by the aim it was thrown with, as the match draws a dart in play; a dart whose
    // turn has gone on is drawn as a finished dart.
    bool inPlay = false;
};

struct ReplayShot {
    gfx::Vec3 eye = {};
    gfx::Vec3 target = {};
    std::span<const ReplayDart> darts;
    uint32_t frame = 0;   // since the replay began: the caption's light blinks by it
    FontHandle font = 0;  // the caption's (replayCaptionFont)
};

// The caption's font, made once by whoever plays replays.
FontHandle replayCaptionFont(Device& device);

// Draws and presents one frame of the replay.
void renderReplayFrame(const GameState& state, Device& device, const ReplayShot& shot);

// The caption's text in the state's language, Shift-JIS.
const char* replayCaption(Language language);

}  // namespace darts::render
