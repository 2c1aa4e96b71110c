#include "content/tutorialcourse.h"

#include "content/localtutorialdata.h"
#include "platform/lasterror.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

Bytes Utf16(std::u16string_view text, bool bom = true)
{
    const std::string s = test::Utf16Bytes(text, bom);
    return Bytes(s.begin(), s.end());
}

Bytes Ascii(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

TEST(TutorialCourse, TextFormKeysDefaultsAndStorageRules)
{
    TutorialCourse c;
    ASSERT_TRUE(c.LoadCourseData(Utf16(u"[Header]\r\n"
                                       u"Tag=KBTRAIN\r\n"
                                       u"Name=Sample\r\n"
                                       u"LessonCount=3\r\n"
                                       u"Version=70000\r\n"
                                       u"KeyboardLayoutType=9\r\n"
                                       u"ForHand=255\r\n"
                                       u"ForbidWordTips=256\r\n"
                                       u"Special_FontName=ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\r\n"
                                       u"[Lesson_0]\r\n"
                                       u"Name=First\r\n"
                                       u"WordSize=9\r\n"
                                       u"Type=7\r\n"
                                       u"NewGroup=256\r\n"
                                       u"KeyIndex=33 36 300\r\n"
                                       u"[Lesson_1]\r\n"
                                       u"Name=Second\r\n"
                                       u"WordSize=-2\r\n"
                                       u"KeyIndex=1  2 \r\n"
                                       u"[Lesson_3]\r\n"
                                       u"Name=beyond the count\r\n"),
                                 u"English\\Sample.btf"));
    const CourseHeader& h = c.Header();
    EXPECT_EQ(h.Tag(), u"KBTRAIN");
    EXPECT_EQ(h.Name(), u"Sample");
    EXPECT_EQ(h.LessonCount(), 3u);
    EXPECT_EQ(h.Version(), 70000 & 0xFFFF);
    EXPECT_EQ(h.LayoutType(), 0) << "an unknown layout type is stored as 0";
    EXPECT_EQ(h.ForHand(), 255);
    EXPECT_EQ(h.ForbidWordTips(), 1) << "a flag of 256 stays on";
    EXPECT_EQ(h.FontName(), u"ABCDEFGHIJKLMNOPQRSTUVWXYZ01234") << "31 characters";
    ASSERT_EQ(c.LessonCount(), 3u);

    const LessonRecord& l0 = *c.Lesson(0);
    EXPECT_EQ(l0.Name(), u"First");
    EXPECT_EQ(l0.WordSize(), 4);
    EXPECT_EQ(l0.Type(), 0);
    EXPECT_EQ(l0.NewGroup(), 1);
    EXPECT_EQ(l0.KeyIndexes(), (std::vector<uint8_t>{33, 36, 300 & 0xFF}));
    EXPECT_EQ(c.Lesson(1)->KeyIndexes(), (std::vector<uint8_t>{1, 0, 2}))
        << "two adjacent spaces give an item 0, a trailing space none";
    EXPECT_EQ(c.Lesson(1)->WordSize(), 4);

    // The third lesson has no section: every key has its default.
    const LessonRecord& l2 = *c.Lesson(2);
    EXPECT_EQ(l2.Name(), u"");
    EXPECT_EQ(l2.Index(), 2);
    EXPECT_EQ(l2.WordSize(), 4);
    EXPECT_EQ(l2.PracticePhaseType(), 31);
    EXPECT_EQ(l2.GenerateType(), 1);
    EXPECT_EQ(l2.FitMode(), 3);
    EXPECT_EQ(l2.NoEnterKey(), 1);
    EXPECT_EQ(l2.AllowNext(), 1);
    EXPECT_EQ(l2.AllowShift(), 1);
    EXPECT_EQ(l2.ShowScreenKb(), 1);
    EXPECT_EQ(l2.ContentSize(), 1);
    EXPECT_EQ(l2.StdDisplaySize(), 255);
    EXPECT_EQ(l2.StdFontSize(), 100);
    EXPECT_TRUE(l2.KeyIndexes().empty());
    EXPECT_EQ(c.FindLessonByName(u"beyond the count"), nullptr);
}

TEST(TutorialCourse, KeyDataFormsAndLimits)
{
    std::u16string keys70, rows300;
    for (int i = 0; i < 70; ++i)
        keys70 += (i ? u" " : u"") + std::u16string(1, char16_t(u'0' + i % 10));
    for (int i = 0; i < 300; ++i)
        rows300 += u"  7";
    const std::u16string longName(80, u'n');
    const std::u16string trainChars = u"  " + std::u16string(300, u'\u5b57') + u" ";

    TutorialCourse std;
    ASSERT_TRUE(std.LoadCourseData(Utf16(u"[Header]\nTag=KBTRAIN\nLessonCount=3\n"
                                         u"[Lesson_0]\nName=" + longName + u"\nKeyIndex=" + keys70 + u"\n"
                                         u"[Lesson_1]\nType=3\nStdDisplaySize=2\nStdFontSize=150\n"
                                         u"RowIndex=  3   5 -2 \nKeyIndex=9\n"
                                         u"[Lesson_2]\nType=3\nRowIndex=" + rows300 + u"\n")));
    EXPECT_EQ(std.Lesson(0)->Name().size(), 63u);
    EXPECT_EQ(std.Lesson(0)->KeyIndexes().size(), 63u) << "70 numbers keep the first 63";
    EXPECT_EQ(std.Lesson(0)->U8(LessonRecord::kKeyData + 63), 255);
    EXPECT_EQ(std.KeyDataOf(*std.Lesson(1)), TutorialCourse::KeyData::RowIndexes);
    EXPECT_EQ(std.Lesson(1)->RowIndexes(), (std::vector<int16_t>{3, 5, -2}));
    EXPECT_EQ(std.Lesson(1)->StdDisplaySize(), 2);
    EXPECT_EQ(std.Lesson(1)->StdFontSize(), 150);
    EXPECT_EQ(std.Lesson(2)->RowIndexes().size(), LessonRecord::kMaxRowIndexes)
        << "the list and its end mark fit the 512 bytes";

    TutorialCourse own;
    ASSERT_TRUE(own.LoadCourseData(Utf16(u"[Header]\nTag=KBTRAIN\nLessonCount=2\nTrainType=3\n"
                                         u"[Lesson_0]\nTrainChars=" + trainChars + u"\nKeyIndex=1 2\n"
                                         u"[Lesson_1]\nTrainChars= ab \n")));
    EXPECT_EQ(own.KeyDataOf(*own.Lesson(0)), TutorialCourse::KeyData::TrainChars);
    EXPECT_EQ(own.Lesson(0)->TrainChars(), std::u16string(255, u'\u5b57'));
    EXPECT_EQ(own.Lesson(1)->TrainChars(), u"ab");
}

TEST(TutorialCourse, CompiledFormRoundTripAndShortData)
{
    TutorialCourse text;
    ASSERT_TRUE(text.LoadCourseData(Utf16(u"[Header]\nTag=KBTRAIN\nName=Round\nLessonCount=2\nTrainType=1\n"
                                          u"[Lesson_0]\nName=a\nKeyIndex=30 31\n[Lesson_1]\nName=b\nLevel=4\n")));
    const Bytes image = text.CompiledImage();
    ASSERT_EQ(image.size(), CourseHeader::kSize + 2 * LessonRecord::kSize);

    TutorialCourse compiled;
    ASSERT_TRUE(compiled.LoadCourseData(image));
    EXPECT_EQ(compiled.CompiledImage(), image);
    EXPECT_EQ(compiled.Lesson(1)->Level(), 4);

    // The last record may lack up to 32 bytes; they read as zero.
    Bytes cut(image.begin(), image.end() - 32);
    ASSERT_TRUE(compiled.LoadCourseData(cut));
    EXPECT_EQ(compiled.Lesson(1)->ContentSize(), 0);
    EXPECT_EQ(compiled.Lesson(1)->Name(), u"b");

    cut.pop_back();
    EXPECT_FALSE(compiled.LoadCourseData(cut));
    EXPECT_EQ(compiled.ErrorNumber(), TutorialCourse::kErrShortData);
    EXPECT_EQ(GetLastError(), err::InvalidData);
    EXPECT_EQ(compiled.Lesson(1)->ContentSize(), 0) << "the previous course stays";

    // A count taken on trust would reach past the data.
    Bytes huge = image;
    StoreLe<uint32_t>(huge.data() + CourseHeader::kLessonCount, 0xFFFFFFFFu);
    EXPECT_FALSE(compiled.LoadCourseData(huge));
    EXPECT_EQ(compiled.ErrorNumber(), TutorialCourse::kErrShortData);

    Bytes none(image.begin(), image.begin() + CourseHeader::kSize);
    StoreLe<uint32_t>(none.data() + CourseHeader::kLessonCount, 0);
    EXPECT_FALSE(compiled.LoadCourseData(none));
    EXPECT_EQ(compiled.ErrorNumber(), TutorialCourse::kErrNoLessons);
}

TEST(TutorialCourse, TextFormErrors)
{
    struct Case
    {
        const char* what;
        Bytes data;
        uint32_t error;
    };
    const Case cases[] = {
        {"no tag", Utf16(u"[Header]\nName=x\nLessonCount=1\n"), TutorialCourse::kErrNoTag},
        {"other tag", Utf16(u"[Header]\nTag=KBTRAINX\nLessonCount=1\n"), TutorialCourse::kErrNoTag},
        {"UTF-8 mark before the header", Ascii("\xEF\xBB\xBF[Header]\nTag=KBTRAIN\nLessonCount=1\n"),
         TutorialCourse::kErrNoTag},
        {"empty", Bytes{}, TutorialCourse::kErrNoTag},
        {"no lessons", Utf16(u"[Header]\nTag=KBTRAIN\n"), TutorialCourse::kErrNoLessons},
        {"negative count", Utf16(u"[Header]\nTag=KBTRAIN\nLessonCount=-1\n"), TutorialCourse::kErrNoMemory},
        {"absurd count", Utf16(u"[Header]\nTag=KBTRAIN\nLessonCount=2000000000\n"), TutorialCourse::kErrNoMemory},
    };
    for (const Case& c : cases) {
        TutorialCourse course;
        EXPECT_FALSE(course.LoadCourseData(c.data)) << c.what;
        EXPECT_EQ(course.ErrorNumber(), c.error) << c.what;
        EXPECT_EQ(course.LessonCount(), 0u) << c.what;
    }
}

TEST(TutorialCourse, ReadsThroughTheSupplierInterface)
{
    test::TempDir dir;
    dir.Write("Tutorial/Cat/Ansi.btf", "[HEADER]\r\nTag=KBTRAIN\r\nName=Caf\xE9\r\nLessonCount=1\r\n"
                                       "Code_File= $System$ \r\nKeyboardLayout_File=kb\\wubi.ikbl\r\n"
                                       "[Lesson_0]\r\nName=Intro\r\nExtraFile=Cat\\body.txt\r\n");
    dir.Write("Tutorial/Cat/BODY.TXT", test::Utf16Bytes(u"Hello there.", true));
    LocalTutorialData source(dir.Folder());
    TutorialCourse c(&source);
    ASSERT_TRUE(c.LoadCourseFile(u"Cat\\Ansi.btf"));
    EXPECT_EQ(c.Header().Name(), u"Caf\u00e9") << "8-bit text in the ANSI code page";
    EXPECT_TRUE(c.UsesSystemInputMethod());
    EXPECT_EQ(c.CodeTablePath(), u"Cat\\ $System$ ");
    EXPECT_EQ(c.CourseKeyboardPath(), u"Cat\\kb\\wubi.ikbl");

    std::u16string body;
    ASSERT_TRUE(c.ReadExtraFile(0, body));
    EXPECT_EQ(body, u"Hello there.");
    EXPECT_FALSE(c.ReadExtraFile(1, body));

    int32_t index = 7;
    EXPECT_EQ(c.FindLessonByName(u"INTRO", &index), c.Lesson(0));
    EXPECT_EQ(index, 0);
    EXPECT_EQ(c.FindLessonByName(u"nothing", &index), nullptr);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(c.LessonType(0), 0);
    EXPECT_EQ(c.LessonFitMode(0), 3);
    for (int64_t bad : {int64_t{-1}, int64_t{1}}) {
        EXPECT_EQ(c.Lesson(bad), nullptr);
        EXPECT_EQ(c.LessonType(bad), -1);
        EXPECT_EQ(c.LessonFitMode(bad), -1);
        EXPECT_EQ(c.LessonAllowNext(bad), -1);
        EXPECT_EQ(c.LessonAllowShift(bad), -1);
        EXPECT_EQ(c.LessonPracticePhaseType(bad), -1);
        EXPECT_EQ(c.LessonIsNumpad(bad), -1);
    }

    EXPECT_FALSE(c.LoadCourseFile(u"Cat\\missing.btf"));
    EXPECT_EQ(c.ErrorNumber(), err::FileNotFound);
    EXPECT_EQ(c.Header().Name(), u"Caf\u00e9") << "a failed load keeps the course";
}

} // namespace
} // namespace kf
