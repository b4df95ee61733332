// The SDL input on a plain window of SDL's offscreen driver (dummy where offscreen is missing),
// fed with events pushed onto SDL's queue: the buffered mouse's records, its bound and its reads,
// the lost-device gap after focus loss and release(), Escape, and the character-select screen's
// events with their scaling onto the 800 x 600 picture. Skipped where SDL's video cannot start.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/sdl/sdl_input_internal.h"
#include "platform/sdl/sdl_keys.h"
#include "platform/sdl/sdl_window.h"

namespace darts::platform {
namespace {

std::string describe(const MouseRecord& record) {
    static const char* const kNames[] = {"X", "Y", "Wheel"};
    const auto object = static_cast<uint32_t>(record.object);
    const std::string name =
        object <= 8 ? kNames[object / 4] : "Button" + std::to_string(object - 12);
    return name + " " + std::to_string(record.data);
}

class SdlInputTest : public ::testing::Test {
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
        window_ = SDL_CreateWindow("input", 0, 0, 800, 600, SDL_WINDOW_HIDDEN);
        if (!window_) GTEST_SKIP() << "no SDL window: " << SDL_GetError();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);  // whatever making the window queued
        input_ = createSdlInput(window_);
    }

    void TearDown() override {
        input_.reset();
        if (window_) SDL_DestroyWindow(window_);
        if (started_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // 0 where the window's filter takes the event (F12 and the click after it).
    void push(SDL_Event event) { ASSERT_GE(SDL_PushEvent(&event), 0) << SDL_GetError(); }

    void motion(int xrel, int yrel, int x = 0, int y = 0) {
        SDL_Event e{};
        e.motion = {SDL_MOUSEMOTION, 0, windowId(), 0, 0, x, y, xrel, yrel};
        push(e);
    }
    void button(Uint8 which, bool down, int x = 0, int y = 0) {
        SDL_Event e{};
        e.button = {Uint32(down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP),
                    0,
                    windowId(),
                    0,
                    which,
                    Uint8(down ? SDL_PRESSED : SDL_RELEASED),
                    1,
                    0,
                    x,
                    y};
        push(e);
    }
    void wheel(int y, Uint32 direction = SDL_MOUSEWHEEL_NORMAL) {
        SDL_Event e{};
        e.wheel.type = SDL_MOUSEWHEEL;
        e.wheel.windowID = windowId();
        e.wheel.y = y;
        e.wheel.direction = direction;
        push(e);
    }
    void windowEvent(Uint8 what) {
        SDL_Event e{};
        e.window.type = SDL_WINDOWEVENT;
        e.window.windowID = windowId();
        e.window.event = what;
        push(e);
    }
    void key(SDL_Scancode scancode, bool down, bool repeat = false) {
        SDL_Event e{};
        e.key.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.windowID = windowId();
        e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        e.key.repeat = repeat ? 1 : 0;
        e.key.keysym.scancode = scancode;
        e.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
        push(e);
    }
    void text(Uint32 type, const char* utf8) {
        SDL_Event e{};
        e.type = type;
        if (type == SDL_TEXTINPUT) {
            SDL_strlcpy(e.text.text, utf8, sizeof e.text.text);
        } else {
            SDL_strlcpy(e.edit.text, utf8, sizeof e.edit.text);
        }
        push(e);
    }

    std::vector<std::string> read(int capacity = kMouseBufferSize) {
        std::vector<MouseRecord> records(static_cast<size_t>(capacity) + 1);
        const int n = input_->readMouse(records.data(), capacity);
        EXPECT_GE(n, 0);
        EXPECT_LE(n, capacity);
        std::vector<std::string> out;
        for (int i = 0; i < n; ++i) out.push_back(describe(records[static_cast<size_t>(i)]));
        return out;
    }

    // What a read that finds the mouse lost hands out: a full buffer of zeroed records.
    static std::vector<std::string> blank(int capacity = kMouseBufferSize) {
        return std::vector<std::string>(static_cast<size_t>(capacity), "X 0");
    }

    std::vector<UiEvent> pollAll() {
        std::vector<UiEvent> events;
        UiEvent event;
        while (input_->poll(event)) events.push_back(event);
        return events;
    }

    Uint32 windowId() const { return SDL_GetWindowID(window_); }

    bool started_ = false;
    SDL_Window* window_ = nullptr;
    std::unique_ptr<SdlInput> input_;
};

using Records = std::vector<std::string>;

// The input on the game's own window, whose filter takes F12 and the click after it: where the
// driver gives relative mode (an X server; tests/platform/sdl/on_x_server.sh runs it there).
class SdlInputOnGameWindowTest : public SdlInputTest {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        WindowOptions options;
        options.windowed = true;
        options.unpaced = true;
        // Kept open for the rest of the process, as the window's own tests keep theirs.
        static SdlGlWindow* const kept = SdlGlWindow::create(options).window.release();
        if (kept == nullptr) GTEST_SKIP() << "no game window";
        gameWindow_ = kept;
        window_ = kept->sdlWindow();
        input_ = SdlInput::create(*kept);
        if (!SDL_GetRelativeMouseMode()) GTEST_SKIP() << "this video driver has no relative mode";
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);  // whatever taking the mouse queued
    }
    void TearDown() override { input_.reset(); }

