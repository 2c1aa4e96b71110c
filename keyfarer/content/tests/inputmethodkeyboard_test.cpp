#include "content/inputmethodkeyboard.h"

#include "content/keyboardlayout.h"
#include "platform/lasterror.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

InputMethodKeyboard Parsed(std::u16string_view text)
{
    InputMethodKeyboard ime;
    EXPECT_TRUE(ime.ParseText(text));
    return ime;
}

TEST(InputMethodKeyboard, TagAndSettings)
{
    InputMethodKeyboard ime;
    SetLastError(0);
    EXPECT_FALSE(ime.ParseText(u"[General]\nTag=IMEKEYBOARDLAYOUTS\n"));
    EXPECT_EQ(GetLastError(), err::InvalidData);
    EXPECT_FALSE(ime.ParseText(u"[General]\nTag= IMEKEYBOARDLAYOUT\n"));
    EXPECT_FALSE(ime.ParseText(u"[KeyChars]\nQ=x\n"));

    const InputMethodKeyboard defaults = Parsed(u"[General]\nTag=IMEKEYBOARDLAYOUT\n");
    EXPECT_TRUE(defaults.StressCapitalChar());
    EXPECT_FALSE(defaults.ContainNumericKey());
    EXPECT_FALSE(defaults.StandardLayout());
    EXPECT_EQ(defaults.SmallFontSize(), 0);
    EXPECT_EQ(defaults.FontName(), u"");

    // As ReadTutorialText answers it: UTF-16 bytes, here with a byte order mark.
    const std::string bytes =
        test::Utf16Bytes(u"[General]\r\nTag=IMEKEYBOARDLAYOUT\r\nFontName=Noto Sans CJK SC\r\n"
                         u"Stress_CapitalChar=0\r\nSmallFont_Size=14\r\nSmallFont_Bold=1\r\n",
                         true);
    ASSERT_TRUE(ime.Parse(ByteSpan(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())));
    EXPECT_EQ(ime.FontName(), u"Noto Sans CJK SC");
    EXPECT_FALSE(ime.StressCapitalChar());
    EXPECT_EQ(ime.SmallFontSize(), 14);
    EXPECT_EQ(ime.SmallFontBold(), 1);
}

TEST(InputMethodKeyboard, KeyNames)
{
    const InputMethodKeyboard ime = Parsed(u"[General]\nTag=IMEKEYBOARDLAYOUT\n[KeyChars]\n"
                                           u"Q=金\nC;=semi\nC[=open\n+=equals\n,=comma\n1=one\n"
                                           u"A=0123456789012345678901234567890123456789TOO LONG\n");
    EXPECT_EQ(ime.LabelFor(u'q'), u"金");
    EXPECT_EQ(ime.LabelFor(u';'), u"semi");
    EXPECT_EQ(ime.LabelFor(u'['), u"open");
    EXPECT_EQ(ime.LabelFor(u'='), u"equals");
    EXPECT_EQ(ime.LabelFor(u','), u"comma");
    EXPECT_EQ(ime.LabelFor(u'1'), u"one");
    EXPECT_EQ(ime.LabelFor(u'a').size(), 40u);
    EXPECT_EQ(ime.LabelFor(u'w'), u"");
}

TEST(InputMethodKeyboard, ReducedKeyboards)
{
    for (const bool digits : {false, true}) {
        const InputMethodKeyboard ime =
            Parsed(std::u16string(u"[General]\nTag=IMEKEYBOARDLAYOUT\nContainNumericKey=") +
                   (digits ? u"1" : u"0") + u"\n[KeyChars]\nQ=金\n1=一\nM=m-label\n");
        CKeyboardLayout layout;
        ASSERT_TRUE(layout.ApplyInputMethodKeyboard(ime));
        EXPECT_TRUE(layout.IsInputMethodKeyboard());
        const size_t keys = digits ? 36 : 26;
        EXPECT_EQ(layout.MainKeyCount(), keys);
        EXPECT_EQ(layout.KeySlots(), keys);
        const uint8_t rows36[] = {10, 10, 9, 7, 0};
        const uint8_t rows26[] = {10, 9, 7, 0, 0};
        for (size_t r = 1; r <= 5; ++r)
            EXPECT_EQ(layout.Header().RowCount(r), (digits ? rows36 : rows26)[r - 1]);
        const size_t q = digits ? 10 : 0;
        EXPECT_EQ(layout.MainKey(q)->Base(), u'q');
        EXPECT_EQ(layout.MainKey(q)->Shifted(), u'Q');
        EXPECT_EQ(layout.KeyLabel(q), u"金");
        EXPECT_EQ(layout.KeyLabel(keys - 1), u"m-label");
        EXPECT_EQ(layout.MainKey(keys - 1)->Base(), u'm');
        EXPECT_EQ(layout.MainKey(keys)->Base(), 0);
        // The finger hints follow the columns: A with the left little finger, L with the
        // right ring finger, M with the right index finger.
        const KeyRecord& a = *layout.MainKey(q + 10);
        EXPECT_EQ(a.Base(), u'a');
        EXPECT_TRUE(a.IsLeftHand());
        EXPECT_EQ(a.Finger(), finger::Little);
        EXPECT_EQ(layout.MainKey(q + 18)->Finger(), finger::Ring);
        EXPECT_FALSE(layout.MainKey(keys - 1)->IsLeftHand());
        EXPECT_EQ(layout.MainKey(keys - 1)->Finger(), finger::Index);
        EXPECT_EQ(layout.KeypadKey(0)->Base(), 0);
        if (digits) {
            EXPECT_EQ(layout.KeyLabel(0), u"一");
            // A digit key holds the digit on both levels; typing it needs no Shift.
            const KeyMatch one = layout.FindKeyForChar(u'1', false, false);
            EXPECT_EQ(one.index, 0);
            EXPECT_EQ(one.shift, 0);
        } else {
            EXPECT_FALSE(layout.FindKeyForChar(u'1', false, false));
        }
        EXPECT_EQ(layout.FindKeyForChar(u'Q', false, true).shift, 0); // letter keys obey Caps Lock
    }
}

TEST(InputMethodKeyboard, StandardLayoutLabelsTheLoadedKeys)
{
    const InputMethodKeyboard ime =
        Parsed(u"[General]\nTag=IMEKEYBOARDLAYOUT\nStandard_layout=1\n[KeyChars]\n"
               u"Q=金\n+=eq\nC;=semi\nC]=never\n`=grave\n/=slash\n");
    CKeyboardLayout layout;
    ASSERT_TRUE(layout.ApplyInputMethodKeyboard(ime));
    EXPECT_EQ(layout.MainKeyCount(), 58u); // the loaded layout stays
    EXPECT_EQ(layout.KeyLabel(16), u"金");
    EXPECT_EQ(layout.KeyLabel(12), u"eq");
    EXPECT_EQ(layout.KeyLabel(39), u"semi");
    EXPECT_EQ(layout.KeyLabel(0), u"grave");
    EXPECT_EQ(layout.KeyLabel(51), u"slash");
    EXPECT_EQ(layout.KeyLabel(27), u""); // "]" is not among the standard keys labelled

    // A new layout drops the labels; without a loaded layout nothing is applied.
    Bytes bad(10, 0);
    EXPECT_FALSE(layout.LoadLayoutImage(bad, true));
    EXPECT_FALSE(layout.ApplyInputMethodKeyboard(ime));
    layout.ResetToDefaultLayout();
    EXPECT_FALSE(layout.IsInputMethodKeyboard());
    EXPECT_EQ(layout.KeyLabel(16), u"");
}

} // namespace
} // namespace kf
