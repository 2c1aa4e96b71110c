#include "session/standviewoptions.h"

#include "session/exercisekind.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

StandViewContext Context(int mode, int kind, int width = 476)
{
    StandViewContext c;
    c.deskMode = mode;
    c.kind = kind;
    c.clientWidth = width;
    return c;
}

TEST(StandViewOptionsTest, FontSizeAndScale)
{
    StandViewOptions o;
    o.fontSize = 120; // out of range: 24
    o.lessonFontSize = 30;
    StandViewSettings s = ResolveStandViewSettings(o, Context(3, kind::kTest));
    EXPECT_EQ(s.font.pointSize, 24);
    EXPECT_EQ(s.font.weight, 700);

    StandViewContext lesson = Context(2, kind::kLesson);
    lesson.lessonFontScale = 50;
    EXPECT_EQ(ResolveStandViewSettings(o, lesson).font.pointSize, 15);
    lesson.lessonFontScale = 20; // 6 points would be unreadable: at least 12
    EXPECT_EQ(ResolveStandViewSettings(o, lesson).font.pointSize, 12);
    // The scale is the lesson's: a test ignores it.
    StandViewContext test = Context(3, kind::kTest);
    test.lessonFontScale = 50;
    EXPECT_EQ(ResolveStandViewSettings(o, test).font.pointSize, 24);

    o.fontBold = false;
    lesson.fontOverride = u"Courier New";
    s = ResolveStandViewSettings(o, lesson);
    EXPECT_EQ(s.font.face, u"Courier New");
    EXPECT_EQ(s.font.weight, 400);

    EXPECT_EQ(EffectiveFontSize(7), 24);
    EXPECT_EQ(EffectiveFontSize(8), 8);
    EXPECT_EQ(EffectiveFontSize(99), 99);
    EXPECT_EQ(EffectiveFontSize(100), 24);
}

TEST(StandViewOptionsTest, ModesAndKinds)
{
    StandViewOptions o;
    o.doubleLineView = true;
    struct Case
    {
        int mode;
        int kind;
        bool overlay;
        bool typedPartOnly;
        bool labels;
        CaretStyle caret;
        bool caretAtEnd;
    };
    const Case cases[] = {
        {2, kind::kLesson, true, false, true, CaretStyle::Pointer, false},
        {3, kind::kTest, false, false, false, CaretStyle::Pointer, false},
        {3, kind::kOriginalCopyTest, true, true, false, CaretStyle::Bar, false},
        {3, kind::kTest37, true, true, false, CaretStyle::Bar, false},
        {3, kind::kFreeTyping, true, false, false, CaretStyle::Bar, true},
        {4, kind::kReview, false, false, true, CaretStyle::Pointer, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " kind " << c.kind);
        const StandViewSettings s = ResolveStandViewSettings(o, Context(c.mode, c.kind));
        EXPECT_EQ(s.overlay, c.overlay);
        EXPECT_EQ(s.typedPartOnly, c.typedPartOnly);
        EXPECT_EQ(!s.spaceLabel.empty(), c.labels);
        EXPECT_EQ(!s.tabLabel.empty(), c.labels);
        EXPECT_EQ(s.caretStyle, c.caret);
        EXPECT_EQ(s.caretAtEnd, c.caretAtEnd);
        EXPECT_EQ(s.lessonText, c.mode == 2);
    }
    o.useBitCaret = false;
    EXPECT_EQ(ResolveStandViewSettings(o, Context(2, kind::kLesson)).caretStyle, CaretStyle::Bar);
}

TEST(StandViewOptionsTest, LessonMarginsByDisplaySize)
{
    // d = (476 - 100) / 2 = 188.
    EXPECT_EQ(LessonSideMargin(0, 476), 188);
    EXPECT_EQ(LessonSideMargin(1, 476), 141);
    EXPECT_EQ(LessonSideMargin(2, 476), 94);
    EXPECT_EQ(LessonSideMargin(3, 476), 47);
    EXPECT_EQ(LessonSideMargin(7, 476), 10);
    EXPECT_EQ(LessonSideMargin(0, 50), 0);

    StandViewOptions o;
    o.stdDisplaySize = 2;
    StandViewContext lesson = Context(2, kind::kLesson);
    StandViewSettings s = ResolveStandViewSettings(o, lesson); // 255: the user's size
    EXPECT_EQ(s.marginLeft, 94);
    EXPECT_EQ(s.marginRight, 94);
    EXPECT_EQ(s.marginTop, 10);
    lesson.lessonDisplaySize = 3;
    EXPECT_EQ(ResolveStandViewSettings(o, lesson).marginLeft, 47);
    EXPECT_EQ(ResolveStandViewSettings(o, Context(3, kind::kTest)).marginLeft, 10);
}

} // namespace
} // namespace kf
