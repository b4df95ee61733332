#include "games/game_awards.h"

#include <array>

namespace darts::games {

static_assert(static_cast<int>(GameAward::LowTon) == static_cast<int>(Award::LowTon) &&
                  kAwardKinds == static_cast<int>(GameAward::WhiteHorse),
              "the 301 game's awards lead the bar games' value for value");

GameAward gameAwardOf(Award award) { return static_cast<GameAward>(static_cast<int>(award)); }

std::string_view gameAwardTitle(GameAward award) {
    switch (award) {
        case GameAward::WhiteHorse: return "WHITE HORSE";
        case GameAward::NineMark: return "NINE MARK";
        case GameAward::EightMark: return "8 MARK";
        case GameAward::SevenMark: return "7 MARK";
        case GameAward::SixMark: return "6 MARK";
        case GameAward::FiveMark: return "5 MARK";
        default: break;
    }
    return awardTitle(static_cast<Award>(static_cast<int>(award)));
}

std::string_view gameAwardKey(GameAward award) {
    switch (award) {
        case GameAward::WhiteHorse: return "white_horse";
        case GameAward::NineMark: return "nine_mark";
        case GameAward::EightMark: return "mark8";
        case GameAward::SevenMark: return "mark7";
        case GameAward::SixMark: return "mark6";
        case GameAward::FiveMark: return "mark5";
        default: break;
    }
    return awardKey(static_cast<Award>(static_cast<int>(award)));
}

GameAward pointsTurnAward(const std::vector<Hit>& hits, const std::vector<int>& points, bool bust,
                          bool win) {
    if (hits.size() != 3 || points.size() != 3) return GameAward::None;
    std::array<DartHit, 3> darts;
    for (size_t i = 0; i < 3; ++i) {
        // The 301 game reads a bull as number 0: its sectors only are numbered.
        const bool bull = hits[i].ring == Ring::InnerBull || hits[i].ring == Ring::OuterBull;
        darts[i] = {hits[i].ring, bull ? 0 : hits[i].number, points[i]};
    }
    return gameAwardOf(awardForTurn(darts, bust, win));
}

GameAward cricketTurnAward(const std::vector<CricketTurnDart>& darts) {
    int marks = 0;
    for (const CricketTurnDart& dart : darts) marks += dart.marks;
    if (darts.size() == 3) {
        bool horse = true;
        for (size_t i = 0; i < 3; ++i) {
            const CricketTurnDart& dart = darts[i];
            horse = horse && dart.hit.ring == Ring::Triple && dart.freshTarget &&
                    dart.hit.number >= 15 && dart.hit.number <= 20;
            for (size_t j = 0; j < i; ++j) horse = horse && darts[j].hit.number != dart.hit.number;
        }
        if (horse) return GameAward::WhiteHorse;
    }
    if (marks >= 9) return GameAward::NineMark;
    if (marks < 5) return GameAward::None;
    return static_cast<GameAward>(static_cast<int>(GameAward::FiveMark) - (marks - 5));
}

}  // namespace darts::games
