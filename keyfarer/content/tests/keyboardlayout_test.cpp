#include "content/keyboardlayout.h"

#include "platform/lasterror.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

// A valid image: the built-in layout with the file version.
Bytes ValidImage()
{
    Bytes image = CKeyboardLayout().LayoutImage();
    StoreLe<uint16_t>(image.data() + KeyboardLayoutHeader::kOffVersion,
                      KeyboardLayoutHeader::kVersion);
    return image;
}

void SetMainBase(Bytes& image, size_t index, char16_t base)
{
    StoreLe<uint16_t>(image.data() + CKeyboardLayout::SlotOffset(index) + KeyRecord::kOffBase,
                      base);
}

TEST(KeyboardLayout, DefaultLayoutIsTheBuiltInUsTable)
{
    const CKeyboardLayout layout;
    EXPECT_TRUE(layout.IsLoaded());
    const KeyboardLayoutHeader& h = layout.Header();
    EXPECT_TRUE(h.HasMagic());
    EXPECT_EQ(h.Name(), u"USInternatinal");
    EXPECT_EQ(h.CodePage(), 1252);
    EXPECT_EQ(h.KeySlots(), 81);
    EXPECT_EQ(h.DeclaredFileSize(), 23120u);
    EXPECT_EQ(h.FingerFamily(), 1);
    EXPECT_EQ(h.Hand(), 0);
    EXPECT_EQ(h.Version(), 0);
    EXPECT_EQ(layout.MainKeyCount(), 58u);
    const uint8_t rows[] = {15, 14, 12, 12, 5};
    for (size_t r = 1; r <= 5; ++r)
        EXPECT_EQ(h.RowCount(r), rows[r - 1]) << r;
    EXPECT_EQ(layout.Caption(KeyCaption::NumLock), u"Num\nLock");
    EXPECT_EQ(layout.Caption(KeyCaption::Backspace), u"Back");
    EXPECT_EQ(layout.Caption(KeyCaption::RightAlt), u"Alt");
    EXPECT_FALSE(layout.HasAltGrChars());
    EXPECT_FALSE(layout.HasShiftAltGrChars());

    struct Row
    {
        size_t index;
        char16_t base, shifted;
        uint8_t kind, finger;
        bool left;
        uint16_t width;
    };
    const Row keys[] = {
        {0, u'`', u'~', 0, 4, true, 2},          {2, u'2', u'@', 0, 3, true, 2},
        {6, u'6', u'^', 0, 1, false, 2},         {13, u'\\', u'|', 0, 4, false, 2},
        {14, vk::Backspace, 0, 0, 4, false, 2},  {15, vk::Tab, 0, 0, 4, true, 3},
        {16, u'q', u'Q', 1, 4, true, 2},         {28, vk::Enter, 0, 0, 4, false, 73},
        {29, vk::CapsLock, 0, 2, 4, true, 4},    {33, u'f', u'F', 1, 1, true, 2},
        {36, u'j', u'J', 1, 1, false, 2},        {40, u'\'', u'"', 0, 4, false, 2},
        {41, vk::LeftShift, 0, 2, 4, true, 5},   {50, u'.', u'>', 0, 3, false, 2},
        {52, vk::RightShift, 0, 2, 4, false, 5}, {54, vk::LeftAlt, 0, 2, 1, true, 4},
        {55, vk::Space, 0, 0, 0, false, 14},     {57, vk::RightCtrl, 0, 2, 4, false, 4},
    };
    for (const Row& k : keys) {
        const KeyRecord& r = *layout.MainKey(k.index);
        EXPECT_EQ(r.Base(), k.base) << k.index;
        EXPECT_EQ(r.Shifted(), k.shifted) << k.index;
        EXPECT_EQ(r.KindBits(), k.kind) << k.index;
        EXPECT_EQ(r.Finger(), k.finger) << k.index;
        EXPECT_EQ(r.IsLeftHand(), k.left) << k.index;
        EXPECT_EQ(r.Width(), k.width) << k.index;
    }
    EXPECT_EQ(*layout.MainKey(58), KeyRecord());
    const char16_t keypad[] = {vk::NumLock, u'/', u'*', u'-', u'7', u'8',      u'9', u'+', u'4',
                               u'5',        u'6', u'1', u'2', u'3', vk::Enter, u'0', u'.'};
    for (size_t i = 0; i < 17; ++i)
        EXPECT_EQ(layout.KeypadKey(i)->Base(), keypad[i]) << i;
    EXPECT_EQ(layout.KeypadKey(7)->Width(), 94);
    EXPECT_EQ(layout.KeypadKey(14)->KindBits(), 1); // the keypad Enter as tabled
    EXPECT_EQ(layout.KeypadKey(15)->Width(), 4);
    EXPECT_EQ(layout.KeySlot(64), layout.KeypadKey(0));
    EXPECT_EQ(layout.KeySlot(81), nullptr);
}

