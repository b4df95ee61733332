#include "sounds_smf.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace darts::content {

void appendVariableLength(std::vector<uint8_t>& out, uint32_t value) {
    if (value > 0x0FFFFFFF) throw std::out_of_range("MIDI delta time too large");
    uint8_t groups[4];
    int count = 0;
    do {
        groups[count++] = static_cast<uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1) out.push_back(static_cast<uint8_t>(groups[--count] | 0x80));
    out.push_back(groups[0]);
}

namespace {

void put32BigEndian(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void put16BigEndian(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

void putId(std::vector<uint8_t>& out, std::string_view id) {
    for (char c : id) out.push_back(static_cast<uint8_t>(c));
}

uint8_t checkedChannel(uint8_t channel) {
    if (channel > 15) throw std::invalid_argument("MIDI channel out of range");
    return channel;
}

uint8_t checkedData(uint8_t value) {
    if (value > 127) throw std::invalid_argument("MIDI data byte out of range");
    return value;
}

std::vector<uint8_t> textBytes(std::string_view text) { return {text.begin(), text.end()}; }

}  // namespace

void SmfTrack::add(uint32_t tick, Order order, std::vector<uint8_t> bytes) {
    events_.push_back({tick, order, events_.size(), std::move(bytes)});
}

void SmfTrack::meta(uint32_t tick, uint8_t type, std::vector<uint8_t> data) {
    std::vector<uint8_t> bytes{0xFF, type};
    appendVariableLength(bytes, static_cast<uint32_t>(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    add(tick, Order::Meta, std::move(bytes));
}

void SmfTrack::trackName(std::string_view name) { meta(0, 0x03, textBytes(name)); }

void SmfTrack::marker(uint32_t tick, std::string_view text) { meta(tick, 0x06, textBytes(text)); }

void SmfTrack::tempo(uint32_t tick, uint32_t microsecondsPerQuarter) {
    if (microsecondsPerQuarter == 0 || microsecondsPerQuarter > 0xFFFFFF) {
        throw std::invalid_argument("tempo out of range");
    }
    meta(tick, 0x51,
         {static_cast<uint8_t>(microsecondsPerQuarter >> 16),
          static_cast<uint8_t>(microsecondsPerQuarter >> 8),
          static_cast<uint8_t>(microsecondsPerQuarter)});
}

void SmfTrack::timeSignature(uint32_t tick, uint8_t numerator, uint8_t denominatorPowerOfTwo) {
    // 24 MIDI clocks per metronome click and 8 thirty-seconds per quarter: the usual values.
    meta(tick, 0x58, {numerator, denominatorPowerOfTwo, 24, 8});
}

void SmfTrack::keySignature(uint32_t tick, int8_t sharps, bool minor) {
    meta(tick, 0x59, {static_cast<uint8_t>(sharps), static_cast<uint8_t>(minor ? 1 : 0)});
}

void SmfTrack::programChange(uint32_t tick, uint8_t channel, uint8_t program) {
    add(tick, Order::Setting,
        {static_cast<uint8_t>(0xC0 | checkedChannel(channel)), checkedData(program)});
}

void SmfTrack::controlChange(uint32_t tick, uint8_t channel, uint8_t controller, uint8_t value) {
    add(tick, Order::Setting,
        {static_cast<uint8_t>(0xB0 | checkedChannel(channel)), checkedData(controller),
         checkedData(value)});
}

void SmfTrack::note(uint32_t start, uint32_t length, uint8_t channel, uint8_t pitch,
                    uint8_t velocity) {
    if (length == 0) throw std::invalid_argument("a note needs a length");
    // Velocity 0 would be read as a note-off.
    if (velocity == 0) throw std::invalid_argument("a note needs a velocity");
    const uint8_t ch = checkedChannel(channel);
    add(start, Order::NoteOn,
        {static_cast<uint8_t>(0x90 | ch), checkedData(pitch), checkedData(velocity)});
    add(start + length, Order::NoteOff, {static_cast<uint8_t>(0x80 | ch), pitch, 64});
}

uint32_t SmfTrack::lastTick() const {
    uint32_t last = 0;
    for (const Event& e : events_) last = std::max(last, e.tick);
    return last;
}

std::vector<uint8_t> SmfTrack::encode(uint32_t endTick) const {
    if (lastTick() > endTick) throw std::logic_error("an event lies past the end of its track");
    std::vector<const Event*> sorted;
    sorted.reserve(events_.size());
    for (const Event& e : events_) sorted.push_back(&e);
    std::sort(sorted.begin(), sorted.end(), [](const Event* a, const Event* b) {
        if (a->tick != b->tick) return a->tick < b->tick;
        if (a->order != b->order) return a->order < b->order;
        return a->sequence < b->sequence;
    });

    std::vector<uint8_t> body;
    uint32_t now = 0;
    uint8_t runningStatus = 0;
    for (const Event* e : sorted) {
        appendVariableLength(body, e->tick - now);
        now = e->tick;
        const uint8_t status = e->bytes.front();
        const bool channelMessage = status < 0xF0;
        // A channel message with the same status as the one before may leave the status out.
        const size_t skip = channelMessage && status == runningStatus ? 1 : 0;
        runningStatus = channelMessage ? status : 0;
        body.insert(body.end(), e->bytes.begin() + static_cast<std::ptrdiff_t>(skip),
                    e->bytes.end());
    }
    appendVariableLength(body, endTick - now);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});

    std::vector<uint8_t> chunk;
    putId(chunk, "MTrk");
    put32BigEndian(chunk, static_cast<uint32_t>(body.size()));
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

std::vector<uint8_t> encodeSmf(uint16_t ticksPerQuarter, const std::vector<SmfTrack>& tracks,
                               uint32_t endTick) {
    if (tracks.empty() || tracks.size() > 0xFFFF) throw std::invalid_argument("track count");
    if (ticksPerQuarter == 0 || ticksPerQuarter > 0x7FFF) {
        throw std::invalid_argument("ticks per quarter out of range");
    }
    std::vector<uint8_t> out;
    putId(out, "MThd");
    put32BigEndian(out, 6);
    put16BigEndian(out, 1);
    put16BigEndian(out, static_cast<uint16_t>(tracks.size()));
    put16BigEndian(out, ticksPerQuarter);
    for (const SmfTrack& track : tracks) {
        const std::vector<uint8_t> chunk = track.encode(endTick);
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    return out;
}

}  // namespace darts::content
