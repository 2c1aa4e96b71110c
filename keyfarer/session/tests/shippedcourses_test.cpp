// The shipped courses and test texts of the staged tree run through the real engine: every
// lesson gives well-formed practice on the shipped layout it is written for, and every test
// text cuts.
#include "session/paradigmpump.h"

#include "content/keyboardlayout.h"
#include "content/locallayouts.h"
#include "platform/random.h"
#include "session/localexercisedata.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>
#include <string>

namespace kf {
namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(KF_STAGE_DIR) / "Data";

std::u16string DataFolder() { return kData.u16string() + u"/"; }

std::string Narrow(std::u16string_view s) { return std::string(s.begin(), s.end()); }

// The characters a text may hold beyond the given ones: the separators the generators write.
std::u16string WithSeparators(std::u16string chars) { return chars + u" \r"; }

std::u16string WithCapitals(std::u16string chars)
{
    const std::u16string plain = chars;
    for (char16_t c : plain)
        chars += UpperCaseOf(c);
    return chars;
}

class ShippedContent : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fs::is_directory(kData / "Tutorial")) << "the stage has no courses: build kf_courses";
        ASSERT_TRUE(UseLayout(CourseHeader::kAny));
        SetFixedSeed(20240601);
    }
    void TearDown() override { SetFixedSeed(std::nullopt); }

    // The shipped layout a course of that layout type is written for (US for the courses
    // that run on any layout's keys and for the keypad).
    bool UseLayout(uint8_t courseLayoutType)
    {
        const bool anyLayout = courseLayoutType == CourseHeader::kAny ||
                               courseLayoutType == CourseHeader::kKeypadLayoutType ||
                               courseLayoutType == CourseHeader::kAnyKeysLayoutType;
        for (const auto& e : fs::directory_iterator(kData / "KBLayout")) {
            if (e.path().extension() != ".kbl")
                continue;
            const std::u16string name = e.path().stem().u16string();
            Bytes image;
            CKeyboardLayout layout;
            if (!LocalLoadKeyboardLayout(DataFolder(), name, 0, image) || !layout.LoadLayoutImage(image, true))
                continue;
            if (anyLayout ? name == u"US" : layout.LayoutType() == courseLayoutType) {
                m_engine.SetKeyTables(layout);
                return true;
            }
        }
        return false;
    }

    // Each phase of the engine's phase text holds only what its phase may hold.
    void CheckPhaseText(int32_t lesson)
    {
        const LessonRecord& rec = *m_engine.Course().Lesson(lesson);
        bool keypad = false;
        bool enter = false;
        const std::u16string own = m_engine.CollectLessonCharacters(lesson, false, keypad, enter, true);
        const std::u16string learnt = m_engine.CollectLessonCharacters(lesson, true, keypad, enter, false);
        const auto& lengths = m_engine.PhaseLengths();
        EXPECT_EQ(std::accumulate(lengths.begin(), lengths.end(), 0u), m_engine.Length());
        EXPECT_GT(m_engine.Length(), 0u);
        EXPECT_EQ(lengths[5], 0u);
        if (rec.AllowShift() == 0 || m_engine.PracticeTypeIs1()) {
            EXPECT_EQ(lengths[1], 0u);
        }
        if (m_engine.PracticeTypeIs1()) {
            EXPECT_EQ(lengths[0], 0u);
        }
        const std::u16string allowed[5] = {
            WithSeparators(own), WithSeparators(WithCapitals(own)), WithSeparators(learnt),
            WithSeparators(learnt), WithSeparators(WithCapitals(learnt))};
        size_t at = 0;
        for (size_t phase = 0; phase < 5; ++phase) {
            const std::u16string_view part = m_engine.Sample().substr(at, lengths[phase]);
            at += lengths[phase];
            SCOPED_TRACE(phase);
            EXPECT_EQ(part.find_first_not_of(allowed[phase]), std::u16string_view::npos)
                << Narrow(part.substr(0, 80));
            if (keypad) {
                EXPECT_EQ(part.find(u' '), std::u16string_view::npos); // Enter separates
            }
            // Groups and words: no run of two separators, no empty group.
            EXPECT_EQ(part.find(u"  "), std::u16string_view::npos);
        }
    }

    LocalExerciseData m_data{DataFolder()};
    CParadigmPump m_engine{&m_data};
};

