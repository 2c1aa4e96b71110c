#include "platform/utf.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

TEST(Utf, RoundTripsEveryPlane)
{
    const std::u16string text = u"A\u00E9\u4E2D\U0001F600z";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_EQ(ToUtf8(text), "A\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80z");
}

TEST(Utf, BrokenInputBecomesReplacementCharacters)
{
    struct Case { std::string in; std::u16string out; };
    const Case cases[] = {
        {"a\xC3", u"a\uFFFD"},               // truncated sequence
        {"\xE4\xB8", u"\uFFFD\uFFFD"},       // truncated three-byte sequence
        {"\xC0\xAF", u"\uFFFD\uFFFD"},       // overlong encoding
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"}, // encoded surrogate
        {"\xFF", u"\uFFFD"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FromUtf8(c.in), c.out) << c.in;
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(Utf, CaseRulesTouchOnlyAscii)
{
    EXPECT_TRUE(EqualsNoCase(u"IDS_Err_Load", u"ids_ERR_load"));
    EXPECT_FALSE(EqualsNoCase(u"\u00C9", u"\u00E9"));
    EXPECT_EQ(FindNoCase(u"xx[HEADER]", u"header"), 3u);
    EXPECT_EQ(FindNoCase(u"abc", u"abcd"), std::u16string_view::npos);
    EXPECT_EQ(TrimBlanks(u" \t a b \t"), u"a b");
}

} // namespace
} // namespace kf
