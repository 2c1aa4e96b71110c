#include "session/ui/deskrules.h"

#include <gtest/gtest.h>

namespace kf::desk {
namespace {

struct PhaseCase
{
    int current;
    unsigned bits;
    unsigned withText; // phases that have characters in the text
    int kind;
    bool practiceType1;
    int expected;
};

class NextPhaseTest : public ::testing::TestWithParam<PhaseCase>
{
};

TEST_P(NextPhaseTest, FollowsTheLessonsPhases)
{
    const PhaseCase c = GetParam();
    auto hasText = [&](int p) { return ((c.withText >> p) & 1u) != 0; };
    EXPECT_EQ(NextPhase(c.current, c.bits, c.kind, c.practiceType1, hasText), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Phases, NextPhaseTest,
    ::testing::Values(
        // Practice type 0: the next available phase, none: 0.
        PhaseCase{-1, 0b11111, 0b11111, 10, false, 0}, PhaseCase{0, 0b11111, 0b11111, 10, false, 1},
        PhaseCase{1, 0b10101, 0b11111, 10, false, 2}, PhaseCase{4, 0b11111, 0b11111, 10, false, 0},
        PhaseCase{-1, 0b11100, 0b11100, 10, false, 2},
        // A phase the generator left out is passed over.
        PhaseCase{0, 0b00111, 0b00101, 10, false, 2},
        // Practice type 1: 0 and 1 are passed over while a later phase exists ...
        PhaseCase{-1, 0b11111, 0b11100, 10, true, 2}, PhaseCase{2, 0b10111, 0b10111, 10, true, 4},
        // ... otherwise the last of them that is available.
        PhaseCase{-1, 0b00011, 0b00011, 10, true, 1}, PhaseCase{-1, 0b00001, 0b00001, 10, true, 0},
        // Key drills and code-course reviews always go on with phase 0.
        PhaseCase{0, 0b11111, 0b11111, 21, false, 0}, PhaseCase{2, 0b11111, 0b11111, 34, true, 0}));

TEST(DeskRulesTest, ExerciseTimeRoundsAtHalfSecondsOnlyAbove500)
{
    EXPECT_EQ(RoundExerciseTime(0), 0u);
    EXPECT_EQ(RoundExerciseTime(499), 0u);
    EXPECT_EQ(RoundExerciseTime(1500), 1000u);
    EXPECT_EQ(RoundExerciseTime(1501), 2000u);
    EXPECT_EQ(RoundExerciseTime(59999), 60000u);
}

TEST(DeskRulesTest, ZeroMinutesMeanTheDefaultLimits)
{
    EXPECT_EQ(LessonLimitSeconds(0), 180u);
    EXPECT_EQ(LessonLimitSeconds(5), 300u);
    EXPECT_EQ(TestLimitSeconds(0), 720u);
    EXPECT_EQ(ReviewLimitSeconds(0), 180u);
    EXPECT_EQ(GameLimitSeconds(0), 0u);
    EXPECT_EQ(GameLimitSeconds(2), 120u);
}

TEST(DeskRulesTest, AbortTypesByMode)
{
    EXPECT_EQ(AbortTypeForMode(2), 2);
    EXPECT_EQ(AbortTypeForMode(21), 2);
    EXPECT_EQ(AbortTypeForMode(3), 3);
    EXPECT_EQ(AbortTypeForMode(5), 4);
    EXPECT_EQ(AbortTypeForMode(4), 7);
    EXPECT_EQ(AbortTypeForMode(1), 0);
}

TEST(DeskRulesTest, PrenoticeSplitsAtTheFirstMarker)
{
    std::u16string title, description;
    SplitPrenotice(u"Home row/dKeep your fingers on ASDF/dJKL;", title, description);
    EXPECT_EQ(title, u"Home row");
    EXPECT_EQ(description, u"Keep your fingers on ASDF/dJKL;");
    SplitPrenotice(u"Only a description", title, description);
    EXPECT_EQ(title, u"");
    EXPECT_EQ(description, u"Only a description");
}

TEST(DeskRulesTest, PhaseNoticeKeys)
{
    EXPECT_EQ(PhaseNoticeKeys(0)[0], u"IDS_PRE_TRAIN_BASIC_T");
    EXPECT_EQ(PhaseNoticeKeys(3)[1], u"IDS_PRE_TRAIN_LOCA_D");
    EXPECT_EQ(PhaseNoticeKeys(5)[2], u"IDS_PRE_TRAIN_SENTENCE_F");
}

} // namespace
} // namespace kf::desk
