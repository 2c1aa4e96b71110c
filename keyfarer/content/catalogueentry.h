#pragma once

// CatalogueEntry: one course of the catalogue, as ListCourses answers it (1568 bytes each,
// back to back). Little-endian; texts UTF-16, NUL-terminated within their field.
//
//   offset  size  type       field
//   0       2     u16        ordinal (the catalogue sort key, from the course order file)
//   2       2     -          reserved
//   4       520   utf16[260] course name
//   524     520   utf16[260] course description
//   1044    520   utf16[260] course path relative to Tutorial ("Category\File.btf")
//   1564    1     u8         layout type of the course
//   1565    1     u8         for hand
//   1566    1     u8         separator line before this course
//   1567    1     -          reserved

#include "platform/bytes.h"

#include <string>

namespace kf {

class CatalogueEntry : public RecordImage<1568>
{
public:
    static constexpr size_t kOrdinal = 0;
    static constexpr size_t kName = 4;
    static constexpr size_t kDescription = 524;
    static constexpr size_t kPath = 1044;
    static constexpr size_t kTextUnits = 260;
    static constexpr size_t kLayoutType = 1564;
    static constexpr size_t kForHand = 1565;
    static constexpr size_t kSeparatorLine = 1566;

    uint16_t Ordinal() const { return U16(kOrdinal); }
    std::u16string Name() const { return Text(kName, kTextUnits); }
    std::u16string Description() const { return Text(kDescription, kTextUnits); }
    std::u16string Path() const { return Text(kPath, kTextUnits); }
    uint8_t LayoutType() const { return U8(kLayoutType); }
    uint8_t ForHand() const { return U8(kForHand); }
    uint8_t SeparatorLine() const { return U8(kSeparatorLine); }
};

static_assert(CatalogueEntry::kPath + 2 * CatalogueEntry::kTextUnits == CatalogueEntry::kLayoutType);
static_assert(CatalogueEntry::kSize == 1568);

} // namespace kf
