#include "platform/singleinstance.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace pw {

std::string SingleInstance::KeyFor(const std::string& programFolder)
{
    // FNV-1a: short, and the same in every build.
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : programFolder) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char text[64];
    std::snprintf(text, sizeof text, "pagewick-%u-%016llx", unsigned(::getuid()),
                  static_cast<unsigned long long>(hash));
    return text;
}

SingleInstance::~SingleInstance()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool SingleInstance::Acquire(const std::string& key)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string folder = runtime && *runtime ? runtime : "/tmp";
    const std::string path = folder + "/" + key + ".lock";
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return !held;
    }
    m_fd = fd;
    return true;
}

} // namespace pw
