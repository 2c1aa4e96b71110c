#include "session/resultreview.h"

#include "platform/random.h"
#include "session/exercisekind.h"
#include "session/localexercisedata.h"
#include "session/paradigmpump.h"
#include "session/resultsaving.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

using test::Utf16Bytes;

const char16_t kCodeCourse[] =
    u"[Header]\r\nTag=KBTRAIN\r\nName=Code Course\r\nLessonCount=1\r\nTrainType=3\r\n"
    u"KeyboardLayout_File=code.ikbl\r\nCode_File=codes.txt\r\n"
    u"[Lesson_0]\r\nName=First\r\nTrainChars=abcxyz\r\nContentSize=0\r\n";

class ResultReviewTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_dir.Write("Dict/dictionary.txt", "the kit sit jet fed ask lad jak fall keys kid");
        m_dir.Write("Dict/numdictionary.txt", "44 45");
        m_dir.Write("Tutorial/Fixture/code.btf", Utf16Bytes(kCodeCourse, true));
        m_dir.Write("Tutorial/Fixture/codes.txt", Utf16Bytes(u"[TUTORIALCOD][Fix]a1 b2 c3", true));
        SetFixedSeed(77);
        m_profile.SetSinglePass(60);
        m_profile.SetSingleFullmark(180);
        m_profile.SetReviewGenerateSize(1); // 512 characters
        m_profile.SetReviewDuration(0);
    }
    void TearDown() override { SetFixedSeed(std::nullopt); }

    // The newest stored result and the slowest characters the profile kept with it.
    void Saved(int kind, const std::vector<KeyDelayItem>& slowest)
    {
        m_record.SetExerciseKind(static_cast<uint8_t>(kind));
        m_record.SetCourseName(u"Fixture\\code.btf");
        m_record.SetExtraName(u"Code Course");
        CompleteResultRecord(m_record, {abort_type::kFinished, 60000, 200, 190, false});
        const KeyDelayBlock block = KeyDelayBlock::FromItems(slowest);
        std::copy(block.data(), block.data() + block.size(), m_profile.KeyDelayTable().begin());
    }

    ReviewSelection Choose(ReviewChoice choice, std::u16string_view typed = {})
    {
        KeyDelayBlock block;
        EXPECT_TRUE(block.Assign(m_profile.KeyDelayTable()));
        KeyDelayPage page;
        page.Score(block, m_profile.SinglePass(), m_profile.SingleFullmark());
        return page.ReviewCharacters(choice, typed);
    }

    test::TempDir m_dir;
    LocalExerciseData m_data{m_dir.Folder()};
    CParadigmPump m_engine{&m_data};
    CUserProfile m_profile;
    CResultRecord m_record;
};

TEST_F(ResultReviewTest, ReviewOfTheSlowestKeysHoldsOnlyThem)
{
    // j, k, e and s are slow; a and d were typed at the full-mark pace.
    Saved(kind::kLesson,
          {{u'j', 1800}, {u'k', 1500}, {u'e', 1300}, {u's', 1200}, {u'a', 300}, {u'd', 200}});
    const ReviewSelection sel = Choose(ReviewChoice::DifficultKeys);
    ASSERT_TRUE(sel.errorKey.empty());
    EXPECT_EQ(sel.characters, u"jkes");

    const ReviewPlan plan = PlanReview(m_record, sel, m_profile);
    EXPECT_EQ(plan.size, 512u);
    EXPECT_EQ(plan.minutes, 3u);
    EXPECT_TRUE(plan.courseFile.empty());

    std::u16string layout = u"stale";
    ASSERT_TRUE(GenerateReview(m_engine, plan, layout));
    EXPECT_EQ(layout, u"");
    EXPECT_EQ(m_engine.Kind(), kind::kReview);
    EXPECT_EQ(m_engine.Length(), 512u);
    EXPECT_EQ(m_engine.PhaseLength(CParadigmPump::kReviewPhase), 512u);
    const std::u16string text(m_engine.Sample());
    // Words of the chosen characters ("jet" has a t, so it cannot be one), separated by spaces.
    EXPECT_EQ(text.find_first_not_of(u"jkes "), std::u16string::npos)
        << std::string(text.begin(), text.end());
    for (char16_t c : sel.characters)
        EXPECT_NE(text.find(c), std::u16string::npos) << char(c);
}

TEST_F(ResultReviewTest, ChosenCharactersWithoutWordsBecomeRuns)
{
    Saved(kind::kTest, {{u'q', 1800}});
    const ReviewSelection sel = Choose(ReviewChoice::ChosenCharacters, u"zq;");
    ASSERT_TRUE(sel.errorKey.empty());
    const ReviewPlan plan = PlanReview(m_record, sel, m_profile);
    std::u16string layout;
    ASSERT_TRUE(GenerateReview(m_engine, plan, layout));
    EXPECT_EQ(m_engine.Kind(), kind::kReview);
    const std::u16string text(m_engine.Sample());
    EXPECT_EQ(text.find_first_not_of(u"zq; "), std::u16string::npos);
}

TEST_F(ResultReviewTest, KeyDrillOfACodeCourseIsReviewedInItsCourse)
{
    Saved(kind::kKeyDrill, {{u'x', 1800}, {u'b', 1600}, {u'c', 1400}, {u'a', 100}});
    m_profile.SetReviewDuration(7);

    const ReviewPlan plan = PlanReview(m_record, Choose(ReviewChoice::DifficultKeys), m_profile);
    EXPECT_EQ(plan.courseFile, u"Fixture\\code.btf");
    EXPECT_EQ(plan.label, u"Code Course");
    EXPECT_EQ(plan.minutes, 7u);
    std::u16string layout;
    ASSERT_TRUE(GenerateReview(m_engine, plan, layout));
    EXPECT_EQ(layout, u"Fixture\\code.ikbl");
    EXPECT_EQ(m_engine.Kind(), kind::kCourseReview);
    EXPECT_EQ(m_engine.ExtraLabel(), u"Code Course");
    const std::u16string text(m_engine.Sample());
    EXPECT_EQ(text.find_first_not_of(u"xbc"), std::u16string::npos);

    // Characters of the user's own leave the course aside.
    const ReviewPlan own =
        PlanReview(m_record, Choose(ReviewChoice::ChosenCharacters, u"kl"), m_profile);
    EXPECT_TRUE(own.courseFile.empty());
    EXPECT_TRUE(own.label.empty());
}

TEST_F(ResultReviewTest, MissingCourseFailsAndKeepsTheText)
{
    Saved(kind::kKeyDrill, {{u'x', 1800}, {u'b', 1600}});
    m_record.SetCourseName(u"Fixture\\gone.btf");
    m_engine.InstallText(u"previous", kind::kLesson, 0);
    std::u16string layout;
    EXPECT_FALSE(GenerateReview(
        m_engine, PlanReview(m_record, Choose(ReviewChoice::DifficultKeys), m_profile), layout));
    EXPECT_EQ(m_engine.Sample(), u"previous");
}

} // namespace
} // namespace kf
