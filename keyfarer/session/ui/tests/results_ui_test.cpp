// The result sheet, the key-delay page and the review sheet on the real look, string table
// and data supplier of a staged installation, driven as a user drives them.

#include "session/ui/dlgresult.h"
#include "session/ui/dlgreview.h"
#include "session/ui/localdeskenvironment.h"
#include "session/ui/resultsheetgauge.h"
#include "session/ui/resultsheet.h"
#include "session/ui/resultsheetflow.h"
#include "users/ui/dlgkeydelay.h"
#include "users/ui/dlgkeydelaychart.h"

#include "platform/path.h"
#include "session/exercisekind.h"
#include "skin/ui/anibutton.h"
#include "skin/ui/flatedit.h"
#include "skin/ui/kfcheckbox.h"
#include "skin/ui/kfcombox.h"
#include "skin/ui/kfradiobutton.h"
#include "skin/ui/skinpixmaps.h"
#include "testsupport/tempdir.h"
#include "users/userdata.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

namespace kf {
namespace {

// The folder screenshots go to: KF_SCREENSHOT_DIR when set, else the build folder's
// "screenshots/results".
QString ScreenshotDir()
{
    const QByteArray env = qgetenv("KF_SCREENSHOT_DIR");
    const QString dir = env.isEmpty() ? QStringLiteral(KF_BINARY_DIR "/screenshots/results")
                                      : QString::fromLocal8Bit(env);
    QDir().mkpath(dir);
    return dir;
}

class ResultsUiTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::CopyStagedTree(KF_STAGE_DIR, m_dir.path()));
        m_env = std::make_unique<LocalDeskEnvironment>(m_dir.Folder());
        ASSERT_TRUE(m_env->Ready());
        CUserProfile& options = m_env->UserOptions();
        options.SetSinglePass(60);
        options.SetSingleFullmark(180);
        options.SetPassAccuracy(85);
        options.SetErrorFactor(5);
        options.SetSpeedUnitWpm(0);
        // A logged-in user with a file of his own.
        CUserProfile profile = options;
        profile.SetAccountName(u"ann");
        profile.SetFullName(u"Ann");
        ASSERT_TRUE(m_env->Supplier().CreateUserFile(u"ann", profile));
        uint32_t error = 0;
        ASSERT_EQ(m_env->Supplier().OpenUserFile(m_env->Supplier().Store().UserFilePath(u"ann"),
                                                 u"ann", options, error),
                  CPump_TypingData::kOpenOk);
    }

    static CResultRecord Result(int kind, uint32_t total, uint32_t correct, uint32_t ms,
                                int abortType)
    {
        CResultRecord r;
        LocalDateTime start;
        start.year = 2024;
        start.month = 3;
        start.day = 12;
        start.hour = 9;
        start.minute = 41;
        r.SetStartTime(start);
        r.SetExerciseKind(static_cast<uint8_t>(kind));
        r.SetCourseName(u"English\\Touch typing.kbt");
        r.SetLessonName(u"Home row");
        r.SetEndReason(static_cast<uint8_t>(abortType));
        r.SetTypingTime(ms);
        r.SetCharsTyped(total);
        r.SetCharsCorrect(correct);
        return r;
    }

    // 31 characters; the first ones slow, a tab, a space and a line break among them.
    static KeyDelayBlock SlowKeys()
    {
        std::vector<KeyDelayItem> items;
        const std::u16string chars = u"qzx\tp ;\rmwbvyuiotrenlk'hgjfdsac";
        for (size_t i = 0; i < chars.size(); ++i)
            items.push_back({chars[i], static_cast<uint16_t>(1900 - 45 * i)});
        return KeyDelayBlock::FromItems(items);
    }

    // The slowest keys of a lesson as a user types it: a few very slow, most near the pass
    // speed, some quick.
    static KeyDelayBlock TypicalKeys()
    {
        std::vector<KeyDelayItem> items;
        const std::u16string chars = u"qz;x\rpb vwy,mkgtuhcoirnflesdaj";
        double d = 1500;
        for (char16_t c : chars) {
            items.push_back({c, static_cast<uint16_t>(333 + d)});
            d *= 0.86;
        }
        return KeyDelayBlock::FromItems(items);
    }

    QString Text(std::u16string_view key) { return ToQString(m_env->Text(key)); }

    test::TempDir m_dir;
    std::unique_ptr<LocalDeskEnvironment> m_env;
};

