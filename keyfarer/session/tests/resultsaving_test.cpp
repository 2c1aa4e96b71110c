#include "session/resultsaving.h"

#include "platform/lasterror.h"
#include "session/exercisekind.h"
#include "testsupport/tempdir.h"
#include "users/pump_typingdata.h"
#include "users/userdata.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

struct Shown
{
    std::u16string key;
    uint32_t code;
};

class CapturingSink : public SupplierMessageSink
{
public:
    std::vector<Shown> shown;
    void ShowSupplierError(std::u16string_view key, std::u16string_view, uint32_t code) override
    {
        shown.push_back({std::u16string(key), code});
    }
};

// The real supplier, with a profile save that can be made to fail the way a full disk fails.
class SupplierStore : public PumpResultStore
{
public:
    explicit SupplierStore(CPump_TypingData& pump) : PumpResultStore(pump) {}
    bool SaveProfile(const CUserProfile& profile) override
    {
        if (!failProfile)
            return PumpResultStore::SaveProfile(profile);
        SetLastError(err::DiskFull);
        return false;
    }
    void SetErrorKey(std::u16string_view key) override
    {
        keys.emplace_back(key);
        PumpResultStore::SetErrorKey(key);
    }
    std::vector<std::u16string> keys;
    bool failProfile = false;
};

class ResultSavingTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_dir.Write("Account/.keep", "");
        m_pump.SetDataFolder(m_dir.Folder());
        m_pump.SetMessageSink(&m_sink);
        CUserProfile profile;
        profile.SetAccountName(u"ann");
        profile.SetFullName(u"Ann");
        profile.SetTestTypingTime(10000);
        profile.SetOtherTypingTime(20000);
        ASSERT_TRUE(m_pump.CreateUserFile(u"ann", profile));
        Login();
    }
    // The login: the account's file open for writing, its profile in memory.
    void Login()
    {
        uint32_t error = 0;
        ASSERT_EQ(m_pump.OpenUserFile(m_path, u"ann", m_profile, error), CPump_TypingData::kOpenOk);
    }
    // Closes the supplier's file and reads it back as a new program would.
    std::vector<CResultRecord> StoredRecords(CUserProfile* profile = nullptr)
    {
        m_pump.Store().CloseUserFile();
        CUserData file;
        EXPECT_TRUE(file.Open(m_path, true));
        if (profile)
            *profile = file.Profile();
        std::vector<CResultRecord> out;
        file.ScanForward([&](ByteSpan bytes, int64_t) {
            out.emplace_back();
            out.back().Assign(bytes);
            return true;
        });
        return out;
    }

    // A lesson record as the desk prepares it at the start and completes it at the end.
    static CResultRecord LessonRecord()
    {
        CResultRecord r;
        LocalDateTime start;
        start.year = 2024;
        start.month = 3;
        start.dayOfWeek = 2;
        start.day = 12;
        start.hour = 9;
        start.minute = 41;
        start.second = 7;
        start.milliseconds = 250;
        r.SetStartTime(start);
        r.SetExerciseKind(kind::kLesson);
        r.SetCourseName(u"English\\Touch typing.kbt");
        r.SetLessonIndex(4);
        r.SetLessonName(u"Lesson 5: E and I");
        r.SetDisplaySize(2);
        CompleteResultRecord(r, {abort_type::kFinished, 61501, 300, 294, false});
        return r;
    }

    static KeyDelayBlock Delays() { return KeyDelayBlock::FromItems({{u'e', 900}, {u'i', 640}}); }

    test::TempDir m_dir;
    CapturingSink m_sink;
    CPump_TypingData m_pump;
    SupplierStore m_store{m_pump};
    std::u16string m_path = m_dir.File("Account/ann.dat");
    CUserProfile m_profile;
};

TEST(ResultTime, RoundedToWholeSeconds)
{
    const std::pair<uint32_t, uint32_t> cases[] = {
        {0, 0},       {499, 0},     {500, 0},       {501, 1000},    {1000, 1000},
        {1500, 1000}, {1501, 2000}, {59999, 60000}, {61501, 62000}, {4294967295u, 4294967000u}};
    for (const auto& [ms, rounded] : cases)
        EXPECT_EQ(RoundExerciseTime(ms), rounded) << ms;
}

