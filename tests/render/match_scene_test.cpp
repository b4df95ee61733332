#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "match/flight.h"
#include "match/rules.h"
#include "render/match_scene.h"
#include "support/recording_device.h"

namespace darts::render {
namespace {

using testing::RecordingDevice;

constexpr MeshHandle kRoom = 1, kBoard = 2, kDart = 3, kHand = 4;

class MatchScene : public ::testing::Test {
  protected:
    void SetUp() override {
        s.dartState = DartState::InHand;
        newMatch(s);
        s.inFrontEnd = 0;
        const Material material{};
        for (auto [model, handle] : {std::pair{&s.roomModel, kRoom},
                                     {&s.boardModel, kBoard},
                                     {&s.dartModel, kDart},
                                     {&s.handModel, kHand}}) {
            model->materials = {material};
            model->mesh = handle;
        }
    }
    // Where the view matrix puts a world point.
    gfx::Vec3 inView(gfx::Vec3 p) const { return gfx::transformPoint(p, device.view); }

    std::unique_ptr<GameState> owned = std::make_unique<GameState>();
    GameState& s = *owned;
    RecordingDevice device;
};

TEST_F(MatchScene, AimingViewLooksFromBehindTheThrowerAtMatchStart) {
    renderMatchFrame(s, device);
    EXPECT_FLOAT_EQ(s.orbitEyeX, static_cast<float>(7.0 * std::cos(-4.712389)));
    EXPECT_NEAR(s.orbitEyeZ, -7.0f, 1e-5);
    // The eye sits at the origin of the view, the board straight ahead.
    gfx::Vec3 eye = inView({s.orbitEyeX, 2.0f, s.orbitEyeZ});
    EXPECT_NEAR(eye.x, 0.0f, 1e-4);
    EXPECT_NEAR(eye.z, 0.0f, 1e-4);
    gfx::Vec3 board = inView({0.0f, 2.0f, 14.0f});
    EXPECT_NEAR(board.x, 0.0f, 1e-3);
    EXPECT_NEAR(board.z, 21.0f, 1e-3);
    // Square aspect: the same scale across and up.
    EXPECT_FLOAT_EQ(device.projection.m[0][0], device.projection.m[1][1]);
    EXPECT_NEAR(device.projection.m[2][2], 100.0f / 99.0f, 1e-6);
}

TEST_F(MatchScene, DrawsRoomBoardAndHeldDartInOrder) {
    renderMatchFrame(s, device);
    ASSERT_EQ(device.draws.size(), 4u);
    EXPECT_EQ(device.draws[0].mesh, kRoom);
    EXPECT_EQ(device.draws[1].mesh, kBoard);
    EXPECT_EQ(device.draws[2].mesh, kHand);
    EXPECT_EQ(device.draws[3].mesh, kDart);
    EXPECT_EQ(s.framesDrawn, 1u);
}

TEST_F(MatchScene, FinishedDartsOfTheTurnStayDrawnOnlyTranslated) {
    s.players[kHuman].dartsThrown = 2;
    s.darts[0] = {0.1f, 2.1f, 13.98f, 0, 0, 0};
    s.darts[1] = {-0.2f, 1.9f, 13.98f, 0, 0, 0};
    s.aimYaw = 0.05f;
    renderMatchFrame(s, device);
    EXPECT_EQ(device.count(kDart), 3);
    gfx::Vec3 second = gfx::transformPoint({0, 0, 0}, device.draws[2].world);
    EXPECT_FLOAT_EQ(second.x, -0.2f);
    EXPECT_FLOAT_EQ(device.draws[2].world.m[0][0], 1.0f) << "no rotation";
}

TEST_F(MatchScene, ReleaseFrameOfTheHandRunsTwoFlightSteps) {
    // Armed, fast, just above the forward end: this frame's hand step lets the dart go.
    s.throwStage = ThrowStage::Swinging;
    s.swingSpeed = 0.01f;
    s.swingDirection = 2;
    s.swingWrapped = 1;
    s.swingAngle = 12.505f;
    renderMatchFrame(s, device);  // the arm comes down to 12.495, the dart still held
    DartBody held = s.darts[0];
    EXPECT_EQ(s.dartState, DartState::InHand);
    renderMatchFrame(s, device);  // down past 12.49: the hand lets go
    ASSERT_EQ(s.dartState, DartState::Thrown);
    EXPECT_EQ(device.count(kDart), 2) << "the dart is drawn twice in the release frame";
    EXPECT_EQ(device.count(kHand), 1);
    // Two steps of about 0.3 x 1.8 from where it was held.
    EXPECT_NEAR(s.darts[0].z - held.z, 2 * 0.3 * held.vz, 0.01);
}

TEST_F(MatchScene, ClickReleaseRunsOneFlightStep) {
    renderMatchFrame(s, device);
    DartBody held = s.darts[0];
    s.throwStage = ThrowStage::Released;
    s.dartState = DartState::Thrown;
    renderMatchFrame(s, device);
    EXPECT_EQ(device.count(kHand), 0);
    EXPECT_EQ(device.count(kDart), 1);
    EXPECT_NEAR(s.darts[0].z - held.z, 0.3 * held.vz, 0.01);
}

TEST_F(MatchScene, TheLandingCameraStepsByTheSinglePrecisionStep) {
    // From a height of 0.5 the float 0.08 and the double 0.08 give two different eye heights.
    s.dartState = DartState::Thrown;
    s.darts[0] = {0.0f, 0.0f, 14.0f, 0.0f, 0.0f, 0.0f};
    s.followEye = {4.0f, 0.5f, 6.0f};
    renderMatchFrame(s, device);
    EXPECT_EQ(s.followEye.y, static_cast<float>(0.5 - static_cast<double>(0.08f)));
    EXPECT_NE(s.followEye.y, static_cast<float>(0.5 - 0.08));
}

TEST_F(MatchScene, CamerasFollowTheFlightAndGlideOnLanding) {
    s.dartState = DartState::Thrown;
    s.darts[0] = {0.0f, 2.0f, 4.0f, 0.0f, 0.0f, 1.8f};
    renderMatchFrame(s, device);  // moves to z 4.54: still the aiming view
    EXPECT_NEAR(inView({s.orbitEyeX, 2.0f, s.orbitEyeZ}).z, 0.0f, 1e-4);
    s.darts[0].z = 10.0f;
    renderMatchFrame(s, device);  // z above 5: the flight camera at (4, 2, 6)
    gfx::Vec3 flightEye = inView({4.0f, 2.0f, 6.0f});
    EXPECT_NEAR(flightEye.x, 0.0f, 1e-4);
    EXPECT_NEAR(flightEye.z, 0.0f, 1e-4);
    EXPECT_EQ(s.followEye.x, 4.0f);
    s.darts[0].z = 13.9f;
    // The camera is set before the dart moves: it starts gliding the frame after the landing.
    for (int i = 0; i < 10; ++i) renderMatchFrame(s, device);
    EXPECT_NEAR(s.followEye.x, 4.0f - 9 * 0.08f, 1e-4);
    EXPECT_NEAR(s.followEye.z, 6.0f + 9 * 0.08f, 1e-4);
    for (int i = 0; i < 150; ++i) renderMatchFrame(s, device);
    EXPECT_LE(s.followEye.x, 1.5f);
    EXPECT_GT(s.followEye.x, 1.5f - 0.08f);
    EXPECT_GE(s.followEye.z, 12.0f);
    EXPECT_LT(s.followEye.z, 12.08f);
    float dartY = s.darts[0].y;
    EXPECT_LE(std::fabs(s.followEye.y - dartY), 0.08f);
    // The dart's landing display ends: the eye is back at its start for the next landing.
    while (s.dartState == DartState::Thrown) renderMatchFrame(s, device);
    EXPECT_EQ(s.followEye.x, 4.0f);
    EXPECT_EQ(s.followEye.z, 6.0f);
}

}  // namespace
}  // namespace darts::render
