// The typing desk driven offscreen on a copy of the staged installation: a lesson of the
// shipped English course (phase notice, marks on the keyboard, judged characters in their
// colours, panel figures, page and phase turns), a test in two-row mode, free typing, aborting
// and time-outs, and a lesson on a Dvorak keyboard.
#include "session/ui/typingdeskwnd.h"

#include "content/privileges.h"
#include "games/backgndmusic.h"
#include "games/musicbackend.h"
#include "keyboard/ui/handsview.h"
#include "keyboard/ui/typingkeyboard.h"
#include "platform/clock.h"
#include "session/paradigmpump.h"
#include "session/ui/localdeskenvironment.h"
#include "session/ui/noticewnd.h"
#include "session/ui/resultsheet.h"
#include "session/ui/resultsheetflow.h"
#include "skin/ui/kfcheckbox.h"
#include "skin/ui/kfradiobutton.h"
#include "session/ui/standview.h"
#include "session/ui/timerwnd.h"
#include "session/ui/typinginfownd.h"
#include "session/ui/viewwnd.h"
#include "testsupport/tempdir.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace kf {
namespace {

constexpr char16_t kMiddleFingers[] = u"#32 and #37: middle fingers";
constexpr char16_t kRightHandCapitals[] = u"Left Shift: capitals for the right hand";

class TypingDeskTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::CopyStagedTree(KF_STAGE_DIR, m_dir.path()));
        SetTickSourceForTesting([this] { return m_now; });
        m_env = std::make_unique<LocalDeskEnvironment>(m_dir.Folder());
        ASSERT_TRUE(m_env->Ready());
        ASSERT_TRUE(m_env->LoadKeyboardLayout(u"US"));
        CUserProfile& o = m_env->UserOptions();
        o.SetKeyboardLayoutFile(u"US");
        o.SetLastCourse(u"Touch Typing: English (US)");
        o.SetLastLesson(kMiddleFingers);
        o.SetLastTestCategory(u"Everyday Prose");
        o.SetLastTestText(u"The Corner Bakery");
        o.SetPracticeType(0);
        // The result sheet an exercise ends in is answered as a user in a hurry answers it:
        // not saved, back to the desk.
        SetResultSheetHookForTesting([](CResultSheet& sheet) {
            sheet.ResultPage()->SaveBox()->setChecked(false);
            sheet.ResultPage()->BackToDeskButton()->setChecked(true);
            QTimer::singleShot(0, &sheet, [&sheet] { sheet.accept(); });
        });
        m_desk = std::make_unique<CTypingDeskWnd>(*m_env);
        m_desk->StandView()->SetPageTurnAnimation(false);
        m_desk->show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        m_desk.reset();
        SetResultSheetHookForTesting({});
        SetTickSourceForTesting({});
    }

    CParadigmPump& Pump() { return m_env->Pump(); }
    char16_t Expected()
    {
        char16_t ch = 0;
        Pump().ExpectedCharacter(ch);
        return ch;
    }
    // Types the expected character n times, 200 ms apart.
    void TypeCorrectly(int n)
    {
        for (int i = 0; i < n; ++i) {
            m_now += 200;
            m_desk->OnTypedKey(Expected());
        }
    }
    // A wrong character for the expected one.
    char16_t Wrong() { return Expected() == u'q' ? u'z' : u'q'; }
    void Tick(uint32_t ms)
    {
        m_now += ms;
        m_desk->Clock()->TickNow();
    }

    test::TempDir m_dir;
    uint32_t m_now = 5000000;
    std::unique_ptr<LocalDeskEnvironment> m_env;
    std::unique_ptr<CTypingDeskWnd> m_desk;
};

TEST_F(TypingDeskTest, IdleDeskShowsItsIconsAndNoFigures)
{
    EXPECT_EQ(m_desk->Mode(), 1);
    EXPECT_TRUE(m_desk->IconEnabled(desk_cmd::kTrain));
    EXPECT_TRUE(m_desk->IconEnabled(desk_cmd::kExamine));
    // No handler for the statistics yet: its icon is shown disabled.
    EXPECT_FALSE(m_desk->IconEnabled(desk_cmd::kStatistics));
    bool called = false;
    m_desk->SetCommandHandler(desk_cmd::kStatistics, [&] { called = true; });
    EXPECT_TRUE(m_desk->RunCommand(desk_cmd::kStatistics));
    EXPECT_TRUE(called);
    EXPECT_FALSE(m_desk->InfoPanel()->Statistics().has_value());
    // Escape in the idle desk asks whether to quit; yes leaves the program.
    m_env->Answers().push_back(6);
    m_desk->OnTypedKey(27);
    ASSERT_EQ(m_env->Messages().size(), 1u);
    EXPECT_EQ(m_env->Messages()[0].key, u"IDS_MES_ASKQUIT");
    EXPECT_EQ(m_env->ExitRequests(), 1);
}

