#include "session/practicetextgenerator.h"

#include "session/lessonsentences.h"

#include <gtest/gtest.h>

#include <set>

namespace kf {
namespace {

constexpr uint32_t kLeft = 1 << 8;

PracticeKey Letter(char16_t c, int finger, bool left)
{
    return {c, UpperCaseOf(c), 0, static_cast<uint32_t>(1 | (finger << 4)) | (left ? kLeft : 0)};
}
PracticeKey Ordinary(char16_t c, char16_t shifted, int finger = 1, bool left = false)
{
    return {c, shifted, 0, static_cast<uint32_t>(finger << 4) | (left ? kLeft : 0)};
}
PracticeKey Modifier(char16_t code)
{
    return {code, 0, 0, 2 | (4 << 4) | kLeft};
}

// The pieces of a text between separators; the last one may be cut.
std::vector<std::u16string> Split(std::u16string_view text, std::u16string_view separators)
{
    std::vector<std::u16string> parts;
    std::u16string cur;
    for (char16_t c : text) {
        if (separators.find(c) != std::u16string_view::npos) {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty())
        parts.push_back(cur);
    return parts;
}

std::u16string Lower(std::u16string s)
{
    for (auto& c : s)
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c + 0x20);
    return s;
}

bool OnlyFrom(std::u16string_view text, std::u16string_view allowed)
{
    for (char16_t c : text)
        if (allowed.find(c) == std::u16string_view::npos)
            return false;
    return true;
}

TEST(MakeKeyGroups, OneKeyGivesRunsOfTwoToFour)
{
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        Lcg15 random(seed);
        PracticeTextGenerator gen(random);
        std::u16string out;
        ASSERT_TRUE(gen.MakeKeyGroups({Letter(u'f', 1, true)}, 128, false, false,
                                      GroupShape::FromLesson(0, 0, 1), out));
        ASSERT_EQ(out.size(), 128u);
        const auto groups = Split(out, u" ");
        for (size_t i = 0; i + 1 < groups.size(); ++i) {
            EXPECT_GE(groups[i].size(), 2u) << seed;
            EXPECT_LE(groups[i].size(), 4u) << seed;
            EXPECT_TRUE(OnlyFrom(groups[i], u"f"));
        }
        EXPECT_EQ(out.find(u"  "), std::u16string::npos);
    }
}

TEST(MakeKeyGroups, SequentialGroupsRepeatAndCapitalise)
{
    const std::vector<PracticeKey> keys = {Letter(u'a', 4, true), Letter(u's', 3, true),
                                           Letter(u'd', 2, true), Letter(u'f', 1, true)};
    for (int repeat : {1, 2, 3}) {
        Lcg15 random(7);
        PracticeTextGenerator gen(random);
        std::u16string out;
        ASSERT_TRUE(gen.MakeKeyGroups(keys, 600, false, true, GroupShape::FromLesson(3, repeat, 0), out));
        const auto groups = Split(out, u" ");
        const std::u16string cycle = u"asdfasdfasdf";
        for (size_t i = 0; i + 1 < groups.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "repeat " << repeat << " group " << i);
            const size_t made = i / static_cast<size_t>(repeat); // groups built before this one
            // The walk goes on where the previous group stopped.
            EXPECT_EQ(Lower(groups[i]), cycle.substr((made * 3) % 4, 3));
            std::u16string expected = Lower(groups[i]);
            const size_t k = made * static_cast<size_t>(repeat); // groups emitted when it was built
            if (made > 0 && k % 3 == 1) {
                expected[0] = UpperCaseOf(expected[0]);
            } else if (made > 0 && k % 3 == 2) {
                for (auto& c : expected)
                    c = UpperCaseOf(c);
            }
            EXPECT_EQ(groups[i], expected);
        }
    }
}

