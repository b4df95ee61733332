// The shipped sound content: the board-hit effect read through the game's own WAV reader, the
// bar tune read by a small Standard MIDI File reader of the test's own, and both compared with
// what the generator makes today.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "audio/wave_file.h"
#include "sounds_bar_tune.h"
#include "sounds_board_hit.h"
#include "sounds_harmony.h"
#include "sounds_smf.h"

namespace darts::content {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// ---------------------------------------------------------------------------------------------
// The board-hit effect

struct LoadedWave {
    audio::WaveFormat format;
    std::vector<int16_t> samples;  // the first channel
};

std::optional<LoadedWave> loadBoardHit() {
    audio::WaveFile wave;
    if (audio::openWave(wave, "sound\\BOARDHIT.WAV") != 1) return std::nullopt;
    Bytes data(wave.dataChunk.size);
    uint32_t bytesRead = 0;
    LoadedWave loaded;
    const int ok = audio::readWaveData(wave, static_cast<uint32_t>(data.size()), data.data(),
                                       bytesRead, &loaded.format);
    audio::closeWave(wave);
    if (ok != 1 || bytesRead != data.size() || loaded.format.bitsPerSample != 16) {
        return std::nullopt;
    }
    const size_t frame = loaded.format.blockAlign;
    for (size_t at = 0; frame != 0 && at + 1 < data.size(); at += frame) {
        loaded.samples.push_back(static_cast<int16_t>(data[at] | data[at + 1] << 8));
    }
    return loaded;
}

class BoardHitSound : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::optional<LoadedWave> loaded = loadBoardHit();
        ASSERT_TRUE(loaded.has_value()) << "sound/BOARDHIT.WAV must load as 16-bit PCM";
        wave_ = *loaded;
        ASSERT_FALSE(wave_.samples.empty());
    }
    double seconds() const {
        return static_cast<double>(wave_.samples.size()) / wave_.format.samplesPerSec;
    }
    LoadedWave wave_;
};

TEST_F(BoardHitSound, IsPlainPcmTheMixerCanConvert) {
    EXPECT_EQ(wave_.format.formatTag, audio::kFormatPcm);
    EXPECT_EQ(wave_.format.bitsPerSample, 16);
    EXPECT_TRUE(wave_.format.channels == 1 || wave_.format.channels == 2);
    EXPECT_GE(wave_.format.samplesPerSec, 22050u);
    EXPECT_LE(wave_.format.samplesPerSec, 48000u);
    EXPECT_EQ(wave_.format.blockAlign, wave_.format.channels * 2);
    EXPECT_EQ(wave_.format.avgBytesPerSec, wave_.format.samplesPerSec * wave_.format.blockAlign);
}

TEST_F(BoardHitSound, IsAShortThudThatIsOverBeforeTheNextDart) {
    EXPECT_GE(seconds(), 0.15);
    EXPECT_LE(seconds(), 0.40);
    // A thud, not a ring: nearly all of its energy comes in the first tenth of a second.
    const size_t tenth = wave_.format.samplesPerSec / 10;
    double early = 0.0, total = 0.0;
    for (size_t i = 0; i < wave_.samples.size(); ++i) {
        const double s = wave_.samples[i];
        total += s * s;
        if (i < tenth) early += s * s;
    }
    EXPECT_GT(early / total, 0.9);
}

TEST_F(BoardHitSound, PeaksNearMinus3DecibelsWithoutClipping) {
    int peak = 0;
    size_t atFullScale = 0;
    for (int16_t s : wave_.samples) {
        peak = std::max(peak, std::abs(static_cast<int>(s)));
        if (s == 32767 || s == -32768) ++atFullScale;
    }
    const double peakDbfs = 20.0 * std::log10(peak / 32768.0);
    EXPECT_GT(peakDbfs, -4.5);
    EXPECT_LT(peakDbfs, -1.5);
    EXPECT_EQ(atFullScale, 0u);
}

TEST_F(BoardHitSound, HasNoDcOffsetAndNoClickAtEitherEnd) {
    double sum = 0.0;
    for (int16_t s : wave_.samples) sum += s;
    EXPECT_LT(std::abs(sum / wave_.samples.size()), 0.002 * 32768.0);

    // Playback starts and stops on the buffer's edges: any level there is heard as a click.
    EXPECT_LE(std::abs(static_cast<int>(wave_.samples.front())), 64);
    const size_t tail = wave_.format.samplesPerSec / 200;  // the last 5 ms
    int tailPeak = 0;
    for (size_t i = wave_.samples.size() - tail; i < wave_.samples.size(); ++i) {
        tailPeak = std::max(tailPeak, std::abs(static_cast<int>(wave_.samples[i])));
    }
    EXPECT_LE(tailPeak, 100);
    EXPECT_LE(std::abs(static_cast<int>(wave_.samples.back())), 8);
}