TEST(ResultTime, FreeTypingCountsEveryCharacterCorrect)
{
    CResultRecord r;
    CompleteResultRecord(r, {abort_type::kTimeOut, 120400, 512, 0, true});
    EXPECT_EQ(r.EndReason(), abort_type::kTimeOut);
    EXPECT_EQ(r.TypingTime(), 120000u);
    EXPECT_EQ(r.CharsTyped(), 512u);
    EXPECT_EQ(r.CharsCorrect(), 512u);
}

TEST_F(ResultSavingTest, SavedRecordReadsBackWithEveryField)
{
    CResultRecord record = LessonRecord();
    const SaveOutcome out =
        SaveExerciseResult(m_store, m_profile, record, Delays(), desk_mode::kLesson);
    EXPECT_EQ(out.status, SaveOutcome::Status::Saved);
    EXPECT_EQ(m_store.keys,
              (std::vector<std::u16string>{u"IDS_ERR_SAVEACTION", u"IDS_ERR_SAVEACTION"}));
    EXPECT_TRUE(m_sink.shown.empty());

    CUserProfile stored;
    const std::vector<CResultRecord> records = StoredRecords(&stored);
    ASSERT_EQ(records.size(), 1u);
    const CResultRecord& back = records[0];
    EXPECT_EQ(back.StartTime().year, 2024);
    EXPECT_EQ(back.StartTime().month, 3);
    EXPECT_EQ(back.StartTime().day, 12);
    EXPECT_EQ(back.StartTime().hour, 9);
    EXPECT_EQ(back.StartTime().minute, 41);
    EXPECT_EQ(back.StartTime().second, 7);
    EXPECT_EQ(back.TypingTime(), 62000u);
    EXPECT_EQ(back.DeskMode(), desk_mode::kLesson);
    EXPECT_EQ(back.EndReason(), abort_type::kFinished);
    EXPECT_EQ(back.ExerciseKind(), kind::kLesson);
    EXPECT_EQ(back.CourseName(), u"English\\Touch typing.kbt");
    EXPECT_EQ(back.LessonIndex(), 4);
    EXPECT_EQ(back.LessonName(), u"Lesson 5: E and I");
    EXPECT_EQ(back.DisplaySize(), 2);
    EXPECT_EQ(back.CharsTyped(), 300u);
    EXPECT_EQ(back.CharsCorrect(), 294u);

    // The profile on disk holds the new practice time and the list for the review.
    EXPECT_EQ(stored.OtherTypingTime(), 20000u + 62000u);
    EXPECT_EQ(stored.TestTypingTime(), 10000u);
    KeyDelayBlock kept;
    ASSERT_TRUE(kept.Assign(stored.KeyDelayTable()));
    EXPECT_EQ(kept, Delays());
    EXPECT_EQ(stored, m_profile);
}

