#include "session/standviewlayout.h"

#include <gtest/gtest.h>

#include <string>

namespace kf {
namespace {

// Every character 10 pixels wide (an 'i' 4), lines 20 high, labels 6 pixels a character.
class FixedMetrics : public StandViewMetrics
{
public:
    int CharWidth(char16_t c) const override { return c == u'i' ? 4 : 10; }
    int LineHeight() const override { return 20; }
    int AverageCharWidth() const override { return 10; }
    int LabelWidth(std::u16string_view label) const override
    {
        return 6 * static_cast<int>(label.size());
    }
};

class StandViewLayoutTest : public ::testing::Test
{
protected:
    // A client of width x height with 10-pixel margins, no spacing, no labels.
    void Prepare(int width, int height, const std::u16string& text)
    {
        layout.SetText(nullptr, 0, nullptr, 0); // the buffers it shows are about to change
        m_sample = text;
        m_typed.assign(text.size() + 1, u'\0');
        layout.SetClientSize(width, height);
        layout.SetMargins(10, 10, 10, 10);
        layout.SetSpacing(0, 10);
        layout.SetLabels(u"", u"");
        layout.SetMetrics(&metrics);
        layout.SetText(m_sample.data(), static_cast<uint32_t>(m_sample.size()), m_typed.data(),
                       static_cast<uint32_t>(m_sample.size()));
    }
    // Types s from offset 0 (as the engine writes its buffer).
    void Type(const std::u16string& s)
    {
        std::fill(m_typed.begin(), m_typed.end(), u'\0');
        std::copy(s.begin(), s.end(), m_typed.begin());
    }
    std::u16string LineText(const StandLine& line) const
    {
        return m_sample.substr(line.start, line.end - line.start);
    }
    std::vector<std::u16string> AllLines() const
    {
        std::vector<std::u16string> out;
        for (uint32_t p = 0; p < layout.PageCount(); ++p)
            for (const StandLine& l : layout.PageLines(p))
                out.push_back(LineText(l));
        return out;
    }

