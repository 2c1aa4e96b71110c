#include "platform/random.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

TEST(Lcg15, FollowsTheFormula)
{
    // The first values for seed 1 are the widely published sequence of this generator.
    Lcg15 g(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
    for (int e : expected)
        EXPECT_EQ(g.Next(), e);
    // Bits 16-30 only: never 32768 or above, whatever the state.
    Lcg15 h(0xFFFFFFFFu);
    for (int i = 0; i < 1000; ++i) {
        int v = h.Next();
        EXPECT_GE(v, 0);
        EXPECT_LE(v, 32767);
    }
    EXPECT_EQ(h.Below(0), 0);
}

TEST(Lcg15, FixedSeedMakesReseedingReproducible)
{
    SetFixedSeed(7);
    ReseedFromClock();
    const int a = RandomBelow(1000), b = RandomBelow(1000);
    ReseedFromClock();
    EXPECT_EQ(RandomBelow(1000), a);
    EXPECT_EQ(RandomBelow(1000), b);
    SetFixedSeed(std::nullopt);
}

} // namespace
} // namespace kf
