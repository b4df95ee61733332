// A small writer of Standard MIDI Files: tracks collect events at absolute ticks, and the file is
// written as format 1 with delta times in variable-length quantities and running status for the
// channel messages.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace darts::content {

// Appends value (at most 0x0FFFFFFF) as a variable-length quantity: seven bits a byte, most
// significant first, every byte but the last with its top bit set.
void appendVariableLength(std::vector<uint8_t>& out, uint32_t value);

class SmfTrack {
  public:
    void trackName(std::string_view name);
    void marker(uint32_t tick, std::string_view text);
    void tempo(uint32_t tick, uint32_t microsecondsPerQuarter);
    void timeSignature(uint32_t tick, uint8_t numerator, uint8_t denominatorPowerOfTwo);
    void keySignature(uint32_t tick, int8_t sharps, bool minor);

    void programChange(uint32_t tick, uint8_t channel, uint8_t program);
    void controlChange(uint32_t tick, uint8_t channel, uint8_t controller, uint8_t value);
    // A note-on at start and its note-off at start + length (length at least 1 tick).
    void note(uint32_t start, uint32_t length, uint8_t channel, uint8_t pitch, uint8_t velocity);

    // The last tick any event uses.
    uint32_t lastTick() const;

    // The "MTrk" chunk, closed by the end-of-track event at endTick, which must not come before
    // any other event.
    std::vector<uint8_t> encode(uint32_t endTick) const;

  private:
    // At one tick: meta events first, then settings, then note-offs before note-ons, so that a
    // note ending where the same note starts again never cuts the new one short.
    enum class Order : uint8_t { Meta, Setting, NoteOff, NoteOn };

    struct Event {
        uint32_t tick;
        Order order;
        size_t sequence;  // keeps events of the same tick and kind in the order they were added
        std::vector<uint8_t> bytes;
    };

    void add(uint32_t tick, Order order, std::vector<uint8_t> bytes);
    void meta(uint32_t tick, uint8_t type, std::vector<uint8_t> data);

    std::vector<Event> events_;
};

// A format 1 file of the given tracks; every track ends at endTick.
std::vector<uint8_t> encodeSmf(uint16_t ticksPerQuarter, const std::vector<SmfTrack>& tracks,
                               uint32_t endTick);

}  // namespace darts::content
