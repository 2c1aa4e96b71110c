#include "core/batcharguments.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

using Args = std::vector<std::string>;

TEST(BatchArgumentsTest, Accepted)
{
    BatchArguments parsed;
    std::string error;
    ASSERT_TRUE(ParseBatchArguments({"--output", "out", "--first", "2", "--last", "ALL", "a.pdf",
                                     "--no-page-breaks", "--password", "p w", "--", "--odd.pdf", "dir"},
                                    parsed, error))
        << error;
    EXPECT_EQ(parsed.outputFolder, "out");
    EXPECT_EQ(parsed.options.firstPage, "2");
    EXPECT_EQ(parsed.options.lastPage, "ALL PAGES");
    EXPECT_EQ(parsed.options.pageBreaks, "NO");
    EXPECT_EQ(parsed.options.password, "p w");
    EXPECT_EQ(parsed.paths, (Args{"a.pdf", "--odd.pdf", "dir"}));

    ASSERT_TRUE(ParseBatchArguments({"--last", "9", "--output", "o", "x"}, parsed, error));
    EXPECT_EQ(parsed.options.lastPage, "9");
    EXPECT_EQ(parsed.options.firstPage, "1");
    EXPECT_EQ(parsed.options.pageBreaks, "YES");
    EXPECT_EQ(parsed.options.password, " ");

    ASSERT_TRUE(ParseBatchArguments({"--help"}, parsed, error));
    EXPECT_TRUE(parsed.help);
}

TEST(BatchArgumentsTest, Refused)
{
    const std::pair<Args, const char*> cases[] = {
        {{"a.pdf"}, "--output DIR is missing"},
        {{"--output", "o"}, "no PATH to convert"},
        {{"--output"}, "--output needs a value"},
        {{"--output", "", "a"}, "--output needs a folder"},
        {{"--output", "o", "--first", "1x", "a"}, "--first needs a page number, not '1x'"},
        {{"--output", "o", "--first", "", "a"}, "--first needs a page number, not ''"},
        {{"--output", "o", "--last", "some", "a"}, "--last needs a page number or ALL, not 'some'"},
        {{"--output", "o", "--verbose", "a"}, "unknown option --verbose"},
    };
    for (const auto& [args, message] : cases) {
        BatchArguments parsed;
        std::string error;
        EXPECT_FALSE(ParseBatchArguments(args, parsed, error));
        EXPECT_EQ(error, message);
    }
}

} // namespace
} // namespace pw