TEST(BoardHitGenerator, CommittedFileIsWhatTheGeneratorMakes) {
    const Bytes committed = readFile("sound/BOARDHIT.WAV");
    const Bytes generated = boardHitWavFile();
    ASSERT_EQ(committed.size(), generated.size()) << "regenerate with the 'sounds' target";
    // The header must match exactly; a sample may differ by a step or two where another C
    // library rounds its sines and exponentials differently.
    constexpr size_t kHeader = 44;
    ASSERT_TRUE(std::equal(committed.begin(), committed.begin() + kHeader, generated.begin()));
    int largestDifference = 0;
    for (size_t at = kHeader; at + 1 < committed.size(); at += 2) {
        const int a = static_cast<int16_t>(committed[at] | committed[at + 1] << 8);
        const int b = static_cast<int16_t>(generated[at] | generated[at + 1] << 8);
        largestDifference = std::max(largestDifference, std::abs(a - b));
    }
    EXPECT_LE(largestDifference, 2) << "regenerate with the 'sounds' target";
}

// ---------------------------------------------------------------------------------------------
// A small Standard MIDI File reader: strict about structure, so that any malformed byte fails.

struct MidiEvent {
    uint32_t tick = 0;
    uint8_t status = 0;  // with running status resolved; 0xFF for meta events
    uint8_t data1 = 0;
    uint8_t data2 = 0;
    uint8_t metaType = 0;
    Bytes metaData;
};

struct MidiTrack {
    std::vector<MidiEvent> events;  // the end-of-track event is the last one
};

struct MidiFile {
    uint16_t format = 0;
    uint16_t division = 0;
    std::vector<MidiTrack> tracks;
};

class MidiReader {
  public:
    explicit MidiReader(const Bytes& bytes) : bytes_(bytes), end_(bytes.size()) {}

    MidiFile read() {
        MidiFile file;
        expectId("MThd");
        if (be32() != 6) fail("header length is not 6");
        file.format = be16();
        const uint16_t trackCount = be16();
        file.division = be16();
        if (file.format > 1) fail("only formats 0 and 1 are expected");
        if (file.division == 0 || (file.division & 0x8000) != 0) fail("division not in ticks");
        if (file.format == 0 && trackCount != 1) fail("format 0 holds one track");
        for (uint16_t t = 0; t < trackCount; ++t) file.tracks.push_back(readTrack());
        if (at_ != bytes_.size()) fail("bytes after the last track");
        return file;
    }

  private:
    [[noreturn]] void fail(const std::string& why) const {
        throw std::runtime_error(why + " at byte " + std::to_string(at_));
    }
    uint8_t byte() {
        if (at_ >= end_) fail("unexpected end of data");
        return bytes_[at_++];
    }
    uint16_t be16() { return static_cast<uint16_t>(byte() << 8 | byte()); }
    uint32_t be32() { return static_cast<uint32_t>(be16()) << 16 | be16(); }
    uint8_t dataByte() {
        const uint8_t b = byte();
        if (b & 0x80) fail("data byte with the top bit set");
        return b;
    }
    uint32_t variableLength() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const uint8_t b = byte();
            value = value << 7 | (b & 0x7F);
            if ((b & 0x80) == 0) return value;
        }
        fail("variable-length quantity longer than four bytes");
    }
    void expectId(const char* id) {
        for (int i = 0; i < 4; ++i) {
            if (byte() != static_cast<uint8_t>(id[i])) fail(std::string("expected ") + id);
        }
    }

    MidiTrack readTrack() {
        end_ = bytes_.size();
        expectId("MTrk");
        const uint32_t length = be32();
        if (length > bytes_.size() - at_) fail("track runs past the end of the file");
        end_ = at_ + length;
        MidiTrack track;
        uint32_t tick = 0;
        uint8_t running = 0;
        bool ended = false;
        while (at_ < end_) {
            if (ended) fail("events after the end of the track");
            tick += variableLength();
            MidiEvent event;
            event.tick = tick;
            uint8_t first = byte();
            if (first == 0xFF) {
                event.status = 0xFF;
                event.metaType = byte();
                if (event.metaType & 0x80) fail("bad meta type");
                const uint32_t size = variableLength();
                for (uint32_t i = 0; i < size; ++i) event.metaData.push_back(byte());
                ended = event.metaType == 0x2F;
                if (ended && size != 0) fail("end of track with data");
                running = 0;
            } else if (first == 0xF0 || first == 0xF7) {
                event.status = first;
                const uint32_t size = variableLength();
                for (uint32_t i = 0; i < size; ++i) byte();
                running = 0;
            } else {
                if (first & 0x80) {
                    if (first > 0xEF) fail("system message inside a track");
                    running = first;
                } else {
                    if (running == 0) fail("running status with no status before it");
                    --at_;  // the byte was data
                }
                event.status = running;
                event.data1 = dataByte();
                const uint8_t kind = running & 0xF0;
                if (kind != 0xC0 && kind != 0xD0) event.data2 = dataByte();
            }
            track.events.push_back(std::move(event));
        }
        if (!ended) fail("track without end-of-track event");
        end_ = bytes_.size();
        return track;
    }

    const Bytes& bytes_;
    size_t at_ = 0;
    size_t end_ = 0;
};