    SdlGlWindow* gameWindow_ = nullptr;
};

TEST_F(SdlInputTest, MotionGivesAnXThenAYRecordWithZeroPartsLeftOut) {
    motion(5, -3);
    motion(0, 7);
    motion(4, 0);
    motion(0, 0);
    EXPECT_EQ(read(), (Records{"X 5", "Y -3", "Y 7", "X 4"}));
    EXPECT_EQ(read(), Records{});  // read empty
}

TEST_F(SdlInputTest, ButtonsAndWheelGiveTheirOwnRecords) {
    button(SDL_BUTTON_LEFT, true);
    button(SDL_BUTTON_LEFT, false);
    button(SDL_BUTTON_RIGHT, true);
    button(SDL_BUTTON_MIDDLE, true);
    button(SDL_BUTTON_X1, true);
    button(SDL_BUTTON_X2, false);
    wheel(1);
    wheel(-2);
    wheel(1, SDL_MOUSEWHEEL_FLIPPED);  // "natural" scrolling: the hand turned towards the player
    wheel(0);                          // a sideways tilt only
    EXPECT_EQ(read(),
              (Records{"Button0 128", "Button0 0", "Button1 128", "Button2 128", "Button3 128",
                       "Button4 0", "Wheel 120", "Wheel -240", "Wheel -120"}));
}

TEST_F(SdlInputTest, AFullQueueKeepsTheOldestHundredRecords) {
    for (int i = 1; i <= 60; ++i) motion(i, -i);  // 120 records
    Records expected;
    for (int i = 1; i <= 50; ++i) {
        expected.push_back("X " + std::to_string(i));
        expected.push_back("Y " + std::to_string(-i));
    }
    EXPECT_EQ(read(200), expected);
    EXPECT_EQ(read(200), Records{});  // the rest was lost, not kept for later
}

TEST_F(SdlInputTest, SmallReadsHandOutTheOldestAndKeepTheRest) {
    for (int i = 1; i <= 5; ++i) motion(i, 10 * i);
    EXPECT_EQ(read(3), (Records{"X 1", "Y 10", "X 2"}));
    EXPECT_EQ(read(0), Records{});
    EXPECT_EQ(input_->readMouse(nullptr, 10), 0);
    motion(6, 0);
    EXPECT_EQ(read(4), (Records{"Y 20", "X 3", "Y 30", "X 4"}));
    EXPECT_EQ(read(4), (Records{"Y 40", "X 5", "Y 50", "X 6"}));
    EXPECT_EQ(read(4), Records{});
}

