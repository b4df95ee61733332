// The parts of the band, each written from the lead sheet into its own track and channel.
#pragma once

#include <cstdint>
#include <vector>

#include "sounds_lead_sheet.h"
#include "sounds_smf.h"

namespace darts::content {

// A fixed-seed generator for the small velocity differences that keep a part from sounding
// like a machine; every run of the generator gives the same tune.
class Humaniser {
  public:
    explicit Humaniser(uint32_t seed) : state_(seed) {}
    // value moved by up to spread either way, kept inside the MIDI velocity range 1..127.
    uint8_t velocity(int value, int spread);

  private:
    uint32_t state_;
};

// Electric piano: rootless voicings in comping rhythms that follow each section's feel.
void arrangePiano(const LeadSheet& sheet, SmfTrack& track, uint8_t channel);

// Acoustic bass: roots and fifths in half notes, or a walking line of chord tones that steps
// into every new root; the last bar walks into the first, so the loop has no seam.
void arrangeBass(const LeadSheet& sheet, SmfTrack& track, uint8_t channel);

// Strings: a soft three-note pad, one chord at a time, in the sections that ask for it.
void arrangeStrings(const LeadSheet& sheet, SmfTrack& track, uint8_t channel);

// A melody of the lead sheet, phrased with short gaps between the notes.
void arrangeMelody(const std::vector<MelodyNote>& melody, int baseVelocity, uint32_t seed,
                   SmfTrack& track, uint8_t channel);

// Long guide tones (3rds and 7ths, moving as little as possible) in the sections that ask for
// them.
void arrangeGuideTones(const LeadSheet& sheet, SmfTrack& track, uint8_t channel);

}  // namespace darts::content
