#include "skin/simplegriddata.h"

#include <gtest/gtest.h>

using kf::CSimpleGridData;
using kf::GridCell;

TEST(SimpleGridData, CellsAreFormattedAndRowsFitTheColumns)
{
    EXPECT_EQ(kf::FormatGridCell(GridCell::DateTime({2026, 3, 7, 9, 5})), u"2026-03-07 09:05");
    EXPECT_EQ(kf::FormatGridCell(GridCell::Integer(-42)), u"-42");
    EXPECT_EQ(kf::FormatGridCell(GridCell::Decimal(92.345, 1)), u"92.3");
    EXPECT_EQ(kf::FormatGridCell(GridCell::Decimal(7, 0)), u"7");
    EXPECT_EQ(kf::FormatGridCell(GridCell::Text(u"Home row")), u"Home row");
    EXPECT_EQ(kf::FormatGridCell(GridCell()), u"");

    CSimpleGridData data;
    data.SetColumns({{u"A"}, {u"B"}});
    data.AddRow({GridCell::Integer(1)});
    data.AddRow({GridCell::Integer(1), GridCell::Integer(2), GridCell::Integer(3)});
    EXPECT_EQ(data.CellText(0, 1), u"");
    EXPECT_EQ(data.CellText(1, 1), u"2");
    EXPECT_EQ(data.CellText(1, 2), u"");  // dropped: no third column
    EXPECT_EQ(data.CellText(-1, 0), u""); // outside
    data.SetColumnWidth(0, 2);
    EXPECT_EQ(data.Columns()[0].width, 8);
}
