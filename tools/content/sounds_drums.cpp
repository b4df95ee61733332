#include "sounds_drums.h"

#include <array>
#include <vector>

#include "sounds_band.h"

namespace darts::content {

namespace {

// General MIDI percussion keys.
constexpr uint8_t kBassDrum = 36;
constexpr uint8_t kSideStick = 37;
constexpr uint8_t kSnare = 38;
constexpr uint8_t kClosedHiHat = 42;
constexpr uint8_t kPedalHiHat = 44;
constexpr uint8_t kLowTom = 45;
constexpr uint8_t kCrash = 49;
constexpr uint8_t kRide = 51;

constexpr uint32_t kHitLength = 60;
constexpr uint32_t kCrashLength = 480;

// The jazz cymbal rhythm, "ding, ding-a ding, ding-a", with two and four leaning in: positions
// in swung eighths and velocities.
struct CymbalStroke {
    int position;
    int velocity;
};
constexpr std::array<CymbalStroke, 6> kSwingCymbal = {{
    {0, 76},
    {2, 88},
    {3, 62},
    {4, 76},
    {6, 88},
    {7, 62},
}};

// Soft snare taps between the ride strokes, one pattern per bar in turn (positions).
const std::array<std::vector<int>, 4> kGhostNotes = {{{7}, {3, 5}, {}, {5}}};

// A triplet on beat four: snare, snare, low tom, rising into the next section.
constexpr uint32_t kTripletTicks = kTicksPerQuarter / 3;

class DrumBar {
  public:
    DrumBar(SmfTrack& track, uint8_t channel, Humaniser& humaniser, uint32_t barTick)
        : track_(track), channel_(channel), humaniser_(humaniser), barTick_(barTick) {}

    void hit(int eighth, uint8_t key, int velocity, uint32_t length = kHitLength) {
        hitAtTick(eighthToTick(eighth), key, velocity, length);
    }
    void hitAtTick(uint32_t tickInBar, uint8_t key, int velocity, uint32_t length = kHitLength) {
        track_.note(barTick_ + tickInBar, length, channel_, key, humaniser_.velocity(velocity, 4));
    }

  private:
    SmfTrack& track_;
    uint8_t channel_;
    Humaniser& humaniser_;
    uint32_t barTick_;
};

}  // namespace

void arrangeDrums(const LeadSheet& sheet, SmfTrack& track, uint8_t channel) {
    Humaniser humaniser(0xD2u);
    for (size_t barIndex = 0; barIndex < sheet.bars.size(); ++barIndex) {
        const LeadBar& bar = sheet.bars[barIndex];
        const SectionFeel& feel = sheet.feelOf(bar);
        DrumBar drums(track, channel, humaniser, static_cast<uint32_t>(barIndex) * kTicksPerBar);
        // Every section ends with a fill on beat four; it replaces the cymbal there.
        const bool fill = bar.lastOfSection;
        const bool crash = bar.firstOfSection && feel.crash;

        const uint8_t cymbal = feel.drums == DrumFeel::HiHat ? kClosedHiHat : kRide;
        const int cymbalLevel = feel.drums == DrumFeel::HiHat ? -10 : 0;
        for (const CymbalStroke& stroke : kSwingCymbal) {
            if (fill && stroke.position >= 6) continue;
            if (crash && stroke.position == 0) continue;
            drums.hit(stroke.position, cymbal, stroke.velocity + cymbalLevel);
        }
        if (crash) drums.hit(0, kCrash, 80, kCrashLength);

        if (feel.drums == DrumFeel::HiHat) {
            drums.hit(0, kBassDrum, 52);
            drums.hit(5, kBassDrum, 38);
        } else {
            drums.hit(2, kPedalHiHat, 64);
            drums.hit(6, kPedalHiHat, 64);
            // Feathered: felt more than heard, four to the bar.
            for (int beat = 0; beat < 4; ++beat) drums.hit(beat * 2, kBassDrum, 40);
        }

        if (feel.drums == DrumFeel::RideBrushes) {
            for (int position : kGhostNotes[barIndex % kGhostNotes.size()]) {
                if (fill && position >= 6) continue;
                drums.hit(position, kSnare, 44);
            }
        } else if (!fill) {
            drums.hit(6, kSideStick, 64);
        }

        if (fill) {
            const uint32_t beatFour = 3 * kTicksPerQuarter;
            drums.hitAtTick(beatFour, kSnare, 58);
            drums.hitAtTick(beatFour + kTripletTicks, kSnare, 66);
            drums.hitAtTick(beatFour + 2 * kTripletTicks, kLowTom, 76);
        }
    }
}

}  // namespace darts::content
