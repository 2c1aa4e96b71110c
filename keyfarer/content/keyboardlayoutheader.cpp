#include "content/keyboardlayoutheader.h"

namespace kf {

bool KeyboardLayoutHeader::HasMagic() const
{
    return StartsWithMagic(bytes());
}

void KeyboardLayoutHeader::SetMagic()
{
    SetText(kOffMagic, kMagicUnits, kMagic);
}

bool KeyboardLayoutHeader::StartsWithMagic(ByteSpan bytes)
{
    if (bytes.size() < 2 * kMagicUnits)
        return false;
    // The eleven letters and the NUL after them.
    for (size_t i = 0; i < kMagicUnits; ++i) {
        if (LoadLe<uint16_t>(bytes.data() + 2 * i) != static_cast<uint16_t>(kMagic[i]))
            return false;
    }
    return true;
}

uint8_t KeyboardLayoutHeader::RowCount(size_t row) const
{
    return row >= 1 && row <= kRows ? U8(kOffRowCounts + row - 1) : 0;
}

void KeyboardLayoutHeader::SetRowCount(size_t row, uint8_t n)
{
    if (row >= 1 && row <= kRows)
        SetU8(kOffRowCounts + row - 1, n);
}

unsigned KeyboardLayoutHeader::RowCountSum() const
{
    unsigned sum = 0;
    for (size_t row = 1; row <= kRows; ++row)
        sum += RowCount(row);
    return sum;
}

std::u16string KeyboardLayoutHeader::Caption(KeyCaption which) const
{
    const size_t i = static_cast<size_t>(which);
    if (i >= kCaptions)
        return {};
    return Text(kOffCaptions + 2 * kCaptionUnits * i, kCaptionUnits);
}

void KeyboardLayoutHeader::SetCaption(KeyCaption which, std::u16string_view text)
{
    const size_t i = static_cast<size_t>(which);
    if (i < kCaptions)
        SetText(kOffCaptions + 2 * kCaptionUnits * i, kCaptionUnits, text);
}

} // namespace kf