TEST_F(ResultsUiTest, ResultPageGradesAndRecommends)
{
    struct Case
    {
        const char* name;
        int mode, kind;
        uint32_t total, correct, ms;
        bool nextLesson;
        std::u16string comment;
        int preselected; // recommendation of the checked choice
        bool nextLessonShown, nextLessonEnabled;
        int sound; // sound table entry played on opening
    };
    const Case cases[] = {
        // 300 characters a minute, 98 percent: full mark, good accuracy.
        {"fast, a few errors", 2, kind::kLesson, 300, 294, 60000, true, u"IDS_RESULT_C_31", 0, true,
         true, 3},
        // Without an error the next lesson is recommended.
        {"fast, no error", 2, kind::kLesson, 300, 300, 60000, true, u"IDS_RESULT_C_32", 2, true,
         true, 3},
        // No next lesson: once again, and the choice is greyed out.
        {"last lesson", 2, kind::kLesson, 300, 300, 60000, false, u"IDS_RESULT_C_32", 0, true,
         false, 3},
        // Slow and careless.
        {"slow", 2, kind::kLesson, 50, 30, 60000, true, u"IDS_RESULT_C_00", 0, true, true, 1},
        // A test: back to the desk, no next lesson at all.
        {"test", 3, kind::kTest, 150, 142, 60000, false, u"IDS_RESULT_C_21", 3, false, false, 2},
        // Free typing counts as faultless.
        {"free typing", 3, kind::kFreeTyping, 100, 100, 60000, false, u"IDS_RESULT_C_12", 3, false,
         false, 2},
    };
    m_env->MutablePrivileges().Set(*CPrivileges::FindBit("AlwaysSaveTests"), false);
    for (const Case& c : cases) {
        ResultPageInput in =
            ResultPageInput::From(Result(c.kind, c.total, c.correct, c.ms, 5), c.mode,
                                  m_env->UserOptions(), m_env->Privileges());
        in.nextLessonExists = c.nextLesson;
        CDlgResult page(&m_env->Look(), m_env->Texts(), in);
        std::vector<int> sounds;
        page.SetSoundPlayer([&](int i) { sounds.push_back(i); });
        page.show();
        page.hide();
        page.show(); // the sound plays once
        EXPECT_EQ(page.Grade().commentKey, c.comment) << c.name;
        EXPECT_EQ(page.CommentLabel()->text(), Text(c.comment)) << c.name;
        EXPECT_EQ(page.AbortLabel()->text(), Text(u"IDS_RESULT_ABORTTYPE_FINISH")) << c.name;
        EXPECT_EQ(page.ChosenRecommendation(), c.preselected) << c.name;
        EXPECT_EQ(!page.NextLessonButton()->isHidden(), c.nextLessonShown) << c.name;
        EXPECT_EQ(page.NextLessonButton()->isEnabled(), c.nextLessonEnabled) << c.name;
        EXPECT_EQ(sounds, std::vector<int>{c.sound}) << c.name;
        EXPECT_TRUE(page.SaveRequested()) << c.name;
        page.SaveBox()->click();
        EXPECT_FALSE(page.SaveRequested()) << c.name;
    }
}

