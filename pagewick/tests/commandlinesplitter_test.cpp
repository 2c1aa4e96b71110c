#include "platform/commandlinesplitter.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLineSplitterTest, ArgumentRules)
{
    const std::pair<const char*, Args> cases[] = {
        {"", {}},
        {"   \t ", {}},
        {"a b\tc", {"a", "b", "c"}},
        {"  a   b  ", {"a", "b"}},
        {"\"a b\" c", {"a b", "c"}},
        {"x\"a b\"y", {"xa by"}},          // quotes start and stop inside an argument
        {"\"\"", {""}},                     // an empty quoted argument
        {"\"a \"\"b\"\" c\"", {"a \"b\" c"}}, // a doubled quote inside quotes
        {"a\\b c\\\\d", {"a\\b", "c\\\\d"}}, // backslashes before anything else are literal
        {"\\\"a", {"\"a"}},                 // 1 backslash + quote: literal quote
        {"\\\\\"a b\"", {"\\a b"}},         // 2 backslashes + quote: one backslash, grouping
        {"\\\\\\\"a", {"\\\"a"}},           // 3 backslashes + quote: backslash and literal quote
        {"\"unclosed arg", {"unclosed arg"}},
        {"end\\", {"end\\"}},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(SplitArguments(text), expected) << text;
}

TEST(CommandLineSplitterTest, QuotingRoundTrips)
{
    const std::string samples[] = {"", "plain", "a b", "\"", "\\", "a\\", "a\\\\", "\\\"", "\" \"",
                                   "x\\\\\"y", "tab\t", "-opw", "$(rm -rf /)"};
    for (const std::string& s : samples) {
        EXPECT_EQ(SplitArguments(QuoteArgument(s)), Args{s}) << s;
        EXPECT_EQ(SplitArguments(AlwaysQuoteArgument(s)), Args{s}) << s;
        EXPECT_EQ(SplitArguments(QuoteArgument(s) + " " + QuoteArgument(s)), (Args{s, s})) << s;
    }
    EXPECT_EQ(QuoteArgument("plain"), "plain");
    EXPECT_EQ(AlwaysQuoteArgument("/in/a.pdf"), "\"/in/a.pdf\"");
}

TEST(CommandLineSplitterTest, ProgramPart)
{
    const auto exists = [](const std::string& p) {
        return p == "/opt/my tools/bin/conv" || p == "conv";
    };
    struct Case
    {
        const char* line;
        const char* program;
        Args arguments;
    };
    const Case cases[] = {
        {"conv -f 1", "conv", {"-f", "1"}},
        {"  conv", "conv", {}},
        {"\"/opt/my tools/bin/conv\" \"a b\"", "/opt/my tools/bin/conv", {"a b"}},
        // unquoted with blanks: the shortest prefix that names a program
        {"/opt/my tools/bin/conv \"a b\" -f 1", "/opt/my tools/bin/conv", {"a b", "-f", "1"}},
        // nothing matches: the first token, which then fails to start
        {"/nowhere/x y z", "/nowhere/x", {"y", "z"}},
        {"\"/unclosed quote", "/unclosed quote", {}},
    };
    for (const Case& c : cases) {
        const auto split = SplitCommandLine(c.line, exists);
        ASSERT_TRUE(split) << c.line;
        EXPECT_EQ(split->program, c.program) << c.line;
        EXPECT_EQ(split->arguments, c.arguments) << c.line;
    }
    EXPECT_FALSE(SplitCommandLine("   ", exists));
    EXPECT_FALSE(SplitCommandLine("\"\" x", exists));
}

} // namespace
} // namespace pw
