#include "platform/singleinstance.h"

#include <gtest/gtest.h>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace kf {
namespace {

// Runs Acquire in a child process and returns whether it got the lock.
bool ChildAcquires(const std::string& name)
{
    pid_t pid = ::fork();
    if (pid == 0) {
        SingleInstance other;
        ::_exit(other.Acquire(name) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(SingleInstance, SecondCopyIsRefusedAndACrashFreesTheName)
{
    const std::string name = "KF_TEST_INSTANCE_" + std::to_string(::getpid());
    {
        SingleInstance first;
        ASSERT_TRUE(first.Acquire(name));
        EXPECT_FALSE(ChildAcquires(name));
    }
    EXPECT_TRUE(ChildAcquires(name));

    // A holder killed without any clean-up does not block the next start.
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t holder = ::fork();
    if (holder == 0) {
        SingleInstance s;
        s.Acquire(name);
        char c = 1;
        (void)::write(ready[1], &c, 1);
        ::pause();
        ::_exit(0);
    }
    char c;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    EXPECT_FALSE(ChildAcquires(name));
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_TRUE(ChildAcquires(name));
    ::close(ready[0]);
    ::close(ready[1]);
}

} // namespace
} // namespace kf