TEST_F(ResultsUiTest, ResultPageFigures)
{
    // 300 keystrokes, 294 correct in 62 seconds, error factor 5: 30 weighted errors, net 270.
    ResultPageInput in = ResultPageInput::From(Result(kind::kLesson, 300, 294, 62000, 2), 2,
                                               m_env->UserOptions(), m_env->Privileges());
    CDlgResult page(&m_env->Look(), m_env->Texts(), in);
    EXPECT_EQ(page.NetSpeedValue()->text(), QStringLiteral("261 CPM")); // 270 * 60 / 62 = 261.3
    EXPECT_EQ(page.GoalValue()->text(), QStringLiteral("180 CPM"));
    EXPECT_EQ(page.AccuracyValue()->text(), QStringLiteral("90.0%"));
    EXPECT_EQ(page.TotalHitsValue()->text(), QStringLiteral("300 ( 290 CPM )"));
    EXPECT_EQ(page.ErrorsValue()->text(), QStringLiteral("30 (6 × 5)"));
    EXPECT_EQ(page.TimeValue()->text(), QStringLiteral("1 min 2 s"));
    EXPECT_EQ(page.AbortLabel()->text(), Text(u"IDS_RESULT_ABORTTYPE_TRAINABORT"));
    // Past the target the gauge is full; the pass speed lies at a third of the way.
    EXPECT_DOUBLE_EQ(page.SpeedGauge()->Fill(), 1.0);
    EXPECT_DOUBLE_EQ(page.SpeedGauge()->PassPlace(), 60.0 / 180.0);

    // Words per minute divide the speeds by five; 99.96 percent is shown as 99.9, not 100.
    m_env->UserOptions().SetSpeedUnitWpm(1);
    m_env->UserOptions().SetErrorFactor(1);
    ResultPageInput wpm = ResultPageInput::From(Result(kind::kTest, 2500, 2499, 600000, 1), 3,
                                                m_env->UserOptions(), m_env->Privileges());
    CDlgResult words(&m_env->Look(), m_env->Texts(), wpm);
    EXPECT_EQ(words.NetSpeedValue()->text(), QStringLiteral("49 WPM")); // 2499 / 10 / 5
    EXPECT_EQ(words.GoalValue()->text(), QStringLiteral("36 WPM"));
    EXPECT_EQ(words.AccuracyValue()->text(), QStringLiteral("99.9%"));
    EXPECT_EQ(words.ErrorsValue()->text(), QStringLiteral("1 (1 × 1)"));

    // Half the target speed fills half the gauge.
    m_env->UserOptions().SetSpeedUnitWpm(0);
    ResultPageInput half = ResultPageInput::From(Result(kind::kLesson, 90, 90, 60000, 5), 2,
                                                 m_env->UserOptions(), m_env->Privileges());
    CDlgResult halfPage(&m_env->Look(), m_env->Texts(), half);
    EXPECT_DOUBLE_EQ(halfPage.SpeedGauge()->Fill(), 0.5);
    EXPECT_EQ(words.TimeValue()->text(), QStringLiteral("10 min"));
    EXPECT_EQ(words.AbortLabel()->text(), Text(u"IDS_RESULT_ABORTTYPE_TIMEOUT"));
}

TEST_F(ResultsUiTest, TestsAreAlwaysSavedWhenThePrivilegesSaySo)
{
    CPrivileges& privileges = m_env->MutablePrivileges();
    privileges.Set(*CPrivileges::FindBit("AlwaysSaveTests"), true);
    ResultPageInput test = ResultPageInput::From(Result(kind::kTest, 100, 90, 60000, 5), 3,
                                                 m_env->UserOptions(), privileges);
    CDlgResult page(&m_env->Look(), m_env->Texts(), test);
    EXPECT_TRUE(page.SaveBox()->isHidden());
    EXPECT_TRUE(page.SaveRequested());

    // Lessons keep the box.
    ResultPageInput lesson = ResultPageInput::From(Result(kind::kLesson, 100, 90, 60000, 5), 2,
                                                   m_env->UserOptions(), privileges);
    CDlgResult lessonPage(&m_env->Look(), m_env->Texts(), lesson);
    EXPECT_FALSE(lessonPage.SaveBox()->isHidden());

    // Without the lesson-choice privilege there is no next lesson.
    privileges.Set(*CPrivileges::FindBit("ChooseLesson"), false);
    ResultPageInput locked = ResultPageInput::From(Result(kind::kLesson, 300, 300, 60000, 5), 2,
                                                   m_env->UserOptions(), privileges);
    locked.nextLessonExists = true;
    CDlgResult lockedPage(&m_env->Look(), m_env->Texts(), locked);
    EXPECT_FALSE(lockedPage.NextLessonButton()->isEnabled());
    EXPECT_EQ(lockedPage.ChosenRecommendation(), 0);
}

KeyDelayPageInput ChartInput(const KeyDelayBlock& block, bool review)
{
    KeyDelayPageInput in;
    in.keyDelays = block;
    LocalDateTime start;
    start.year = 2024;
    start.month = 3;
    start.day = 12;
    start.hour = 9;
    start.minute = 41;
    in.result.SetStartTime(start);
    in.singlePass = 60;
    in.singleFullmark = 180;
    in.tabString = u"TAB";
    in.spaceString = u"SP";
    in.reviewMode = review;
    in.views = {{0, "Default view"}, {1, "Standard view"}, {5, "Balloons"}};
    in.reviewViewId = 5;
    return in;
}

