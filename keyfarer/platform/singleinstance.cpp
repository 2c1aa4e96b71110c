#include "singleinstance.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace kf {

SingleInstance::~SingleInstance()
{
    Release();
}

std::string SingleInstance::LockFolder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime && ::access(runtime, W_OK) == 0)
        return runtime;
    return "/tmp";
}

bool SingleInstance::Acquire(const std::string& name)
{
    Release();
    m_otherRuns = false;
    std::string path = LockFolder() + "/" + name + "-" + std::to_string(::getuid()) + ".lock";
    m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0)
        return true; // cannot tell; let the program run
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        ::close(m_fd);
        m_fd = -1;
        m_otherRuns = busy;
        return !busy;
    }
    return true;
}

void SingleInstance::Release()
{
    if (m_fd >= 0) {
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
        m_fd = -1;
    }
}

} // namespace kf
