#include "skin/textlookup.h"

#include "content/resstring.h"

namespace kf {

TextLookup StringTableTexts()
{
    return [](std::u16string_view key) { return GetResString(key, key); };
}

} // namespace kf
