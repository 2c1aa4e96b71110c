#include "session/resultevaluation.h"

#include "session/exercisekind.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

ResultInput Result(int64_t p, int64_t c, int64_t ms, int kind = kind::kLesson, int level = 0)
{
    ResultInput in;
    in.totalHits = p;
    in.correctHits = c;
    in.elapsedMs = ms;
    in.kind = kind;
    in.lessonLevel = level;
    return in;
}

TEST(EvaluateResult, GradesAndCommentKeys)
{
    struct Case
    {
        const char* what;
        ResultInput in;
        int s, a;
        const char16_t* key;
    };
    auto withMarks = [](ResultInput in, int pass, int full) {
        in.pass = pass;
        in.fullmark = full;
        return in;
    };
    const Case cases[] = {
        {"fast, good accuracy", Result(300, 294, 60000), 3, 1, u"IDS_RESULT_C_31"},
        {"fast, no error", Result(300, 300, 60000), 3, 2, u"IDS_RESULT_C_32"},
        {"below pass", Result(59, 59, 60000), 0, 2, u"IDS_RESULT_C_02"},
        {"at pass", Result(60, 50, 60000), 1, 0, u"IDS_RESULT_C_10"}, // 83 % < 85 %
        {"just below the middle", Result(119, 119, 60000), 1, 2, u"IDS_RESULT_C_12"},
        {"the middle", Result(120, 110, 60000), 2, 1, u"IDS_RESULT_C_21"},
        {"just below full", Result(179, 170, 60000), 2, 1, u"IDS_RESULT_C_21"},
        {"at full", Result(180, 153, 60000), 3, 1, u"IDS_RESULT_C_31"}, // exactly 85 %
        {"level 5 halves pass and full", Result(90, 90, 60000, kind::kLesson, 5), 3, 2, u"IDS_RESULT_C_32"},
        {"level 5 at the halved pass", Result(30, 29, 60000, kind::kKeyDrill, 5), 1, 1, u"IDS_RESULT_C_11"},
        {"level above 9 counts as 0", Result(90, 90, 60000, kind::kLesson, 12), 1, 2, u"IDS_RESULT_C_12"},
        {"tests ignore the level", Result(90, 90, 60000, kind::kTest, 5), 1, 2, u"IDS_RESULT_C_12"},
        {"free typing is always accurate", Result(100, 0, 60000, kind::kFreeTyping), 1, 2, u"IDS_RESULT_C_12"},
        {"nothing typed", Result(0, 0, 60000), 0, 0, u"IDS_RESULT_C_00"},
        {"no time", Result(50, 50, 0), 0, 2, u"IDS_RESULT_C_02"},
        // Pass at or above full becomes 6/10 of full: 120 of 200.
        {"pass above full", withMarks(Result(160, 160, 60000), 250, 200), 2, 2, u"IDS_RESULT_C_22"},
        // Full 1 and level 5 scale both marks to 0: reaching the pass is reaching full.
        {"marks scaled to nothing", withMarks(Result(1, 1, 60000, kind::kLesson, 5), 1, 1), 3, 2, u"IDS_RESULT_C_32"},
    };
    for (const auto& c : cases) {
        const ResultGrade g = EvaluateResult(c.in);
        EXPECT_EQ(g.speedGrade, c.s) << c.what;
        EXPECT_EQ(g.accuracyGrade, c.a) << c.what;
        EXPECT_EQ(g.gradeValue, c.s + 10 * c.a) << c.what;
        EXPECT_EQ(g.commentKey, c.key) << c.what;
    }
    const ResultGrade halved = EvaluateResult(Result(90, 90, 60000, kind::kLesson, 5));
    EXPECT_EQ(halved.pass, 30);
    EXPECT_EQ(halved.fullmark, 90);
    EXPECT_EQ(EvaluateResult(Result(300, 294, 60000)).accuracy, 98);
}

