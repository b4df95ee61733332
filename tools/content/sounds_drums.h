// The drum part on the General MIDI percussion channel.
#pragma once

#include <cstdint>

#include "sounds_lead_sheet.h"
#include "sounds_smf.h"

namespace darts::content {

// Hi-hat time for the intro, then the ride with the hi-hat pedal on two and four, a feathered
// bass drum, a side stick or soft snare ghost notes, a crash where a section asks for one and a
// short fill into each new section.
void arrangeDrums(const LeadSheet& sheet, SmfTrack& track, uint8_t channel);

}  // namespace darts::content
