#include "durationtext.h"

#include "resstring.h"

#include "platform/textformat.h"

namespace kf {

std::u16string DurationText(int64_t seconds, const CResString& strings)
{
    std::u16string out;
    auto part = [&](int64_t n, std::u16string_view key) {
        if (!out.empty())
            out += u' ';
        out += FormatText(u"%d %s", {static_cast<long long>(n), strings.Get(key)});
    };
    if (seconds < 0)
        seconds = 0;
    if (seconds >= 3600)
        part(seconds / 3600, u"IDS_UNITABBR_HOUR");
    const int64_t rest = seconds % 3600;
    if (rest >= 60)
        part(rest / 60, u"IDS_UNITABBR_MIN");
    if (rest % 60 != 0)
        part(rest % 60, u"IDS_UNITABBR_SEC");
    return out;
}

std::u16string DurationText(int64_t seconds)
{
    static const CResString empty;
    const CResString* table = StringTable();
    return DurationText(seconds, table ? *table : empty);
}

} // namespace kf