bool isNoteOn(const MidiEvent& e) { return (e.status & 0xF0) == 0x90 && e.data2 > 0; }
bool isNoteOff(const MidiEvent& e) {
    return (e.status & 0xF0) == 0x80 || ((e.status & 0xF0) == 0x90 && e.data2 == 0);
}
int channelOf(const MidiEvent& e) { return e.status & 0x0F; }

class BarTune : public ::testing::Test {
  protected:
    void SetUp() override {
        const Bytes bytes = readFile("sound/FM_14.MID");
        ASSERT_FALSE(bytes.empty()) << "sound/FM_14.MID is missing";
        try {
            file_ = MidiReader(bytes).read();
        } catch (const std::runtime_error& e) {
            FAIL() << "sound/FM_14.MID is not a valid MIDI file: " << e.what();
        }
    }

    uint32_t endTick() const {
        uint32_t end = 0;
        for (const MidiTrack& t : file_.tracks) end = std::max(end, t.events.back().tick);
        return end;
    }

    // The length of the whole tune in seconds, from every tempo change in the file.
    double seconds() const {
        std::map<uint32_t, uint32_t> tempoAt{{0, 500000}};  // 120 bpm until told otherwise
        for (const MidiTrack& t : file_.tracks) {
            for (const MidiEvent& e : t.events) {
                if (e.status == 0xFF && e.metaType == 0x51 && e.metaData.size() == 3) {
                    tempoAt[e.tick] = static_cast<uint32_t>(e.metaData[0] << 16 |
                                                            e.metaData[1] << 8 | e.metaData[2]);
                }
            }
        }
        double total = 0.0;
        for (auto it = tempoAt.begin(); it != tempoAt.end(); ++it) {
            const auto next = std::next(it);
            const uint32_t until = next == tempoAt.end() ? endTick() : next->first;
            total += static_cast<double>(until - it->first) * it->second / file_.division / 1e6;
        }
        return total;
    }

    uint32_t ticksPerBar() const {
        for (const MidiTrack& t : file_.tracks) {
            for (const MidiEvent& e : t.events) {
                if (e.status == 0xFF && e.metaType == 0x58 && e.metaData.size() == 4) {
                    return file_.division * 4u * e.metaData[0] >> e.metaData[1];
                }
            }
        }
        return file_.division * 4u;  // 4/4 when no time signature is given
    }

    std::set<int> channelsWithNotes() const {
        std::set<int> channels;
        for (const MidiTrack& t : file_.tracks) {
            for (const MidiEvent& e : t.events) {
                if (isNoteOn(e)) channels.insert(channelOf(e));
            }
        }
        return channels;
    }

    MidiFile file_;
};

TEST_F(BarTune, IsAStandardMidiFileWithATempo) {
    EXPECT_TRUE(file_.format == 0 || file_.format == 1);
    ASSERT_FALSE(file_.tracks.empty());
    bool tempo = false;
    for (const MidiEvent& e : file_.tracks.front().events) {
        tempo = tempo || (e.status == 0xFF && e.metaType == 0x51);
    }
    EXPECT_TRUE(tempo) << "the tempo belongs in the first track";
}

TEST_F(BarTune, LastsBetweenOneAndTwoMinutes) {
    EXPECT_GE(seconds(), 60.0);
    EXPECT_LE(seconds(), 120.0);
}