TEST_F(TypingDeskTest, LessonStartsWithItsNoticeAndMarksTheNextKey)
{
    ASSERT_TRUE(m_desk->StartLesson(false));
    EXPECT_EQ(m_desk->Mode(), 2);
    EXPECT_EQ(m_desk->Phase(), 0);
    EXPECT_EQ(m_desk->AwaitedKey(), 13);
    EXPECT_TRUE(m_desk->Notice()->isVisible());
    EXPECT_FALSE(m_desk->ViewHost()->isVisible());
    // The lesson's prenotice message gives title and description.
    EXPECT_EQ(m_desk->Notice()->Title(), "Middle fingers on D and K");
    EXPECT_EQ(m_desk->Notice()->Footer(),
              QString::fromStdU16String(m_env->Text(u"IDS_PRE_TRAIN_BASIC_F")));
    EXPECT_EQ(m_desk->Caption(), u"D and K: middle fingers");
    // The clock waits for the first key: "Train_Time" minutes, counting down.
    EXPECT_TRUE(m_desk->Clock()->Clock().Paused());
    EXPECT_EQ(m_desk->Clock()->Clock().LimitSeconds(), m_env->UserOptions().TrainTime() * 60u);
    // Other keys do not end the notice; Enter does.
    m_desk->OnTypedKey(u'd');
    EXPECT_EQ(Pump().Position(), 0u);
    EXPECT_TRUE(m_desk->Notice()->isVisible());
    m_desk->OnTypedKey(13);
    EXPECT_EQ(m_desk->AwaitedKey(), 0);
    EXPECT_FALSE(m_desk->Notice()->isVisible());
    EXPECT_TRUE(m_desk->ViewHost()->isVisible());
    const char16_t first = Expected();
    EXPECT_EQ(m_desk->Keyboard()->Model().MarkedCharacters(), std::u16string(1, first));
    EXPECT_TRUE(m_desk->Clock()->Clock().Paused());
}

TEST_F(TypingDeskTest, TypedCharactersAreJudgedColouredAndCounted)
{
    m_env->UserOptions().SetErrorFactor(5);
    ASSERT_TRUE(m_desk->StartLesson(false));
    m_desk->OnTypedKey(13);
    m_env->ClearSounds();
    TypeCorrectly(9);
    const char16_t wrong = Wrong();
    m_now += 200;
    m_desk->OnTypedKey(wrong);
    EXPECT_EQ(Pump().Position(), 10u);
    EXPECT_EQ(Pump().Correct(), 9u);
    // Key sounds: "Strike" for the right keys, "StrikeErr" for the wrong one.
    ASSERT_EQ(m_env->Sounds().size(), 10u);
    EXPECT_EQ(m_env->Sounds()[0], 8);
    EXPECT_EQ(m_env->Sounds()[9], 9);
    // The view shows the states and the caret at the next character.
    const CStandViewLayout& layout = m_desk->StandView()->Layout();
    EXPECT_EQ(layout.StateAt(0), StandCharState::Correct);
    EXPECT_EQ(layout.StateAt(9), StandCharState::Wrong);
    EXPECT_EQ(layout.StateAt(10), StandCharState::Untyped);
    EXPECT_EQ(m_desk->StandView()->CaretPosition(), 10u);
    // The keyboard marks the key after the typed ones.
    EXPECT_EQ(m_desk->Keyboard()->Model().MarkedCharacters(), std::u16string(1, Expected()));
    // The clock started at the first key: 9 gaps of 200 ms counted.
    Tick(200);
    EXPECT_EQ(m_desk->Clock()->Clock().ElapsedMs(), 2000u);
    const std::optional<StatisticsBlock>& block = m_desk->InfoPanel()->Statistics();
    ASSERT_TRUE(block.has_value());
    EXPECT_EQ(block->TotalHits(), 10);
    EXPECT_EQ(block->CorrectHits(), 9);
    EXPECT_EQ(m_desk->InfoPanel()->TotalHitsText(), "10");
    EXPECT_EQ(m_desk->InfoPanel()->ErrorsText(), QString::fromUtf8("5 (1 × 5)"));
    // N = 10 - 5 = 5: accuracy 50 %, gross 10 * 60000 / 2000 = 300 CPM, net 150 CPM.
    EXPECT_EQ(m_desk->InfoPanel()->AccuracyText(), "50.0%");
    EXPECT_EQ(m_desk->InfoPanel()->GrossText(), "300 CPM");
    EXPECT_EQ(m_desk->InfoPanel()->NetText(), "150 CPM");
    EXPECT_EQ(m_desk->InfoPanel()->WinkLevel(), 100);
    // A backspace takes the wrong character back.
    m_desk->OnTypedKey(8);
    EXPECT_EQ(Pump().Position(), 9u);
    EXPECT_EQ(Pump().Correct(), 9u);
    EXPECT_EQ(m_desk->StandView()->Layout().StateAt(9), StandCharState::Untyped);
}

