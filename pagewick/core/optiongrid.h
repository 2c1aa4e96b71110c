#pragma once

#include "core/conversionoptions.h"

#include <array>
#include <string>
#include <vector>

namespace pw {

/// The four conversion options as the main window's grid shows and edits them. Rows, in this
/// order: "First Page to Convert" ("1"), "Last Page to Convert" ("ALL PAGES"), "Page Breaks"
/// ("YES") and "Password" (one space, which means none). The values start from these defaults
/// at every program start and are never saved.
///
/// Typed text is written into the row's value as it is typed and checked there: the first
/// character that is not a digit sets the first page back to "1" and the last page to
/// "ALL PAGES" (the editor keeps what was typed, and the next keystroke writes and checks it
/// again); an empty text stays empty; the password takes anything. No range is checked.
class OptionGrid
{
public:
    enum Row { FirstPage = 0, LastPage = 1, PageBreaks = 2, Password = 3 };
    static constexpr int kRows = 4;

    enum class Editor { Text, Choice };

    OptionGrid();

    /// Puts the four rows back to their defaults.
    void Fill();

    /// The "Option" text of `row`.
    static const std::string& Label(int row);
    /// The "Value" text of `row`.
    const std::string& Value(int row) const { return m_values[std::size_t(row)]; }

    /// The choices of the page-breaks row: "YES", "NO".
    static const std::vector<std::string>& Choices();

    /// The editor a click on `row` opens: the YES/NO choice for the page-breaks row, the text
    /// box for the others.
    static Editor EditorFor(int row);

    /// The text the text box starts with: the value without leading and trailing spaces.
    std::string EditorText(int row) const;

    /// The text box of `row` now holds `text`: write it into the value and check it.
    void TextChanged(int row, const std::string& text);

    /// The user chose `choice` ("YES" or "NO") for `row`; other texts are ignored.
    void Choose(int row, const std::string& choice);

    /// The values as the command-line builder reads them.
    ConversionOptions Options() const;

private:
    std::array<std::string, kRows> m_values;
};

} // namespace pw