// Looping the file must neither leave a note hanging nor cut one short, and every track must
// end together on a bar line, so that the repeat comes in on the beat.
TEST_F(BarTune, LoopsCleanlyOnABarLine) {
    const uint32_t end = endTick();
    EXPECT_EQ(end % ticksPerBar(), 0u) << "the tune ends off the bar line";
    EXPECT_GE(end / ticksPerBar(), 16u);
    for (size_t t = 0; t < file_.tracks.size(); ++t) {
        const std::vector<MidiEvent>& events = file_.tracks[t].events;
        EXPECT_EQ(events.back().tick, end) << "track " << t << " ends early";

        std::map<std::pair<int, int>, uint32_t> sounding;  // (channel, key) -> start
        for (const MidiEvent& e : events) {
            const std::pair<int, int> key{channelOf(e), e.data1};
            if (isNoteOn(e)) {
                EXPECT_FALSE(sounding.count(key))
                    << "track " << t << " restarts key " << key.second << " at tick " << e.tick
                    << " while it still sounds";
                sounding[key] = e.tick;
            } else if (isNoteOff(e)) {
                EXPECT_TRUE(sounding.erase(key))
                    << "track " << t << " releases key " << key.second << " at tick " << e.tick
                    << " that is not sounding";
            }
        }
        for (const auto& [key, start] : sounding) {
            ADD_FAILURE() << "track " << t << " leaves key " << key.second << " from tick " << start
                          << " hanging";
        }
    }
}

TEST_F(BarTune, MusicPlaysFromTheFirstBarToTheLast) {
    // No silent bar at either end: a gap there would be heard at every repeat.
    const uint32_t bar = ticksPerBar();
    const uint32_t end = endTick();
    bool inFirstBar = false, inLastBar = false;
    for (const MidiTrack& t : file_.tracks) {
        for (const MidiEvent& e : t.events) {
            if (!isNoteOn(e)) continue;
            inFirstBar = inFirstBar || e.tick < bar;
            inLastBar = inLastBar || e.tick >= end - bar;
        }
    }
    EXPECT_TRUE(inFirstBar);
    EXPECT_TRUE(inLastBar);
}

TEST_F(BarTune, IsABandWithDrums) {
    const std::set<int> channels = channelsWithNotes();
    EXPECT_GE(channels.size(), 4u);
    EXPECT_TRUE(channels.count(9)) << "no drums on the percussion channel";
    for (const MidiTrack& t : file_.tracks) {
        for (const MidiEvent& e : t.events) {
            // Keys outside the General MIDI percussion map are silent on most synthesisers.
            if (isNoteOn(e) && channelOf(e) == 9) {
                EXPECT_GE(e.data1, 35);
                EXPECT_LE(e.data1, 81);
            }
        }
    }
}

// Every channel chooses its instrument, volume and pan before its first note, at tick 0: the
// player resends them at every repeat, and nothing is left to the synthesiser's defaults.
TEST_F(BarTune, EveryChannelIsSetUpAtTheStart) {
    for (int channel : channelsWithNotes()) {
        bool program = false, volume = false, pan = false, noteBeforeSetUp = false;
        for (const MidiTrack& t : file_.tracks) {
            for (const MidiEvent& e : t.events) {
                if (e.status == 0xFF || e.status >= 0xF0 || channelOf(e) != channel) continue;
                const uint8_t kind = e.status & 0xF0;
                if (e.tick == 0 && kind == 0xC0) program = true;
                if (e.tick == 0 && kind == 0xB0 && e.data1 == 7) volume = true;
                if (e.tick == 0 && kind == 0xB0 && e.data1 == 10) pan = true;
                if (isNoteOn(e) && !(program && volume && pan)) noteBeforeSetUp = true;
            }
        }
        EXPECT_TRUE(program) << "channel " << channel + 1 << " has no program at the start";
        EXPECT_TRUE(volume) << "channel " << channel + 1 << " has no volume at the start";
        EXPECT_TRUE(pan) << "channel " << channel + 1 << " has no pan at the start";
        EXPECT_FALSE(noteBeforeSetUp) << "channel " << channel + 1 << " plays before set-up";
    }
}

TEST(BarTuneGenerator, CommittedFileIsWhatTheGeneratorMakes) {
    EXPECT_EQ(readFile("sound/FM_14.MID"), barTuneMidiFile())
        << "regenerate with the 'sounds' target";
}

// ---------------------------------------------------------------------------------------------
// The pieces of the generator whose mistakes would not show in a valid-looking file.

TEST(SmfWriter, WritesVariableLengthQuantitiesAtEveryByteBoundary) {
    const std::vector<std::pair<uint32_t, Bytes>> cases = {
        {0, {0x00}},
        {0x7F, {0x7F}},
        {0x80, {0x81, 0x00}},
        {0x2000, {0xC0, 0x00}},
        {0x3FFF, {0xFF, 0x7F}},
        {0x4000, {0x81, 0x80, 0x00}},
        {0x1FFFFF, {0xFF, 0xFF, 0x7F}},
        {0x200000, {0x81, 0x80, 0x80, 0x00}},
        {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}},
    };
    for (const auto& [value, expected] : cases) {
        Bytes out;
        appendVariableLength(out, value);
        EXPECT_EQ(out, expected) << "value " << value;
    }
    Bytes out;
    EXPECT_THROW(appendVariableLength(out, 0x10000000), std::out_of_range);
}

