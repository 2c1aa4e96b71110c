#include "session/paradigmpump.h"

#include "platform/lasterror.h"
#include "platform/random.h"
#include "session/localexercisedata.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

#include <set>

namespace kf {
namespace {

using test::Utf16Bytes;

constexpr uint32_t kLeft = 1 << 8;

PracticeKey Key(char16_t c, char16_t shifted, int kind, int finger, bool left)
{
    return {c, shifted, 0, static_cast<uint32_t>(kind | (finger << 4)) | (left ? kLeft : 0)};
}

// The keys the fixture course numbers: the home row, a Shift key and Enter; on the keypad
// 4, 5, 6 and Enter.
std::vector<PracticeKey> MainKeys()
{
    return {Key(u'a', u'A', 1, 4, true),  Key(u's', u'S', 1, 3, true), Key(u'd', u'D', 1, 2, true),
            Key(u'f', u'F', 1, 1, true),  Key(u'j', u'J', 1, 1, false), Key(u'k', u'K', 1, 2, false),
            Key(u'l', u'L', 1, 3, false), Key(u';', u':', 0, 4, false), Key(160, 0, 2, 4, true),
            Key(u'\r', 0, 0, 4, false)};
}
std::vector<PracticeKey> KeypadKeys()
{
    return {Key(u'4', 0, 0, 1, false), Key(u'5', 0, 0, 2, false), Key(u'6', 0, 0, 3, false),
            Key(u'\r', 0, 1, 4, false)};
}

const char16_t kCourse[] =
    u"[Header]\r\nTag=KBTRAIN\r\nName=Fixture Course\r\nLessonCount=6\r\n"
    u"[Lesson_0]\r\nName=Home left\r\nKeyIndex=0 1 2 3\r\nPracticePhaseType=31\r\nAllowShift=0\r\n"
    u"ContentSize=0\r\nWordSize=3\r\nWordRepeat=2\r\nGenerateType=2\r\nFitMode=1\r\nLevel=2\r\n"
    u"PrenoticeMessage=Left hand/dRest on ASDF\r\n"
    u"[Lesson_1]\r\nName=Slides\r\nType=1\r\nFitMode=3\r\nKeyIndex=4\r\n"
    u"[Lesson_2]\r\nName=Home right\r\nKeyIndex=4 5 6 7 8\r\nPracticePhaseType=31\r\nAllowShift=1\r\n"
    u"ContentSize=1\r\nFitMode=2\r\n"
    u"[Lesson_3]\r\nName=Sentences\r\nType=3\r\nExtraFile=Fixture\\body.txt\r\nRowIndex=1 2 3\r\n"
    u"ContentSize=0\r\nPracticePhaseType=36\r\nFitMode=1\r\n"
    u"[Lesson_4]\r\nName=Missing body\r\nType=3\r\nExtraFile=Fixture\\none.txt\r\nFitMode=1\r\n"
    u"[Lesson_5]\r\nName=Keypad\r\nIsNumpad=1\r\nKeyIndex=0 1 2\r\nNoEnterKey=0\r\nPracticePhaseType=4\r\n"
    u"ContentSize=0\r\nFitMode=1\r\n";

const char16_t kCodeCourse[] =
    u"[Header]\r\nTag=KBTRAIN\r\nName=Code Course\r\nLessonCount=2\r\nTrainType=3\r\n"
    u"KeyboardLayout_File=code.ikbl\r\nCode_File=codes.txt\r\n"
    u"[Lesson_0]\r\nName=First\r\nTrainChars=abc\r\nContentSize=0\r\n"
    u"[Lesson_1]\r\nName=Second\r\nTrainChars= xyz \r\nContentSize=0\r\n";

class ParadigmPumpTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_dir.Write("Tutorial/Fixture/course.btf", Utf16Bytes(kCourse, true));
        m_dir.Write("Tutorial/Fixture/code.btf", Utf16Bytes(kCodeCourse, true));
        m_dir.Write("Tutorial/Fixture/codes.txt", Utf16Bytes(u"[TUTORIALCOD][Fix]a1 b2 c3", true));
        m_dir.Write("Tutorial/Fixture/body.txt", Utf16Bytes(u"Zero.\r\nOne\r\nTwo\r\nThree\r\n", true));
        m_dir.Write("TestTexts/Plain/five.txt", "abcde");
        m_dir.Write("TestTexts/Plain/spaces.txt", "ab  cd\r\nef");
        m_dir.Write("TestTexts/Plain/words.txt", "alpha beta\tgamma delta epsilon");
        m_dir.Write("TestTexts/Copy/orig.txt", "hello");
        m_dir.Write("TestTexts/Copy/testcfg.ini", "[general]\r\nTestType=2\r\n");
        m_dir.Write("Dict/dictionary.txt", "as ad sad lads fads dad jak fall ask");
        m_dir.Write("Dict/numdictionary.txt", "44 45 456 654 7");
        SetFixedSeed(1234);
        m_engine.SetKeyTables(MainKeys(), KeypadKeys());
    }
    void TearDown() override { SetFixedSeed(std::nullopt); }

