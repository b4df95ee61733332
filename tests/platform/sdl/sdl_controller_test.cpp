// A game controller through the real input code: SDL's virtual joystick stands in for the pad,
// ControllerMouse turns it into SDL events, and the input's own translation makes the records the
// game reads. Times are given to the updates, so the motion's counts are exact.
#include "platform/sdl/sdl_controller.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/sdl/sdl_input_internal.h"
#include "platform/sdl/sdl_window.h"
#include "platform/sdl/virtual_gamepad.h"

namespace darts::platform {
namespace {

TEST(ControllerCurve, DeadInTheMiddleSlowNearItFastAtTheRim) {
    EXPECT_EQ(countsPerSecond(0), 0);
    EXPECT_EQ(countsPerSecond(kStickDeadZone), 0);
    EXPECT_EQ(countsPerSecond(-0.1), 0);
    EXPECT_DOUBLE_EQ(countsPerSecond(1), kFastestCounts);
    EXPECT_DOUBLE_EQ(countsPerSecond(-1), -kFastestCounts);
    EXPECT_DOUBLE_EQ(countsPerSecond(2), kFastestCounts);  // never beyond the rim
    // Half way out of the dead zone gives a quarter of the speed: fine aim near the centre.
    EXPECT_NEAR(countsPerSecond(kStickDeadZone + (1 - kStickDeadZone) / 2), kFastestCounts / 4,
                1e-9);
    EXPECT_DOUBLE_EQ(dpadDeflection(0), 0.25);
    EXPECT_DOUBLE_EQ(dpadDeflection(800), 1);
    EXPECT_DOUBLE_EQ(dpadDeflection(5000), 1);
}

class ControllerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            setenv("SDL_VIDEODRIVER", "dummy", 1);
            if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
                GTEST_SKIP() << "SDL video cannot start: " << SDL_GetError();
            }
        }
        started_ = true;
        window_ = SDL_CreateWindow("pad", 0, 0, 800, 600, SDL_WINDOW_HIDDEN);
        if (!window_) GTEST_SKIP() << "no SDL window: " << SDL_GetError();
        controllers_ = std::make_unique<ControllerMouse>(window_);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }

    void TearDown() override {
        for (SDL_Joystick* pad : pads_) SDL_JoystickClose(pad);
        controllers_.reset();
        for (int i = SDL_NumJoysticks() - 1; i >= 0; --i) {
            if (SDL_JoystickIsVirtual(i)) SDL_JoystickDetachVirtual(i);
        }
        if (window_) SDL_DestroyWindow(window_);
        if (started_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // How often a pad's motors were started, and at what strength last.
    struct Motors {
        int starts = 0;
        Uint16 low = 0, high = 0;
    };
    static int SDLCALL rumbleMotors(void* userdata, Uint16 low, Uint16 high) {
        auto* motors = static_cast<Motors*>(userdata);
        if (low == 0 && high == 0) return 0;  // stopped
        ++motors->starts;
        motors->low = low;
        motors->high = high;
        return 0;
    }
    // Kept with the fixture: SDL stops the motors when the pads close, after the test's body.
    Motors motors_[2];

    // Plugs in a virtual game controller; returns its joystick for setting buttons and axes.
    // With `motors` the pad can rumble and tells them what it was asked.
    SDL_Joystick* plugIn(Motors* motors = nullptr) {
        SDL_VirtualJoystickDesc desc = darts::test_support::virtualGamepadDesc();
        if (motors != nullptr) {
            desc.userdata = motors;
            desc.Rumble = rumbleMotors;
        }
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        EXPECT_GE(index, 0) << SDL_GetError();
        SDL_Joystick* pad = SDL_JoystickOpen(index);
        EXPECT_NE(pad, nullptr) << SDL_GetError();
        pads_.push_back(pad);
        return pad;
    }

    void unplug(SDL_Joystick* pad) {
        const SDL_JoystickID id = SDL_JoystickInstanceID(pad);
        SDL_JoystickClose(pad);
        std::erase(pads_, pad);
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
        }
    }

    // What the game would read after an update at `nowMs`.
    std::vector<std::string> recordsAt(uint32_t nowMs) {
        controllers_->update(nowMs);
        MouseRecordQueue queue;
        SDL_Event event;
        std::vector<std::string> out;
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) {
                if (event.key.keysym.scancode == SDL_SCANCODE_ESCAPE) {
                    out.push_back(event.type == SDL_KEYDOWN ? "Escape down" : "Escape up");
                }
            }
            if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) {
                clicks.push_back({event.button.x, event.button.y});
            }
            queueMouseRecords(event, queue);
        }
        MouseRecord records[kMouseBufferSize];
        const int n = queue.take(records, kMouseBufferSize);
        for (int i = 0; i < n; ++i) {
            const auto object = static_cast<uint32_t>(records[i].object);
            const std::string name = object == 0 ? "X" : object == 4 ? "Y" : "Button0";
            out.push_back(name + " " + std::to_string(records[i].data));
        }
        return out;
    }

    struct Point {
        int x, y;
    };
    std::vector<Point> clicks;
    bool started_ = false;
    SDL_Window* window_ = nullptr;
    std::unique_ptr<ControllerMouse> controllers_;
    std::vector<SDL_Joystick*> pads_;
};