TEST_F(SdlInputTest, PeekingShowsWhatTheNextReadHandsOutAndTakesNothing) {
    motion(5, -3);
    button(SDL_BUTTON_LEFT, true);
    std::vector<MouseRecord> seen(kMouseBufferSize);
    ASSERT_EQ(input_->peekMouse(seen.data(), kMouseBufferSize), 3);
    EXPECT_EQ(describe(seen[0]), "X 5");
    EXPECT_EQ(describe(seen[2]), "Button0 128");
    EXPECT_EQ(input_->peekMouse(seen.data(), 1), 1);
    motion(1, 0);  // arrives between the peek and the read: the read hands it out too
    EXPECT_EQ(read(), (Records{"X 5", "Y -3", "Button0 128", "X 1"}));
    EXPECT_EQ(input_->peekMouse(seen.data(), kMouseBufferSize), 0);

    // A lost mouse has nothing waiting: its next read hands out blank records instead.
    windowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    motion(2, 2);
    EXPECT_EQ(input_->peekMouse(seen.data(), kMouseBufferSize), 0);
}

TEST_F(SdlInputTest, LosingTheFocusLosesTheQueueAndTheNextReadOnlyReacquires) {
    motion(1, 1);
    EXPECT_EQ(read(), (Records{"X 1", "Y 1"}));
    motion(2, 0);
    windowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    motion(3, 0);                  // the device is not ours while another window has the focus
    EXPECT_EQ(read(), blank());  // queued records went with the focus
    motion(4, 0);
    EXPECT_EQ(read(), blank());  // still in the background: nothing, every time
    windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    motion(5, 0);
    EXPECT_EQ(read(), blank());  // takes the mouse back, reads nothing
    motion(6, 0);
    EXPECT_EQ(read(), (Records{"X 6"}));
}

TEST_F(SdlInputTest, FocusLostAndRegainedBetweenTwoReadsStillCostsOneRead) {
    motion(1, 0);
    windowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    EXPECT_EQ(read(), blank());
    motion(2, 0);
    EXPECT_EQ(read(), (Records{"X 2"}));
}

TEST_F(SdlInputTest, APressWhoseReleaseWentElsewhereIsFollowedByBlankRecords) {
    // The press reaches the game; the focus goes before the release, which another window gets.
    button(SDL_BUTTON_LEFT, true, 10, 20);
    EXPECT_EQ(read(), (Records{"Button0 128"}));
    windowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    button(SDL_BUTTON_LEFT, false, 10, 20);
    EXPECT_EQ(read(5), blank(5));  // never more than was asked for
    windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    EXPECT_EQ(read(), blank());
    button(SDL_BUTTON_LEFT, true, 10, 20);
    EXPECT_EQ(read(), (Records{"Button0 128"}));
    EXPECT_EQ(input_->readMouse(nullptr, 0), 0);
}

TEST_F(SdlInputTest, EscapeIsDownFromPressToRelease) {
    EXPECT_FALSE(input_->escapeDown());
    key(SDL_SCANCODE_SPACE, true);
    EXPECT_FALSE(input_->escapeDown());
    key(SDL_SCANCODE_ESCAPE, true);
    EXPECT_TRUE(input_->escapeDown());
    EXPECT_TRUE(input_->escapeDown());  // held: still down on the next poll
    key(SDL_SCANCODE_ESCAPE, false);
    EXPECT_FALSE(input_->escapeDown());
}

TEST_F(SdlInputTest, AnEscapeTapBetweenTwoLooksIsSeenOnce) {
    key(SDL_SCANCODE_ESCAPE, true);
    key(SDL_SCANCODE_ESCAPE, false);
    EXPECT_TRUE(input_->escapeDown());
    EXPECT_FALSE(input_->escapeDown());
    // A tap while the window had no focus is not the game's.
    windowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    key(SDL_SCANCODE_ESCAPE, true);
    key(SDL_SCANCODE_ESCAPE, false);
    windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    EXPECT_FALSE(input_->escapeDown());  // re-acquires
    EXPECT_FALSE(input_->escapeDown());
}

TEST_F(SdlInputTest, TheKeyboardIsLostWithTheFocusAndReadsNothingOnceAfter) {
    key(SDL_SCANCODE_ESCAPE, true);
    windowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_FALSE(input_->escapeDown());
    windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    key(SDL_SCANCODE_ESCAPE, true);
    EXPECT_FALSE(input_->escapeDown());  // re-acquires
    EXPECT_TRUE(input_->escapeDown());
}

