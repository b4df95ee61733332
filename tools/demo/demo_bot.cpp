#include "demo/demo_bot.h"

#include <cstdlib>
#include <memory>
#include <vector>

#include "frontend/tournament.h"
#include "match/throw_input.h"
#include "match/throw_simulation.h"

namespace darts::demo {
namespace {

using platform::MouseObject;
using platform::MouseRecord;
using platform::UiEvent;

constexpr uint64_t kFramesBetweenClicks = 20;  // a person takes a moment on every screen
constexpr uint64_t kFramesBeforeEscape = 400;  // EscapeFromMatch: frames of play first
constexpr int kAimStepStride = 6;              // aims tried: every sixth step of the mouse
constexpr uint64_t kPlanEvery = 8;             // aiming frames between looks at the gauge
constexpr uint64_t kPatience = 160;            // aiming frames before any throw will do

MouseRecord press() { return {MouseObject::Button0, platform::kButtonPressed}; }
MouseRecord release() { return {MouseObject::Button0, 0}; }

// Where the title's menu item (1..3) lies on the picture.
constexpr int kMenuX = 380;
int menuY(int item) { return 430 + 40 * (item - 1); }

UiEvent uiEvent(UiEvent::Kind kind, int x, int y, std::string text = {}) {
    UiEvent event;
    event.kind = kind;
    event.x = x;
    event.y = y;
    event.text = std::move(text);
    return event;
}

// The aim after `steps` records of movement, as the match applies them one by one.
float aimAfter(float aim, int steps) {
    for (int i = 0; i < std::abs(steps); ++i) {
        aim = static_cast<float>(aim + (steps > 0 ? kAimStep : -kAimStep));
    }
    return aim;
}

}  // namespace

DemoBot::DemoBot(Script script, const GameState& state, std::function<uint64_t()> framesPresented)
    : script_(script), state_(state), frames_(std::move(framesPresented)) {}

bool DemoBot::goalReached() const {
    if (script_ == Script::Tournament) return tournamentOverSeen_;
    return matchPlayed_;
}

bool DemoBot::escapeDown() {
    const uint64_t now = frames_();
    // A loop that asks for Escape over and over without drawing waits for the key: press it.
    if (now != escapePollFrame_) {
        escapePollFrame_ = now;
        escapePolls_ = 0;
    }
    if (++escapePolls_ > 1000) return true;
    if (state_.inFrontEnd == 0 && state_.screen != ScreenId::CharacterSelect) {
        if (matchStartFrame_ == 0) matchStartFrame_ = now;
        matchPlayed_ = true;
        if (script_ == Script::EscapeFromMatch) return now >= matchStartFrame_ + kFramesBeforeEscape;
        return false;
    }
    if (state_.tournamentOver == 1 && !tournamentOverSeen_) {
        tournamentOverSeen_ = true;
        tournamentOverFrame_ = now;
        champion_ = state_.tournamentSlots[frontend::kChampionEntry];
    }
    // Quit from the title once the front end's own loop has been running for a moment.
    return goalReached() && backInFrontEnd_ != 0 && state_.screen == ScreenId::Title &&
           now >= backInFrontEnd_ + kFramesBetweenClicks;
}

int DemoBot::readMouse(MouseRecord* out, int capacity) {
    if (capacity < platform::kMouseBufferSize) return 0;
    return state_.inFrontEnd == 1 ? frontEndInput(out) : matchInput(out);
}

int DemoBot::frontEndInput(MouseRecord* out) {
    const uint64_t now = frames_();
    if (goalReached() && backInFrontEnd_ == 0) backInFrontEnd_ = now;
    if (now < lastActionFrame_ + kFramesBetweenClicks) return 0;
    int count = 0;
    if (state_.screen == ScreenId::Title) {
        int item = 0;
        if (state_.players[kHuman].characterNumber == 0) {
            item = 3;
        } else if (!goalReached()) {
            item = script_ == Script::Tournament ? 2 : 1;
        }
        if (item == 0) return 0;  // done: Escape comes next
        out[count++] = {MouseObject::X, (kMenuX - state_.cursorX) / 3};
        out[count++] = {MouseObject::Y, (menuY(item) - state_.cursorY) / 3};
    }
    out[count++] = press();
    out[count++] = release();
    lastActionFrame_ = now;
    return count;
}

DemoBot::Plan DemoBot::choosePlan() const {
    // The forward swing the arm will make once the gauge is stopped now, frame by frame, with the
    // match's own hand movement.
    auto swing = std::make_unique<GameState>();
    swing->throwStage = ThrowStage::Swinging;
    swing->dartState = DartState::InHand;
    swing->swingAngle = state_.swingAngle;
    swing->swingDirection = state_.swingDirection;
    swing->swingWrapped = state_.swingWrapped;
    swing->swingSpeed = state_.swingSpeed;
    struct Release {
        int after;
        float angle;
    };
    std::vector<Release> releases;
    for (int frame = 1; frame < 2000 && swing->throwStage == ThrowStage::Swinging; ++frame) {
        handStep(*swing);
        if (swing->throwStage == ThrowStage::Swinging && swing->swingDirection == 2) {
            releases.push_back({frame, swing->swingAngle});
        }
    }

    const int left = state_.players[kHuman].scoreLeft;
    const bool toWin = script_ != Script::BarLose;
    // The aim moves in one read of the mouse, together with the click: room for both.
    const int maxSteps = platform::kMouseBufferSize - 4;
    Plan best;
    int bestValue = -1000;
    for (int steps = -maxSteps; steps <= maxSteps; steps += kAimStepStride) {
        const float aim = aimAfter(state_.aimYaw, steps);
        if (aim < -kAimLimit || aim > kAimLimit) continue;
        for (const Release& r : releases) {
            const auto landing = simulateThrow(r.angle, aim, state_.gaugeValue, 1);
            const int score = landing ? landing->score : 0;
            // Winning: the exact count above all, else the most that does not go bust.
            // Losing: a few points at most.
            int value = 0;
            if (toWin) {
                value = score == left ? 1000 : (score < left ? score : -1);
            } else {
                // A few points now and then, never enough to matter.
                value = (score >= 1 && score <= 5) ? 10 : -score;
            }
            if (value > bestValue) {
                bestValue = value;
                best = {steps, r.after, score};
            }
        }
    }
    return best;
}

int DemoBot::matchInput(MouseRecord* out) {
    if (state_.matchPhase != MatchPhase::HumanTurn) return 0;
    if (state_.dartsFinished != dartsFinishedSeen_) {
        dartsFinishedSeen_ = state_.dartsFinished;
        if (state_.lastFinishedDart.side == kHuman && lastExpected_ >= 0) {
            ++dartsThrown_;
            if (state_.lastFinishedDart.score == lastExpected_) ++dartsAsPlanned_;
            lastExpected_ = -1;
        }
    }
    int count = 0;
    if (state_.throwStage == ThrowStage::Aiming && state_.dartState == DartState::InHand) {
        ++aimingFrames_;
        if (aimingFrames_ % kPlanEvery != 0) return 0;
        const Plan plan = choosePlan();
        const int left = state_.players[kHuman].scoreLeft;
        const bool good = script_ == Script::BarLose || plan.expectedScore == left ||
                          (left > 60 && plan.expectedScore >= 50) ||
                          (left <= 60 && plan.expectedScore >= left / 2) ||
                          aimingFrames_ >= kPatience;
        if (!good || plan.releaseAfter < 0) return 0;
        for (int i = 0; i < std::abs(plan.aimSteps); ++i) {
            out[count++] = {MouseObject::X, plan.aimSteps > 0 ? 1 : -1};
        }
        out[count++] = press();
        out[count++] = release();
        plan_ = plan;
        planned_ = true;
        aimingFrames_ = 0;
        return count;
    }
    if (state_.throwStage == ThrowStage::Swinging && planned_) {
        if (--plan_.releaseAfter > 0) return 0;
        out[count++] = press();
        out[count++] = release();
        lastExpected_ = plan_.expectedScore;
        planned_ = false;
    }
    return count;
}

bool DemoBot::poll(UiEvent& event) {
    if (!namedCharacter_) {
        namedCharacter_ = true;
        for (int i = 0; i < 2; ++i) {  // two characters further on
            uiQueue_.push_back(uiEvent(UiEvent::Kind::PointerMove, 282, 517));
            uiQueue_.push_back(uiEvent(UiEvent::Kind::ButtonDown, 282, 517));
            uiQueue_.push_back(uiEvent(UiEvent::Kind::ButtonUp, 282, 517));
        }
        // Into the name box: the character's own name goes, ours comes in its place.
        uiQueue_.push_back(uiEvent(UiEvent::Kind::PointerMove, 400, 125));
        uiQueue_.push_back(uiEvent(UiEvent::Kind::ButtonDown, 400, 125));
        uiQueue_.push_back(uiEvent(UiEvent::Kind::ButtonUp, 400, 125));
        for (int i = 0; i < 8; ++i) uiQueue_.push_back(uiEvent(UiEvent::Kind::Backspace, 0, 0));
        uiQueue_.push_back(uiEvent(UiEvent::Kind::Text, 0, 0, "\xE3\x83\x9F\xE3\x82\xAB"));  // "ミカ"
        uiQueue_.push_back(uiEvent(UiEvent::Kind::PointerMove, 640, 512));
        uiQueue_.push_back(uiEvent(UiEvent::Kind::ButtonDown, 640, 512));
        uiQueue_.push_back(uiEvent(UiEvent::Kind::ButtonUp, 640, 512));
    }
    // One thing per frame, a few frames apart, as a person would do them.
    const uint64_t now = frames_();
    if (uiQueue_.empty() || (lastUiFrame_ != UINT64_MAX && now < lastUiFrame_ + 6)) return false;
    event = uiQueue_.front();
    uiQueue_.pop_front();
    lastUiFrame_ = now;
    return true;
}

}  // namespace darts::demo
