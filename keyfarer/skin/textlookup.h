#pragma once

// How the toolkit gets its interface texts: a function from a text key ("IDS_CT_OK") to the
// text. The program passes the string table's lookup; tests pass a small map. A lookup that
// is not set, or that finds nothing, shows the key itself, as the string table does.

#include <functional>
#include <string>
#include <string_view>

namespace kf {

using TextLookup = std::function<std::u16string(std::u16string_view key)>;

inline std::u16string LookupText(const TextLookup& lookup, std::u16string_view key)
{
    if (lookup) {
        std::u16string text = lookup(key);
        if (!text.empty())
            return text;
    }
    return std::u16string(key);
}

// The program's string table (content/resstring.h) as a lookup.
TextLookup StringTableTexts();

} // namespace kf
