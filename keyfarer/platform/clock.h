#pragma once

// Time as the program measures it: a millisecond tick for all exercise timing, the local
// date and time for records, and seconds since 1970.

#include <cstdint>
#include <functional>

namespace kf {

// Milliseconds since an arbitrary start, wrapping at 2^32 like the platform's tick count.
// Monotonic: never jumps with the wall clock.
uint32_t TickCount();

// Replaces the tick source (tests drive exercise clocks with it); an empty function
// restores the real clock.
void SetTickSourceForTesting(std::function<uint32_t()> source);

// Broken-down local time, the fields of the platform's system-time structure.
struct LocalDateTime
{
    uint16_t year = 0;
    uint16_t month = 0;     // 1-12
    uint16_t dayOfWeek = 0; // 0 = Sunday
    uint16_t day = 0;       // 1-31
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;
};

LocalDateTime LocalNow();
// The local time of a moment given in seconds since 1970.
LocalDateTime LocalFromSeconds(int64_t seconds);

// Seconds since 1970-01-01 00:00 UTC.
int64_t SecondsSince1970();

} // namespace kf
