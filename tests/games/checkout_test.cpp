#include "games/checkout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

namespace darts::games {
namespace {

// What a named dart scores, and whether it may end a leg under the out rule.
struct Named {
    int points = 0;
    bool finishes = false;
};
Named dartOf(const std::string& name, OutRule out) {
    if (name == "BULL") return {50, true};
    if (name == "25") return {25, out == OutRule::Open};
    const int n = std::stoi(name[0] == 'T' || name[0] == 'D' ? name.substr(1) : name);
    if (name[0] == 'D') return {2 * n, true};
    if (name[0] == 'T') return {3 * n, out != OutRule::Double};
    return {n, out == OutRule::Open};
}

// Plays the route through the 01 rules: it must end on zero with a finisher, never bust.
void expectFinishes(int left, OutRule out, BullRule bull) {
    SCOPED_TRACE(left);
    const std::string route = checkoutRoute(left, out, bull);
    ASSERT_FALSE(route.empty());
    std::istringstream darts(route);
    std::string name;
    int count = 0;
    Named last;
    while (darts >> name) {
        last = dartOf(name, out);
        left -= last.points;
        ++count;
        if (left != 0) {
            EXPECT_GE(left, out == OutRule::Open ? 1 : 2) << route;
        }
    }
    EXPECT_EQ(left, 0) << route;
    EXPECT_TRUE(last.finishes) << route;
    EXPECT_LE(count, 3) << route;
}

TEST(Checkout, DoubleOutRoutes) {
    EXPECT_EQ(checkoutRoute(170, OutRule::Double, BullRule::Separate), "T20 T20 BULL");
    EXPECT_EQ(checkoutRoute(40, OutRule::Double, BullRule::Separate), "D20");
    EXPECT_EQ(checkoutRoute(3, OutRule::Double, BullRule::Separate), "1 D1");
    EXPECT_EQ(checkoutRoute(100, OutRule::Double, BullRule::Separate), "T20 D20");
    // Three darts cannot make these under a double out.
    for (int left : {169, 168, 166, 165, 163, 162, 159, 1, 0, 181}) {
        EXPECT_EQ(checkoutRoute(left, OutRule::Double, BullRule::Separate), "") << left;
    }
    for (int left = 2; left <= 170; ++left) {
        if (left == 169 || left == 168 || left == 166 || left == 165 || left == 163 ||
            left == 162 || left == 159)
            continue;
        expectFinishes(left, OutRule::Double, BullRule::Separate);
    }
}

TEST(Checkout, MasterOutFinishesOnTreblesToo) {
    EXPECT_EQ(checkoutRoute(180, OutRule::Master, BullRule::Fat), "T20 T20 T20");
    EXPECT_EQ(checkoutRoute(1, OutRule::Master, BullRule::Separate), "");
    for (int left = 2; left <= 180; ++left) {
        // Master out misses only the counts no three darts make at all.
        if (left == 179 || left == 178 || left == 176 || left == 175 || left == 173 ||
            left == 172 || left == 169 || left == 166 || left == 163) {
            EXPECT_EQ(checkoutRoute(left, OutRule::Master, BullRule::Separate), "") << left;
            continue;
        }
        expectFinishes(left, OutRule::Master, BullRule::Separate);
    }
}

TEST(Checkout, DoubleOut121TakesThreeDarts) {
    const std::string route = checkoutRoute(121, OutRule::Double, BullRule::Separate);
    EXPECT_EQ(std::count(route.begin(), route.end(), ' '), 2) << route;
    expectFinishes(121, OutRule::Double, BullRule::Separate);
}

TEST(Checkout, FatBullHasNoTwentyFive) {
    // 25 alone is the separate outer bull under an open out; a fat bull scores 50 there.
    EXPECT_EQ(checkoutRoute(25, OutRule::Open, BullRule::Separate), "25");
    EXPECT_NE(checkoutRoute(25, OutRule::Open, BullRule::Fat), "25");
    EXPECT_EQ(checkoutRoute(75, OutRule::Double, BullRule::Fat).find("25"), std::string::npos);
}

}  // namespace
}  // namespace darts::games
