// A maintainer's aid for checking the sound end to end: with DARTS_BOARD_HIT_LOG set (to anything
// but an empty value) every board hit also writes one line to stderr,
//     darts: board hit at audio frame N
// where N is the position in the sound device's output stream (stereo frames at 44.1 kHz) at the
// moment of the hit. A test that records the stream (SDL's disk driver) then knows where each
// effect must begin.
#pragma once

#include "audio/board_hit.h"
#include "platform/sdl/sdl_audio.h"

namespace darts::platform {

class BoardHitLog final : public audio::EffectOutput {
  public:
    explicit BoardHitLog(SdlAudio& device) : device_(device) {}
    void playBoardHit() override;
    void playAward() override { device_.playAward(); }

  private:
    SdlAudio& device_;
};

// Whether the environment asks for the log.
bool boardHitLogWanted();

}  // namespace darts::platform