using Records = std::vector<std::string>;

TEST_F(ControllerTest, TheStickMovesByItsCurveInWholeCountsKeepingTheFractions) {
    SDL_Joystick* pad = plugIn();
    EXPECT_TRUE(recordsAt(1000).empty());
    EXPECT_EQ(controllers_->controllersOpen(), 1);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 32767);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, -32768);
    // Full right and up for 50 ms: 300 counts/s gives 15 counts on each axis.
    EXPECT_EQ(recordsAt(1050), (Records{"X 15", "Y -15"}));
    // 1 ms more is 0.3 of a count: nothing yet, but three more ms bring the count.
    EXPECT_TRUE(recordsAt(1051).empty());
    EXPECT_EQ(recordsAt(1054), (Records{"X 1", "Y -1"}));
    // Inside the dead zone: still, and the fractions are dropped.
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 3000);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, 0);
    EXPECT_TRUE(recordsAt(2000).empty());
    // A long stall moves no more than a tenth of a second would.
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, -32768);
    EXPECT_EQ(recordsAt(9000), (Records{"X -30"}));
}

TEST_F(ControllerTest, TheDpadStartsSlowAndSpeedsUp) {
    SDL_Joystick* pad = plugIn();
    recordsAt(0);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 1);
    recordsAt(100);  // pressed now: a quarter deflection, about 4 counts/s
    // 100 ms later it has grown to about 16 counts/s: one count in all.
    EXPECT_EQ(recordsAt(200), (Records{"Y 1"}));
    // Held long enough it moves at full speed: 100 ms is 30 counts.
    recordsAt(1000);
    EXPECT_EQ(recordsAt(1100), (Records{"Y 30"}));
}

TEST_F(ControllerTest, AIsTheLeftButtonAndAnUnpluggedPadLetsGo) {
    SDL_Joystick* pad = plugIn();
    recordsAt(0);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 1);
    EXPECT_EQ(recordsAt(10), (Records{"Button0 128"}));
    EXPECT_TRUE(recordsAt(300).empty());  // held: no repeats
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 0);
    EXPECT_EQ(recordsAt(310), (Records{"Button0 0"}));
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 1);
    EXPECT_EQ(recordsAt(320), (Records{"Button0 128"}));
    // Pulled out with A held: the button comes up, and the pad is gone.
    unplug(pad);
    EXPECT_EQ(recordsAt(330), (Records{"Button0 0"}));
    EXPECT_EQ(controllers_->controllersOpen(), 0);
    // Plugged in again it plays on.
    SDL_Joystick* again = plugIn();
    recordsAt(340);
    EXPECT_EQ(controllers_->controllersOpen(), 1);
    SDL_JoystickSetVirtualButton(again, SDL_CONTROLLER_BUTTON_A, 1);
    EXPECT_EQ(recordsAt(350), (Records{"Button0 128"}));
}

TEST_F(ControllerTest, BackIsEscapeOnlyAfterASecond) {
    SDL_Joystick* pad = plugIn();
    recordsAt(0);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_BACK, 1);
    EXPECT_TRUE(recordsAt(100).empty());
    EXPECT_TRUE(recordsAt(1099).empty());
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_BACK, 0);
    EXPECT_TRUE(recordsAt(1100).empty());  // a tap, however long short of a second, is nothing
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_BACK, 1);
    EXPECT_TRUE(recordsAt(2000).empty());
    EXPECT_EQ(recordsAt(3000), (Records{"Escape down"}));
    EXPECT_TRUE(recordsAt(3500).empty());
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_BACK, 0);
    EXPECT_EQ(recordsAt(3600), (Records{"Escape up"}));
}

TEST_F(ControllerTest, ShouldersPressTheArrowsWhereverThePointerIs) {
    if (SDL_GetRelativeMouseMode()) GTEST_SKIP() << "the pointer is held";
    SDL_Joystick* pad = plugIn();
    recordsAt(0);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 1);
    recordsAt(10);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 0);
    recordsAt(20);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 1);
    recordsAt(30);
    ASSERT_EQ(clicks.size(), 3u);
    EXPECT_EQ(clicks[0].x, 262 + 20);
    EXPECT_EQ(clicks[0].y, 500 + 17);
    EXPECT_EQ(clicks[1].x, 282);
    EXPECT_EQ(clicks[2].x, 148 + 20);
}