    FixedMetrics metrics;
    CStandViewLayout layout;
    std::u16string m_sample;
    std::u16string m_typed;
};

TEST_F(StandViewLayoutTest, WordWrapGoesBackToTheLastWordAndBreaksALongWord)
{
    // Area 100 pixels: ten characters a line.
    Prepare(120, 400, u"aaaa bbbb cccc dddddddddddddd e");
    const std::vector<std::u16string> expected = {u"aaaa bbbb ", u"cccc ", u"dddddddddd",
                                                  u"dddd e"};
    EXPECT_EQ(AllLines(), expected);
}

TEST_F(StandViewLayoutTest, CarriageReturnEndsTheLineAfterItself)
{
    Prepare(220, 400, u"ab\rcd\r\ref");
    const std::vector<std::u16string> expected = {u"ab\r", u"cd\r", u"\r", u"ef"};
    EXPECT_EQ(AllLines(), expected);
}

TEST_F(StandViewLayoutTest, LinesHoldAtMost512Characters)
{
    // 'i' is 4 pixels: a 3000-pixel area would take 750 of them.
    Prepare(3020, 400, std::u16string(600, u'i'));
    const std::vector<std::u16string> lines = AllLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 512u);
    EXPECT_EQ(lines[1].size(), 88u);
}

TEST_F(StandViewLayoutTest, LessonTextRunsIntoTheMarginToFinishAWord)
{
    // Client 200, area 100 (margins 50). "abcdefgh " fits; 'j' would pass the area, but
    // "jklm " still ends inside the client, so the line takes it and is centred at -20.
    Prepare(200, 400, u"abcdefgh jklm nop");
    layout.SetMargins(50, 10, 50, 10);
    layout.SetLessonText(true);
    std::vector<StandLine> lines = layout.PageLines(0);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(LineText(lines[0]), u"abcdefgh jklm ");
    EXPECT_EQ(lines[0].offset, (100 - 140) / 2);
    EXPECT_EQ(LineText(lines[1]), u"nop");
    EXPECT_EQ(lines[1].offset, (100 - 30) / 2);

    // A word that reaches past the client width falls back to the word wrap.
    Prepare(200, 400, u"ab " + std::u16string(30, u'x'));
    layout.SetMargins(50, 10, 50, 10);
    layout.SetLessonText(true);
    lines = layout.PageLines(0);
    EXPECT_EQ(LineText(lines[0]), u"ab ");

    // Without the lesson flag the same text wraps inside the area.
    Prepare(200, 400, u"abcdefgh jklm nop");
    layout.SetMargins(50, 10, 50, 10);
    layout.SetLessonText(false);
    EXPECT_EQ(LineText(layout.PageLines(0)[0]), u"abcdefgh ");
}

TEST_F(StandViewLayoutTest, CentringOnlyWhenItFits)
{
    Prepare(220, 400, u"abc");
    EXPECT_EQ(layout.PageLines(0)[0].offset, 0);
    layout.SetCentre(true);
    EXPECT_EQ(layout.PageLines(0)[0].offset, (200 - 30) / 2);
}

TEST_F(StandViewLayoutTest, LabelsSetTheBoxWidths)
{
    Prepare(220, 400, u"a b\tc");
    EXPECT_EQ(layout.SpaceBoxWidth(), 0);
    EXPECT_EQ(layout.Advance(u' '), 10); // the font's space
    EXPECT_EQ(layout.TabBoxWidth(), 4 * 10 + 8);
    layout.SetLabels(u"SP", u"TAB");
    EXPECT_EQ(layout.SpaceBoxWidth(), 12 + 8);
    EXPECT_EQ(layout.TabBoxWidth(), 18 + 8);
    EXPECT_EQ(layout.Advance(u' '), 20);
}

TEST_F(StandViewLayoutTest, PagesAndPageLookup)
{
    // Area 200 x 180, stride 20 + 10: six lines a page; "aaaa " is one line.
    std::u16string text;
    for (int i = 0; i < 20; ++i)
        text += u"aaaaaaaaaaaaaaa "; // 16 characters, 160 pixels: one line each
    Prepare(220, 200, text);
    EXPECT_EQ(layout.LinesPerPage(), 6);
    ASSERT_EQ(layout.PageCount(), 4u); // 20 lines: 6 + 6 + 6 + 2
    EXPECT_EQ(layout.PageStart(1), 6u * 16u);
    EXPECT_EQ(layout.PageOf(0), 0u);
    EXPECT_EQ(layout.PageOf(6 * 16 - 1), 0u);
    EXPECT_EQ(layout.PageOf(6 * 16), 1u);
    EXPECT_EQ(layout.PageOf(100000), 3u);
    EXPECT_EQ(layout.PageLines(3).size(), 2u);

    // Two rows take 2 * 20 + 10 + 2 = 52 pixels: three lines a page.
    layout.SetOverlay(false);
    EXPECT_EQ(layout.LinesPerPage(), 3);
    EXPECT_EQ(layout.PageCount(), 7u);

    // A tiny view still shows one line a page, and every line stays reachable.
    layout.SetClientSize(220, 5);
    EXPECT_EQ(layout.LinesPerPage(), 1);
    EXPECT_EQ(layout.PageCount(), 20u);
}

TEST_F(StandViewLayoutTest, ManyPagesStayReachable)
{
    // 3000 one-line pages: beyond the 2047 a fixed table could hold.
    std::u16string text;
    for (int i = 0; i < 3000; ++i)
        text += u"aaaaaaaa\r";
    Prepare(220, 35, text);
    EXPECT_EQ(layout.LinesPerPage(), 1);
    EXPECT_EQ(layout.PageCount(), 3000u);
    EXPECT_EQ(layout.PageOf(2999 * 9 + 3), 2999u);
}

TEST_F(StandViewLayoutTest, RunsFollowVisibilityAndState)
{
    Prepare(420, 400, u"abc de");
    Type(u"aXc"); // a correct, X wrong, c correct
    const std::vector<StandRun> runs = layout.LineRuns(layout.PageLines(0)[0]);
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[0].state, StandCharState::Correct);
    EXPECT_EQ(runs[1].state, StandCharState::Wrong);
    EXPECT_EQ(runs[1].x, 10);
    EXPECT_EQ(runs[2].state, StandCharState::Correct);
    EXPECT_FALSE(runs[3].visible);
    EXPECT_EQ(runs[3].state, StandCharState::Untyped);
    EXPECT_TRUE(runs[4].visible);
    EXPECT_EQ(runs[4].first, 4u);
    EXPECT_EQ(runs[4].end, 6u);
}

