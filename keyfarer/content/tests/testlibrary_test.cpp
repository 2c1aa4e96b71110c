#include "content/testlibrary.h"

#include "content/testcategoryitem.h"
#include "platform/lasterror.h"
#include "platform/path.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kf {
namespace {

constexpr std::u16string_view kFileInfo = u"%d KB, %s";
constexpr std::u16string_view kFolderInfo = u"%d texts, %d folders";

template <typename Record>
std::vector<Record> Records(const Bytes& reply)
{
    EXPECT_EQ(reply.size() % Record::kSize, 0u);
    std::vector<Record> out(reply.size() / Record::kSize);
    for (size_t i = 0; i < out.size(); ++i)
        out[i].Assign(ByteSpan(reply).subspan(i * Record::kSize, Record::kSize));
    return out;
}

TEST(TestLibrary, ListingSizesAndDates)
{
    EXPECT_EQ(KilobytesForListing(1536), 2u);
    EXPECT_EQ(KilobytesForListing(1535), 1u);
    EXPECT_EQ(KilobytesForListing(100), 1u);
    EXPECT_EQ(KilobytesForListing(300), 1u);
    EXPECT_EQ(KilobytesForListing(10 * 1024), 10u);
    EXPECT_EQ(DateForListing(-1), u"NoDefine!");

    test::TempDir dir;
    dir.Write("TestTexts/Stories/b.txt", std::string(1536, 'x'));
    dir.Write("TestTexts/Stories/a.txt", std::string(100, 'x'));
    dir.Write("TestTexts/Stories/empty.txt", "");
    dir.Write("TestTexts/Stories/.hidden.txt", "x");
    dir.Write("TestTexts/Stories/notes.doc", "x");
    dir.Write("TestTexts/Stories/testcfg.ini", "[general]\r\nTestType=2\r\n");
    dir.Write("TestTexts/Stories/sub/c.txt", "x");
    ASSERT_EQ(::mkfifo(dir.Native("TestTexts/Stories/pipe.txt").c_str(), 0600), 0);
    dir.Write("TestTexts/Loose.txt", "x");
    Bytes reply;
    ASSERT_TRUE(ListTestTexts(dir.Folder(), u"Stories", kFileInfo, reply));
    const std::vector<TestTextItem> texts = Records<TestTextItem>(reply);
    ASSERT_EQ(texts.size(), 2u) << "empty, hidden, other and system files are not listed";
    EXPECT_EQ(texts[0].Title(), u"a");
    EXPECT_EQ(texts[0].Info(), u"1 KB, " + DateForListing(FileModified(dir.File("TestTexts/Stories/a.txt"))));
    EXPECT_EQ(texts[1].Info().substr(0, 6), u"2 KB, ");
    EXPECT_EQ(texts[1].Info().size(), 6u + 10u) << "a date as yyyy-mm-dd";

    ASSERT_TRUE(ListTestTexts(dir.Folder(), u"", kFileInfo, reply));
    ASSERT_EQ(Records<TestTextItem>(reply).size(), 1u);
    EXPECT_EQ(Records<TestTextItem>(reply)[0].Title(), u"Loose");

    uint32_t texts2 = 0, folders = 0;
    ASSERT_TRUE(CountFolderItems(dir.Folder(), u"TestTexts\\Stories", texts2, folders));
    EXPECT_EQ(texts2, 2u);
    EXPECT_EQ(folders, 1u);
    EXPECT_FALSE(ListTestTexts(dir.Folder(), u"Missing", kFileInfo, reply));
}

TEST(TestLibrary, CategoriesAndTheirSettings)
{
    test::TempDir dir;
    dir.Write("TestTexts/Copy/t.txt", "A text.");
    dir.Write("TestTexts/Copy/testcfg.ini", "[general]\r\nTestType=2\r\n");
    dir.Write("TestTexts/Plain/t.txt", "text");
    dir.Write("TestTexts/NoKey/testcfg.ini", "[general]\r\n");
    dir.Write("TestTexts/.git/t.txt", "text");
    dir.Write("TestTexts/file.txt", "text");
    Bytes reply;
    ASSERT_TRUE(ListTestCategories(dir.Folder(), kFolderInfo, reply));
    const std::vector<TestCategoryItem> cats = Records<TestCategoryItem>(reply);
    ASSERT_EQ(cats.size(), 3u);
    EXPECT_EQ(cats[0].Name(), u"Copy");
    EXPECT_EQ(cats[0].Index(), 0);
    EXPECT_EQ(cats[0].TestType(), 2);
    EXPECT_EQ(cats[0].TextCount(), 1u) << "testcfg.ini is no text";
    EXPECT_EQ(cats[0].Info(), u"1 texts, 0 folders");
    EXPECT_EQ(cats[1].Name(), u"NoKey");
    EXPECT_EQ(cats[1].TestType(), 0);
    EXPECT_NE(dir.Read("TestTexts/NoKey/testcfg.ini").find("TestType=0"), std::string::npos)
        << "the missing key is written with its default";
    EXPECT_EQ(cats[2].Name(), u"Plain");
    EXPECT_EQ(cats[2].Index(), 2);
    EXPECT_FALSE(dir.Exists("TestTexts/Plain/testcfg.ini")) << "no settings file is created";

    TestCategoryItem item;
    ASSERT_TRUE(CheckTestCategory(dir.Folder(), u"copy", reply));
    ASSERT_TRUE(item.Assign(reply));
    EXPECT_EQ(item.Index(), 1);
    EXPECT_EQ(item.Name(), u"copy");
    EXPECT_EQ(item.TestType(), 2);
    EXPECT_EQ(item.Info(), u"");
    ASSERT_TRUE(CheckTestCategory(dir.Folder(), u"Gone", reply));
    ASSERT_TRUE(item.Assign(reply));
    EXPECT_EQ(item, TestCategoryItem()) << "an all-zero item for a missing folder";

    uint8_t type = 9;
    ASSERT_TRUE(ReadTestText(dir.Folder(), u"Copy\\t", reply, type));
    EXPECT_EQ(BytesToUtf16(reply), u"A text.");
    EXPECT_EQ(type, 2);
    ASSERT_TRUE(ReadTestText(dir.Folder(), u"file", reply, type));
    EXPECT_EQ(type, 0);
    EXPECT_FALSE(ReadTestText(dir.Folder(), u"Copy\\missing", reply, type));
}

TEST(TestLibrary, AddAndRemoveTexts)
{
    test::TempDir dir;
    dir.Write("TestTexts/Mine/keep.txt", "keep");
    dir.Write("home/Story.TXT", "first version");
    dir.Write("home/story.doc", "not a text");
    const std::u16string source = dir.File("home/Story.TXT");

    TestTextItem entry;
    ASSERT_EQ(AddCustomText(dir.Folder(), source, u"Mine", u"Custom - ", kFileInfo, &entry), AddTextResult::Added)
        << "the extension is compared ignoring case";
    EXPECT_EQ(entry.Title(), u"Custom - Story");
    EXPECT_EQ(entry.Info().substr(0, 6), u"1 KB, ");
    EXPECT_EQ(dir.Read("TestTexts/Mine/Custom - Story.TXT"), "first version");

    dir.Write("home/Story.TXT", "second version");
    ASSERT_EQ(AddCustomText(dir.Folder(), source, u"Mine", u"Custom - ", kFileInfo, &entry), AddTextResult::Added);
    EXPECT_EQ(dir.Read("TestTexts/Mine/Custom - Story.TXT"), "second version") << "the copy is replaced";

    EXPECT_EQ(AddCustomText(dir.Folder(), dir.File("home/story.doc"), u"Mine", u"Custom - ", kFileInfo, &entry),
              AddTextResult::NotTextFile);
    EXPECT_EQ(AddCustomText(dir.Folder(), dir.File("home/none.txt"), u"Mine", u"Custom - ", kFileInfo, &entry),
              AddTextResult::SourceMissing);
    EXPECT_EQ(AddCustomText(dir.Folder(), source, u"NoSuchCategory", u"Custom - ", kFileInfo, &entry),
              AddTextResult::CopyFailed);
    EXPECT_EQ(AddCustomText(dir.Folder(), source, u"..", u"Custom - ", kFileInfo, &entry), AddTextResult::CopyFailed);
    EXPECT_EQ(GetLastError(), err::InvalidName);
    EXPECT_EQ(AddCustomText(dir.Folder(), source, u"Mine", u"x/", kFileInfo, &entry), AddTextResult::CopyFailed);

    ASSERT_TRUE(RemoveText(dir.Folder(), u"Mine", u"Custom - Story"));
    EXPECT_FALSE(dir.Exists("TestTexts/Mine/Custom - Story.TXT"));
    EXPECT_FALSE(RemoveText(dir.Folder(), u"Mine", u"Custom - Story"));
    EXPECT_EQ(GetLastError(), err::FileNotFound);

    dir.Write("TestTexts/outside.txt", "must stay");
    EXPECT_FALSE(RemoveText(dir.Folder(), u"Mine", u"..\\..\\TestTexts\\outside"));
    EXPECT_FALSE(RemoveText(dir.Folder(), u"..", u"outside"));
    EXPECT_TRUE(dir.Exists("TestTexts/outside.txt"));
    EXPECT_TRUE(dir.Exists("TestTexts/Mine/keep.txt"));
}

} // namespace
} // namespace kf
