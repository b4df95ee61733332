#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

#include "loops/autoplay.h"
#include "loops/input_dispatch.h"
#include "loops/match_loop.h"
#include "match/rules.h"
#include "render/device.h"

namespace darts {
namespace {

using platform::MouseObject;
using platform::MouseRecord;

// Input scripted frame by frame: each poll takes the next frame's records and key state.
class ScriptedInput : public platform::InputSource {
  public:
    std::deque<bool> escape;
    std::deque<std::vector<MouseRecord>> mouse;
    bool escapeDown() override {
        if (escape.empty()) return false;
        bool down = escape.front();
        escape.pop_front();
        return down;
    }
    int readMouse(MouseRecord* out, int capacity) override {
        if (mouse.empty()) return 0;
        std::vector<MouseRecord> records = mouse.front();
        mouse.pop_front();
        int count = 0;
        for (const MouseRecord& record : records) {
            if (count == capacity) break;
            out[count++] = record;
        }
        return count;
    }
};

class CountingDisplay : public platform::DisplayControl {
  public:
    int restores = 0;
    void restore() override { ++restores; }
};

class MatchLoop : public ::testing::Test {
  protected:
    void SetUp() override {
        s.dartState = DartState::InHand;
        newMatch(s);
        s.inFrontEnd = 0;
    }
    std::unique_ptr<GameState> owned = std::make_unique<GameState>();
    GameState& s = *owned;
    render::HeadlessDevice device;
    ScriptedInput input;
    CountingDisplay display;
    FrameIo io{device, input, &display};
};

TEST_F(MatchLoop, ReturnsAtOnceOutsideAMatch) {
    s.inFrontEnd = 1;
    EXPECT_EQ(runMatch(s, io), MatchLoopEnd::Ended);
    EXPECT_EQ(s.framesDrawn, 0u);
}

TEST_F(MatchLoop, EscapeEndsTheMatchAndRestoresTheDisplay) {
    input.escape = {false, false, true};
    runMatch(s, io);
    EXPECT_EQ(s.framesDrawn, 3u);
    EXPECT_EQ(s.matchPhase, MatchPhase::MatchOver);
    EXPECT_EQ(s.quitRequested, 1);
    EXPECT_EQ(s.inFrontEnd, 1);
    EXPECT_EQ(display.restores, 1);
}

TEST_F(MatchLoop, EscapeHeldFlipsOnEveryPoll) {
    // Down for the frame's poll and the loop's extra poll: flipped twice, the match loop runs on
    // with the match over until a later poll leaves inFrontEnd at 1.
    input.escape = {true, true, false, true};
    runMatch(s, io);
    EXPECT_EQ(display.restores, 3);
    EXPECT_EQ(s.inFrontEnd, 1);
}

TEST_F(MatchLoop, HumanClicksThrowTheDartThroughTheRealFrames) {
    // Click once to arm, then again on the forward swing; the rest of the throw runs by itself.
    input.mouse.push_back({{MouseObject::Button0, 0x80}, {MouseObject::Button0, 0}});
    MatchLoopOptions options;
    bool clickedForward = false;
    options.afterFrame = [&](const GameState& state) {
        if (!clickedForward && state.swingDirection == 2 &&
            state.throwStage == ThrowStage::Swinging) {
            input.mouse.push_back({{MouseObject::Button0, 0x80}});
            clickedForward = true;
        }
        return state.dartsFinished == 0 && state.framesDrawn < 5000;
    };
    runMatch(s, io, options);
    EXPECT_TRUE(clickedForward);
    EXPECT_EQ(s.dartsFinished, 1u);
    EXPECT_EQ(s.boardHitsPlayed, 1u);
    EXPECT_TRUE(scoresConsistent(s));
}

TEST_F(MatchLoop, RecordsAfterAMatchEndingClickGoToTheFrontEnd) {
    // Escape seen and a click in the same poll: the click prepares a new match and hands over.
    s.matchPhase = MatchPhase::MatchOver;
    input.mouse.push_back({{MouseObject::Button0, 0x80}, {MouseObject::X, 5}});
    float aim = s.aimYaw;
    pollMouse(s, io);
    EXPECT_EQ(s.inFrontEnd, 1);
    EXPECT_EQ(s.aimYaw, aim) << "the X record after the click belongs to the front end";
}

TEST_F(MatchLoop, OnlyAHundredRecordsPerPoll) {
    std::vector<MouseRecord> many(150, {MouseObject::X, 1});
    input.mouse.push_back(many);
    pollMouse(s, io);
    EXPECT_FLOAT_EQ(s.aimYaw, 0.07f);  // 100 steps of 0.0007
}

TEST_F(MatchLoop, FrameLimitAbandonsTheMatch) {
    MatchLoopOptions options;
    options.afterFrame = [](const GameState& state) { return state.framesDrawn < 50; };
    EXPECT_EQ(runMatch(s, io, options), MatchLoopEnd::Abandoned);
    EXPECT_EQ(s.framesDrawn, 50u);
    EXPECT_EQ(s.inFrontEnd, 1);
}

// Whole matches, both sides played by the computer through the real frames: every match ends
// with a winner at exactly 0 and the counts add up after every dart.
TEST(Autoplay, WholeMatchesEndWithAWinnerAndConsistentCounts) {
    auto state = std::make_unique<GameState>();
    seedRandom(*state, 2024);
    render::HeadlessDevice device;
    for (int match = 0; match < 20; ++match) {
        bool consistent = true;
        int lastSide = -1;
        AutoMatchResult result = playAutoMatch(*state, device, 2'000'000, [&](const GameState& s) {
            consistent = consistent && scoresConsistent(s);
            lastSide = s.lastFinishedDart.side;
        });
        ASSERT_TRUE(result.finished);
        ASSERT_TRUE(consistent) << "match " << match;
        ASSERT_TRUE(state->lastFinishedDart.win);
        EXPECT_EQ(state->players[result.winner].scoreLeft, 0);
        EXPECT_EQ(result.winner, lastSide);
        EXPECT_GT(state->players[1 - result.winner].scoreLeft, 0);
        EXPECT_EQ(state->boardHitsPlayed, state->dartsFinished);
    }
}

TEST(Autoplay, SameSeedSameMatch) {
    render::HeadlessDevice device;
    auto play = [&](uint32_t seed) {
        auto state = std::make_unique<GameState>();
        seedRandom(*state, seed);
        std::vector<int> scores;
        playAutoMatch(*state, device, 2'000'000,
                      [&](const GameState& s) { scores.push_back(s.lastFinishedDart.score); });
        return scores;
    };
    EXPECT_EQ(play(77), play(77));
    EXPECT_NE(play(77), play(78));
}

}  // namespace
}  // namespace darts