TEST_F(SdlInputTest, ReleaseLosesBothDevicesUntilEachHasReadNothingOnce) {
    motion(1, 0);
    input_->release();
    EXPECT_EQ(read(), blank());
    key(SDL_SCANCODE_ESCAPE, true);
    motion(2, 0);
    // The first frame back reads nothing from either device, whichever is polled first.
    EXPECT_FALSE(input_->escapeDown());
    EXPECT_TRUE(input_->escapeDown());
    EXPECT_EQ(read(), (Records{"X 2"}));
}

TEST_F(SdlInputTest, ReleaseLeavesRelativeModeAndReacquiringTakesItAgain) {
    if (!SDL_GetRelativeMouseMode()) GTEST_SKIP() << "this video driver has no relative mode";
    input_->release();
    EXPECT_FALSE(SDL_GetRelativeMouseMode());
    EXPECT_EQ(read(), blank());
    EXPECT_TRUE(SDL_GetRelativeMouseMode());
    windowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_EQ(read(), blank());
    EXPECT_FALSE(SDL_GetRelativeMouseMode());
}

// F1 and F2 are read on the title (and on the screens they open), which asks once a frame; other
// screens never ask. A press counts on the screen where it was made.
TEST_F(SdlInputTest, F1AndF2CountOnlyOnTheScreenWhereTheyWerePressed) {
    settingsKeyDown();  // the title's first frame starts watching the keys
    key(SDL_SCANCODE_F1, true);
    key(SDL_SCANCODE_F1, false);
    keysFramePresented();
    EXPECT_TRUE(settingsKeyDown()) << "a tap shorter than a frame, asked for in the next frame";
    EXPECT_FALSE(settingsKeyDown());

    // Tapped on the character-select screen, frames before the title comes back.
    key(SDL_SCANCODE_F1, true);
    key(SDL_SCANCODE_F1, false);
    keysFramePresented();
    keysFramePresented();
    EXPECT_FALSE(settingsKeyDown());

    // Held down there into the title, the keyboard repeating it: up until pressed anew.
    key(SDL_SCANCODE_F2, true);
    keysFramePresented();
    keysFramePresented();
    key(SDL_SCANCODE_F2, true, true);
    EXPECT_FALSE(recordsKeyDown());
    key(SDL_SCANCODE_F2, false);
    key(SDL_SCANCODE_F2, true);
    EXPECT_TRUE(recordsKeyDown());
    key(SDL_SCANCODE_F2, false);
    EXPECT_FALSE(recordsKeyDown());
}

TEST_F(SdlInputOnGameWindowTest, AMouseFreedByF12MovesNothingAndTheClickTakingItBackIsNoPress) {
    motion(1, 0);
    EXPECT_EQ(read(), (Records{"X 1"}));
    key(SDL_SCANCODE_F12, true);
    key(SDL_SCANCODE_F12, false);
    gameWindow_->present();  // the window lets the mouse go with its next frame
    ASSERT_FALSE(SDL_GetRelativeMouseMode());
    motion(40, -30, 400, 300);
    wheel(1);
    EXPECT_EQ(read(), Records{}) << "the freed pointer works the desktop, not the game";
    button(SDL_BUTTON_LEFT, true, 400, 300);
    button(SDL_BUTTON_LEFT, false, 400, 300);
    EXPECT_EQ(read(), Records{}) << "the click into the window only takes the mouse back";
    gameWindow_->present();
    EXPECT_TRUE(SDL_GetRelativeMouseMode());
    motion(2, 0);
    EXPECT_EQ(read(), (Records{"X 2"}));
}

TEST_F(SdlInputTest, CloseRequestsAreRememberedWhileTheGamePlaysOn) {
    EXPECT_FALSE(input_->closeRequested());
    windowEvent(SDL_WINDOWEVENT_CLOSE);
    motion(1, 0);
    EXPECT_EQ(read(), (Records{"X 1"}));
    EXPECT_TRUE(input_->closeRequested());

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    push(quit);
    EXPECT_FALSE(input_->escapeDown());  // a close request is not Escape
}