TEST(MakeKeyGroups, CharactersSeparatorsAndFailures)
{
    Lcg15 random(3);
    PracticeTextGenerator gen(random);
    std::u16string out;
    // Capitals add the shifted symbol of an ordinary key, not the capital of a letter key
    // (capitals of letters come from the group pattern).
    ASSERT_TRUE(gen.MakeKeyGroups({Ordinary(u'1', u'!'), Letter(u'q', 4, true)}, 400, false, true,
                                  GroupShape::FromLesson(4, 1, 2), out));
    EXPECT_TRUE(OnlyFrom(out, u"1!qQ "));
    EXPECT_NE(out.find(u'!'), std::u16string::npos);
    ASSERT_TRUE(gen.MakeKeyGroups({Ordinary(u'1', u'!')}, 50, false, false, GroupShape::FromLesson(4, 1, 2), out));
    EXPECT_TRUE(OnlyFrom(out, u"1 "));

    // Keypad groups end with Enter; a key listed twice counts once there.
    ASSERT_TRUE(gen.MakeKeyGroups({Ordinary(u'4', 0), Ordinary(u'4', 0), Ordinary(u'5', 0)}, 200, true,
                                  false, GroupShape::FromLesson(4, 1, 0), out));
    EXPECT_EQ(out.substr(0, 15), u"4545\r4545\r4545\r");

    // Modifier keys, backspace and tab give nothing to practise.
    EXPECT_FALSE(gen.MakeKeyGroups({Modifier(160), Ordinary(u'\b', 0), Ordinary(u'\t', 0)}, 50, false,
                                   false, GroupShape{}, out));
    EXPECT_TRUE(out.empty());
}

TEST(MakeKeyGroups, RandomStartGroupsAreRunsOfTheKeyOrder)
{
    const std::vector<PracticeKey> keys = {Letter(u'j', 1, false), Letter(u'k', 2, false),
                                           Letter(u'l', 3, false)};
    for (uint32_t seed = 1; seed <= 10; ++seed) {
        Lcg15 random(seed);
        PracticeTextGenerator gen(random);
        std::u16string out;
        ASSERT_TRUE(gen.MakeKeyGroups(keys, 300, false, false, GroupShape::FromLesson(2, 1, 1), out));
        const auto groups = Split(out, u" ");
        std::set<std::u16string> seen;
        for (size_t i = 0; i + 1 < groups.size(); ++i) {
            EXPECT_NE(std::u16string(u"jkljkl").find(groups[i]), std::u16string::npos) << groups[i].size();
            seen.insert(groups[i]);
        }
        EXPECT_GT(seen.size(), 1u) << "the start moves";
    }
}

TEST(MakeFingerGroups, WordsOfOneFingerInFingerOrder)
{
    // Left index: f g; left middle: d; right index: j (alone).
    const std::vector<PracticeKey> keys = {Letter(u'f', 1, true), Letter(u'd', 2, true),
                                           Letter(u'g', 1, true), Letter(u'j', 1, false),
                                           Letter(u'f', 1, true)};
    const std::vector<std::u16string> fingers = {u"fg", u"d", u"j"}; // in group order
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        Lcg15 random(seed);
        PracticeTextGenerator gen(random);
        std::u16string out;
        ASSERT_TRUE(gen.MakeFingerGroups(keys, 500, false, GroupShape::FromLesson(0, 0, 2), out));
        ASSERT_EQ(out.size(), 500u);
        const auto words = Split(out, u" ");
        size_t group = 99;
        size_t run = 0;
        for (size_t i = 0; i + 1 < words.size(); ++i) {
            size_t g = 0;
            while (g < fingers.size() && !OnlyFrom(words[i], fingers[g]))
                ++g;
            ASSERT_LT(g, fingers.size()) << "word of one finger";
            if (g == group) {
                ++run;
            } else {
                if (group != 99) {
                    EXPECT_EQ(g, (group + 1) % fingers.size()) << "next finger";
                }
                group = g;
                run = 1;
            }
            if (fingers[g].size() == 1) {
                EXPECT_EQ(words[i].size(), 3u);
                EXPECT_EQ(run, 1u) << "a single-key finger repeats once";
            } else {
                EXPECT_GE(words[i].size(), 2u);
                EXPECT_LE(words[i].size(), 4u);
                EXPECT_LE(run, 3u);
            }
        }
    }
}

