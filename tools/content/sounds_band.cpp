#include "sounds_band.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace darts::content {

uint8_t Humaniser::velocity(int value, int spread) {
    state_ = state_ * 1664525u + 1013904223u;  // a 32-bit LCG is plenty for this
    const int offset =
        spread == 0 ? 0 : static_cast<int>((state_ >> 16) % (2u * spread + 1u)) - spread;
    return static_cast<uint8_t>(std::clamp(value + offset, 1, 127));
}

namespace {

// One piano stab: where it starts in the bar and how long it rings, in eighths.
struct Stab {
    int position;
    int length;
};

using Rhythm = std::vector<Stab>;

// Stabs in bars of two chords keep to their own half (positions 0-3 and 4-7).
const std::array<Rhythm, 4> kSwingingOneChord = {{
    {{0, 3}, {3, 4}},          // on one, then the "and" of two pushed across beat three
    {{0, 2}, {3, 1}, {6, 2}},  // a Charleston with a short answer on four
    {{1, 2}, {4, 3}},          // late on the "and" of one, then three
    {{2, 1}, {5, 3}},          // two, then the "and" of three
}};
const std::array<Rhythm, 4> kSwingingTwoChords = {{
    {{0, 3}, {4, 3}},
    {{1, 2}, {4, 2}, {7, 1}},
    {{0, 2}, {3, 1}, {5, 3}},
    {{1, 2}, {5, 3}},
}};
const std::array<Rhythm, 2> kSparseOneChord = {{{{0, 4}}, {{1, 4}}}};
const Rhythm kSparseTwoChords = {{0, 3}, {4, 3}};
const Rhythm kSustainedOneChord = {{0, 8}};
const Rhythm kSustainedTwoChords = {{0, 4}, {4, 4}};

const Rhythm& pianoRhythm(CompFeel feel, size_t barIndex, size_t chordCount) {
    const bool two = chordCount == 2;
    switch (feel) {
        case CompFeel::Sustained:
            return two ? kSustainedTwoChords : kSustainedOneChord;
        case CompFeel::Sparse:
            return two ? kSparseTwoChords : kSparseOneChord[barIndex % kSparseOneChord.size()];
        case CompFeel::Swinging:
            break;
    }
    // Steps of 3 through four patterns: no two neighbouring bars comp alike.
    const size_t pick = (barIndex * 3 + 1) % 4;
    return two ? kSwingingTwoChords[pick] : kSwingingOneChord[pick];
}

// The end of a note that lasts `eighths` from `startEighth`, leaving a gap before what follows.
uint32_t noteLength(int startEighth, int eighths, uint32_t gap) {
    const uint32_t span = eighthToTick(startEighth + eighths) - eighthToTick(startEighth);
    return span > gap ? span - gap : span / 2;
}

constexpr int kPianoLow = 52;   // E3
constexpr int kPianoHigh = 74;  // D5, mostly below the melody
constexpr int kBassLow = 28;    // E1
constexpr int kBassHigh = 53;   // F3
constexpr int kStringsLow = 60;
constexpr int kStringsHigh = 79;
constexpr int kGuideLow = 57;
constexpr int kGuideHigh = 70;

}  // namespace

void arrangePiano(const LeadSheet& sheet, SmfTrack& track, uint8_t channel) {
    Humaniser humaniser(0x00E1EC7Bu);
    std::vector<int> voicing;
    const Chord* voiced = nullptr;
    for (size_t barIndex = 0; barIndex < sheet.bars.size(); ++barIndex) {
        const LeadBar& bar = sheet.bars[barIndex];
        const CompFeel feel = sheet.feelOf(bar).comp;
        const int barEighth = static_cast<int>(barIndex) * kEighthsPerBar;
        for (const Stab& stab : pianoRhythm(feel, barIndex, bar.chords.size())) {
            const Chord& chord = bar.chords[bar.chords.size() == 2 && stab.position >= 4 ? 1 : 0];
            if (voiced == nullptr || !(*voiced == chord)) {
                voicing = voiceLead(chord, rootlessVoicing(chord.quality), voicing, kPianoLow,
                                    kPianoHigh);
            }
            voiced = &chord;
            const int start = barEighth + stab.position;
            // Short stabs are played crisp; off-beat stabs a little harder, as a pianist does.
            const uint32_t gap = stab.length == 1 ? 140 : 30;
            const int base = feel == CompFeel::Sustained ? 54 : (stab.position % 2 == 1 ? 66 : 60);
            for (int pitch : voicing) {
                track.note(eighthToTick(start), noteLength(start, stab.length, gap), channel,
                           static_cast<uint8_t>(pitch), humaniser.velocity(base, 4));
            }
        }
    }
}

namespace {

// The note the bass plays on the last beat of a chord to lead into the next root: a half step
// below or above it, or the note a fifth above it (its own dominant, even before a chord whose
// fifth is flattened), taken in turn so the line does not repeat itself.
int approachNote(const Chord& next, int current, size_t spanIndex) {
    const int target = nearestPitch(next.root, current, kBassLow + 1, kBassHigh - 1);
    switch (spanIndex % 3) {
        case 0:
            return target - 1;
        case 1:
            return target + 1;
        default: {
            const int dominant = nearestPitch((next.root + 7) % 12, target, kBassLow, kBassHigh);
            // A walking line does not stand still: when the fifth is the note just played, slide in
            // from below instead.
            return dominant == current ? target - 1 : dominant;
        }
    }
}

}  // namespace

