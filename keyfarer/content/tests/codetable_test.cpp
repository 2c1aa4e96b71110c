#include "content/codetable.h"

#include "content/localtutorialdata.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

TEST(CodeTable, NameBodyAndCodes)
{
    test::TempDir dir;
    dir.Write("Tutorial/Wubi/codes.txt",
              test::Utf16Bytes(u"  [TUTORIALCOD][Wubi 86]\u5de5a \u4e86bnh\t\u4ee5cabcdefghijklmnopq\r\n\u4e0a", true));
    LocalTutorialData source(dir.Folder());
    CodeTable table;
    ASSERT_TRUE(table.LoadCodeTable(source, u"Wubi\\codes.txt"));
    EXPECT_EQ(table.Name(), u"Wubi 86");
    EXPECT_EQ(table.Body().substr(0, 3), u"\u5de5a ");

    struct Case
    {
        char16_t ch;
        bool found;
        std::string code;
    };
    const Case cases[] = {
        {u'\u5de5', true, "a"},
        {u'\u4e86', true, "bnh"},
        {u'\u4ee5', true, "cabcdefghijklmn"}, // at most 15
        {u'\u4e0a', true, ""},               // at the end of the body
        {u'\u4e0b', false, ""},
    };
    for (const Case& c : cases) {
        std::string code = "stale";
        EXPECT_EQ(table.CodeOf(c.ch, code), c.found);
        EXPECT_EQ(code, c.code);
    }
}

TEST(CodeTable, RefusesWhatIsNoTable)
{
    CodeTable table;
    ASSERT_TRUE(table.LoadCodeTableText(u"[TUTORIALCOD]\u5de5a"));
    EXPECT_EQ(table.Name(), u"");
    const std::u16string cases[] = {
        u"[TUTORIAL",                                    // 10 bytes
        u"[tutorialcod]\u5de5a",                         // the tag is compared exactly
        u"x[TUTORIALCOD]\u5de5a",
        u"[TUTORIALCOD]" + std::u16string(32762, u'a'), // 65,550 bytes
    };
    for (const std::u16string& text : cases)
        EXPECT_FALSE(table.LoadCodeTableText(text));
    EXPECT_EQ(table.Body(), u"\u5de5a") << "a failed load keeps the table";

    ASSERT_TRUE(table.LoadCodeTableText(u"[TUTORIALCOD][" + std::u16string(30, u'n') + u"]x"));
    EXPECT_EQ(table.Name().size(), 19u);
    EXPECT_EQ(table.Body(), u"x");
}

} // namespace
} // namespace kf
