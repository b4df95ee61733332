#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "core/fixed_record.h"
#include "match/computer.h"
#include "match/match_fixture.h"
#include "match/shot_table.h"
#include "match/throw_simulation.h"

namespace darts {
namespace {

class Computer : public ::testing::Test {
  protected:
    void SetUp() override {
        s.matchPhase = MatchPhase::ComputerTurn;
        s.swingDirection = 1;
    }
    std::unique_ptr<GameState> owned = testing::preparedMatch();
    GameState& s = *owned;
    ComputerBrain brain;
};

TEST_F(Computer, AboveTwentyReleasesAroundTheFixedAngleAndKeepsItsAim) {
    brain.aimTarget = 0.0123f;
    s.players[kComputer].scoreLeft = 21;
    for (int i = 0; i < 300; ++i) {
        computerShotTargets(s, brain);
        float release = brain.releaseTarget;
        float signedRelease = release > 6.0f ? release - 12.56f : release;
        ASSERT_GE(signedRelease, 0.012f - 0.05f - 1e-5f);
        ASSERT_LE(signedRelease, 0.012f + 0.05f + 1e-5f);
        float steps = (signedRelease - 0.012f) / 0.01f;
        ASSERT_NEAR(steps, std::round(steps), 1e-3);
        ASSERT_LE(std::fabs(brain.gaugeTarget), 0.21f + 1e-6f);
    }
    EXPECT_FLOAT_EQ(brain.aimTarget, 0.0123f);
}

TEST_F(Computer, ReleaseBelowZeroWrapsIntoTheForwardRange) {
    // With releaseSkill 5 a draw of 0 gives -0.05 + 0.012 = -0.038, kept as 12.522.
    s.players[kComputer].releaseSkill = 0;
    s.players[kComputer].scoreLeft = 100;
    computerShotTargets(s, brain);
    EXPECT_FLOAT_EQ(brain.releaseTarget, 0.012f);
    s.players[kComputer].releaseSkill = 5;
    bool sawWrapped = false;
    for (int i = 0; i < 500 && !sawWrapped; ++i) {
        computerShotTargets(s, brain);
        if (brain.releaseTarget > 6.0f) {
            sawWrapped = true;
            EXPECT_GE(brain.releaseTarget, 12.522f - 1e-4f);
        }
    }
    EXPECT_TRUE(sawWrapped);
}

TEST_F(Computer, GaugeSkillZeroAlwaysTargetsTheCentre) {
    s.players[kComputer].gaugeSkill = 0;
    for (int i = 0; i < 20; ++i) {
        computerShotTargets(s, brain);
        EXPECT_EQ(brain.gaugeTarget, 0.0f);
    }
}

TEST_F(Computer, AimWalksInStepsWithoutClampingAndIsRememberedOnceReached) {
    brain.aimTarget = 0.1f;
    s.aimYaw = 0.0f;
    int frames = 0;
    while (!brain.aimReached && frames < 1000) {
        s.gaugeValue = 5.0f;  // keep the gauge away from every target
        computerDecisions(s, brain);
        ++frames;
    }
    EXPECT_TRUE(brain.aimReached);
    EXPECT_GT(s.aimYaw, 0.08f) << "the human's limits do not bind the computer";
    EXPECT_NEAR(frames, 0.1 / 0.0007, 2);
    brain.aimTarget = -0.05f;
    computerDecisions(s, brain);
    EXPECT_TRUE(brain.aimReached);
}

TEST_F(Computer, StartsSwingingOnlyOnABackswingWithTheGaugeOnTarget) {
    brain.aimReached = true;
    brain.gaugeTarget = 0.09f;
    s.gaugeValue = 0.06f;
    computerDecisions(s, brain);
    EXPECT_EQ(s.throwStage, ThrowStage::Aiming);
    s.gaugeValue = 0.0905f;
    s.swingDirection = 2;
    computerDecisions(s, brain);
    EXPECT_EQ(s.throwStage, ThrowStage::Aiming);
    s.swingDirection = 1;
    computerDecisions(s, brain);
    EXPECT_EQ(s.throwStage, ThrowStage::Swinging);
}

TEST_F(Computer, ReleasesOnTheForwardSwingNearItsTarget) {
    s.throwStage = ThrowStage::Swinging;
    s.swingDirection = 2;
    brain.releaseTarget = 0.05f;
    s.swingAngle = 0.058f;
    computerDecisions(s, brain);
    EXPECT_EQ(s.dartState, DartState::InHand);
    s.swingAngle = 0.0551f;
    computerDecisions(s, brain);
    EXPECT_EQ(s.throwStage, ThrowStage::Released);
    EXPECT_EQ(s.dartState, DartState::Thrown);
}

// One field as the shot table holds it: 11 bytes, whatever the text.
double field(const std::string& text) {
    std::string padded = text;
    padded.resize(kShotFieldSize, '\0');
    return atofField(padded.data(), kShotFieldSize);
}

TEST(ShotTable, FieldsReadLikeAtofWithinTheirWidth) {
    EXPECT_DOUBLE_EQ(field("  0.0640000"), 0.064);
    EXPECT_DOUBLE_EQ(field(" 12.5490000"), 12.549);
    EXPECT_DOUBLE_EQ(field("-0.0105abc"), -0.0105);
    EXPECT_DOUBLE_EQ(field("1e-2"), 0.01);
    EXPECT_DOUBLE_EQ(field("3e"), 3.0);
    EXPECT_EQ(field(""), 0.0);
    EXPECT_EQ(field("   abc"), 0.0);
    EXPECT_EQ(field("inf"), 0.0);
    EXPECT_EQ(field("nan"), 0.0);
    EXPECT_EQ(field("1e400"), 0.0);
    EXPECT_EQ(field("."), 0.0);
    // All eleven bytes are digits: the number ends with the field, not in the next one.
    EXPECT_DOUBLE_EQ(atofField("123456789012345", kShotFieldSize), 12345678901.0);
}

class ShotFile : public ::testing::Test {
  protected:
    void write(const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
    std::string path =
        (std::filesystem::temp_directory_path() / ("shots-" + std::to_string(::getpid()) + ".kpd"))
            .string();
    void TearDown() override { std::filesystem::remove(path); }
};

TEST_F(ShotFile, RecordForACountAndTheFirstRecordForZeroOrLess) {
    std::string table;
    for (int n = 1; n <= 20; ++n) table += formatShotRecord(n * 0.001, -n * 0.0001);
    ASSERT_EQ(table.size(), 480u);
    write(table);
    Shot twenty = readShot(20, path);
    EXPECT_FLOAT_EQ(twenty.releaseAngle, 0.020f);
    EXPECT_FLOAT_EQ(twenty.aimYaw, -0.0020f);
    EXPECT_FLOAT_EQ(readShot(1, path).releaseAngle, 0.001f);
    EXPECT_FLOAT_EQ(readShot(0, path).releaseAngle, 0.001f);
    EXPECT_FLOAT_EQ(readShot(-7, path).aimYaw, -0.0001f);
}

TEST_F(ShotFile, ShortFileReadsMissingFieldsAsZero) {
    write(formatShotRecord(0.05, 0.01).substr(0, 15));
    Shot shot = readShot(1, path);
    EXPECT_FLOAT_EQ(shot.releaseAngle, 0.05f);
    EXPECT_EQ(shot.aimYaw, 0.0f);
    EXPECT_EQ(readShot(5, path).releaseAngle, 0.0f);
}

TEST(ShotFileDeathTest, MissingFileEndsWithStatusOne) {
    EXPECT_EXIT(readShot(3, "/nonexistent/data/pcshotp.kpd"), ::testing::ExitedWithCode(1),
                "cannot open the shot table");
}

// The shipped table: from the gauge's centre every record finishes its count, and so do at least
// 8 of 11 releases up to 0.005 rad early or late.
TEST(ShippedShotTable, EveryRecordFinishesItsCount) {
    for (int count = 1; count <= 20; ++count) {
        Shot shot = readShot(count);
        float signedRelease =
            shot.releaseAngle > 6.0f ? shot.releaseAngle - 12.56f : shot.releaseAngle;
        auto exact = simulateThrow(shot.releaseAngle, shot.aimYaw, 0.0f);
        ASSERT_TRUE(exact) << count;
        EXPECT_EQ(exact->score, count);
        int hits = 0;
        for (int e = -5; e <= 5; ++e) {
            float release = signedRelease + e * 0.001f;
            if (release < 0) release += 12.56f;
            auto landing = simulateThrow(release, shot.aimYaw, 0.0f);
            hits += landing && landing->score == count;
        }
        EXPECT_GE(hits, 8) << "count " << count;
    }
}

}  // namespace
}  // namespace darts