TEST_F(SdlInputTest, ScreenEventsCarryPositionsButtonsTextAndQuit) {
    input_->release();
    input_->setTextInput(true);  // SDL drops text events while text input is off
    motion(3, 4, 400, 300);
    button(SDL_BUTTON_LEFT, true, 10, 20);
    button(SDL_BUTTON_RIGHT, true, 10, 20);  // only the left button works the screen's buttons
    button(SDL_BUTTON_LEFT, false, 799, 599);
    text(SDL_TEXTEDITING, "か");
    text(SDL_TEXTEDITING, "");
    text(SDL_TEXTINPUT, "ダーツ");
    key(SDL_SCANCODE_A, true);
    key(SDL_SCANCODE_BACKSPACE, true);
    key(SDL_SCANCODE_BACKSPACE, false);
    windowEvent(SDL_WINDOWEVENT_CLOSE);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    push(quit);

    const std::vector<UiEvent> events = pollAll();
    using Kind = UiEvent::Kind;
    ASSERT_EQ(events.size(), 9u);
    EXPECT_EQ(events[0].kind, Kind::PointerMove);
    EXPECT_EQ(events[0].x, 400);
    EXPECT_EQ(events[0].y, 300);
    EXPECT_EQ(events[1].kind, Kind::ButtonDown);
    EXPECT_EQ(events[1].x, 10);
    EXPECT_EQ(events[1].y, 20);
    EXPECT_EQ(events[2].kind, Kind::ButtonUp);
    EXPECT_EQ(events[2].x, 799);
    EXPECT_EQ(events[2].y, 599);
    EXPECT_EQ(events[3].kind, Kind::Composition);
    EXPECT_EQ(events[3].text, "か");
    EXPECT_EQ(events[4].kind, Kind::Composition);
    EXPECT_EQ(events[4].text, "");
    EXPECT_EQ(events[5].kind, Kind::Text);
    EXPECT_EQ(events[5].text, "ダーツ");
    EXPECT_EQ(events[6].kind, Kind::Backspace);
    EXPECT_EQ(events[7].kind, Kind::Quit);
    EXPECT_EQ(events[8].kind, Kind::Quit);
    EXPECT_TRUE(input_->closeRequested());
    UiEvent none;
    EXPECT_FALSE(input_->poll(none));
}

TEST_F(SdlInputTest, LongCompositionsArriveWholeAndAreFreed) {
    input_->setTextInput(true);
    const std::string composing = "だーつばーのじょうれんさん";  // 39 bytes: past a fixed event
    SDL_Event e{};
    e.editExt.type = SDL_TEXTEDITING_EXT;
    e.editExt.windowID = windowId();
    e.editExt.text = SDL_strdup(composing.c_str());
    if (SDL_PushEvent(&e) != 1) {
        SDL_free(e.editExt.text);
        GTEST_SKIP() << "this SDL does not queue long compositions";
    }
    const std::vector<UiEvent> events = pollAll();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, UiEvent::Kind::Composition);
    EXPECT_EQ(events[0].text, composing);
    // A leak checker run sees whether the game's reads free it too.
    e.editExt.text = SDL_strdup(composing.c_str());
    ASSERT_EQ(SDL_PushEvent(&e), 1);
    EXPECT_EQ(read(), Records{});
}

TEST_F(SdlInputTest, DroppedFileNamesAreFreedByEitherReader) {
    for (int reader = 0; reader < 2; ++reader) {
        SDL_Event e{};
        e.drop.type = SDL_DROPFILE;
        e.drop.file = SDL_strdup("/tmp/some file.x");
        if (SDL_PushEvent(&e) != 1) {
            SDL_free(e.drop.file);
            GTEST_SKIP() << "file drops are turned off";
        }
        if (reader == 0) {
            EXPECT_EQ(read(), Records{});
        } else {
            EXPECT_TRUE(pollAll().empty());
        }
    }
}

