#include "platform/sdl/sdl_window.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace darts::platform {
namespace {

// An environment variable set (or unset, for null) for one scope, as it was afterwards.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* previous = std::getenv(name)) saved_ = previous;
        if (value) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedVariable() {
        if (saved_) {
            setenv(name_, saved_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    const char* name_;
    std::optional<std::string> saved_;
};

// These run before any window is opened in this process (a whole-program run keeps suites in
// order).
TEST(SdlWindowStart, NoVideoGivesOneLineSayingWhy) {
    WindowResult result;
    {
        ScopedVariable driver("SDL_VIDEODRIVER", "no-such-driver");
        result = SdlGlWindow::create({});
    }
    EXPECT_EQ(result.window, nullptr);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(result.error.find('\n'), std::string::npos);
}

// With no display to reach, SDL would settle on its offscreen driver and the game would play
// unseen: refused, unless the offscreen driver is asked for by name.
TEST(SdlWindowStart, NoDisplayIsRefusedRatherThanPlayedOffscreen) {
    WindowResult result;
    {
        ScopedVariable driver("SDL_VIDEODRIVER", nullptr), x("DISPLAY", nullptr),
            wayland("WAYLAND_DISPLAY", nullptr);
        result = SdlGlWindow::create({});
    }
    if (result.window) GTEST_SKIP() << "this machine has a screen of its own (a console's KMS)";
    EXPECT_NE(result.error.find("no display"), std::string::npos) << result.error;
}

// Runs with SDL's offscreen driver (no display needed) unless the caller chose a driver. One
// window stays open for the rest of the process: closing the last GL window unloads the driver,
// whose own start-up allocations would then show as leaks.
class SdlWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        static SdlGlWindow* const keptOpen = SdlGlWindow::create({}).window.release();
        (void)keptOpen;
    }
    static WindowResult open(WindowOptions options) { return SdlGlWindow::create(options); }
};

TEST_F(SdlWindowTest, MakesAn800By600WindowWithAPicturedContext) {
    WindowOptions options;
    options.windowed = true;
    WindowResult result = open(options);
    if (!result.window) GTEST_SKIP() << result.error;
    EXPECT_TRUE(result.error.empty());
    const DrawableSize size = result.window->drawableSize();
    EXPECT_EQ(size.width, kWindowWidth);
    EXPECT_EQ(size.height, kWindowHeight);
    // The offscreen display reports no refresh rate: vertical sync cannot pace the game, so the
    // limiter does.
    EXPECT_EQ(result.window->pacing(), PacingMode::Limiter);
}

TEST_F(SdlWindowTest, UnpacedWindowsPresentWithoutWaiting) {
    WindowOptions options;
    options.unpaced = true;
    options.windowed = true;
    WindowResult result = open(options);
    if (!result.window) GTEST_SKIP() << result.error;
    EXPECT_EQ(result.window->pacing(), PacingMode::Unpaced);
    EXPECT_FALSE(result.window->displaySwitched());
    const double start = result.window->clock().seconds();
    for (int i = 0; i < 30; ++i) result.window->present();
    EXPECT_LT(result.window->clock().seconds() - start, 30 * kFramePeriod);
}

TEST_F(SdlWindowTest, PacedWindowsTakeAFrameSlotPerPresent) {
    WindowResult result = open({});
    if (!result.window) GTEST_SKIP() << result.error;
    result.window->present();
    const double start = result.window->clock().seconds();
    for (int i = 0; i < 6; ++i) result.window->present();
    EXPECT_GE(result.window->clock().seconds() - start, 5 * kFramePeriod);
}

TEST_F(SdlWindowTest, RestoringTheDisplayModeIsSafeToRepeat) {
    WindowResult result = open({});
    if (!result.window) GTEST_SKIP() << result.error;
    // The offscreen display has a single mode other than 800 x 600: the switch is refused and
    // the game plays in its window; restoring then has nothing to undo.
    result.window->restore();
    result.window->restore();
    EXPECT_FALSE(result.window->displaySwitched());
    EXPECT_EQ(result.window->drawableSize().width, kWindowWidth);
}

TEST_F(SdlWindowTest, WindowTakesAnIcon) {
    WindowOptions options;
    options.windowed = true;
    options.icon = gfx::Image{2, 2, std::vector<uint8_t>(16, 200)};
    WindowResult withIcon = open(options);
    if (!withIcon.window) GTEST_SKIP() << withIcon.error;
    withIcon.window.reset();
    options.icon = gfx::Image{2, 2, std::vector<uint8_t>(3, 0)};  // inconsistent: ignored
    EXPECT_NE(open(options).window, nullptr);
}

TEST_F(SdlWindowTest, ByDefaultCoversTheScreenOnTheDesktopsMode) {
    WindowResult result = open({});
    if (!result.window) GTEST_SKIP() << result.error;
    EXPECT_TRUE(result.window->fullScreen());
    EXPECT_FALSE(result.window->displaySwitched());
    SDL_DisplayMode mode{};
    ASSERT_EQ(SDL_GetCurrentDisplayMode(0, &mode), 0) << SDL_GetError();
    const DrawableSize size = result.window->drawableSize();
    EXPECT_EQ(size.width, mode.w);
    EXPECT_EQ(size.height, mode.h);
    // Leaving full screen gives a window of a whole multiple of 800 x 600.
    result.window->restore();
    EXPECT_FALSE(result.window->fullScreen());
    EXPECT_EQ(result.window->drawableSize().width % kWindowWidth, 0);
    EXPECT_EQ(result.window->drawableSize().height % kWindowHeight, 0);
}

TEST_F(SdlWindowTest, ScaleChoosesTheWindowsMultiple) {
    WindowOptions options;
    options.windowed = true;
    options.scale = 2;
    WindowResult result = open(options);
    if (!result.window) GTEST_SKIP() << result.error;
    int width = 0, height = 0;
    SDL_GetWindowSize(result.window->sdlWindow(), &width, &height);
    EXPECT_EQ(width, 2 * kWindowWidth);
    EXPECT_EQ(height, 2 * kWindowHeight);
}

// Alt+Enter is the window's: the game's input never reads it (nor the Return key's release,
// even after Alt is let go), and the next present toggles full screen. Plain Return still
// reaches the game.
TEST_F(SdlWindowTest, AltEnterTogglesFullScreenUnseenByTheGame) {
    WindowOptions options;
    options.windowed = true;
    options.unpaced = true;
    WindowResult result = open(options);
    if (!result.window) GTEST_SKIP() << result.error;
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    auto key = [](Uint32 type, SDL_Keycode sym, Uint16 mod) {
        SDL_Event event{};
        event.type = type;
        event.key.type = type;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = sym;
        event.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
        event.key.keysym.mod = mod;
        SDL_PushEvent(&event);
    };
    auto keyEvents = [] {
        int count = 0;
        SDL_Event event;
        while (SDL_PollEvent(&event)) count += event.type == SDL_KEYDOWN || event.type == SDL_KEYUP;
        return count;
    };
    key(SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT);
    key(SDL_KEYUP, SDLK_RETURN, KMOD_NONE);  // Alt already released
    EXPECT_EQ(keyEvents(), 0);
    EXPECT_FALSE(result.window->fullScreen());
    result.window->present();
    EXPECT_TRUE(result.window->fullScreen());
    key(SDL_KEYDOWN, SDLK_KP_ENTER, KMOD_RALT);
    EXPECT_EQ(keyEvents(), 0);
    result.window->present();
    EXPECT_FALSE(result.window->fullScreen());
    key(SDL_KEYDOWN, SDLK_RETURN, KMOD_NONE);
    key(SDL_KEYUP, SDLK_RETURN, KMOD_NONE);
    EXPECT_EQ(keyEvents(), 2);
    result.window->present();
    EXPECT_FALSE(result.window->fullScreen());
}

}  // namespace
}  // namespace darts::platform
