#include "core/commandlinebuilder.h"
#include "platform/commandlinesplitter.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

struct LineCase
{
    const char* what;
    const char* input;
    const char* outputFolder;
    ConversionOptions options;
    const char* expected;
};

TEST(CommandLineBuilderTest, EveryPartOfTheLine)
{
    const LineCase cases[] = {
        {"defaults", "/in/a.pdf", "/out", {}, "/p/data/pdftotext \"/in/a.pdf\" \"/out/a.txt\" -f 1 "},
        {"first dot names the output, pages and no breaks", "/in/a.b.pdf", "/out",
         {"2", "5", "NO", " "},
         "/p/data/pdftotext \"/in/a.b.pdf\" \"/out/a.txt\" -f 2 -l 5 -nopgbrk "},
        {"trailing slash typed", "/in/a.pdf", "/out/", {}, "/p/data/pdftotext \"/in/a.pdf\" \"/out/a.txt\" -f 1 "},
        {"last page 7", "/in/a.pdf", "/out", {"1", "7", "YES", " "},
         "/p/data/pdftotext \"/in/a.pdf\" \"/out/a.txt\" -f 1 -l 7 "},
        {"empty first page stands as it is", "/in/a.pdf", "/out", {"", "ALL PAGES", "YES", " "},
         "/p/data/pdftotext \"/in/a.pdf\" \"/out/a.txt\" -f  "},
        {"empty last page is not ALL PAGES", "/in/a.pdf", "/out", {"1", "", "YES", " "},
         "/p/data/pdftotext \"/in/a.pdf\" \"/out/a.txt\" -f 1 -l  "},
        {"all pages spelled otherwise still passes -l", "/in/a.pdf", "/out", {"1", "all pages", "YES", " "},
         "/p/data/pdftotext \"/in/a.pdf\" \"/out/a.txt\" -f 1 -l all pages "},
        {"blank password passes nothing", "/in/a.pdf", "/out", {"1", "ALL PAGES", "YES", "   "},
         "/p/data/pdftotext \"/in/a.pdf\" \"/out/a.txt\" -f 1 "},
        {"password as it stands, then breaks", "/in/a.pdf", "/out", {"1", "ALL PAGES", "NO", " s3cret "},
         "/p/data/pdftotext \"/in/a.pdf\" \"/out/a.txt\" -f 1 -opw  s3cret  -nopgbrk "},
        {"YES passes nothing, lower-case no too", "/in/a.pdf", "/out", {"1", "ALL PAGES", "no", " "},
         "/p/data/pdftotext \"/in/a.pdf\" \"/out/a.txt\" -f 1 "},
        {"password with a blank is one argument", "/in/a.pdf", "/out", {"1", "ALL PAGES", "YES", "own er"},
         "/p/data/pdftotext \"/in/a.pdf\" \"/out/a.txt\" -f 1 -opw \"own er\" "},
        {"quote in a file name is escaped", "/in/say \"hi\".pdf", "/out", {},
         "/p/data/pdftotext \"/in/say \\\"hi\\\".pdf\" \"/out/say \\\"hi\\\".txt\" -f 1 "},
        {"relative name starting with a dash", "-rf.pdf", "-out", {},
         "/p/data/pdftotext \"./-rf.pdf\" \"./-out/-rf.txt\" -f 1 "},
    };
    for (const LineCase& c : cases)
        EXPECT_EQ(BuildCommandLine("/p", c.input, c.outputFolder, c.options), c.expected) << c.what;
}

TEST(CommandLineBuilderTest, HostileNamesSplitBackToThemselves)
{
    // Whatever a name or password holds, the converter receives it as exactly one argument.
    const std::string inputs[] = {"/in/a b.pdf", "/in/$(touch x); rm -rf ~.pdf", "/in/q\"uo\"te.pdf",
                                  "/in/back\\slash\\.pdf", "/in/ends\\", "/in/tab\there.pdf",
                                  "/in/\"\\\"\".pdf"};
    const std::string passwords[] = {"a b", "x\"y", "\\\"", "tab\tbed", "end\\"};
    for (const std::string& input : inputs) {
        for (const std::string& password : passwords) {
            const ConversionOptions options{"3", "9", "NO", password};
            const auto split = SplitCommandLine(BuildCommandLine("/opt/my tools", input, "/o u t", options),
                                                [](const std::string& p) { return p == "/opt/my tools/data/pdftotext"; });
            ASSERT_TRUE(split);
            EXPECT_EQ(split->program, "/opt/my tools/data/pdftotext");
            const std::vector<std::string> expected = {
                input, OutputPathFor(input, "/o u t"), "-f", "3", "-l", "9", "-opw", password, "-nopgbrk"};
            EXPECT_EQ(split->arguments, expected) << input << " / " << password;
        }
    }
}

TEST(CommandLineBuilderTest, OutputPathAndConverterPath)
{
    EXPECT_EQ(OutputPathFor("/in/x.y.pdf", "/out"), "/out/x.txt");
    EXPECT_EQ(OutputPathFor("/in/x.pdf", "/out/"), "/out/x.txt");
    EXPECT_EQ(OutputPathFor("/in/x.z.pdf", "/out"), OutputPathFor("/in/x.pdf", "/out"));
    EXPECT_EQ(ConverterPath("/p"), "/p/data/pdftotext");
    EXPECT_EQ(ConverterPath("/p/"), "/p/data/pdftotext");
    EXPECT_FALSE(HasPassword(" "));
    EXPECT_FALSE(HasPassword("\t "));
    EXPECT_TRUE(HasPassword(" x "));
}

} // namespace
} // namespace pw