TEST_F(ResultsUiTest, KeyDelayPageShowsTheSlowestKeysPageByPage)
{
    CDlgKeyDelay page(&m_env->Look(), m_env->Texts(), ChartInput(SlowKeys(), false));
    std::vector<int> sounds;
    page.SetSoundPlayer([&](int i) { sounds.push_back(i); });
    page.resize(620, 420);
    page.show();
    QApplication::processEvents();

    EXPECT_EQ(page.Title(), Text(u"IDS_WT_KEYDELAY"));
    EXPECT_EQ(page.DifficultKeysButton(), nullptr); // the chart alone in the result sheet
    EXPECT_TRUE(page.DateLabel()->text().startsWith(Text(u"IDS_CT_KEYDELAY_DATE")));
    EXPECT_TRUE(page.DateLabel()->text().contains(QStringLiteral("2024")));
    ASSERT_EQ(page.Model().PageCount(), 2u); // 31 characters, all slower than the full mark
    EXPECT_FALSE(page.PreviousButton()->isEnabled());
    EXPECT_TRUE(page.NextButton()->isEnabled());

    // The chart draws each bar of the page in dark red where the layout puts it.
    const QImage chart = page.Chart()->Render();
    const KeyDelayChart layout = page.Model().Layout(chart.width(), chart.height());
    ASSERT_EQ(layout.bars.size(), 24u);
    for (const KeyDelayBar& bar : layout.bars) {
        const QPoint inside((bar.left + bar.right) / 2, bar.bottom - 2);
        EXPECT_EQ(chart.pixel(inside), CDlgKeyDelayChart::kBarColor) << char(bar.entry.ch);
        EXPECT_EQ(chart.pixel(bar.left - 2, bar.bottom - 2), 0xFFFFFFFFu)
            << "gap before " << char(bar.entry.ch);
    }
    // The tab's label is framed in red under its bar.
    const KeyDelayBar& tab = layout.bars[3];
    ASSERT_EQ(tab.entry.ch, u'\t');
    bool red = false;
    for (int x = tab.left; x < tab.right; ++x)
        red = red || chart.pixel(x, tab.bottom + 1) == CDlgKeyDelayChart::kMarkColor;
    EXPECT_TRUE(red);

    page.NextButton()->click();
    EXPECT_EQ(page.Model().CurrentPage(), 1u);
    EXPECT_TRUE(page.PreviousButton()->isEnabled());
    EXPECT_FALSE(page.NextButton()->isEnabled());
    page.NextButton()->click(); // disabled: nothing happens
    page.PreviousButton()->click();
    EXPECT_EQ(page.Model().CurrentPage(), 0u);
    EXPECT_EQ(sounds,
              (std::vector<int>{CDlgKeyDelay::kPageTurnSound, CDlgKeyDelay::kPageTurnSound}));
}

TEST_F(ResultsUiTest, KeyDelayPageWithoutSlowKeys)
{
    // Everything typed at the full-mark pace: no bars, no pages, no date, no difficult keys.
    CDlgKeyDelay page(&m_env->Look(), m_env->Texts(),
                      ChartInput(KeyDelayBlock::FromItems({{u'a', 300}, {u'b', 200}}), true));
    EXPECT_EQ(page.Model().PageCount(), 0u);
    EXPECT_TRUE(page.DateLabel()->text().isEmpty());
    EXPECT_FALSE(page.PreviousButton()->isEnabled());
    EXPECT_FALSE(page.NextButton()->isEnabled());
    EXPECT_FALSE(page.DifficultKeysButton()->isEnabled());
    EXPECT_TRUE(page.ChosenCharactersButton()->isChecked());
    EXPECT_TRUE(page.ChosenCharactersEdit()->isEnabled());
}

