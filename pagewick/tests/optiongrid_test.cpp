#include "core/optiongrid.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(OptionGridTest, RowsAndDefaults)
{
    OptionGrid grid;
    const char* labels[] = {"First Page to Convert", "Last Page to Convert", "Page Breaks", "Password"};
    const char* values[] = {"1", "ALL PAGES", "YES", " "};
    for (int row = 0; row < OptionGrid::kRows; ++row) {
        EXPECT_EQ(OptionGrid::Label(row), labels[row]);
        EXPECT_EQ(grid.Value(row), values[row]);
    }
    EXPECT_EQ(OptionGrid::EditorFor(OptionGrid::PageBreaks), OptionGrid::Editor::Choice);
    for (int row : {0, 1, 3})
        EXPECT_EQ(OptionGrid::EditorFor(row), OptionGrid::Editor::Text);
    EXPECT_EQ(grid.EditorText(OptionGrid::Password), "");
    EXPECT_EQ(grid.EditorText(OptionGrid::LastPage), "ALL PAGES");
}

TEST(OptionGridTest, TypedTextIsCheckedAsItIsTyped)
{
    struct Case
    {
        int row;
        const char* typed;
        const char* value;
    };
    const Case cases[] = {
        {OptionGrid::FirstPage, "12", "12"},
        {OptionGrid::FirstPage, "1x", "1"},
        {OptionGrid::FirstPage, "x", "1"},
        {OptionGrid::FirstPage, " 3", "1"}, // a space is not a digit
        {OptionGrid::FirstPage, "", ""},    // nothing to reject
        {OptionGrid::FirstPage, "0", "0"},  // no range check
        {OptionGrid::LastPage, "abc", "ALL PAGES"},
        {OptionGrid::LastPage, "7", "7"},
        {OptionGrid::LastPage, "", ""},
        {OptionGrid::LastPage, "-1", "ALL PAGES"},
        {OptionGrid::Password, "  a b\"c ", "  a b\"c "},
        {OptionGrid::Password, "NO", "NO"},
    };
    for (const Case& c : cases) {
        OptionGrid grid;
        grid.TextChanged(c.row, c.typed);
        EXPECT_EQ(grid.Value(c.row), c.value) << c.row << " '" << c.typed << "'";
    }
}

TEST(OptionGridTest, ChoicesAndOptions)
{
    OptionGrid grid;
    grid.Choose(OptionGrid::PageBreaks, "NO");
    grid.Choose(OptionGrid::PageBreaks, "maybe"); // not a choice
    grid.Choose(OptionGrid::Password, "YES");     // not a choice row
    grid.TextChanged(OptionGrid::PageBreaks, "X"); // the page-breaks row has no text box
    grid.TextChanged(OptionGrid::FirstPage, "2");
    grid.TextChanged(OptionGrid::LastPage, "4");
    grid.TextChanged(OptionGrid::Password, "pw");
    const ConversionOptions options = grid.Options();
    EXPECT_EQ(options.firstPage, "2");
    EXPECT_EQ(options.lastPage, "4");
    EXPECT_EQ(options.pageBreaks, "NO");
    EXPECT_EQ(options.password, "pw");
    // A password that reads "NO" still opens the text box.
    EXPECT_EQ(OptionGrid::EditorFor(OptionGrid::Password), OptionGrid::Editor::Text);
    grid.Fill();
    EXPECT_EQ(grid.Value(OptionGrid::PageBreaks), "YES");
    EXPECT_EQ(grid.Value(OptionGrid::Password), " ");
}

} // namespace
} // namespace pw
