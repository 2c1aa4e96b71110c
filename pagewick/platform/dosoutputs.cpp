#include "platform/dosoutputs.h"

#include "platform/commandlinesplitter.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace pw {

namespace {

// The kernel keeps only the first 15 bytes of a program's name in its status line.
constexpr std::size_t kShortNameLength = 15;

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}

// The comparable form of an image name: lower case, without folder, without ".exe".
std::string ImageKey(const std::string& name)
{
    std::string key = Lower(name.substr(name.rfind('/') == std::string::npos ? 0 : name.rfind('/') + 1));
    if (key.size() > 4 && key.compare(key.size() - 4, 4, ".exe") == 0)
        key.resize(key.size() - 4);
    return key;
}

bool ReadSmallFile(const std::string& path, std::string& out)
{
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0 && out.size() < 65536)
        out.append(buffer, std::size_t(n));
    ::close(fd);
    return !out.empty();
}

bool IsExecutableFile(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// A program given without a folder is looked up along PATH, as the shell would.
std::string ResolveProgram(const std::string& program)
{
    if (program.find('/') != std::string::npos)
        return IsExecutableFile(program) ? program : std::string();
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos)
            end = dirs.size();
        std::string dir = dirs.substr(start, end - start);
        if (dir.empty())
            dir = ".";
        const std::string candidate = dir + "/" + program;
        if (IsExecutableFile(candidate))
            return candidate;
        start = end + 1;
    }
    return std::string();
}

} // namespace

DOSOutputs::DOSOutputs(MessageSink& messages, MessagePump& pump) : m_messages(messages), m_pump(pump)
{
}

DOSOutputs::~DOSOutputs()
{
    ReapEnded();
}

void DOSOutputs::Fail(const std::string& message)
{
    m_lastFailure = message;
    m_messages.Show(MessageIcon::Error, kProgramTitle, message);
}

void DOSOutputs::ReapEnded()
{
    std::erase_if(m_children, [](pid_t pid) {
        int status = 0;
        const pid_t r = ::waitpid(pid, &status, WNOHANG);
        return r == pid || (r < 0 && errno == ECHILD);
    });
}

std::string DOSOutputs::ExecuteCommand(const std::string& CommandLine)
{
    if (!CommandLine.empty())
        m_commandLine = CommandLine;
    m_lastFailure.clear();
    m_abandoned = false;
    if (m_commandLine.empty()) {
        Fail("Command Line empty");
        return std::string();
    }

    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        Fail("CreatePipe failed. Error: " + std::to_string(errno));
        return std::string();
    }
    const int readEnd = fds[0];
    const int writeEnd = fds[1];

    const auto split = SplitCommandLine(m_commandLine, [](const std::string& candidate) {
        return !ResolveProgram(candidate).empty();
    });
    const std::string program = split ? ResolveProgram(split->program) : std::string();
    pid_t child = -1;
    bool started = false;
    if (!program.empty()) {
        std::vector<std::string> args;
        args.push_back(split->program);
        args.insert(args.end(), split->arguments.begin(), split->arguments.end());
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, writeEnd, STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, writeEnd, STDERR_FILENO);
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        // The child starts with default signal handling and nothing blocked, whatever the
        // interface thread has set up for itself.
        sigset_t none;
        sigemptyset(&none);
        sigset_t defaults;
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        sigaddset(&defaults, SIGINT);
        sigaddset(&defaults, SIGQUIT);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setsigdefault(&attributes, &defaults);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        started = ::posix_spawn(&child, program.c_str(), &actions, &attributes, argv.data(), environ) == 0;
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&actions);
    }
    if (!started) {
        ::close(readEnd);
        ::close(writeEnd);
        Fail("File or command not found");
        return std::string();
    }
    m_children.push_back(child);

    // Only the child holds the write end now, so the pipe reports its end once the child is gone.
    ::close(writeEnd);
    m_outputs.clear();

    // While our own child runs under the watched name, a process of that name exists: the
    // look through every process of the system is needed only once it has ended.
    const std::string childKey = ImageKey(program);
    const bool childIsWatched =
        childKey.size() < kShortNameLength && childKey == ImageKey(m_watchedImageName);
    const auto childRunning = [this, child] {
        return std::find(m_children.begin(), m_children.end(), child) != m_children.end();
    };

    char buffer[kReadSize];
    for (;;) {
        bool leave = false;
        int waiting = 0;
        if (::ioctl(readEnd, FIONREAD, &waiting) != 0) {
            leave = true;
        } else if (waiting > 0) {
            const ssize_t n = ::read(readEnd, buffer, std::min<std::size_t>(kReadSize, std::size_t(waiting)));
            if (n > 0) {
                const std::string piece(buffer, std::size_t(n));
                m_outputs += piece;
                if (m_events)
                    m_events->ReceiveOutputs(piece);
            } else if (!(n < 0 && errno == EINTR)) {
                leave = true;
            }
        } else {
            ReapEnded();
            // The program may have written its last bytes and ended between the two checks:
            // the run ends only when the pipe is still empty once the program is gone.
            const bool watchedRunning =
                (childIsWatched && childRunning()) || IsProcessRunning(m_watchedImageName);
            if (!watchedRunning &&
                (::ioctl(readEnd, FIONREAD, &waiting) != 0 || waiting == 0))
                leave = true;
        }
        m_pump.DispatchPending();
        if (leave)
            break; // waiting after the last pass would only slow every file down
        if (!m_pump.Wait(kPollMilliSeconds)) {
            m_abandoned = true;
            break;
        }
    }
    ::close(readEnd);
    ReapEnded();
    if (!m_abandoned && m_events)
        m_events->CommandOver();
    return m_outputs;
}

bool DOSOutputs::IsProcessRunning(const std::string& imageName)
{
    const std::string wanted = ImageKey(imageName);
    if (wanted.empty())
        return false;
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return false;
    bool found = false;
    std::string stat;
    while (!found) {
        const dirent* e = ::readdir(proc);
        if (!e)
            break;
        if (e->d_name[0] < '1' || e->d_name[0] > '9')
            continue;
        const std::string base = std::string("/proc/") + e->d_name;
        if (!ReadSmallFile(base + "/stat", stat))
            continue;
        // "pid (name) state ...": the name may itself hold blanks and parentheses.
        const auto open = stat.find('(');
        const auto close = stat.rfind(')');
        if (open == std::string::npos || close == std::string::npos || close < open ||
            close + 2 >= stat.size())
            continue;
        const char state = stat[close + 2];
        if (state == 'Z' || state == 'X')
            continue;
        const std::string name = Lower(stat.substr(open + 1, close - open - 1));
        if (name.size() < kShortNameLength) {
            found = ImageKey(name) == wanted;
        } else if (wanted.compare(0, kShortNameLength, name) == 0) {
            // A cut name: the full one is the executable's, or else the name it was started by.
            std::string full;
            char target[4096];
            const ssize_t n = ::readlink((base + "/exe").c_str(), target, sizeof target - 1);
            if (n > 0) {
                full.assign(target, std::size_t(n));
                const std::string deleted = " (deleted)";
                if (full.size() > deleted.size() &&
                    full.compare(full.size() - deleted.size(), deleted.size(), deleted) == 0)
                    full.resize(full.size() - deleted.size());
            } else if (ReadSmallFile(base + "/cmdline", full)) {
                full = full.substr(0, full.find('\0'));
            }
            found = !full.empty() && ImageKey(full) == wanted;
        }
    }
    ::closedir(proc);
    return found;
}

} // namespace pw
