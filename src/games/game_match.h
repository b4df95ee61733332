// A match of a bar game: its legs in order, the corks that decide who throws first (and who wins
// a tie at a round limit), and the match's winner. A medley alternates 01 and Cricket legs, the
// last leg the game its cork's winner chooses; every other game is one leg, thrown first by side 0.
// After a medley leg the side after its winner in seat order throws first (with two sides, the
// loser). Should three or four sides end a medley with no majority, the most legs win, a tie for
// the most corked.
#pragma once

#include <vector>

#include "games/leg_rules.h"

namespace darts::games {

enum class MatchGame { X01, Cricket, CountUp, Medley };

struct MatchSetup {
    MatchGame game = MatchGame::X01;
    X01Options x01;          // the 01 game, and a medley's 01 legs
    CricketOptions cricket;  // Cricket or Cut-throat, and a medley's Cricket legs
    CountUpOptions countUp;
    int legs = 3;            // a medley's: best of 3 or 5
    int sides = 2;           // 1..4
};

// A cork: every side named throws one dart at the bull; the nearest throws first (or wins the
// tied leg). Equal nearest distances throw again, among those sides only.
struct Cork {
    std::vector<int> sides;  // in the order they throw
};

class GameMatch {
  public:
    explicit GameMatch(const MatchSetup& setup);

    enum class Step { Cork, Leg, ChooseGame, Over };
    Step step() const;

    // Step::Cork: who throws it; then the distance from the board centre of each one's dart, in
    // the same order.
    const Cork& cork() const;
    void corkThrown(const std::vector<double>& distances);

    // Step::ChooseGame (a medley's last leg): the side that chooses, and its choice.
    int chooser() const;
    void choose(LegGame game);

    // Step::Leg: the leg to play (its number from 1, its game and who throws first); then how
    // it ended (its last dart's outcome).
    int legNumber() const;
    LegSetup legSetup() const;
    void legEnded(const DartOutcome& last);

    // Step::Over: the sides that won (one, or several sharing a Count-Up win).
    const std::vector<int>& winners() const;
    const std::vector<int>& legWins() const;  // per side

    const MatchSetup& setup() const;

  private:
    enum class CorkFor { FirstThrow, LegTie, MatchTie };

    bool medley() const { return setup_.game == MatchGame::Medley; }
    LegGame legGame() const;
    // The next leg, thrown first by `firstSide` unless a cork decides it.
    void openLeg(int firstSide);
    void startCork(std::vector<int> sides, CorkFor why);
    void corkWon(int side);
    void legWon(const std::vector<int>& sides);

    MatchSetup setup_;
    Step step_ = Step::Leg;
    Cork cork_;
    CorkFor corkFor_ = CorkFor::FirstThrow;
    int leg_ = 1;
    int firstSide_ = 0;
    int chooser_ = -1;
    LegGame chosen_ = LegGame::X01;
    std::vector<int> legWins_;
    std::vector<int> winners_;
};

}  // namespace darts::games
