#pragma once

// CStandViewLayout: everything the standard typing view decides, without a toolkit. It reads
// the engine's sample and typed buffers (it never owns or changes them), breaks the sample
// into lines and pages, and answers what a page shows: the runs of each line in their state,
// the boxes of tabs and spaces, the Enter marks, the typed row of the two-row mode, and the
// place of the caret. The widget measures the font (StandViewMetrics), draws the items this
// class lists and turns pages; it holds no rule of its own.
//
// Lines: at most 512 characters each. A tab advances by the tab box, a space by the space box
// (or the font's space when spaces have no label), a carriage return by one average character
// (room for its Enter mark) and ends the line after itself; other characters by their width.
// The character spacing follows every character. When a character would pass the text
// area's width, a lesson text may run on into the margin, while it stays within the client
// width, until it has just passed a space, carriage return or backspace; otherwise the line
// goes back to the start of its last word (word wrap), or breaks at that character when the
// line is one word. Lesson lines are always centred (into both margins when they run over);
// other lines are centred only when centring is on and they fit.
//
// Pages: lines per page = text area height / line stride (at least 1), where the stride is
// the line height + row spacing in overlay mode and 2 * line height + row spacing + 2 in
// two-row mode. Page i starts at line i * lines per page. Line breaks never depend on what
// was typed, so typing only changes colours, and the page table stays valid during an
// exercise except in free typing, where the text grows (RelayoutFrom).

#include "session/standviewoptions.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kf {

enum class StandCharState : uint8_t {
    Untyped = 0,
    Correct = 1,
    Wrong = 2,
};

// The measures of the text font, in pixels; the widget answers them from its font.
class StandViewMetrics
{
public:
    virtual ~StandViewMetrics() = default;
    virtual int CharWidth(char16_t c) const = 0;
    virtual int LineHeight() const = 0;
    virtual int AverageCharWidth() const = 0;
    // A label's width in the label font (half the text font).
    virtual int LabelWidth(std::u16string_view label) const = 0;
};

struct StandRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    friend bool operator==(const StandRect&, const StandRect&) = default;
};

// One line of the sample: characters [start, end), its width and the x offset it is drawn at
// (relative to the text area's left edge; negative for a lesson line running into the
// margins).
struct StandLine
{
    uint32_t start = 0;
    uint32_t end = 0;
    int width = 0;
    int offset = 0;
};

// A run of characters of one visibility and one state: [first, end), starting at x (relative
// to the line's start).
struct StandRun
{
    int x = 0;
    uint32_t first = 0;
    uint32_t end = 0;
    bool visible = true;
    StandCharState state = StandCharState::Untyped;
};

// One thing to draw. Coordinates are the view's client coordinates; y is the top of the row
// and height the line height.
enum class StandItemKind : uint8_t {
    Text,      // characters [first, end) of the row's buffer (sample or typed)
    TabBox,    // a tab: a small box with the tab label
    SpaceBox,  // a space with a label: a box with the space label
    ErrorBox,  // a space or tab typed wrong: an empty box one average character wide
    EnterMark, // a carriage return
};
enum class StandRow : uint8_t {
    Sample = 0,
    Typed = 1, // the typed row under the sample row in two-row mode
};
struct StandDrawItem
{
    StandItemKind kind = StandItemKind::Text;
    StandRow row = StandRow::Sample;
    StandCharState state = StandCharState::Untyped; // chooses the colour
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    uint32_t first = 0;
    uint32_t end = 0;
    int line = 0; // index of the line on its page
};

struct StandCaret
{
    bool visible = false;
    int x = 0;         // left edge of the character the caret stands on
    int y = 0;         // top of its (sample) row
    int height = 0;    // the line height
    int charWidth = 0; // width of that character (the pointer is centred on it)
    int line = 0;      // line index on the page
};

class CStandViewLayout
{
public:
    static constexpr uint32_t kMaxLineChars = 512;
    static constexpr uint32_t kMeasuredChars = 512; // widths kept in a table

    CStandViewLayout() = default;

    // --- Font, options, size ---------------------------------------------------------------

    // Measures the font (character widths 0 to 511, line height, label boxes) and lays the
    // text out again. The metrics object must outlive its use; null clears the measures.
    void SetMetrics(const StandViewMetrics* metrics);
    // Applies the settings that bear on the layout (spacing, labels, margins, modes) and lays
    // out again. Colours, fonts and caret style are the widget's.
    void ApplySettings(const StandViewSettings& settings);
    void SetClientSize(int width, int height);
    void SetLabels(std::u16string_view spaceLabel, std::u16string_view tabLabel);
    void SetSpacing(int charSpacing, int rowSpacing);
    void SetMargins(int left, int top, int right, int bottom);
    void SetOverlay(bool on);
    void SetTypedPartOnly(bool on) { m_typedPartOnly = on; }
    void SetLessonText(bool on);
    void SetCentre(bool on);
    void SetCaretAtEnd(bool on) { m_caretAtEnd = on; }

    bool Overlay() const { return m_overlay; }
    bool TypedPartOnly() const { return m_typedPartOnly; }
    bool LessonText() const { return m_lessonText; }
    bool CaretAtEnd() const { return m_caretAtEnd; }
    int CharSpacing() const { return m_charSpacing; }
    int RowSpacing() const { return m_rowSpacing; }
    int LineHeight() const { return m_lineHeight; }
    int AverageCharWidth() const { return m_avgCharWidth; }
    int TabBoxWidth() const { return m_tabWidth; }
    int SpaceBoxWidth() const { return m_spaceWidth; }
    const std::u16string& SpaceLabel() const { return m_spaceLabel; }
    const std::u16string& TabLabel() const { return m_tabLabel; }
    int ClientWidth() const { return m_clientWidth; }
    int ClientHeight() const { return m_clientHeight; }
    StandRect TextArea() const;
    // Pixels from one line's top to the next line's top.
    int LineStride() const;
    int LinesPerPage() const;

