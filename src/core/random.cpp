// The game's one random generator: a 32-bit linear congruential generator whose draws are bits
// 16..30 of the state, and randomInRange, which throws away every draw outside the range.
//
// A narrow range throws away thousands of draws per call (about 2200 for 0..14), and the
// computer draws two such targets every frame, so the draws are tested 256 at a time: each lane
// jumps ahead from the same state with a precomputed multiplier and increment, independent
// multiplies that the compiler turns into vector instructions. The state still ends exactly on
// the draw that was returned, so the sequence is the one-draw-at-a-time generator's.
#include <array>
#include <cstdint>

#include "core/game_state.h"

namespace darts {
namespace {

constexpr uint32_t kMultiplier = 214013u;
constexpr uint32_t kIncrement = 2531011u;
constexpr int kVectorWidth = 8;
constexpr int kVectors = 32;
constexpr int kLanes = kVectorWidth * kVectors;

using Lanes = uint32_t __attribute__((vector_size(kVectorWidth * sizeof(uint32_t))));
using SignedLanes = int32_t __attribute__((vector_size(kVectorWidth * sizeof(int32_t))));

struct JumpTable {
    // Lane j advances the state by j + 1 draws: state' = mul[j] * state + add[j].
    std::array<uint32_t, kLanes> mul{};
    std::array<uint32_t, kLanes> add{};
};

constexpr JumpTable makeJumpTable() {
    JumpTable table;
    uint32_t mul = 1, add = 0;
    for (int j = 0; j < kLanes; ++j) {
        mul = mul * kMultiplier;
        add = add * kMultiplier + kIncrement;
        table.mul[j] = mul;
        table.add[j] = add;
    }
    return table;
}

constexpr JumpTable kJump = makeJumpTable();

inline uint32_t advance(uint32_t state, int lane) {
    return kJump.mul[lane] * state + kJump.add[lane];
}

inline int drawOf(uint32_t state) { return static_cast<int>((state >> 16) & 0x7FFF); }

// Returns the state of the first draw in low..low + span after `state`.
//
// The test per lane is folded into one multiply, one add and one signed compare: a draw lies in
// the range exactly when (state << 1) - (low << 17), taken as unsigned, is below (span + 1) << 17
// (the doubling drops the unused top bit, the subtraction wraps around below low). Doubling the
// jump constants makes the multiply produce state << 1 directly, and adding 2^31 to both sides
// turns the unsigned comparison into a signed one.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define DARTS_VECTOR_CLONES [[gnu::target_clones("avx2", "default")]]
#else
#define DARTS_VECTOR_CLONES
#endif
DARTS_VECTOR_CLONES uint32_t findDraw(uint32_t state, uint32_t low, uint32_t span) {
    if (span >= 0x7FFF) return advance(state, 0);  // every draw is in range
    static const struct Doubled {
        Lanes mul[kVectors], add[kVectors];
        Doubled() {
            for (int lane = 0; lane < kLanes; ++lane) {
                mul[lane / kVectorWidth][lane % kVectorWidth] = kJump.mul[lane] * 2u;
                add[lane / kVectorWidth][lane % kVectorWidth] = kJump.add[lane] * 2u;
            }
        }
    } doubled;
    const uint32_t bias = 0x80000000u - (low << 17);
    Lanes add[kVectors];
    for (int v = 0; v < kVectors; ++v) add[v] = doubled.add[v] + bias;
    const SignedLanes limit =
        SignedLanes{} + static_cast<int32_t>(((span + 1) << 17) ^ 0x80000000u);
    auto anyHit = [](const SignedLanes& lanes) {
        int32_t hit = 0;
        for (int i = 0; i < kVectorWidth; ++i) hit |= lanes[i];
        return hit != 0;
    };
    // A block is wide enough that its multiplies, not the jump to the next block, set the pace.
    for (;;) {
        SignedLanes any = {};
#pragma GCC unroll 8
        for (int v = 0; v < kVectors; ++v) {
            any |= reinterpret_cast<SignedLanes>(doubled.mul[v] * state + add[v]) < limit;
        }
        if (anyHit(any)) {
            for (int v = 0;; ++v) {
                if (!anyHit(reinterpret_cast<SignedLanes>(doubled.mul[v] * state + add[v]) <
                            limit)) {
                    continue;
                }
                for (int lane = v * kVectorWidth;; ++lane) {
                    uint32_t next = advance(state, lane);
                    if (static_cast<uint32_t>(drawOf(next)) - low <= span) return next;
                }
            }
        }
        state = advance(state, kLanes - 1);
    }
}

}  // namespace

void seedRandom(GameState& state, uint32_t seed) { state.randomState = seed; }

int randomInRange(GameState& state, int low, int high) {
    // No draw can meet an empty range: answer low rather than loop for ever.
    if (low > high || high < 0 || low > 0x7FFF) return low;
    const uint32_t lowU = static_cast<uint32_t>(low < 0 ? 0 : low);
    const uint32_t span = static_cast<uint32_t>(high > 0x7FFF ? 0x7FFF : high) - lowU;
    state.randomState = findDraw(state.randomState, lowU, span);
    return drawOf(state.randomState);
}

}  // namespace darts