TEST_F(StandViewLayoutTest, TypingNeverMovesALineBreak)
{
    Prepare(120, 400, u"aaaa bbbb cccc dddd");
    const std::vector<std::u16string> before = AllLines();
    Type(u"xxxxxxxxxxxxxx");
    layout.RelayoutFrom(-1);
    EXPECT_EQ(AllLines(), before);
}

TEST_F(StandViewLayoutTest, OverlayItemsColourTheSampleAndMarkWrongBlanks)
{
    Prepare(420, 400, u"ab c\r");
    Type(u"aX_"); // the space typed as '_'
    const std::vector<StandDrawItem> items = layout.PageItems(0);
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].kind, StandItemKind::Text);
    EXPECT_EQ(items[0].state, StandCharState::Correct);
    EXPECT_EQ(items[1].state, StandCharState::Wrong);
    EXPECT_EQ(items[1].x, 20);
    EXPECT_EQ(items[2].kind, StandItemKind::ErrorBox);
    EXPECT_EQ(items[2].width, 10);
    EXPECT_EQ(items[3].kind, StandItemKind::Text); // "c", still to type
    EXPECT_EQ(items[3].state, StandCharState::Untyped);
    EXPECT_EQ(items[4].kind, StandItemKind::EnterMark);
    EXPECT_EQ(items[4].x, 10 + 40);
}

TEST_F(StandViewLayoutTest, TwoRowModeListsTheTypedRowUnderTheSample)
{
    Prepare(420, 400, u"abc d");
    layout.SetOverlay(false);
    Type(u"aXc\t");
    const std::vector<StandDrawItem> items = layout.PageItems(0);
    std::vector<StandDrawItem> typedRow;
    for (const StandDrawItem& item : items) {
        if (item.row == StandRow::Typed)
            typedRow.push_back(item);
        else
            EXPECT_EQ(item.state, StandCharState::Untyped);
    }
    ASSERT_EQ(typedRow.size(), 4u);
    EXPECT_EQ(typedRow[0].state, StandCharState::Correct);
    EXPECT_EQ(typedRow[1].state, StandCharState::Wrong);
    EXPECT_EQ(typedRow[1].x, 20);
    EXPECT_EQ(typedRow[1].y, 10 + 20 + 2);
    EXPECT_EQ(typedRow[2].state, StandCharState::Correct);
    EXPECT_EQ(typedRow[3].kind, StandItemKind::ErrorBox); // tab typed for the space
}

TEST_F(StandViewLayoutTest, TypedPartOnlyHidesWhatIsNotTyped)
{
    Prepare(420, 400, u"secret text");
    layout.SetTypedPartOnly(true);
    EXPECT_TRUE(layout.PageItems(0).empty());
    Type(u"sec");
    const std::vector<StandDrawItem> items = layout.PageItems(0);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].end, 3u);
}