TEST_F(TypingDeskTest, CapitalsMarkTheShiftKeyOfTheOtherHand)
{
    m_env->UserOptions().SetLastLesson(kRightHandCapitals);
    ASSERT_TRUE(m_desk->StartLesson(false));
    m_desk->OnTypedKey(13);
    // Walk to the first capital of the key groups.
    for (int i = 0; i < 400 && !(Expected() >= u'A' && Expected() <= u'Z'); ++i)
        TypeCorrectly(1);
    const char16_t capital = Expected();
    ASSERT_TRUE(capital >= u'A' && capital <= u'Z');
    const CKeyboardModel& model = m_desk->Keyboard()->Model();
    const KeyMatch match = model.FindKeyForChar(capital);
    ASSERT_TRUE(match);
    EXPECT_TRUE(model.IsMarked(KeyRef{false, match.index}));
    // A right-hand key needs the left Shift key.
    const KeyRef leftShift = model.KeyForVirtualKey(160);
    ASSERT_TRUE(leftShift);
    EXPECT_TRUE(model.IsMarked(leftShift));
}

TEST_F(TypingDeskTest, PhaseEndShowsTheNextPhaseNoticeAndItsPage)
{
    ASSERT_TRUE(m_desk->StartLesson(false));
    m_desk->OnTypedKey(13);
    const uint32_t phase0 = Pump().PhaseLength(0);
    ASSERT_GT(phase0, 0u);
    ASSERT_GT(Pump().PhaseLength(3), 0u);
    TypeCorrectly(int(phase0));
    EXPECT_EQ(m_desk->Phase(), 3);
    EXPECT_EQ(m_desk->AwaitedKey(), 13);
    EXPECT_EQ(m_desk->PageStart(), phase0);
    EXPECT_TRUE(m_desk->Clock()->Clock().Paused());
    EXPECT_TRUE(m_desk->Notice()->isVisible());
    // The lesson's prenotice stands for every phase; the footer is the phase's own.
    EXPECT_EQ(m_desk->Notice()->Title(), "Middle fingers on D and K");
    EXPECT_EQ(m_desk->Notice()->Footer(),
              QString::fromStdU16String(m_env->Text(u"IDS_PRE_TRAIN_LOCA_F")));
    m_desk->OnTypedKey(13);
    // The page shows the next phase from its first character.
    EXPECT_EQ(m_desk->StandView()->Layout().SampleLength(), Pump().PhaseLength(3));
    EXPECT_EQ(m_desk->StandView()->Layout().Sample()[0], Expected());
    // No backspacing into the phase before.
    m_desk->OnTypedKey(8);
    EXPECT_EQ(Pump().Position(), phase0);
}