void arrangeBass(const LeadSheet& sheet, SmfTrack& track, uint8_t channel) {
    Humaniser humaniser(0x0BA55u);
    const std::vector<ChordSpan> spans = chordSpans(sheet);
    int previous = 41;  // F2
    for (size_t i = 0; i < spans.size(); ++i) {
        const ChordSpan& span = spans[i];
        // The chord after the last is the first: the line walks back into the top of the tune.
        const Chord& next = spans[(i + 1) % spans.size()].chord;
        const int root = span.chord.root;
        const int third = (root + guideTones(span.chord.quality)[0]) % 12;
        const int fifth = (root + fifthOf(span.chord.quality)) % 12;
        const BassFeel feel = sheet.feelOf(sheet.bars[span.bar]).bass;

        std::vector<int> line;  // one pitch per beat, or per two beats in the two-beat feel
        const int rootPitch = nearestPitch(root, previous, kBassLow, kBassHigh);
        if (feel == BassFeel::TwoBeat) {
            line.push_back(rootPitch);
            if (span.beats == 4)
                line.push_back(nearestPitch(fifth, rootPitch - 5, kBassLow, kBassHigh));
        } else {
            line.push_back(rootPitch);
            if (span.beats == 4) {
                // Three shapes for the middle of the bar, so that the line does not arpeggiate
                // the same way twice running: up the chord, up the scale, or down from the 7th.
                const int seventh = (root + guideTones(span.chord.quality)[1]) % 12;
                switch ((i / 2 + span.bar) % 3) {
                    case 0:
                        line.push_back(nearestPitch(third, rootPitch + 3, kBassLow, kBassHigh));
                        line.push_back(nearestPitch(fifth, line.back() + 3, kBassLow, kBassHigh));
                        break;
                    case 1:
                        line.push_back(
                            nearestPitch((root + 2) % 12, rootPitch + 2, kBassLow, kBassHigh));
                        line.push_back(nearestPitch(third, line.back() + 1, kBassLow, kBassHigh));
                        break;
                    default:
                        line.push_back(nearestPitch(seventh, rootPitch - 2, kBassLow, kBassHigh));
                        line.push_back(nearestPitch(fifth, line.back() - 3, kBassLow, kBassHigh));
                        break;
                }
            }
            line.push_back(approachNote(next, line.back(), i));
        }

        const int beatsPerNote = span.beats / static_cast<int>(line.size());
        for (size_t n = 0; n < line.size(); ++n) {
            const int beat = span.startBeat + static_cast<int>(n) * beatsPerNote;
            const uint32_t length = static_cast<uint32_t>(beatsPerNote) * kTicksPerQuarter - 40;
            const int accent = beat % 2 == 0 ? 90 : 84;
            track.note(static_cast<uint32_t>(beat) * kTicksPerQuarter, length, channel,
                       static_cast<uint8_t>(line[n]), humaniser.velocity(accent, 4));
        }
        previous = line.back();
    }
}

void arrangeStrings(const LeadSheet& sheet, SmfTrack& track, uint8_t channel) {
    Humaniser humaniser(0x5781u);
    std::vector<int> voicing;
    for (const ChordSpan& span : chordSpans(sheet)) {
        if (!sheet.feelOf(sheet.bars[span.bar]).strings) continue;
        voicing = voiceLead(span.chord, padVoicing(span.chord.quality), voicing, kStringsLow,
                            kStringsHigh);
        const uint32_t start = static_cast<uint32_t>(span.startBeat) * kTicksPerQuarter;
        const uint32_t length = static_cast<uint32_t>(span.beats) * kTicksPerQuarter - 20;
        for (int pitch : voicing) {
            track.note(start, length, channel, static_cast<uint8_t>(pitch),
                       humaniser.velocity(50, 3));
        }
    }
}

void arrangeMelody(const std::vector<MelodyNote>& melody, int baseVelocity, uint32_t seed,
                   SmfTrack& track, uint8_t channel) {
    Humaniser humaniser(seed);
    for (const MelodyNote& note : melody) {
        const int position = note.startEighth % kEighthsPerBar;
        // Downbeats lean in; a long note pushed onto an off-beat is the swing's own accent.
        int accent = baseVelocity;
        if (position == 0 || position == 4) accent += 6;
        if (position % 2 == 1 && note.lengthEighths >= 2) accent += 4;
        const uint32_t gap = note.lengthEighths == 1 ? 50 : 70;
        track.note(eighthToTick(note.startEighth),
                   noteLength(note.startEighth, note.lengthEighths, gap), channel,
                   static_cast<uint8_t>(note.pitch), humaniser.velocity(accent, 5));
    }
}

void arrangeGuideTones(const LeadSheet& sheet, SmfTrack& track, uint8_t channel) {
    Humaniser humaniser(0x6A1DEu);
    int previous = 64;
    for (const ChordSpan& span : chordSpans(sheet)) {
        if (!sheet.feelOf(sheet.bars[span.bar]).saxGuideTones) continue;
        // Of the 3rd and the 7th, the one nearer the last note: the line barely moves.
        int best = -1;
        for (int interval : guideTones(span.chord.quality)) {
            const int pitch =
                nearestPitch((span.chord.root + interval) % 12, previous, kGuideLow, kGuideHigh);
            if (best < 0 || std::abs(pitch - previous) < std::abs(best - previous)) best = pitch;
        }
        previous = best;
        const uint32_t start = static_cast<uint32_t>(span.startBeat) * kTicksPerQuarter;
        const uint32_t length = static_cast<uint32_t>(span.beats) * kTicksPerQuarter - 60;
        track.note(start, length, channel, static_cast<uint8_t>(best), humaniser.velocity(58, 3));
    }
}

}  // namespace darts::content
