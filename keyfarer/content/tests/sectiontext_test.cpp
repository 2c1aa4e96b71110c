#include "content/sectiontext.h"

#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

SectionText Reader(std::u16string_view text)
{
    SectionText r;
    r.AttachText(text);
    return r;
}

TEST(SectionText, SectionAndKeyRules)
{
    const SectionText r = Reader(
        u"[Header]\r\n"
        u"Tag=KBTRAIN\r\n"
        u"Name= untrimmed \r\n"
        u"[Lesson_10]\r\n"
        u"Name=ten\r\n"
        u"[Lesson_1]\r\n"
        u"KeyIndex10=not this\r\n"
        u"  KeyIndex1 =3 4 5\r\n"
        u"xName=prefixed\r\n"
        u"Name=one\r\n"
        u"  [Lesson_2] \r\n"
        u"Name=two\r\n"
        u"[Lesson_2x]\r\n"
        u"Name=not a header of Lesson_2\r\n"
        u"[Header]\r\n"
        u"Late=from a repeated section\r\n"
        u"[[Bad]]\r\n"
        u"Name=bad\r\n");
    struct Case { std::u16string section, key, want; };
    const Case cases[] = {
        {u"header", u"TAG", u"KBTRAIN"},
        {u"Header", u"Name", u" untrimmed "},
        {u"Lesson_1", u"KeyIndex1", u"3 4 5"},
        {u"Lesson_1", u"Name", u"one"},
        {u"Lesson_10", u"Name", u"ten"},
        {u"Lesson_2", u"Name", u"two"},
        {u"Header", u"Late", u"from a repeated section"},
        {u"Bad", u"Name", u"dflt"},
        {u"Lesson_3", u"Name", u"dflt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(r.Text(c.section, c.key, u"dflt", 260), c.want);
}

TEST(SectionText, TextsAndNumbers)
{
    const SectionText r = Reader(u"[S]\nLong=abcdef\nEmpty=\nNum=  -12x\nBig=99999999999\nWord=abc\n");
    std::u16string out;
    EXPECT_EQ(r.ReadText(u"S", u"Long", u"", 4, out), 3u);
    EXPECT_EQ(out, u"abc");
    EXPECT_EQ(r.ReadText(u"S", u"Empty", u"d", 260, out), 0u);
    EXPECT_EQ(out, u"");
    EXPECT_EQ(r.ReadText(u"S", u"Missing", u"d", 260, out), 0u);
    EXPECT_EQ(out, u"d");
    EXPECT_EQ(r.ReadNumber(u"S", u"Num", 7), -12);
    EXPECT_EQ(r.ReadNumber(u"S", u"Empty", 7), 7);
    EXPECT_EQ(r.ReadNumber(u"S", u"Missing", 7), 7);
    EXPECT_EQ(r.ReadNumber(u"S", u"Word", 7), 0);
    EXPECT_EQ(r.ReadNumber(u"S", u"Big", 7), INT32_MAX);
}

TEST(SectionText, AttachSkipsTheMarkAndStopsAtNul)
{
    const std::string bytes = test::Utf16Bytes(u"[A]\nK=v", true) + std::string("\0\0[B]\nK=w", 10);
    SectionText r;
    r.Attach(ByteSpan(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    EXPECT_EQ(r.Text(u"A", u"K", u"", 10), u"v");
    EXPECT_EQ(r.Text(u"B", u"K", u"none", 10), u"none");
    SectionText odd;
    odd.Attach(ByteSpan(reinterpret_cast<const uint8_t*>("\xFF\xFE["), 3));
    EXPECT_EQ(odd.Text(u"A", u"K", u"d", 10), u"d");
}

} // namespace
} // namespace kf
