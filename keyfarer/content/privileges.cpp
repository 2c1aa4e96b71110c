#include "privileges.h"

#include "platform/lasterror.h"
#include "platform/path.h"

#include <algorithm>

namespace kf {

namespace {

using P = CPrivileges;

constexpr P::Bit kBits[] = {
    {"AllowGames", P::kFunctions, 0x01},
    {"AllowReview", P::kFunctions, 0x02},
    {"AllowTests", P::kFunctions, 0x04},
    {"AllowLessons", P::kFunctions, 0x08},
    {"AllowStatistics", P::kFunctions, 0x10},
    {"AllowOptions", P::kFunctions, 0x20},
    {"ShowRankPage", P::kFunctions, 0x40},
    {"ShowHistoryPage", P::kFunctions, 0x80},
    {"EditTypingOptions", P::kOptionGroups, 0x01},
    {"EditAppearance", P::kOptionGroups, 0x02},
    {"EditGameOptions", P::kOptionGroups, 0x04},
    {"EditViewOptions", P::kOptionGroups, 0x08},
    {"EditEstimate", P::kOptionGroups, 0x10},
    {"EditSpeedUnit", P::kOptionGroups, 0x20},
    {"EditKeyboardLayout", P::kOptionGroups, 0x40},
    {"EditPersonalOptions", P::kOptionGroups, 0x80},
    {"SwitchKeySound", P::kFeatures, 0x01},
    {"SwitchMusic", P::kFeatures, 0x02},
    {"AllowDiploma", P::kFeatures, 0x04},
    {"AllowStatPrint", P::kFeatures, 0x08},
    {"ChooseCourse", P::kFeatures, 0x40},
    {"ChooseLesson", P::kFeatures, 0x80},
    {"ChooseTestCategory", P::kChoices, 0x01},
    {"ChooseTest", P::kChoices, 0x02},
    {"AlwaysSaveTests", P::kChoices, 0x04},
    {"StartMode", P::kChoices, P::kStartModeMask},
    {"AllowChangePassword", P::kChoices, 0x20},
    {"ShowAccountList", P::kChoices, 0x40},
    {"AllowNewUsers", P::kChoices, 0x80},
};

} // namespace

std::span<const CPrivileges::Bit> CPrivileges::Bits()
{
    return kBits;
}

const CPrivileges::Bit* CPrivileges::FindBit(std::string_view name)
{
    for (const Bit& b : kBits)
        if (name == b.name)
            return &b;
    return nullptr;
}

bool CPrivileges::IsValidImage(ByteSpan bytes)
{
    if (bytes.size() < kSize)
        return false;
    // The magic read as a NUL-terminated text: its 12 characters, then the NUL.
    for (size_t i = 0; i < kMagicUnits; ++i)
        if (LoadLe<uint16_t>(bytes.data() + 2 * i) != kMagic[i])
            return false;
    return LoadLe<uint16_t>(bytes.data() + 2 * kMagicUnits) == 0;
}

bool CPrivileges::Load(ByteSpan bytes)
{
    if (!IsValidImage(bytes)) {
        SetLastError(err::InvalidData);
        return false;
    }
    Assign(bytes, true);
    EnforceDependencies();
    return true;
}

void CPrivileges::EnforceDependencies()
{
    if (!ChooseTest())
        SetU8(kChoices, U8(kChoices) & ~uint8_t{0x01});
    if (!ChooseLesson())
        SetU8(kFeatures, U8(kFeatures) & ~uint8_t{0x40});
}

CPrivileges CPrivileges::GrantAll()
{
    CPrivileges p;
    for (size_t i = 0; i < kMagicUnits; ++i)
        p.SetU16(2 * i, kMagic[i]);
    for (const Bit& b : kBits)
        p.Set(b, true);
    return p;
}

void CPrivileges::Set(const Bit& bit, bool on)
{
    const uint8_t v = U8(bit.byte);
    SetU8(bit.byte, on ? static_cast<uint8_t>(v | bit.mask) : static_cast<uint8_t>(v & ~bit.mask));
}

unsigned CPrivileges::Value(const Bit& bit) const
{
    unsigned shift = 0;
    while (shift < 8 && !((bit.mask >> shift) & 1u))
        ++shift;
    return (U8(bit.byte) & bit.mask) >> shift;
}

bool LoadPrivilegesFile(std::u16string_view path, Bytes& out)
{
    out.clear();
    if (!FileExists(path)) {
        SetLastError(err::FileNotFound);
        return false;
    }
    const int64_t size = FileSize(path);
    if (size < 0)
        return false;
    if (size < static_cast<int64_t>(CPrivileges::kSize)) {
        SetLastError(err::InvalidData);
        return false;
    }
    Bytes head;
    if (!ReadFilePrefix(path, CPrivileges::kSize, head))
        return false;
    if (!CPrivileges::IsValidImage(head)) {
        SetLastError(err::InvalidData);
        return false;
    }
    out = std::move(head);
    SetLastError(err::Success);
    return true;
}

} // namespace kf
