#include "platform/textfile.h"

#include "platform/codepage.h"
#include "platform/lasterror.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

using test::TempDir;
using test::Utf16Bytes;

TEST(TextFile, RecognisesEveryEncoding)
{
    SetAnsiCodePage(1252);
    const std::u16string expected = u"[String]\r\ntype=caf\u00E9";
    struct Case { const char* name; std::string bytes; TextEncoding enc; };
    const Case cases[] = {
        {"utf16 with mark", Utf16Bytes(expected, true), TextEncoding::Utf16LeBom},
        {"utf16 without mark", Utf16Bytes(expected, false), TextEncoding::Utf16Le},
        {"utf8 with mark", "\xEF\xBB\xBF[String]\r\ntype=caf\xC3\xA9", TextEncoding::Utf8Bom},
        {"utf8 without mark", "[String]\r\ntype=caf\xC3\xA9", TextEncoding::Utf8},
        {"ansi", "[String]\r\ntype=caf\xE9", TextEncoding::Ansi},
    };
    TempDir dir;
    for (const auto& c : cases) {
        dir.Write("f.txt", c.bytes);
        std::u16string text;
        TextEncoding enc;
        ASSERT_TRUE(ReadTextFile(dir.File("f.txt"), text, &enc)) << c.name;
        EXPECT_EQ(text, expected) << c.name;
        EXPECT_EQ(enc, c.enc) << c.name;
    }
}

TEST(TextFile, AnsiFollowsTheInstallationCodePage)
{
    TempDir dir;
    dir.Write("gbk.txt", "\xD6\xD0\xCE\xC4");
    std::u16string text;
    SetAnsiCodePage(936);
    ASSERT_TRUE(ReadTextFile(dir.File("gbk.txt"), text));
    EXPECT_EQ(text, u"\u4E2D\u6587");
    SetAnsiCodePage(1252);
    std::string ansi;
    dir.Write("u16.txt", Utf16Bytes(u"caf\u00E9", true));
    ASSERT_TRUE(ReadTextFileAnsi(dir.File("u16.txt"), ansi));
    EXPECT_EQ(ansi, "caf\xE9");
}

TEST(TextFile, Utf16TestOnTheEdges)
{
    struct Case { const char* name; std::string bytes; bool unicode; };
    const Case cases[] = {
        {"empty", "", false},
        {"one byte", "a", false},
        {"odd length", std::string("a\0b\0c", 5), false},
        {"plain ascii", "hello world", false},
        // Pairs of printable ASCII that read as CJK units when taken two bytes at a time.
        {"one repeated letter", std::string(4096, 'A'), false},
        {"ascii that pairs into cjk", "ceceNNNNMMMM", false},
        {"ascii with one NUL unit", Utf16Bytes(u"abcdef", false) + std::string(2, '\0'), true},
        {"cjk without zero bytes", Utf16Bytes(u"\u4E2D\u6587\u5B57", false), true},
        {"binary zeros at even offsets", std::string("\0a\0b\0c\0d", 8), false},
        {"mostly zero", std::string(64, '\0'), false},
    };
    for (const auto& c : cases) {
        ByteSpan b(reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size());
        EXPECT_EQ(IsTextUnicode(b), c.unicode) << c.name;
    }
}

TEST(TextFile, HostileFilesNeverCrash)
{
    TempDir dir;
    std::string garbage;
    for (int i = 0; i < 70000; ++i)
        garbage += static_cast<char>((i * 7919) & 0xFF);
    const std::string cases[] = {
        std::string("\xFF\xFE", 2),             // mark only
        std::string("\xFF\xFE" "a", 3),         // odd UTF-16
        std::string("\xEF\xBB", 2),             // half a UTF-8 mark
        garbage,
    };
    for (const auto& bytes : cases) {
        dir.Write("g.txt", bytes);
        std::u16string text;
        EXPECT_TRUE(ReadTextFile(dir.File("g.txt"), text));
    }
    std::u16string text;
    dir.Write("bom.txt", std::string("\xFF\xFE" "a", 3));
    ASSERT_TRUE(ReadTextFile(dir.File("bom.txt"), text));
    EXPECT_TRUE(text.empty()); // the odd last byte is dropped
}

TEST(TextFile, MissingFileFailsWithTheSystemReason)
{
    TempDir dir;
    std::u16string text;
    EXPECT_FALSE(ReadTextFile(dir.File("none.txt"), text));
    EXPECT_EQ(GetLastError(), err::FileNotFound);
    EXPECT_FALSE(ReadTextFile(dir.Folder(), text));
}

} // namespace
} // namespace kf

namespace kf {
namespace {

TEST(TextFile, AHundredMegabytesOfGarbageIsReadWhole)
{
    TempDir dir;
    std::string big(100u << 20, '\0');
    uint32_t x = 12345;
    for (auto& c : big) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>(x >> 24);
    }
    dir.Write("big.txt", big);
    std::u16string text;
    ASSERT_TRUE(ReadTextFile(dir.File("big.txt"), text));
    EXPECT_GE(text.size(), big.size() / 2);
}

} // namespace
} // namespace kf
