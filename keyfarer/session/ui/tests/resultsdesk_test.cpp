// The road of a lesson through the real desk, offscreen on a copy of the staged installation:
// a lesson typed to its end opens the result sheet with the grade's comment and choice, the
// saved result reads back from the user's file with every field the desk fills, the choice is
// followed, and a review of the slowest keys runs in review mode.
#include "session/ui/typingdeskwnd.h"

#include "platform/clock.h"
#include "session/exercisekind.h"
#include "session/paradigmpump.h"
#include "session/ui/dlgresult.h"
#include "session/ui/dlgreview.h"
#include "session/ui/localdeskenvironment.h"
#include "session/ui/resultsheet.h"
#include "session/ui/resultsheetflow.h"
#include "session/ui/standview.h"
#include "session/ui/timerwnd.h"
#include "skin/ui/kfradiobutton.h"
#include "testsupport/tempdir.h"
#include "users/ui/dlgkeydelay.h"
#include "users/userdata.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace kf {
namespace {

std::string FormatUtf8(const char* format, int a, int b, int c)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, format, a, b, c);
    return buf;
}

constexpr char16_t kFirstLesson[] = u"#32 and #37: middle fingers";

// The output of "kftool user dump" for a user file.
std::string DumpUserFile(const std::string& path)
{
    const std::string command = std::string("'") + KF_KFTOOL + "' user dump '" + path + "' 2>&1";
    std::string out;
    FILE* p = ::popen(command.c_str(), "r");
    if (!p)
        return out;
    char buf[4096];
    size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    ::pclose(p);
    return out;
}

// What the result sheet showed when it opened.
struct SheetSeen
{
    int opened = 0;
    std::u16string comment;
    int preselected = -1;
    int pages = 0;
};

class ResultsDeskTest : public ::testing::Test
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
        o.SetLastLesson(kFirstLesson);
        o.SetPracticeType(0);
        o.SetTrainGenerateSize(0); // 128 characters a phase
        o.SetTrainTime(30);
        o.SetSinglePass(60);
        o.SetSingleFullmark(180);
        o.SetPassAccuracy(85);
        o.SetErrorFactor(5);
        o.SetAllowErrorKey(1);
        // A user logged in with a file of his own.
        CUserProfile profile = o;
        profile.SetAccountName(u"ann");
        profile.SetFullName(u"Ann");
        ASSERT_TRUE(m_env->Supplier().CreateUserFile(u"ann", profile));
        uint32_t error = 0;
        ASSERT_EQ(m_env->Supplier().OpenUserFile(UserFile(), u"ann", o, error),
                  CPump_TypingData::kOpenOk);

        SetResultSheetHookForTesting([this](CResultSheet& sheet) {
            ++m_seen.opened;
            m_seen.comment = sheet.ResultPage()->Grade().commentKey;
            m_seen.preselected = sheet.ResultPage()->ChosenRecommendation();
            m_seen.pages = sheet.PageCount();
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
        SetReviewSheetHookForTesting({});
        SetTickSourceForTesting({});
    }

    std::u16string UserFile() { return m_env->Supplier().Store().UserFilePath(u"ann"); }
    CParadigmPump& Pump() { return m_env->Pump(); }

    // Types the lesson to its end: Enter for every phase notice, each character gapMs after
    // the one before, a wrong character instead of every errorEvery-th one (0: none).
    void TypeToTheEnd(uint32_t gapMs, int errorEvery)
    {
        const int mode = m_desk->Mode();
        for (int i = 0; i < 20000 && m_desk->Mode() == mode && m_seen.opened == 0; ++i) {
            if (m_desk->AwaitedKey() != 0) {
                m_desk->OnTypedKey(13);
                continue;
            }
            char16_t expected = 0;
            if (!Pump().ExpectedCharacter(expected))
                break;
            m_now += gapMs;
            const bool wrong = errorEvery > 0 && i % errorEvery == errorEvery - 1;
            m_desk->OnTypedKey(wrong ? (expected == u'q' ? u'z' : u'q') : expected);
        }
    }

    std::vector<CResultRecord> StoredResults()
    {
        CUserData file;
        EXPECT_TRUE(file.Open(UserFile(), true));
        std::vector<CResultRecord> out;
        file.ScanForward([&](ByteSpan bytes, int64_t) {
            out.emplace_back();
            out.back().Assign(bytes);
            return true;
        });
        return out;
    }

    test::TempDir m_dir;
    uint32_t m_now = 7000000;
    std::unique_ptr<LocalDeskEnvironment> m_env;
    std::unique_ptr<CTypingDeskWnd> m_desk;
    SheetSeen m_seen;
};