TEST_F(TypingDeskTest, KeysTypedDuringAPageTurnAreJudgedAfterItInOrder)
{
    m_env->UserOptions().SetLastLesson(u"Home row phrases"); // sentences: many pages
    ASSERT_TRUE(m_desk->StartLesson(false));
    m_desk->OnTypedKey(13);
    CStandView* view = m_desk->StandView();
    view->SetPageTurnAnimation(true);
    ASSERT_GT(view->PageCount(), 1u);
    const uint32_t pageEnd = view->PageStart(1);
    TypeCorrectly(int(pageEnd) - 1);
    QApplication::processEvents(); // the page is drawn, as between any two keys
    // The last character of the page starts the turn; the next ones come while it runs.
    const std::u16string sample(Pump().Sample());
    m_desk->OnTypedKey(sample[pageEnd - 1]);
    ASSERT_TRUE(view->IsTurningPage());
    const std::u16string next = sample.substr(pageEnd, 6);
    for (char16_t ch : next)
        m_desk->OnTypedKey(ch);
    EXPECT_EQ(m_desk->PendingKeys(), 6);
    EXPECT_EQ(Pump().Position(), pageEnd);
    for (int i = 0; i < 400 && view->IsTurningPage(); ++i) {
        m_now += 5;
        QTest::qWait(5);
    }
    QApplication::processEvents();
    EXPECT_EQ(view->CurrentPage(), 1u);
    EXPECT_EQ(Pump().Position(), pageEnd + 6);
    EXPECT_EQ(Pump().Correct(), pageEnd + 6);
    EXPECT_EQ(m_desk->PendingKeys(), 0);
}

TEST_F(TypingDeskTest, AbortBeforeTheFirstKeyLeavesNoResult)
{
    ASSERT_TRUE(m_desk->StartLesson(false));
    m_desk->OnTypedKey(13);
    m_env->Answers().push_back(6);
    m_desk->OnTypedKey(27);
    EXPECT_EQ(m_env->Messages().back().key, u"IDS_MES_ASKABORT");
    EXPECT_EQ(m_desk->Mode(), 1);
    EXPECT_EQ(m_desk->LastFinished().abortType, 0);
    EXPECT_EQ(m_env->CurrentResult().EndReason(), 0);
}

TEST_F(TypingDeskTest, AbortAfterTypingCompletesTheResult)
{
    ASSERT_TRUE(m_desk->StartLesson(false));
    m_desk->OnTypedKey(13);
    TypeCorrectly(5);
    m_now += 1600;
    // "No" keeps the exercise going, and the time the question was open does not count.
    m_env->Answers().push_back(7);
    m_desk->OnTypedKey(27);
    EXPECT_EQ(m_desk->Mode(), 2);
    m_env->Answers().push_back(6);
    m_desk->OnTypedKey(27);
    EXPECT_EQ(m_desk->Mode(), 1);
    const CResultRecord& r = m_env->CurrentResult();
    EXPECT_EQ(r.EndReason(), 2);
    EXPECT_EQ(r.CharsTyped(), 5u);
    EXPECT_EQ(r.CharsCorrect(), 5u);
    // 4 gaps of 200 ms and 1600 ms: 2400 ms stored as 2000.
    EXPECT_EQ(r.TypingTime(), 2000u);
    EXPECT_EQ(r.DeskMode(), 2);
    EXPECT_EQ(r.ExerciseKind(), 10);
    EXPECT_EQ(r.LessonName(), kMiddleFingers);
    EXPECT_EQ(m_desk->LastFinished().abortType, 2);
}

TEST_F(TypingDeskTest, TestRunsInTwoRowsAndTimesOut)
{
    m_env->UserOptions().SetDoubleLineView(1);
    m_env->UserOptions().SetTestTime(0);
    ASSERT_TRUE(m_desk->StartTest(false));
    EXPECT_EQ(m_desk->Mode(), 3);
    EXPECT_EQ(m_desk->AwaitedKey(), 0);
    EXPECT_EQ(m_desk->Caption(), u"The Corner Bakery");
    EXPECT_EQ(Pump().Kind(), 30);
    EXPECT_FALSE(m_desk->StandView()->Settings().overlay);
    // "Test_Time" 0 is a 12-minute test.
    EXPECT_EQ(m_desk->Clock()->Clock().LimitSeconds(), 720u);
    // Tests mark no keys.
    EXPECT_TRUE(m_desk->Keyboard()->Model().MarkedCharacters().empty());
    TypeCorrectly(20);
    m_now += 720000;
    m_desk->Clock()->TickNow();
    EXPECT_EQ(m_desk->Mode(), 1);
    const CResultRecord& r = m_env->CurrentResult();
    EXPECT_EQ(r.EndReason(), 1);
    EXPECT_EQ(r.CharsTyped(), 20u);
    EXPECT_EQ(r.TypingTime() % 1000, 0u);
    EXPECT_EQ(r.CourseName(), u"Everyday Prose\\The Corner Bakery");
    EXPECT_EQ(r.DeskMode(), 3);
}