TEST(KeyboardLayout, ValidationErrors)
{
    struct Case
    {
        const char* what;
        void (*change)(Bytes&);
        bool check;
        uint32_t error; // 0: loads
    };
    const Case cases[] = {
        {"valid", [](Bytes&) {}, true, 0},
        {"shorter than the header", [](Bytes& b) { b.resize(763); }, false, 5},
        {"declares more than it holds",
         [](Bytes& b) { StoreLe<uint32_t>(b.data() + KeyboardLayoutHeader::kOffFileSize, 23121); },
         true, 5},
        {"declares little but lacks records",
         [](Bytes& b) {
             StoreLe<uint32_t>(b.data() + KeyboardLayoutHeader::kOffFileSize, 764);
             b.resize(1000);
         },
         false, 5},
        {"another product's magic", [](Bytes& b) { b[2] = 'X'; }, true, 6},
        {"magic not checked", [](Bytes& b) { b[2] = 'X'; }, false, 0},
        {"magic without its NUL", [](Bytes& b) { b[22] = 'L'; }, true, 6},
        {"version", [](Bytes& b) { b[KeyboardLayoutHeader::kOffVersion] = 3; }, true, 8},
        {"version not checked", [](Bytes& b) { b[KeyboardLayoutHeader::kOffVersion] = 3; }, false,
         0},
        {"82 key slots", [](Bytes& b) { b[KeyboardLayoutHeader::kOffKeySlots] = 82; }, false, 7},
        {"rows above 64 keys", [](Bytes& b) { b[KeyboardLayoutHeader::kOffRowCounts + 4] = 12; },
         true, 7},
        {"longer than declared", [](Bytes& b) { b.resize(30000, 0xEE); }, true, 0},
        {"declares and holds more than the records",
         [](Bytes& b) {
             b.resize(30000, 0xEE);
             StoreLe<uint32_t>(b.data() + KeyboardLayoutHeader::kOffFileSize, 30000);
         },
         true, 0},
    };
    for (const Case& c : cases) {
        Bytes image = ValidImage();
        c.change(image);
        CKeyboardLayout layout;
        SetLastError(0);
        EXPECT_EQ(layout.LoadLayoutImage(image, c.check), c.error == 0) << c.what;
        EXPECT_EQ(layout.ErrorCode(), c.error) << c.what;
        EXPECT_EQ(layout.IsLoaded(), c.error == 0) << c.what;
        if (c.error != 0) {
            EXPECT_EQ(GetLastError(), err::InvalidData) << c.what;
            continue;
        }
        // What the model writes back loads again, whatever size the file declared.
        CKeyboardLayout again;
        EXPECT_TRUE(again.LoadLayoutImage(layout.LayoutImage(), false)) << c.what;
        EXPECT_EQ(again.LayoutImage(), layout.LayoutImage()) << c.what;
    }
}

TEST(KeyboardLayout, FailedLoadKeepsKeysButIsNotLoaded)
{
    Bytes other = ValidImage();
    SetMainBase(other, 16, u'x');
    CKeyboardLayout layout;
    ASSERT_TRUE(layout.LoadLayoutImage(other, true));
    Bytes bad = ValidImage();
    bad[2] = 'Z';
    EXPECT_FALSE(layout.LoadLayoutImage(bad, true));
    EXPECT_FALSE(layout.IsLoaded());
    EXPECT_EQ(layout.MainKey(16)->Base(), u'x');
    layout.ResetToDefaultLayout();
    EXPECT_TRUE(layout.IsLoaded());
    EXPECT_EQ(layout.MainKey(16)->Base(), u'q');
}

TEST(KeyboardLayout, LoadCopiesHeaderAndRecordsAndClearsViewState)
{
    Bytes image = ValidImage();
    const size_t q = CKeyboardLayout::SlotOffset(16);
    StoreLe<uint16_t>(image.data() + q + KeyRecord::kOffAltGr, u'@');
    StoreLe<uint16_t>(image.data() + CKeyboardLayout::SlotOffset(30) + KeyRecord::kOffShiftAltGr,
                      u'Á');
    image[q + KeyRecord::kOffState] = 3;
    image[q + KeyRecord::kOffCode + 1] |= 0x50; // hint mark
    image[CKeyboardLayout::kOffKeypadKeys + 16 * KeyRecord::kSize + KeyRecord::kOffBase] = ',';
    CKeyboardLayout layout;
    ASSERT_TRUE(layout.LoadLayoutImage(image, true));
    EXPECT_TRUE(layout.HasAltGrChars());
    EXPECT_TRUE(layout.HasShiftAltGrChars());
    EXPECT_EQ(layout.MainKey(16)->DisplayState(), 0);
    EXPECT_EQ(layout.MainKey(16)->HintMark(), 0);
    EXPECT_EQ(layout.MainKey(16)->Finger(), 4);
    EXPECT_EQ(layout.KeypadKey(16)->Base(), u',');
    EXPECT_EQ(layout.Header().Version(), KeyboardLayoutHeader::kVersion);
}