TEST(MakeFingerGroups, KeypadUsesTheFingerAlone)
{
    // On the keypad the hand does not count: 1, 4 and 7 all belong to the index finger.
    const std::vector<PracticeKey> keys = {Ordinary(u'4', 0, 1, false), Ordinary(u'1', 0, 1, true),
                                           Ordinary(u'5', 0, 2, false), Modifier(144)};
    Lcg15 random(5);
    PracticeTextGenerator gen(random);
    std::u16string out;
    ASSERT_TRUE(gen.MakeFingerGroups(keys, 200, true, GroupShape::FromLesson(3, 2, 0), out));
    const auto words = Split(out, u"\r");
    for (size_t i = 0; i + 1 < words.size(); ++i) {
        EXPECT_TRUE(words[i] == u"414" || words[i] == u"555") << std::string(words[i].begin(), words[i].end());
    }
    EXPECT_EQ(out.find(u' '), std::u16string::npos);
    EXPECT_FALSE(gen.MakeFingerGroups({Modifier(160)}, 10, false, GroupShape{}, out));
}

const std::u16string kDictionary = u"ask sad lad dad fall salad flask Jack jak's as\r\nad a";

TEST(MakeWordText, OnlyWordsOfTheAllowedCharactersAndSingles)
{
    const std::set<std::u16string> words = {u"ask", u"sad", u"lad", u"dad", u"fall", u"salad", u"flask",
                                            u"as", u"ad", u"a"};
    for (uint32_t seed = 1; seed <= 10; ++seed) {
        Lcg15 random(seed);
        PracticeTextGenerator gen(random);
        std::u16string out;
        ASSERT_TRUE(gen.MakeWordText(kDictionary, u"asdfl;g", 400, true, false, false, false, false, out));
        ASSERT_EQ(out.size(), 400u);
        EXPECT_EQ(out.find(u' ', 0) == 0, false);
        EXPECT_EQ(out.find(u" ;"), std::u16string::npos) << "punctuation follows its word";
        EXPECT_EQ(out.find(u'\r'), std::u16string::npos);
        const auto parts = Split(out, u" ");
        bool sawG = false;
        for (size_t i = 0; i + 1 < parts.size(); ++i) {
            std::u16string w = parts[i];
            while (!w.empty() && w.back() == u';')
                w.pop_back();
            if (!w.empty() && w[0] == u'g') {
                sawG = true;
                EXPECT_TRUE(w.size() >= 2 && w.size() <= 4 && OnlyFrom(w, u"g")) << "a single of g";
                continue;
            }
            if (w.empty())
                continue; // a semicolon at the very start
            EXPECT_TRUE(words.count(w)) << std::string(w.begin(), w.end());
        }
        EXPECT_TRUE(sawG);
    }
}

TEST(MakeWordText, CapitalsKeepTwoPlainWordsBetween)
{
    Lcg15 random(11);
    PracticeTextGenerator gen(random);
    std::u16string out;
    ASSERT_TRUE(gen.MakeWordText(kDictionary, u"asdfl", 2000, false, false, true, false, false, out));
    const auto parts = Split(out, u" ");
    int plain = 2;
    int capitalised = 0;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        const std::u16string& w = parts[i];
        const bool upperFirst = w[0] >= u'A' && w[0] <= u'Z';
        if (upperFirst) {
            EXPECT_GE(plain, 2) << i;
            const bool all = OnlyFrom(w, u"ASDFL");
            const bool first = OnlyFrom(w.substr(1), u"asdfl");
            EXPECT_TRUE(all || first);
            plain = 0;
            ++capitalised;
        } else {
            EXPECT_TRUE(OnlyFrom(w, u"asdfl"));
            ++plain;
        }
    }
    EXPECT_GT(capitalised, 10);

    // Practice type 1 drops the pause between capitalised words.
    ASSERT_TRUE(gen.MakeWordText(kDictionary, u"asdfl", 2000, false, false, true, false, true, out));
    bool adjacent = false;
    const auto parts1 = Split(out, u" ");
    for (size_t i = 1; i + 1 < parts1.size(); ++i)
        adjacent |= parts1[i][0] < u'a' && parts1[i - 1][0] < u'a';
    EXPECT_TRUE(adjacent);
}

