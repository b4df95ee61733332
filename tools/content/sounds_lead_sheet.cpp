#include "sounds_lead_sheet.h"

#include <sstream>
#include <stdexcept>

namespace darts::content {

namespace {

// The chart and the melodies as a musician would jot them down. A chart is bars separated by
// '|', each holding one chord or two of two beats. A melody is "note/length" tokens in order,
// lengths in eighths, "r" for a rest; a section's melody fills it exactly.
struct SectionText {
    std::string name;
    std::string chart;
    std::string vibes;
    std::string sax;
    SectionFeel feel;
};

std::vector<SectionText> sectionTexts() {
    const std::string chartA =
        "Fmaj7 | Em7b5 A7b9 | Dm7 | Cm7 F7 | Bbmaj7 | Bbm6 | Am7 D7 | Gm7 C7";
    // The head: a long 7th over the tonic, a sigh down through the half-diminished turn, and a
    // phrase that climbs to the minor-six colour of the sixth bar before the turnaround.
    const std::string headOpening =
        "E5/5 D5/1 C5/1 A4/1  Bb4/1 D5/1 G5/2 F5/1 E5/1 C#5/2  D5/4 r/1 A4/1 C5/1 D5/1 "
        "Eb5/2 D5/1 C5/1 A4/3 C5/1 ";
    const std::string minorSix = "r/2 Db5/1 F5/1 G5/2 F5/2 ";
    // The pickup that leads every entry of the vibes into the head's first note.
    const std::string vibesPickup = "r/4 G4/1 A4/1 C5/1 D5/1";
    const std::string restBar = "r/8 ";

    return {
        {"Intro",
         "Fmaj7 | Fmaj7 | Gm7 | C7sus4 C7",
         restBar + restBar + restBar + vibesPickup,
         "",
         {BassFeel::TwoBeat, CompFeel::Sustained, DrumFeel::HiHat, true, false, false}},
        {"A1",
         chartA,
         headOpening + "D5/3 C5/1 A4/4 " + minorSix +
             "E5/2 C5/1 A4/1 F#5/2 D5/1 C5/1  Bb4/2 D5/1 F5/1 E5/2 D5/1 Eb5/1",
         "",
         {BassFeel::TwoBeat, CompFeel::Sparse, DrumFeel::RideSideStick, false, false, true}},
        {"A2",
         "Fmaj7 | Em7b5 A7b9 | Dm7 | Cm7 F7 | Bbmaj7 | Bbm6 | Gm7 C7 | F6",
         headOpening + "D5/2 F5/1 A5/1 G5/3 F5/1 " + minorSix +
             "Bb4/1 D5/1 F5/1 A5/1 G5/2 E5/1 Bb4/1  A4/6 r/2",
         "",
         {BassFeel::Walking, CompFeel::Swinging, DrumFeel::RideBrushes, false, false, false}},
        // The bridge goes to the sax: up to B-flat, then the long way home through D minor.
        {"B",
         "Cm7 | F7 | Bbmaj7 | Bbmaj7 | Em7b5 | A7b9 | Dm7 G7 | Gm7 C7",
         restBar + restBar + restBar + restBar + restBar + restBar + restBar + vibesPickup,
         "r/1 G4/1 Bb4/1 C5/1 Eb5/3 D5/1  C5/3 A4/1 Eb5/2 C5/2  D5/6 C5/1 Bb4/1 "
         "A4/4 r/2 F4/1 G4/1  Bb4/3 G4/1 D5/2 Bb4/2  C#5/3 E5/1 G5/2 F5/1 E5/1 "
         "F5/2 D5/1 A4/1 B4/2 D5/1 E5/1  F5/2 D5/1 Bb4/1 E4/3 r/1",
         {BassFeel::Walking, CompFeel::Swinging, DrumFeel::RideBrushes, true, false, true}},
        // The last A ends open on the dominant, so the intro's tonic follows as the loop comes
        // round.
        {"A3",
         chartA,
         headOpening + "D5/3 C5/1 A4/4 " + minorSix +
             "E5/2 C5/1 A4/1 F#5/2 D5/1 C5/1  Bb4/2 D5/1 F5/1 E5/3 r/1",
         "",
         {BassFeel::Walking, CompFeel::Swinging, DrumFeel::RideBrushes, false, true, false}},
    };
}

std::vector<std::vector<Chord>> parseChart(const std::string& chart) {
    std::vector<std::vector<Chord>> bars;
    std::stringstream cells(chart);
    std::string cell;
    while (std::getline(cells, cell, '|')) {
        std::stringstream symbols(cell);
        std::vector<Chord> chords;
        std::string symbol;
        while (symbols >> symbol) chords.push_back(parseChord(symbol));
        if (chords.empty() || chords.size() > 2) {
            throw std::invalid_argument("a bar holds one or two chords: '" + cell + "'");
        }
        bars.push_back(std::move(chords));
    }
    return bars;
}

// Appends the melody's notes from firstEighth on and checks that it fills exactly `eighths`.
void parseMelody(const std::string& text, int firstEighth, int eighths,
                 std::vector<MelodyNote>& notes) {
    std::stringstream tokens(text);
    std::string token;
    int at = firstEighth;
    while (tokens >> token) {
        const size_t slash = token.find('/');
        if (slash == std::string::npos)
            throw std::invalid_argument("note without length: " + token);
        const std::string name = token.substr(0, slash);
        const int length = std::stoi(token.substr(slash + 1));
        if (length <= 0) throw std::invalid_argument("bad note length: " + token);
        if (name != "r") notes.push_back({at, length, parseNoteName(name)});
        at += length;
    }
    if (!text.empty() && at - firstEighth != eighths) {
        throw std::invalid_argument("a melody must fill its section exactly");
    }
}

}  // namespace

LeadSheet barTune() {
    LeadSheet sheet;
    sheet.beatsPerMinute = 92;
    for (const SectionText& text : sectionTexts()) {
        const size_t index = sheet.sections.size();
        const int firstBar = static_cast<int>(sheet.bars.size());
        sheet.sections.push_back({text.name, firstBar, text.feel});
        const std::vector<std::vector<Chord>> chart = parseChart(text.chart);
        for (size_t i = 0; i < chart.size(); ++i) {
            sheet.bars.push_back({chart[i], index, i == 0, i + 1 == chart.size()});
        }
        const int eighths = static_cast<int>(chart.size()) * kEighthsPerBar;
        parseMelody(text.vibes, firstBar * kEighthsPerBar, eighths, sheet.vibes);
        parseMelody(text.sax, firstBar * kEighthsPerBar, eighths, sheet.sax);
    }
    return sheet;
}

std::vector<ChordSpan> chordSpans(const LeadSheet& sheet) {
    std::vector<ChordSpan> spans;
    for (size_t bar = 0; bar < sheet.bars.size(); ++bar) {
        const std::vector<Chord>& chords = sheet.bars[bar].chords;
        const int beats = kBeatsPerBar / static_cast<int>(chords.size());
        for (size_t i = 0; i < chords.size(); ++i) {
            const int start = static_cast<int>(bar) * kBeatsPerBar + static_cast<int>(i) * beats;
            spans.push_back({chords[i], start, beats, bar});
        }
    }
    return spans;
}

uint32_t eighthToTick(int eighth) {
    const auto e = static_cast<uint32_t>(eighth);
    return e / 2 * kTicksPerQuarter + (e % 2) * kSwungEighthTicks;
}

}  // namespace darts::content