TEST_F(TypingDeskTest, EscapeDoesNothingInATestWithoutAllowAbort)
{
    m_env->UserOptions().SetAllowAbort(0);
    ASSERT_TRUE(m_desk->StartTest(false));
    TypeCorrectly(3);
    m_desk->OnTypedKey(27);
    EXPECT_TRUE(m_env->Messages().empty());
    EXPECT_EQ(m_desk->Mode(), 3);
    EXPECT_EQ(Pump().Position(), 3u);
}

TEST_F(TypingDeskTest, FreeTypingGrowsTheTextAndCountsNoErrors)
{
    ASSERT_TRUE(m_desk->StartFreeTyping());
    EXPECT_EQ(m_desk->Mode(), 3);
    EXPECT_EQ(Pump().Kind(), 99);
    for (char16_t ch : std::u16string(u"Hello world"))
        m_desk->OnTypedKey(ch);
    EXPECT_EQ(Pump().Position(), 11u);
    EXPECT_EQ(m_desk->StandView()->Layout().SampleLength(), 11u);
    // The typed text is shown as plain text, the caret on its last character.
    EXPECT_EQ(m_desk->StandView()->Layout().StateAt(10), StandCharState::Untyped);
    EXPECT_EQ(m_desk->StandView()->CaretPosition(), 10u);
    Tick(1000);
    EXPECT_EQ(m_desk->InfoPanel()->ErrorsText(), QString::fromUtf8("0 (0 × 5)"));
    m_env->Answers().push_back(6);
    m_desk->RunCommand(desk_cmd::kStop);
    EXPECT_EQ(m_env->CurrentResult().CharsCorrect(), 11u);
    EXPECT_EQ(m_env->CurrentResult().CourseName(), m_env->Text(u"IDS_USEDATATYPE_FREETYPE"));
}

TEST_F(TypingDeskTest, RealKeyEventsReachTheJudge)
{
    ASSERT_TRUE(m_desk->StartTest(false));
    const char16_t ch = Expected();
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(ch)));
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(QChar(ch)));
    EXPECT_TRUE(m_desk->HandleKey(&press));
    m_desk->HandleKey(&release);
    EXPECT_EQ(Pump().Position(), 1u);
    EXPECT_EQ(Pump().Correct(), 1u);
    QTest::keyClick(m_desk.get(), Qt::Key_Backspace);
    EXPECT_EQ(Pump().Position(), 0u);
}

TEST_F(TypingDeskTest, LessonOnADvorakKeyboard)
{
    ASSERT_TRUE(m_env->LoadKeyboardLayout(u"Dvorak"));
    m_env->UserOptions().SetKeyboardLayoutFile(u"Dvorak");
    m_desk->KeyboardLayoutChanged();
    ASSERT_TRUE(m_desk->StartLesson(false));
    // "#32 and #37" are the middle fingers' home keys of the Dvorak keyboard.
    const CKeyboardModel& model = m_desk->Keyboard()->Model();
    EXPECT_EQ(model.Name(), u"Dvorak");
    const std::u16string caption = m_desk->Caption();
    EXPECT_EQ(caption.substr(0, 1),
              std::u16string(1, char16_t(std::toupper(model.MainKey(32)->Base()))));
    m_desk->OnTypedKey(13);
    const char16_t first = Expected();
    EXPECT_TRUE(first == model.MainKey(32)->Base() || first == model.MainKey(37)->Base() ||
                first == u' ');
    TypeCorrectly(10);
    EXPECT_EQ(Pump().Correct(), 10u);
}

TEST_F(TypingDeskTest, TwentyFiveKeysASecondAcrossAnimatedPageTurns)
{
    m_env->UserOptions().SetLastLesson(u"Home row phrases");
    ASSERT_TRUE(m_desk->StartLesson(false));
    m_desk->OnTypedKey(13);
    CStandView* view = m_desk->StandView();
    view->SetPageTurnAnimation(true);
    ASSERT_GT(view->PageCount(), 3u);
    const std::u16string sample(Pump().Sample());
    const uint32_t count = view->PageStart(3) + 5;
    // A key every 40 ms, the event loop running in between as it does for a user; some keys
    // arrive while a page turns.
    int turnsSeen = 0;
    for (uint32_t i = 0; i < count; ++i) {
        m_now += 40;
        m_desk->OnTypedKey(sample[i]);
        turnsSeen += view->IsTurningPage() ? 1 : 0;
        QTest::qWait(1);
    }
    for (int i = 0; i < 400 && (view->IsTurningPage() || m_desk->PendingKeys() > 0); ++i) {
        m_now += 5;
        QTest::qWait(2);
    }
    EXPECT_GT(turnsSeen, 0);
    EXPECT_EQ(Pump().Position(), count);
    EXPECT_EQ(Pump().Correct(), count);
    EXPECT_EQ(view->CurrentPage(), 3u);
    EXPECT_EQ(std::u16string(Pump().Typed()), sample.substr(0, count));
}

