#pragma once

// The eight values the typing desk hands to the information panel at each refresh, in the
// order the panel reads them. Index 2 is carried but unused.

#include <array>
#include <cstddef>
#include <cstdint>

namespace kf {

// Speed units of the panel.
enum class SpeedUnit : int32_t {
    CharactersPerMinute = 0,
    WordsPerMinute = 1,
    // Characters per minute of an alternative script; shown with its own unit text.
    ScriptCharactersPerMinute = 2,
};

struct StatisticsBlock
{
    static constexpr size_t kPass = 0;          // "Single_Pass"
    static constexpr size_t kFullmark = 1;      // "Single_Fullmark"
    static constexpr size_t kUnused = 2;
    static constexpr size_t kSpeedUnit = 3;     // SpeedUnit
    static constexpr size_t kTotalHits = 4;     // P
    static constexpr size_t kSampleHits = 5;    // P at the last one-second sample
    static constexpr size_t kCorrectHits = 6;   // C (P in free typing)
    static constexpr size_t kElapsedMs = 7;     // exercise time in milliseconds

    std::array<int32_t, 8> values{};

    int32_t Pass() const { return values[kPass]; }
    int32_t Fullmark() const { return values[kFullmark]; }
    SpeedUnit Unit() const { return static_cast<SpeedUnit>(values[kSpeedUnit]); }
    int32_t TotalHits() const { return values[kTotalHits]; }
    int32_t SampleHits() const { return values[kSampleHits]; }
    int32_t CorrectHits() const { return values[kCorrectHits]; }
    int32_t ElapsedMs() const { return values[kElapsedMs]; }

    friend bool operator==(const StatisticsBlock&, const StatisticsBlock&) = default;
};

} // namespace kf
