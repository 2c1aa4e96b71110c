#include "session/paradigmpump.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

struct Step
{
    char16_t ch;
    JudgeResult result;
    char16_t expected;
    uint32_t position;
    uint32_t correct;
    bool error;
};

void TypeKeys(CParadigmPump& e, const std::vector<Step>& steps)
{
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        char16_t expected = u'?';
        uint32_t position = 999;
        bool error = true;
        SCOPED_TRACE(testing::Message() << "step " << i);
        EXPECT_EQ(e.JudgeKey(s.ch, expected, position, error), s.result);
        EXPECT_EQ(expected, s.expected);
        EXPECT_EQ(position, s.position);
        EXPECT_EQ(e.Position(), s.position);
        EXPECT_EQ(e.Correct(), s.correct);
        EXPECT_EQ(error, s.error);
        ASSERT_LE(e.Correct(), e.Position());
        ASSERT_LE(e.Position(), e.Length());
    }
}

TEST(JudgeKey, WrongKeysAdvanceAndBackspaceTakesBackOnlyWhatWasRight)
{
    CParadigmPump e;
    e.InstallText(u"abc", kind::kLesson, 0);
    TypeKeys(e, {
               {u'\b', JudgeResult::BackspaceAtStart, 0, 0, 0, false},
               {u'a', JudgeResult::Judged, u'a', 1, 1, false},
               {u'X', JudgeResult::Judged, u'b', 2, 1, true},
               {u'\b', JudgeResult::Judged, u'b', 1, 1, false}, // X was wrong: C stays
               {u'b', JudgeResult::Judged, u'b', 2, 2, false},
               {u'\b', JudgeResult::Judged, u'b', 1, 1, false}, // b was right: C goes back
               {u'b', JudgeResult::Judged, u'b', 2, 2, false},
               {u'Z', JudgeResult::Complete, u'c', 3, 2, true}, // the last character ends it
               {u'c', JudgeResult::Complete, 0, 3, 2, false},
           });
    EXPECT_EQ(e.Typed(), u"abZ");
    EXPECT_EQ(e.Errors(), 1u);
}

TEST(JudgeKey, OptionsRefuseWrongKeysAndIgnoreBackspace)
{
    CParadigmPump e;
    e.InstallText(u"ab", kind::kTest, -1);
    e.SetAllowErrorKey(false);
    e.SetAllowBackspace(false);
    TypeKeys(e, {
               {u'x', JudgeResult::Judged, u'a', 0, 0, true}, // refused: nothing moves
               {u'a', JudgeResult::Judged, u'a', 1, 1, false},
               {u'\b', JudgeResult::Judged, 0, 1, 1, false},  // ignored
               {u'b', JudgeResult::Complete, u'b', 2, 2, false},
           });
    EXPECT_EQ(e.Typed(), u"ab");
}

TEST(JudgeKey, FreeTypingHasNoErrorsAndEndsWhenFull)
{
    CParadigmPump e;
    e.PrepareFreeTyping(2);
    EXPECT_EQ(e.Kind(), kind::kFreeTyping);
    EXPECT_FALSE(e.HasSample());
    TypeKeys(e, {
               {u'\b', JudgeResult::BackspaceAtStart, 0, 0, 0, false},
               {u'h', JudgeResult::Judged, 0, 1, 1, false},
               {u'\r', JudgeResult::Judged, 0, 2, 2, false},
               {u'x', JudgeResult::Complete, 0, 2, 2, false},
               {u'\b', JudgeResult::Judged, 0, 1, 1, false},
           });
    EXPECT_EQ(e.Typed(), u"h");
    e.PrepareFreeTyping(30000);
    EXPECT_EQ(e.Length(), 24000u);
    EXPECT_EQ(e.Position(), 0u);
}

TEST(JudgeKey, CommittedCharactersOfGames)
{
    CParadigmPump e;
    e.InstallText(u"abc", kind::kLesson, 2);
    EXPECT_EQ(e.CountCommittedCharacter(u'a'), 0);
    EXPECT_EQ(e.CountCommittedCharacter(-1), 0); // escaped: counted but not correct
    EXPECT_EQ(e.CountCommittedCharacter(u'c'), 0);
    EXPECT_EQ(e.CountCommittedCharacter(u'd'), 0); // nothing left to count
    EXPECT_EQ(e.Position(), 3u);
    EXPECT_EQ(e.Correct(), 2u);
}

TEST(JudgeKey, InstallingResetsTheCountersAndKeepsTheLimits)
{
    CParadigmPump e;
    EXPECT_EQ(e.Kind(), kind::kNothing);
    EXPECT_EQ(e.LessonIndex(), -1);
    char16_t ch = 0;
    EXPECT_FALSE(e.ExpectedCharacter(ch));
    e.InstallText(u"xy", kind::kLesson, 4, {2, 0, 0, 0, 0, 0, 0, 0});
    char16_t expected;
    uint32_t pos;
    bool error;
    e.JudgeKey(u'x', expected, pos, error);
    ASSERT_TRUE(e.ExpectedCharacter(ch));
    EXPECT_EQ(ch, u'y');
    EXPECT_EQ(e.PhaseLength(-1), 2u);
    EXPECT_EQ(e.PhaseLength(8), 0u);

    e.InstallText(std::u16string(30000, u'q'), kind::kReview, -1, {0, 0, 0, 0, 0, 0, 7, 0});
    EXPECT_EQ(e.Length(), 24000u);
    EXPECT_EQ(e.Position(), 0u);
    EXPECT_EQ(e.Correct(), 0u);
    EXPECT_EQ(e.Typed(), u"");
    EXPECT_EQ(e.LessonIndex(), 4); // -1 keeps the lesson
    EXPECT_EQ(e.PhaseLength(-1), 7u);
    EXPECT_EQ(e.PhaseLength(6), 7u);
}

} // namespace
} // namespace kf
