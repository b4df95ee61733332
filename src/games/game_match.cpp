#include "games/game_match.h"

#include <algorithm>
#include <utility>

namespace darts::games {

GameMatch::GameMatch(const MatchSetup& setup) : setup_(setup) {
    setup_.sides = std::clamp(setup_.sides, 1, kMaxSides);
    setup_.legs = medley() ? std::max(setup_.legs, 1) : 1;
    legWins_.assign(static_cast<size_t>(setup_.sides), 0);
    openLeg(0);
}

GameMatch::Step GameMatch::step() const { return step_; }
const Cork& GameMatch::cork() const { return cork_; }
int GameMatch::chooser() const { return chooser_; }
int GameMatch::legNumber() const { return leg_; }
const std::vector<int>& GameMatch::winners() const { return winners_; }
const std::vector<int>& GameMatch::legWins() const { return legWins_; }
const MatchSetup& GameMatch::setup() const { return setup_; }

LegGame GameMatch::legGame() const {
    switch (setup_.game) {
        case MatchGame::X01: return LegGame::X01;
        case MatchGame::Cricket: return LegGame::Cricket;
        case MatchGame::CountUp: return LegGame::CountUp;
        case MatchGame::Medley: break;
    }
    if (leg_ == setup_.legs) return chosen_;
    return leg_ % 2 == 1 ? LegGame::X01 : LegGame::Cricket;
}

LegSetup GameMatch::legSetup() const {
    LegSetup leg;
    leg.game = legGame();
    leg.x01 = setup_.x01;
    leg.cricket = setup_.cricket;
    leg.countUp = setup_.countUp;
    leg.sides = setup_.sides;
    leg.firstSide = firstSide_;
    return leg;
}

void GameMatch::openLeg(int firstSide) {
    // A single game simply starts in seat order; a medley corks for its first and its last leg,
    // and whoever wins the last one's cork also picks its game.
    if (medley() && (leg_ == 1 || leg_ == setup_.legs)) {
        std::vector<int> all;
        for (int s = 0; s < setup_.sides; ++s) all.push_back(s);
        startCork(std::move(all), CorkFor::FirstThrow);
        return;
    }
    firstSide_ = firstSide;
    step_ = Step::Leg;
}

void GameMatch::startCork(std::vector<int> sides, CorkFor why) {
    corkFor_ = why;
    if (sides.size() == 1) {
        corkWon(sides.front());
        return;
    }
    cork_.sides = std::move(sides);
    step_ = Step::Cork;
}

void GameMatch::corkThrown(const std::vector<double>& distances) {
    if (step_ != Step::Cork || distances.size() != cork_.sides.size() || distances.empty()) return;
    const double nearest = *std::min_element(distances.begin(), distances.end());
    std::vector<int> tied;
    for (size_t i = 0; i < distances.size(); ++i) {
        if (distances[i] == nearest) tied.push_back(cork_.sides[i]);
    }
    if (tied.size() > 1) {
        cork_.sides = std::move(tied);  // those alone throw again
        return;
    }
    corkWon(tied.front());
}

void GameMatch::corkWon(int side) {
    switch (corkFor_) {
        case CorkFor::FirstThrow:
            firstSide_ = side;
            if (medley() && leg_ == setup_.legs) {
                chooser_ = side;
                step_ = Step::ChooseGame;
            } else {
                step_ = Step::Leg;
            }
            return;
        case CorkFor::LegTie: legWon({side}); return;
        case CorkFor::MatchTie:
            winners_ = {side};
            step_ = Step::Over;
            return;
    }
}

void GameMatch::choose(LegGame game) {
    if (step_ != Step::ChooseGame) return;
    chosen_ = game;
    step_ = Step::Leg;
}

void GameMatch::legEnded(const DartOutcome& last) {
    if (step_ != Step::Leg) return;
    if (last.winners.empty() && !last.corkSides.empty()) {
        startCork(last.corkSides, CorkFor::LegTie);
        return;
    }
    legWon(last.winners);
}

void GameMatch::legWon(const std::vector<int>& sides) {
    for (int s : sides) ++legWins_.at(static_cast<size_t>(s));
    if (!medley()) {
        winners_ = sides;
        step_ = Step::Over;
        return;
    }
    // A majority of the legs ends the medley at once; a shared Count-Up leg can give it to two.
    std::vector<int> majority;
    for (int s = 0; s < setup_.sides; ++s) {
        if (legWins_[static_cast<size_t>(s)] * 2 > setup_.legs) majority.push_back(s);
    }
    if (!majority.empty()) {
        winners_ = std::move(majority);
        step_ = Step::Over;
        return;
    }
    if (leg_ == setup_.legs) {
        // Three or four sides can split the legs with no majority: the most legs win, and a tie
        // for the most is corked.
        const int most = *std::max_element(legWins_.begin(), legWins_.end());
        std::vector<int> top;
        for (int s = 0; s < setup_.sides; ++s) {
            if (legWins_[static_cast<size_t>(s)] == most) top.push_back(s);
        }
        startCork(std::move(top), CorkFor::MatchTie);
        return;
    }
    // The side after the leg's winner in seat order throws first: with two sides, the loser.
    ++leg_;
    const int winner = sides.empty() ? firstSide_ - 1 : sides.front();
    openLeg((winner + 1) % setup_.sides);
}

}  // namespace darts::games
