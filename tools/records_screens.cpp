// Pictures of the records page, the bar games' rating page and their card after a game in both
// languages, to judge them by eye: eight characters, some with no games, some short of their
// tenth, some with a full 30 of a kind; a medley of three legs for three.
//
//   records-screens OUTDIR     (run from the source tree: it loads the game's assets)
//
// Uses SDL's offscreen driver unless SDL_VIDEODRIVER says otherwise.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "assets/asset_loading.h"
#include "games/leg_statistics.h"
#include "gfx/png_writer.h"
#include "render/award_overlay.h"
#include "render/statistics_card.h"

#include "offscreen_gl.h"

namespace {

using namespace darts;

// Games whose stat wanders around `centre`, rising by `rise` over them.
void rated(PlayerRecords& records, int character, RatedGame game, int count, double centre,
           double rise, double wobble) {
    for (int i = 0; i < count; ++i) {
        const double along = count > 1 ? double(i) / (count - 1) - 0.5 : 0;
        addRatedGame(records, character, game, centre + rise * along + wobble * std::sin(i * 1.7));
    }
}

PlayerRecords sampleRecords() {
    PlayerRecords records;
    for (int character : {1, 2, 3, 5}) {
        CharacterRecord& r = records.characters[character];
        r.played = 12 * character;
        r.won = 5 * character;
        r.darts = 300 * character;
        r.points = 5100 * character;
        r.bestDarts = 27;
        r.bestPoints = 540;
        r.awards[1] = character;
    }
    rated(records, 1, RatedGame::X01, 30, 72, 18, 6);      // a B climbing towards BB
    rated(records, 1, RatedGame::Cricket, 30, 2.4, 0.4, 0.3);
    rated(records, 2, RatedGame::X01, 6, 55, 0, 8);        // not rated yet
    rated(records, 3, RatedGame::Cricket, 14, 3.9, -0.3, 0.2);  // Cricket alone
    rated(records, 4, RatedGame::X01, 30, 118, 10, 5);     // an SA, no 301 matches
    rated(records, 4, RatedGame::Cricket, 22, 4.6, 0.2, 0.25);
    rated(records, 6, RatedGame::X01, 11, 30, 0, 3);       // below Rt 1: kept at 1
    return records;
}

// A leg thrown by a fixed run of darts, each side scattered around its own target.
games::PlayedLeg sampleLeg(int legNumber, games::LegGame game, int sides, uint32_t seed) {
    using namespace games;
    LegSetup setup;
    setup.game = game;
    setup.sides = sides;
    setup.x01.start = 501;
    setup.x01.roundLimit = 10;
    auto leg = makeLeg(setup);
    LegStatistics stats(setup);
    const Ring rings[] = {Ring::Single, Ring::Single, Ring::Triple, Ring::Double, Ring::Miss,
                          Ring::Single, Ring::Triple, Ring::OuterBull, Ring::InnerBull};
    for (int dart = 0; dart < 400 && !leg->over(); ++dart) {
        seed = seed * 1664525u + 1013904223u;
        const Ring ring = rings[(seed >> 24) % 9];
        const bool bull = ring == Ring::OuterBull || ring == Ring::InnerBull;
        const int number = bull ? 25 : game == LegGame::Cricket ? 15 + int((seed >> 8) % 6) : 20;
        const Hit hit{ring, ring == Ring::Miss ? 0 : number};
        const int side = leg->sideToThrow(), inTurn = leg->dartInTurn();
        stats.dart(*leg, side, inTurn, hit, leg->dart(hit));
    }
    return {legNumber, stats};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: records-screens OUTDIR\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::filesystem::create_directories(out);
    std::string error;
    std::optional<tools::OffscreenGl> gl = tools::openOffscreenGl(1, false, error);
    if (!gl) {
        std::fprintf(stderr, "records-screens: %s\n", error.c_str());
        return 1;
    }
    render::Device& device = *gl->device;
    const PlayerRecords records = sampleRecords();
    int failures = 0;
    for (Language language : {Language::Japanese, Language::English}) {
        auto owned = std::make_unique<GameState>();
        GameState& state = *owned;
        state.language = language;
        render::AssetOptions assetOptions;
        assetOptions.seed = 1;
        const render::AssetLoadResult loaded = render::loadAssets(state, device, assetOptions);
        if (!loaded.ok) {
            std::fprintf(stderr, "records-screens: %s\n", loaded.error.c_str());
            return 1;
        }
        render::loadAwardArt(state, device);
        const render::CardFonts fonts = render::createCardFonts(device);
        std::vector<games::Seat> seats(3);
        const char* const names[] = {"Mika", "\x8d\x82\x8b\xb4\x83\x6e\x83\x69", "Mr. Suzuki"};
        for (int i = 0; i < 3; ++i) seats[i].name = names[i];
        const std::vector<games::PlayedLeg> legs = {
            sampleLeg(1, games::LegGame::X01, 3, 7), sampleLeg(2, games::LegGame::Cricket, 3, 11),
            sampleLeg(3, games::LegGame::X01, 3, 5)};
        render::drawBarStatisticsCard(state, device, fonts, seats, legs, {1});
        std::optional<gfx::Image> card = device.readFrame();
        const std::string cardFile = std::string("bar-card-") + languageCode(language) + ".png";
        if (!card || !gfx::writePng(out / cardFile, *card)) ++failures;
        for (int page = 0; page < 2; ++page) {
            if (page == 0) {
                render::drawRecordsPage(state, device, fonts, records, true);
            } else {
                render::drawRatingPage(state, device, fonts, records);
            }
            std::optional<gfx::Image> frame = device.readFrame();
            const std::string file = std::string(page == 0 ? "records" : "rating") + "-" +
                                     languageCode(language) + ".png";
            if (!frame || !gfx::writePng(out / file, *frame)) {
                std::fprintf(stderr, "records-screens: could not write %s\n", file.c_str());
                ++failures;
            }
        }
    }
    return failures == 0 ? 0 : 1;
}
