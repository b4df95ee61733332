// The bar tune as a lead sheet: its sections, the chords of every bar, the melodies, and how the
// band plays each section. The arrangement turns it into MIDI parts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sounds_harmony.h"

namespace darts::content {

constexpr uint16_t kTicksPerQuarter = 480;
constexpr uint32_t kTicksPerBar = 4 * kTicksPerQuarter;
constexpr int kEighthsPerBar = 8;
constexpr int kBeatsPerBar = 4;
// A relaxed swing: the second eighth of each beat falls on the last triplet.
constexpr uint32_t kSwungEighthTicks = kTicksPerQuarter * 2 / 3;

enum class BassFeel { TwoBeat, Walking };
enum class CompFeel { Sustained, Sparse, Swinging };
enum class DrumFeel { HiHat, RideSideStick, RideBrushes };

struct SectionFeel {
    BassFeel bass;
    CompFeel comp;
    DrumFeel drums;
    bool strings;        // a string pad under the section
    bool saxGuideTones;  // the sax holds the 3rds and 7ths under the melody
    bool crash;          // a cymbal crash marks the section's first beat
};

// One chord over a whole bar, or two of two beats each.
struct LeadBar {
    std::vector<Chord> chords;
    size_t section;
    bool firstOfSection;
    bool lastOfSection;
};

struct MelodyNote {
    int startEighth;  // counted from the start of the tune
    int lengthEighths;
    int pitch;
};

struct Section {
    std::string name;
    int firstBar;
    SectionFeel feel;
};

struct LeadSheet {
    int beatsPerMinute;
    std::vector<Section> sections;
    std::vector<LeadBar> bars;
    std::vector<MelodyNote> vibes;
    std::vector<MelodyNote> sax;

    uint32_t endTick() const { return static_cast<uint32_t>(bars.size()) * kTicksPerBar; }
    const SectionFeel& feelOf(const LeadBar& bar) const { return sections[bar.section].feel; }
};

// One chord of the chart and the beats it lasts: the unit the bass and the pads play by.
struct ChordSpan {
    Chord chord;
    int startBeat;
    int beats;
    size_t bar;
};

// The tune that loops in the darts bar: 92 bpm, F major, intro and AABA.
LeadSheet barTune();

// Every chord of the chart in order.
std::vector<ChordSpan> chordSpans(const LeadSheet& sheet);

// The tick at which the given eighth of the tune starts, with the swing applied.
uint32_t eighthToTick(int eighth);

}  // namespace darts::content
