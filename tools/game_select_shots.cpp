// Pictures of the game-select and settings screens for checking them by eye: a few choices in
// both languages, drawn by the OpenGL device (SDL's offscreen driver where no display is set) and read back.
//
//   game-select-shots OUT_FOLDER      (run from the source folder, where data/ holds the roster)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "frontend/game_select_page.h"
#include "frontend/settings_page.h"
#include "gfx/cursor_icon.h"
#include "gfx/png_writer.h"

#include "offscreen_gl.h"

namespace {

using namespace darts;

struct Shot {
    const char* name;
    frontend::GameSelectWords words;
    int pointerX, pointerY;  // hovering over a control
    bool seatsChosen = true;  // false: the tournament's screen
    // Typed (UTF-8) into the name box of the seat under the pointer, the input method still
    // composing `composing` after it.
    const char* typed = nullptr;
    const char* composing = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: game-select-shots OUT_FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    std::string openError;
    std::optional<tools::OffscreenGl> gl = tools::openOffscreenGl(1, false, openError);
    if (!gl) {
        std::fprintf(stderr, "game-select-shots: %s\n", openError.c_str());
        return 1;
    }
    render::Device& device = *gl->device;

    const Shot shots[] = {
        {"default", {}, 579, 98},
        {"medley4",
         {{"game", "medley"},
          {"x01", "701"},
          {"in", "double"},
          {"out", "master"},
          {"bull", "fat"},
          {"rounds", "15"},
          {"legs", "5"},
          {"sides", "you,guest3,r18c4,c2"}},
         705,
         452},
        {"cricket3", {{"game", "cutthroat"}, {"sides", "guest5,r1,r12c7"}}, 640, 540},
        {"countup1", {{"game", "countup"}, {"sides", "you"}}, 650, 330},
        {"tournament", {{"game", "701"}, {"out", "double"}}, 680, 550, false},
        {"guests",
         {{"game", "cricket"}, {"sides", "you,guest2:Aki Mori,guest5,r8c3"}},
         700,
         456,
         true,
         "Ken ",
         "\xe3\x82\x84\xe3\x81\xbe"},  // "やま"
    };
    int failures = 0;
    // The frame as NAME_LANGUAGE.png in the folder.
    const auto save = [&](const std::string& name, Language language) {
        const std::optional<gfx::Image> frame = device.readFrame();
        const std::filesystem::path file = folder / (name + "_" + languageCode(language) + ".png");
        if (!frame || !gfx::writePng(file, *frame)) {
            std::fprintf(stderr, "cannot write %s\n", file.string().c_str());
            ++failures;
            return;
        }
        std::printf("%s\n", file.string().c_str());
    };
    for (Language language : {Language::Japanese, Language::English}) {
        auto state = std::make_unique<GameState>();
        state->language = language;
        state->selectedCharacter = 3;
        std::strcpy(state->players[kHuman].name, "TARO");
        if (auto cursor = gfx::loadCursorResource("IDC_CURSOR1")) {
            state->cursorTexture = device.createTexture(cursor->image);
        }
        frontend::GameSelectScreen screen(*state);
        for (const Shot& shot : shots) {
            std::string error;
            auto choice = frontend::choiceFromWords(shot.words, &error);
            if (!choice) {
                std::fprintf(stderr, "%s: %s\n", shot.name, error.c_str());
                ++failures;
                continue;
            }
            screen.activate(*choice, shot.seatsChosen);
            platform::UiEvent move;
            move.kind = platform::UiEvent::Kind::PointerMove;
            move.x = shot.pointerX;
            move.y = shot.pointerY;
            screen.handle(move);
            if (shot.typed != nullptr) {
                platform::UiEvent event = move;
                event.kind = platform::UiEvent::Kind::ButtonDown;
                screen.handle(event);
                event.kind = platform::UiEvent::Kind::Text;
                event.text = shot.typed;
                screen.handle(event);
                event.kind = platform::UiEvent::Kind::Composition;
                event.text = shot.composing;
                screen.handle(event);
            }
            screen.draw(device);
            save(shot.name, language);
        }
    }
    // The settings screen beside it: every row of the option table on the same plate.
    for (Language language : {Language::Japanese, Language::English}) {
        auto state = std::make_unique<GameState>();
        state->language = language;
        GameOptions options;
        options.barGames = true;
        const SettingsMenu menu(options, options, true);
        frontend::drawSettingsPage(*state, device, frontend::loadSettingsArt(device), menu, 640,
                                   400);
        save("settings", language);
    }
    return failures == 0 ? 0 : 1;
}
