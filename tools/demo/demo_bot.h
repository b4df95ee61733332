// A player for making demos: it looks at the game state, as a person looks at the screen, and
// answers with nothing but the input a person would give (mouse moves and clicks, the Escape key,
// typing a name and pressing the character-select screen's buttons). What it does is recorded by
// the game's ordinary demo recorder, so the demos hold real input only.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "core/game_state.h"
#include "platform/input.h"
#include "platform/ui_input.h"

namespace darts::demo {

enum class Script {
    BarWin,           // a darts-bar match the player wins
    BarLose,          // a darts-bar match the player loses
    Tournament,       // a tournament from the draw to the champion
    EscapeFromMatch,  // Escape pressed in the middle of a match
};

class DemoBot final : public platform::InputSource, public platform::UiInput {
  public:
    // `framesPresented` tells the bot which frame shows; it acts at most once per frame.
    DemoBot(Script script, const GameState& state, std::function<uint64_t()> framesPresented);

    bool escapeDown() override;
    int readMouse(platform::MouseRecord* out, int capacity) override;
    void setTextInput(bool) override {}
    bool poll(platform::UiEvent& event) override;

    // Darts the player threw, and how many landed where the bot expected.
    int dartsThrown() const { return dartsThrown_; }
    int dartsAsPlanned() const { return dartsAsPlanned_; }
    // The first frame that showed the tournament's champion, and who it was (0: none yet).
    uint64_t tournamentOverFrame() const { return tournamentOverFrame_; }
    int champion() const { return champion_; }

  private:
    struct Plan {
        int aimSteps = 0;       // records of mouse movement to the right (negative: left)
        int releaseAfter = -1;  // forward-swing polls to let pass before the click
        int expectedScore = -1;
    };

    int frontEndInput(platform::MouseRecord* out);
    int matchInput(platform::MouseRecord* out);
    Plan choosePlan() const;
    bool goalReached() const;

    Script script_;
    const GameState& state_;
    std::function<uint64_t()> frames_;
    uint64_t lastActionFrame_ = 0;
    uint64_t matchStartFrame_ = 0;
    uint64_t aimingFrames_ = 0;
    bool matchPlayed_ = false;
    bool tournamentOverSeen_ = false;  // the champion has been shown
    uint64_t tournamentOverFrame_ = 0;
    int champion_ = 0;
    uint64_t backInFrontEnd_ = 0;      // the first front-end frame once the goal was reached
    uint64_t escapePollFrame_ = 0;
    uint64_t escapePolls_ = 0;
    int lastExpected_ = -1;       // the score the dart in flight should make
    bool namedCharacter_ = false;
    std::deque<platform::UiEvent> uiQueue_;
    uint64_t lastUiFrame_ = UINT64_MAX;
    Plan plan_;
    bool planned_ = false;
    int dartsThrown_ = 0;
    int dartsAsPlanned_ = 0;
    uint32_t dartsFinishedSeen_ = 0;
};

}  // namespace darts::demo