TEST_F(SdlInputTest, PositionsScaleFromAStretchedWindowToThePicture) {
    SDL_SetWindowSize(window_, 1600, 900);
    int width = 0, height = 0;
    SDL_GetWindowSize(window_, &width, &height);
    if (width != 1600 || height != 900) GTEST_SKIP() << "this video driver keeps the window size";
    input_->release();
    motion(0, 0, 800, 450);
    button(SDL_BUTTON_LEFT, true, 1599, 899);
    button(SDL_BUTTON_LEFT, false, -1, -1);  // dragged off the window's top-left
    const std::vector<UiEvent> events = pollAll();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].x, 400);
    EXPECT_EQ(events[0].y, 300);
    EXPECT_EQ(events[1].x, 799);
    EXPECT_EQ(events[1].y, 599);
    EXPECT_LT(events[2].x, 0);
    EXPECT_LT(events[2].y, 0);
}

TEST_F(SdlInputTest, TextInputRunsOnlyWhileTheScreenAsksForIt) {
    EXPECT_FALSE(SDL_IsTextInputActive());  // off during play: an input method would eat keys
    input_->setTextInput(true);
    EXPECT_TRUE(SDL_IsTextInputActive());
    input_->setTextInput(false);
    EXPECT_FALSE(SDL_IsTextInputActive());
}

TEST(SdlInputPicture, InputMethodRectangleFollowsTheWindowScale) {
    const SDL_Rect box{350, 110, 100, 30};
    const SDL_Rect same = toWindowRect(box, {800, 600});
    EXPECT_EQ(same.x, 350);
    EXPECT_EQ(same.y, 110);
    EXPECT_EQ(same.w, 100);
    EXPECT_EQ(same.h, 30);
    const SDL_Rect doubled = toWindowRect(box, {1600, 1200});
    EXPECT_EQ(doubled.x, 700);
    EXPECT_EQ(doubled.y, 220);
    EXPECT_EQ(doubled.w, 200);
    EXPECT_EQ(doubled.h, 60);
    const SDL_Rect unknown = toWindowRect(box, {0, 0});  // no size yet: left as it is
    EXPECT_EQ(unknown.x, 350);
    EXPECT_EQ(toPictureX(123, {0, 0}), 123);
}

}  // namespace
}  // namespace darts::platform

namespace darts::platform {
namespace {

TEST(SdlEditingKeys, CaretKeysAndShortcutsBecomeEditsWithShiftCarried) {
    auto key = [](SDL_Keycode sym, Uint16 mod) {
        SDL_Keysym k{};
        k.sym = sym;
        k.mod = mod;
        return editingKeyEvent(k);
    };
    const struct {
        SDL_Keycode sym;
        Uint16 mod;
        int edit;
        int shift;
    } cases[] = {{SDLK_LEFT, 0, UiEvent::Left, 0},          {SDLK_RIGHT, KMOD_LSHIFT, UiEvent::Right, 1},
                 {SDLK_HOME, KMOD_RSHIFT, UiEvent::Home, 1}, {SDLK_END, 0, UiEvent::End, 0},
                 {SDLK_DELETE, 0, UiEvent::Delete, 0},       {SDLK_a, KMOD_LCTRL, UiEvent::SelectAll, 0},
                 {SDLK_c, KMOD_RCTRL, UiEvent::Copy, 0},     {SDLK_x, KMOD_LGUI, UiEvent::Cut, 0},
                 {SDLK_KP_ENTER, 0, UiEvent::Enter, 0}};
    for (const auto& c : cases) {
        const std::optional<UiEvent> event = key(c.sym, c.mod);
        ASSERT_TRUE(event) << c.sym;
        EXPECT_EQ(event->kind, UiEvent::Kind::Edit) << c.sym;
        EXPECT_EQ(event->x, c.edit) << c.sym;
        EXPECT_EQ(event->y, c.shift) << c.sym;
    }
    EXPECT_EQ(key(SDLK_BACKSPACE, 0)->kind, UiEvent::Kind::Backspace);
    EXPECT_FALSE(key(SDLK_a, 0)) << "a plain letter arrives as text";
    EXPECT_FALSE(key(SDLK_c, KMOD_SHIFT));
    EXPECT_FALSE(key(SDLK_F1, KMOD_CTRL));
}

}  // namespace
}  // namespace darts::platform
