#include "skin/skinpresets.h"

#include "content/profilesettings.h"
#include "platform/profile.h"
#include "platform/utf.h"

#include <algorithm>

namespace kf {
namespace {

constexpr size_t kNameCapacity = 260;

int32_t ReadNumber(std::u16string_view file, std::u16string_view section, std::u16string_view key)
{
    return int32_t(ReadProfileNumber(file, section, key, 0));
}

} // namespace

std::u16string SkinThemeFilePath(std::u16string_view installFolder)
{
    std::u16string path(installFolder);
    path += u"sysdat\\";
    path += kSkinThemeFile;
    return path;
}

int LoadSkinPresets(std::u16string_view installFolder, std::vector<std::u16string>& names,
                    std::vector<SkinPreset>& table)
{
    const std::u16string file = SkinThemeFilePath(installFolder);
    const int32_t count = ReadNumber(file, u"General", u"Present_Count");
    // Only the "Theme_%d" sections that exist are visited, in number order: a huge count in a
    // damaged file then costs nothing and adds no empty sections to it.
    std::vector<int32_t> numbers;
    for (const std::u16string& section : GetPrivateProfileSectionNames(file)) {
        const std::u16string_view prefix = u"theme_";
        if (section.size() <= prefix.size() || section.size() > prefix.size() + 10 ||
            !EqualsNoCase(std::u16string_view(section).substr(0, prefix.size()), prefix))
            continue;
        const std::u16string_view digits = std::u16string_view(section).substr(prefix.size());
        if (digits[0] == u'0')
            continue; // "Theme_%d" never has a leading zero
        int64_t n = 0;
        bool ok = true;
        for (char16_t c : digits) {
            if (c < u'0' || c > u'9') {
                ok = false;
                break;
            }
            n = n * 10 + (c - u'0');
        }
        if (ok && n >= 1 && n <= count)
            numbers.push_back(int32_t(n));
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());

    int added = 0;
    for (int32_t i : numbers) {
        const std::u16string section = u"Theme_" + FromUtf8(std::to_string(i));
        std::u16string name = ReadProfileText(file, section, u"Name", u"", kNameCapacity);
        if (name.empty())
            continue;
        names.push_back(std::move(name));
        SkinPreset row;
        row.hue = ReadNumber(file, section, u"Hue");
        row.saturation = ReadNumber(file, section, u"Saturation");
        row.light = ReadNumber(file, section, u"Light");
        // One table row per list entry: the new entry's row sits at its list index.
        table.resize(names.size() - 1);
        table.push_back(row);
        ++added;
        if (int(names.size()) - 1 + 2 >= kMaxSkinPresetRows)
            break;
    }
    return added;
}

int FindSkinPreset(const std::vector<SkinPreset>& table, int hue, int saturation, int light)
{
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].hue == hue && table[i].saturation == saturation && table[i].light == light)
            return int(i);
    return -1;
}

} // namespace kf
