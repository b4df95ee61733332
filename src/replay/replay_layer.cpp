#include "replay/replay_layer.h"

#include <numeric>

#include "games/bar_match.h"
#include "loops/input_dispatch.h"
#include "match/awards.h"
#include "render/replay_scene.h"
#include "replay/replay_reel.h"

namespace darts {
namespace {

// A turn worth seeing again the moment it ends: three treble 20s or three bulls.
bool replayedAward(Award award) {
    return award == Award::Ton80 || award == Award::ThreeInTheBlack || award == Award::HatTrick;
}

bool onLandingDisplay(const GameState& state) {
    return sideToThrow(state) && state.dartState == DartState::Thrown && state.hitTimer > 0;
}

int legsWon(const games::BarMatch& bar) {
    const std::vector<int>& wins = bar.match().legWins();
    return std::accumulate(wins.begin(), wins.end(), 0);
}

// Escape held down past the replay would end the game at the next match frame: the replay waits
// for it to be let go, a little, before the match goes on.
constexpr int kEscapeWaitFrames = 30;

}  // namespace

void ReplayLayer::matchFrameDone(GameState& state, FrameIo& io) {
    recording_.frameDrawn(state);
    if (!dartsSeenValid_) {
        dartsSeen_ = state.dartsFinished;
        dartsSeenValid_ = true;
    }
    bool replay = false;
    if (state.dartsFinished != dartsSeen_) {
        replay = endsWithThisDart(state);
        dartsSeen_ = state.dartsFinished;
    }
    if (onLandingDisplay(state) && replayedAward(awardOnDisplay(state))) {
        awardShown_ = true;
        awardDart_ = state.dartsFinished;
    }
    const auto* bar = dynamic_cast<const games::BarMatch*>(state.rules);
    if (bar != bar_) legsWonSeen_ = bar != nullptr ? legsWon(*bar) : 0;
    bar_ = bar;
    if (replayKeyPressed(state, io)) replay = true;
    if (replay) play(state, io);
}

void ReplayLayer::afterMatch(GameState&, FrameIo&) {
    bar_ = nullptr;
    legsWonSeen_ = 0;
}

// Read in the frame the dart was finished, the state already moved on to what follows it.
bool ReplayLayer::endsWithThisDart(const GameState& state) {
    const bool award = awardShown_ && awardDart_ == dartsSeen_;
    awardShown_ = false;
    // The legs are counted whatever else the dart did, so that the next dart compares with them.
    bool legWon = false;
    if (bar_ != nullptr) {
        const int won = legsWon(*bar_);
        legWon = won > legsWonSeen_;
        legsWonSeen_ = won;
    } else {
        legWon = state.rules == nullptr && state.lastFinishedDart.win;
    }
    return award || legWon;
}

bool ReplayLayer::replayKeyPressed(const GameState& state, FrameIo& io) {
    // Asked for only while a dart stands on its landing display, so that a press anywhere else
    // is forgotten rather than kept for the next one.
    if (!onLandingDisplay(state)) {
        keyWasDown_ = false;
        return false;
    }
    const bool down = io.input.screenKeyDown(platform::ScreenKey::Replay);
    const bool pressed = down && !keyWasDown_;
    keyWasDown_ = down;
    return pressed;
}

void ReplayLayer::play(GameState& state, FrameIo& io) {
    const ReplayReel reel(recording_.darts());
    if (reel.frames() == 0) return;
    if (!fontMade_) {
        font_ = render::replayCaptionFont(io.device);
        fontMade_ = true;
    }
    ++replays_;
    bool pressed = false;
    for (int frame = 0; frame < reel.frames(); ++frame) {
        ReplayReel::Frame shot = reel.frame(frame);
        const render::ReplayShot drawn = {shot.eye, shot.target, shot.darts,
                                          static_cast<uint32_t>(frame), font_};
        render::renderReplayFrame(state, io.device, drawn);
        ++frames_;
        if (watch_) watch_(frame, reel.frames());
        if (io.input.escapeDown()) {
            for (int wait = 0; wait < kEscapeWaitFrames && io.input.escapeDown(); ++wait) {
                render::renderReplayFrame(state, io.device, drawn);
                ++frames_;
            }
            return;
        }
        // Only a whole click made during the replay ends it. What else the mouse did is dropped,
        // as the throw must not see it.
        if (readWholeClick(io, pressed)) return;
    }
}

}  // namespace darts
