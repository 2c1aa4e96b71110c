#pragma once

// A description of one field of a fixed record layout (name, offset, type), so that tools
// can list every field of a profile or result record by name without a second copy of the
// layout. The record classes keep their typed accessors; these tables are for listing.

#include "platform/bytes.h"

#include <cstdint>
#include <span>
#include <string>

namespace kf {

enum class FieldKind {
    U8,
    U16,
    U32,
    I32,
    Text,       // UTF-16, NUL-terminated within `size` code units
    LowHalf16,  // bits 0-15 of a 32-bit value
    HighHalf16, // bits 16-31 of a 32-bit value
    LowNibble,  // bits 0-3 of a byte
    HighNibble, // bits 4-7 of a byte
    Bytes,      // `size` raw bytes
    DateTime,   // eight 16-bit values: year, month, day of week, day, hour, minute, second, ms
};

struct RecordField
{
    const char* name;
    uint32_t offset;
    FieldKind kind;
    uint32_t size = 0; // code units for Text, bytes for Bytes
};

// The number a numeric field holds (0 for Text, Bytes and DateTime).
int64_t FieldNumber(const uint8_t* image, const RecordField& field);
// The text of a Text field, or the field written as a number, date ("2024-03-05 14:07:09")
// or lower-case hex bytes.
std::u16string FieldText(const uint8_t* image, const RecordField& field);
// True for the kinds FieldNumber answers.
bool IsNumericField(const RecordField& field);

} // namespace kf
