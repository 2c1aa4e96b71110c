#pragma once

// The preset colour themes of "SysDat\\Present_SkinTheme.ini":
//
//   [General]
//   Present_Count=N
//   [Theme_1]            ; 1 .. N
//   Name=Ocean           ; a theme without a name is skipped
//   Hue=-20              ; hue shift, −180..180
//   Saturation=10        ; saturation change, −100..100
//   Light=0              ; lightness change; the program never applies it
//
// Reading follows the settings-file rule: a missing key is written back with its default,
// and so is an integer that holds its default.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kf {

struct SkinPreset
{
    int32_t hue = 0;
    int32_t saturation = 0;
    int32_t light = 0;
    bool operator==(const SkinPreset&) const = default;
};

inline constexpr int kMaxSkinPresetRows = 32;
inline constexpr char16_t kSkinThemeFile[] = u"Present_SkinTheme.ini";

// The themes file of an installation folder (stored form, trailing backslash).
std::u16string SkinThemeFilePath(std::u16string_view installFolder);

// Appends the named themes to `names` and their values to `table` (one row per new list
// entry), stopping once the newest entry's list index + 2 reaches 32 so that one row is left
// for the custom entry. Returns the number of entries added.
int LoadSkinPresets(std::u16string_view installFolder, std::vector<std::u16string>& names,
                    std::vector<SkinPreset>& table);

// Index of the first row equal to (hue, saturation, light) in all three values, or −1.
int FindSkinPreset(const std::vector<SkinPreset>& table, int hue, int saturation, int light);

} // namespace kf