TEST(KeyboardLayout, RowCountsBoundTheKeysInUse)
{
    Bytes image = ValidImage();
    const uint8_t rows[] = {10, 9, 7, 0, 0};
    for (size_t r = 0; r < 5; ++r)
        image[KeyboardLayoutHeader::kOffRowCounts + r] = rows[r];
    SetMainBase(image, 30, u'§'); // record 30 lies past the 26 keys in use
    CKeyboardLayout layout;
    ASSERT_TRUE(layout.LoadLayoutImage(image, true));
    EXPECT_EQ(layout.MainKeyCount(), 26u);
    EXPECT_FALSE(layout.FindKeyForChar(u'§', false, false));
    EXPECT_EQ(layout.RowOfMainKey(9), 1);
    EXPECT_EQ(layout.RowOfMainKey(10), 2);
    EXPECT_EQ(layout.RowOfMainKey(25), 3);
    EXPECT_EQ(layout.RowOfMainKey(26), 0);
    EXPECT_EQ(layout.RowStart(3), 19u);
    EXPECT_EQ(layout.RowStart(4), 26u);
}

TEST(KeyboardLayout, FindKeyForCharAndItsModifiers)
{
    Bytes image = ValidImage();
    // AltGr levels on two keys: q (left hand) and the 8 key (right hand).
    StoreLe<uint16_t>(image.data() + CKeyboardLayout::SlotOffset(16) + KeyRecord::kOffAltGr, u'@');
    StoreLe<uint16_t>(image.data() + CKeyboardLayout::SlotOffset(8) + KeyRecord::kOffAltGr, u'[');
    StoreLe<uint16_t>(image.data() + CKeyboardLayout::SlotOffset(8) + KeyRecord::kOffShiftAltGr,
                      u'‹');
    CKeyboardLayout layout;
    ASSERT_TRUE(layout.LoadLayoutImage(image, true));

    struct Case
    {
        char16_t ch;
        bool caps;
        int index;
        uint8_t shift, altGr, shiftAltGr;
    };
    const Case cases[] = {
        {u'a', false, 30, 0, 0, 0},      {u'A', false, 30, 2, 0, 0}, // a left-hand key: side 2
        {u'J', false, 36, 1, 0, 0},                                  // a right-hand key: side 1
        {u'A', true, 30, 0, 0, 0},       {u'a', true, 30, 2, 0, 0},  // Caps Lock swaps letters
        {u'!', true, 1, 2, 0, 0},        {u'1', true, 1, 0, 0, 0},   // ...not ordinary keys
        {u'@', false, 2, 2, 0, 0}, // the first key with it: Shift+2 comes before AltGr+q
        {u'[', false, 8, 0, 1, 0}, // record order decides: AltGr+8 comes before the [ key
        {u'‹', false, 8, 0, 0, 1},       {u'\r', false, 28, 0, 0, 0}, {u' ', false, 55, 0, 0, 0},
        {u'\x00A0', false, -1, 0, 0, 0}, // 160 is the left Shift's code, not a character
        {u'\0', false, -1, 0, 0, 0},     // empty levels hold 0
        {u'é', false, -1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const KeyMatch m = layout.FindKeyForChar(c.ch, false, c.caps);
        EXPECT_EQ(m.index, c.index) << static_cast<int>(c.ch);
        EXPECT_EQ(m.shift, c.shift) << static_cast<int>(c.ch);
        EXPECT_EQ(m.altGr, c.altGr) << static_cast<int>(c.ch);
        EXPECT_EQ(m.shiftAltGr, c.shiftAltGr) << static_cast<int>(c.ch);
        EXPECT_EQ(static_cast<bool>(m), c.index >= 0);
    }
    const KeyMatch five = layout.FindKeyForChar(u'5', true, false);
    EXPECT_TRUE(five.keypad);
    EXPECT_EQ(five.index, 9);
    EXPECT_EQ(five.shift, 0);
    EXPECT_FALSE(layout.FindKeyForChar(u'a', true, false));
}

TEST(KeyboardLayout, FindModifierKey)
{
    const CKeyboardLayout layout;
    EXPECT_EQ(layout.FindModifierKey(vk::LeftShift, false).index, 41);
    EXPECT_EQ(layout.FindModifierKey(vk::RightShift, false).index, 52);
    EXPECT_EQ(layout.FindModifierKey(vk::RightAlt, false).index, 56);
    EXPECT_EQ(layout.FindModifierKey(vk::NumLock, true).index, 0);
    EXPECT_FALSE(layout.FindModifierKey(vk::NumLock, false));
    // Enter is an ordinary key whose base is a virtual-key code, not a modifier.
    EXPECT_FALSE(layout.FindModifierKey(vk::Enter, false));
}

} // namespace
} // namespace kf
