// The conversion run end to end, with the real pdftotext on PDF files made by the test.
#include "core/converter.h"
#include "helpers/testpdf.h"
#include "helpers/testsupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace pw {
namespace {

using test::ReadFile;
using test::TempFolder;

struct Done
{
    std::string input;
    std::string output;
    bool ok;
    std::string reason;
};

class RecordingHost : public ConverterHost
{
public:
    std::string OutputFolder() override { return outputFolder; }
    ConversionOptions Options() override { return options; }
    void RunStarting() override { ++starts; }
    void FileStarting(const std::string& input) override
    {
        started.push_back(input);
        if (onFileStarting)
            onFileStarting();
    }
    void FileDone(const std::string& input, const std::string& output, bool ok,
                  const std::string& reason) override
    {
        done.push_back({input, output, ok, reason});
    }
    void RunFinished() override { ++finishes; }

    std::string outputFolder;
    ConversionOptions options;
    std::function<void()> onFileStarting;
    std::vector<std::string> started;
    std::vector<Done> done;
    int starts = 0;
    int finishes = 0;
};

class ConverterTest : public ::testing::Test
{
protected:
    ConverterTest()
        : runner(messages, pump), converter(program.Path(), queue, runner, messages, host)
    {
        test::MakeProgramFolder(program.Path());
        host.outputFolder = work / "out";
    }

    std::string Pdf(const std::string& name, const std::vector<std::string>& pages)
    {
        const std::string path = work / name;
        EXPECT_TRUE(test::WritePdf(path, pages));
        return path;
    }

    std::string Encrypted(const std::string& name)
    {
        const std::string plain = Pdf("plain-" + name, {"Secret one", "Secret two"});
        const std::string path = work / name;
        const std::string command = "qpdf --encrypt 'us er' 'own er' 256 -- '" + plain + "' '" + path + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
        return path;
    }

    TempFolder program;
    TempFolder work;
    test::SleepingPump pump;
    test::RecordedMessages messages;
    DOSOutputs runner;
    ConversionQueue queue;
    RecordingHost host;
    Converter converter;
};

TEST_F(ConverterTest, EmptyQueueAsksForAFile)
{
    EXPECT_FALSE(converter.Start());
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].title, "Add");
    EXPECT_EQ(messages.messages[0].text, "Please add a file");
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(host.starts, 0);
    EXPECT_EQ(host.finishes, 0);
}

TEST_F(ConverterTest, QueueIsConvertedInOrderWithOneFinish)
{
    queue.Append(Pdf("a.pdf", {"Page one", "Page two", "Page three"}));
    queue.Append(Pdf("b.pdf", {"Bee"}));
    queue.Append(Pdf("c.d.pdf", {"Sea"}));
    EXPECT_TRUE(converter.Start());

    EXPECT_TRUE(queue.Empty());
    EXPECT_EQ(host.starts, 1);
    EXPECT_EQ(host.finishes, 1);
    EXPECT_EQ(host.started, (std::vector<std::string>{work / "a.pdf", work / "b.pdf", work / "c.d.pdf"}));
    ASSERT_EQ(host.done.size(), 3u);
    for (const Done& d : host.done)
        EXPECT_TRUE(d.ok) << d.input << ": " << d.reason;
    EXPECT_EQ(host.done[2].output, work / "out/c.txt");
    EXPECT_EQ(ReadFile(work / "out/a.txt"), "Page one\n\n\fPage two\n\n\fPage three\n\n\f");
    EXPECT_EQ(ReadFile(work / "out/b.txt"), "Bee\n\n\f");
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(ConverterTest, PageRangesAndPageBreaks)
{
    struct Case
    {
        ConversionOptions options;
        const char* text;
    };
    const Case cases[] = {
        {{"2", "ALL PAGES", "YES", " "}, "Page two\n\n\fPage three\n\n\f"},
        {{"1", "2", "NO", " "}, "Page one\n\nPage two\n\n"},
        {{"3", "3", "NO", " "}, "Page three\n\n"},
        {{"2", "9", "YES", " "}, "Page two\n\n\fPage three\n\n\f"}, // beyond the end: up to the end
    };
    const std::string pdf = Pdf("pages.pdf", {"Page one", "Page two", "Page three"});
    for (const Case& c : cases) {
        host.options = c.options;
        queue.Append(pdf);
        converter.Start();
        EXPECT_EQ(ReadFile(work / "out/pages.txt"), c.text)
            << c.options.firstPage << "-" << c.options.lastPage << " " << c.options.pageBreaks;
    }
    for (const Done& d : host.done)
        EXPECT_TRUE(d.ok);
}

TEST_F(ConverterTest, EncryptedFileNeedsTheRightOwnerPassword)
{
    const std::string pdf = Encrypted("locked.file.pdf");
    host.options.password = "own er"; // a password with a blank is passed whole
    queue.Append(pdf);
    converter.Start();
    ASSERT_EQ(host.done.size(), 1u);
    EXPECT_TRUE(host.done[0].ok);
    EXPECT_EQ(ReadFile(work / "out/locked.txt"), "Secret one\n\n\fSecret two\n\n\f");

    // A wrong password must not pass for success, although the text file of the right one is
    // still there.
    host.options.password = "wrong";
    queue.Append(pdf);
    converter.Start();
    ASSERT_EQ(host.done.size(), 2u);
    EXPECT_FALSE(host.done[1].ok);
    const std::string text = "Cannot Read From File:\nlocked.pdf\nPlease check the PDF Password.";
    EXPECT_EQ(host.done[1].reason, text);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].title, "Cannot Create");
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(messages.messages[0].text, text);

    host.options.password = " "; // no password at all
    queue.Append(pdf);
    converter.Start();
    EXPECT_FALSE(host.done.back().ok);
}

