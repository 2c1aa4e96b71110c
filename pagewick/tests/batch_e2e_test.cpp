// The staged program itself, started like a user starts it: the batch mode over a folder tree,
// with the real pdftotext, and its answers to wrong arguments.
#include "helpers/testpdf.h"
#include "helpers/testsupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace pw {
namespace {

using test::ReadFile;

class BatchTest : public ::testing::Test
{
protected:
    BatchTest()
    {
        std::filesystem::copy_file(PW_STAGE_DIR "/pagewick", program / "pagewick");
        test::MakeProgramFolder(program.Path());
    }

    test::ProgramRun Batch(std::vector<std::string> args)
    {
        args.insert(args.begin(), "--batch");
        return test::RunProgram(program / "pagewick", args, work.Path(), {"QT_QPA_PLATFORM=offscreen"});
    }

    void Pdf(const std::string& name, const std::vector<std::string>& pages)
    {
        test::MakeFolders(std::filesystem::path(work / name).parent_path());
        ASSERT_TRUE(test::WritePdf(work / name, pages));
    }

    test::TempFolder program;
    test::TempFolder work;
};

TEST_F(BatchTest, ConvertsAFolderTree)
{
    Pdf("in/a.pdf", {"Alpha one", "Alpha two"});
    Pdf("in/sub/b.pdf", {"Beta"});
    Pdf("in/sub/deeper/c.PDF", {"Gamma"});
    test::WriteFile(work / "in/notes.txt", "not a pdf");
    Pdf("single.pdf", {"Single"});

    const test::ProgramRun run = Batch({"--output", "out", "in", "single.pdf"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    // Relative paths stay as given; a folder's own files come before its subfolders'.
    EXPECT_EQ(run.out,
              "ok in/a.pdf -> out/a.txt\n"
              "ok in/sub/b.pdf -> out/b.txt\n"
              "ok in/sub/deeper/c.PDF -> out/c.txt\n"
              "ok single.pdf -> out/single.txt\n");
    EXPECT_EQ(ReadFile(work / "out/a.txt"), "Alpha one\n\n\fAlpha two\n\n\f");
    EXPECT_EQ(ReadFile(work / "out/c.txt"), "Gamma\n\n\f");
    EXPECT_FALSE(std::filesystem::exists(work / "out/notes.txt"));
    // The batch mode writes no settings.
    EXPECT_FALSE(std::filesystem::exists(program / "setup.ini"));
}

TEST_F(BatchTest, PagesBreaksAndPasswords)
{
    Pdf("three.pdf", {"One", "Two", "Three"});
    Pdf("plain.pdf", {"Locked text"});
    ASSERT_EQ(std::system(("qpdf --encrypt 'u' 'own er' 256 -- '" + work / "plain.pdf" + "' '" +
                           work / "locked.pdf" + "'").c_str()),
              0);

    test::ProgramRun run = Batch({"--output", work / "out", "--first", "2", "--last", "3",
                                  "--no-page-breaks", work / "three.pdf"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadFile(work / "out/three.txt"), "Two\n\nThree\n\n");

    run = Batch({"--output", work / "out", "--password", "own er", work / "locked.pdf"});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(ReadFile(work / "out/locked.txt"), "Locked text\n\n\f");

    run = Batch({"--output", work / "out", "--password", "wrong", work / "locked.pdf", work / "three.pdf"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "failed " + work / "locked.pdf" +
                           ": Cannot Read From File: locked.pdf Please check the PDF Password.\n"
                           "ok " + work / "three.pdf" + " -> " + work / "out/three.txt\n");
    EXPECT_NE(run.err.find("Incorrect password"), std::string::npos) << run.err;
}

TEST_F(BatchTest, FailuresAndWrongArguments)
{
    Pdf("a.pdf", {"A"});
    test::ProgramRun run = Batch({"--output", "out", "missing.pdf", "a.pdf"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "failed missing.pdf: no such file or folder\nok a.pdf -> out/a.txt\n");

    test::MakeFolders(work / "empty");
    run = Batch({"--output", "out", "empty"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Please add a file"), std::string::npos);

    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"a.pdf"}, {"--output", "out"}, {"--output", "out", "--last", "x", "a.pdf"},
          {"--bogus", "--output", "out", "a.pdf"}}) {
        run = Batch(wrong);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find("usage: pagewick --batch"), std::string::npos);
        EXPECT_EQ(run.out, "");
    }

    run = Batch({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("usage: pagewick --batch", 0), 0u);

    std::filesystem::remove(program / "data/pdftotext");
    run = Batch({"--output", "out", "a.pdf"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "failed a.pdf: File or command not found\n");
}

TEST_F(BatchTest, WindowProgramAnswersHelpWithoutADisplay)
{
    const test::ProgramRun run = test::RunProgram(program / "pagewick", {"--help"}, work.Path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("usage: pagewick [PATH...]", 0), 0u);
}

} // namespace
} // namespace pw