    // --- Text ---------------------------------------------------------------------------------

    // Shows sampleLength characters of sample; typed (may be null) holds what was typed for
    // each of them: character i counts as typed when i < typedLength and typed[i] is not 0
    // (the engine keeps its buffer 0 from the position on, so passing the buffer with the
    // sample's length is enough). Page and caret go back to 0; the pages are laid out. A null
    // sample clears the view. Free typing passes the typed buffer as the sample (typed may be
    // the same buffer): the text is then shown untyped, in the normal colour.
    void SetText(const char16_t* sample, uint32_t sampleLength, const char16_t* typed,
                 uint32_t typedLength);
    // Free typing: the text grew (or shrank) to n characters of the same buffer; lays out
    // again from the current page.
    void SetSampleLength(uint32_t n);
    void SetTypedLength(uint32_t n) { m_typedLength = n; }
    uint32_t SampleLength() const { return m_sampleLength; }
    uint32_t TypedLength() const { return m_typedLength; }
    const char16_t* Sample() const { return m_sample; }
    const char16_t* TypedBuffer() const { return m_typed; }
    StandCharState StateAt(uint32_t i) const;
    // The typed character shown for sample character i (0 when none).
    char16_t TypedAt(uint32_t i) const;

    // --- Lines and pages ------------------------------------------------------------------------

    // Breaks one line starting at sample offset s (at most 512 characters).
    StandLine LayOutLine(uint32_t s) const;
    // The runs of a line with their states and x positions.
    std::vector<StandRun> LineRuns(const StandLine& line) const;
    // The advance of sample character i (without the spacing).
    int Advance(char16_t c) const;

    // Recomputes the lines and the page table from that page on (the whole text for -1 or 0).
    void RelayoutFrom(int page);
    uint32_t PageCount() const { return static_cast<uint32_t>(m_pageFirstLine.size()); }
    uint32_t PageStart(uint32_t page) const;
    // One past the last character of the page.
    uint32_t PageEnd(uint32_t page) const;
    // The page whose range holds the offset (the last page for an offset beyond the text).
    uint32_t PageOf(uint32_t offset) const;
    // The lines of a page, at most LinesPerPage().
    std::vector<StandLine> PageLines(uint32_t page) const;
    size_t LineCount() const { return m_lines.size(); }

    // --- Drawing
    // ----------------------------------------------------------------------------------

    // Everything a page shows, line after line. With typed-part-only set, nothing is listed
    // for untyped characters. In two-row mode the sample row is untyped throughout and the
    // typed row lists the typed characters (a correct run as one text, each wrong character
    // by itself at its sample character's place; a wrong space or tab as an error box).
    std::vector<StandDrawItem> PageItems(uint32_t page) const;
    // The items of one line of a page only (line index on the page).
    void LineItems(uint32_t page, int lineIndex, std::vector<StandDrawItem>& out) const;
    // The band a line of a page occupies, across the whole client width (its rows and the
    // pointer caret's room), for partial repaints.
    StandRect LineBand(int lineIndex) const;
    // The line index on the page of an offset, -1 when the offset is not on the page. The end
    // of the page's text counts as on its last line.
    int LineOfOffset(uint32_t page, uint32_t offset) const;

    // Where the caret stands on the page, for a caret at offset (relative to the text): on
    // that character, after the last character of a line that does not end in a carriage
    // return, or at the start of the next line after one. Not visible when the offset is not
    // on the page.
    StandCaret CaretAt(uint32_t page, uint32_t offset) const;
    // The offset the caret follows: the caret position, or with caret-at-end the end of the
    // typed text (the sample's end when nothing is tracked as typed).
    uint32_t CaretOffset(uint32_t caretPosition) const;

private:
    void Measure();
    void LayOutFromLine(size_t firstLine, uint32_t offset);
    int LineTop(int lineIndex) const;
    int LineLeft(const StandLine& line) const;
    int Centring(int width) const;

    const StandViewMetrics* m_metrics = nullptr;
    std::array<int, kMeasuredChars> m_widths{};
    mutable std::unordered_map<char16_t, int> m_otherWidths;
    int m_lineHeight = 0;
    int m_avgCharWidth = 0;
    int m_tabWidth = 0;
    int m_spaceWidth = 0;
    std::u16string m_spaceLabel;
    std::u16string m_tabLabel;
    int m_charSpacing = 3;
    int m_rowSpacing = 10;
    int m_marginLeft = 10, m_marginTop = 10, m_marginRight = 10, m_marginBottom = 10;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    bool m_overlay = true;
    bool m_typedPartOnly = false;
    bool m_lessonText = false;
    bool m_centre = false;
    bool m_caretAtEnd = false;

    const char16_t* m_sample = nullptr;
    uint32_t m_sampleLength = 0;
    const char16_t* m_typed = nullptr;
    uint32_t m_typedLength = 0;

    std::vector<StandLine> m_lines;
    // First line of each page; page 0 starts at line 0. Unlike a fixed table this never runs
    // out, so no text is left unreachable behind a last recorded page.
    std::vector<size_t> m_pageFirstLine;
};

} // namespace kf
