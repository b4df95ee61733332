#include <gtest/gtest.h>

#include "core/game_state.h"

namespace darts {
namespace {

// The generator one draw at a time, with nothing clever: the reference for randomInRange.
int referenceRandomInRange(uint32_t& state, int low, int high) {
    for (;;) {
        state = state * 214013u + 2531011u;
        int r = static_cast<int>((state >> 16) & 0x7FFF);
        if (r >= low && r <= high) return r;
    }
}

TEST(Random, FirstDrawFromTheStartingStateIs41) {
    GameState state;
    EXPECT_EQ(randomInRange(state, 0, 32767), 41);
}

TEST(Random, MatchesTheOneDrawAtATimeGeneratorForEveryRangeTheGameUses) {
    GameState state;
    seedRandom(state, 1234567);
    uint32_t reference = 1234567;
    const int ranges[][2] = {{0, 20}, {0, 14}, {1, 8},     {5, 5},         {0, 0},
                             {0, 10}, {1, 6},  {0, 32767}, {32767, 32767}, {100, 30000}};
    for (int round = 0; round < 200; ++round) {
        for (const auto& range : ranges) {
            int expected = referenceRandomInRange(reference, range[0], range[1]);
            ASSERT_EQ(randomInRange(state, range[0], range[1]), expected);
            ASSERT_EQ(state.randomState, reference) << "the state must end on the returned draw";
        }
    }
}

TEST(Random, StaysInsideItsRange) {
    GameState state;
    for (int i = 0; i < 2000; ++i) {
        int r = randomInRange(state, 0, 20);
        ASSERT_GE(r, 0);
        ASSERT_LE(r, 20);
    }
    EXPECT_EQ(randomInRange(state, 5, 5), 5);
}

TEST(Random, SameSeedSameSequence) {
    GameState a, b;
    seedRandom(a, 99);
    seedRandom(b, 99);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(randomInRange(a, 1, 8), randomInRange(b, 1, 8));
}

TEST(Random, EmptyRangeAnswersWithoutDrawing) {
    GameState state;
    EXPECT_EQ(randomInRange(state, 3, 2), 3);
    EXPECT_EQ(randomInRange(state, 40000, 50000), 40000);
    EXPECT_EQ(state.randomState, 1u);
}

}  // namespace
}  // namespace darts