TEST(SmfWriter, ARepeatedNoteIsReleasedBeforeItStrikesAgain) {
    SmfTrack track;
    track.note(0, 480, 0, 60, 100);
    track.note(480, 480, 0, 60, 90);  // the same key, starting where the first one ends
    const Bytes bytes = encodeSmf(480, {track}, 960);
    const MidiFile file = MidiReader(bytes).read();
    const std::vector<MidiEvent>& events = file.tracks.at(0).events;
    ASSERT_EQ(events.size(), 5u);
    EXPECT_TRUE(isNoteOff(events[1]));
    EXPECT_EQ(events[1].tick, 480u);
    EXPECT_TRUE(isNoteOn(events[2]));
    EXPECT_EQ(events[2].data2, 90);
}

TEST(SmfWriter, RunningStatusSurvivesMetaEventsBetweenNotes) {
    SmfTrack track;
    track.note(0, 10, 2, 60, 100);
    track.note(0, 10, 2, 64, 100);  // same status: may be left out
    track.marker(5, "x");           // meta: the next status must be written again
    track.note(5, 5, 2, 67, 100);
    const MidiFile file = MidiReader(encodeSmf(96, {track}, 10)).read();
    int notesOnChannel3 = 0;
    for (const MidiEvent& e : file.tracks.at(0).events) {
        if (isNoteOn(e) && channelOf(e) == 2) ++notesOnChannel3;
    }
    EXPECT_EQ(notesOnChannel3, 3);
}

TEST(SmfWriter, RefusesANoteThatOutlastsItsTrack) {
    SmfTrack track;
    track.note(900, 200, 0, 60, 100);
    EXPECT_THROW(encodeSmf(480, {track}, 960), std::logic_error);
    EXPECT_THROW(track.note(0, 10, 16, 60, 100), std::invalid_argument);
    EXPECT_THROW(track.note(0, 10, 0, 60, 0), std::invalid_argument);
}

TEST(Harmony, ReadsNoteNamesAcrossOctaveBoundaries) {
    EXPECT_EQ(parseNoteName("C4"), 60);
    EXPECT_EQ(parseNoteName("Bb4"), 70);
    EXPECT_EQ(parseNoteName("F#5"), 78);
    EXPECT_EQ(parseNoteName("Cb4"), 59);
    EXPECT_EQ(parseNoteName("B#3"), 60);
    EXPECT_THROW(parseNoteName("H4"), std::invalid_argument);
    EXPECT_THROW(parseNoteName("C"), std::invalid_argument);
}

TEST(Harmony, TellsHalfDiminishedFromMinorSeventh) {
    EXPECT_EQ(parseChord("Em7b5"), (Chord{4, ChordQuality::HalfDiminished}));
    EXPECT_EQ(parseChord("Em7"), (Chord{4, ChordQuality::Minor7}));
    EXPECT_EQ(parseChord("Bbm6"), (Chord{10, ChordQuality::Minor6}));
    EXPECT_EQ(parseChord("A7b9"), (Chord{9, ChordQuality::Dominant7Flat9}));
    EXPECT_THROW(parseChord("Fmaj"), std::invalid_argument);
}

TEST(Harmony, VoicingsStayInRangeAndMoveLittle) {
    const Chord dm7 = parseChord("Dm7");
    const Chord g7 = parseChord("G7");
    const std::vector<int> first = voiceLead(dm7, rootlessVoicing(dm7.quality), {}, 52, 74);
    const std::vector<int> second = voiceLead(g7, rootlessVoicing(g7.quality), first, 52, 74);
    for (const std::vector<int>* voicing : {&first, &second}) {
        ASSERT_EQ(voicing->size(), 4u);
        for (int pitch : *voicing) {
            EXPECT_GE(pitch, 52);
            EXPECT_LE(pitch, 74);
        }
    }
    // D minor 7 to G 7 is the textbook move: two voices stay, two step down by a semitone or
    // tone, nothing jumps.
    int movement = 0;
    for (size_t i = 0; i < 4; ++i) movement += std::abs(second[i] - first[i]);
    EXPECT_LE(movement, 4);
}

}  // namespace
}  // namespace darts::content
