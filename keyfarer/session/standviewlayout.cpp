#include "session/standviewlayout.h"

#include <algorithm>

namespace kf {
namespace {

constexpr char16_t kTab = u'\t';
constexpr char16_t kSpace = u' ';
constexpr char16_t kReturn = u'\r';
constexpr char16_t kLineFeed = u'\n';
constexpr char16_t kBackspace = 8;

bool IsBlank(char16_t c)
{
    return c == kSpace || c == kTab || c == kReturn || c == kLineFeed;
}

// Where a lesson line that runs into the margin may end.
bool EndsLessonOverrun(char16_t c)
{
    return c == kSpace || c == kReturn || c == kBackspace;
}

// The pointer caret hangs this far below (or above) its character.
constexpr int kPointerRoom = 13;

} // namespace

// --- Font, options, size ------------------------------------------------------------------

void CStandViewLayout::SetMetrics(const StandViewMetrics* metrics)
{
    m_metrics = metrics;
    Measure();
    RelayoutFrom(-1);
}

void CStandViewLayout::Measure()
{
    m_otherWidths.clear();
    if (!m_metrics) {
        m_widths.fill(0);
        m_lineHeight = m_avgCharWidth = m_tabWidth = m_spaceWidth = 0;
        return;
    }
    for (uint32_t c = 0; c < kMeasuredChars; ++c)
        m_widths[c] = m_metrics->CharWidth(static_cast<char16_t>(c));
    m_lineHeight = m_metrics->LineHeight();
    m_avgCharWidth = m_metrics->AverageCharWidth();
    m_tabWidth =
        m_tabLabel.empty() ? 4 * m_avgCharWidth + 8 : m_metrics->LabelWidth(m_tabLabel) + 8;
    m_spaceWidth = m_spaceLabel.empty() ? 0 : m_metrics->LabelWidth(m_spaceLabel) + 8;
}

void CStandViewLayout::ApplySettings(const StandViewSettings& s)
{
    m_spaceLabel = s.spaceLabel;
    m_tabLabel = s.tabLabel;
    m_charSpacing = s.charSpacing;
    m_rowSpacing = s.rowSpacing;
    m_marginLeft = s.marginLeft;
    m_marginTop = s.marginTop;
    m_marginRight = s.marginRight;
    m_marginBottom = s.marginBottom;
    m_overlay = s.overlay;
    m_typedPartOnly = s.typedPartOnly;
    m_lessonText = s.lessonText;
    m_caretAtEnd = s.caretAtEnd;
    Measure();
    RelayoutFrom(-1);
}

void CStandViewLayout::SetClientSize(int width, int height)
{
    if (width == m_clientWidth && height == m_clientHeight)
        return;
    m_clientWidth = std::max(0, width);
    m_clientHeight = std::max(0, height);
    RelayoutFrom(-1);
}

void CStandViewLayout::SetLabels(std::u16string_view spaceLabel, std::u16string_view tabLabel)
{
    m_spaceLabel = spaceLabel;
    m_tabLabel = tabLabel;
    Measure();
    RelayoutFrom(-1);
}

void CStandViewLayout::SetSpacing(int charSpacing, int rowSpacing)
{
    m_charSpacing = charSpacing;
    m_rowSpacing = rowSpacing;
    RelayoutFrom(-1);
}

void CStandViewLayout::SetMargins(int left, int top, int right, int bottom)
{
    m_marginLeft = left;
    m_marginTop = top;
    m_marginRight = right;
    m_marginBottom = bottom;
    RelayoutFrom(-1);
}

void CStandViewLayout::SetOverlay(bool on)
{
    m_overlay = on;
    RelayoutFrom(-1);
}

void CStandViewLayout::SetLessonText(bool on)
{
    m_lessonText = on;
    RelayoutFrom(-1);
}

void CStandViewLayout::SetCentre(bool on)
{
    m_centre = on;
    RelayoutFrom(-1);
}

StandRect CStandViewLayout::TextArea() const
{
    StandRect r;
    r.left = m_marginLeft;
    r.top = m_marginTop;
    r.width = std::max(0, m_clientWidth - m_marginLeft - m_marginRight);
    r.height = std::max(0, m_clientHeight - m_marginTop - m_marginBottom);
    return r;
}

int CStandViewLayout::LineStride() const
{
    return m_overlay ? m_lineHeight + m_rowSpacing : 2 * m_lineHeight + m_rowSpacing + 2;
}

int CStandViewLayout::LinesPerPage() const
{
    const int stride = LineStride();
    if (stride <= 0)
        return 1;
    return std::max(1, TextArea().height / stride);
}

// --- Text -----------------------------------------------------------------------------------

void CStandViewLayout::SetText(const char16_t* sample, uint32_t sampleLength, const char16_t* typed,
                               uint32_t typedLength)
{
    m_sample = sample;
    m_sampleLength = sample ? sampleLength : 0;
    // Free typing shows the typed text itself: compared with itself every character would
    // count as correct and fade, so it is shown as plain text.
    m_typed = sample && typed != sample ? typed : nullptr;
    m_typedLength = m_typed ? typedLength : 0;
    RelayoutFrom(-1);
}

void CStandViewLayout::SetSampleLength(uint32_t n)
{
    if (!m_sample)
        return;
    const uint32_t old = m_sampleLength;
    m_sampleLength = n;
    // Lines before the change keep their breaks, except the line that ended at the old end,
    // which may take more characters now: lay out from the page holding it.
    RelayoutFrom(static_cast<int>(PageOf(std::min(old, n) == 0 ? 0 : std::min(old, n) - 1)));
}

char16_t CStandViewLayout::TypedAt(uint32_t i) const
{
    return m_typed && i < m_typedLength ? m_typed[i] : char16_t(0);
}

StandCharState CStandViewLayout::StateAt(uint32_t i) const
{
    const char16_t t = TypedAt(i);
    if (t == 0 || i >= m_sampleLength)
        return StandCharState::Untyped;
    return t == m_sample[i] ? StandCharState::Correct : StandCharState::Wrong;
}

// --- Lines and pages ------------------------------------------------------------------------

int CStandViewLayout::Advance(char16_t c) const
{
    switch (c) {
    case kTab:
        return m_tabWidth;
    case kSpace:
        return m_spaceWidth > 0 ? m_spaceWidth : m_widths[kSpace];
    case kReturn:
        return m_avgCharWidth; // room for the Enter mark
    case kLineFeed:
        return 0;
    default:
        break;
    }
    if (c < kMeasuredChars)
        return m_widths[c];
    if (!m_metrics)
        return 0;
    auto it = m_otherWidths.find(c);
    if (it == m_otherWidths.end())
        it = m_otherWidths.emplace(c, m_metrics->CharWidth(c)).first;
    return it->second;
}

int CStandViewLayout::Centring(int width) const
{
    const int offset = (TextArea().width - width) / 2;
    if (m_lessonText)
        return offset;
    return m_centre && offset > 0 ? offset : 0;
}

StandLine CStandViewLayout::LayOutLine(uint32_t s) const
{
    StandLine line;
    line.start = line.end = s;
    if (!m_sample || s >= m_sampleLength)
        return line;
    const int areaWidth = TextArea().width;
    const uint32_t limit = std::min<uint32_t>(m_sampleLength, s + kMaxLineChars);
    int x = 0;
    uint32_t wordStart = 0; // start of the last word that follows a blank; 0 = none
    int wordX = 0;
    bool afterBlank = false;
    for (uint32_t i = s; i < limit; ++i) {
        const char16_t c = m_sample[i];
        const int w = Advance(c);
        if (i > s && x + w > areaWidth) {
            if (m_lessonText) {
                int xx = x;
                for (uint32_t j = i; j < limit; ++j) {
                    const char16_t cj = m_sample[j];
                    const int wj = Advance(cj);
                    if (xx + wj > m_clientWidth)
                        break;
                    xx += wj + m_charSpacing;
                    if (EndsLessonOverrun(cj)) {
                        line.end = j + 1;
                        line.width = xx;
                        line.offset = Centring(line.width);
                        return line;
                    }
                }
            }
            if (afterBlank) {
                // The character that does not fit starts a word: the line ends before it.
                line.end = i;
                line.width = x;
            } else if (wordStart > s) {
                line.end = wordStart;
                line.width = wordX;
            } else {
                line.end = i;
                line.width = x;
            }
            line.offset = Centring(line.width);
            return line;
        }
        const bool blank = c == kSpace || c == kTab;
        if (!blank && afterBlank) {
            wordStart = i;
            wordX = x;
        }
        afterBlank = blank;
        x += w + m_charSpacing;
        if (c == kReturn) {
            line.end = i + 1;
            line.width = x;
            line.offset = Centring(line.width);
            return line;
        }
    }
    line.end = limit;
    line.width = x;
    line.offset = Centring(line.width);
    return line;
}

std::vector<StandRun> CStandViewLayout::LineRuns(const StandLine& line) const
{
    std::vector<StandRun> runs;
    int x = 0;
    for (uint32_t i = line.start; i < line.end; ++i) {
        const char16_t c = m_sample[i];
        const bool visible = !IsBlank(c);
        const StandCharState state = StateAt(i);
        if (runs.empty() || runs.back().visible != visible || runs.back().state != state) {
            StandRun run;
            run.x = x;
            run.first = i;
            run.visible = visible;
            run.state = state;
            runs.push_back(run);
        }
        runs.back().end = i + 1;
        x += Advance(c) + m_charSpacing;
    }
    return runs;
}

void CStandViewLayout::RelayoutFrom(int page)
{
    if (page <= 0 || m_pageFirstLine.empty()) {
        m_lines.clear();
        m_pageFirstLine.clear();
        LayOutFromLine(0, 0);
        return;
    }
    const size_t p = std::min<size_t>(static_cast<size_t>(page), m_pageFirstLine.size() - 1);
    const size_t firstLine = m_pageFirstLine[p];
    const uint32_t offset = firstLine < m_lines.size() ? m_lines[firstLine].start : 0;
    m_lines.resize(firstLine);
    m_pageFirstLine.resize(p);
    LayOutFromLine(firstLine, offset);
}

void CStandViewLayout::LayOutFromLine(size_t firstLine, uint32_t offset)
{
    const size_t perPage = static_cast<size_t>(LinesPerPage());
    size_t index = firstLine;
    while (m_sample && offset < m_sampleLength) {
        if (index % perPage == 0)
            m_pageFirstLine.push_back(index);
        const StandLine line = LayOutLine(offset);
        m_lines.push_back(line);
        offset = line.end;
        ++index;
    }
    if (m_pageFirstLine.empty())
        m_pageFirstLine.push_back(0);
}

uint32_t CStandViewLayout::PageStart(uint32_t page) const
{
    if (page >= m_pageFirstLine.size())
        return m_sampleLength;
    const size_t line = m_pageFirstLine[page];
    return line < m_lines.size() ? m_lines[line].start : m_sampleLength;
}

uint32_t CStandViewLayout::PageEnd(uint32_t page) const
{
    return page + 1 < m_pageFirstLine.size() ? PageStart(page + 1) : m_sampleLength;
}

uint32_t CStandViewLayout::PageOf(uint32_t offset) const
{
    uint32_t lo = 0, hi = PageCount(); // the answer is the last page with start <= offset
    while (hi - lo > 1) {
        const uint32_t mid = lo + (hi - lo) / 2;
        if (PageStart(mid) <= offset)
            lo = mid;
        else
            hi = mid;
    }
    return lo;
}

std::vector<StandLine> CStandViewLayout::PageLines(uint32_t page) const
{
    std::vector<StandLine> out;
    if (page >= m_pageFirstLine.size())
        return out;
    const size_t first = m_pageFirstLine[page];
    const size_t last = std::min(m_lines.size(), first + static_cast<size_t>(LinesPerPage()));
    out.assign(m_lines.begin() + static_cast<std::ptrdiff_t>(std::min(first, m_lines.size())),
               m_lines.begin() + static_cast<std::ptrdiff_t>(std::max(first, last)));
    return out;
}

// --- Drawing --------------------------------------------------------------------------------

int CStandViewLayout::LineTop(int lineIndex) const
{
    return TextArea().top + lineIndex * LineStride();
}

int CStandViewLayout::LineLeft(const StandLine& line) const
{
    return TextArea().left + line.offset;
}

StandRect CStandViewLayout::LineBand(int lineIndex) const
{
    return {0, LineTop(lineIndex), m_clientWidth, LineStride()};
}

void CStandViewLayout::LineItems(uint32_t page, int lineIndex,
                                 std::vector<StandDrawItem>& out) const
{
    if (page >= m_pageFirstLine.size() || lineIndex < 0 || lineIndex >= LinesPerPage())
        return;
    const size_t index = m_pageFirstLine[page] + static_cast<size_t>(lineIndex);
    const size_t pageEndLine =
        page + 1 < m_pageFirstLine.size() ? m_pageFirstLine[page + 1] : m_lines.size();
    if (index >= m_lines.size() || index >= pageEndLine)
        return;
    const StandLine& line = m_lines[index];
    const int left = LineLeft(line);
    const int top = LineTop(lineIndex);
    const int typedTop = top + m_lineHeight + 2;

    auto push = [&](StandItemKind kind, StandRow row, StandCharState state, int x, int width,
                    uint32_t first, uint32_t end) {
        StandDrawItem item;
        item.kind = kind;
        item.row = row;
        item.state = state;
        item.x = x;
        item.y = row == StandRow::Sample ? top : typedTop;
        item.width = width;
        item.height = m_lineHeight;
        item.first = first;
        item.end = end;
        item.line = lineIndex;
        out.push_back(item);
    };

    for (const StandRun& run : LineRuns(line)) {
        if (m_typedPartOnly && run.state == StandCharState::Untyped)
            continue;
        const StandCharState shown = m_overlay ? run.state : StandCharState::Untyped;
        int x = left + run.x;
        if (run.visible) {
            int width = 0;
            for (uint32_t i = run.first; i < run.end; ++i)
                width += Advance(m_sample[i]) + m_charSpacing;
            push(StandItemKind::Text, StandRow::Sample, shown, x, width, run.first, run.end);
        } else {
            for (uint32_t i = run.first; i < run.end; ++i) {
                const char16_t c = m_sample[i];
                const int w = Advance(c);
                if (c == kTab) {
                    push(StandItemKind::TabBox, StandRow::Sample, shown, x, w, i, i + 1);
                } else if (c == kSpace) {
                    if (!m_spaceLabel.empty())
                        push(StandItemKind::SpaceBox, StandRow::Sample, shown, x, w, i, i + 1);
                    else if (shown == StandCharState::Wrong)
                        push(StandItemKind::ErrorBox, StandRow::Sample, shown, x, m_avgCharWidth, i,
                             i + 1);
                } else if (c == kReturn) {
                    push(StandItemKind::EnterMark, StandRow::Sample, shown, x, w, i, i + 1);
                }
                x += w + m_charSpacing;
            }
        }
        if (m_overlay || run.state == StandCharState::Untyped)
            continue;

        // The typed row: a correct run types the sample's own characters; each wrong
        // character stands at its sample character's place.
        x = left + run.x;
        if (run.state == StandCharState::Correct) {
            if (run.visible) {
                int width = 0;
                for (uint32_t i = run.first; i < run.end; ++i)
                    width += Advance(m_sample[i]) + m_charSpacing;
                push(StandItemKind::Text, StandRow::Typed, run.state, x, width, run.first, run.end);
            }
            continue;
        }
        for (uint32_t i = run.first; i < run.end; ++i) {
            const char16_t t = TypedAt(i);
            const int w = Advance(m_sample[i]);
            if (t == kSpace || t == kTab)
                push(StandItemKind::ErrorBox, StandRow::Typed, run.state, x, m_avgCharWidth, i,
                     i + 1);
            else if (t == kReturn)
                push(StandItemKind::EnterMark, StandRow::Typed, run.state, x, m_avgCharWidth, i,
                     i + 1);
            else if (t != kLineFeed)
                push(StandItemKind::Text, StandRow::Typed, run.state, x, Advance(t), i, i + 1);
            x += w + m_charSpacing;
        }
    }
}

std::vector<StandDrawItem> CStandViewLayout::PageItems(uint32_t page) const
{
    std::vector<StandDrawItem> out;
    const int lines = LinesPerPage();
    for (int i = 0; i < lines; ++i)
        LineItems(page, i, out);
    return out;
}

int CStandViewLayout::LineOfOffset(uint32_t page, uint32_t offset) const
{
    if (page >= m_pageFirstLine.size())
        return -1;
    const size_t first = m_pageFirstLine[page];
    const size_t pageEndLine =
        std::min(page + 1 < m_pageFirstLine.size() ? m_pageFirstLine[page + 1] : m_lines.size(),
                 first + static_cast<size_t>(LinesPerPage()));
    for (size_t i = first; i < pageEndLine; ++i)
        if (offset >= m_lines[i].start && offset < m_lines[i].end)
            return static_cast<int>(i - first);
    if (offset == PageEnd(page) && pageEndLine > first)
        return static_cast<int>(pageEndLine - 1 - first);
    return -1;
}

uint32_t CStandViewLayout::CaretOffset(uint32_t caretPosition) const
{
    if (!m_caretAtEnd)
        return caretPosition;
    if (!m_typed)
        return m_sampleLength;
    uint32_t n = 0;
    while (n < m_sampleLength && TypedAt(n) != 0)
        ++n;
    return n;
}

StandCaret CStandViewLayout::CaretAt(uint32_t page, uint32_t offset) const
{
    StandCaret caret;
    caret.height = m_lineHeight;
    caret.charWidth = m_avgCharWidth;
    if (page >= m_pageFirstLine.size())
        return caret;
    const StandRect area = TextArea();
    const size_t first = m_pageFirstLine[page];
    const size_t pageEndLine =
        std::min(page + 1 < m_pageFirstLine.size() ? m_pageFirstLine[page + 1] : m_lines.size(),
                 first + static_cast<size_t>(LinesPerPage()));
    if (first >= pageEndLine) {
        // An empty text: the caret waits at the start of the first line.
        if (offset != 0 || page != 0)
            return caret;
        caret.visible = true;
        caret.x = area.left + Centring(0);
        caret.y = LineTop(0);
        return caret;
    }
    for (size_t i = first; i < pageEndLine; ++i) {
        const StandLine& line = m_lines[i];
        if (offset < line.start || offset >= line.end)
            continue;
        int x = 0;
        for (uint32_t k = line.start; k < offset; ++k)
            x += Advance(m_sample[k]) + m_charSpacing;
        caret.visible = true;
        caret.x = LineLeft(line) + x;
        caret.y = LineTop(static_cast<int>(i - first));
        caret.line = static_cast<int>(i - first);
        const int w = Advance(m_sample[offset]);
        caret.charWidth = w > 0 ? w : m_avgCharWidth;
        return caret;
    }
    // The end of the text, on the last page only (elsewhere that offset opens the next page).
    if (offset != m_sampleLength || PageEnd(page) != m_sampleLength)
        return caret;
    const StandLine& last = m_lines[pageEndLine - 1];
    const int lastIndex = static_cast<int>(pageEndLine - 1 - first);
    caret.visible = true;
    if (last.end > last.start && m_sample[last.end - 1] == kReturn &&
        lastIndex + 1 < LinesPerPage()) {
        caret.x = area.left + Centring(0);
        caret.y = LineTop(lastIndex + 1);
        caret.line = lastIndex + 1;
        return caret;
    }
    caret.x = LineLeft(last) + last.width;
    caret.y = LineTop(lastIndex);
    caret.line = lastIndex;
    return caret;
}

} // namespace kf
