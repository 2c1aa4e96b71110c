#pragma once

// TestCategoryItem: one category of the test text library, as ListTestCategories and
// CheckTestCategory answer it (1052 bytes each). Little-endian; texts UTF-16, NUL-terminated.
//
//   offset  size  type       field
//   0       4     i32        index in the listing (from 0); CheckTestCategory: 1 = exists
//   4       520   utf16[260] category (folder) name
//   524     520   utf16[260] information line ("IDS_FORMAT_FOLDERINFO" with the number of
//                            texts and of sub-folders); empty from CheckTestCategory
//   1044    4     u32        number of texts
//   1048    1     u8         TestType of the category's "testcfg.ini" (0 without the file)
//   1049    3     -          reserved

#include "platform/bytes.h"

#include <string>

namespace kf {

class TestCategoryItem : public RecordImage<1052>
{
public:
    static constexpr size_t kIndex = 0;
    static constexpr size_t kName = 4;
    static constexpr size_t kInfo = 524;
    static constexpr size_t kTextUnits = 260;
    static constexpr size_t kTextCount = 1044;
    static constexpr size_t kTestType = 1048;

    int32_t Index() const { return I32(kIndex); }
    std::u16string Name() const { return Text(kName, kTextUnits); }
    std::u16string Info() const { return Text(kInfo, kTextUnits); }
    uint32_t TextCount() const { return U32(kTextCount); }
    uint8_t TestType() const { return U8(kTestType); }
};

static_assert(TestCategoryItem::kInfo + 2 * TestCategoryItem::kTextUnits == TestCategoryItem::kTextCount);
static_assert(TestCategoryItem::kSize == 1052);

} // namespace kf