    bool LoadFixtureCourse()
    {
        bool standard = false;
        std::u16string layout = u"stale";
        const bool ok = m_engine.LoadCourse(u"Fixture\\course.btf", standard, layout);
        EXPECT_TRUE(standard);
        EXPECT_EQ(layout, u"");
        return ok;
    }

    test::TempDir m_dir;
    LocalExerciseData m_data{m_dir.Folder()};
    CParadigmPump m_engine{&m_data};
};

bool OnlyFrom(std::u16string_view text, std::u16string_view allowed)
{
    return text.find_first_not_of(allowed) == std::u16string_view::npos;
}

TEST_F(ParadigmPumpTest, LessonsOfTheCourse)
{
    ASSERT_TRUE(LoadFixtureCourse());
    EXPECT_EQ(m_engine.LessonCount(), 6u);
    EXPECT_EQ(m_data.ErrorKey(), u"IDS_ERR_LOADTUTORIALDATA");
    EXPECT_TRUE(m_engine.WordPracticePossible());

    int32_t index = 0;
    ASSERT_NE(m_engine.FindLesson(u"HOME RIGHT", index), nullptr);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(m_engine.FindLesson(u"nope", index), nullptr);
    EXPECT_EQ(index, -1);

    EXPECT_EQ(m_engine.LessonPhases(u"home left"), 31 & ~2); // no capitals without AllowShift
    EXPECT_EQ(m_engine.LessonPhases(u"home right"), 31);
    EXPECT_EQ(m_engine.LessonType(u"Sentences"), 3);
    EXPECT_EQ(m_engine.LessonType(u"nope"), -1);
    EXPECT_EQ(m_engine.LessonAllowNext(u"Slides"), 1);

    // From no lesson the search starts at the first; FitMode bit 0, or bit 1 for practice type 1.
    std::u16string name;
    EXPECT_EQ(m_engine.NextLesson(name), 0);
    EXPECT_EQ(name, u"Home left");
    ASSERT_TRUE(m_engine.MakePhaseText(0, 4096));
    EXPECT_EQ(m_engine.NextLesson(name), 1);
    m_engine.SetPracticeTypeIs1(true);
    EXPECT_EQ(m_engine.NextLesson(name), 1);
    ASSERT_TRUE(m_engine.MakePhaseText(2, 4096));
    EXPECT_EQ(m_engine.NextLesson(name), -1); // lessons 3 to 5 have bit 0 only
    m_engine.SetPracticeTypeIs1(false);
    ASSERT_TRUE(m_engine.MakePhaseText(5, 4096));
    EXPECT_EQ(m_engine.NextLesson(name), -1); // the last lesson

    std::u16string text = u"x";
    ASSERT_TRUE(m_engine.PrenoticeText(text));
    EXPECT_EQ(text, u""); // lesson 5 has none
    m_engine.PrepareFreeTyping(10);
    EXPECT_FALSE(m_engine.PrenoticeText(text));
    ASSERT_TRUE(m_engine.MakePhaseText(0, 4096));
    ASSERT_TRUE(m_engine.PrenoticeText(text));
    EXPECT_EQ(text, u"Left hand/dRest on ASDF");
    EXPECT_FALSE(m_engine.ReviewLabel(text));

    bool standard = true;
    std::u16string layout;
    EXPECT_FALSE(m_engine.LoadCourse(u"Fixture\\missing.btf", standard, layout));
    EXPECT_EQ(m_engine.LessonCount(), 6u); // the loaded course stays
}

