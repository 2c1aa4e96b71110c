#pragma once

// TestTextItem: one text of a test category, as ListTestTexts answers it (1048 bytes each)
// and AddCustomText returns it. Little-endian; texts UTF-16, NUL-terminated.
//
//   offset  size  type       field
//   0       6     -          reserved
//   6       520   utf16[260] title (the file name without its last 4 characters, ".txt")
//   526     520   utf16[260] information line ("IDS_FORMAT_FILEINFO" with the size in
//                            kilobytes and the date "%d-%02d-%02d", or "NoDefine!")
//   1046    2     -          reserved

#include "platform/bytes.h"

#include <string>

namespace kf {

class TestTextItem : public RecordImage<1048>
{
public:
    static constexpr size_t kTitle = 6;
    static constexpr size_t kInfo = 526;
    static constexpr size_t kTextUnits = 260;

    std::u16string Title() const { return Text(kTitle, kTextUnits); }
    std::u16string Info() const { return Text(kInfo, kTextUnits); }
};

static_assert(TestTextItem::kInfo + 2 * TestTextItem::kTextUnits + 2 == TestTextItem::kSize);
static_assert(TestTextItem::kSize == 1048);

} // namespace kf
