#include "awards/awards_layer.h"

#include <cstdio>

#include "audio/board_hit.h"
#include "awards/records_file.h"
#include "loops/input_dispatch.h"
#include "match/awards.h"

namespace darts {

// The final is the seventh match of the bracket; recording its winner moves the count past it.
constexpr int kMatchAfterFinal = 8;

AwardsLayer::AwardsLayer(std::string recordsFile) : recordsFile_(std::move(recordsFile)) {
    if (recordsFile_.empty()) {
        std::fprintf(stderr, "darts: %s\n", noRecordsFolderMessage().c_str());
        return;
    }
    LoadedRecords loaded = loadRecords(recordsFile_);
    if (!loaded.message.empty()) std::fprintf(stderr, "darts: %s\n", loaded.message.c_str());
    records_ = loaded.records;
    if (!loaded.usable) recordsFile_.clear();
}

void AwardsLayer::beforeMatch(const GameState& state) {
    if (state.inFrontEnd != 0 || playing_) return;
    playing_ = true;
    statistics_ = MatchStatistics{};
    dartsSeen_ = state.dartsFinished;
    barGame_ = false;
    barOver_ = false;
    barSeats_.clear();
    barLegs_.clear();
    barWinners_.clear();
    barAwardsSeen_ = 0;
}

void AwardsLayer::afterMatchFrame(GameState& state) {
    if (const auto* bar = dynamic_cast<const games::BarMatch*>(state.rules)) {
        if (!barGame_) barSeats_ = bar->seats();
        barGame_ = true;
        if (bar->playedLegs().size() != barLegs_.size()) barLegs_ = bar->playedLegs();
        barOver_ = bar->match().step() == games::GameMatch::Step::Over;
        if (barOver_) barWinners_ = bar->match().winners();
        // The bar game's own awards, from its rules: the 301 game's test of the state would
        // read a Cricket turn as points. The count falls back to 0 when a new leg begins.
        int awards = 0;
        const games::LegStatistics& leg = bar->legStatistics();
        for (int side = 0; side < leg.sides(); ++side) {
            awards += static_cast<int>(leg.side(side).awards.size());
        }
        if (awards > barAwardsSeen_ && state.effects != nullptr) state.effects->playAward();
        barAwardsSeen_ = awards;
        return;
    }
    if (state.dartsFinished != dartsSeen_) {
        dartsSeen_ = state.dartsFinished;
        statistics_.dartFinished(state);
    }
    // The landing frame of a third dart whose turn earns an award.
    if (state.hitTimer == 1 && awardOnDisplay(state) != Award::None && state.effects != nullptr) {
        state.effects->playAward();
    }
}

template <typename Draw>
bool AwardsLayer::untilClick(GameState& state, FrameIo& io, Draw draw, bool keyCloses) {
    if (!fontsMade_) {
        fonts_ = render::createCardFonts(io.device);
        fontsMade_ = true;
    }
    // A button already held when the screen comes up must be let go first: only a whole click
    // made on the screen leaves it.
    bool pressed = false;
    keyWasDown_ = io.input.screenKeyDown(platform::ScreenKey::Records);
    for (;;) {
        draw();
        if (io.input.escapeDown()) {
            pollKeyboard(state, io);
            return false;
        }
        if (readWholeClick(io, pressed)) return true;
        if (keyCloses) {
            const bool down = io.input.screenKeyDown(platform::ScreenKey::Records);
            if (down && !keyWasDown_) return true;
            keyWasDown_ = down;
        }
    }
}

void AwardsLayer::afterMatch(GameState& state, FrameIo& io) {
    if (!playing_ || state.inFrontEnd == 0) return;
    playing_ = false;
    if (barGame_) {
        // Only a match played to its end is rated, as only such a 301 match is recorded.
        if (barOver_ && state.quitRequested == 0) {
            for (PlayerRecords* records : {&records_, &unsaved_}) {
                addBarMatch(*records, barSeats_, barLegs_);
            }
            saveRecordsNow();
            untilClick(state, io,
                       [&] {
                           render::drawBarStatisticsCard(state, io.device, fonts_, barSeats_,
                                                         barLegs_, barWinners_);
                       },
                       false);
            state.buttonHeld = 0;
        }
        return;
    }
    const int winner = statistics_.winner();
    if (winner < 0 || state.quitRequested != 0) return;  // abandoned or quit: nothing to show

    const int character = state.players[kHuman].characterNumber;
    for (PlayerRecords* records : {&records_, &unsaved_}) {
        addMatch(*records, character, statistics_.side(kHuman), winner == kHuman);
        if (state.screen == ScreenId::Tournament && winner == kHuman &&
            state.tournamentMatch == kMatchAfterFinal) {
            addTournamentWin(*records, character);
        }
    }
    saveRecordsNow();
    untilClick(state, io, [&] { render::drawStatisticsCard(state, io.device, fonts_, statistics_); },
               false);
    // The card ended on a release: the click latch is open again, as any release leaves it.
    state.buttonHeld = 0;
}

void AwardsLayer::addBarMatch(PlayerRecords& records, const std::vector<games::Seat>& seats,
                              const std::vector<games::PlayedLeg>& legs) {
    for (const games::PlayedLeg& played : legs) {
        const games::LegStatistics& leg = played.statistics;
        const games::LegGame game = leg.setup().game;
        if (leg.sides() < 2 || game == games::LegGame::CountUp) continue;
        for (int side = 0; side < leg.sides() && side < static_cast<int>(seats.size()); ++side) {
            const games::Seat& seat = seats[static_cast<size_t>(side)];
            const games::SideLegStatistics& stats = leg.side(side);
            if (!seat.human || stats.rounds == 0) continue;
            if (game == games::LegGame::X01) {
                addRatedGame(records, seat.character, RatedGame::X01, stats.pointsPerRound80());
            } else {
                addRatedGame(records, seat.character, RatedGame::Cricket, stats.marksPerRound80());
            }
        }
    }
}

void AwardsLayer::frontEndFrame(GameState& state, FrameIo& io) {
    const bool down = io.input.screenKeyDown(platform::ScreenKey::Records);
    const bool pressed = down && !keyWasDown_;
    keyWasDown_ = down;
    if (!pressed || state.screen != ScreenId::Title || state.inFrontEnd != 1) return;
    // The bar games' ratings follow on a page of their own, once there are any.
    const bool ratings = render::anyRatedGames(records_);
    const bool turned = untilClick(
        state, io, [&] { render::drawRecordsPage(state, io.device, fonts_, records_, ratings); },
        true);
    if (turned && ratings) {
        untilClick(state, io, [&] { render::drawRatingPage(state, io.device, fonts_, records_); },
                   true);
    }
}

void AwardsLayer::saveRecordsNow() {
    if (recordsFile_.empty()) return;
    // Another game may have saved matches since: they are read again and kept beside ours.
    const SavedRecords saved = addToRecordsFile(recordsFile_, unsaved_);
    if (!saved.message.empty()) std::fprintf(stderr, "darts: %s\n", saved.message.c_str());
    if (saved.saved) {
        records_ = saved.records;
        unsaved_ = PlayerRecords{};
    }
    // Said once: from now on the file is left alone.
    if (!saved.usable) recordsFile_.clear();
}

}  // namespace darts