TEST_F(ParadigmPumpTest, SlideShowLessons)
{
    m_dir.Write("Tutorial/Fixture/slides.btf",
                Utf16Bytes(u"[Header]\r\nTag=KBTRAIN\r\nName=Slides\r\nLessonCount=3\r\n"
                           u"[Lesson_0]\r\nName=Show\r\nType=1\r\nExtraFile=Fixture\\show.sld\r\n"
                           u"[Lesson_1]\r\nName=Gone\r\nType=2\r\nExtraFile=Fixture\\gone.sld\r\n"
                           u"[Lesson_2]\r\nName=Body\r\nType=1\r\nExtraFile=Fixture\\body.txt\r\n",
                           true));
    m_dir.Write("Tutorial/Fixture/show.sld",
                Utf16Bytes(u"[Header]\r\nTAG=KY_SLIDE\r\nFrameCount=2\r\n"
                           u"[Frame_0]\r\nPartCount=1\r\n[Part_0_0]\r\nType=0\r\nText=Sit up\r\n"
                           u"[Frame_1]\r\nPartCount=1\r\n[Part_1_0]\r\nType=2\r\n",
                           true));
    bool standard = false;
    std::u16string layout;
    ASSERT_TRUE(m_engine.LoadCourse(u"Fixture\\slides.btf", standard, layout));
    m_engine.InstallText(u"before", kind::kTest, -1);

    struct Case
    {
        int32_t lesson;
        uint32_t error;      // 0: loads
        uint32_t fileError;  // ExtraFileError
    };
    const Case cases[] = {
        {1, err::ResourceDataNotFound, err::FileNotFound}, // the file is missing
        {2, err::InvalidData, 0},                           // a text, not a slide show
        {7, err::InvalidParameter, 0},
        {0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lesson);
        SetLastError(0);
        const bool ok = m_engine.LoadExtraLessonText(c.lesson);
        EXPECT_EQ(ok, c.error == 0);
        EXPECT_EQ(GetLastError(), c.error);
        EXPECT_EQ(m_engine.ExtraFileError(), c.fileError);
        if (!ok) {
            EXPECT_EQ(m_engine.Sample(), u"before"); // a failed loader keeps the text
            EXPECT_EQ(m_engine.SlideShow().FrameCount(), 0);
        }
    }
    EXPECT_EQ(m_engine.Kind(), kind::kSlideShow);
    EXPECT_EQ(m_engine.LessonIndex(), 0);
    EXPECT_EQ(m_engine.Length(), 0u);
    EXPECT_EQ(m_engine.PhaseLength(-1), 0u);
    ASSERT_EQ(m_engine.SlideShow().FrameCount(), 2);
    EXPECT_EQ(m_engine.SlideShow().Part(0, 0)->text, u"Sit up");
}

TEST_F(ParadigmPumpTest, PhaseTextOfALessonWithoutCapitals)
{
    ASSERT_TRUE(LoadFixtureCourse());
    ASSERT_TRUE(m_engine.MakePhaseText(0, 4096));
    EXPECT_EQ(m_engine.Kind(), kind::kLesson);
    EXPECT_EQ(m_engine.LessonIndex(), 0);
    // Phases 0, 2, 3 and 4 of 128 characters (ContentSize 0); no capitals phase.
    const std::array<uint32_t, 8> phases = {128, 0, 128, 128, 128, 0, 0, 0};
    EXPECT_EQ(m_engine.PhaseLengths(), phases);
    ASSERT_EQ(m_engine.Length(), 512u);
    const std::u16string_view text = m_engine.Sample();
    EXPECT_TRUE(OnlyFrom(text.substr(0, 128), u"asdf "));
    // Words of the keys learnt so far; the lesson of Type 1 and the modifier add nothing.
    EXPECT_TRUE(OnlyFrom(text.substr(128, 128), u"asdf "));
    EXPECT_TRUE(OnlyFrom(text.substr(256, 128), u"asdf "));
    EXPECT_TRUE(OnlyFrom(text.substr(384, 128), u"asdfASDF "));
    EXPECT_NE(text.substr(384).find_first_of(u"ASDF"), std::u16string_view::npos);
    EXPECT_NE(text.substr(128, 128).find(u"sad"), std::u16string_view::npos);

    // Practice type 1 leaves out the key groups.
    m_engine.SetPracticeTypeIs1(true);
    ASSERT_TRUE(m_engine.MakePhaseText(0, 4096));
    EXPECT_EQ(m_engine.PhaseLengths(), (std::array<uint32_t, 8>{0, 0, 128, 128, 128, 0, 0, 0}));
}

