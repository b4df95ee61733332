#include "games/checkout.h"

#include <array>
#include <vector>

namespace darts::games {
namespace {

struct Dart {
    int points;
    std::string name;
};

// The doubles players aim to finish on, best first: those that halve down to further doubles
// when a single is hit instead lead.
constexpr std::array<int, 20> kDoublePreference = {20, 16, 18, 12, 10, 8, 14, 6, 4, 2,
                                                   19, 17, 15, 13, 11, 9, 7, 5, 3, 1};

std::vector<Dart> finishers(OutRule out, BullRule bull) {
    std::vector<Dart> darts;
    for (int n : kDoublePreference) darts.push_back({2 * n, "D" + std::to_string(n)});
    darts.push_back({50, "BULL"});
    if (out == OutRule::Double) return darts;
    for (int n = 20; n >= 1; --n) darts.push_back({3 * n, "T" + std::to_string(n)});
    if (out == OutRule::Master) return darts;
    if (bull == BullRule::Separate) darts.push_back({25, "25"});
    for (int n = 20; n >= 1; --n) darts.push_back({n, std::to_string(n)});
    return darts;
}

// The darts that set a finish up, in the order a player would reach for them.
std::vector<Dart> setUps(BullRule bull) {
    std::vector<Dart> darts;
    for (int n = 20; n >= 1; --n) darts.push_back({3 * n, "T" + std::to_string(n)});
    darts.push_back({50, "BULL"});
    if (bull == BullRule::Separate) darts.push_back({25, "25"});
    for (int n = 20; n >= 1; --n) darts.push_back({n, std::to_string(n)});
    for (int n = 20; n >= 1; --n) darts.push_back({2 * n, "D" + std::to_string(n)});
    return darts;
}

}  // namespace

std::string checkoutRoute(int left, OutRule out, BullRule bull) {
    if (left <= 0 || left > 180) return {};
    const std::vector<Dart> last = finishers(out, bull);
    const std::vector<Dart> before = setUps(bull);
    // A double or master out busts at 1, so the darts before the last must leave at least 2;
    // every finisher there is worth 2 or more, which the search keeps by construction.
    for (int darts = 1; darts <= 3; ++darts) {
        for (const Dart& finish : last) {
            const int rest = left - finish.points;
            if (darts == 1 && rest == 0) return finish.name;
            if (darts == 2) {
                for (const Dart& first : before) {
                    if (first.points == rest) return first.name + " " + finish.name;
                }
            }
            if (darts == 3) {
                for (const Dart& first : before) {
                    for (const Dart& second : before) {
                        if (first.points + second.points == rest) {
                            return first.name + " " + second.name + " " + finish.name;
                        }
                    }
                }
            }
        }
    }
    return {};
}

}  // namespace darts::games
