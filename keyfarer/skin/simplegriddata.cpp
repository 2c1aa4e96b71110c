#include "skin/simplegriddata.h"

#include <algorithm>
#include <cstdio>

namespace kf {
namespace {

std::u16string Ascii(const char* s)
{
    std::u16string out;
    for (; *s; ++s)
        out += char16_t(static_cast<unsigned char>(*s));
    return out;
}

} // namespace

std::u16string FormatGridCell(const GridCell& cell)
{
    char buffer[64];
    switch (cell.kind) {
    case GridCell::Kind::Text:
        return cell.text;
    case GridCell::Kind::Integer:
        std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(cell.integer));
        return Ascii(buffer);
    case GridCell::Kind::Decimal:
        std::snprintf(buffer, sizeof buffer, "%.*f", std::clamp(cell.decimals, 0, 6), cell.decimal);
        return Ascii(buffer);
    case GridCell::Kind::DateTime: {
        const GridDateTime& d = cell.dateTime;
        std::snprintf(buffer, sizeof buffer, "%d-%02d-%02d %02d:%02d", d.year, d.month, d.day,
                      d.hour, d.minute);
        return Ascii(buffer);
    }
    default:
        return {};
    }
}

void CSimpleGridData::SetColumns(std::vector<GridColumn> columns)
{
    m_columns = std::move(columns);
    for (auto& row : m_rows)
        row.resize(m_columns.size());
}

void CSimpleGridData::SetColumnWidth(int column, int width)
{
    if (column >= 0 && column < ColumnCount())
        m_columns[size_t(column)].width = std::max(8, width);
}

void CSimpleGridData::AddRow(std::vector<GridCell> cells)
{
    cells.resize(m_columns.size());
    m_rows.push_back(std::move(cells));
}

const GridCell& CSimpleGridData::Cell(int row, int column) const
{
    static const GridCell empty;
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount())
        return empty;
    return m_rows[size_t(row)][size_t(column)];
}

} // namespace kf