TEST_F(ParadigmPumpTest, PhaseTextWithCapitalsAndCumulativeKeys)
{
    ASSERT_TRUE(LoadFixtureCourse());
    ASSERT_TRUE(m_engine.MakePhaseText(2, 4096));
    EXPECT_EQ(m_engine.PhaseLengths(), (std::array<uint32_t, 8>{512, 512, 512, 512, 512, 0, 0, 0}));
    const std::u16string_view text = m_engine.Sample();
    EXPECT_TRUE(OnlyFrom(text.substr(0, 512), u"jkl; "));
    EXPECT_TRUE(OnlyFrom(text.substr(512, 512), u"jklJKL;: "));
    EXPECT_NE(text.substr(512, 512).find(u':'), std::u16string_view::npos);
    // Finger groups over lessons 0 and 2 (lesson 1 is hidden): every home key appears.
    const std::u16string_view fingers = text.substr(1536, 512);
    EXPECT_TRUE(OnlyFrom(fingers, u"asdfjkl; "));
    for (char16_t c : std::u16string_view(u"asdfjkl;"))
        EXPECT_NE(fingers.find(c), std::u16string_view::npos) << static_cast<char>(c);

    bool keypad = true;
    bool enter = true;
    EXPECT_EQ(m_engine.CollectLessonCharacters(2, true, keypad, enter, false), u"asdfjkl;");
    EXPECT_FALSE(keypad);
    EXPECT_FALSE(enter);
    EXPECT_EQ(m_engine.CollectLessonCharacters(2, false, keypad, enter, true), u"jJkKlL;:");
}

TEST_F(ParadigmPumpTest, KeypadWordsComeFromTheNumberDictionary)
{
    ASSERT_TRUE(LoadFixtureCourse());
    ASSERT_TRUE(m_engine.MakePhaseText(5, 4096));
    EXPECT_EQ(m_engine.PhaseLengths(), (std::array<uint32_t, 8>{0, 0, 128, 0, 0, 0, 0, 0}));
    const std::u16string text(m_engine.Sample());
    EXPECT_TRUE(OnlyFrom(text, u"456\r"));
    EXPECT_EQ(text.find(u' '), std::u16string::npos);
    size_t start = 0;
    std::set<std::u16string> words;
    for (size_t end; (end = text.find(u'\r', start)) != std::u16string::npos; start = end + 1)
        words.insert(text.substr(start, end - start));
    for (const auto& w : words)
        EXPECT_TRUE(w == u"44" || w == u"45" || w == u"456" || w == u"654") << w.size();
}

TEST_F(ParadigmPumpTest, SentenceTextAndItsFailures)
{
    ASSERT_TRUE(LoadFixtureCourse());
    ASSERT_TRUE(m_engine.MakeSentenceText(3, 4096));
    EXPECT_EQ(m_engine.Kind(), kind::kLesson);
    EXPECT_EQ(m_engine.PhaseLengths(), (std::array<uint32_t, 8>{0, 0, 128, 0, 0, 128, 0, 0}));
    EXPECT_EQ(m_engine.Sample().substr(0, 20), std::u16string_view(u"Two\rThree\rOne\rTwo\rTh"));

    const std::u16string before(m_engine.Sample());
    SetLastError(0);
    EXPECT_FALSE(m_engine.MakeSentenceText(4, 4096));
    EXPECT_EQ(GetLastError(), err::ResourceDataNotFound);
    EXPECT_FALSE(m_engine.MakeSentenceText(99, 4096));
    EXPECT_FALSE(m_engine.MakePhaseText(-1, 4096));
    EXPECT_EQ(m_engine.Sample(), before); // a failed loader keeps the text
    EXPECT_EQ(m_engine.LessonIndex(), 3);
}