// The game's window at a handheld's 1280 x 800 shows the picture between bars (1066 x 800 from
// x 107), and its pointer events reach the picture through them: the shoulders must still land on
// the arrows, and the stick must move the system pointer to where A will click.
TEST_F(ControllerTest, WithBarsTheShouldersHitTheArrowsAndTheStickMovesTheShownPointer) {
    WindowOptions options;
    options.windowed = true;
    // Kept open for the rest of the process, as the window tests keep theirs.
    static SdlGlWindow* const game = SdlGlWindow::create(options).window.release();
    if (game == nullptr) GTEST_SKIP() << "no game window on this video driver";
    SDL_Window* window = game->sdlWindow();
    SDL_SetWindowSize(window, 1280, 800);
    const WindowExtent extent{1280, 800};
    int width = 0, height = 0;
    SDL_GetWindowSize(window, &width, &height);
    if (width != extent.width || height != extent.height) GTEST_SKIP() << "fixed window size";
    if (SDL_GetRelativeMouseMode()) GTEST_SKIP() << "the pointer is held";
    controllers_ = std::make_unique<ControllerMouse>(window);
    SDL_Joystick* pad = plugIn();
    SDL_WarpMouseInWindow(window, 640, 400);
    recordsAt(0);
    clicks.clear();

    for (int right = 0; right < 2; ++right) {
        const auto shoulder =
            right ? SDL_CONTROLLER_BUTTON_RIGHTSHOULDER : SDL_CONTROLLER_BUTTON_LEFTSHOULDER;
        SDL_JoystickSetVirtualButton(pad, shoulder, 1);
        recordsAt(10);
        SDL_JoystickSetVirtualButton(pad, shoulder, 0);
        recordsAt(20);
    }
    ASSERT_EQ(clicks.size(), 4u);
    for (size_t i = 0; i < clicks.size(); ++i) {
        const int arrowLeft = i < 2 ? 148 : 262;
        const int x = toPictureX(clicks[i].x, extent), y = toPictureY(clicks[i].y, extent);
        EXPECT_TRUE(x >= arrowLeft && x < arrowLeft + 40 && y >= 500 && y < 535)
            << "click " << i << " at " << x << ", " << y;
    }

    // Full right for 50 ms: 15 counts, 45 window pixels. The system pointer goes there, and A
    // clicks the picture where that pointer is shown.
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 32767);
    recordsAt(70);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 0);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 1);
    recordsAt(80);
    int shownX = 0, shownY = 0;
    SDL_GetMouseState(&shownX, &shownY);
    EXPECT_EQ(shownX, 640 + 45);
    EXPECT_EQ(shownY, 400);
    ASSERT_EQ(clicks.size(), 5u);
    const SDL_Rect clicked = pictureRectInWindow(
        window, {toPictureX(clicks[4].x, extent), toPictureY(clicks[4].y, extent), 0, 0});
    EXPECT_NEAR(clicked.x, shownX, 2);
    EXPECT_NEAR(clicked.y, shownY, 2);
}

// The whole way: the game's input on a window reads the controller's records.
TEST_F(ControllerTest, TheGamesInputReadsThePadAsAMouse) {
    controllers_.reset();  // the input brings its own
    std::unique_ptr<SdlInput> input = createSdlInput(window_);
    SDL_Joystick* pad = plugIn();
    MouseRecord records[kMouseBufferSize];
    input->readMouse(records, kMouseBufferSize);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 1);
    int n = input->readMouse(records, kMouseBufferSize);
    ASSERT_EQ(n, 1);
    EXPECT_EQ(records[0].object, MouseObject::Button0);
    EXPECT_EQ(records[0].data, kButtonPressed);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 0);
    n = input->readMouse(records, kMouseBufferSize);
    ASSERT_EQ(n, 1);
    EXPECT_EQ(records[0].data, 0u);
    EXPECT_FALSE(input->escapeDown());
    input.reset();
}

TEST_F(ControllerTest, TheBoardHitRumblesEveryPadThatCanUnlessRumbleIsOff) {
    Motors& first = motors_[0];
    Motors& second = motors_[1];
    SDL_Joystick* pad = plugIn(&first);
    plugIn(&second);
    plugIn();  // a pad without motors is simply left out
    recordsAt(1000);
    ASSERT_EQ(controllers_->controllersOpen(), 3);
    controllers_->rumble();
    EXPECT_EQ(first.starts, 1);
    EXPECT_EQ(second.starts, 1);
    EXPECT_GT(first.low, 0);
    EXPECT_GT(first.high, 0);
    // The motors stopped (as they do after the short rumble), then the setting off: the next
    // hit shakes nothing; on again, it does.
    SDL_JoystickRumble(pad, 0, 0, 0);
    controllers_->setRumble(false);
    controllers_->rumble();
    EXPECT_EQ(first.starts, 1);
    controllers_->setRumble(true);
    controllers_->rumble();
    EXPECT_EQ(first.starts, 2);
}

}  // namespace
}  // namespace darts::platform
