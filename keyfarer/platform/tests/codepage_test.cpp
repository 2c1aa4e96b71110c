#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

TEST(CodePage, ConvertsBothWays)
{
    struct Case { unsigned cp; std::string bytes; std::u16string text; };
    const Case cases[] = {
        {1252, "caf\xE9 \x80", u"caf\u00E9 \u20AC"},
        {936, "\xD6\xD0\xCE\xC4", u"\u4E2D\u6587"},
        {1251, "\xCF\xF0\xE8", u"\u041F\u0440\u0438"},
        {kCodePageUtf8, "\xE2\x82\xAC", u"\u20AC"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MultiByteToWide(c.cp, c.bytes), c.text) << c.cp;
        EXPECT_EQ(WideToMultiByte(c.cp, c.text), c.bytes) << c.cp;
    }
}

TEST(CodePage, BadBytesAndMissingCharactersDoNotStopConversion)
{
    // A GBK lead byte without its trail byte at the end, and an invalid trail byte.
    EXPECT_EQ(MultiByteToWide(936, "ab\xD6"), u"ab\uFFFD");
    EXPECT_EQ(MultiByteToWide(936, "\xD6\x0A" "a"), u"\uFFFD\na");
    // Characters that the code page lacks become question marks.
    EXPECT_EQ(WideToMultiByte(1252, u"a\u4E2Db"), "a?b");
    // An unknown code page reads as Windows-1252 rather than failing.
    EXPECT_EQ(MultiByteToWide(12345, "\xE9"), u"\u00E9");
}

TEST(CodePage, LongTextsConvertWholeAcrossSliceBoundaries)
{
    // Double-byte characters after an odd-length prefix fall across every 64 KiB boundary.
    std::string bytes = "a";
    std::u16string text = u"a";
    for (int i = 0; i < 100000; ++i) {
        bytes += "\xD6\xD0";
        text += u'\u4E2D';
    }
    EXPECT_EQ(MultiByteToWide(936, bytes), text);
    EXPECT_EQ(WideToMultiByte(936, text), bytes);
}

TEST(CodePage, EnvironmentAndSettingChooseTheAnsiCodePage)
{
    SetAnsiCodePage(936);
    EXPECT_EQ(AnsiCodePage(), 936u);
    SetAnsiCodePage(0);
    EXPECT_EQ(AnsiCodePage(), 1252u);
    EXPECT_EQ(CodePageName(936), "GBK");
    EXPECT_TRUE(CodePageName(4242).empty());
}

} // namespace
} // namespace kf
