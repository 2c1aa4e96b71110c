// The standard typing view as the user sees it: the sample drawn, typed characters in the
// colours of their states, the caret, the two-row and typed-part-only modes, page turns and
// the keystrokes typed while a page turns.

#include "session/ui/standview.h"

#include "platform/clock.h"
#include "session/exercisekind.h"
#include "session/paradigmpump.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

#include <string>

namespace kf {
namespace {

// Pixels of rect (widget coordinates) whose colour is within tolerance of c.
int CountNear(const QImage& img, const QRect& rect, const QColor& c, int tolerance = 60)
{
    int n = 0;
    const QRect r = rect.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor p = img.pixelColor(x, y);
            if (std::abs(p.red() - c.red()) + std::abs(p.green() - c.green()) +
                    std::abs(p.blue() - c.blue()) <=
                tolerance)
                ++n;
        }
    return n;
}

QRect ItemRect(const StandDrawItem& item)
{
    return QRect(item.x, item.y, item.width, item.height);
}

const QColor kBlack(0, 0, 0);
const QColor kGrey(0xD0, 0xD0, 0xD0);
const QColor kRed(0xFF, 0, 0);
const QColor kWhite(0xFF, 0xFF, 0xFF);

class StandViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        view.resize(476, 238);
        view.SetPageTurnAnimation(false);
    }
    void TearDown() override { SetTickSourceForTesting({}); }

    // A mode of the desk with the user's default options.
    void Enter(int mode, int kind, bool doubleLine = false)
    {
        StandViewOptions o;
        o.doubleLineView = doubleLine;
        StandViewContext c;
        c.deskMode = mode;
        c.kind = kind;
        view.ApplyOptions(o, c);
    }
    void Show(const std::u16string& sample)
    {
        m_sample = sample;
        m_typed.assign(sample.size() + 1, u'\0');
        view.SetText(m_sample.data(), uint32_t(m_sample.size()), m_typed.data(),
                     uint32_t(m_sample.size()));
    }
    void Type(const std::u16string& s)
    {
        std::copy(s.begin(), s.end(), m_typed.begin());
        view.SetCaretPosition(uint32_t(s.size()));
    }
    QImage Picture() { return view.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    std::vector<StandDrawItem> Items() const { return view.Layout().PageItems(view.CurrentPage()); }

    CStandView view;
    std::u16string m_sample;
    std::u16string m_typed;
};

TEST_F(StandViewTest, TypedCharactersShowTheColourOfTheirState)
{
    Enter(desk_mode::kTest, kind::kTest);
    Show(u"Typing tutors teach the fingers");
    Type(u"Tyqing");
    const QImage img = Picture();
    int correct = 0, wrong = 0, untyped = 0;
    for (const StandDrawItem& item : Items()) {
        if (item.kind != StandItemKind::Text)
            continue;
        const QRect r = ItemRect(item);
        switch (item.state) {
        case StandCharState::Correct:
            ++correct;
            EXPECT_GT(CountNear(img, r, kGrey, 30), 20);
            EXPECT_EQ(CountNear(img, r, kRed, 40), 0);
            break;
        case StandCharState::Wrong:
            ++wrong;
            EXPECT_EQ(item.first, 2u); // the 'p' typed as 'q'
            EXPECT_GT(CountNear(img, r, kRed, 40), 20);
            break;
        case StandCharState::Untyped:
            ++untyped;
            EXPECT_GT(CountNear(img, r, kBlack, 40), 20);
            break;
        }
    }
    EXPECT_EQ(correct, 2);
    EXPECT_EQ(wrong, 1);
    EXPECT_GE(untyped, 1);
}

TEST_F(StandViewTest, ThePointerCaretStandsUnderTheNextCharacter)
{
    Enter(desk_mode::kLesson, kind::kLesson);
    EXPECT_EQ(view.Settings().caretStyle, CaretStyle::Pointer);
    Show(u"fff jjj fjf jfj");
    Type(u"fff j");
    const QRect caret = view.CaretRect();
    ASSERT_FALSE(caret.isEmpty());
    const StandCaret c = view.Layout().CaretAt(0, 5);
    EXPECT_EQ(caret.top(), c.y + c.height); // below the character
    EXPECT_NEAR(caret.center().x(), c.x + c.charWidth / 2, 2);
    // The pointer is red (the skin's picture or the drawn triangle).
    EXPECT_GT(CountNear(Picture(), caret, QColor(0xE5, 0x48, 0x4D), 60), 8);
}

