#include "session/lessonsentences.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace kf {
namespace {

TEST(LessonSentences, EndingsAndStarts)
{
    struct Case
    {
        std::u16string text;
        std::vector<size_t> starts; // FindSentence(0..n-1); CountSentences is their number
    };
    const Case cases[] = {
        {u"one. two\r\nthree", {0, 5, 10}},
        {u"one;two", {0}},            // no space after the semicolon
        {u"one; two", {0, 5}},
        {u"word\r\n", {0, 6}},        // the last sentence is empty
        {u"a\rb\nc\r\nd", {0, 2, 4, 7}},
        {u"a\r\n\r\nb", {0, 5}},      // a blank line ends one sentence
        {u"end.", {0}},               // a full stop at the very end is no ending
        {u"x. ", {0, 3}},
        {u"", {0}},
        {std::u16string(u"a. b\0c. d", 9), {0, 3}}, // read up to the NUL
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        EXPECT_EQ(CountSentences(c.text), c.starts.size());
        EXPECT_EQ(SentenceStarts(c.text), c.starts);
        for (size_t n = 0; n < c.starts.size(); ++n)
            EXPECT_EQ(FindSentence(c.text, n), std::optional<size_t>(c.starts[n]));
        EXPECT_EQ(FindSentence(c.text, c.starts.size()), std::nullopt);
    }
}

} // namespace
} // namespace kf