TEST_F(StandViewLayoutTest, CaretPlaces)
{
    Prepare(120, 400, u"aaaa bbbb cc\r");
    // Lines: "aaaa bbbb " (0-9), "cc\r" (10-12).
    StandCaret c = layout.CaretAt(0, 0);
    EXPECT_TRUE(c.visible);
    EXPECT_EQ(c.x, 10);
    EXPECT_EQ(c.y, 10);
    c = layout.CaretAt(0, 11);
    EXPECT_EQ(c.line, 1);
    EXPECT_EQ(c.x, 20);
    EXPECT_EQ(c.y, 10 + 30);
    // After the final carriage return: the start of the next line.
    c = layout.CaretAt(0, 13);
    EXPECT_TRUE(c.visible);
    EXPECT_EQ(c.line, 2);
    EXPECT_EQ(c.x, 10);

    // The end of a text without a final return: after its last character.
    Prepare(120, 400, u"ab");
    c = layout.CaretAt(0, 2);
    EXPECT_TRUE(c.visible);
    EXPECT_EQ(c.x, 30);

    // An empty text (free typing before the first key).
    Prepare(120, 400, u"");
    c = layout.CaretAt(0, 0);
    EXPECT_TRUE(c.visible);
    EXPECT_EQ(c.x, 10);
}

TEST_F(StandViewLayoutTest, CaretOfAnotherPageIsNotShown)
{
    std::u16string text;
    for (int i = 0; i < 8; ++i)
        text += u"aaaaaaaa\r";
    Prepare(220, 80, text); // 2 lines a page
    EXPECT_EQ(layout.LinesPerPage(), 2);
    EXPECT_FALSE(layout.CaretAt(0, 18).visible); // the first character of page 1
    EXPECT_TRUE(layout.CaretAt(1, 18).visible);
}

TEST_F(StandViewLayoutTest, FreeTypingGrowsTheTextFromTheCurrentPage)
{
    // Free typing shows the typed buffer as the text, untyped, with the caret at its end.
    std::u16string buffer(200, u'\0');
    layout.SetClientSize(120, 70); // two lines a page
    layout.SetMargins(10, 10, 10, 10);
    layout.SetSpacing(0, 10);
    layout.SetCaretAtEnd(true);
    layout.SetMetrics(&metrics);
    layout.SetText(buffer.data(), 0, nullptr, 0);
    const std::u16string typed = u"aaaa bbbb cccc dddd eeee ffff";
    for (size_t n = 1; n <= typed.size(); ++n) {
        buffer[n - 1] = typed[n - 1];
        layout.SetSampleLength(static_cast<uint32_t>(n));
    }
    m_sample = typed;
    CStandViewLayout fresh;
    fresh.SetClientSize(120, 70);
    fresh.SetMargins(10, 10, 10, 10);
    fresh.SetSpacing(0, 10);
    fresh.SetMetrics(&metrics);
    fresh.SetText(typed.data(), static_cast<uint32_t>(typed.size()), nullptr, 0);
    ASSERT_EQ(layout.PageCount(), fresh.PageCount());
    for (uint32_t p = 0; p < fresh.PageCount(); ++p)
        EXPECT_EQ(layout.PageStart(p), fresh.PageStart(p));
    EXPECT_EQ(layout.CaretOffset(3), typed.size());
    const uint32_t last = layout.PageOf(static_cast<uint32_t>(typed.size()));
    EXPECT_TRUE(layout.CaretAt(last, layout.CaretOffset(0)).visible);
}

TEST_F(StandViewLayoutTest, TheTypedBufferShownAsItsOwnSampleIsPlainText)
{
    std::u16string buffer = u"free text";
    buffer.resize(50, u'\0');
    layout.SetClientSize(220, 400);
    layout.SetMetrics(&metrics);
    layout.SetCaretAtEnd(true);
    layout.SetText(buffer.data(), 9, buffer.data(), 50);
    for (const StandDrawItem& item : layout.PageItems(0))
        EXPECT_EQ(item.state, StandCharState::Untyped);
    EXPECT_EQ(layout.CaretOffset(8), 9u);
}

TEST_F(StandViewLayoutTest, NullSampleClears)
{
    Prepare(120, 400, u"abc");
    layout.SetText(nullptr, 10, nullptr, 10);
    EXPECT_EQ(layout.SampleLength(), 0u);
    EXPECT_EQ(layout.PageCount(), 1u);
    EXPECT_TRUE(layout.PageItems(0).empty());
}

} // namespace
} // namespace kf