TEST(MakeWordText, LineBreaksKeypadAndFailure)
{
    Lcg15 random(2);
    PracticeTextGenerator gen(random);
    std::u16string out;
    ASSERT_TRUE(gen.MakeWordText(kDictionary, u"asdfl", 3000, false, true, false, false, false, out));
    const size_t breaks = static_cast<size_t>(std::count(out.begin(), out.end(), u'\r'));
    const size_t spaces = static_cast<size_t>(std::count(out.begin(), out.end(), u' '));
    EXPECT_GT(breaks, (breaks + spaces) / 5);
    EXPECT_LT(breaks, (breaks + spaces) / 2);

    ASSERT_TRUE(gen.MakeWordText(u"44 45 456 7", u"456", 100, false, false, false, true, false, out));
    EXPECT_EQ(out.find(u' '), std::u16string::npos);
    const auto numbers = Split(out, u"\r");
    for (size_t i = 0; i + 1 < numbers.size(); ++i) {
        EXPECT_TRUE(numbers[i] == u"44" || numbers[i] == u"45" || numbers[i] == u"456");
    }

    EXPECT_FALSE(gen.MakeWordText(kDictionary, u"xyz", 100, false, false, false, false, false, out));
    EXPECT_TRUE(out.empty());
}

TEST(MakeWordText, ReviewOfCharactersWithoutWords)
{
    for (uint32_t seed = 1; seed <= 10; ++seed) {
        Lcg15 random(seed);
        PracticeTextGenerator gen(random);
        std::u16string out;
        ASSERT_TRUE(gen.MakeWordText(kDictionary, u"xq?", 300, true, false, false, false, false, out));
        const auto parts = Split(out, u" ");
        for (size_t i = 0; i + 1 < parts.size(); ++i) {
            const std::u16string& w = parts[i];
            std::u16string run = w; // glued punctuation stands right after a run
            while (!run.empty() && run.back() == u'?')
                run.pop_back();
            if (run.empty())
                continue;
            EXPECT_TRUE(OnlyFrom(run, u"x") || OnlyFrom(run, u"q")) << std::string(w.begin(), w.end());
            EXPECT_GE(run.size(), 2u);
            EXPECT_LE(run.size(), 4u);
        }
        EXPECT_EQ(out.find(u" ?"), std::u16string::npos);
    }
}

const std::u16string kBody = u"Zero.\r\nOne line.\r\nTwo; three\r\nFour\r\n";

TEST(MakeSentenceText, RowListOrderAndRandomPasses)
{
    // Sentence starts: 0 "Zero.", 1 "One line.", 2 "Two; ", 3 "three", 4 "Four", 5 empty.
    ASSERT_EQ(CountSentences(kBody), 6u);
    Lcg15 random(4);
    PracticeTextGenerator gen(random);
    std::u16string out;
    ASSERT_TRUE(gen.MakeSentenceText(kBody, {1, 2, 4}, 200, out));
    ASSERT_EQ(out.size(), 200u);
    const auto lines = Split(out, u"\r");
    const std::u16string expected[] = {u"Two; three", u"Four", u"One line."};
    for (size_t i = 0; i + 1 < lines.size(); ++i)
        EXPECT_EQ(lines[i], expected[i % 3]) << i; // 2, 4, 1, 2, 4, 1 ...

    // Numbers beyond the body are dropped; with none left each pass takes a random line.
    std::set<std::u16string> seen;
    ASSERT_TRUE(gen.MakeSentenceText(kBody, {7, -1, 40}, 400, out));
    const std::set<std::u16string> all = {u"Zero.", u"One line.", u"Two; three", u"three", u"Four"};
    const auto randomLines = Split(out, u"\r");
    for (size_t i = 0; i + 1 < randomLines.size(); ++i) {
        EXPECT_TRUE(all.count(randomLines[i])) << std::string(randomLines[i].begin(), randomLines[i].end());
        seen.insert(randomLines[i]);
    }
    EXPECT_GT(seen.size(), 2u);
}

