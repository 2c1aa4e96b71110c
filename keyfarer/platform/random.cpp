#include "random.h"

#include "clock.h"

namespace kf {

namespace {
Lcg15 g_random;
std::optional<uint32_t> g_fixedSeed;
} // namespace

Lcg15& Random()
{
    return g_random;
}

void ReseedFromClock()
{
    g_random.Seed(g_fixedSeed ? *g_fixedSeed : static_cast<uint32_t>(SecondsSince1970()));
}

void SetFixedSeed(std::optional<uint32_t> seed)
{
    g_fixedSeed = seed;
    if (seed)
        g_random.Seed(*seed);
}

} // namespace kf
