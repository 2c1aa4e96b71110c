#pragma once

// CPrivileges: "privilege.cfg" in the "Account" folder of the data folder, which says which
// functions the users of this installation may use and which groups of their options they
// may change. A fixed binary record of 102 bytes; only the first 102 bytes of the file are
// read, anything after them is ignored. A set bit grants, a clear bit withholds.
//
//   offset  size  content
//   0       26    magic: UTF-16LE "KY_PRIVILEGE" (12 code units) and one NUL code unit
//   26      70    not read (zero in the files made here)
//   96      1     function flags       bit 0 AllowGames, 1 AllowReview, 2 AllowTests,
//                                      3 AllowLessons, 4 AllowStatistics, 5 AllowOptions,
//                                      6 ShowRankPage, 7 ShowHistoryPage
//   97      1     option-group flags   0 EditTypingOptions, 1 EditAppearance,
//                                      2 EditGameOptions, 3 EditViewOptions, 4 EditEstimate,
//                                      5 EditSpeedUnit, 6 EditKeyboardLayout,
//                                      7 EditPersonalOptions
//   98      1     feature flags        0 SwitchKeySound, 1 SwitchMusic, 2 AllowDiploma,
//                                      3 AllowStatPrint, 4-5 not used, 6 ChooseCourse,
//                                      7 ChooseLesson
//   99      1     choice/login flags   0 ChooseTestCategory, 1 ChooseTest, 2 AlwaysSaveTests,
//                                      3-4 StartMode (two-bit number), 5 AllowChangePassword,
//                                      6 ShowAccountList, 7 AllowNewUsers
//   100     2     not read
//
// After loading, two dependencies hold: without ChooseTest there is no ChooseTestCategory,
// without ChooseLesson no ChooseCourse. StartMode 1 starts the last lesson after login, 2 the
// last test; 0 and 3 follow the user's option ChoiceLessonAtStartup.

#include "platform/bytes.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kf {

constexpr char16_t kPrivilegesFileName[] = u"privilege.cfg";

class CPrivileges : public RecordImage<102>
{
public:
    static constexpr char16_t kMagic[] = u"KY_PRIVILEGE";
    static constexpr size_t kMagicUnits = 12;
    static constexpr size_t kFunctions = 96;
    static constexpr size_t kOptionGroups = 97;
    static constexpr size_t kFeatures = 98;
    static constexpr size_t kChoices = 99;
    static constexpr uint8_t kStartModeShift = 3;
    static constexpr uint8_t kStartModeMask = 0x18;

    // One named bit (or, for StartMode, the two-bit field) of the record.
    struct Bit
    {
        const char* name;
        size_t byte;
        uint8_t mask;
    };
    // Every name of the table above, in byte and bit order.
    static std::span<const Bit> Bits();
    // The entry of that name (exact spelling), or null.
    static const Bit* FindBit(std::string_view name);

    // True when bytes hold at least 102 bytes starting with the magic and its NUL.
    static bool IsValidImage(ByteSpan bytes);
    // The record of a file's first 102 bytes with the dependencies applied. False with
    // InvalidData (nothing changed) when the bytes are not a valid image.
    bool Load(ByteSpan bytes);
    // Clears ChooseTestCategory without ChooseTest and ChooseCourse without ChooseLesson.
    void EnforceDependencies();

    // A record that grants everything, StartMode 3 (follow the user's option).
    static CPrivileges GrantAll();

    bool Has(const Bit& bit) const { return (U8(bit.byte) & bit.mask) == bit.mask; }
    void Set(const Bit& bit, bool on);
    // The raw value of the bit's field (0 or 1; 0 to 3 for StartMode).
    unsigned Value(const Bit& bit) const;

    // Functions (byte 96).
    bool AllowGames() const { return Flag(kFunctions, 0); }
    bool AllowReview() const { return Flag(kFunctions, 1); }
    bool AllowTests() const { return Flag(kFunctions, 2); }
    bool AllowLessons() const { return Flag(kFunctions, 3); }
    bool AllowStatistics() const { return Flag(kFunctions, 4); }
    bool AllowOptions() const { return Flag(kFunctions, 5); }
    bool ShowRankPage() const { return Flag(kFunctions, 6); }
    bool ShowHistoryPage() const { return Flag(kFunctions, 7); }
    // Option groups (byte 97).
    bool EditTypingOptions() const { return Flag(kOptionGroups, 0); }
    bool EditAppearance() const { return Flag(kOptionGroups, 1); }
    bool EditGameOptions() const { return Flag(kOptionGroups, 2); }
    bool EditViewOptions() const { return Flag(kOptionGroups, 3); }
    bool EditEstimate() const { return Flag(kOptionGroups, 4); }
    bool EditSpeedUnit() const { return Flag(kOptionGroups, 5); }
    bool EditKeyboardLayout() const { return Flag(kOptionGroups, 6); }
    bool EditPersonalOptions() const { return Flag(kOptionGroups, 7); }
    // Features (byte 98).
    bool SwitchKeySound() const { return Flag(kFeatures, 0); }
    bool SwitchMusic() const { return Flag(kFeatures, 1); }
    bool AllowDiploma() const { return Flag(kFeatures, 2); }
    bool AllowStatPrint() const { return Flag(kFeatures, 3); }
    bool ChooseCourse() const { return Flag(kFeatures, 6); }
    bool ChooseLesson() const { return Flag(kFeatures, 7); }
    // Choices and login (byte 99).
    bool ChooseTestCategory() const { return Flag(kChoices, 0); }
    bool ChooseTest() const { return Flag(kChoices, 1); }
    bool AlwaysSaveTests() const { return Flag(kChoices, 2); }
    // 0 to 3: 1 last lesson, 2 last test, 0 and 3 the user's ChoiceLessonAtStartup.
    unsigned StartMode() const { return (U8(kChoices) & kStartModeMask) >> kStartModeShift; }
    bool AllowChangePassword() const { return Flag(kChoices, 5); }
    bool ShowAccountList() const { return Flag(kChoices, 6); }
    bool AllowNewUsers() const { return Flag(kChoices, 7); }

private:
    bool Flag(size_t byte, unsigned bit) const { return (U8(byte) >> bit) & 1u; }
};

static_assert(CPrivileges::kSize == 102);

// The store side of the supplier's request: the first 102 bytes of the file at path in out.
// Fails when the file is missing (FileNotFound) or cannot be read (its error), and with
// InvalidData when it is shorter than 102 bytes or does not start with the magic and NUL.
// The dependencies are not applied here (the application applies them to its copy).
bool LoadPrivilegesFile(std::u16string_view path, Bytes& out);

} // namespace kf
