// The replay through whole matches: the match frames go on exactly as without it (the same state
// checksum after every one), the replays come where they should, and a click, Escape or the
// replay key does what the player expects.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "core/state_checksum.h"
#include "games/bar_match.h"
#include "loops/autoplay.h"
#include "match/awards.h"
#include "match/flight.h"
#include "replay/replay_layer.h"

namespace darts {
namespace {

constexpr uint64_t kFrameLimit = 2'000'000;

// Counts every frame presented, match frames and replay frames alike.
class CountingDevice final : public render::HeadlessDevice {
  public:
    void endFrame() override { ++presented; }
    uint64_t presented = 0;
};

// Input the tests script: the mouse records and keys it hands out are set between reads.
class ScriptedInput final : public platform::InputSource {
  public:
    bool escapeDown() override { return std::exchange(escape, false); }
    int readMouse(platform::MouseRecord* out, int capacity) override {
        int count = 0;
        for (; count < capacity && count < static_cast<int>(mouse.size()); ++count) {
            out[count] = mouse[count];
        }
        mouse.clear();
        return count;
    }
    bool screenKeyDown(platform::ScreenKey key) override {
        return key == platform::ScreenKey::Replay && replayKey;
    }
    bool escape = false;
    bool replayKey = false;
    std::vector<platform::MouseRecord> mouse;
};

struct Played {
    std::vector<uint64_t> checksums;  // after every match frame
    uint64_t presented = 0;
    AutoMatchResult result{};
};

std::unique_ptr<GameState> seeded(uint32_t seed) {
    auto state = std::make_unique<GameState>();
    seedRandom(*state, seed);
    return state;
}

Played play301(uint32_t seed, ReplayLayer* layer, platform::InputSource* input = nullptr) {
    auto state = seeded(seed);
    CountingDevice device;
    Played played;
    AutoMatchExtras extras;
    if (layer != nullptr) extras.layers.push_back(layer);
    extras.afterFrame = [&](const GameState& s) { played.checksums.push_back(stateChecksum(s)); };
    extras.input = input;
    played.result = playAutoMatch(*state, device, kFrameLimit, {}, extras);
    played.presented = device.presented;
    return played;
}

Played playMedley(uint32_t seed, ReplayLayer* layer, int& legs) {
    auto state = seeded(seed);
    CountingDevice device;
    games::MatchSetup setup;
    setup.game = games::MatchGame::Medley;
    setup.legs = 3;
    games::Seat seat;
    seat.spread = games::levelSpread(12);
    games::BarMatch match(setup, {seat, seat});
    Played played;
    AutoMatchExtras extras;
    if (layer != nullptr) extras.layers.push_back(layer);
    extras.afterFrame = [&](const GameState& s) { played.checksums.push_back(stateChecksum(s)); };
    played.result = playAutoBarMatch(*state, device, match, kFrameLimit, extras);
    played.presented = device.presented;
    legs = 0;
    for (int wins : match.match().legWins()) legs += wins;
    return played;
}

TEST(Replay, The301PlaysTheSameMatchFramesAndReplaysTheWinningDart) {
    for (uint32_t seed : {1u, 7u}) {
        const Played plain = play301(seed, nullptr);
        ReplayLayer layer;
        const Played replayed = play301(seed, &layer);
        ASSERT_TRUE(replayed.result.finished);
        EXPECT_EQ(replayed.checksums, plain.checksums) << seed;
        EXPECT_GE(layer.replaysPlayed(), 1) << seed;
        EXPECT_GT(layer.framesPlayed(), 100u);
        // The match frames are the game's; the replay's are presented besides them.
        EXPECT_EQ(plain.presented, plain.checksums.size());
        EXPECT_EQ(replayed.presented, replayed.checksums.size() + layer.framesPlayed());
    }
}

TEST(Replay, TheWinningTurnIsRecordedWhereItsDartsStopped) {
    auto state = seeded(7);
    render::HeadlessDevice device;
    ReplayLayer layer;
    AutoMatchExtras extras;
    extras.layers.push_back(&layer);
    ASSERT_TRUE(playAutoMatch(*state, device, kFrameLimit, {}, extras).finished);
    const FinishedDart& last = state->lastFinishedDart;
    ASSERT_TRUE(last.win);
    const auto& darts = layer.recording().darts();
    for (int i = 0; i <= last.dart; ++i) {
        const std::vector<FlightFrame>& path = darts[i].path;
        ASSERT_GT(path.size(), 10u) << i;
        // From the hand (near the thrower) into the board, where the state holds it still.
        EXPECT_LT(path.front().at.z, 3.0f);
        EXPECT_EQ(path.back().at.x, state->darts[i].x) << i;
        EXPECT_EQ(path.back().at.y, state->darts[i].y) << i;
        EXPECT_EQ(path.back().at.z, kStuckDartZ) << i;
    }
    for (int i = last.dart + 1; i < 3; ++i) EXPECT_TRUE(darts[i].path.empty()) << i;
}

TEST(Replay, ABarGamePlaysTheSameMatchFramesAndReplaysEveryLegWon) {
    int legs = 0;
    const Played plain = playMedley(5, nullptr, legs);
    ReplayLayer layer;
    const Played replayed = playMedley(5, &layer, legs);
    ASSERT_TRUE(replayed.result.finished);
    EXPECT_EQ(replayed.checksums, plain.checksums);
    ASSERT_GE(legs, 2);
    EXPECT_GE(layer.replaysPlayed(), legs);
    EXPECT_EQ(replayed.presented, replayed.checksums.size() + layer.framesPlayed());
}

TEST(Replay, EveryTon80IsReplayedWhenItsTurnEnds) {
    auto state = seeded(2);
    render::HeadlessDevice device;
    games::MatchSetup setup;
    setup.game = games::MatchGame::CountUp;
    setup.sides = 1;
    games::Seat seat;
    seat.spread = games::levelSpread(18);
    games::BarMatch match(setup, {seat});
    ReplayLayer layer;
    // The darts that end a TON 80's turn or the leg, told apart by their number.
    uint32_t expected = 0;
    bool awardOnShow = false;
    int ton80s = 0;
    AutoMatchExtras extras;
    extras.layers.push_back(&layer);
    uint32_t dartsSeen = state->dartsFinished;
    extras.afterFrame = [&](const GameState& s) {
        if (s.dartsFinished != dartsSeen) {
            dartsSeen = s.dartsFinished;
            expected += awardOnShow || s.rules == nullptr;
            awardOnShow = false;
        }
        if (s.hitTimer == 1 && awardOnDisplay(s) == Award::Ton80) {
            awardOnShow = true;
            ++ton80s;
        }
    };
    ASSERT_TRUE(playAutoBarMatch(*state, device, match, kFrameLimit, extras).finished);
    EXPECT_GE(ton80s, 1);
    EXPECT_EQ(static_cast<uint32_t>(layer.replaysPlayed()), expected);
}

TEST(Replay, AClickOrEscapeCutsItShortAndTheMatchGoesOn) {
    const Played plain = play301(7, nullptr);
    constexpr int kPressAt = 10, kReleaseAt = 14;
    for (const char* how : {"click", "escape"}) {
        ScriptedInput input;
        ReplayLayer layer;
        int lastFrame = -1;
        layer.setFrameWatcher([&](int frame, int) {
            lastFrame = frame;
            if (std::string_view(how) == "escape") {
                input.escape = frame == kReleaseAt;
                return;
            }
            // A release of a press made before the replay is no click.
            if (frame == 2) input.mouse = {{platform::MouseObject::Button0, 0}};
            if (frame == kPressAt) {
                input.mouse = {{platform::MouseObject::Button0, platform::kButtonPressed}};
            }
            if (frame == kReleaseAt) input.mouse = {{platform::MouseObject::Button0, 0}};
        });
        const Played replayed = play301(7, &layer, &input);
        ASSERT_TRUE(replayed.result.finished) << how;
        EXPECT_EQ(replayed.checksums, plain.checksums) << how;
        EXPECT_EQ(layer.replaysPlayed(), 1) << how;
        EXPECT_EQ(lastFrame, kReleaseAt) << how;
        EXPECT_EQ(layer.framesPlayed(), kReleaseAt + 1u) << how;
    }
}

TEST(Replay, TheReplayKeyReplaysOncePerPressAtALandingDisplay) {
    ScriptedInput input;
    input.replayKey = true;  // held down the whole match
    ReplayLayer layer;
    const Played plain = play301(1, nullptr);
    const Played replayed = play301(1, &layer, &input);
    ASSERT_TRUE(replayed.result.finished);
    EXPECT_EQ(replayed.checksums, plain.checksums);
    // Each landing display sees the key go down once; the winning dart brings its own.
    EXPECT_EQ(static_cast<uint32_t>(layer.replaysPlayed()), replayed.result.darts + 1);
}

}  // namespace
}  // namespace darts
