// Text input where it enters the game: a paste arrives as what the name box can take, so that a
// demo stores exactly what the game took; and the input method shows its candidates at the name
// box where the window really shows it, black bars included.
#include <SDL.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "demos/demo_file.h"
#include "platform/sdl/sdl_input_internal.h"
#include "platform/sdl/sdl_window.h"

namespace darts::platform {
namespace {
SDL_Rect gInputMethodBox{};
}  // namespace
}  // namespace darts::platform

// The rectangle the input is last given for the candidates is kept, then handed on to SDL.
extern "C" void SDL_SetTextInputRect(const SDL_Rect* rect) {
    if (rect != nullptr) darts::platform::gInputMethodBox = *rect;
    using Set = void (*)(const SDL_Rect*);
    static const auto real = reinterpret_cast<Set>(dlsym(RTLD_NEXT, "SDL_SetTextInputRect"));
    real(rect);
}

namespace darts::platform {
namespace {

bool startVideo() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

TEST(TypedText, APasteArrivesAsWhatTheNameBoxTakesAndADemoKeepsAllOfIt) {
    if (!startVideo()) GTEST_SKIP() << "SDL video cannot start: " << SDL_GetError();
    // Tabs and line breaks the box would drop, past the demo's 1024 bytes of text, then a name.
    std::string pasted(1500, '\t');
    pasted += "Bob\r\n";
    for (int i = 0; i < 5000; ++i) pasted += "ダ";
    ASSERT_EQ(SDL_SetClipboardText(pasted.c_str()), 0) << SDL_GetError();
    SDL_Keysym ctrlV{};
    ctrlV.sym = SDLK_v;
    ctrlV.mod = KMOD_LCTRL;
    const std::optional<UiEvent> paste = editingKeyEvent(ctrlV);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    ASSERT_TRUE(paste.has_value());
    std::string expected = "Bob";
    for (int i = 0; i < 13; ++i) expected += "ダ";
    EXPECT_EQ(paste->text, expected);

    const std::string path = (std::filesystem::temp_directory_path() /
                              ("darts_paste_" + std::to_string(getpid()) + ".dem"))
                                 .string();
    std::string error;
    auto writer = DemoWriter::create(path, {}, error);
    ASSERT_NE(writer, nullptr) << error;
    writer->uiEvent(*paste);
    ASSERT_TRUE(writer->finish(0, 0, error)) << error;
    auto reader = DemoReader::open(path, error);
    std::filesystem::remove(path);
    ASSERT_NE(reader, nullptr) << error;
    DemoEvent stored;
    ASSERT_TRUE(reader->next(stored));
    EXPECT_EQ(stored.ui.kind, UiEvent::Kind::Paste);
    EXPECT_EQ(stored.ui.text, paste->text);
}

// A handheld's 1280 x 800 shows the picture at 1066 x 800 from x 107.
TEST(TypedText, TheCandidatesGoToTheNameBoxBetweenTheBars) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    WindowOptions options;
    options.windowed = true;
    // Kept open for the rest of the process, as the window tests keep theirs.
    static SdlGlWindow* const game = SdlGlWindow::create(options).window.release();
    if (game == nullptr) GTEST_SKIP() << "no game window on this video driver";
    SDL_SetWindowSize(game->sdlWindow(), 1280, 800);
    int width = 0, height = 0;
    SDL_GetWindowSize(game->sdlWindow(), &width, &height);
    if (width != 1280 || height != 800) GTEST_SKIP() << "this video driver keeps the window size";
    std::unique_ptr<SdlInput> input = createSdlInput(game->sdlWindow());
    input->setTextInput(true);
    // The name box is 350, 110, 100 x 30 on the picture, scaled by 1066 / 800.
    EXPECT_EQ(gInputMethodBox.x, 107 + 350 * 1066 / 800);
    EXPECT_EQ(gInputMethodBox.y, 110 * 800 / 600);
    EXPECT_EQ(gInputMethodBox.w, 100 * 1066 / 800);
    EXPECT_EQ(gInputMethodBox.h, 30 * 800 / 600);
    input->setTextInput(false);
}

}  // namespace
}  // namespace darts::platform
