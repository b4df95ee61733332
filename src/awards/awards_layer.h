// What the --awards option adds around the matches: it watches every match frame for finished
// darts (the statistics) and for an award coming on show (its fanfare), shows the statistics
// card after a finished match, keeps the human's records, and opens the records page with F2 on
// the title. It only reads the state the rules, the computer and the checksums use.
#pragma once

#include <functional>
#include <string>

#include "core/game_state.h"
#include "games/bar_match.h"
#include "loops/feature_layer.h"
#include "match/match_statistics.h"
#include "match/player_records.h"
#include "render/statistics_card.h"

namespace darts {

class AwardsLayer final : public FeatureLayer {
  public:
    // Reads the records at recordsFile ("": no folder for them); a problem is reported on stderr
    // in one line, and a file that cannot be used is left alone and no records are kept. The
    // records key (F2) is read from the frame's input, like every key.
    explicit AwardsLayer(std::string recordsFile);

    // Before runMatch: a match that is about to be played starts new statistics.
    void beforeMatch(const GameState& state) override;
    // After every match frame.
    void afterMatchFrame(GameState& state) override;
    // After runMatch: a match that reached its end is shown on the card (until one click) and
    // added to the records.
    void afterMatch(GameState& state, FrameIo& io) override;
    // Every front-end frame: the records key on the title opens the records page.
    void frontEndFrame(GameState& state, FrameIo& io) override;

    const MatchStatistics& statistics() const { return statistics_; }
    const PlayerRecords& records() const { return records_; }

    // A bar game's humans' finished legs of 01 and Cricket against other sides, added to the
    // rated games of each one's roster character (its 80% stat). Count-Up and a side alone rate
    // nothing: the machines rate a player by games it could lose.
    static void addBarMatch(PlayerRecords& records, const std::vector<games::Seat>& seats,
                            const std::vector<games::PlayedLeg>& legs);

  private:
    // Frames until a click (press then release of the left button), the records key when
    // `keyCloses`, or Escape; false for Escape.
    template <typename Draw>
    bool untilClick(GameState& state, FrameIo& io, Draw draw, bool keyCloses);
    void saveRecordsNow();

    std::string recordsFile_;
    PlayerRecords records_;  // as shown: the file's records with this run's
    PlayerRecords unsaved_;  // this run's matches the file does not hold yet
    MatchStatistics statistics_;
    bool playing_ = false;
    uint32_t dartsSeen_ = 0;
    // The bar game in play, as last seen: the state's rules stop pointing at it in the frame it
    // ends, so what the records need is copied while they still do.
    bool barGame_ = false;
    bool barOver_ = false;
    std::vector<games::Seat> barSeats_;
    std::vector<games::PlayedLeg> barLegs_;
    std::vector<int> barWinners_;
    int barAwardsSeen_ = 0;  // the awards of the leg in play already heard
    bool keyWasDown_ = false;
    render::CardFonts fonts_;
    bool fontsMade_ = false;
};

}  // namespace darts