TEST_F(ConverterTest, SameBaseNameSharesOneOutputTheLaterWins)
{
    queue.Append(Pdf("x.pdf", {"First"}));
    queue.Append(Pdf("x.z.pdf", {"Second"}));
    queue.Append(work / "notes.txt"); // not a PDF: the converter makes nothing
    test::WriteFile(work / "notes.txt", "plain text");
    converter.Start();
    ASSERT_EQ(host.done.size(), 3u);
    EXPECT_TRUE(host.done[0].ok);
    EXPECT_TRUE(host.done[1].ok);
    EXPECT_FALSE(host.done[2].ok);
    EXPECT_EQ(ReadFile(work / "out/x.txt"), "Second\n\n\f");
    EXPECT_EQ(host.finishes, 1);
}

TEST_F(ConverterTest, MissingConverterFailsEachFileAndTheRunGoesOn)
{
    std::filesystem::remove(program / "data/pdftotext");
    queue.Append(Pdf("a.pdf", {"A"}));
    queue.Append(Pdf("b.pdf", {"B"}));
    converter.Start();
    ASSERT_EQ(host.done.size(), 2u);
    for (const Done& d : host.done) {
        EXPECT_FALSE(d.ok);
        EXPECT_EQ(d.reason, "File or command not found");
    }
    ASSERT_EQ(messages.messages.size(), 2u); // the runner's, not "Cannot Create"
    EXPECT_EQ(messages.messages[1].text, "File or command not found");
    EXPECT_TRUE(queue.Empty());
    EXPECT_EQ(host.finishes, 1);
}

TEST_F(ConverterTest, OutputFolderIsCreatedOneLevelOnly)
{
    host.outputFolder = work / "new";
    queue.Append(Pdf("a.pdf", {"A"}));
    converter.Start();
    EXPECT_TRUE(host.done.back().ok);

    host.outputFolder = work / "missing/parent";
    queue.Append(work / "a.pdf");
    converter.Start();
    EXPECT_FALSE(host.done.back().ok);
    EXPECT_FALSE(std::filesystem::exists(work / "missing"));
}

TEST_F(ConverterTest, FileAddedDuringTheRunIsConvertedInTheSameRun)
{
    queue.Append(Pdf("a.pdf", {"A"}));
    const std::string late = Pdf("late.pdf", {"Late"});
    host.onFileStarting = [&] {
        if (host.started.size() == 1)
            queue.Append(late);
    };
    converter.Start();
    EXPECT_EQ(host.done.size(), 2u);
    EXPECT_EQ(host.finishes, 1);
    EXPECT_EQ(ReadFile(work / "out/late.txt"), "Late\n\n\f");
}

} // namespace
} // namespace pw
