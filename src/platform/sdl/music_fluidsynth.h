// The background music: a General MIDI synthesiser (FluidSynth) playing one standard MIDI file
// over and over, rendered on the audio thread into the mixer. Timing follows the samples
// rendered, so the tune runs at the device's pace and needs no thread of its own.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/sdl/sdl_audio.h"

namespace darts::platform {

// The soundfonts tried in order: $DARTS_SOUNDFONT alone if set, else Debian's General MIDI fonts.
std::vector<std::string> soundFontCandidates();

class FluidSynthMusic final : public StreamSource {
  public:
    // Loads the soundfont and the MIDI file (a host path). Null, with one line in error, when
    // either is missing or unreadable.
    static std::unique_ptr<FluidSynthMusic> load(const std::string& midiPath,
                                                 const std::vector<std::string>& soundFonts,
                                                 std::string& error);
    ~FluidSynthMusic() override;
    FluidSynthMusic(const FluidSynthMusic&) = delete;
    FluidSynthMusic& operator=(const FluidSynthMusic&) = delete;

    // Starts the tune from its beginning, repeating without end.
    void start();
    // True while the player runs; after start() it never stops by itself.
    bool playing() const;
    void render(int16_t* out, int frames) override;

  private:
    struct Engine;
    explicit FluidSynthMusic(std::unique_ptr<Engine> engine);
    std::unique_ptr<Engine> engine_;
};

}  // namespace darts::platform