TEST_F(TypingDeskTest, LeavingTheProgramPausesAndReturningResumes)
{
    ASSERT_TRUE(m_desk->StartLesson(false));
    m_desk->OnTypedKey(13);
    TypeCorrectly(3);
    EXPECT_TRUE(m_desk->Keyboard()->TimersRunning()); // the marks blink in a lesson
    EXPECT_FALSE(m_desk->Clock()->Clock().Paused());
    m_desk->Activate(false);
    EXPECT_TRUE(m_desk->Clock()->Clock().Paused());
    EXPECT_TRUE(m_desk->Dimmed());
    EXPECT_FALSE(m_desk->Keyboard()->TimersRunning());
    const uint32_t before = m_desk->Clock()->Clock().ElapsedMs();
    m_now += 60000; // a minute elsewhere does not count
    m_desk->Activate(true);
    EXPECT_FALSE(m_desk->Dimmed());
    EXPECT_FALSE(m_desk->Clock()->Clock().Paused());
    EXPECT_EQ(m_desk->Clock()->Clock().ElapsedMs(), before);
    EXPECT_TRUE(m_desk->Keyboard()->TimersRunning());
    // A key that arrives while the desk thinks the program is left brings it back.
    m_desk->Activate(false);
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(Expected())));
    m_desk->HandleKey(&press);
    EXPECT_TRUE(m_desk->ProgramActive());
    EXPECT_FALSE(m_desk->Dimmed());
}

TEST_F(TypingDeskTest, NextLessonSoundSwitchAndBack)
{
    ASSERT_TRUE(m_desk->StartLesson(false));
    ASSERT_TRUE(m_desk->RunCommand(desk_cmd::kNextLesson));
    EXPECT_EQ(m_desk->Mode(), 2);
    EXPECT_EQ(m_env->UserOptions().LastLesson(), u"#31 and #38: ring fingers");
    EXPECT_EQ(m_desk->Caption(), u"S and L: ring fingers");
    // The sound switch silences the key sounds.
    ASSERT_TRUE(m_desk->RunCommand(desk_cmd::kSound));
    EXPECT_FALSE(m_desk->SoundSwitchOn());
    EXPECT_FALSE(m_env->SoundOn());
    m_desk->OnTypedKey(13);
    m_env->ClearSounds();
    TypeCorrectly(2);
    EXPECT_TRUE(m_env->Sounds().empty());
    // Back leaves without a result.
    ASSERT_TRUE(m_desk->RunCommand(desk_cmd::kBack));
    EXPECT_EQ(m_desk->Mode(), 1);
    EXPECT_EQ(m_env->CurrentResult().EndReason(), 0);
}

TEST_F(TypingDeskTest, WithoutAKnownLastCourseTheLessonDoesNotStart)
{
    m_env->UserOptions().SetLastCourse(u"Nowhere");
    EXPECT_FALSE(m_desk->StartLesson(false));
    ASSERT_FALSE(m_env->Messages().empty());
    EXPECT_EQ(m_env->Messages().back().key, u"IDS_ERR_NOLASTCOURSE");
    EXPECT_EQ(m_desk->Mode(), 1);
}

// A player that plays nothing, so the desk's music can be followed without sound.
class SilentBackend : public MusicBackend
{
public:
    bool Open() override { return true; }
    bool Play(const std::string&) override { return true; }
    void Stop() override {}
    void Pause() override {}
    void Resume() override {}
    bool Finished() override { return false; }
    void Close() override {}
};

// The player's thread takes its commands a moment later.
bool Eventually(const std::function<bool()>& condition)
{
    for (int i = 0; i < 200 && !condition(); ++i)
        QTest::qWait(5);
    return condition();
}

