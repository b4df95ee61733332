// The background music of the darts bar as a Standard MIDI File.
#pragma once

#include <cstdint>
#include <vector>

namespace darts::content {

// The whole file: a tempo track and one track per instrument, every track ending on the last
// bar line so that a player looping the file goes straight back to the first bar.
std::vector<uint8_t> barTuneMidiFile();

}  // namespace darts::content