TEST(EvaluateResult, FiguresOfThePage)
{
    ResultInput in = Result(300, 294, 60000);
    ResultFigures f = ComputeResultFigures(in);
    EXPECT_DOUBLE_EQ(f.netSpeed, 270);
    EXPECT_DOUBLE_EQ(f.grossSpeed, 300);
    EXPECT_DOUBLE_EQ(f.goal, 180);
    EXPECT_DOUBLE_EQ(f.accuracy, 90);
    EXPECT_EQ(f.errors, (ErrorFigures{30, 6, 5}));
    EXPECT_EQ(f.seconds, 60);

    in.wordsPerMinute = true;
    in.errorFactor = 0; // counts as 5 on this page
    in.elapsedMs = 400;
    f = ComputeResultFigures(in);
    EXPECT_DOUBLE_EQ(f.netSpeed, 270.0 * 150 / 5);
    EXPECT_DOUBLE_EQ(f.goal, 36);
    EXPECT_EQ(f.errors.factor, 5);
    EXPECT_EQ(f.seconds, 1); // at least one second

    f = ComputeResultFigures(Result(10, 7, 60000));
    EXPECT_DOUBLE_EQ(f.netSpeed, 0);
    EXPECT_DOUBLE_EQ(f.accuracy, 0);
}

TEST(Recommend, ChoicesByModeKindAndGrade)
{
    struct Case
    {
        const char* what;
        RecommendationInput in;
        bool possible, hidden, forced;
        int preselected;
    };
    const Case cases[] = {
        {"good lesson with a next one", {true, false, desk_mode::kLesson, kind::kLesson, true, 23}, true, false, false, recommendation::kNextLesson},
        {"accurate but no next lesson", {true, false, desk_mode::kLesson, kind::kLesson, false, 23}, false, false, false, recommendation::kOnceAgain},
        {"not accurate enough", {true, false, desk_mode::kLesson, kind::kLesson, true, 13}, true, false, false, recommendation::kOnceAgain},
        {"no lesson choice privilege", {false, false, desk_mode::kLesson, kind::kLesson, true, 22}, false, false, false, recommendation::kOnceAgain},
        {"key drill always has a next", {true, false, desk_mode::kLesson, kind::kKeyDrill, false, 20}, true, false, false, recommendation::kNextLesson},
        {"test", {true, true, desk_mode::kTest, kind::kTest, true, 23}, false, true, true, recommendation::kBackToDesk},
        {"original copy without save privilege", {true, false, desk_mode::kTest, kind::kOriginalCopyTest, true, 23}, false, true, false, recommendation::kBackToDesk},
        {"free typing", {true, true, desk_mode::kTest, kind::kFreeTyping, true, 23}, false, true, true, recommendation::kBackToDesk},
        {"review", {true, true, desk_mode::kReview, kind::kReview, true, 23}, false, false, false, recommendation::kBackToDesk},
    };
    for (const auto& c : cases) {
        const Recommendation r = Recommend(c.in);
        EXPECT_EQ(r.nextLessonPossible, c.possible) << c.what;
        EXPECT_EQ(r.nextLessonHidden, c.hidden) << c.what;
        EXPECT_EQ(r.saveForced, c.forced) << c.what;
        EXPECT_EQ(r.preselected, c.preselected) << c.what;
    }
    EXPECT_EQ(RecommendationOfChoice(0), 0);
    EXPECT_EQ(RecommendationOfChoice(1), 2);
    EXPECT_EQ(RecommendationOfChoice(2), 3);
}

TEST(SoundGrade, PassingIsGoodAndTheTopIsVeryGood)
{
    struct Case
    {
        int s, a, grade, sound;
    };
    const Case cases[] = {
        {0, 0, 0, 1}, {0, 2, 2, 1}, {3, 0, 2, 1}, {1, 1, 3, 2}, {2, 1, 4, 2},
        {1, 2, 4, 2}, {3, 1, 5, 3}, {2, 2, 5, 3}, {3, 2, 5, 3},
    };
    for (const auto& c : cases) {
        ResultGrade g;
        g.speedGrade = c.s;
        g.accuracyGrade = c.a;
        EXPECT_EQ(SoundGrade(g), c.grade) << c.s << c.a;
        EXPECT_EQ(ResultSoundIndex(SoundGrade(g)), c.sound) << c.s << c.a;
    }
    EXPECT_EQ(AbortTypeTextKey(5), u"IDS_RESULT_ABORTTYPE_FINISH");
    EXPECT_EQ(AbortTypeTextKey(7), u"IDS_RESULT_ABORTTYPE_REVIEWABORT");
    EXPECT_EQ(AbortTypeTextKey(8), u"");
}

} // namespace
} // namespace kf
