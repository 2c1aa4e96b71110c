#include "content/localtutorial.h"

#include "content/catalogueentry.h"
#include "content/courserefanswer.h"
#include "content/lessonlistentry.h"
#include "content/tutorialcourse.h"
#include "platform/lasterror.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

#include <string>

namespace kf {
namespace {

std::string CourseText(std::u16string_view name, int layout = 0, int hand = 255, std::u16string_view lessons = {})
{
    std::u16string t = u"[Header]\r\nTag=KBTRAIN\r\nName=" + std::u16string(name) + u"\r\nDescription=About " +
                       std::u16string(name) + u"\r\nKeyboardLayoutType=" + std::u16string(1, char16_t(u'0' + layout)) +
                       u"\r\nForHand=" + (hand == 255 ? std::u16string(u"255") : std::u16string(1, char16_t(u'0' + hand))) +
                       u"\r\n";
    if (lessons.empty())
        t += u"LessonCount=1\r\n[Lesson_0]\r\nName=Only\r\n";
    else
        t += lessons;
    return test::Utf16Bytes(t, true);
}

template <typename Record>
std::vector<Record> Records(const Bytes& reply)
{
    EXPECT_EQ(reply.size() % Record::kSize, 0u);
    std::vector<Record> out(reply.size() / Record::kSize);
    for (size_t i = 0; i < out.size(); ++i)
        out[i].Assign(ByteSpan(reply).subspan(i * Record::kSize, Record::kSize));
    return out;
}

std::vector<std::u16string> Names(const Bytes& reply)
{
    std::vector<std::u16string> names;
    for (const CatalogueEntry& e : Records<CatalogueEntry>(reply))
        names.push_back(e.Name());
    return names;
}

TEST(LocalTutorial, CatalogueOrderFilesAndFilters)
{
    test::TempDir dir;
    dir.Write("Tutorial/A/first.btf", CourseText(u"One"));
    dir.Write("Tutorial/A/first.ini", "[General]\r\nOrdinal=1\r\n");
    dir.Write("Tutorial/A/second.v2.btf", CourseText(u"Two"));
    dir.Write("Tutorial/A/second.ini", "[General]\r\nOrdinal=1\r\nLine=1\r\n");
    dir.Write("Tutorial/B/zero.btf", CourseText(u"Zero"));
    dir.Write("Tutorial/B/keypad.btf", CourseText(u"Pad", 5));
    dir.Write("Tutorial/B/left.btf", CourseText(u"Left", 0, 1));
    dir.Write("Tutorial/B/broken.btf", "not a course");
    dir.Write("Tutorial/B/notes.txt", CourseText(u"NotACourseFile"));
    dir.Write("Tutorial/.hidden/h.btf", CourseText(u"Hidden"));
    dir.Write("Tutorial/top.btf", CourseText(u"Loose file"));

    Bytes reply;
    ASSERT_TRUE(ListCourses(dir.Folder(), 0, 0, reply));
    const std::vector<CatalogueEntry> entries = Records<CatalogueEntry>(reply);
    ASSERT_EQ(Names(reply), (std::vector<std::u16string>{u"Zero", u"One", u"Two"}))
        << "ordinal 0 (no order file) before ordinal 1; keypad and one-hand courses filtered out";
    EXPECT_EQ(entries[0].Path(), u"B\\zero.btf");
    EXPECT_EQ(entries[0].Ordinal(), 0);
    EXPECT_EQ(entries[1].Description(), u"About One");
    EXPECT_EQ(entries[2].SeparatorLine(), 1);
    EXPECT_EQ(entries[2].Ordinal(), 1);
    EXPECT_EQ(entries[2].ForHand(), 255);
    // The order file's missing key is written back with its default.
    EXPECT_NE(dir.Read("Tutorial/A/first.ini").find("Line=0"), std::string::npos);

    ASSERT_TRUE(ListCourses(dir.Folder(), -1, -1, reply));
    EXPECT_EQ(Records<CatalogueEntry>(reply).size(), 5u);
    ASSERT_TRUE(ListCourses(dir.Folder(), 5, -1, reply));
    EXPECT_EQ(Names(reply), (std::vector<std::u16string>{u"Pad"}));
    ASSERT_TRUE(ListCourses(dir.Folder(), 0, 1, reply));
    EXPECT_EQ(Names(reply), (std::vector<std::u16string>{u"Left", u"Zero", u"One", u"Two"}));

    std::u16string path;
    ASSERT_TRUE(FindCourse(dir.Folder(), 0, 0, u"two", path));
    EXPECT_EQ(path, u"A\\second.v2.btf");
    EXPECT_FALSE(FindCourse(dir.Folder(), 0, 0, u"Pad", path));
    EXPECT_EQ(GetLastError(), err::NotFound);

    test::TempDir empty;
    EXPECT_FALSE(ListCourses(empty.Folder(), -1, -1, reply)) << "no Tutorial folder";
}

TEST(LocalTutorial, SixteenCoursesPerFolder)
{
    test::TempDir dir;
    for (int i = 0; i < 20; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Tutorial/Many/c%02d.btf", i);
        dir.Write(name, i == 3 ? std::string("broken") : CourseText(u"Course " + std::u16string(1, char16_t(u'a' + i))));
    }
    Bytes reply;
    ASSERT_TRUE(ListCourses(dir.Folder(), -1, -1, reply));
    const std::vector<CatalogueEntry> entries = Records<CatalogueEntry>(reply);
    ASSERT_EQ(entries.size(), 15u) << "the first 16 files are taken, one of them does not load";
    EXPECT_EQ(entries.back().Path(), u"Many\\c15.btf");
}

TEST(LocalTutorial, LessonListsAndResolution)
{
    test::TempDir dir;
    dir.Write("Tutorial/En/c.btf",
              CourseText(u"Course", 5, 255,
                         u"LessonCount=4\r\n"
                         u"[Lesson_0]\r\nName=Slides\r\nType=1\r\nDescription=Look\r\n"
                         u"[Lesson_1]\r\nName=Keys\r\nFitMode=1\r\nNewGroup=1\r\n"
                         u"[Lesson_2]\r\nName=Words\r\nFitMode=2\r\nType=2\r\n"
                         u"[Lesson_3]\r\nName=Keys\r\nFitMode=0\r\n"));
    Bytes reply;
    ASSERT_TRUE(ListLessons(dir.Folder(), u"en\\C.BTF", 255, true, reply));
    std::vector<LessonListEntry> lessons = Records<LessonListEntry>(reply);
    ASSERT_EQ(lessons.size(), 3u) << "FitMode 0 is never offered";
    EXPECT_EQ(lessons[0].Name(), u"Slides");
    EXPECT_EQ(lessons[0].Description(), u"Look");
    EXPECT_EQ(lessons[0].Type(), 1);
    EXPECT_EQ(lessons[0].LayoutType(), 5);
    EXPECT_EQ(lessons[1].NewGroup(), 1);
    EXPECT_EQ(lessons[2].Index(), 2u);

    ASSERT_TRUE(ListLessons(dir.Folder(), u"En\\c.btf", 2, false, reply));
    lessons = Records<LessonListEntry>(reply);
    ASSERT_EQ(lessons.size(), 1u);
    EXPECT_EQ(lessons[0].Name(), u"Words");
    ASSERT_TRUE(ListLessons(dir.Folder(), u"En\\c.btf", 4, true, reply));
    EXPECT_TRUE(reply.empty());

    CourseRefAnswer answer;
    ASSERT_TRUE(ResolveCourseRef(dir.Folder(), 1, 5, 0, u"COURSE", 0, {}, reply));
    ASSERT_TRUE(answer.Assign(reply));
    EXPECT_EQ(answer.Kind(), CourseRefAnswer::kCourse);
    EXPECT_EQ(answer.CoursePath(), u"En\\c.btf");
    EXPECT_EQ(answer.CourseName(), u"Course");

    ASSERT_TRUE(ResolveCourseRef(dir.Folder(), 1, 0, 0, u"Course", 0, {}, reply)) << "filtered out";
    ASSERT_TRUE(answer.Assign(reply));
    EXPECT_EQ(answer.Kind(), CourseRefAnswer::kNothing);

    ASSERT_TRUE(ResolveCourseRef(dir.Folder(), 2, 0, 0, u"En\\c.btf", kLessonByName, u"keys", reply));
    ASSERT_TRUE(answer.Assign(reply));
    EXPECT_EQ(answer.Kind(), CourseRefAnswer::kLesson);
    EXPECT_EQ(answer.LessonIndex(), 1) << "the first of two lessons of that name";
    EXPECT_EQ(answer.LessonName(), u"Keys");
    EXPECT_EQ(answer.CourseName(), u"Course");

    ASSERT_TRUE(ResolveCourseRef(dir.Folder(), 2, 0, 0, u"En\\c.btf", 2, u"ignored", reply));
    ASSERT_TRUE(answer.Assign(reply));
    EXPECT_EQ(answer.LessonFlags(), 2u | (2u << 16));

    EXPECT_FALSE(ResolveCourseRef(dir.Folder(), 2, 0, 0, u"En\\c.btf", 9, {}, reply));
    EXPECT_EQ(GetLastError(), err::NotFound);
    EXPECT_FALSE(ResolveCourseRef(dir.Folder(), 3, 0, 0, u"En\\c.btf", 0, {}, reply));
    EXPECT_EQ(GetLastError(), err::InvalidParameter);
    EXPECT_FALSE(ListLessons(dir.Folder(), u"En\\none.btf", 255, true, reply));
}

TEST(LocalTutorial, TutorialFilesAndHeaders)
{
    test::TempDir dir;
    dir.Write("secret.txt", "outside");
    dir.Write("Tutorial/x/ansi.btf", "[header]\r\nTag=KBTRAIN\r\nName=\xC4rger\r\nLessonCount=1\r\n");
    dir.Write("Tutorial/x/pic.bmp", std::string("BM\0\1\2", 5));
    Bytes reply;
    ASSERT_TRUE(ReadTutorialFile(dir.Folder(), u"X\\ANSI.btf", reply));
    EXPECT_EQ(BytesToUtf16(reply).substr(0, 8), u"[header]") << "8-bit course text answered as UTF-16";
    ASSERT_TRUE(ReadTutorialFile(dir.Folder(), u"x\\pic.bmp", reply));
    EXPECT_EQ(reply, (Bytes{'B', 'M', 0, 1, 2})) << "other files answered as they are";

    std::u16string full;
    ASSERT_TRUE(ReadTutorialText(dir.Folder(), u"x\\ansi.btf", reply, &full));
    EXPECT_NE(BytesToUtf16(reply).find(u"\u00c4rger"), std::u16string::npos);
    EXPECT_EQ(full, dir.Folder() + u"Tutorial\\x\\ansi.btf");

    ASSERT_TRUE(ReadCourseHeader(dir.Folder(), u"x\\ansi.btf", reply));
    CourseHeader header;
    ASSERT_TRUE(header.Assign(reply));
    EXPECT_EQ(header.Name(), u"\u00c4rger");

    for (std::u16string_view bad : {u"..\\secret.txt", u"x\\..\\..\\secret.txt", u"/etc/passwd", u""}) {
        EXPECT_FALSE(ReadTutorialFile(dir.Folder(), bad, reply));
        EXPECT_EQ(GetLastError(), err::InvalidName);
        EXPECT_FALSE(ReadTutorialText(dir.Folder(), bad, reply));
    }
    EXPECT_FALSE(ReadTutorialText(dir.Folder(), u"x\\missing.txt", reply));
    EXPECT_EQ(GetLastError(), err::FileNotFound);
}

} // namespace
} // namespace kf