TEST_F(ResultSavingTest, TimeGoesToTheTotalOfItsMode)
{
    struct Case
    {
        int mode;
        uint32_t test, other;
    };
    const Case cases[] = {{desk_mode::kTest, 10000 + 62000, 20000},
                          {desk_mode::kReview, 10000, 20000 + 62000},
                          {desk_mode::kGame, 10000, 20000 + 62000},
                          {desk_mode::kSlideShow, 10000, 20000 + 62000}};
    for (const Case& c : cases) {
        CUserProfile profile = m_profile;
        CResultRecord record = LessonRecord();
        ASSERT_EQ(SaveExerciseResult(m_store, profile, record, Delays(), c.mode).status,
                  SaveOutcome::Status::Saved);
        EXPECT_EQ(record.DeskMode(), c.mode);
        EXPECT_EQ(profile.TestTypingTime(), c.test) << c.mode;
        EXPECT_EQ(profile.OtherTypingTime(), c.other) << c.mode;
    }
    const std::vector<CResultRecord> records = StoredRecords();
    ASSERT_EQ(records.size(), std::size(cases));
    for (size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(records[i].DeskMode(), cases[i].mode);
}

TEST_F(ResultSavingTest, DeniedWriteAsksNothingAndChangesNothing)
{
    // An account file that may only be read (as a store on a read-only medium is).
    m_pump.Store().CloseUserFile();
    ASSERT_TRUE(m_pump.Store().UserFile().Open(m_path, true));
    CUserProfile profile = m_profile;
    CResultRecord record = LessonRecord();
    const CResultRecord before = record;
    const SaveOutcome out =
        SaveExerciseResult(m_store, profile, record, Delays(), desk_mode::kLesson);
    EXPECT_EQ(out.status, SaveOutcome::Status::ResultFailed);
    EXPECT_FALSE(out.ResultStored());
    EXPECT_TRUE(out.denied);
    EXPECT_FALSE(out.reported);
    EXPECT_TRUE(m_store.keys.empty());
    EXPECT_TRUE(m_sink.shown.empty());
    EXPECT_EQ(profile, m_profile);
    EXPECT_EQ(record, before);
    EXPECT_TRUE(StoredRecords().empty());
}

TEST_F(ResultSavingTest, FailedAppendIsReportedByTheSupplierAndChangesNothing)
{
    m_pump.Store().CloseUserFile(); // the file went away (a logged-out store)
    CUserProfile profile = m_profile;
    CResultRecord record = LessonRecord();
    const SaveOutcome out =
        SaveExerciseResult(m_store, profile, record, Delays(), desk_mode::kLesson);
    EXPECT_EQ(out.status, SaveOutcome::Status::ResultFailed);
    EXPECT_TRUE(out.reported);
    ASSERT_EQ(m_sink.shown.size(), 1u);
    EXPECT_EQ(m_sink.shown[0].key, u"IDS_ERR_SAVEACTION");
    EXPECT_EQ(profile, m_profile);
}

TEST_F(ResultSavingTest, FailedProfileKeepsTheResultAndTheNewTotalsInMemory)
{
    m_store.failProfile = true;
    CResultRecord record = LessonRecord();
    const SaveOutcome out =
        SaveExerciseResult(m_store, m_profile, record, Delays(), desk_mode::kLesson);
    EXPECT_EQ(out.status, SaveOutcome::Status::ProfileFailed);
    EXPECT_TRUE(out.ResultStored());
    EXPECT_FALSE(out.denied);
    EXPECT_EQ(out.error, err::DiskFull);
    EXPECT_EQ(m_profile.OtherTypingTime(), 20000u + 62000u);

    // The next profile save carries the totals to the file.
    m_store.failProfile = false;
    m_store.SetErrorKey(u"IDS_ERR_SAVEUSERCONFIG");
    ASSERT_TRUE(m_store.SaveProfile(m_profile));
    CUserProfile stored;
    EXPECT_EQ(StoredRecords(&stored).size(), 1u);
    EXPECT_EQ(stored.OtherTypingTime(), 20000u + 62000u);
}

TEST_F(ResultSavingTest, NothingTypedSavesNothing)
{
    CResultRecord record = LessonRecord();
    record.SetCharsTyped(0);
    CUserProfile profile = m_profile;
    EXPECT_EQ(SaveExerciseResult(m_store, profile, record, Delays(), desk_mode::kLesson).status,
              SaveOutcome::Status::NothingToSave);
    EXPECT_EQ(profile, m_profile);
    EXPECT_TRUE(m_store.keys.empty());
    EXPECT_TRUE(StoredRecords().empty());
}

TEST_F(ResultSavingTest, TotalsStopAtTheLargestValue)
{
    m_profile.SetTestTypingTime(4294967295u - 1000);
    CResultRecord record = LessonRecord();
    ASSERT_TRUE(
        SaveExerciseResult(m_store, m_profile, record, Delays(), desk_mode::kTest).ResultStored());
    EXPECT_EQ(m_profile.TestTypingTime(), 4294967295u);
}

} // namespace
} // namespace kf