TEST_F(TypingDeskTest, DeskMusicFollowsTheSoundSwitchAndTheExercise)
{
    CBackgndMusic music([] { return std::make_unique<SilentBackend>(); });
    music.Initialize(m_dir.Folder());
    m_env->SetMusic(&music);
    m_env->UserOptions().SetAllowBackgndMusic(1);
    m_env->UserOptions().SetChoiceLessonAtStartup(0);
    m_desk->StartAfterLogin();
    auto deskPiece = [&] {
        return music.CurrentTrack().find(u"mainbackgnd.mid") != std::u16string::npos;
    };
    EXPECT_TRUE(music.Allowed());
    EXPECT_TRUE(Eventually(deskPiece));
    // The sound switch turns it off and on again.
    m_desk->RunCommand(desk_cmd::kSound);
    EXPECT_FALSE(music.Allowed());
    EXPECT_TRUE(Eventually([&] { return music.CurrentTrack().empty(); }));
    m_desk->RunCommand(desk_cmd::kSound);
    EXPECT_TRUE(Eventually(deskPiece));
    // An exercise that ends stops it; back at the desk it plays again.
    ASSERT_TRUE(m_desk->StartTest(false));
    TypeCorrectly(4);
    m_env->Answers().push_back(6);
    m_desk->OnTypedKey(27);
    EXPECT_EQ(m_desk->Mode(), 1);
    EXPECT_TRUE(Eventually(deskPiece));
    m_env->SetMusic(nullptr);
}

TEST_F(TypingDeskTest, OriginalCopyTestWaitsForAnyKeyAndShowsOnlyWhatIsTyped)
{
    m_env->UserOptions().SetLastTestCategory(u"Copy from Paper");
    m_env->UserOptions().SetLastTestText(u"Business Letter");
    m_env->UserOptions().SetDataGenerateType(2); // an original-copy test is cut from its start
    ASSERT_TRUE(m_desk->StartTest(false));
    EXPECT_EQ(Pump().Kind(), 36);
    EXPECT_EQ(m_desk->AwaitedKey(), -1);
    EXPECT_EQ(m_desk->Notice()->Title(),
              QString::fromStdU16String(m_env->Text(u"IDS_MES_T_PREORIGINALCOPYTEST")));
    EXPECT_TRUE(m_desk->Notice()->Description().contains("Business Letter"));
    EXPECT_TRUE(m_desk->StandView()->Settings().typedPartOnly);
    // Any key ends the notice without being typed.
    m_desk->OnTypedKey(u'x');
    EXPECT_EQ(m_desk->AwaitedKey(), 0);
    EXPECT_EQ(Pump().Position(), 0u);
    const std::u16string sample(Pump().Sample());
    TypeCorrectly(5);
    EXPECT_EQ(std::u16string(Pump().Typed()), sample.substr(0, 5));
}

TEST_F(TypingDeskTest, LessonWithoutTheKeyboardShowsTheFingerOnTheHands)
{
    m_dir.Write("Data/Tutorial/Tests/Tiny.btf",
                "[Header]\r\nTag=KBTRAIN\r\nName=Tiny\r\nLessonCount=1\r\nKeyboardLayoutType=0\r\n"
                "ForHand=0\r\n\r\n[Lesson_0]\r\nName=Home keys blind\r\nKeyIndex=33 36\r\n"
                "PracticePhaseType=1\r\nType=0\r\nShowScreenKb=0\r\nContentSize=0\r\n");
    m_env->UserOptions().SetLastCourse(u"Tiny");
    m_env->UserOptions().SetLastLesson(u"Home keys blind");
    ASSERT_TRUE(m_desk->StartLesson(false));
    EXPECT_FALSE(m_desk->KeyboardShown());
    EXPECT_TRUE(m_desk->Hands()->isVisible());
    EXPECT_FALSE(m_desk->Keyboard()->isVisible());
    m_desk->OnTypedKey(13);
    // F is struck by the left index finger, J by the right one.
    const FingerHint hint = m_desk->Hands()->Hint();
    ASSERT_TRUE(hint.valid);
    EXPECT_EQ(hint.finger, 1);
    EXPECT_EQ(hint.hand, Expected() == u'f' ? 0 : 1);
    // Back at the desk the keyboard returns.
    m_desk->ReturnToIdleDesk();
    EXPECT_TRUE(m_desk->KeyboardShown());
    EXPECT_FALSE(m_desk->Hands()->isVisible());
}

} // namespace
} // namespace kf
