#include "content/resstring.h"

#include "platform/codepage.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

using test::TempDir;
using test::Utf16Bytes;

CResString Parsed(std::u16string_view text)
{
    CResString t;
    EXPECT_TRUE(t.ParseStringText(text.data(), static_cast<uint32_t>(text.size() * 2)));
    return t;
}

TEST(ResString, LookupRules)
{
    const std::u16string file =
        u"keyfarer interface texts\r\n"
        u"some note\r\n"
        u"[String]\r\n"
        u"type=table\r\n"
        u"IDS_PADDED  = both ends \r\n"
        u"IDS_BREAK=one\\ntwo\\Nthree\r\n"
        u"IDS_PATH=C:\\data\\x\r\n"
        u"IDS_DUP=first\r\n"
        u"IDS_DUP=second\r\n"
        u"  'IDS_COMMENT=never\r\n"
        u"IDS_QUOTE='quoted'\r\n"
        u"==IDS_EQ=a=b\r\n"
        u"IDS SPACED KEY=inner blanks belong to the key\r\n"
        u"[Other]\r\n"
        u"IDS_AFTER_BRACKET=still a key\r\n";
    CResString t = Parsed(file);
    ASSERT_TRUE(t.Loaded());
    struct Case { std::u16string key; bool found; std::u16string value; };
    const Case cases[] = {
        {u"ids_padded", true, u" both ends "},
        {u"IDS_BREAK", true, u"one\r\ntwo\r\nthree"},
        {u"IDS_PATH", true, u"C:\\data\\x"},
        {u"IDS_DUP", true, u"first"},
        {u"'IDS_COMMENT", false, u"dflt"},
        {u"IDS_COMMENT", false, u"dflt"},
        {u"IDS_QUOTE", true, u"'quoted'"},
        {u"IDS_EQ", true, u"a=b"},
        {u"IDS SPACED KEY", true, u"inner blanks belong to the key"},
        {u"IDS_AFTER_BRACKET", true, u"still a key"},
        {u"some note", false, u"dflt"},
        {u"IDS_MISSING", false, u"dflt"},
    };
    for (const auto& c : cases) {
        std::u16string v;
        EXPECT_EQ(t.LookupString(v, c.key, u"dflt"), c.found);
        EXPECT_EQ(v, c.value);
    }
    std::u16string v;
    EXPECT_FALSE(t.LookupString(v, u"IDS_MISSING"));
    EXPECT_TRUE(v.empty());
}

TEST(ResString, LongLinesAreCutInto519CharacterPieces)
{
    // 600 characters: 519 of "IDS_LONG=xxx...", then 81 that form an entry of their own.
    const std::u16string entry = u"IDS_LONG=" + std::u16string(510, u'x') + u"IDS_TAIL=" + std::u16string(72, u'y');
    ASSERT_EQ(entry.size(), 600u);
    CResString t = Parsed(u"[String]\r\ntype=1\r\n" + entry);
    EXPECT_EQ(t.Get(u"IDS_LONG"), std::u16string(510, u'x'));
    EXPECT_EQ(t.Get(u"IDS_TAIL"), std::u16string(72, u'y'));
}

TEST(ResString, FilesWithoutASection)
{
    CResString noHeader = Parsed(u"type=1\r\nIDS_A=b\r\n");
    EXPECT_FALSE(noHeader.Loaded());
    EXPECT_EQ(noHeader.Get(u"type", u"d"), u"d");
    CResString empty = Parsed(u"title\r\n[string]\r\n\r\n");
    EXPECT_FALSE(empty.Loaded());
    CResString t;
    EXPECT_FALSE(t.ParseStringText(nullptr, 10));
    EXPECT_FALSE(t.ParseStringText(u"x", 0));
    // "[String]" must stand alone on its line.
    EXPECT_FALSE(Parsed(u" [String]\r\ntype=1\r\n").Loaded());
}

TEST(ResString, EveryEncodingGivesTheSameTable)
{
    SetAnsiCodePage(1252);
    const std::u16string text = u"[String]\r\ntype=1\r\nIDS_CAFE=caf\u00E9\r\n";
    const std::string forms[] = {
        Utf16Bytes(text, true),
        Utf16Bytes(text, false),
        "\xEF\xBB\xBF[String]\r\ntype=1\r\nIDS_CAFE=caf\xC3\xA9\r\n",
        "[String]\r\ntype=1\r\nIDS_CAFE=caf\xE9\r\n",
    };
    TempDir dir;
    for (const auto& bytes : forms) {
        dir.Write("StringRes.txt", bytes);
        CResString t;
        ASSERT_TRUE(t.LoadStringFile(dir.File("StringRes.txt")));
        EXPECT_EQ(t.Get(u"ids_cafe"), u"caf\u00E9");
    }
    dir.Write("empty.txt", "");
    CResString t;
    EXPECT_FALSE(t.LoadStringFile(dir.File("empty.txt")));
    EXPECT_FALSE(t.LoadStringFile(dir.File("missing.txt")));
    EXPECT_TRUE(t.LoadStringFile(std::u16string_view{}));
}

TEST(ResString, NumberedKeysAndLists)
{
    CResString t = Parsed(u"[String]\r\ntype=1\r\nIDS_P_0=zero\r\nIDS_P_1=one\r\nIDS_RESULT_C_21A=x\r\n");
    EXPECT_EQ(NumberedKey(u"IDS_P_%d", 12), u"IDS_P_12");
    EXPECT_EQ(NumberedKey(u"IDS_RESULT_C_%d%s", 21, u"A"), u"IDS_RESULT_C_21A");
    EXPECT_EQ(t.NumberedTexts(u"IDS_P_%d", 0, 2), (std::vector<std::u16string>{u"zero", u"one", u""}));
    EXPECT_EQ(StringFileOpenFailedText(u"/opt/kf\\SysDat\\StringRes.txt"),
              u"Failed to open the file /opt/kf/SysDat/StringRes.txt, please reinstall to resolve this problem.");
}

TEST(ResString, ShippedFileIsValid)
{
    CResString t;
    ASSERT_TRUE(t.LoadStringFile(std::u16string(u"" KF_SOURCE_DIR) + u"/data/SysDat/StringRes.txt"));
    std::u16string v;
    EXPECT_TRUE(t.LookupString(v, u"type"));
}

} // namespace
} // namespace kf