TEST_F(ResultsUiTest, ReviewChoiceOnTheKeyDelayPage)
{
    CDlgKeyDelay page(&m_env->Look(), m_env->Texts(), ChartInput(SlowKeys(), true));
    std::vector<std::u16string> shown;
    page.SetMessageShower([&](std::u16string_view key, unsigned style) {
        shown.emplace_back(key);
        EXPECT_EQ(style, CDlgKeyDelay::kStopIcon);
    });
    EXPECT_TRUE(page.DifficultKeysButton()->isChecked());
    EXPECT_FALSE(page.ChosenCharactersEdit()->isEnabled());
    EXPECT_EQ(page.ViewList()->count(), 3);
    EXPECT_EQ(page.ViewList()->currentText(), QStringLiteral("Balloons"));

    // The difficult keys: the characters above the pass pace, slowest first.
    ASSERT_TRUE(page.OnKillActive());
    page.OnOK();
    EXPECT_EQ(page.Selection().characters, u"qzx\tp ;\rmwbvyuiotren");
    EXPECT_FALSE(page.Selection().useChosenCharacters);
    EXPECT_EQ(page.ChosenViewId(), 5);

    // Characters of one's own: an empty field keeps the page with its message.
    page.ChosenCharactersButton()->click();
    EXPECT_TRUE(page.ChosenCharactersEdit()->isEnabled());
    EXPECT_FALSE(page.OnKillActive());
    EXPECT_EQ(shown, std::vector<std::u16string>{u"IDS_ERR_REVIEW_NOCHOOSECHAR"});
    page.ChosenCharactersEdit()->setText(QStringLiteral("jkj;"));
    page.ViewList()->setCurrentIndex(1);
    ASSERT_TRUE(page.OnKillActive());
    page.OnOK();
    EXPECT_EQ(page.Selection().characters, u"jk;");
    EXPECT_TRUE(page.Selection().useChosenCharacters);
    EXPECT_EQ(page.ChosenViewId(), 1);
}

// Closes the modal sheet the flow opens once it runs: accept, then (should a page refuse to
// be left) reject, so the test never hangs.
template <typename Sheet> void CloseWhenShown(Sheet& sheet, bool accept)
{
    QTimer::singleShot(0, &sheet, [&sheet, accept] {
        if (accept)
            sheet.accept();
        if (sheet.isVisible())
            sheet.reject();
    });
}

TEST_F(ResultsUiTest, ClosingTheSheetSavesAndRecommends)
{
    m_env->CurrentResult() = Result(kind::kLesson, 300, 300, 60000, 5);
    ResultFlowInput in;
    in.mode = 2;
    in.nextLessonExists = true;
    in.keyDelays = SlowKeys();
    in.activePage = 1;
    int pages = 0;
    int active = -1;
    bool hasSaveText = true;
    const ResultFlowOutcome out = RunResultSheet(*m_env, nullptr, in, [&](CResultSheet& sheet) {
        pages = sheet.PageCount();
        active = sheet.ActiveIndex();
        hasSaveText = sheet.Button(CResultSheet::kIdSaveText) != nullptr;
        CloseWhenShown(sheet, true);
    });
    EXPECT_EQ(pages, 2);
    EXPECT_EQ(active, 1); // the page left open last time
    EXPECT_FALSE(hasSaveText);
    EXPECT_EQ(out.recommendation, 2); // faultless: next lesson
    EXPECT_EQ(out.activePage, 1);
    EXPECT_TRUE(out.saveAsked);
    EXPECT_EQ(out.save.status, SaveOutcome::Status::Saved);
    EXPECT_EQ(m_env->UserOptions().AlwaysRecommendAction(), 1);
    EXPECT_EQ(m_env->UserOptions().OtherTypingTime(), 60000u);
    EXPECT_TRUE(m_env->Messages().empty());

    // What the next program reads: the record with its mode and the slowest keys.
    m_env->Supplier().Store().CloseUserFile();
    CUserData file;
    ASSERT_TRUE(file.Open(m_env->Supplier().Store().UserFilePath(u"ann"), true));
    ASSERT_EQ(file.Count(), 1u);
    CResultRecord back;
    ASSERT_TRUE(file.Last());
    ASSERT_TRUE(file.Read({back.data(), back.size()}));
    EXPECT_EQ(back.DeskMode(), 2);
    EXPECT_EQ(back.CharsTyped(), 300u);
    KeyDelayBlock kept;
    ASSERT_TRUE(kept.Assign(file.Profile().KeyDelayTable()));
    EXPECT_EQ(kept, SlowKeys());
}

