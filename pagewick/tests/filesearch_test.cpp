#include "core/filesearch.h"
#include "helpers/testsupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

namespace pw {
namespace {

using test::TempFolder;
using test::WriteFile;

std::size_t IndexOf(const std::vector<std::string>& list, const std::string& item)
{
    return std::size_t(std::find(list.begin(), list.end(), item) - list.begin());
}

TEST(FileSearchTest, OwnFilesFirstThenSubfoldersDepthFirst)
{
    TempFolder root;
    for (const char* folder : {"A/A1", "B", ".hidden", "ro"})
        test::MakeFolders(root / folder);
    for (const char* file : {"r1.pdf", "r2.txt", "A/a1.pdf", "A/A1/x.PDF", "B/b1.pdf",
                             ".hidden/h.pdf", "ro/r.pdf"})
        WriteFile(root / file, "%PDF");
    ::chmod((root / "ro").c_str(), 0555); // a read-only folder is searched like any other

    std::vector<std::string> found;
    int pumped = 0;
    SearchFiles(root.Path(), found, [&] { ++pumped; });

    ASSERT_EQ(found.size(), 7u);
    // The folder's own files come before any file of a subfolder.
    EXPECT_LT(std::max(IndexOf(found, root / "r1.pdf"), IndexOf(found, root / "r2.txt")), 2u);
    // A subfolder's tree is searched whole before the next subfolder: A, then A/A1, together.
    const std::size_t a = IndexOf(found, root / "A/a1.pdf");
    EXPECT_EQ(IndexOf(found, root / "A/A1/x.PDF"), a + 1);
    for (const char* file : {"B/b1.pdf", ".hidden/h.pdf", "ro/r.pdf"})
        EXPECT_LT(IndexOf(found, root / file), found.size()) << file;
    // One pump per entry: six at the top, two in A, one in each of the other folders.
    EXPECT_EQ(pumped, 6 + 2 + 1 + 1 + 1 + 1);
}

TEST(FileSearchTest, OnlyTwoHundredSubfoldersOfAFolderAreSearched)
{
    TempFolder root;
    for (int i = 0; i < 205; ++i) {
        const std::string sub = root / ("sub" + std::to_string(i));
        test::MakeFolders(sub);
        WriteFile(sub + "/f.pdf", "%PDF");
    }
    WriteFile(root / "own.pdf", "%PDF");
    std::vector<std::string> found;
    SearchFiles(root.Path(), found);
    EXPECT_EQ(found.size(), 1u + kSubfolderSlots);
    EXPECT_EQ(found.front(), root / "own.pdf");
}

TEST(FileSearchTest, FoldersThatCannotBeListedOrLoopAddNothing)
{
    TempFolder root;
    test::MakeFolders(root / "locked");
    WriteFile(root / "locked/secret.pdf", "%PDF");
    WriteFile(root / "top.pdf", "%PDF");
    std::filesystem::create_directory_symlink(root.Path(), root / "loop");
    std::filesystem::create_symlink(root / "top.pdf", root / "alias.pdf");
    ::chmod((root / "locked").c_str(), 0);

    std::vector<std::string> found;
    SearchFiles(root.Path(), found);
    std::sort(found.begin(), found.end());
    const bool root_user = ::geteuid() == 0; // root reads every folder
    std::vector<std::string> expected = {root / "alias.pdf", root / "top.pdf"};
    if (root_user)
        expected.insert(expected.begin() + 1, root / "locked/secret.pdf");
    EXPECT_EQ(found, expected);

    found.clear();
    SearchFiles(root / "missing", found);
    EXPECT_TRUE(found.empty());
}

TEST(FileSearchTest, TrimNulls)
{
    using namespace std::string_literals;
    EXPECT_EQ(TrimNulls("name\0\0  \0"s), "name");
    EXPECT_EQ(TrimNulls(" a b "), " a b");
    EXPECT_EQ(TrimNulls("\0 \0"s), "");
    EXPECT_EQ(TrimNulls(""), "");
}

} // namespace
} // namespace pw
