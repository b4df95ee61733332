// The board-hit effect as the match triggers it: exactly one play per thrown dart, in the frame the
// dart reaches the board, for either side and whether the dart scores or misses the board.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "audio/board_hit.h"
#include "loops/match_loop.h"
#include "match/flight.h"
#include "match/match_fixture.h"
#include "match/rules.h"
#include "render/device.h"

namespace darts {
namespace {

// Each play, with what the state held at that moment.
class RecordingEffects final : public audio::EffectOutput {
  public:
    struct Play {
        int side;
        int dart;
        int hitTimer;
    };
    explicit RecordingEffects(const GameState& state) : state_(state) {}
    void playBoardHit() override {
        plays.push_back({static_cast<int>(state_.matchPhase), currentSide(state_).dartsThrown,
                         state_.hitTimer});
    }
    std::vector<Play> plays;

  private:
    const GameState& state_;
};

// One dart of `side` released with the arm at `swingAngle`, flown frame by frame to its finish.
struct ThrownDart {
    int framesToArrival = 0;
    int score = -1;
};
ThrownDart throwOneDart(GameState& s, MatchPhase side, float swingAngle) {
    s.matchPhase = side;
    s.swingAngle = swingAngle;
    placeObject(s, PlaceMode::DartInPlay, 0);
    s.dartState = DartState::Thrown;
    s.throwStage = ThrowStage::Released;
    ThrownDart thrown;
    while (s.hitTimer == 0 && thrown.framesToArrival < 1000) {
        placeObject(s, PlaceMode::DartInPlay, 0);
        ++thrown.framesToArrival;
    }
    const PlayerSlot& thrower = s.players[static_cast<int>(side)];
    thrown.score = thrower.dartScores[thrower.dartsThrown];
    while (s.hitTimer != 0) placeObject(s, PlaceMode::DartInPlay, 0);
    return thrown;
}

TEST(BoardHitTrigger, OnePlayInTheArrivalFrameForEitherSideScoringOrMissing) {
    auto owned = testing::preparedMatch();
    GameState& s = *owned;
    RecordingEffects effects(s);
    s.effects = &effects;

    // Released at the bottom of the swing the dart scores; far back it flies over the board.
    const ThrownDart scoring = throwOneDart(s, MatchPhase::HumanTurn, 0.0f);
    EXPECT_GT(scoring.score, 0);
    const ThrownDart missing = throwOneDart(s, MatchPhase::HumanTurn, 0.1f);
    EXPECT_EQ(missing.score, 0);
    const ThrownDart computers = throwOneDart(s, MatchPhase::ComputerTurn, 0.1f);
    EXPECT_EQ(computers.score, 0);

    ASSERT_EQ(effects.plays.size(), 3u);
    EXPECT_EQ(s.boardHitsPlayed, 3u);
    const int sides[] = {0, 0, 1};
    const int darts[] = {0, 1, 0};
    for (size_t i = 0; i < effects.plays.size(); ++i) {
        EXPECT_EQ(effects.plays[i].side, sides[i]) << "play " << i;
        EXPECT_EQ(effects.plays[i].dart, darts[i]) << "play " << i;
        // Before the landing display counts its first frame: the arrival frame itself.
        EXPECT_EQ(effects.plays[i].hitTimer, 0) << "play " << i;
    }
}

// Whole matches through the real match loop, the computer playing both sides: after every frame
// the effect has played once if a dart reached the board in it and not at all otherwise.
TEST(BoardHitTrigger, WholeMatchesPlayOncePerDartInItsArrivalFrame) {
    auto owned = std::make_unique<GameState>();
    GameState& s = *owned;
    seedRandom(s, 4711);
    RecordingEffects effects(s);
    s.effects = &effects;
    render::HeadlessDevice device;
    platform::NoInput input;
    FrameIo io{device, input};

    int wrongFrames = 0;
    int arrivals[2] = {0, 0};
    int finished[2] = {0, 0};
    int misses = 0;
    for (int match = 0; match < 3; ++match) {
        // A shaky hand on the human's side, so that some darts miss the board.
        PlayerSlot& human = s.players[kHuman];
        human.gaugeRange = 10;
        human.gaugeSkill = 7;
        human.releaseSkill = 5;
        s.dartState = DartState::InHand;
        newMatch(s);
        s.inFrontEnd = 0;

        size_t playsSeen = effects.plays.size();
        uint32_t dartsSeen = s.dartsFinished;
        MatchLoopOptions options;
        options.computerPlaysHuman = true;
        options.afterFrame = [&](const GameState& frame) {
            const size_t played = effects.plays.size() - playsSeen;
            playsSeen = effects.plays.size();
            // hitTimer is 1 only after the frame in which the dart arrived.
            const bool arrived = frame.hitTimer == 1;
            if (played != (arrived ? 1u : 0u)) ++wrongFrames;
            if (arrived && sideToThrow(frame)) {
                const int side = static_cast<int>(frame.matchPhase);
                ++arrivals[side];
                const PlayerSlot& thrower = frame.players[side];
                if (thrower.dartScores[thrower.dartsThrown] == 0) ++misses;
            }
            if (frame.dartsFinished != dartsSeen) {
                dartsSeen = frame.dartsFinished;
                ++finished[frame.lastFinishedDart.side];
            }
            return frame.framesDrawn < 3'000'000;
        };
        ASSERT_EQ(runMatch(s, io, options), MatchLoopEnd::Ended);
    }
    EXPECT_EQ(wrongFrames, 0);
    EXPECT_EQ(arrivals[0], finished[0]);
    EXPECT_EQ(arrivals[1], finished[1]);
    EXPECT_GT(finished[0], 0);
    EXPECT_GT(finished[1], 0);
    EXPECT_GT(misses, 0) << "no dart missed the board: choose another seed";
    EXPECT_EQ(effects.plays.size(), static_cast<size_t>(finished[0] + finished[1]));
    EXPECT_EQ(s.boardHitsPlayed, effects.plays.size());
}

}  // namespace
}  // namespace darts
