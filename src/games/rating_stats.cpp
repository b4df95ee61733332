#include "games/rating_stats.h"

namespace darts::games {
namespace {

constexpr double kMiddleLevel = 13;  // where the rating's steps change
constexpr double kMiddlePoints = 95, kPointsBelow = 5, kPointsAbove = 7;
constexpr double kMiddleMarks = 3.5, kMarksBelow = 0.2, kMarksAbove = 0.25;

double stepped(double level, double middle, double below, double above) {
    return middle + (level - kMiddleLevel) * (level <= kMiddleLevel ? below : above);
}

double levelOf(double stat, double middle, double below, double above) {
    return kMiddleLevel + (stat - middle) / (stat <= middle ? below : above);
}

}  // namespace

double ratingPointsPerRound(double level) {
    return stepped(level, kMiddlePoints, kPointsBelow, kPointsAbove);
}
double ratingMarksPerRound(double level) {
    return stepped(level, kMiddleMarks, kMarksBelow, kMarksAbove);
}
double ratingOfPointsPerRound(double points) {
    return levelOf(points, kMiddlePoints, kPointsBelow, kPointsAbove);
}
double ratingOfMarksPerRound(double marks) {
    return levelOf(marks, kMiddleMarks, kMarksBelow, kMarksAbove);
}

const char* flightOfRating(int rating) {
    if (rating <= 3) return "C";
    if (rating <= 5) return "CC";
    if (rating <= 7) return "B";
    if (rating <= 9) return "BB";
    if (rating <= 12) return "A";
    if (rating <= 15) return "AA";
    return "SA";
}

void RatingStats::dart(const LegRules& leg, int side, int dartInTurn, Hit hit,
                       const DartOutcome& outcome) {
    const LegSetup& setup = leg.setup();
    if (setup.game == LegGame::X01) {
        X01Side& s = x01_[side];
        if (s.done) return;
        s.start = setup.x01.start;
        if (dartInTurn == 0) s.rounds += 1;
        s.left = leg.left(side);
        if (5 * s.left <= s.start) s.crossed = true;
        if (s.crossed && (outcome.turnOver || outcome.legOver)) s.done = true;
    } else if (setup.game == LegGame::Cricket) {
        int closed = 0;
        for (int marks : leg.marks(side)) closed += marks;
        long counted = closed - closed_[side];
        const int scored = leg.points(side) - scored_[side];
        // Standard Cricket scores the thrower's own marks; cut-throat's points go to others.
        if (scored > 0 && hit.number > 0) counted += scored / hit.number;
        totals_[side].marks += counted;
        totals_[side].darts += 1;
        closed_[side] = closed;
        scored_[side] = leg.points(side);
    }
}

void RatingStats::legEnded() {
    for (int side = 0; side < kMaxSides; ++side) {
        const X01Side& s = x01_[side];
        if (s.rounds > 0) {
            totals_[side].points += s.start - s.left;
            totals_[side].rounds += s.rounds;
        }
    }
    x01_ = {};
    closed_ = {};
    scored_ = {};
}

double RatingStats::pointsPerRound(int side) const {
    const Totals& t = totals_[side];
    return t.rounds > 0 ? double(t.points) / double(t.rounds) : 0.0;
}

double RatingStats::marksPerRound(int side) const {
    const Totals& t = totals_[side];
    return t.darts > 0 ? double(kDartsPerTurn) * double(t.marks) / double(t.darts) : 0.0;
}

}  // namespace darts::games