TEST_F(ResultsDeskTest, FaultlessFastLessonRecommendsTheNextLessonAndIsSaved)
{
    ASSERT_TRUE(m_desk->StartLesson(false));
    const uint32_t length = Pump().Length();
    const LocalDateTime before = LocalNow();
    TypeToTheEnd(200, 0); // 300 characters a minute, no error

    ASSERT_EQ(m_seen.opened, 1);
    EXPECT_EQ(m_seen.comment, u"IDS_RESULT_C_32");
    EXPECT_EQ(m_seen.preselected, 2);
    EXPECT_EQ(m_seen.pages, 2); // with the key-delay page

    // The next lesson follows.
    EXPECT_EQ(m_desk->LastRecommendation(), 2);
    EXPECT_EQ(m_desk->Mode(), 2);
    EXPECT_NE(m_env->UserOptions().LastLesson(), kFirstLesson);
    EXPECT_EQ(m_env->UserOptions().AlwaysRecommendAction(), 1);

    const std::vector<CResultRecord> stored = StoredResults();
    ASSERT_EQ(stored.size(), 1u);
    const CResultRecord& r = stored[0];
    EXPECT_EQ(r.StartTime().year, before.year);
    EXPECT_EQ(r.StartTime().day, before.day);
    // length - 1 gaps of 200 ms after the first key: rounded to whole seconds.
    const uint32_t ms = (length - 1) * 200;
    EXPECT_EQ(r.TypingTime(), RoundExerciseTime(ms));
    EXPECT_EQ(r.TypingTime() % 1000, 0u);
    EXPECT_EQ(r.DeskMode(), 2);
    EXPECT_EQ(r.EndReason(), 5);
    EXPECT_EQ(r.ExerciseKind(), kind::kLesson);
    EXPECT_EQ(r.CourseName(), u"Touch Typing: English (US)");
    EXPECT_EQ(r.LessonName(), kFirstLesson);
    EXPECT_EQ(r.CharsTyped(), length);
    EXPECT_EQ(r.CharsCorrect(), length);
    EXPECT_EQ(m_env->UserOptions().OtherTypingTime(), r.TypingTime());

    // The same fields as the command-line tool shows them.
    const std::string dump = DumpUserFile(m_dir.Native("Data/Account/ann.dat"));
    const std::string date =
        FormatUtf8("%04d-%02d-%02d", r.StartTime().year, r.StartTime().month, r.StartTime().day);
    for (const std::string& part :
         {std::string("records: 1 (1 live)"), "  StartTime: " + date,
          "  TypingTime: " + std::to_string(r.TypingTime()), std::string("  DeskMode: 2"),
          std::string("  EndReason: 5"), std::string("  ExerciseKind: 10"),
          std::string("  CourseName: Touch Typing: English (US)"),
          std::string("  LessonName: #32 and #37: middle fingers"),
          "  CharsTyped: " + std::to_string(length), "  CharsCorrect: " + std::to_string(length)})
        EXPECT_NE(dump.find(part), std::string::npos) << part << "\n" << dump;
}

