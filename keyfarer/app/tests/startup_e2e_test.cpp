// Starts the real program from a copy of the staged installation tree.
#include "testsupport/tempdir.h"

#include <QImage>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
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
    for (const auto& fd :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ec)) {
        const auto target = std::filesystem::read_symlink(fd.path(), ec);
        if (!ec && target.parent_path() == runtime &&
            target.filename().string().rfind("EVENT_KEYFARERTUTOR", 0) == 0)
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

// The first start on a real X display: no account exists, so the new-user wizard is on
// screen at once, drawn and shaped (its rounded corners show the black root window). The
// program and the screenshots run on a display of their own.
TEST(Startup, AFirstStartShowsTheShapedWizardOnARealDisplay)
{
    if (std::system("command -v xvfb-run >/dev/null 2>&1 && command -v import >/dev/null 2>&1") !=
        0)
        GTEST_SKIP() << "needs xvfb-run and ImageMagick's import";
    TempDir tree;
    TempDir runtime;
    // The tree without kftool, which this start does not need.
    for (const auto& entry : std::filesystem::directory_iterator(KF_STAGE_DIR))
        if (entry.path().filename() != "kftool")
            std::filesystem::copy(entry.path(), tree.path() / entry.path().filename(),
                                  std::filesystem::copy_options::recursive);
    const std::string shot = tree.Native("screen.png");
    const std::string script = tree.Native("shoot.sh");
    {
        std::ofstream f(script);
        f << "#!/bin/sh\n"
          << "export XDG_RUNTIME_DIR='" << runtime.path().string() << "'\n"
          << "export QT_QPA_PLATFORM=xcb\n"
          << "'" << (tree.path() / "keyfarer").string() << "' &\n"
          << "pid=$!\n"
          // Until the window has been drawn: a root picture with more than sixteen colours.
          // Taking a picture costs most of a second, so the first one waits for the start.
          << "sleep 1.5\n"
          << "for i in $(seq 1 12); do\n"
          << "  import -window root '" << shot << "' 2>/dev/null &&\n"
          << "    [ \"$(convert '" << shot
          << "' -format %k info: 2>/dev/null)\" -gt 16 ] && break\n"
          << "  sleep 0.3\n"
          << "done\n"
          << "kill $pid\n"
          << "wait $pid 2>/dev/null\n"
          << "exit 0\n";
    }
    const std::string command =
        "env -u QT_QPA_PLATFORM xvfb-run -a -s '-screen 0 1280x800x24' sh '" + script +
        "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    QImage screen(QString::fromStdString(shot));
    ASSERT_FALSE(screen.isNull()) << "no screenshot";
    // The window is what is not black.
    QRect window;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x)
            if ((screen.pixel(x, y) & 0xFFFFFF) != 0)
                window |= QRect(x, y, 1, 1);
    ASSERT_TRUE(window.width() > 300 && window.height() > 200) << "no window on the screen";
    // Shaped: the corners of its box belong to the root window; the middle is drawn.
    for (const QPoint corner :
         {window.topLeft(), window.topRight(), window.bottomLeft(), window.bottomRight()})
        EXPECT_EQ(screen.pixel(corner) & 0xFFFFFF, 0u) << corner.x() << "," << corner.y();
    EXPECT_NE(screen.pixel(window.center()) & 0xFFFFFF, 0u);
    std::vector<QRgb> colours;
    for (int y = window.top(); y <= window.bottom(); y += 3)
        for (int x = window.left(); x <= window.right(); x += 3)
            if (colours.size() < 40 &&
                std::find(colours.begin(), colours.end(), screen.pixel(x, y)) == colours.end())
                colours.push_back(screen.pixel(x, y));
    EXPECT_GE(colours.size(), 24u) << "the window looks blank";
    if (const char* out = std::getenv("KF_SCREENSHOT_DIR"))
        screen.save(QString::fromUtf8(out) + "/xvfb_first_start.png");
}

} // namespace
} // namespace kf
