// Pictures of the bar games' scoreboard and pauses over the match scene, in both languages, to
// judge them by eye: a 01 for four, Cricket for three, Count-Up, Cut-throat and Count-Up in a
// medley, a medley's leg over, a game decided by the cork and the hand-over between humans.
//
//   bar-screens OUTDIR [--sharp]     (run from the source tree: it loads the game's assets)
//
// --sharp draws the sharp picture at twice the frame's size. Uses SDL's offscreen driver unless
// SDL_VIDEODRIVER says otherwise.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/asset_loading.h"
#include "gfx/png_writer.h"
#include "match/flight.h"
#include "render/bar_overlays.h"
#include "render/bar_scoreboard.h"
#include "render/hud.h"
#include "render/match_scene.h"

#include "offscreen_gl.h"

namespace {

using namespace darts;
using namespace darts::games;

// Names as the roster keeps them (Shift-JIS) and English ones of the longest length allowed.
const char* const kJapaneseNames[] = {"\x83\x7e\x83\x4a", "\x8d\x82\x8b\xb4\x83\x6e\x83\x69",
                                      "\x83\x5e\x83\x8d\x83\x45", "\x97\xe9\x96\xd8\x90\xe6\x90\xb6"};
const char* const kEnglishNames[] = {"Mika", "Hana Takaha", "Taro", "Mr. Suzuki"};

BarSeatView seat(Language language, int index, bool human) {
    BarSeatView s;
    s.name = (language == Language::English ? kEnglishNames : kJapaneseNames)[index];
    s.character = index * 2 + 1;
    s.human = human;
    return s;
}

BarBoardView x01FourSeats(Language language) {
    BarBoardView v;
    v.game = "501";
    v.out = OutRule::Double;
    v.round = 7;
    v.roundLimit = 15;
    v.thrower = 2;
    const int left[] = {141, 88, 121, 301};
    for (int i = 0; i < 4; ++i) {
        v.seats.push_back(seat(language, i, i == 0));
        v.seats.back().left = left[i];
    }
    return v;
}

BarBoardView cricketThreeSeats(Language language) {
    BarBoardView v;
    v.game = "cricket";
    v.legGame = LegGame::Cricket;
    v.round = 9;
    v.roundLimit = 20;
    v.thrower = 1;
    const std::array<int, 7> marks[] = {
        {3, 3, 1, 2, 3, 3, 0}, {3, 3, 0, 3, 3, 3, 2}, {3, 0, 2, 1, 3, 3, 1}};
    const int points[] = {57, 40, 0};
    for (int i = 0; i < 3; ++i) {
        v.seats.push_back(seat(language, i, i != 2));
        v.seats.back().marks = marks[i];
        v.seats.back().points = points[i];
    }
    v.closedForAll = {true, false, false, false, true, true, false};
    return v;
}

BarBoardView countUp(Language language) {
    BarBoardView v;
    v.game = "countup";
    v.legGame = LegGame::CountUp;
    v.round = 6;
    v.roundLimit = 8;
    v.thrower = 0;
    const std::vector<int> totals[] = {{60, 45, 180, 26, 81}, {100, 57, 41, 140, 95, 60}};
    for (int i = 0; i < 2; ++i) {
        v.seats.push_back(seat(language, i, i == 0));
        v.seats.back().roundTotals = totals[i];
        for (int t : totals[i]) v.seats.back().points += t;
    }
    return v;
}

BarBoardView medleyCutThroat(Language language) {
    BarBoardView v = cricketThreeSeats(language);
    v.game = "cutthroat";
    v.legs = 5;
    v.leg = 4;
    v.seats.push_back(seat(language, 3, false));
    v.seats.back().marks = {1, 2, 3, 0, 0, 3, 3};
    v.seats.back().points = 120;
    for (int i = 0; i < 4; ++i) v.seats[i].legsWon = (i * 3) % 4;
    return v;
}

BarBoardView medleyCountUp(Language language) {
    BarBoardView v = countUp(language);
    v.roundLimit = 10;
    v.round = 10;
    v.legs = 3;
    v.leg = 3;
    for (int i = 2; i < 4; ++i) {
        v.seats.push_back(seat(language, i, false));
        v.seats.back().roundTotals = {20, 40, 60, 80, 100, 120, 140, 160, 180, 19};
        v.seats.back().points = 919;
    }
    v.seats[0].legsWon = 1;
    v.seats[2].legsWon = 1;
    return v;
}

BarBoardView medleyLegOver(Language language) {
    BarBoardView v = x01FourSeats(language);
    v.seats.resize(2);
    v.thrower = 1;
    v.seats[1].left = 0;
    v.legs = 3;
    v.leg = 2;
    v.seats[0].legsWon = 1;
    v.seats[1].legsWon = 1;
    v.pause = BarPause::LegOver;
    v.winners = {1};
    v.why = LegEndReason::Out;
    return v;
}

BarBoardView corkMatchOver(Language language) {
    BarBoardView v = x01FourSeats(language);
    v.seats.resize(3);
    v.game = "cork";
    v.seats[0].corkMillimetres = 31.4;
    v.seats[1].corkMillimetres = 4.2;
    v.seats[2].corkMillimetres = -1;
    v.pause = BarPause::MatchOver;
    v.winners = {1};
    v.why = LegEndReason::Cork;
    return v;
}

BarBoardView handOver(Language language) {
    BarBoardView v = cricketThreeSeats(language);
    v.pause = BarPause::HandOver;
    v.thrower = 1;
    return v;
}

BarBoardView chooseGame(Language language) {
    BarBoardView v = medleyLegOver(language);
    v.leg = 2;
    v.pause = BarPause::ChooseGame;
    v.thrower = 1;
    v.choice = games::LegGame::Cricket;
    v.x01Start = 701;
    return v;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bar-screens OUTDIR [--sharp]\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    const bool sharp = argc > 2 && std::strcmp(argv[2], "--sharp") == 0;
    std::filesystem::create_directories(out);
    std::string error;
    std::optional<tools::OffscreenGl> gl = tools::openOffscreenGl(sharp ? 2 : 1, sharp, error);
    if (!gl) {
        std::fprintf(stderr, "bar-screens: %s\n", error.c_str());
        return 1;
    }
    render::Device& device = *gl->device;

    struct Shot {
        const char* name;
        BarBoardView (*view)(Language);
    };
    const Shot shots[] = {{"x01-4-seats", x01FourSeats},      {"cricket-3-seats", cricketThreeSeats},
                          {"countup", countUp},                {"cutthroat-medley", medleyCutThroat},
                          {"countup-medley", medleyCountUp},   {"medley-legover", medleyLegOver},
                          {"cork-matchover", corkMatchOver},   {"handover", handOver},
                          {"choose-game", chooseGame}};
    int failures = 0;
    for (Language language : {Language::Japanese, Language::English}) {
        auto owned = std::make_unique<GameState>();
        GameState& state = *owned;
        state.language = language;
        render::AssetOptions assetOptions;
        assetOptions.seed = 1;
        const render::AssetLoadResult loaded = render::loadAssets(state, device, assetOptions);
        if (!loaded.ok || !render::createFonts(state, device)) {
            std::fprintf(stderr, "bar-screens: %s\n", loaded.error.c_str());
            return 1;
        }
        const render::BarFonts fonts = render::createBarFonts(device);
        state.matchPhase = MatchPhase::HumanTurn;
        state.dartState = DartState::InHand;
        for (const Shot& shot : shots) {
            const BarBoardView view = shot.view(language);
            device.beginFrame();
            render::setMatchCamera(state, device);
            device.setTransform(render::TransformKind::World,
                                placeObject(state, PlaceMode::Room, 0));
            render::drawMeshAsset(device, state.roomModel);
            device.setTransform(render::TransformKind::World,
                                placeObject(state, PlaceMode::Board, 0));
            render::drawMeshAsset(device, state.boardModel);
            render::drawShotPanel(state, device);
            render::drawAimOverlays(state, device);
            render::drawBarScoreboard(state, view, device, fonts);
            render::drawBarPause(state, view, device, fonts);
            std::optional<gfx::Image> frame = device.readFrame();
            device.endFrame();
            const std::string file = std::string(shot.name) + "-" + languageCode(language) +
                                     (sharp ? "-sharp" : "") + ".png";
            if (!frame || !gfx::writePng(out / file, *frame)) {
                std::fprintf(stderr, "bar-screens: could not write %s\n", file.c_str());
                ++failures;
            }
        }
    }
    return failures == 0 ? 0 : 1;
}