TEST_F(ResultsDeskTest, SlowCarelessLessonIsTriedOnceAgain)
{
    ASSERT_TRUE(m_desk->StartLesson(false));
    TypeToTheEnd(1500, 4); // 40 characters a minute, every fourth wrong

    ASSERT_EQ(m_seen.opened, 1);
    EXPECT_EQ(m_seen.comment, u"IDS_RESULT_C_00");
    EXPECT_EQ(m_seen.preselected, 0);
    // The same lesson again, from its start.
    EXPECT_EQ(m_desk->Mode(), 2);
    EXPECT_EQ(m_env->UserOptions().LastLesson(), kFirstLesson);
    EXPECT_EQ(Pump().Position(), 0u);
    const std::vector<CResultRecord> stored = StoredResults();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_LT(stored[0].CharsCorrect(), stored[0].CharsTyped());
}

TEST_F(ResultsDeskTest, ReviewOfTheSlowestKeysRunsInReviewMode)
{
    // A lesson typed with two slow keys.
    ASSERT_TRUE(m_desk->StartLesson(false));
    const int mode = m_desk->Mode();
    for (int i = 0; i < 20000 && m_desk->Mode() == mode && m_seen.opened == 0; ++i) {
        if (m_desk->AwaitedKey() != 0) {
            m_desk->OnTypedKey(13);
            continue;
        }
        char16_t expected = 0;
        if (!Pump().ExpectedCharacter(expected))
            break;
        m_now += expected == u'd' || expected == u'k' ? 1500 : 250;
        m_desk->OnTypedKey(expected);
    }
    ASSERT_EQ(m_seen.opened, 1);
    m_desk->RunCommand(desk_cmd::kBack);
    ASSERT_EQ(m_desk->Mode(), 1);

    std::u16string chosen;
    SetReviewSheetHookForTesting([&](CDlgReview& sheet) {
        chosen = sheet.KeyDelayPage()->Model().DifficultCharacters();
        QTimer::singleShot(0, &sheet, [&sheet] { sheet.accept(); });
    });
    ASSERT_TRUE(m_desk->IconEnabled(desk_cmd::kReview));
    ASSERT_TRUE(m_desk->RunCommand(desk_cmd::kReview));
    std::sort(chosen.begin(), chosen.end());
    EXPECT_EQ(chosen, u"dk");
    EXPECT_EQ(m_desk->Mode(), 4);
    EXPECT_EQ(m_desk->Caption(), m_env->Text(u"IDS_REVIEW_CAPTION"));
    EXPECT_EQ(Pump().Kind(), kind::kReview);
    EXPECT_EQ(std::u16string(Pump().Sample()).find_first_not_of(u"dk "), std::u16string::npos);
    EXPECT_EQ(m_desk->Clock()->Clock().LimitSeconds(),
              (m_env->UserOptions().ReviewDuration() ? m_env->UserOptions().ReviewDuration() : 3) *
                  60u);

    // What the user sees: the review's text on the desk.
    const QByteArray shots = qgetenv("KF_SCREENSHOT_DIR");
    const QString dir = shots.isEmpty() ? QStringLiteral(KF_BINARY_DIR "/screenshots/results")
                                        : QString::fromLocal8Bit(shots);
    QDir().mkpath(dir);
    EXPECT_TRUE(m_desk->grab().save(dir + "/desk_review.png"));

    // Typing the review and stopping it ends in the result sheet; it is stored as a review.
    m_seen = {};
    for (int i = 0; i < 30; ++i) {
        char16_t expected = 0;
        ASSERT_TRUE(Pump().ExpectedCharacter(expected));
        m_now += 300;
        m_desk->OnTypedKey(expected);
    }
    m_env->Answers().push_back(6); // yes, stop
    m_desk->RunCommand(desk_cmd::kStop);
    ASSERT_EQ(m_seen.opened, 1);
    const std::vector<CResultRecord> stored = StoredResults();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].DeskMode(), 4);
    EXPECT_EQ(stored[1].ExerciseKind(), kind::kReview);
    EXPECT_EQ(stored[1].EndReason(), 7);
}

} // namespace
} // namespace kf