TEST_F(ShippedContent, EveryLessonGivesWellFormedPractice)
{
    size_t courses = 0;
    for (const auto& entry : fs::recursive_directory_iterator(kData / "Tutorial")) {
        if (entry.path().extension() != ".btf")
            continue;
        const std::u16string file = fs::relative(entry.path(), kData / "Tutorial").u16string();
        std::u16string stored = file;
        for (auto& c : stored)
            if (c == u'/')
                c = u'\\';
        SCOPED_TRACE(Narrow(stored));
        bool standard = false;
        std::u16string layout;
        ASSERT_TRUE(m_engine.LoadCourse(stored, standard, layout));
        ASSERT_TRUE(standard);
        ASSERT_TRUE(UseLayout(m_engine.Course().Header().LayoutType()))
            << "no shipped layout of type " << int(m_engine.Course().Header().LayoutType());
        ++courses;
        for (int32_t i = 0; i < static_cast<int32_t>(m_engine.LessonCount()); ++i) {
            const LessonRecord& rec = *m_engine.Course().Lesson(i);
            SCOPED_TRACE(Narrow(rec.Name()));
            if (rec.Type() == 1 || rec.Type() == 2) {
                ASSERT_TRUE(m_engine.LoadExtraLessonText(i));
                EXPECT_GT(m_engine.SlideShow().FrameCount(), 0);
                for (const SlidePart& part : m_engine.SlideShow().Parts()) {
                    if (part.type == SlidePart::kPicture) {
                        EXPECT_NE(part.picture, nullptr) << Narrow(part.imageFile);
                    }
                }
                if (rec.Type() == 1)
                    continue;
            }
            // The size a lesson asks for by default, and the size a game asks for.
            for (size_t requested : {LessonSizeFromOption(1), kMaxSampleLength}) {
                for (bool practiceType1 : {false, true}) {
                    SCOPED_TRACE(testing::Message() << requested << (practiceType1 ? " type 1" : ""));
                    m_engine.SetPracticeTypeIs1(practiceType1);
                    if (rec.Type() == 3) {
                        ASSERT_TRUE(m_engine.MakeSentenceText(i, requested));
                        std::u16string body;
                        ASSERT_TRUE(m_engine.Course().ReadExtraFile(i, body));
                        EXPECT_EQ(m_engine.Length(), LessonSize(rec.ContentSize(), requested));
                        EXPECT_EQ(m_engine.Sample().find_first_not_of(body), std::u16string_view::npos);
                        EXPECT_EQ(m_engine.PhaseLength(-1), m_engine.Length());
                        continue;
                    }
                    const uint32_t phases = static_cast<uint32_t>(m_engine.LessonPhases(rec.Name()));
                    const bool any = (phases & (practiceType1 ? 0x1c : 0x1f)) != 0;
                    ASSERT_EQ(m_engine.MakePhaseText(i, requested), any);
                    if (any)
                        CheckPhaseText(i);
                }
            }
        }
    }
    EXPECT_GE(courses, 2u);
}

TEST_F(ShippedContent, EveryTestTextCuts)
{
    size_t texts = 0;
    for (const auto& category : fs::directory_iterator(kData / "TestTexts")) {
        if (!category.is_directory())
            continue;
        for (const auto& entry : fs::directory_iterator(category.path())) {
            if (entry.path().extension() != ".txt")
                continue;
            const std::u16string name = category.path().filename().u16string() + u"\\" +
                                        entry.path().stem().u16string();
            SCOPED_TRACE(Narrow(name));
            ASSERT_TRUE(m_engine.OpenTestDocument(name, false));
            const std::u16string& text = m_engine.TestDocument().Text();
            EXPECT_EQ(text.find(u'\n'), std::u16string::npos);
            EXPECT_EQ(text.find(u"  "), std::u16string::npos);
            for (int type = 0; type <= 2; ++type) {
                std::u16string caption;
                ASSERT_TRUE(m_engine.LoadTestText(3000, type, caption));
                EXPECT_EQ(caption, entry.path().stem().u16string());
                EXPECT_EQ(m_engine.Length(), 3000u);
                EXPECT_TRUE(IsTestKind(m_engine.Kind()));
                EXPECT_EQ(m_engine.Sample().find_first_not_of(text), std::u16string_view::npos);
            }
            ++texts;
        }
    }
    EXPECT_GE(texts, 4u);
}

} // namespace
} // namespace kf
