#pragma once

// LessonListEntry: one lesson of a course's lesson list, as ListLessons answers it (1052
// bytes each, back to back, in course order). Little-endian; texts UTF-16, NUL-terminated.
//
//   offset  size  type       field
//   0       4     u32        lesson index within the course
//   4       1     u8         layout type of the course (5: keypad references)
//   5       1     -          reserved
//   6       1     u8         Type
//   7       1     u8         FitMode
//   8       1     u8         NewGroup
//   9       1     -          reserved
//   10      520   utf16[260] lesson name
//   530     520   utf16[260] lesson description
//   1050    2     -          reserved

#include "platform/bytes.h"

#include <string>

namespace kf {

class LessonListEntry : public RecordImage<1052>
{
public:
    static constexpr size_t kIndex = 0;
    static constexpr size_t kLayoutType = 4;
    static constexpr size_t kType = 6;
    static constexpr size_t kFitMode = 7;
    static constexpr size_t kNewGroup = 8;
    static constexpr size_t kName = 10;
    static constexpr size_t kDescription = 530;
    static constexpr size_t kTextUnits = 260;

    uint32_t Index() const { return U32(kIndex); }
    uint8_t LayoutType() const { return U8(kLayoutType); }
    uint8_t Type() const { return U8(kType); }
    uint8_t FitMode() const { return U8(kFitMode); }
    uint8_t NewGroup() const { return U8(kNewGroup); }
    std::u16string Name() const { return Text(kName, kTextUnits); }
    std::u16string Description() const { return Text(kDescription, kTextUnits); }
};

static_assert(LessonListEntry::kDescription + 2 * LessonListEntry::kTextUnits + 2 == LessonListEntry::kSize);
static_assert(LessonListEntry::kSize == 1052);

} // namespace kf
