#pragma once

// The content of the read-only grid: columns with titles, widths and alignment, and rows of
// cells that are texts, integers, decimals or date-times. Formatting lives here so that the
// statistics pages and their printouts show the same texts.

#include <cstdint>
#include <string>
#include <vector>

namespace kf {

struct GridDateTime
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
};

struct GridCell
{
    enum class Kind { Empty, Text, Integer, Decimal, DateTime };
    Kind kind = Kind::Empty;
    std::u16string text;
    int64_t integer = 0;
    double decimal = 0;
    int decimals = 1;
    GridDateTime dateTime;

    static GridCell Text(std::u16string t)
    {
        GridCell c;
        c.kind = Kind::Text;
        c.text = std::move(t);
        return c;
    }
    static GridCell Integer(int64_t v)
    {
        GridCell c;
        c.kind = Kind::Integer;
        c.integer = v;
        return c;
    }
    static GridCell Decimal(double v, int places)
    {
        GridCell c;
        c.kind = Kind::Decimal;
        c.decimal = v;
        c.decimals = places;
        return c;
    }
    static GridCell DateTime(GridDateTime d)
    {
        GridCell c;
        c.kind = Kind::DateTime;
        c.dateTime = d;
        return c;
    }
};

// The cell as shown: date-times as "%d-%02d-%02d %02d:%02d", decimals with their places,
// integers in decimal, texts as they are.
std::u16string FormatGridCell(const GridCell& cell);

enum class GridAlign { Left, Center, Right };

struct GridColumn
{
    std::u16string title;
    int width = 80; // pixels
    GridAlign align = GridAlign::Left;
};

class CSimpleGridData
{
public:
    void SetColumns(std::vector<GridColumn> columns);
    const std::vector<GridColumn>& Columns() const { return m_columns; }
    void SetColumnWidth(int column, int width);

    // Appends a row; missing cells are empty, extra cells are dropped.
    void AddRow(std::vector<GridCell> cells);
    void Clear() { m_rows.clear(); }
    int RowCount() const { return int(m_rows.size()); }
    int ColumnCount() const { return int(m_columns.size()); }
    // The cell, or an empty cell outside the grid.
    const GridCell& Cell(int row, int column) const;
    std::u16string CellText(int row, int column) const { return FormatGridCell(Cell(row, column)); }

private:
    std::vector<GridColumn> m_columns;
    std::vector<std::vector<GridCell>> m_rows;
};

} // namespace kf
