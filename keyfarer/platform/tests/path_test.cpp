#include "platform/path.h"

#include "platform/lasterror.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

using test::TempDir;

TEST(Path, StoredPathsResolveWithoutRegardToCase)
{
    TempDir dir;
    dir.Write("Data/Account/DefConfig.ini", "x");
    const std::u16string base = dir.Folder();
    EXPECT_EQ(NativePath(base + u"data\\ACCOUNT\\defconfig.INI"), dir.Native("Data/Account/DefConfig.ini"));
    EXPECT_TRUE(FileExists(base + u"DATA\\account\\DEFCONFIG.ini"));
    EXPECT_TRUE(DirectoryExists(base + u"data\\account\\"));
    // A file about to be created keeps its name; the existing folders are still resolved.
    EXPECT_EQ(NativePath(base + u"data\\account\\New.dat"), dir.Native("Data/Account/New.dat"));
    EXPECT_EQ(NativePath(base + u"missing\\Sub\\F.txt"), dir.Native("missing/Sub/F.txt"));
}

TEST(Path, NamePieces)
{
    EXPECT_EQ(FileNamePart(u"English\\Basics.btf"), u"Basics.btf");
    EXPECT_EQ(FolderPart(u"English\\Basics.btf"), u"English\\");
    EXPECT_EQ(FolderPart(u"Basics.btf"), u"");
    EXPECT_EQ(WithTrailingSeparator(u"/opt/kf"), u"/opt/kf\\");
    EXPECT_EQ(WithTrailingSeparator(u"/opt/kf/"), u"/opt/kf/");
    EXPECT_EQ(DisplayPath(u"/opt/kf\\SysDat\\StringRes.txt"), u"/opt/kf/SysDat/StringRes.txt");
    EXPECT_FALSE(ProgramFolder().empty());
}

TEST(Path, ListsFoldersInNameOrder)
{
    TempDir dir;
    dir.Write("b.txt", "12");
    dir.Write("A.txt", "1");
    dir.Write(".hidden", "");
    dir.Write("Sub/x", "");
    std::vector<DirEntry> entries;
    ASSERT_TRUE(ListDirectory(dir.Folder(), entries));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].name, u".hidden");
    EXPECT_TRUE(entries[0].isHidden);
    EXPECT_EQ(entries[1].name, u"A.txt");
    EXPECT_EQ(entries[2].name, u"b.txt");
    EXPECT_EQ(entries[2].size, 2u);
    EXPECT_TRUE(entries[3].isDirectory);
    EXPECT_FALSE(ListDirectory(dir.File("none"), entries));
    EXPECT_EQ(GetLastError(), err::FileNotFound);
}

TEST(Path, AtomicWritesAndCopies)
{
    TempDir dir;
    const auto f = dir.File("a.dat");
    const Bytes one{1, 2, 3};
    ASSERT_TRUE(WriteFileAtomic(f, one));
    ASSERT_TRUE(WriteFileAtomic(f, Bytes{9}));
    Bytes back;
    ASSERT_TRUE(ReadWholeFile(f, back));
    EXPECT_EQ(back, Bytes{9});
    EXPECT_FALSE(CreateNewFile(f, one));
    EXPECT_EQ(GetLastError(), err::FileExists);
    EXPECT_FALSE(CopyFileTo(dir.File("missing"), dir.File("b.dat"), false));
    ASSERT_TRUE(CopyFileTo(f, dir.File("b.dat"), true));
    EXPECT_FALSE(CopyFileTo(f, dir.File("b.dat"), true));
    ASSERT_TRUE(ReadFilePrefix(f, 10, back));
    EXPECT_EQ(back.size(), 1u);
    ASSERT_TRUE(ReadWholeFile(f, back, 1));
    EXPECT_FALSE(ReadWholeFile(dir.File("b.dat"), back, 0));
    EXPECT_EQ(GetLastError(), err::NotEnoughMemory);
    // Nothing but the target is left behind.
    std::vector<DirEntry> entries;
    ASSERT_TRUE(ListDirectory(dir.Folder(), entries));
    EXPECT_EQ(entries.size(), 2u);
    ASSERT_TRUE(CreateFolders(dir.Folder() + u"x\\y\\z"));
    EXPECT_TRUE(DirectoryExists(dir.Folder() + u"X\\Y\\Z"));
}

} // namespace
} // namespace kf
