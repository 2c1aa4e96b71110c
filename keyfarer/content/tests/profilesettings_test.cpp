#include "content/profilesettings.h"

#include "platform/profile.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

using test::TempDir;

TEST(ProfileSettings, MissingKeysFillTheFileWithDefaults)
{
    TempDir dir;
    const auto f = dir.File("DefConfig.ini");
    EXPECT_EQ(ReadProfileNumber(f, u"Estimate", u"Single_Pass", 60), 60u);
    EXPECT_EQ(ReadProfileText(f, u"StandardView", u"Font_Name", u"Tahoma", 33), u"Tahoma");
    EXPECT_EQ(GetPrivateProfileString(u"Estimate", u"Single_Pass", u"", 10, f), u"60");
    EXPECT_EQ(GetPrivateProfileString(u"StandardView", u"Font_Name", u"", 10, f), u"Tahoma");
}

TEST(ProfileSettings, TheDefaultWordAndWriteBackRules)
{
    TempDir dir;
    dir.Write("s.ini", "[S]\nFont=default\nShort=defa\nNum=5\nNeg=-1\nKept=Liberation Sans\n");
    const auto f = dir.File("s.ini");
    EXPECT_EQ(ReadProfileText(f, u"S", u"Font", u"Tahoma", 33), u"Tahoma");
    EXPECT_EQ(GetPrivateProfileString(u"S", u"Font", u"", 33, f), u"Tahoma");
    // With room for 4 characters only "defa" is compared.
    EXPECT_EQ(ReadProfileText(f, u"S", u"Short", u"SP", 5), u"SP");
    EXPECT_EQ(ReadProfileText(f, u"S", u"Kept", u"Tahoma", 5), u"Libe");
    EXPECT_EQ(GetPrivateProfileString(u"S", u"Kept", u"", 33, f), u"Liberation Sans");
    // A value other than the default is read and left alone; one equal to it is rewritten.
    EXPECT_EQ(ReadProfileNumber(f, u"S", u"Num", 3), 5u);
    EXPECT_EQ(ReadProfileNumber(f, u"S", u"Neg", 4294967295u), 4294967295u);
    EXPECT_EQ(GetPrivateProfileString(u"S", u"Neg", u"", 33, f), u"-1");
    ASSERT_TRUE(WriteProfileNumber(f, u"S", u"Num", -7));
    EXPECT_EQ(GetPrivateProfileString(u"S", u"Num", u"", 33, f), u"-7");
}

} // namespace
} // namespace kf