TEST_F(StandViewTest, TheBarCaretOfFreeTypingFollowsTheTextEnd)
{
    Enter(desk_mode::kTest, kind::kFreeTyping);
    EXPECT_EQ(view.Settings().caretStyle, CaretStyle::Bar);
    std::u16string buffer(200, u'\0');
    view.SetText(buffer.data(), 0, nullptr, 0);
    const std::u16string text = u"free words";
    std::copy(text.begin(), text.end(), buffer.begin());
    view.SetSampleLength(uint32_t(text.size()));
    view.SetCaretPosition(uint32_t(text.size()) - 1);
    const QImage img = Picture();
    const QRect caret = view.CaretRect();
    ASSERT_FALSE(caret.isEmpty());
    // After the last character, in the text colour; the text itself is black (not grey).
    const StandCaret c = view.Layout().CaretAt(0, uint32_t(text.size()));
    EXPECT_EQ(caret.left(), c.x - 1);
    EXPECT_GT(CountNear(img, caret, kBlack, 40), caret.height());
    // Nothing counts as typed against a sample: all of it in the text colour.
    for (const StandDrawItem& item : Items()) {
        EXPECT_EQ(item.state, StandCharState::Untyped);
        if (item.kind == StandItemKind::Text) {
            EXPECT_GT(CountNear(img, ItemRect(item), kBlack, 40), 10);
        }
    }
}

TEST_F(StandViewTest, TwoRowModeDrawsTheTypedRowUnderTheSampleAndFreeTypingNever)
{
    Enter(desk_mode::kTest, kind::kTest, true);
    EXPECT_FALSE(view.Settings().overlay);
    Show(u"abc def ghi");
    Type(u"abX");
    const QImage img = Picture();
    const int lh = view.Layout().LineHeight();
    const int top = view.Layout().TextArea().top;
    // The sample row stays black; the typed row under it has grey and a red X.
    const QRect sampleRow(0, top, 476, lh);
    const QRect typedRow(0, top + lh + 2, 476, lh);
    EXPECT_EQ(CountNear(img, sampleRow, kRed, 40), 0);
    EXPECT_GT(CountNear(img, typedRow, kRed, 40), 20);
    EXPECT_GT(CountNear(img, typedRow, kGrey, 30), 20);

    Enter(desk_mode::kTest, kind::kFreeTyping, true);
    EXPECT_TRUE(view.Settings().overlay);
}

TEST_F(StandViewTest, AnOriginalCopyTestShowsNothingBeyondWhatWasTyped)
{
    Enter(desk_mode::kTest, kind::kOriginalCopyTest);
    Show(u"hidden sample text");
    QImage img = Picture();
    // Only the bar caret is drawn.
    EXPECT_EQ(CountNear(img, QRect(0, 0, 476, 238), kBlack, 120),
              CountNear(img, view.CaretRect(), kBlack, 120));
    Type(u"hid");
    img = Picture();
    const std::vector<StandDrawItem> items = Items();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_GT(CountNear(img, ItemRect(items[0]), kGrey, 30), 10);
    // Nothing right of the typed part (the caret is a thin bar just after it).
    const QRect rest(items[0].x + items[0].width + 3, 0, 476, 238);
    EXPECT_EQ(CountNear(img, rest, kBlack, 120), 0);
}

TEST_F(StandViewTest, LabelsAndEnterMarksOfALesson)
{
    Enter(desk_mode::kLesson, kind::kLesson);
    Show(u"ab cd\r");
    bool space = false, enter = false;
    const QImage img = Picture();
    for (const StandDrawItem& item : Items()) {
        if (item.kind == StandItemKind::SpaceBox)
            space = CountNear(img, ItemRect(item), kWhite, 10) < item.width * item.height;
        if (item.kind == StandItemKind::EnterMark)
            enter = CountNear(img, ItemRect(item), kWhite, 10) < item.width * item.height;
    }
    EXPECT_TRUE(space);
    EXPECT_TRUE(enter);
}

// A text of several pages.
std::u16string ManyLines(int lines)
{
    std::u16string text;
    for (int i = 0; i < lines; ++i)
        text += u"asdf jkl; ";
    return text;
}

