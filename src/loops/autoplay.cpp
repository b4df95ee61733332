#include "loops/autoplay.h"

#include "loops/match_loop.h"
#include "match/rules.h"

namespace darts {

bool scoresConsistent(const GameState& state) {
    for (const PlayerSlot& side : state.players) {
        if (side.dartsThrown < 0 || side.dartsThrown > 3) return false;
        int count = side.turnStartScore;
        for (int i = 0; i < 3; ++i) {
            if (i < side.dartsThrown) {
                count -= side.dartScores[i];
            } else if (side.dartScores[i] != 0) {
                return false;
            }
        }
        if (count != side.scoreLeft) return false;
    }
    return true;
}

namespace {

// Nobody is at the mouse: the human's slot gets the computer's default statistics.
void seatNobodyAtTheMouse(GameState& state) {
    PlayerSlot& human = state.players[kHuman];
    human.gaugeRange = 10;
    human.gaugeSkill = 7;
    human.releaseSkill = 5;
    state.dartState = DartState::InHand;
}

}  // namespace

AutoMatchResult playAutoBarMatch(GameState& state, render::Device& device, games::BarMatch& match,
                                 uint64_t frameLimit, const AutoMatchExtras& extras) {
    seatNobodyAtTheMouse(state);
    match.start(state);
    state.inFrontEnd = 0;
    const uint64_t firstFrame = state.framesDrawn;
    const uint32_t firstDart = state.dartsFinished;
    MatchLoopOptions options;
    options.computerPlaysHuman = true;
    options.layers = extras.layers;
    options.afterFrame = [&](const GameState& s) {
        if (extras.afterFrame) extras.afterFrame(s);
        return s.framesDrawn - firstFrame < frameLimit;
    };
    platform::NoInput noInput;
    FrameIo io{device, extras.input != nullptr ? *extras.input : noInput};
    const MatchLoopEnd end = runMatch(state, io, options);
    state.rules = nullptr;  // an abandoned match leaves its rules behind

    AutoMatchResult result;
    result.finished = end == MatchLoopEnd::Ended;
    result.winner = result.finished && !match.match().winners().empty()
                        ? match.match().winners().front()
                        : -1;
    result.frames = state.framesDrawn - firstFrame;
    result.darts = state.dartsFinished - firstDart;
    return result;
}

AutoMatchResult playAutoMatch(GameState& state, render::Device& device, uint64_t frameLimit,
                              const std::function<void(const GameState&)>& onDart,
                              const AutoMatchExtras& extras) {
    seatNobodyAtTheMouse(state);
    newMatch(state);
    state.inFrontEnd = 0;

    const uint64_t firstFrame = state.framesDrawn;
    const uint32_t firstDart = state.dartsFinished;
    uint32_t dartsSeen = state.dartsFinished;
    MatchLoopOptions options;
    options.computerPlaysHuman = true;
    options.layers = extras.layers;
    options.afterFrame = [&](const GameState& s) {
        if (s.dartsFinished != dartsSeen) {
            dartsSeen = s.dartsFinished;
            if (onDart) onDart(s);
        }
        if (extras.afterFrame) extras.afterFrame(s);
        return s.framesDrawn - firstFrame < frameLimit;
    };
    platform::NoInput noInput;
    FrameIo io{device, extras.input != nullptr ? *extras.input : noInput};
    MatchLoopEnd end = runMatch(state, io, options);

    AutoMatchResult result;
    result.finished = end == MatchLoopEnd::Ended;
    result.winner = result.finished ? state.lastFinishedDart.side : -1;
    result.frames = state.framesDrawn - firstFrame;
    result.darts = state.dartsFinished - firstDart;
    return result;
}

}  // namespace darts