TEST_F(ResultsUiTest, UncheckedSaveBoxStoresNothing)
{
    m_env->CurrentResult() = Result(kind::kLesson, 120, 100, 60000, 2);
    ResultFlowInput in;
    in.keyDelays = SlowKeys();
    const ResultFlowOutcome out = RunResultSheet(*m_env, nullptr, in, [&](CResultSheet& sheet) {
        sheet.ResultPage()->SaveBox()->click();
        sheet.ResultPage()->BackToDeskButton()->click();
        CloseWhenShown(sheet, false); // the caption's close box counts the same
    });
    EXPECT_FALSE(out.saveAsked);
    EXPECT_EQ(out.recommendation, 3);
    EXPECT_EQ(m_env->Supplier().Store().UserFile().Count(), 0u);
    EXPECT_EQ(m_env->UserOptions().OtherTypingTime(), 0u);
}

TEST_F(ResultsUiTest, DeniedWriteIsToldAndLosesNothing)
{
    const std::u16string path = m_env->Supplier().Store().UserFilePath(u"ann");
    m_env->Supplier().Store().CloseUserFile();
    ASSERT_TRUE(m_env->Supplier().Store().UserFile().Open(path, true));
    m_env->CurrentResult() = Result(kind::kLesson, 300, 290, 60000, 5);
    const CResultRecord before = m_env->CurrentResult();
    ResultFlowInput in;
    in.keyDelays = SlowKeys();
    const ResultFlowOutcome out = RunResultSheet(
        *m_env, nullptr, in, [&](CResultSheet& sheet) { CloseWhenShown(sheet, true); });
    EXPECT_EQ(out.save.status, SaveOutcome::Status::ResultFailed);
    ASSERT_EQ(m_env->Messages().size(), 1u);
    EXPECT_EQ(m_env->Messages()[0].key, u"IDS_ERR_WRITEACTION_DENIED");
    // The result is still in memory: the user can go on (and save a later one).
    EXPECT_EQ(m_env->CurrentResult(), before);
    EXPECT_EQ(m_env->UserOptions().OtherTypingTime(), 0u);
}

TEST_F(ResultsUiTest, FreeTypingSavesItsText)
{
    CParadigmPump& pump = m_env->Pump();
    pump.PrepareFreeTyping(100);
    for (char16_t c : std::u16string(u"Hi there\r")) {
        char16_t expected = 0;
        uint32_t position = 0;
        bool error = false;
        pump.JudgeKey(c, expected, position, error);
    }
    m_env->CurrentResult() = Result(kind::kFreeTyping, 9, 9, 30000, 3);

    ResultSheetInput in;
    in.page =
        ResultPageInput::From(m_env->CurrentResult(), 3, m_env->UserOptions(), m_env->Privileges());
    in.freeTyping = true;
    CResultSheet sheet(*m_env, in);
    EXPECT_EQ(sheet.PageCount(), 1); // no key-delay page for free typing
    ASSERT_NE(sheet.Button(CResultSheet::kIdSaveText), nullptr);
    EXPECT_EQ(sheet.Button(CResultSheet::kIdSaveText)->text(), Text(u"IDS_CT_RESULT_SAVETEXT"));

    QString filter;
    const QString target = QString::fromStdString(m_dir.Native("mytext"));
    sheet.SetFileNameAsker([&](QWidget*, const QString& f) {
        filter = f;
        return target;
    });
    sheet.Button(CResultSheet::kIdSaveText)->click();
    EXPECT_EQ(filter, QStringLiteral("Text files (*.txt)"));
    EXPECT_EQ(m_dir.Read("mytext.txt"), test::Utf16Bytes(u"Hi there\r\n", true));

    // A folder that cannot be written: the user is told, nothing else changes.
    sheet.SetFileNameAsker([&](QWidget*, const QString&) {
        return QString::fromStdString(m_dir.Native("missing/folder/x.txt"));
    });
    EXPECT_FALSE(sheet.SaveTypedText());
    ASSERT_EQ(m_env->Messages().size(), 1u);
    EXPECT_EQ(m_env->Messages()[0].key, u"IDS_ERR_SAVETYPEDTEXT");

    // Cancelling the dialog writes nothing and says nothing.
    sheet.SetFileNameAsker([](QWidget*, const QString&) { return QString(); });
    EXPECT_FALSE(sheet.SaveTypedText());
    EXPECT_EQ(m_env->Messages().size(), 1u);
}

