// The rules of one leg of a bar game, behind one small interface: what a finished dart does, whose
// turn comes next, when the leg ends and who won it, and what the scoreboard shows. The throw, the
// flight and the scoring are the match's own; a leg only hears where each dart landed.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "match/scoring.h"

namespace darts::games {

constexpr int kMaxSides = 4;
constexpr int kDartsPerTurn = 3;

// Where a dart landed, as the board scores it: the ring and the number (1..20; 25 for either
// bull; 0 for a miss).
struct Hit {
    Ring ring = Ring::Miss;
    int number = 0;
};

enum class InRule { Open, Double, Master };
enum class OutRule { Open, Double, Master };
enum class BullRule { Separate, Fat };  // fat: the outer bull counts 50 like the inner

struct X01Options {
    int start = 501;  // 301, 501, 701, 901, 1101 or 1501
    InRule in = InRule::Open;
    OutRule out = OutRule::Open;
    BullRule bull = BullRule::Separate;
    int roundLimit = 0;  // 0: none; else 10, 15 or 20, at which the lowest count wins
};

struct CricketOptions {
    bool cutThroat = false;  // points go to the opponents; the lowest score wins
    int roundLimit = 20;     // 15 or 20
};

struct CountUpOptions {
    int rounds = 8;
};

enum class LegGame { X01, Cricket, CountUp };

struct LegSetup {
    LegGame game = LegGame::X01;
    X01Options x01;
    CricketOptions cricket;
    CountUpOptions countUp;
    int sides = 2;      // 1..4
    int firstSide = 0;  // sides then throw in seat order from this one
};

// Why a leg ended, as darts-sim names it.
enum class LegEndReason { None, Out, Limit, Closed, Rounds, Cork };
const char* legEndName(LegEndReason reason);  // "out", "limit", "closed", "rounds", "cork"

// What one finished dart did.
struct DartOutcome {
    // Changed the count, the marks or the points: false before a double-in, on a Cricket
    // target that every side has closed, for a miss, and for a bust (its score is not taken).
    bool counted = false;
    bool bust = false;      // the turn is struck out and passes at once
    bool turnOver = false;  // the next dart is another side's (or the leg is over)
    bool legOver = false;
    LegEndReason reason = LegEndReason::None;
    // When legOver and decided: one side, or several sharing it. A side alone (practice) always
    // wins its leg, however it ended: the board shows how well it did.
    std::vector<int> winners;
    std::vector<int> corkSides;   // when legOver by a tie at a round limit: who throws the cork
};

// Cricket's seven targets in this order: 15, 16, 17, 18, 19, 20, bull.
constexpr std::array<int, 7> kCricketNumbers = {15, 16, 17, 18, 19, 20, 25};

// One leg in play. Sides are 0..sides-1 in seat order.
class LegRules {
  public:
    virtual ~LegRules() = default;

    // The leg's own game as darts-sim names it: "501", "cricket", "cutthroat", "countup".
    virtual std::string name() const = 0;

    // The side to throw, the dart of its turn (0..2) and the round (1-based; a round is one turn
    // of every side).
    virtual int sideToThrow() const = 0;
    virtual int dartInTurn() const = 0;
    virtual int round() const = 0;
    virtual bool over() const = 0;

    // Finishes one dart of the side to throw and moves the turn on.
    virtual DartOutcome dart(Hit hit) = 0;

    // The scoreboard. 01: the count left (the turn's start count while a bust is undone); other
    // games: 0. Cricket and Count-Up: the points. Cricket: marks per target, capped at 3.
    virtual int left(int side) const = 0;
    virtual int points(int side) const = 0;
    virtual std::array<int, 7> marks(int side) const = 0;
    virtual const LegSetup& setup() const = 0;
};

std::unique_ptr<LegRules> makeLeg(const LegSetup& setup);

// The bed a landing scores, from its radius and sector index as the board scores them.
Hit hitOf(float radius, int sectorIndex);

// Points of a hit under a bull rule (a miss 0, a triple three times its number).
int hitPoints(Hit hit, BullRule bull);

}  // namespace darts::games
