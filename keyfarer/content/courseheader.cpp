#include "courseheader.h"

namespace kf {

bool CourseHeader::StartsWithTag(ByteSpan bytes)
{
    static constexpr char16_t kTagText[kTagUnits] = {u'K', u'B', u'T', u'R', u'A', u'I', u'N', 0};
    if (bytes.size() < 2 * kTagUnits)
        return false;
    for (size_t i = 0; i < kTagUnits; ++i) {
        if (LoadLe<uint16_t>(bytes.data() + 2 * i) != kTagText[i])
            return false;
    }
    return true;
}

} // namespace kf