TEST_F(ResultsUiTest, ReviewOfTheLastSavedResult)
{
    // A saved lesson whose slowest keys the profile kept.
    m_env->CurrentResult() = Result(kind::kLesson, 300, 290, 60000, 5);
    ResultFlowInput saved;
    saved.keyDelays =
        KeyDelayBlock::FromItems({{u'j', 1800}, {u'k', 1500}, {u'e', 1300}, {u'a', 300}});
    RunResultSheet(*m_env, nullptr, saved,
                   [&](CResultSheet& sheet) { CloseWhenShown(sheet, true); });
    ASSERT_EQ(m_env->Supplier().Store().UserFile().Count(), 1u);

    ReviewStart start;
    int difficult = 0;
    ASSERT_TRUE(
        RunReviewSheet(*m_env, nullptr, {{0, "Default view"}}, start, [&](CDlgReview& sheet) {
            difficult = int(sheet.KeyDelayPage()->Model().DifficultCount());
            EXPECT_EQ(sheet.Button(kIdOk)->text(), Text(u"IDS_CT_STARTREVIEW"));
            EXPECT_EQ(sheet.Button(kIdCancel)->text(), Text(u"IDS_CT_CLOSE"));
            CloseWhenShown(sheet, true);
        }));
    EXPECT_EQ(difficult, 3);
    EXPECT_EQ(start.plan.characters, u"jke");
    EXPECT_EQ(start.reviewed.LessonName(), u"Home row");
    EXPECT_EQ(m_env->Pump().Kind(), kind::kReview);
    const std::u16string text(m_env->Pump().Sample());
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.find_first_not_of(u"jke "), std::u16string::npos);

    // Closing the sheet starts nothing.
    m_env->Pump().InstallText(u"kept", kind::kLesson, 0);
    EXPECT_FALSE(RunReviewSheet(*m_env, nullptr, {}, start,
                                [&](CDlgReview& sheet) { CloseWhenShown(sheet, false); }));
    EXPECT_EQ(m_env->Pump().Sample(), u"kept");
}

TEST_F(ResultsUiTest, ReviewWithoutAnyResultOffersOwnCharacters)
{
    ReviewStart start;
    bool forced = false;
    ASSERT_TRUE(RunReviewSheet(*m_env, nullptr, {}, start, [&](CDlgReview& sheet) {
        CDlgKeyDelay* page = sheet.KeyDelayPage();
        forced = page->ChosenCharactersButton()->isChecked() &&
                 !page->DifficultKeysButton()->isEnabled();
        page->ChosenCharactersEdit()->setText(QStringLiteral("xq"));
        CloseWhenShown(sheet, true);
    }));
    EXPECT_TRUE(forced);
    EXPECT_TRUE(m_env->Messages().empty());
    EXPECT_EQ(std::u16string(m_env->Pump().Sample()).find_first_not_of(u"xq "),
              std::u16string::npos);
}

TEST_F(ResultsUiTest, Screenshots)
{
    const QString dir = ScreenshotDir();
    m_env->UserOptions().SetTabString(u"TAB");
    m_env->UserOptions().SetSpaceString(u"SP");

    ResultSheetInput in;
    in.page = ResultPageInput::From(Result(kind::kLesson, 300, 294, 62000, 5), 2,
                                    m_env->UserOptions(), m_env->Privileges());
    in.page.nextLessonExists = true;
    in.keyDelays = TypicalKeys();
    CResultSheet sheet(*m_env, in);
    sheet.show();
    QApplication::processEvents();
    EXPECT_TRUE(sheet.grab().save(dir + "/result_page.png"));
    sheet.SetActivePage(1);
    QApplication::processEvents();
    EXPECT_TRUE(sheet.grab().save(dir + "/result_keydelay.png"));

    CDlgReview review(*m_env, in.page.result, TypicalKeys(),
                      {{0, "Default view"}, {1, "Standard view"}});
    review.show();
    QApplication::processEvents();
    EXPECT_TRUE(review.grab().save(dir + "/review_sheet.png"));
}

} // namespace
} // namespace kf
