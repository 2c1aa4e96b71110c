#include "platform/profile.h"

#include "platform/codepage.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace kf {
namespace {

using test::TempDir;
using test::Utf16Bytes;

TEST(Profile, ReadsTheWayTheSettingsFilesWereWritten)
{
    TempDir dir;
    dir.Write("a.ini",
              "; a comment\r\n"
              "[General]\r\n"
              "Tag = KFDEFCFG \r\n"
              "Quoted=\"  two blanks  \"\r\n"
              "Formula=a=b\r\n"
              "Empty=\r\n"
              "Tag=second wins never\r\n"
              "  [ Train ]  \r\n"
              "GenerateSize=4096\r\n"
              "[general]\r\n"
              "Late=in a repeated section\r\n");
    const auto f = dir.File("a.ini");
    struct Case { std::u16string section, key, def; size_t cap; std::u16string want; };
    const Case cases[] = {
        {u"general", u"TAG", u"", 260, u"KFDEFCFG"},
        {u"General", u"Quoted", u"", 260, u"  two blanks  "},
        {u"General", u"Formula", u"", 260, u"a=b"},
        {u"General", u"Empty", u"dflt  ", 260, u"dflt"},
        {u"General", u"Missing", u"dflt", 260, u"dflt"},
        {u"Train", u"generatesize", u"", 260, u"4096"},
        {u"General", u"Tag", u"", 4, u"KFD"},
        {u"General", u"Late", u"first section only", 260, u"first section only"},
        {u"Nowhere", u"Tag", u"", 260, u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetPrivateProfileString(c.section, c.key, c.def, c.cap, f), c.want)
            << std::string(c.key.begin(), c.key.end());
    EXPECT_TRUE(HasPrivateProfileKey(u"General", u"Empty", f));
    EXPECT_FALSE(HasPrivateProfileKey(u"General", u"; a comment", f));
}

TEST(Profile, IntegersAsThePlatformConvertsThem)
{
    struct Case { std::u16string text; uint32_t value; };
    const Case cases[] = {
        {u"60", 60}, {u"  12abc", 12}, {u"-5", 4294967291u}, {u"+7", 7},
        {u"0x1F", 31}, {u"abc", 0}, {u"4294967297", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseProfileInteger(c.text), c.value);

    TempDir dir;
    dir.Write("n.ini", "[S]\nA=13684944\nB=\nC=x\n");
    const auto f = dir.File("n.ini");
    EXPECT_EQ(GetPrivateProfileInt(u"S", u"A", 0, f), 13684944u);
    EXPECT_EQ(GetPrivateProfileInt(u"S", u"B", 24, f), 24u);   // empty value: default
    EXPECT_EQ(GetPrivateProfileInt(u"S", u"C", 24, f), 0u);    // no digits: 0
    EXPECT_EQ(GetPrivateProfileInt(u"S", u"D", -1, f), 4294967295u);
    EXPECT_EQ(GetPrivateProfileInt(u"S", u"A", 0, dir.File("missing.ini")), 0u);
}

TEST(Profile, WritesKeepEveryOtherLineByteForByte)
{
    TempDir dir;
    // An 8-bit file with a byte no code page maps (0x81) in a comment, and LF line ends.
    const std::string original = "; caf\xE9 \x81 note\n[Login]\nLastUserID=bob\n\n[Other]\nX=1\n";
    dir.Write("k.ini", original);
    const auto f = dir.File("k.ini");
    ASSERT_TRUE(WritePrivateProfileString(u"login", u"lastuserid", u"alice", f));
    ASSERT_TRUE(WritePrivateProfileString(u"Login", u"StraightLoginID", u"", f));
    ASSERT_TRUE(WritePrivateProfileString(u"New", u"Key", u"v", f));
    EXPECT_EQ(dir.Read("k.ini"),
              "; caf\xE9 \x81 note\n[Login]\nLastUserID=alice\nStraightLoginID=\n\n[Other]\nX=1\n"
              "\n[New]\nKey=v\n");
    ASSERT_TRUE(DeletePrivateProfileKey(u"Other", u"X", f));
    ASSERT_TRUE(DeletePrivateProfileSection(u"New", f));
    EXPECT_EQ(GetPrivateProfileSectionNames(f), (std::vector<std::u16string>{u"Login", u"Other"}));
    const auto login = GetPrivateProfileSection(u"LOGIN", f);
    ASSERT_EQ(login.size(), 2u);
    EXPECT_EQ(login[0].second, u"alice");
}

TEST(Profile, Utf16FilesStayUtf16AndNewFilesAreCreated)
{
    TempDir dir;
    dir.Write("u.ini", Utf16Bytes(u"[General]\r\nName=\u4E2D\r\n", true));
    const auto f = dir.File("u.ini");
    EXPECT_EQ(GetPrivateProfileString(u"General", u"Name", u"", 260, f), u"\u4E2D");
    ASSERT_TRUE(WritePrivateProfileString(u"General", u"Other", u"\u6587", f));
    EXPECT_EQ(dir.Read("u.ini"), Utf16Bytes(u"[General]\r\nName=\u4E2D\r\nOther=\u6587\r\n", true));

    SetAnsiCodePage(1252);
    ASSERT_TRUE(WritePrivateProfileString(u"Login", u"LastUserID", u"caf\u00E9", dir.File("new.ini")));
    EXPECT_EQ(dir.Read("new.ini"), "[Login]\r\nLastUserID=caf\xE9\r\n");
    // A character the code page cannot hold makes a new file UTF-16 rather than losing it.
    ASSERT_TRUE(WritePrivateProfileString(u"Login", u"LastUserID", u"\u4E2D", dir.File("cjk.ini")));
    EXPECT_EQ(GetPrivateProfileString(u"Login", u"LastUserID", u"", 32, dir.File("cjk.ini")), u"\u4E2D");
}

TEST(Profile, UnwritableFolderFailsWithoutTouchingTheFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";
    TempDir dir;
    dir.Write("ro/s.ini", "[A]\nB=1\n");
    ::chmod(dir.Native("ro").c_str(), 0555);
    EXPECT_FALSE(WritePrivateProfileString(u"A", u"B", u"2", dir.File("ro/s.ini")));
    EXPECT_EQ(dir.Read("ro/s.ini"), "[A]\nB=1\n");
    ::chmod(dir.Native("ro").c_str(), 0755);
}

} // namespace
} // namespace kf