TEST(MakeSentenceText, LongListsAreShuffledPassByPass)
{
    std::u16string body;
    for (char16_t c = u'a'; c <= u'h'; ++c)
        body += std::u16string(1, c) + u"\r\n";
    const std::vector<int16_t> rows = {0, 1, 2, 3, 4, 5, 6, 7};
    Lcg15 random(9);
    PracticeTextGenerator gen(random);
    std::u16string out;
    ASSERT_TRUE(gen.MakeSentenceText(body, rows, 2 * (7 + 8 * 6), out));
    EXPECT_EQ(out.substr(0, 14), u"b\rc\rd\re\rf\rg\rh\r"); // the first pass from the second number
    std::u16string rest = out.substr(14);
    bool shuffled = false;
    for (size_t pass = 0; pass < 6; ++pass) {
        std::u16string letters;
        for (size_t i = 0; i < 8; ++i)
            letters += rest[pass * 16 + 2 * i];
        std::u16string sorted = letters;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, u"abcdefgh") << "each pass takes every line once";
        shuffled |= letters != u"abcdefgh";
    }
    EXPECT_TRUE(shuffled);
}

TEST(MakeSentenceText, BodiesWithoutTwoSentencesFailAndLineFeedsBecomeEnter)
{
    Lcg15 random(1);
    PracticeTextGenerator gen(random);
    std::u16string out;
    EXPECT_FALSE(gen.MakeSentenceText(u"only one sentence", {0}, 50, out));
    EXPECT_FALSE(gen.MakeSentenceText(u"", {}, 50, out));
    ASSERT_TRUE(gen.MakeSentenceText(u"ab\ncd\n", {0}, 9, out)); // the empty last one is skipped
    EXPECT_EQ(out, u"ab\rab\rab\r");
}

TEST(MakeKeyDrillText, PartsInOrderAndAtRandom)
{
    Lcg15 random(6);
    PracticeTextGenerator gen(random);
    std::u16string out;
    ASSERT_TRUE(gen.MakeKeyDrillText(u"abc", u"xyzabc", 103, false, out));
    ASSERT_EQ(out.size(), 103u);
    EXPECT_EQ(out.substr(0, 50), std::u16string(u"abcabcabcabcabcabcabcabcabcabcabcabcabcabcabcabcab"));
    EXPECT_TRUE(OnlyFrom(out.substr(50, 25), u"abc"));
    EXPECT_TRUE(OnlyFrom(out.substr(75, 25), u"xyzabc"));
    EXPECT_EQ(out.substr(100), u"   ");

    ASSERT_TRUE(gen.MakeKeyDrillText(u"abc", u"xyzabc", 102, true, out));
    EXPECT_TRUE(OnlyFrom(out.substr(0, 50), u"abc"));
    EXPECT_TRUE(OnlyFrom(out.substr(50, 50), u"xyzabc"));
    EXPECT_NE(out.substr(50, 50).find_first_of(u"xyz"), std::u16string::npos);
    EXPECT_EQ(out.substr(100), u"  ");
    EXPECT_FALSE(gen.MakeKeyDrillText(u"", u"abc", 100, false, out));
}

TEST(PracticeSizes, LessonAndReviewSizes)
{
    struct Case
    {
        uint32_t option;
        size_t lesson, review;
    };
    const Case cases[] = {{0, 128, 128}, {1, 512, 512}, {2, 1024, 1024}, {3, 64, 20},
                          {19, 64, 20},  {20, 64, 20},  {63, 64, 63},    {64, 64, 64},
                          {4096, 4096, 4096}, {30000, 24000, 24000}};
    for (const auto& c : cases) {
        EXPECT_EQ(LessonSizeFromOption(c.option), c.lesson) << c.option;
        EXPECT_EQ(ReviewSizeFromOption(c.option), c.review) << c.option;
    }
    EXPECT_EQ(LessonSize(0, 4096), 128u);
    EXPECT_EQ(LessonSize(2, 24000), 1024u);
    EXPECT_EQ(LessonSize(3, 4096), 4096u);
    EXPECT_EQ(LessonSize(255, 99999), 24000u);
    EXPECT_EQ(UpperCaseOf(u'z'), u'Z');
    EXPECT_EQ(UpperCaseOf(u'\u00E9'), u'\u00C9');
    EXPECT_EQ(UpperCaseOf(u'\u00DF'), u'\u00DF'); // no single capital
    EXPECT_EQ(UpperCaseOf(u'\u0107'), u'\u0106');
    EXPECT_EQ(UpperCaseOf(u'\u017E'), u'\u017D');
    EXPECT_EQ(UpperCaseOf(u'\u0436'), u'\u0416');
    EXPECT_EQ(UpperCaseOf(u'1'), u'1');
}

} // namespace
} // namespace kf
