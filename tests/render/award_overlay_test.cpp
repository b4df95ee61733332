#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "match/awards.h"
#include "match/rules.h"
#include "match/scoring.h"
#include "render/award_overlay.h"
#include "render/match_scene.h"
#include "match/match_fixture.h"
#include "support/recording_device.h"

namespace darts::render {
namespace {

using testing::RecordingDevice;

struct Box {
    float left, top, right, bottom;
};
bool overlaps(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// A third dart of three treble 20s sitting in the board, the landing display at `timer`.
std::unique_ptr<GameState> tonEightyOnShow(int timer, uint8_t awardsOn) {
    auto state = testing::preparedMatch();
    PlayerSlot& human = state->players[kHuman];
    for (DartBody& dart : state->darts) {
        dart = {static_cast<float>(kBoardCentreX), static_cast<float>(kBoardCentreY + 0.25),
                13.98f, 0, 0, 0};
    }
    human.dartScores[0] = human.dartScores[1] = human.dartScores[2] = 60;
    human.scoreLeft = kStartingScore - 180;
    human.dartsThrown = 2;
    state->dartState = DartState::Thrown;
    state->hitTimer = timer;
    state->awardsOn = awardsOn;
    for (int i = 1; i < 8; ++i) state->awardTextures[i] = 900 + i;
    return state;
}

// The band never covers the score table, the shot panel or the hit texts, from its first zoomed
// frame to its last faded one, and it is fully there for most of the display.
TEST(AwardOverlay, StaysClearOfTheScorePanelThroughoutItsAnimation) {
    const Box scoreTable = {510, 0, 800, 80};
    const Box shotPanel = {600, 100, 750, 200};
    const Box hitTexts = {100, 90, 500, 220};  // the ring text and the score line
    int opaqueFrames = 0;
    for (int timer = 1; timer <= kLandingDisplayFrames; ++timer) {
        SCOPED_TRACE(timer);
        auto state = tonEightyOnShow(timer, 1);
        RecordingDevice device;
        drawAwardOverlay(*state, device);
        ASSERT_EQ(device.fans.size(), 1u);
        const auto& v = device.fans[0].vertices;
        EXPECT_EQ(device.fans[0].texture, 900u + static_cast<int>(Award::Ton80));
        const Box band = {v[0].x, v[0].y, v[2].x, v[2].y};
        EXPECT_FALSE(overlaps(band, scoreTable));
        EXPECT_FALSE(overlaps(band, shotPanel));
        EXPECT_FALSE(overlaps(band, hitTexts));
        if ((v[0].color >> 24) == 0xFF) ++opaqueFrames;
    }
    EXPECT_GT(opaqueFrames, 120);
    EXPECT_LT(awardPose(1).alpha, 64) << "it zooms in rather than popping up";
    EXPECT_LT(awardPose(kLandingDisplayFrames).alpha, 32) << "it fades before the next dart";
}

// Off, the match frame draws exactly what it always drew; on, it adds the band and nothing else,
// and leaves the state as the frame without it leaves it.
TEST(AwardOverlay, TheOptionOnlyAddsTheBand) {
    auto off = tonEightyOnShow(40, 0);
    auto on = tonEightyOnShow(40, 1);
    RecordingDevice offDevice, onDevice;
    renderMatchFrame(*off, offDevice);
    renderMatchFrame(*on, onDevice);
    ASSERT_EQ(onDevice.fans.size(), offDevice.fans.size() + 1);
    for (size_t i = 0; i < offDevice.fans.size(); ++i) {
        EXPECT_EQ(onDevice.fans[i].texture, offDevice.fans[i].texture) << i;
    }
    EXPECT_EQ(onDevice.fans.back().texture, 900u + static_cast<int>(Award::Ton80));
    EXPECT_EQ(on->hitTimer, off->hitTimer);
    EXPECT_STREQ(on->textBuffer, off->textBuffer);

    // A turn that busts shows nothing.
    auto bust = tonEightyOnShow(40, 1);
    bust->players[kHuman].scoreLeft = -5;
    RecordingDevice bustDevice;
    drawAwardOverlay(*bust, bustDevice);
    EXPECT_TRUE(bustDevice.fans.empty());
}

}  // namespace
}  // namespace darts::render
