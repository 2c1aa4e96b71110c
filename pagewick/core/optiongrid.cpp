#include "core/optiongrid.h"

namespace pw {

namespace {

const std::array<std::string, OptionGrid::kRows> kLabels = {
    "First Page to Convert", "Last Page to Convert", "Page Breaks", "Password"};

bool ValidRow(int row)
{
    return row >= 0 && row < OptionGrid::kRows;
}

} // namespace

OptionGrid::OptionGrid()
{
    Fill();
}

void OptionGrid::Fill()
{
    const ConversionOptions defaults;
    m_values = {defaults.firstPage, defaults.lastPage, defaults.pageBreaks, defaults.password};
}

const std::string& OptionGrid::Label(int row)
{
    static const std::string none;
    return ValidRow(row) ? kLabels[std::size_t(row)] : none;
}

const std::vector<std::string>& OptionGrid::Choices()
{
    static const std::vector<std::string> choices = {"YES", "NO"};
    return choices;
}

OptionGrid::Editor OptionGrid::EditorFor(int row)
{
    // Chosen by row, not by value: a password that happens to read "NO" stays editable.
    return row == PageBreaks ? Editor::Choice : Editor::Text;
}

std::string OptionGrid::EditorText(int row) const
{
    if (!ValidRow(row))
        return std::string();
    const std::string& value = Value(row);
    const auto first = value.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    return value.substr(first, value.find_last_not_of(' ') - first + 1);
}

void OptionGrid::TextChanged(int row, const std::string& text)
{
    if (!ValidRow(row) || row == PageBreaks)
        return;
    std::string& value = m_values[std::size_t(row)];
    value = text;
    if (row == Password)
        return;
    for (char c : value) {
        if (c < '0' || c > '9') {
            value = row == LastPage ? std::string(kAllPages) : std::string("1");
            return;
        }
    }
}

void OptionGrid::Choose(int row, const std::string& choice)
{
    if (row != PageBreaks || (choice != "YES" && choice != "NO"))
        return;
    m_values[std::size_t(row)] = choice;
}

ConversionOptions OptionGrid::Options() const
{
    return {m_values[FirstPage], m_values[LastPage], m_values[PageBreaks], m_values[Password]};
}

} // namespace pw
