// The replay's frames worked out from a recorded turn, and one of them drawn: slow motion along
// the recorded places, the darts of the turn in their order, nothing of the state changed.
#include <gtest/gtest.h>

#include <memory>

#include "core/state_checksum.h"
#include "render/replay_scene.h"
#include "replay/replay_reel.h"
#include "support/recording_device.h"

namespace darts {
namespace {

RecordedFlight straightFlight(int steps, float x, float yaw) {
    RecordedFlight flight;
    for (int i = 0; i <= steps; ++i) {
        flight.path.push_back({{x, 2.0f, static_cast<float>(i)}, yaw});
    }
    return flight;
}

TEST(ReplayReel, EachDartFliesSlowedDownAfterThoseBeforeIt) {
    std::array<RecordedFlight, 3> turn = {straightFlight(10, 0.1f, 0.0f),
                                          straightFlight(8, 0.2f, 0.05f), RecordedFlight{}};
    const ReplayReel reel(turn);
    const int first = kReplayLeadIn;
    const int second = first + 10 * kReplaySlowdown + kReplayPause;
    EXPECT_EQ(reel.frames(), second + 8 * kReplaySlowdown + kReplayPause);

    // Before and at the start: the first dart alone, where its flight begins.
    ReplayReel::Frame f = reel.frame(0);
    ASSERT_EQ(f.darts.size(), 1u);
    EXPECT_EQ(f.darts[0].body.z, 0.0f);
    EXPECT_TRUE(f.darts[0].inPlay);

    // Half-way between two recorded steps: the place half-way between them.
    f = reel.frame(first + 3 * kReplaySlowdown + kReplaySlowdown / 2);
    ASSERT_EQ(f.darts.size(), 1u);
    EXPECT_FLOAT_EQ(f.darts[0].body.z, 3.5f);

    // Landed: it stays where it stopped through the pause.
    f = reel.frame(second - 1);
    EXPECT_EQ(f.darts[0].body.z, 10.0f);

    // The second flies with its own aim, the first standing in the board as a finished dart.
    f = reel.frame(second + kReplaySlowdown);
    ASSERT_EQ(f.darts.size(), 2u);
    EXPECT_FALSE(f.darts[0].inPlay);
    EXPECT_EQ(f.darts[0].body.x, 0.1f);
    EXPECT_EQ(f.darts[0].body.z, 10.0f);
    EXPECT_TRUE(f.darts[1].inPlay);
    EXPECT_EQ(f.darts[1].body.z, 1.0f);
    EXPECT_EQ(f.darts[1].aimYaw, 0.05f);

    EXPECT_EQ(ReplayReel(std::array<RecordedFlight, 3>{}).frames(), 0);
}

TEST(ReplayScene, DrawsTheRecordedDartsAndTheCaptionAndChangesNothing) {
    auto state = std::make_unique<GameState>();
    state->dartModel.mesh = 3;
    state->dartModel.materials.resize(1);
    state->language = Language::English;
    const uint64_t before = stateChecksum(*state);

    testing::RecordingDevice device;
    const render::ReplayDart darts[2] = {{{0.1f, 2.0f, 13.98f, 0, 0, 0}, 0.0f, false},
                                         {{0.0f, 2.1f, 9.0f, 0, 0, 0}, 0.0f, true}};
    render::renderReplayFrame(*state, device,
                              {{1.6f, 2.5f, 12.4f}, {0.0f, 2.0f, 14.0f}, darts, 0, 7});

    EXPECT_EQ(device.count(3), 2);
    EXPECT_EQ(device.ended, 1);
    ASSERT_EQ(device.texts.size(), 1u);
    EXPECT_EQ(device.texts[0].text, "REPLAY");
    EXPECT_EQ(device.texts[0].font, 7u);
    EXPECT_EQ(stateChecksum(*state), before);
    EXPECT_EQ(state->framesDrawn, 0u);
}

}  // namespace
}  // namespace darts
