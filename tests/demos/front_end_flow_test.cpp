// Whole runs of the main loop without a screen: the real front end, character-select screen,
// match loop and input dispatch, driven by input scripted against the frame count.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <memory>
#include <vector>

#include "demos/run_control.h"
#include "loops/main_loop.h"

namespace darts {
namespace {

using platform::MouseObject;
using platform::MouseRecord;
using platform::UiEvent;
using Kind = platform::UiEvent::Kind;

// A run that has not ended after this many frames is stuck; the test then presses Escape itself.
constexpr uint64_t kStuck = 200000;

// Input that arrives while a given frame is on screen: it waits until that many frames have been
// presented, as input waits in the device's buffer until the next poll.
class ScriptedInput final : public platform::InputSource, public platform::UiInput {
  public:
    explicit ScriptedInput(const CountingDevice& frames) : frames_(frames) {}

    std::multimap<uint64_t, MouseRecord> mouse;
    std::multimap<uint64_t, UiEvent> ui;
    std::vector<uint64_t> escapeFrames;  // Escape is down at the polls while these frames show
    bool textInput = false;
    int textInputChanges = 0;
    bool stuck = false;

    bool escapeDown() override {
        const uint64_t now = frames_.framesPresented();
        if (now >= kStuck) stuck = true;
        for (uint64_t frame : escapeFrames) {
            if (frame == now) return true;
        }
        return stuck;
    }
    // With this on, the mouse behaves as the real device does when it is lost (the
    // character-select screen took it, or the focus went while one of `focusLostAt` showed): what
    // arrived meanwhile is gone, and the read that takes it back hands out a full buffer of
    // zeroed records.
    bool modelDeviceLoss = false;
    std::set<uint64_t> focusLostAt;
    void loseDevice() { lost_ = true; }

    int readMouse(MouseRecord* out, int capacity) override {
        const uint64_t now = frames_.framesPresented();
        if (modelDeviceLoss && (focusLostAt.erase(now) != 0 || lost_)) {
            lost_ = false;
            mouse.erase(mouse.begin(), mouse.upper_bound(now));
            for (int i = 0; i < capacity; ++i) out[i] = {MouseObject::X, 0};
            return capacity;
        }
        int count = 0;
        auto end = mouse.upper_bound(now);
        for (auto it = mouse.begin(); it != end && count < capacity;) {
            out[count++] = it->second;
            it = mouse.erase(it);
        }
        return count;
    }
    void setTextInput(bool on) override {
        textInput = on;
        ++textInputChanges;
    }
    bool poll(UiEvent& event) override {
        if (frames_.framesPresented() >= kStuck) {
            stuck = true;
            event = {Kind::Quit, 0, 0, {}};
            return true;
        }
        auto it = ui.begin();
        if (it == ui.end() || it->first > frames_.framesPresented()) return false;
        event = it->second;
        ui.erase(it);
        return true;
    }

  private:
    const CountingDevice& frames_;
    bool lost_ = false;
};

class CountingDisplay final : public platform::DisplayControl {
  public:
    int restores = 0;
    void restore() override { ++restores; }
};

// Cursor movement in mickeys: the front end moves its cursor 3 pixels per mickey.
MouseRecord moveX(int mickeys) { return {MouseObject::X, mickeys}; }
MouseRecord moveY(int mickeys) { return {MouseObject::Y, mickeys}; }
MouseRecord press() { return {MouseObject::Button0, platform::kButtonPressed}; }
MouseRecord release() { return {MouseObject::Button0, 0}; }

class FrontEndFlow : public ::testing::Test {
  protected:
    // Clicks the title's menu item (1..3) from wherever the cursor is, while `frame` shows.
    void clickMenuItem(uint64_t frame, int item) {
        const int wantedX = 360, wantedY = 430 + 40 * (item - 1);
        input.mouse.insert({frame, moveX((wantedX - cursorX) / 3)});
        input.mouse.insert({frame, moveY((wantedY - cursorY) / 3)});
        cursorX += (wantedX - cursorX) / 3 * 3;
        cursorY += (wantedY - cursorY) / 3 * 3;
        click(frame);
    }
    void click(uint64_t frame) {
        input.mouse.insert({frame, press()});
        input.mouse.insert({frame, release()});
    }
    // A click as people make it: the release comes a few frames after the press.
    void heldClick(uint64_t frame, uint64_t releaseFrame) {
        input.mouse.insert({frame, press()});
        input.mouse.insert({releaseFrame, release()});
    }
    // Moves the cursor onto the title's menu item, while `frame` shows.
    void moveToMenuItem(uint64_t frame, int item) {
        const int wantedX = 360, wantedY = 430 + 40 * (item - 1);
        input.mouse.insert({frame, moveX((wantedX - cursorX) / 3)});
        input.mouse.insert({frame, moveY((wantedY - cursorY) / 3)});
        cursorX += (wantedX - cursorX) / 3 * 3;
        cursorY += (wantedY - cursorY) / 3 * 3;
    }
    // Presses and releases the character-select screen's OK button while `frame` shows.
    void pressOk(uint64_t frame) {
        input.ui.insert({frame, {Kind::ButtonDown, 640, 512, {}}});
        input.ui.insert({frame, {Kind::ButtonUp, 640, 512, {}}});
    }
    void run() {
        mainLoop(s, io);
        ASSERT_FALSE(input.stuck) << "the run did not end by itself";
    }

