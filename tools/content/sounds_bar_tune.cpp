#include "sounds_bar_tune.h"

#include <cmath>
#include <string>

#include "sounds_band.h"
#include "sounds_drums.h"
#include "sounds_lead_sheet.h"
#include "sounds_smf.h"

namespace darts::content {

namespace {

// The mixer strip of one General MIDI channel, set at the top of its track. The player sends
// these again whenever the loop restarts, so every pass sounds the same.
struct ChannelSetup {
    const char* trackName;
    uint8_t channel;
    uint8_t program;  // General MIDI program, counted from 0
    uint8_t volume;
    uint8_t pan;  // 64 is the centre
    uint8_t reverb;
    uint8_t chorus;
};

constexpr ChannelSetup kPiano = {"Electric piano", 0, 4, 92, 50, 45, 40};
constexpr ChannelSetup kBass = {"Acoustic bass", 1, 32, 100, 64, 25, 0};
constexpr ChannelSetup kVibes = {"Vibraphone", 2, 11, 98, 80, 60, 10};
constexpr ChannelSetup kSax = {"Alto sax", 3, 65, 90, 44, 60, 0};
constexpr ChannelSetup kStrings = {"Strings", 4, 49, 74, 72, 80, 20};
constexpr ChannelSetup kDrums = {"Drums", 9, 0, 120, 64, 40, 0};

SmfTrack channelTrack(const ChannelSetup& setup) {
    SmfTrack track;
    track.trackName(setup.trackName);
    const uint8_t ch = setup.channel;
    track.controlChange(0, ch, 121, 0);  // reset controllers left over from a previous tune
    track.programChange(0, ch, setup.program);
    track.controlChange(0, ch, 7, setup.volume);
    track.controlChange(0, ch, 10, setup.pan);
    track.controlChange(0, ch, 11, 127);  // expression fully open
    track.controlChange(0, ch, 91, setup.reverb);
    track.controlChange(0, ch, 93, setup.chorus);
    return track;
}

SmfTrack tempoTrack(const LeadSheet& sheet) {
    SmfTrack track;
    track.trackName("Darts bar lounge");
    track.timeSignature(0, 4, 2);
    track.keySignature(0, -1, false);  // F major
    const double microseconds = 60'000'000.0 / sheet.beatsPerMinute;
    track.tempo(0, static_cast<uint32_t>(std::lround(microseconds)));
    for (const Section& section : sheet.sections) {
        track.marker(static_cast<uint32_t>(section.firstBar) * kTicksPerBar, section.name);
    }
    return track;
}

}  // namespace

std::vector<uint8_t> barTuneMidiFile() {
    const LeadSheet sheet = barTune();
    std::vector<SmfTrack> tracks;
    tracks.push_back(tempoTrack(sheet));

    SmfTrack piano = channelTrack(kPiano);
    arrangePiano(sheet, piano, kPiano.channel);
    tracks.push_back(std::move(piano));

    SmfTrack bass = channelTrack(kBass);
    arrangeBass(sheet, bass, kBass.channel);
    tracks.push_back(std::move(bass));

    SmfTrack vibes = channelTrack(kVibes);
    arrangeMelody(sheet.vibes, 84, 0x71B5u, vibes, kVibes.channel);
    tracks.push_back(std::move(vibes));

    SmfTrack sax = channelTrack(kSax);
    arrangeMelody(sheet.sax, 80, 0x5A7u, sax, kSax.channel);
    arrangeGuideTones(sheet, sax, kSax.channel);
    tracks.push_back(std::move(sax));

    SmfTrack strings = channelTrack(kStrings);
    arrangeStrings(sheet, strings, kStrings.channel);
    tracks.push_back(std::move(strings));

    SmfTrack drums = channelTrack(kDrums);
    arrangeDrums(sheet, drums, kDrums.channel);
    tracks.push_back(std::move(drums));

    return encodeSmf(kTicksPerQuarter, tracks, sheet.endTick());
}

}  // namespace darts::content
