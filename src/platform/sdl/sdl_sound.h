// The game's sound on SDL: the sound device with its mixer, FluidSynth playing the bar's music, the
// board hit (also rumbling the controllers, and logged when DARTS_BOARD_HIT_LOG asks for it) and
// the award fanfare. A machine without a sound device plays silently.
#pragma once

#include "audio/sound_system.h"

namespace darts::platform {

// The one sound system of the process, made on first use and never destroyed: the audio thread
// keeps running through exit, so nothing it reads may be destroyed under it. Start-up running
// more than once in a process opens the device and loads the music only the first time.
audio::SoundSystem& sdlSound();

}  // namespace darts::platform
