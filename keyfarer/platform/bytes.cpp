#include "bytes.h"

namespace kf {

Bytes Utf16ToBytes(std::u16string_view text)
{
    Bytes out(text.size() * 2);
    for (size_t i = 0; i < text.size(); ++i)
        StoreLe<uint16_t>(out.data() + 2 * i, static_cast<uint16_t>(text[i]));
    return out;
}

std::u16string BytesToUtf16(ByteSpan bytes)
{
    std::u16string out(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char16_t>(LoadLe<uint16_t>(bytes.data() + 2 * i));
    return out;
}

} // namespace kf
