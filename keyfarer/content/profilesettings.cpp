#include "profilesettings.h"

#include "platform/profile.h"
#include "platform/utf.h"

#include <string>

namespace kf {

uint32_t ReadProfileNumber(std::u16string_view file, std::u16string_view section,
                           std::u16string_view key, uint32_t defaultValue)
{
    const uint32_t v = GetPrivateProfileInt(section, key, static_cast<int32_t>(defaultValue), file);
    if (v == defaultValue) {
        // "%ld" of the default, as the settings files were always written.
        const std::string text = std::to_string(static_cast<int32_t>(defaultValue));
        WritePrivateProfileString(section, key, FromUtf8(text), file);
    }
    return v;
}

std::u16string ReadProfileText(std::u16string_view file, std::u16string_view section,
                               std::u16string_view key, std::u16string_view defaultValue,
                               size_t capacity)
{
    if (capacity == 0)
        return {};
    const bool present = HasPrivateProfileKey(section, key, file);
    std::u16string value = GetPrivateProfileString(section, key, u"", capacity, file);
    const std::u16string_view word = u"default";
    // With room for fewer than 7 characters only the part of the word that fits is compared.
    const std::u16string_view compared = capacity >= 7 ? word : word.substr(0, capacity - 1);
    const bool isDefaultWord = EqualsNoCase(value, compared);
    if (!present || isDefaultWord) {
        WritePrivateProfileString(section, key, defaultValue, file);
        value.assign(defaultValue.substr(0, std::min(defaultValue.size(), capacity - 1)));
    }
    return value;
}

bool WriteProfileText(std::u16string_view file, std::u16string_view section,
                      std::u16string_view key, std::u16string_view text)
{
    return WritePrivateProfileString(section, key, text, file);
}

bool WriteProfileNumber(std::u16string_view file, std::u16string_view section,
                        std::u16string_view key, int32_t number)
{
    return WritePrivateProfileString(section, key, FromUtf8(std::to_string(number)), file);
}

} // namespace kf
