#include "session/resultsaving.h"

#include "platform/lasterror.h"
#include "session/exercisekind.h"
#include "testsupport/tempdir.h"
#include "users/userdata.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

// The user data file as the supplier's local store writes it.
class FileStore : public ResultStore
{
public:
    bool Open(std::u16string_view path, bool readOnly)
    {
        return m_file.Open(path, readOnly ? CMiniDatabase::OpenMode::ReadOnly
                                          : CMiniDatabase::OpenMode::Write);
    }
    void SetErrorKey(std::u16string_view key) override { keys.emplace_back(key); }
    bool SaveProfile(const CUserProfile& profile) override
    {
        if (failProfile) {
            SetLastError(err::DiskFull);
            return false;
        }
        m_file.SetProfile(profile);
        return m_file.WriteHeader();
    }
    bool AppendResult(const CResultRecord& record, const KeyDelayBlock&) override
    {
        return m_file.Append(record.bytes());
    }
    void Close() { m_file.Close(); }

    std::vector<std::u16string> keys;
    bool failProfile = false;

private:
    CUserData m_file;
};

class ResultSavingTest : public testing::Test
{
protected:
    void SetUp() override
    {
        CUserProfile profile;
        profile.SetAccountName(u"ann");
        profile.SetTestTypingTime(10000);
        profile.SetOtherTypingTime(20000);
        CUserData file;
        file.SetProfile(profile);
        ASSERT_TRUE(file.Create(m_path));
        ASSERT_TRUE(file.Close());
        m_profile = profile;
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
    std::u16string m_path = m_dir.File("ann.dat");
    CUserProfile m_profile;
};

TEST(ResultTime, RoundedToWholeSeconds)
{
    const std::pair<uint32_t, uint32_t> cases[] = {{0, 0},         {499, 0},       {500, 0},
                                                   {501, 1000},    {1000, 1000},   {1500, 1000},
                                                   {1501, 2000},   {59999, 60000}, {61501, 62000},
                                                   {4294967295u, 4294967000u}};
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
    FileStore store;
    ASSERT_TRUE(store.Open(m_path, false));
    CResultRecord record = LessonRecord();
    const SaveOutcome out = SaveExerciseResult(store, m_profile, record, Delays(), desk_mode::kLesson);
    EXPECT_EQ(out.status, SaveOutcome::Status::Saved);
    EXPECT_EQ(store.keys, (std::vector<std::u16string>{u"IDS_ERR_SAVEACTION", u"IDS_ERR_SAVEACTION"}));
    store.Close();

    CUserData file;
    ASSERT_TRUE(file.Open(m_path, true));
    ASSERT_EQ(file.Count(), 1u);
    CResultRecord back;
    ASSERT_TRUE(file.Last());
    ASSERT_TRUE(file.Read({back.data(), back.size()}));
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
    const CUserProfile stored = file.Profile();
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
        FileStore store;
        ASSERT_TRUE(store.Open(m_path, false));
        CUserProfile profile = m_profile;
        CResultRecord record = LessonRecord();
        ASSERT_EQ(SaveExerciseResult(store, profile, record, Delays(), c.mode).status,
                  SaveOutcome::Status::Saved);
        EXPECT_EQ(record.DeskMode(), c.mode);
        EXPECT_EQ(profile.TestTypingTime(), c.test) << c.mode;
        EXPECT_EQ(profile.OtherTypingTime(), c.other) << c.mode;
    }
}

TEST_F(ResultSavingTest, DeniedWriteChangesNothing)
{
    FileStore store;
    ASSERT_TRUE(store.Open(m_path, true)); // the file may not be written
    CUserProfile profile = m_profile;
    CResultRecord record = LessonRecord();
    const CResultRecord before = record;
    const SaveOutcome out = SaveExerciseResult(store, profile, record, Delays(), desk_mode::kLesson);
    EXPECT_EQ(out.status, SaveOutcome::Status::ResultFailed);
    EXPECT_FALSE(out.ResultStored());
    EXPECT_TRUE(out.denied);
    EXPECT_EQ(profile, m_profile);
    EXPECT_EQ(record, before);
    store.Close();

    CUserData file;
    ASSERT_TRUE(file.Open(m_path, true));
    EXPECT_EQ(file.Count(), 0u);
}

TEST_F(ResultSavingTest, FailedProfileKeepsTheResultAndTheNewTotalsInMemory)
{
    FileStore store;
    ASSERT_TRUE(store.Open(m_path, false));
    store.failProfile = true;
    CResultRecord record = LessonRecord();
    const SaveOutcome out = SaveExerciseResult(store, m_profile, record, Delays(), desk_mode::kLesson);
    EXPECT_EQ(out.status, SaveOutcome::Status::ProfileFailed);
    EXPECT_TRUE(out.ResultStored());
    EXPECT_FALSE(out.denied);
    EXPECT_EQ(out.error, err::DiskFull);
    EXPECT_EQ(m_profile.OtherTypingTime(), 20000u + 62000u);

    // The next profile save carries the totals to the file.
    store.failProfile = false;
    ASSERT_TRUE(store.SaveProfile(m_profile));
    store.Close();
    CUserData file;
    ASSERT_TRUE(file.Open(m_path, true));
    EXPECT_EQ(file.Count(), 1u);
    EXPECT_EQ(file.Profile().OtherTypingTime(), 20000u + 62000u);
}

TEST_F(ResultSavingTest, NothingTypedSavesNothing)
{
    FileStore store;
    ASSERT_TRUE(store.Open(m_path, false));
    CResultRecord record = LessonRecord();
    record.SetCharsTyped(0);
    CUserProfile profile = m_profile;
    EXPECT_EQ(SaveExerciseResult(store, profile, record, Delays(), desk_mode::kLesson).status,
              SaveOutcome::Status::NothingToSave);
    EXPECT_EQ(profile, m_profile);
    EXPECT_TRUE(store.keys.empty());
}

TEST_F(ResultSavingTest, TotalsStopAtTheLargestValue)
{
    FileStore store;
    ASSERT_TRUE(store.Open(m_path, false));
    m_profile.SetTestTypingTime(4294967295u - 1000);
    CResultRecord record = LessonRecord();
    ASSERT_TRUE(SaveExerciseResult(store, m_profile, record, Delays(), desk_mode::kTest).ResultStored());
    EXPECT_EQ(m_profile.TestTypingTime(), 4294967295u);
}

} // namespace
} // namespace kf
