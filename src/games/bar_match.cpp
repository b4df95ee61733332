#include "games/bar_match.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "match/rules.h"

namespace darts::games {
namespace {

// The board's edge, 0.467598 world units, is the 170 mm of a real board.
constexpr double kMillimetresPerUnit = 170.0 / kBoardEdge;
// What a slot shows when the leg keeps no count: far from the 0 and below-0 that the throw's own
// result texts read as a win or a bust.
constexpr int kNoCount = 9999;

}  // namespace

BarMatch::BarMatch(const MatchSetup& setup, std::vector<Seat> seats, BarMatchWatch watch)
    : match_(setup), seats_(std::move(seats)), watch_(std::move(watch)) {
    for (const Seat& seat : seats_) anyHuman_ = anyHuman_ || seat.human;
    corkShown_.assign(seats_.size(), -1.0);
    roundTotals_.resize(seats_.size());
}

int BarMatch::sideToThrow() const { return thrower_; }

void BarMatch::start(GameState& state) {
    // The seats take the slots over while they throw; the player's own come back at the end.
    playerSlots_[kHuman] = state.players[kHuman];
    playerSlots_[kComputer] = state.players[kComputer];
    tournament_ = state.screen == ScreenId::Tournament;
    newMatch(state);
    state.rules = this;
    beginStep(state);
}

void BarMatch::beginStep(GameState& state) {
    switch (match_.step()) {
        case GameMatch::Step::Cork:
            corkDistances_.clear();
            thrower_ = match_.cork().sides.front();
            takeDart(state, true);
            return;
        case GameMatch::Step::ChooseGame: {
            const int chooser = match_.chooser();
            if (!seats_[chooser].human) {
                match_.choose(computerChoice(chooser));
                beginStep(state);
                return;
            }
            // Held on the chooser's slot until the click; it points first at the game its
            // own numbers in this match rate higher.
            thrower_ = chooser;
            lastHuman_ = chooser;
            pointedGame_ = computerChoice(chooser);
            pointerTravel_ = 0;
            pause_ = BarPause::ChooseGame;
            state.matchPhase = MatchPhase::HumanTurn;
            readyNextDart(state);
            return;
        }
        case GameMatch::Step::Leg:
            leg_ = makeLeg(match_.legSetup());
            legNumber_ = match_.legNumber();
            for (std::vector<int>& rounds : roundTotals_) rounds.clear();
            tieBreak_ = false;
            thrower_ = leg_->sideToThrow();
            takeDart(state, true);
            return;
        case GameMatch::Step::Over:
            state.matchPhase = MatchPhase::MatchOver;
            if (tournament_) {
                // One winner goes on; a shared Count-Up win goes to the first seat sharing it.
                const std::vector<int>& winners = match_.winners();
                recordTournamentWinner(state,
                                       seats_[winners.empty() ? 0 : winners.front()].character);
            } else {
                state.screen = ScreenId::Title;
            }
            state.scoresShown = 0;
            state.inFrontEnd = 1;
            state.rules = nullptr;
            state.players[kHuman] = playerSlots_[kHuman];
            state.players[kComputer] = playerSlots_[kComputer];
            if (watch_.matchEnded) watch_.matchEnded(match_.winners());
            return;
    }
}

void BarMatch::takeDart(GameState& state, bool newTurn) {
    const Seat& seat = seats_[thrower_];
    state.matchPhase = seat.human ? MatchPhase::HumanTurn : MatchPhase::ComputerTurn;
    PlayerSlot& slot = currentSide(state);
    slot.characterNumber = seat.character;
    std::snprintf(slot.name, sizeof slot.name, "%s", seat.name.c_str());
    if (newTurn && seat.human) {
        // The mouse passes to another human: the machine says whose turn it is first.
        if (lastHuman_ >= 0 && lastHuman_ != thrower_) pause_ = BarPause::HandOver;
        lastHuman_ = thrower_;
    }
    if (newTurn) {
        slot.dartsThrown = 0;
        for (int& score : slot.dartScores) score = 0;
        for (DartBody& dart : state.darts) dart = {};
        state.scoresShown = 0;
    }
    const bool counts = leg_ && !corkInPlay() && leg_->setup().game == LegGame::X01;
    slot.scoreLeft = counts ? leg_->left(thrower_) : kNoCount;
    slot.turnStartScore = slot.scoreLeft;
    readyNextDart(state);
    brain_ = {};
    aimChosen_ = false;
}

void BarMatch::dartLanded(GameState&, float radius, int sectorIndex) {
    landed_ = hitOf(radius, sectorIndex);
    landedMillimetres_ = std::isfinite(radius) ? radius * kMillimetresPerUnit : -1.0;
}

void BarMatch::dartFinished(GameState& state) {
    const PlayerSlot& slot = currentSide(state);
    state.lastFinishedDart = {thrower_, slot.turnCount, slot.dartsThrown,
                              slot.dartScores[slot.dartsThrown], slot.scoreLeft, false, false};
    state.dartsFinished += 1;
    if (corkInPlay()) {
        finishCorkDart(state);
    } else {
        finishLegDart(state);
    }
}

void BarMatch::finishCorkDart(GameState& state) {
    if (watch_.corkDart) {
        watch_.corkDart(tieBreak_ ? legNumber_ : legNumber_ + 1, thrower_, landedMillimetres_);
    }
    corkShown_[thrower_] = landedMillimetres_;
    // A dart that never reached the board is the farthest of all.
    corkDistances_.push_back(landedMillimetres_ < 0 ? std::numeric_limits<double>::infinity()
                                                    : landedMillimetres_);
    const std::vector<int>& sides = match_.cork().sides;
    if (corkDistances_.size() < sides.size()) {
        thrower_ = sides[corkDistances_.size()];
        takeDart(state, true);
        return;
    }
    const std::vector<int> winsBefore = match_.legWins();
    match_.corkThrown(corkDistances_);
    if (tieBreak_ && match_.step() != GameMatch::Step::Cork) {
        for (size_t side = 0; side < winsBefore.size(); ++side) {
            if (match_.legWins()[side] > winsBefore[side]) {
                endLeg({static_cast<int>(side)}, LegEndReason::Cork);
            }
        }
        afterLeg(state);
        return;
    }
    beginStep(state);
}

void BarMatch::finishLegDart(GameState& state) {
    const int side = thrower_;
    const int round = leg_->round();
    const int dart = leg_->dartInTurn();
    const DartOutcome outcome = leg_->dart(landed_);
    stats_.dart(*leg_, side, dart, landed_, outcome);
    if (leg_->setup().game == LegGame::CountUp) {
        std::vector<int>& rounds = roundTotals_[side];
        if (static_cast<int>(rounds.size()) < round) rounds.resize(round, 0);
        rounds[round - 1] += hitPoints(landed_, BullRule::Fat);
    }
    if (watch_.dart) watch_.dart(legNumber_, *leg_, side, round, dart, landed_, outcome);
    if (outcome.legOver) {
        stats_.legEnded();
        match_.legEnded(outcome);
        if (outcome.corkSides.empty()) {
            endLeg(outcome.winners, outcome.reason);
            afterLeg(state);
        } else {
            tieBreak_ = true;  // decided by the cork that GameMatch now asks for
            beginStep(state);
        }
        return;
    }
    const int next = leg_->sideToThrow();
    const bool newTurn = outcome.turnOver || next != side;
    if (!newTurn) currentSide(state).dartsThrown += 1;
    thrower_ = next;
    takeDart(state, newTurn);
}

void BarMatch::endLeg(const std::vector<int>& winners, LegEndReason why) {
    lastWinners_ = winners;
    lastWhy_ = why;
    if (watch_.legEnded) watch_.legEnded(legNumber_, winners, why);
}

void BarMatch::afterLeg(GameState& state) {
    if (!anyHuman_) {
        beginStep(state);
        return;
    }
    // Held on the human's slot, the dart in hand and still, until the click.
    pause_ = match_.step() == GameMatch::Step::Over ? BarPause::MatchOver : BarPause::LegOver;
    state.matchPhase = MatchPhase::HumanTurn;
    readyNextDart(state);
}

void BarMatch::clicked(GameState& state) {
    const BarPause held = pause_;
    pause_ = BarPause::None;
    if (held == BarPause::ChooseGame) match_.choose(pointedGame_);
    if (held == BarPause::LegOver || held == BarPause::MatchOver || held == BarPause::ChooseGame) {
        beginStep(state);
    }
}

void BarMatch::pointerMoved(int dx, int) {
    if (pause_ != BarPause::ChooseGame || dx == 0) return;
    // A few counts the same way change it: a hand resting on the mouse does not.
    constexpr int kCountsToChange = 6;
    pointerTravel_ = (pointerTravel_ > 0) == (dx > 0) ? pointerTravel_ + dx : dx;
    if (pointerTravel_ >= kCountsToChange) pointedGame_ = LegGame::Cricket;
    if (pointerTravel_ <= -kCountsToChange) pointedGame_ = LegGame::X01;
}

BarBoardView BarMatch::view() const {
    BarBoardView view;
    const bool cork = corkInPlay();
    view.game = cork ? "cork" : (leg_ ? leg_->name() : "");
    view.pause = pause_;
    view.winners = lastWinners_;
    view.why = lastWhy_;
    view.thrower = thrower_;
    view.choice = pointedGame_;
    view.x01Start = match_.setup().x01.start;
    view.leg = legNumber_;
    view.legs = match_.setup().game == MatchGame::Medley ? match_.setup().legs : 1;
    if (leg_) {
        const LegSetup& setup = leg_->setup();
        view.legGame = setup.game;
        view.out = setup.x01.out;
        view.bull = setup.x01.bull;
        view.round = leg_->round();
        view.dartInTurn = leg_->dartInTurn();
        view.roundLimit = setup.game == LegGame::X01       ? setup.x01.roundLimit
                          : setup.game == LegGame::Cricket ? setup.cricket.roundLimit
                                                           : setup.countUp.rounds;
    }
    for (size_t i = 0; i < seats_.size(); ++i) {
        const Seat& seat = seats_[i];
        BarSeatView shown;
        shown.name = seat.name;
        shown.character = seat.character;
        shown.human = seat.human;
        shown.level = seat.level;
        shown.legsWon = i < match_.legWins().size() ? match_.legWins()[i] : 0;
        shown.corkMillimetres = corkShown_[i];
        shown.roundTotals = roundTotals_[i];
        if (leg_) {
            shown.left = leg_->left(static_cast<int>(i));
            shown.points = leg_->points(static_cast<int>(i));
            shown.marks = leg_->marks(static_cast<int>(i));
        }
        view.seats.push_back(std::move(shown));
    }
    for (size_t target = 0; target < view.closedForAll.size(); ++target) {
        bool closed = !view.seats.empty();
        for (const BarSeatView& seat : view.seats) closed = closed && seat.marks[target] >= 3;
        view.closedForAll[target] = closed && view.legGame == LegGame::Cricket;
    }
    return view;
}

uint64_t BarMatch::checksum() const {
    // FNV-1a over the numbers the scoreboard shows and whose turn it is.
    uint64_t hash = 0xcbf29ce484222325ULL;
    auto add = [&hash](int64_t value) {
        for (int byte = 0; byte < 8; ++byte) {
            hash = (hash ^ static_cast<uint64_t>((value >> (8 * byte)) & 0xff)) * 0x100000001b3ULL;
        }
    };
    const BarBoardView shown = view();
    add(static_cast<int>(match_.step()));
    add(shown.leg);
    add(shown.round);
    add(shown.thrower);
    add(shown.dartInTurn);
    add(static_cast<int>(shown.pause));
    if (shown.pause == BarPause::ChooseGame) add(static_cast<int>(shown.choice));
    for (const BarSeatView& seat : shown.seats) {
        add(seat.left);
        add(seat.points);
        add(seat.legsWon);
        for (int marks : seat.marks) add(marks);
    }
    return hash;
}

LegGame BarMatch::computerChoice(int side) const {
    // The game its own numbers in this match rate higher; the 01 when even.
    const double x01 = ratingOfPointsPerRound(stats_.pointsPerRound(side));
    const double cricket = ratingOfMarksPerRound(stats_.marksPerRound(side));
    return cricket > x01 ? LegGame::Cricket : LegGame::X01;
}

void BarMatch::computerFrame(GameState& state) {
    const ThrowSpread& spread = seats_[thrower_].spread;
    if (!aimChosen_) {
        aim_ = aimAt(corkInPlay() ? corkTarget() : chooseTarget(*leg_, spread));
        aimChosen_ = true;
    }
    computerAimedFrame(state, brain_, aim_, spread.gauge, spread.release);
}

}  // namespace darts::games