    std::unique_ptr<GameState> owned = std::make_unique<GameState>();
    GameState& s = *owned;
    render::HeadlessDevice headless;
    CountingDevice device{headless};
    ScriptedInput input{device};
    CountingDisplay display;
    FrameIo frameIo{device, input, &display};
    int releases = 0;
    MainLoopIo io{frameIo, input,
                  [this] {
                      ++releases;
                      input.loseDevice();
                  },
                  {},
                  {}};
    int cursorX = 0, cursorY = 0;

    void SetUp() override {
        s.dartState = DartState::InHand;        // as asset loading leaves it
        s.players[kHuman].characterNumber = 5;  // the main loop clears both sides first
    }
};

TEST_F(FrontEndFlow, EscapeOnTheTitleEndsTheGameAfterThatFrame) {
    input.escapeFrames = {3};
    run();
    EXPECT_EQ(device.framesPresented(), 3u);
    EXPECT_EQ(s.quitRequested, 1);
    EXPECT_EQ(s.inFrontEnd, 1);
    EXPECT_EQ(s.screen, ScreenId::Title);
    EXPECT_EQ(s.framesDrawn, 0u);  // no match frame
    EXPECT_EQ(display.restores, 1);
    EXPECT_EQ(s.players[kHuman].characterNumber, 0);  // cleared before the first frame
}

TEST_F(FrontEndFlow, DartsBarMatchIsPlayedToTheEndAndTheTitleReturns) {
    io.match.computerPlaysHuman = true;  // nobody at the mouse: the computer throws for us
    clickMenuItem(1, 1);                 // no character chosen yet: the notice
    click(2);                            // dismissed
    clickMenuItem(3, 3);                 // character select
    // OK while the screen's first frame (the 4th) shows commits character 1.
    pressOk(4);
    clickMenuItem(5, 1);  // the darts bar shows a drawn opponent
    click(6);             // and the match starts

    bool sawNotice = false, sawDartsBar = false;
    uint64_t matchStart = 0, matchEnd = 0;
    io.match.afterFrame = [&](const GameState& state) {
        if (matchStart == 0) matchStart = device.framesPresented();
        if (state.lastFinishedDart.win) matchEnd = device.framesPresented();
        return true;
    };
    // Watch the screens between frames through the mouse poll's view of the state.
    struct Watch final : public platform::InputSource {
        std::function<void()> each;
        platform::InputSource* inner = nullptr;
        bool escapeDown() override { return inner->escapeDown(); }
        int readMouse(MouseRecord* out, int capacity) override {
            each();
            return inner->readMouse(out, capacity);
        }
    } watch;
    watch.inner = &input;
    watch.each = [&] {
        sawNotice |= s.screen == ScreenId::NoCharacterNotice;
        sawDartsBar |= s.screen == ScreenId::DartsBar;
        // Back on the title after the match: Escape ends the run.
        if (matchEnd != 0 && s.inFrontEnd == 1 && s.screen == ScreenId::Title &&
            input.escapeFrames.empty()) {
            input.escapeFrames = {device.framesPresented() + 1};
        }
    };
    FrameIo watchedIo{device, watch, &display};
    MainLoopIo watched{watchedIo, input, [this] { ++releases; }, {}, io.match};
    mainLoop(s, watched);
    ASSERT_FALSE(input.stuck);

    EXPECT_TRUE(sawNotice);
    EXPECT_TRUE(sawDartsBar);
    EXPECT_EQ(releases, 1);
    EXPECT_FALSE(input.textInput);
    EXPECT_EQ(input.textInputChanges, 2);
    EXPECT_EQ(s.players[kHuman].characterNumber, 1);
    EXPECT_NE(s.players[kComputer].characterNumber, 1);
    EXPECT_GT(matchStart, 6u);
    ASSERT_GT(matchEnd, matchStart);
    EXPECT_TRUE(s.lastFinishedDart.win);
    EXPECT_EQ(s.lastFinishedDart.scoreLeft, 0);
    EXPECT_EQ(s.screen, ScreenId::Title);
    EXPECT_EQ(s.quitRequested, 1);
    EXPECT_EQ(display.restores, 1);
    // Every frame went through the one device, the match's included.
    EXPECT_EQ(s.framesDrawn, matchEnd - matchStart + 1);
}

TEST_F(FrontEndFlow, EscapeDuringAMatchEndsTheGame) {
    clickMenuItem(1, 3);
    pressOk(2);
    clickMenuItem(3, 1);
    click(4);  // the match's first frame is the 5th
    input.escapeFrames = {40};
    run();
    EXPECT_EQ(device.framesPresented(), 40u);
    EXPECT_EQ(s.framesDrawn, 36u);
    EXPECT_EQ(s.matchPhase, MatchPhase::MatchOver);
    EXPECT_EQ(s.quitRequested, 1);
    EXPECT_EQ(s.inFrontEnd, 1);
    // The key is down for all three polls that follow the frame: after the human's, once the
    // match is over, and at the loop's end; each flips inFrontEnd and restores the display.
    EXPECT_EQ(display.restores, 3);
}

TEST_F(FrontEndFlow, EscapeAndAClickInOneFrameLeaveTheFrontEndRunningUntilTheNextEscape) {
    // The press goes to the match handling, which finds the match over and puts the front end
    // back; quitting waits for whatever next ends the front-end loop.
    input.escapeFrames = {2, 5};
    click(2);
    run();
    EXPECT_EQ(device.framesPresented(), 5u);
    EXPECT_EQ(s.menuSelection, MenuItem::None);
    EXPECT_EQ(s.screen, ScreenId::Title);
    EXPECT_EQ(s.framesDrawn, 0u);
    EXPECT_EQ(display.restores, 2);
}

TEST_F(FrontEndFlow, AClickThatWouldStartAMatchAfterEscapeEndsTheGameInstead) {
    clickMenuItem(1, 3);
    pressOk(2);
    clickMenuItem(3, 1);       // the darts bar
    input.escapeFrames = {4};  // Escape and a click in one frame: the front end goes on
    click(4);
    click(5);  // the click that starts the match ends the front-end loop, and with it the game
    run();
    EXPECT_EQ(device.framesPresented(), 5u);
    EXPECT_EQ(s.framesDrawn, 0u);
    EXPECT_EQ(s.quitRequested, 1);
    EXPECT_EQ(s.inFrontEnd, 1);
}

TEST_F(FrontEndFlow, CharacterSelectReturnsToTheTitleWithoutAMatch) {
    clickMenuItem(1, 3);
    input.ui.insert({3, {Kind::PointerMove, 100, 100, {}}});  // ignored until OK
    pressOk(4);
    input.escapeFrames = {7};
    run();
    EXPECT_EQ(device.framesPresented(), 7u);
    EXPECT_EQ(s.framesDrawn, 0u);
    EXPECT_EQ(s.players[kHuman].characterNumber, 1);
    EXPECT_EQ(s.screen, ScreenId::Title);
    EXPECT_EQ(releases, 1);
}

TEST_F(FrontEndFlow, QuitOnTheCharacterSelectScreenEndsTheGameWithTheDisplayRestored) {
    clickMenuItem(1, 3);
    input.ui.insert({3, {Kind::Quit, 0, 0, {}}});
    run();
    EXPECT_EQ(device.framesPresented(), 3u);
    EXPECT_EQ(s.quitRequested, 1);
    EXPECT_EQ(s.players[kHuman].characterNumber, 0);  // nothing committed
    EXPECT_EQ(s.framesDrawn, 0u);
    EXPECT_EQ(display.restores, 1);
    EXPECT_FALSE(input.textInput);
}

TEST_F(FrontEndFlow, EscapeIsNotSeenOnTheCharacterSelectScreen) {
    clickMenuItem(1, 3);
    input.escapeFrames = {3, 4};  // while the screen shows: nobody reads the keyboard
    pressOk(5);
    input.escapeFrames.push_back(6);
    run();
    EXPECT_EQ(device.framesPresented(), 6u);
    EXPECT_EQ(s.players[kHuman].characterNumber, 1);
    EXPECT_EQ(display.restores, 1);
}

// The first click on the title after the character-select screen used to do nothing: the press
// that chose the screen set the latch, and its release went to the screen.
TEST_F(FrontEndFlow, HeldClicksAroundTheCharacterSelectScreenEachActOnce) {
    input.modelDeviceLoss = true;
    moveToMenuItem(1, 3);
    heldClick(1, 4);  // released while the character-select screen owns the pointer
    input.ui.insert({5, {Kind::ButtonDown, 640, 512, {}}});
    input.ui.insert({8, {Kind::ButtonUp, 640, 512, {}}});
    moveToMenuItem(12, 1);
    heldClick(13, 16);  // one click on the darts bar
    heldClick(20, 23);  // one click on the introduction starts the match
    input.escapeFrames = {60};
    bool sawDartsBar = false;
    uint64_t matchStart = 0;
    io.match.afterFrame = [&](const GameState&) {
        if (matchStart == 0) matchStart = device.framesPresented();
        return true;
    };
    struct Watch final : public platform::InputSource {
        std::function<void()> each;
        platform::InputSource* inner = nullptr;
        bool escapeDown() override { return inner->escapeDown(); }
        int readMouse(MouseRecord* out, int capacity) override {
            each();
            return inner->readMouse(out, capacity);
        }
    } watch;
    watch.inner = &input;
    watch.each = [&] { sawDartsBar |= s.screen == ScreenId::DartsBar; };
    FrameIo watchedIo{device, watch, &display};
    MainLoopIo watched{watchedIo, input,
                       [this] {
                           ++releases;
                           input.loseDevice();
                       },
                       {}, io.match};
    mainLoop(s, watched);
    ASSERT_FALSE(input.stuck);
    EXPECT_EQ(releases, 1);
    EXPECT_EQ(s.players[kHuman].characterNumber, 1);
    EXPECT_TRUE(sawDartsBar);
    // The match's first frame follows the frame in which the second click was pressed.
    EXPECT_EQ(matchStart, 21u);
}

TEST_F(FrontEndFlow, AFocusLossWithTheButtonDownDoesNotSwallowTheNextClick) {
    input.modelDeviceLoss = true;
    clickMenuItem(1, 3);
    pressOk(2);
    moveToMenuItem(4, 1);
    heldClick(5, 7);  // the darts bar; the focus goes before the release, which is lost
    input.focusLostAt = {7};
    heldClick(11, 14);  // the introduction: starts the match
    input.escapeFrames = {30};
    run();
    EXPECT_EQ(s.screen, ScreenId::DartsBar);  // Escape ended the match, not a win
    EXPECT_EQ(s.framesDrawn, 30u - 11u);      // frames 12..30 were the match's
}

TEST_F(FrontEndFlow, WithoutTheBlankRecordsAHeldPressWouldKeepTheLatchShut) {
    // The same held press as above, but the device hands out nothing after the loss: the next
    // click is swallowed. Shows that the blank records are what re-arms the latch.
    clickMenuItem(1, 3);
    pressOk(2);
    moveToMenuItem(4, 1);
    input.mouse.insert({5, press()});  // release never arrives
    heldClick(11, 14);
    input.escapeFrames = {30};
    run();
    EXPECT_EQ(s.screen, ScreenId::DartsBar);
    EXPECT_EQ(s.framesDrawn, 0u);
}

}  // namespace
}  // namespace darts
