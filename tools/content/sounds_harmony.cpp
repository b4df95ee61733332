#include "sounds_harmony.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <string>

namespace darts::content {

namespace {

struct QualityInfo {
    std::string_view suffix;
    ChordQuality quality;
    std::array<int, 4> voicing;
    std::array<int, 2> guides;
    std::array<int, 3> pad;
    int fifth;
};

// Rootless voicings with the colour a lounge pianist reaches for: 9ths on the major and minor
// chords, 13th and 9th on the plain dominant, a flat 9 on the dominant that leads to a minor
// chord. The pad is three notes without the 5th, open enough for sustained strings.
constexpr QualityInfo kQualities[] = {
    {"maj7", ChordQuality::Major7, {4, 7, 11, 14}, {4, 11}, {4, 11, 14}, 7},
    {"m7b5", ChordQuality::HalfDiminished, {3, 6, 10, 12}, {3, 10}, {3, 6, 10}, 6},
    {"7sus4", ChordQuality::Dominant7Sus4, {5, 7, 10, 14}, {5, 10}, {5, 10, 14}, 7},
    {"7b9", ChordQuality::Dominant7Flat9, {4, 7, 10, 13}, {4, 10}, {4, 10, 13}, 7},
    {"m7", ChordQuality::Minor7, {3, 7, 10, 14}, {3, 10}, {3, 10, 14}, 7},
    {"m6", ChordQuality::Minor6, {3, 7, 9, 14}, {3, 9}, {3, 9, 14}, 7},
    {"7", ChordQuality::Dominant7, {4, 9, 10, 14}, {4, 10}, {4, 10, 14}, 7},
    {"6", ChordQuality::Major6, {4, 7, 9, 14}, {4, 9}, {4, 9, 14}, 7},
};

const QualityInfo& infoOf(ChordQuality quality) {
    for (const QualityInfo& info : kQualities) {
        if (info.quality == quality) return info;
    }
    throw std::logic_error("unknown chord quality");
}

// Reads a letter and an optional sharp or flat from the front of text: semitones above the C of
// the letter's octave, so Cb is -1 and B# is 12.
int takeLetterAndAccidental(std::string_view& text) {
    static constexpr int kNatural[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (text.empty() || text[0] < 'A' || text[0] > 'G') {
        throw std::invalid_argument("expected a note letter in '" + std::string(text) + "'");
    }
    int semitones = kNatural[text[0] - 'A'];
    text.remove_prefix(1);
    if (!text.empty() && (text[0] == 'b' || text[0] == '#')) {
        semitones += text[0] == 'b' ? -1 : 1;
        text.remove_prefix(1);
    }
    return semitones;
}

}  // namespace

Chord parseChord(std::string_view symbol) {
    std::string_view rest = symbol;
    const int root = (takeLetterAndAccidental(rest) + 12) % 12;
    for (const QualityInfo& info : kQualities) {
        if (rest == info.suffix) return {root, info.quality};
    }
    throw std::invalid_argument("unknown chord symbol '" + std::string(symbol) + "'");
}

int parseNoteName(std::string_view name) {
    std::string_view rest = name;
    const int semitones = takeLetterAndAccidental(rest);
    if (rest.size() != 1 || rest[0] < '0' || rest[0] > '9') {
        throw std::invalid_argument("expected an octave digit in '" + std::string(name) + "'");
    }
    // C4 is middle C, MIDI note 60.
    return (rest[0] - '0' + 1) * 12 + semitones;
}

std::span<const int> rootlessVoicing(ChordQuality quality) { return infoOf(quality).voicing; }

std::span<const int> guideTones(ChordQuality quality) { return infoOf(quality).guides; }

std::span<const int> padVoicing(ChordQuality quality) { return infoOf(quality).pad; }

int fifthOf(ChordQuality quality) { return infoOf(quality).fifth; }

int nearestPitch(int pitchClass, int reference, int low, int high) {
    const int centre = (low + high) / 2;
    int best = -1;
    for (int pitch = low; pitch <= high; ++pitch) {
        if (((pitch % 12) + 12) % 12 != pitchClass) continue;
        const int distance = std::abs(pitch - reference);
        const int bestDistance = std::abs(best - reference);
        // Of two pitches a tritone either side, the one nearer the middle of the range: a line
        // that always took the lower would sink to the bottom.
        if (best < 0 || distance < bestDistance ||
            (distance == bestDistance && std::abs(pitch - centre) < std::abs(best - centre))) {
            best = pitch;
        }
    }
    if (best < 0) throw std::invalid_argument("no such pitch in range");
    return best;
}

std::vector<int> voiceLead(const Chord& chord, std::span<const int> intervals,
                           const std::vector<int>& previous, int low, int high) {
    const int centre = (low + high) / 2;
    std::vector<int> best;
    long bestCost = std::numeric_limits<long>::max();
    // Every inversion of the close voicing in every octave that fits the range.
    for (size_t inversion = 0; inversion < intervals.size(); ++inversion) {
        std::vector<int> shape;
        for (size_t i = 0; i < intervals.size(); ++i) {
            const size_t k = (inversion + i) % intervals.size();
            shape.push_back(intervals[k] + (k < inversion ? 12 : 0));
        }
        for (int base = chord.root - 24; base <= high; base += 12) {
            std::vector<int> pitches;
            for (int step : shape) pitches.push_back(base + step);
            std::sort(pitches.begin(), pitches.end());
            if (pitches.front() < low || pitches.back() > high) continue;
            // Least movement from the last chord, with a gentle pull towards the middle of the
            // range so that a long progression does not drift to one end of it.
            long cost = std::abs((pitches.front() + pitches.back()) / 2 - centre);
            if (previous.size() == pitches.size()) {
                cost /= 2;
                for (size_t i = 0; i < pitches.size(); ++i)
                    cost += std::abs(pitches[i] - previous[i]);
            }
            if (cost < bestCost) {
                bestCost = cost;
                best = pitches;
            }
        }
    }
    if (best.empty()) throw std::invalid_argument("voicing does not fit the range");
    return best;
}

}  // namespace darts::content
