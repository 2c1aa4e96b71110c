#include "content/privileges.h"

#include "platform/lasterror.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

Bytes Image(uint8_t b96, uint8_t b97, uint8_t b98, uint8_t b99, size_t size = 102)
{
    Bytes b(size, 0);
    StoreUtf16Field(b.data(), 13, u"KY_PRIVILEGE");
    if (size > 99) {
        b[96] = b96;
        b[97] = b97;
        b[98] = b98;
        b[99] = b99;
    }
    return b;
}

TEST(PrivilegesFileTest, LengthAndMagicRules)
{
    test::TempDir dir;
    const std::u16string path = dir.File("privilege.cfg");
    Bytes out;
    EXPECT_FALSE(LoadPrivilegesFile(path, out));
    EXPECT_EQ(GetLastError(), err::FileNotFound);

    struct Case
    {
        const char* what;
        Bytes bytes;
        bool loads;
    };
    Bytes unterminated = Image(0xFF, 0xFF, 0xFF, 0xFF);
    unterminated[24] = 'X';
    Bytes otherMagic = Image(0xFF, 0xFF, 0xFF, 0xFF);
    otherMagic[2] = 'X';
    Bytes longer = Image(1, 2, 3, 4, 4096);
    const Case cases[] = {
        {"exactly 102 bytes", Image(1, 2, 3, 4), true},
        {"101 bytes", Image(1, 2, 3, 4, 101), false},
        {"empty", Bytes(), false},
        {"longer", longer, true},
        {"magic without its NUL", unterminated, false},
        {"other magic", otherMagic, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dir.WriteBytes("privilege.cfg", c.bytes);
        const bool loaded = LoadPrivilegesFile(path, out);
        EXPECT_EQ(loaded, c.loads);
        if (loaded) {
            ASSERT_EQ(out.size(), 102u);
            EXPECT_EQ(out[99], 4);
        } else {
            EXPECT_EQ(GetLastError(), err::InvalidData);
        }
    }
}

TEST(PrivilegesTest, DependenciesAfterLoading)
{
    struct Case
    {
        uint8_t b98, b99, want98, want99;
    };
    const Case cases[] = {
        {0x00, 0x01, 0x00, 0x00}, // category choice without test choice
        {0x40, 0x00, 0x00, 0x00}, // course choice without lesson choice
        {0xC0, 0x03, 0xC0, 0x03},
        {0x7F, 0xFE, 0x3F, 0xFE},
    };
    for (const Case& c : cases) {
        CPrivileges p;
        ASSERT_TRUE(p.Load(Image(0, 0, c.b98, c.b99)));
        EXPECT_EQ(p.U8(98), c.want98);
        EXPECT_EQ(p.U8(99), c.want99);
    }
}

TEST(PrivilegesTest, NamedBitsAndStartMode)
{
    CPrivileges p;
    ASSERT_TRUE(p.Load(Image(0x81, 0x40, 0x0C, 0x18 | 0x80)));
    EXPECT_TRUE(p.AllowGames());
    EXPECT_FALSE(p.AllowReview());
    EXPECT_TRUE(p.ShowHistoryPage());
    EXPECT_TRUE(p.EditKeyboardLayout());
    EXPECT_FALSE(p.EditPersonalOptions());
    EXPECT_TRUE(p.AllowDiploma());
    EXPECT_TRUE(p.AllowStatPrint());
    EXPECT_FALSE(p.SwitchMusic());
    EXPECT_EQ(p.StartMode(), 3u);
    EXPECT_TRUE(p.AllowNewUsers());
    EXPECT_FALSE(p.ShowAccountList());

    const CPrivileges::Bit* mode = CPrivileges::FindBit("StartMode");
    ASSERT_NE(mode, nullptr);
    EXPECT_EQ(p.Value(*mode), 3u);
    EXPECT_EQ(CPrivileges::FindBit("NoSuchBit"), nullptr);
    EXPECT_EQ(CPrivileges::Bits().size(), 29u);

    const CPrivileges all = CPrivileges::GrantAll();
    EXPECT_TRUE(CPrivileges::IsValidImage(all.bytes()));
    EXPECT_EQ(all.U8(96), 0xFF);
    EXPECT_EQ(all.U8(97), 0xFF);
    EXPECT_EQ(all.U8(98), 0xCF); // bits 4 and 5 are not used
    EXPECT_EQ(all.U8(99), 0xFF);
}

TEST(PrivilegesTest, InvalidImageLeavesTheRecordUnchanged)
{
    CPrivileges p = CPrivileges::GrantAll();
    EXPECT_FALSE(p.Load(Image(0, 0, 0, 0, 50)));
    EXPECT_EQ(GetLastError(), err::InvalidData);
    EXPECT_TRUE(p.AllowGames());
}

} // namespace
} // namespace kf
