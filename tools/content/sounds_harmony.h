// Chord symbols, note names and the voicings the band plays them with.
#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace darts::content {

enum class ChordQuality {
    Major7,          // maj7
    Major6,          // 6
    Dominant7,       // 7
    Dominant7Flat9,  // 7b9
    Dominant7Sus4,   // 7sus4
    Minor7,          // m7
    Minor6,          // m6
    HalfDiminished,  // m7b5
};

struct Chord {
    int root = 0;  // pitch class, C = 0
    ChordQuality quality = ChordQuality::Major7;
    bool operator==(const Chord&) const = default;
};

// "Bbmaj7", "Em7b5", "A7b9", "C7sus4", "F6", "Bbm6"; throws std::invalid_argument otherwise.
Chord parseChord(std::string_view symbol);

// "C4" = 60, "Bb4" = 70, "F#5" = 78; throws std::invalid_argument otherwise.
int parseNoteName(std::string_view name);

// The four notes a pianist's left hand plays without the root (the bass has it), as semitones
// above the root, lowest first in root position.
std::span<const int> rootlessVoicing(ChordQuality quality);

// The chord's 3rd and 7th (or 6th), the notes that say what the chord is.
std::span<const int> guideTones(ChordQuality quality);

// Three notes for sustained strings: 3rd, 7th (or 6th) and a colour tone, without the 5th.
std::span<const int> padVoicing(ChordQuality quality);

// The 5th of the chord in semitones (diminished for the half-diminished chord).
int fifthOf(ChordQuality quality);

// The pitch of pitchClass nearest to reference that lies within [low, high] (of two equally
// near, the one nearer the middle of the range); the range must span at least an octave.
int nearestPitch(int pitchClass, int reference, int low, int high);

// Places the intervals above chord.root as a close voicing inside [low, high], choosing the
// inversion and octave that moves least from previous while staying near the middle of the range
// (with no previous voicing: the one nearest the middle). Returns the pitches from low to high.
std::vector<int> voiceLead(const Chord& chord, std::span<const int> intervals,
                           const std::vector<int>& previous, int low, int high);

}  // namespace darts::content