TEST_F(ParadigmPumpTest, CodeCourseDrillAndReview)
{
    bool standard = true;
    std::u16string layout;
    ASSERT_TRUE(m_engine.LoadCourse(u"Fixture\\code.btf", standard, layout));
    EXPECT_FALSE(standard);
    EXPECT_EQ(layout, u"Fixture\\code.ikbl");
    EXPECT_FALSE(m_engine.WordPracticePossible());
    EXPECT_TRUE(m_engine.CourseHasCodeTable());
    std::string code;
    ASSERT_TRUE(m_engine.CodeTips().CodeOf(u'b', code));
    EXPECT_EQ(code, "2");

    ASSERT_TRUE(m_engine.MakeKeyDrillText(1, 4096));
    EXPECT_EQ(m_engine.Kind(), kind::kKeyDrill);
    EXPECT_EQ(m_engine.PhaseLength(-1), 0u);
    const std::u16string_view drill = m_engine.Sample();
    ASSERT_EQ(drill.size(), 128u);
    EXPECT_EQ(drill.substr(0, 6), u"xyzxyz");
    EXPECT_TRUE(OnlyFrom(drill.substr(64, 32), u"xyz"));
    EXPECT_TRUE(OnlyFrom(drill.substr(96), u"abcxyz"));
    std::u16string label;
    ASSERT_TRUE(m_engine.ReviewLabel(label));
    EXPECT_EQ(label, u"Code Course");

    std::u16string reviewLayout;
    ASSERT_TRUE(m_engine.MakeReviewText(u"bc", 40, u"Fixture\\code.btf", reviewLayout, u"Slow keys"));
    EXPECT_EQ(m_engine.Kind(), kind::kCourseReview);
    EXPECT_EQ(reviewLayout, u"Fixture\\code.ikbl");
    EXPECT_EQ(m_engine.PhaseLengths(), (std::array<uint32_t, 8>{0, 0, 0, 0, 0, 0, 40, 0}));
    EXPECT_TRUE(OnlyFrom(m_engine.Sample(), u"bc"));
    ASSERT_TRUE(m_engine.ReviewLabel(label));
    EXPECT_EQ(label, u"Slow keys");
}

TEST_F(ParadigmPumpTest, ReviewWithoutACourse)
{
    std::u16string layout = u"untouched";
    ASSERT_TRUE(m_engine.MakeReviewText(u"sad", 300, {}, layout, u"mine"));
    EXPECT_EQ(m_engine.Kind(), kind::kReview);
    EXPECT_EQ(layout, u"untouched");
    EXPECT_EQ(m_engine.Length(), 300u);
    EXPECT_TRUE(OnlyFrom(m_engine.Sample(), u"sad "));
    EXPECT_NE(m_engine.Sample().find(u"sad"), std::u16string_view::npos); // a dictionary word

    ASSERT_TRUE(m_engine.MakeReviewText(u"q", 50, {}, layout, u"mine"));
    EXPECT_TRUE(OnlyFrom(m_engine.Sample(), u"q "));
    EXPECT_FALSE(m_engine.MakeReviewText(u"", 50, {}, layout, u"mine"));
    EXPECT_FALSE(m_engine.MakeReviewText(u"ab", 50, u"Fixture\\missing.btf", layout, u"x"));
}

TEST_F(ParadigmPumpTest, TestDocumentPreparation)
{
    ASSERT_TRUE(m_engine.OpenTestDocument(u"Plain\\spaces", false));
    EXPECT_EQ(m_data.ErrorKey(), u"IDS_ERR_LOADTEST");
    EXPECT_EQ(m_engine.TestDocument().Text(), u"ab cd\ref");
    ASSERT_TRUE(m_engine.OpenTestDocument(u"Plain\\spaces", true));
    EXPECT_EQ(m_engine.TestDocument().Text(), u"ab  cd\ref");
    EXPECT_EQ(m_engine.TestDocument().Name(), u"Plain\\spaces");

    EXPECT_FALSE(m_engine.OpenTestDocument(u"Plain\\missing", false));
    EXPECT_EQ(m_engine.TestDocument().Name(), u"Plain\\spaces"); // the open text stays

    CStandParadigmData doc;
    EXPECT_FALSE(doc.SetText(u"x", u"", 0, false));
    EXPECT_FALSE(doc.Loaded());
    ASSERT_TRUE(doc.SetText(u"x", std::u16string(40000, u'z'), 0, false));
    EXPECT_EQ(doc.TextLength(), CStandParadigmData::kMaxTextLength);
}

