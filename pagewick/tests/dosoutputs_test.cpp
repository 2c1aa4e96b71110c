#include "platform/dosoutputs.h"
#include "helpers/testsupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace pw {
namespace {

using test::TempFolder;

class Events : public DOSOutputsEvents
{
public:
    explicit Events(const test::SleepingPump& pump) : m_pump(pump) {}
    void ReceiveOutputs(const std::string& CommandOutputs) override
    {
        pieces.push_back(CommandOutputs);
        waitsAtPiece.push_back(m_pump.waits);
    }
    void CommandOver() override { ++over; }
    std::vector<std::string> pieces;
    std::vector<int> waitsAtPiece;
    int over = 0;

private:
    const test::SleepingPump& m_pump;
};

// Each test runs the child under a name of its own, so that runs of other tests (which watch
// their own names) cannot keep this one going.
class DOSOutputsTest : public ::testing::Test
{
protected:
    DOSOutputsTest() : events(pump), runner(messages, pump)
    {
        static int counter = 0;
        name = "pwc" + std::to_string(::getpid()) + "x" + std::to_string(counter++);
        child = folder / name;
        std::filesystem::copy_file(PW_CHILD, child);
        runner.SetEvents(&events);
        runner.SetWatchedImageName(name + ".EXE"); // compared without case and ending
    }

    pid_t SpawnOwn(const std::vector<std::string>& args)
    {
        std::vector<std::string> all = {child};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& a : all)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        pid_t pid = -1;
        EXPECT_EQ(::posix_spawn(&pid, child.c_str(), nullptr, nullptr, argv.data(), environ), 0);
        return pid;
    }

    TempFolder folder;
    std::string name;
    std::string child;
    test::SleepingPump pump;
    test::RecordedMessages messages;
    Events events;
    DOSOutputs runner;
};

TEST_F(DOSOutputsTest, ChildThatWritesNothing)
{
    EXPECT_EQ(runner.ExecuteCommand(child + " silent"), "");
    EXPECT_TRUE(events.pieces.empty());
    EXPECT_EQ(events.over, 1);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_GE(pump.dispatches, 1); // the interface was served at least once
    EXPECT_FALSE(runner.Abandoned());
}

TEST_F(DOSOutputsTest, ThreeThousandBytesArriveIn1024ByteReadsOnePerPass)
{
    const std::string all = runner.ExecuteCommand(child + " write 3000");
    EXPECT_TRUE(all == std::string(3000, 'x')) << all.size() << " bytes";
    EXPECT_TRUE(runner.Outputs() == all);
    ASSERT_EQ(events.pieces.size(), 3u);
    EXPECT_EQ(events.pieces[0].size(), 1024u);
    EXPECT_EQ(events.pieces[1].size(), 1024u);
    EXPECT_EQ(events.pieces[2].size(), 952u);
    // Each piece comes from its own pass, with a wait between.
    EXPECT_LT(events.waitsAtPiece[0], events.waitsAtPiece[1]);
    EXPECT_LT(events.waitsAtPiece[1], events.waitsAtPiece[2]);
    EXPECT_EQ(events.over, 1);
}

TEST_F(DOSOutputsTest, StandardErrorGoesThroughTheSamePipe)
{
    EXPECT_EQ(runner.ExecuteCommand(child + " stderr \"oops, said the child\""), "oops, said the child");
}

TEST_F(DOSOutputsTest, FailuresShowTheirMessageAndRaiseNoEvent)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", "Command Line empty"},
        {folder / "missing-program -f 1", "File or command not found"},
        {"   ", "File or command not found"},
        {folder.Path() + " x", "File or command not found"}, // a folder is not a program
    };
    for (const auto& [line, message] : cases) {
        messages.messages.clear();
        runner.SetCommandLine("");
        EXPECT_EQ(runner.ExecuteCommand(line), "") << line;
        ASSERT_EQ(messages.messages.size(), 1u) << line;
        EXPECT_EQ(messages.messages[0].text, message);
        EXPECT_EQ(messages.messages[0].title, kProgramTitle);
        EXPECT_EQ(messages.messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(runner.LastFailure(), message);
    }
    EXPECT_TRUE(events.pieces.empty());
    EXPECT_EQ(events.over, 0);
}

TEST_F(DOSOutputsTest, NoPipeShowsTheSystemErrorNumber)
{
    // With no descriptor left to open, the pipe cannot be made (EMFILE, 24).
    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &limit), 0);
    rlimit none = limit;
    none.rlim_cur = 3;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &none), 0);
    const std::string result = runner.ExecuteCommand(child + " write 10");
    ::setrlimit(RLIMIT_NOFILE, &limit);
    EXPECT_EQ(result, "");
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "CreatePipe failed. Error: " + std::to_string(EMFILE));
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(events.pieces.empty());
    EXPECT_EQ(events.over, 0);
}

TEST_F(DOSOutputsTest, StoredCommandLineRunsAgain)
{
    runner.SetCommandLine(child + " write 10");
    EXPECT_EQ(runner.ExecuteCommand(), std::string(10, 'x'));
    EXPECT_EQ(runner.ExecuteCommand(""), std::string(10, 'x'));
    EXPECT_EQ(runner.CommandLine(), child + " write 10");
    EXPECT_EQ(events.over, 2);
}

TEST_F(DOSOutputsTest, AnotherProcessWithTheWatchedNameKeepsTheRunGoing)
{
    const pid_t other = SpawnOwn({"sleep", "600"});
    ASSERT_GT(other, 0);
    runner.ExecuteCommand(child + " silent");
    // The run ended only after the unrelated process had: it is waiting to be collected now.
    int status = 0;
    EXPECT_EQ(::waitpid(other, &status, WNOHANG), other);
    EXPECT_EQ(events.over, 1);
}

TEST_F(DOSOutputsTest, ArgumentsReachTheChildExactlyAndNoShellRuns)
{
    const std::string tools = folder / "my tools";
    std::filesystem::create_directory(tools);
    const std::string spaced = tools + "/" + name;
    std::filesystem::copy_file(child, spaced);
    const std::string out = folder / "args.bin";
    const std::string pwned = folder / "PWNED";
    // The program's folder has a blank and is not quoted, as the converter's line has it.
    runner.ExecuteCommand(spaced + " args \"" + out + "\" \"a b\" $(touch " + pwned + ") ; `id` | x\\\"y");
    const std::string expected = std::string("a b\0$(touch\0", 12) + pwned + std::string(")\0;\0`id`\0|\0x\"y\0", 15);
    EXPECT_EQ(test::ReadFile(out), expected);
    EXPECT_FALSE(std::filesystem::exists(pwned));
}

TEST(DOSOutputsProcessTest, ImageNamesCompareWithoutCaseAndEnding)
{
    // This test program's own name is longer than the kernel's 15-byte short name.
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").filename().string();
    ASSERT_GT(self.size(), 15u);
    EXPECT_TRUE(DOSOutputs::IsProcessRunning(self));
    std::string upper = self;
    for (char& c : upper)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_TRUE(DOSOutputs::IsProcessRunning(upper + ".exe"));
    EXPECT_TRUE(DOSOutputs::IsProcessRunning("/some/folder/" + self));
    EXPECT_FALSE(DOSOutputs::IsProcessRunning(self.substr(0, 15)));
    EXPECT_FALSE(DOSOutputs::IsProcessRunning(self + "x"));
    EXPECT_FALSE(DOSOutputs::IsProcessRunning("no-such-program-here.exe"));
    EXPECT_FALSE(DOSOutputs::IsProcessRunning(""));
}

} // namespace
} // namespace pw
