#pragma once

// Durations as the program writes them: up to three parts separated by one blank, each
// "%d %s" with its unit text — hours ("IDS_UNITABBR_HOUR") when there is at least an hour,
// the minutes of the rest ("IDS_UNITABBR_MIN") when at least one, the seconds left
// ("IDS_UNITABBR_SEC") when not zero. 0 seconds give an empty text.

#include <cstdint>
#include <string>

namespace kf {

class CResString;

std::u16string DurationText(int64_t seconds, const CResString& strings);
// With the program's string table.
std::u16string DurationText(int64_t seconds);

} // namespace kf