TEST_F(ParadigmPumpTest, CuttingTestTexts)
{
    std::u16string caption = u"unchanged";
    EXPECT_FALSE(m_engine.LoadTestText(100, 0, caption)); // nothing open yet
    ASSERT_TRUE(m_engine.OpenTestDocument(u"Plain\\five", false));
    ASSERT_TRUE(m_engine.LoadTestText(12, 0, caption));
    EXPECT_EQ(m_engine.Sample(), u"abcdeabcdeab");
    EXPECT_EQ(caption, u"five");
    EXPECT_EQ(m_engine.Kind(), kind::kTest);
    EXPECT_FALSE(m_engine.LoadTestText(0, 0, caption));
    ASSERT_TRUE(m_engine.LoadTestText(30000, 2, caption));
    EXPECT_EQ(m_engine.Length(), 24000u);
    EXPECT_TRUE(OnlyFrom(m_engine.Sample(), u"abcde"));

    // An original-copy test is always cut from its start.
    ASSERT_TRUE(m_engine.OpenTestDocument(u"Copy\\orig", false));
    for (int type : {0, 1, 2}) {
        ASSERT_TRUE(m_engine.LoadTestText(12, type, caption));
        EXPECT_EQ(m_engine.Sample(), u"hellohellohe") << type;
        EXPECT_EQ(m_engine.Kind(), kind::kOriginalCopyTest);
    }

    // Type 1 starts at the beginning of a word and goes on from the text's start.
    ASSERT_TRUE(m_engine.OpenTestDocument(u"Plain\\words", false));
    const std::u16string text = m_engine.TestDocument().Text();
    std::set<char16_t> starts;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        SetFixedSeed(seed);
        ASSERT_TRUE(m_engine.LoadTestText(60, 1, caption));
        const std::u16string sample(m_engine.Sample());
        // The sample is the text from some start, then the text from its beginning.
        size_t at = 0;
        while (at < text.size() && sample.compare(0, text.size() - at, text, at) != 0)
            ++at;
        ASSERT_LT(at, text.size());
        EXPECT_TRUE(at == 0 || text[at - 1] == u' ' || text[at - 1] == u'\t') << at;
        EXPECT_EQ(sample.substr(text.size() - at, 5), u"alpha");
        starts.insert(sample[0]);
    }
    EXPECT_GT(starts.size(), 2u);
}

TEST_F(ParadigmPumpTest, RandomCharactersKeepLineBreaksWithTheirNextCharacter)
{
    CParadigmPump engine(&m_data);
    m_dir.Write("TestTexts/Plain/lines.txt", "a\r\nb");
    ASSERT_TRUE(engine.OpenTestDocument(u"Plain\\lines", false));
    ASSERT_EQ(engine.TestDocument().Text(), u"a\rb");
    std::u16string caption;
    ASSERT_TRUE(engine.LoadTestText(500, 2, caption));
    const std::u16string_view s = engine.Sample();
    EXPECT_NE(s.find(u'\r'), std::u16string_view::npos);
    for (size_t i = 0; i + 1 < s.size(); ++i) {
        if (s[i] == u'\r') {
            EXPECT_EQ(s[i + 1], u'b') << i;
        }
    }
}

TEST_F(ParadigmPumpTest, SavingTheTypedText)
{
    m_engine.PrepareFreeTyping(100);
    char16_t expected;
    uint32_t position;
    bool error;
    for (char16_t c : std::u16string_view(u"ab\rc"))
        m_engine.JudgeKey(c, expected, position, error);
    const std::u16string path = m_dir.File("typed.txt");
    m_dir.Write("typed.txt", "an older, longer text");
    ASSERT_TRUE(m_engine.SaveTypedText(path));
    EXPECT_EQ(m_dir.Read("typed.txt"), std::string("\xFF\xFE" "a\0b\0\r\0\n\0c\0", 12));
    EXPECT_FALSE(m_engine.SaveTypedText(m_dir.File("no/such/folder/typed.txt")));
    EXPECT_NE(GetLastError(), 0u);
}

TEST_F(ParadigmPumpTest, Dictionaries)
{
    ASSERT_TRUE(m_engine.LoadDictionaries(u"dictionary.txt", u"numdictionary.txt"));
    EXPECT_EQ(m_engine.WordDictionary().substr(0, 5), u"as ad");
    EXPECT_EQ(m_engine.NumberDictionary(), u"44 45 456 654 7");
    EXPECT_FALSE(m_engine.LoadDictionaries(u"dictionary.txt", u"missing.txt"));
    EXPECT_EQ(m_data.ErrorKey(), u"IDS_ERR_LOADDICTIONARY");

    m_dir.Write("Dict/big.txt", std::string(100000, 'w'));
    ASSERT_TRUE(m_engine.LoadDictionaries(u"big.txt", u"numdictionary.txt"));
    EXPECT_EQ(m_engine.WordDictionary().size(), CParadigmPump::kMaxDictionaryLength);
}

} // namespace
} // namespace kf
