// What the game asks of its sound: the effects a match plays, the background music, the player's
// levels and the award fanfare. The game plays it on SDL with FluidSynth music; a run without a
// screen, and a test, plays through NullSound, which stays silent.
#pragma once

#include <string>

#include "audio/board_hit.h"

namespace darts::audio {

// The player's levels. Percentages scale each sample toward zero, so 100 leaves the sound exactly
// as it was and 0 (or mute) is silence.
struct MixVolumes {
    int music = 100;
    int effect = 100;
    bool mute = false;
};

class SoundSystem {
  public:
    virtual ~SoundSystem() = default;
    // Loads the synthesiser and the tune. Start-up runs it on a thread of its own while the window
    // is made, and touches the sound system no other way until it has returned. "" when loaded
    // (or loaded before), else the one line that says why the game plays without music.
    virtual std::string loadMusic() = 0;
    // Opens the output with the board-hit effect loaded: what GameState::effects plays through,
    // null for silence.
    virtual EffectOutput* openEffects() = 0;
    // The levels from now on, for an output opened later too.
    virtual void setVolumes(const MixVolumes& volumes) = 0;
    // The endless background music (nothing when there is none); once started it stays started.
    virtual void startMusic() = 0;
    // Loads the award fanfare; only with awards on.
    virtual void loadAward() = 0;
};

// No output at all: the game plays exactly as with sound, only silently.
class NullSound final : public SoundSystem {
  public:
    std::string loadMusic() override { return {}; }
    EffectOutput* openEffects() override { return nullptr; }
    void setVolumes(const MixVolumes&) override {}
    void startMusic() override {}
    void loadAward() override {}
};

}  // namespace darts::audio
