#pragma once

// Font faces named by settings, courses and skins are Windows faces ("Tahoma", "Courier New");
// this table gives the families Debian ships that stand in for them, best first.

#include <string>
#include <string_view>
#include <vector>

namespace kf {

// Families to try for `face`, best first: the face itself, then its stand-ins (compared
// without regard to case), then a general fallback of the same kind (sans, serif, mono).
std::vector<std::u16string> FontCandidates(std::u16string_view face);

} // namespace kf