TEST_F(StandViewTest, ReachingThePageEndTurnsWithTheChosenEffect)
{
    uint32_t now = 1000;
    SetTickSourceForTesting([&] { return now; });
    Enter(desk_mode::kTest, kind::kTest);
    Show(ManyLines(60));
    view.SetPageTurnAnimation(true);
    view.SetPageTurnEffect(PageTurnEffect::Wipe);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    ASSERT_GT(view.PageCount(), 2u);
    const QImage oldPage = Picture();

    int started = 0, finished = 0;
    QObject::connect(&view, &CStandView::pageTurnStarted, [&] { ++started; });
    QObject::connect(&view, &CStandView::pageTurnFinished, [&] { ++finished; });
    view.SetCaretPosition(view.PageStart(1));
    EXPECT_TRUE(view.IsTurningPage());
    EXPECT_EQ(view.CurrentPage(), 1u);
    EXPECT_EQ(started, 1);

    // Half-way: the new page on the left, the old one on the right.
    now += 476 / 2 / 5 * 2;
    QTest::qWait(30);
    const QImage middle = Picture();
    view.SetPageTurnAnimation(false);
    CStandView still;
    still.resize(476, 238);
    still.SetPageTurnAnimation(false);
    StandViewOptions o;
    StandViewContext c;
    c.deskMode = desk_mode::kTest;
    c.kind = kind::kTest;
    still.ApplyOptions(o, c);
    still.SetText(m_sample.data(), uint32_t(m_sample.size()), m_typed.data(),
                  uint32_t(m_sample.size()));
    still.TurnToPage(1);
    QImage newPage = still.grab().toImage().convertToFormat(QImage::Format_RGB32);
    {
        // The resting view has its caret at the page start; a turning page has none.
        QPainter p(&newPage);
        p.fillRect(still.CaretRect(), Qt::white);
    }
    const int split = 476 / 2 / 5 * 5;
    EXPECT_EQ(middle.copy(0, 0, split - 10, 238), newPage.copy(0, 0, split - 10, 238));
    EXPECT_EQ(middle.copy(split + 10, 0, 476 - split - 10, 238),
              oldPage.copy(split + 10, 0, 476 - split - 10, 238));
    EXPECT_NE(oldPage, newPage);

    now += 1000;
    QTest::qWait(30);
    EXPECT_FALSE(view.IsTurningPage());
    EXPECT_EQ(finished, 1);
}

TEST_F(StandViewTest, KeystrokesTypedDuringPageTurnsAreJudgedInOrder)
{
    // The desk's round with the real engine: every key goes through the view's queue; the
    // sink judges it and moves the caret, which turns the page at its end. Fifty keys a
    // second arrive while pages turn (each turn takes about 40 ms here).
    CParadigmPump pump;
    const std::u16string text = ManyLines(40);
    view.resize(476, 100); // one line a page: a turn every twenty keys
    pump.InstallText(text, kind::kTest, -1);
    view.SetPageTurnAnimation(true);
    view.SetPageTurnEffect(PageTurnEffect::PushUp);
    Enter(desk_mode::kTest, kind::kTest);
    view.SetText(pump.Sample().data(), pump.Length(), pump.Typed().data(), pump.Length());
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    int turns = 0;
    QObject::connect(&view, &CStandView::pageTurnStarted, [&] { ++turns; });
    view.SetKeystrokeSink([&](const TypedKeystroke& k) {
        EXPECT_FALSE(view.IsTurningPage()); // never judged against a page not yet shown
        char16_t expected = 0;
        uint32_t position = 0;
        bool error = false;
        pump.JudgeKey(k.code, expected, position, error);
        view.SetCaretPosition(position);
    });
    // Type the text with a few deliberate errors: every fifth key of a word is an 'x'.
    std::u16string keys;
    const size_t count = 3 * view.PageStart(1) + 7;
    ASSERT_LT(count, 100u);
    for (size_t i = 0; i < count; ++i)
        keys.push_back(i % 17 == 5 ? u'x' : text[i]);
    for (char16_t k : keys) {
        view.SubmitKeystroke({k});
        QTest::qWait(20);
    }
    QTRY_COMPARE_WITH_TIMEOUT(view.WaitingKeystrokes(), size_t(0), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!view.IsTurningPage(), 2000);
    EXPECT_GE(turns, 3);
    EXPECT_EQ(pump.Position(), keys.size());
    EXPECT_EQ(std::u16string(pump.Typed()), keys);
    EXPECT_EQ(view.CurrentPage(), view.PageOf(pump.Position()));
}

TEST_F(StandViewTest, LessonMarginsFollowTheViewWidth)
{
    view.show();
    Enter(desk_mode::kLesson, kind::kLesson);
    EXPECT_EQ(view.Settings().marginLeft, LessonSideMargin(1, 476));
    view.resize(600, 238);
    EXPECT_EQ(view.Settings().marginLeft, LessonSideMargin(1, 600));
    EXPECT_EQ(view.Layout().TextArea().width, 600 - 2 * LessonSideMargin(1, 600));
}

} // namespace
} // namespace kf
