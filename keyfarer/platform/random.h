#pragma once

// The program's one pseudo-random generator: a 15-bit linear congruential generator
// (state := state * 214013 + 2531011 mod 2^32; value := bits 16 to 30 of the new state).
// Practice texts and games are re-seeded from the clock; tests and tools fix the seed so
// their texts are reproducible.

#include <cstdint>
#include <optional>

namespace kf {

class Lcg15
{
public:
    explicit Lcg15(uint32_t seed = 1) : m_state(seed) {}
    void Seed(uint32_t seed) { m_state = seed; }
    // 0 to 32767.
    int Next()
    {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<int>((m_state >> 16) & 0x7FFF);
    }
    // Next() mod n; 0 when n is 0 or negative.
    int Below(int n) { return n > 0 ? Next() % n : 0; }
    uint32_t State() const { return m_state; }

private:
    uint32_t m_state;
};

// The shared generator.
Lcg15& Random();
// random(n) of the program: the shared generator's next value modulo n.
inline int RandomBelow(int n) { return Random().Below(n); }

// Re-seeds the shared generator with the current time in seconds, or with the fixed seed
// when one is set.
void ReseedFromClock();
// Fixes the seed used by ReseedFromClock (nullopt: the clock again). Seeds the generator too.
void SetFixedSeed(std::optional<uint32_t> seed);

} // namespace kf
