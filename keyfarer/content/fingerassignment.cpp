#include "content/fingerassignment.h"

#include "content/keyboardlayout.h"
#include "platform/lasterror.h"

#include <cstring>
#include <iterator>
#include <string>

namespace kf {

bool FingerAssignment::Parse(ByteSpan bytes)
{
    const ByteSpan head = bytes.first(std::min(bytes.size(), kReadLimit));
    uint16_t slots = 0;
    const ByteReader reader(head);
    if (!reader.Has(kOffMagic, kMagicLength + 1) ||
        std::memcmp(head.data() + kOffMagic, kMagic, kMagicLength) != 0 ||
        !reader.Get(kOffKeySlots, slots) || !reader.Has(kOffPairs, 2 * size_t{slots})) {
        SetLastError(err::InvalidData);
        return false;
    }
    std::vector<Pair> pairs(slots);
    for (size_t i = 0; i < slots; ++i) {
        pairs[i].hand = head[kOffPairs + 2 * i];
        pairs[i].finger = head[kOffPairs + 2 * i + 1];
    }
    m_pairs = std::move(pairs);
    return true;
}

Bytes FingerAssignment::FileImage() const
{
    Bytes out(kOffPairs, 0);
    std::memcpy(out.data() + kOffMagic, kMagic, kMagicLength);
    StoreLe<uint16_t>(out.data() + kOffKeySlots, KeySlots());
    for (const Pair& p : m_pairs) {
        out.push_back(p.hand);
        out.push_back(p.finger);
    }
    return out;
}

bool FingerAssignment::ApplyToImage(MutableByteSpan image) const
{
    uint16_t layoutSlots = 0;
    if (!ByteReader(image).Get(KeyboardLayoutHeader::kOffKeySlots, layoutSlots) ||
        layoutSlots != KeySlots()) {
        SetLastError(err::InvalidData);
        return false;
    }
    const size_t count = std::min<size_t>(layoutSlots, CKeyboardLayout::kMaxKeySlots);
    if (count > 0 && image.size() < CKeyboardLayout::SlotOffset(count)) {
        SetLastError(err::InvalidData);
        return false;
    }
    for (size_t i = 0; i < count; ++i) {
        uint8_t* code = image.data() + CKeyboardLayout::SlotOffset(i) + KeyRecord::kOffCode;
        uint32_t v = LoadLe<uint32_t>(code);
        v &= ~uint32_t{0xFF0};
        v |= (uint32_t{m_pairs[i].hand} & 0xF) << 8;
        v |= (uint32_t{m_pairs[i].finger} & 0xF) << 4;
        StoreLe<uint32_t>(code, v);
    }
    return true;
}

std::u16string FingerAssignment::FileName(uint8_t family, uint8_t whichHand)
{
    static constexpr std::u16string_view kPrefixes[] = {u"USFinger_", u"IntnalFinger_",
                                                        u"EuroFinger_"};
    if (family >= std::size(kPrefixes))
        return {};
    std::u16string name(kPrefixes[family]);
    for (char c : std::to_string(whichHand))
        name += static_cast<char16_t>(c);
    return name + u".dat";
}

} // namespace kf
