#include "content/fingerassignment.h"

#include "content/keyboardlayout.h"
#include "platform/lasterror.h"

#include <gtest/gtest.h>

#include <cstring>

namespace kf {
namespace {

Bytes FingerFile(uint16_t slots, size_t pairs, uint8_t byte7 = 0)
{
    Bytes b(16 + 2 * pairs, 0);
    std::memcpy(b.data(), "KYFINGE", 7);
    b[7] = byte7;
    StoreLe<uint16_t>(b.data() + 12, slots);
    return b;
}

TEST(FingerAssignment, ParseRules)
{
    struct Case
    {
        const char* what;
        Bytes bytes;
        bool ok;
    };
    Bytes badMagic = FingerFile(81, 81);
    badMagic[3] = 'X';
    Bytes early = FingerFile(81, 81);
    early[5] = 0; // "KYFIN" and a NUL is another text
    Bytes onlyMagic = FingerFile(81, 0);
    onlyMagic.resize(8);
    const Case cases[] = {
        {"81 pairs", FingerFile(81, 81), true},
        {"byte 7 is not read", FingerFile(81, 81, 'Z'), true},
        {"wrong magic", badMagic, false},
        {"magic ends early", early, false},
        {"fewer pairs than announced", FingerFile(81, 80), false},
        {"only the magic", onlyMagic, false},
        {"252 pairs fit the 520 bytes read", FingerFile(252, 252), true},
        {"253 pairs do not", FingerFile(253, 253), false},
        {"empty", Bytes(), false},
    };
    for (const Case& c : cases) {
        FingerAssignment f;
        SetLastError(0);
        EXPECT_EQ(f.Parse(c.bytes), c.ok) << c.what;
        if (!c.ok) {
            EXPECT_EQ(GetLastError(), err::InvalidData) << c.what;
        }
    }
}

TEST(FingerAssignment, ApplyChangesOnlyHandAndFinger)
{
    Bytes file = FingerFile(81, 81);
    for (size_t i = 0; i < 81; ++i) {
        file[16 + 2 * i] = 0xF0;     // high bits are not used: right hand
        file[16 + 2 * i + 1] = 0x02; // middle
    }
    file[16] = 1; // record 0: left ring
    file[17] = 3;
    FingerAssignment fingers;
    ASSERT_TRUE(fingers.Parse(file));
    EXPECT_EQ(fingers.FileImage(), file); // the writer makes the same 178 bytes

    Bytes image = CKeyboardLayout().LayoutImage();
    StoreLe<uint16_t>(image.data() + KeyboardLayoutHeader::kOffVersion,
                      KeyboardLayoutHeader::kVersion);
    ASSERT_TRUE(fingers.ApplyToImage(image));
    CKeyboardLayout layout;
    ASSERT_TRUE(layout.LoadLayoutImage(image, true));
    EXPECT_TRUE(layout.MainKey(0)->IsLeftHand());
    EXPECT_EQ(layout.MainKey(0)->Finger(), 3);
    EXPECT_EQ(layout.MainKey(0)->Base(), u'`');
    const KeyRecord& a = *layout.MainKey(30);
    EXPECT_FALSE(a.IsLeftHand());
    EXPECT_EQ(a.Finger(), 2);
    EXPECT_TRUE(a.IsLetter());
    EXPECT_EQ(a.Shifted(), u'A');
    EXPECT_EQ(layout.KeypadKey(16)->Finger(), 2); // the keypad slots follow the main ones
    EXPECT_TRUE(layout.MainKey(41)->IsModifier());
}

TEST(FingerAssignment, KeySlotsMustMatchTheLayout)
{
    FingerAssignment fingers;
    ASSERT_TRUE(fingers.Parse(FingerFile(80, 80)));
    Bytes image = CKeyboardLayout().LayoutImage();
    const Bytes before = image;
    EXPECT_FALSE(fingers.ApplyToImage(image));
    EXPECT_EQ(GetLastError(), err::InvalidData);
    EXPECT_EQ(image, before);

    ASSERT_TRUE(fingers.Parse(FingerFile(81, 81)));
    Bytes shortImage(CKeyboardLayout::SlotOffset(40), 0);
    StoreLe<uint16_t>(shortImage.data() + KeyboardLayoutHeader::kOffKeySlots, 81);
    EXPECT_FALSE(fingers.ApplyToImage(shortImage));
}

TEST(FingerAssignment, FileNames)
{
    EXPECT_EQ(FingerAssignment::FileName(0, 1), u"USFinger_1.dat");
    EXPECT_EQ(FingerAssignment::FileName(1, 12), u"IntnalFinger_12.dat");
    EXPECT_EQ(FingerAssignment::FileName(2, 2), u"EuroFinger_2.dat");
    EXPECT_EQ(FingerAssignment::FileName(3, 1), u"");
}

} // namespace
} // namespace kf
