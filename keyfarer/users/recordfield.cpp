#include "recordfield.h"

#include "platform/textformat.h"
#include "platform/utf.h"

namespace kf {

bool IsNumericField(const RecordField& field)
{
    switch (field.kind) {
    case FieldKind::Text:
    case FieldKind::Bytes:
    case FieldKind::DateTime:
        return false;
    default:
        return true;
    }
}

int64_t FieldNumber(const uint8_t* image, const RecordField& f)
{
    const uint8_t* p = image + f.offset;
    switch (f.kind) {
    case FieldKind::U8:
        return p[0];
    case FieldKind::U16:
        return LoadLe<uint16_t>(p);
    case FieldKind::U32:
        return LoadLe<uint32_t>(p);
    case FieldKind::I32:
        return LoadLe<int32_t>(p);
    case FieldKind::LowHalf16:
        return LoadLe<uint32_t>(p) & 0xFFFF;
    case FieldKind::HighHalf16:
        return LoadLe<uint32_t>(p) >> 16;
    case FieldKind::LowNibble:
        return p[0] & 0x0F;
    case FieldKind::HighNibble:
        return p[0] >> 4;
    default:
        return 0;
    }
}

std::u16string FieldText(const uint8_t* image, const RecordField& f)
{
    const uint8_t* p = image + f.offset;
    switch (f.kind) {
    case FieldKind::Text:
        return LoadUtf16Field(p, f.size);
    case FieldKind::Bytes: {
        static const char16_t digits[] = u"0123456789abcdef";
        std::u16string hex;
        hex.reserve(2 * size_t{f.size});
        for (uint32_t i = 0; i < f.size; ++i) {
            hex += digits[p[i] >> 4];
            hex += digits[p[i] & 0x0F];
        }
        return hex;
    }
    case FieldKind::DateTime:
        return FormatText(u"%04d-%02d-%02d %02d:%02d:%02d",
                          {int(LoadLe<uint16_t>(p)), int(LoadLe<uint16_t>(p + 2)),
                           int(LoadLe<uint16_t>(p + 6)), int(LoadLe<uint16_t>(p + 8)),
                           int(LoadLe<uint16_t>(p + 10)), int(LoadLe<uint16_t>(p + 12))});
    default:
        return FromUtf8(std::to_string(FieldNumber(image, f)));
    }
}

} // namespace kf
