#include <gtest/gtest.h>

#include <vector>

#include "platform/sdl/sdl_pacing.h"

namespace darts::platform {
namespace {

// Time moves only when a frame's work is done or the pacer sleeps.
class FakeClock : public Clock {
  public:
    double seconds() override { return now; }
    void sleepUntil(double time) override {
        sleeps.push_back(time - now);
        if (time > now) now = time;
    }
    double now = 100.0;
    std::vector<double> sleeps;
};

// Runs frames that take `work` seconds each and returns the times at which they were shown.
std::vector<double> run(FramePacer& pacer, FakeClock& clock, const std::vector<double>& work) {
    std::vector<double> shown;
    for (double w : work) {
        clock.now += w;
        pacer.frameShown();
        shown.push_back(clock.now);
    }
    return shown;
}

TEST(FramePacing, FastFramesComeAtSixtyHertzWithoutDrift) {
    FakeClock clock;
    FramePacer pacer(clock, PacingMode::Limiter);
    const std::vector<double> shown = run(pacer, clock, std::vector<double>(601, 0.004));
    // 600 slots after the first frame: exactly ten seconds, however the work varied.
    EXPECT_NEAR(shown.back() - shown.front(), 10.0, 1e-6);
    for (size_t i = 1; i < shown.size(); ++i) {
        EXPECT_NEAR(shown[i] - shown[i - 1], kFramePeriod, 1e-9);
    }
}

TEST(FramePacing, UnevenFramesStillKeepTheSchedule) {
    FakeClock clock;
    FramePacer pacer(clock, PacingMode::Limiter);
    const std::vector<double> shown = run(pacer, clock, {0.001, 0.015, 0.002, 0.016, 0.010});
    EXPECT_NEAR(shown[4] - shown[0], 4 * kFramePeriod, 1e-9);
}

TEST(FramePacing, ASlightlyLateFrameIsAbsorbedAndALongStallIsNotCaughtUpInABurst) {
    FakeClock clock;
    FramePacer pacer(clock, PacingMode::Limiter);
    run(pacer, clock, {0.001, 0.001});
    // 20 ms of work: late by a little, the next slot is shortened to keep the schedule.
    const double before = clock.now;
    run(pacer, clock, {0.020, 0.001});
    EXPECT_NEAR(clock.now - before, 2 * kFramePeriod, 1e-9);
    // A half-second stall: afterwards frames are spaced a full period again, not rushed.
    clock.sleeps.clear();
    const std::vector<double> shown = run(pacer, clock, {0.5, 0.001, 0.001, 0.001});
    EXPECT_NEAR(shown[2] - shown[1], kFramePeriod, 1e-9);
    EXPECT_NEAR(shown[3] - shown[2], kFramePeriod, 1e-9);
}

TEST(FramePacing, VsyncAndUnpacedNeverSleep) {
    for (PacingMode mode : {PacingMode::Vsync, PacingMode::Unpaced}) {
        FakeClock clock;
        FramePacer pacer(clock, mode);
        run(pacer, clock, std::vector<double>(10, 0.001));
        EXPECT_TRUE(clock.sleeps.empty());
        EXPECT_EQ(pacer.mode(), mode);
    }
}

TEST(FramePacing, OnlyRefreshRatesNearSixtyHertzPaceTheGame) {
    EXPECT_TRUE(refreshPacesAt60(60));
    EXPECT_TRUE(refreshPacesAt60(59));
    EXPECT_TRUE(refreshPacesAt60(61));
    EXPECT_FALSE(refreshPacesAt60(0));  // unknown
    EXPECT_FALSE(refreshPacesAt60(75));
    EXPECT_FALSE(refreshPacesAt60(144));
    EXPECT_FALSE(refreshPacesAt60(30));
}

TEST(FramePacing, VsyncShowsEachStepForAWholeNumberOfRefreshes) {
    EXPECT_EQ(vsyncIntervalFor(60), 1);
    EXPECT_EQ(vsyncIntervalFor(59), 1);  // 59.94 Hz
    EXPECT_EQ(vsyncIntervalFor(120), 2);
    EXPECT_EQ(vsyncIntervalFor(119), 2);  // 119.88 Hz
    EXPECT_EQ(vsyncIntervalFor(240), 4);
    EXPECT_EQ(vsyncIntervalFor(180), 3);
    // No whole multiple, or unknown: the limiter paces.
    EXPECT_EQ(vsyncIntervalFor(144), 0);
    EXPECT_EQ(vsyncIntervalFor(165), 0);
    EXPECT_EQ(vsyncIntervalFor(75), 0);
    EXPECT_EQ(vsyncIntervalFor(90), 0);
    EXPECT_EQ(vsyncIntervalFor(30), 0);
    EXPECT_EQ(vsyncIntervalFor(0), 0);
    EXPECT_EQ(vsyncIntervalFor(-1), 0);
}

TEST(FramePacing, EveryRefreshRateGetsSixtyStepsASecond) {
    // Vertical sync alone where it shows each step for the same number of refreshes.
    EXPECT_EQ(pacingFor(60), (PacingChoice{PacingMode::Vsync, 1}));
    EXPECT_EQ(pacingFor(120), (PacingChoice{PacingMode::Vsync, 2}));
    // Faster: the limiter, with a wait for the refresh that is shorter than a step.
    EXPECT_EQ(pacingFor(144), (PacingChoice{PacingMode::Limiter, 1}));
    EXPECT_EQ(pacingFor(75), (PacingChoice{PacingMode::Limiter, 1}));
    // Slower or unknown: waiting for a refresh would make every step late.
    for (int hz : {50, 48, 30, 0}) EXPECT_EQ(pacingFor(hz), (PacingChoice{PacingMode::Limiter, 0}));
}

TEST(FramePacing, PacingFollowsTheDisplayUnderTheWindow) {
    FakeClock clock;
    FramePacer pacer(clock, PacingMode::Limiter);
    EXPECT_EQ(pacer.follow(60), (PacingChoice{PacingMode::Vsync, 1}));
    EXPECT_FALSE(pacer.follow(60));  // the same display: nothing to set again
    // Alt+Enter onto a 144 Hz desktop, then a move to a 50 Hz monitor, then back.
    EXPECT_EQ(pacer.follow(144), (PacingChoice{PacingMode::Limiter, 1}));
    EXPECT_EQ(pacer.mode(), PacingMode::Limiter);
    EXPECT_EQ(pacer.follow(50), (PacingChoice{PacingMode::Limiter, 0}));
    const std::vector<double> shown = run(pacer, clock, std::vector<double>(4, 0.001));
    EXPECT_NEAR(shown[3] - shown[0], 3 * kFramePeriod, 1e-9);
    EXPECT_EQ(pacer.follow(60), (PacingChoice{PacingMode::Vsync, 1}));
    EXPECT_EQ(pacer.mode(), PacingMode::Vsync);
    // A swap interval the driver refused: the limiter takes over.
    pacer.fallBackToLimiter();
    EXPECT_EQ(pacer.mode(), PacingMode::Limiter);

    FramePacer unpaced(clock, PacingMode::Unpaced);
    EXPECT_FALSE(unpaced.follow(60));
    EXPECT_EQ(unpaced.mode(), PacingMode::Unpaced);
}

}  // namespace
}  // namespace darts::platform
