// Starts the real program from a copy of the staged installation tree.
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

namespace kf {
namespace {

using namespace std::chrono_literals;
using test::TempDir;

pid_t Start(const std::filesystem::path& program, const std::filesystem::path& runtime)
{
    pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

// True once the process holds its single-instance lock file open.
bool HoldsLock(pid_t pid, const std::filesystem::path& runtime)
{
    std::error_code ec;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ec)) {
        const auto target = std::filesystem::read_symlink(fd.path(), ec);
        if (!ec && target.parent_path() == runtime && target.filename().string().rfind("EVENT_KEYFARERTUTOR", 0) == 0)
            return true;
    }
    return false;
}

// Waits up to the limit for the process to end; its exit code, or -1 when it still runs.
int WaitFor(pid_t pid, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        std::this_thread::sleep_for(20ms);
    }
    return -1;
}

TEST(Startup, ASecondCopyEndsSilentlyAndACrashedCopyDoesNotBlock)
{
    TempDir tree;
    TempDir runtime;
    ASSERT_TRUE(test::CopyStagedTree(KF_STAGE_DIR, tree.path()));
    const auto program = tree.path() / "keyfarer";

    const pid_t first = Start(program, runtime.path());
    bool up = false;
    for (int i = 0; i < 500 && !up; ++i) {
        up = HoldsLock(first, runtime.path());
        if (!up)
            std::this_thread::sleep_for(20ms);
    }
    ASSERT_TRUE(up) << "the first copy never took its instance lock";

    const pid_t second = Start(program, runtime.path());
    EXPECT_EQ(WaitFor(second, 20s), 0);
    EXPECT_EQ(WaitFor(first, 200ms), -1) << "the first copy must keep running";

    ::kill(first, SIGKILL);
    WaitFor(first, 5s);
    const pid_t third = Start(program, runtime.path());
    up = false;
    for (int i = 0; i < 500 && !up; ++i) {
        up = HoldsLock(third, runtime.path());
        if (!up)
            std::this_thread::sleep_for(20ms);
    }
    EXPECT_TRUE(up) << "a killed copy blocked the next start";
    ::kill(third, SIGTERM);
    WaitFor(third, 5s);
}

} // namespace
} // namespace kf
