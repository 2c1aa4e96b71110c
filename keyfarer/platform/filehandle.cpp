#include "filehandle.h"

#include "filelock.h"
#include "lasterror.h"
#include "path.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kf {

FileHandle::FileHandle(FileHandle&& other) noexcept : m_fd(other.m_fd), m_writable(other.m_writable)
{
    other.m_fd = -1;
    other.m_writable = false;
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept
{
    if (this != &other) {
        Close();
        m_fd = other.m_fd;
        m_writable = other.m_writable;
        other.m_fd = -1;
        other.m_writable = false;
    }
    return *this;
}

bool FileHandle::Open(std::u16string_view path, FileAccess access, FileShare share,
                      FileDisposition disposition)
{
    Close();
    int flags = O_CLOEXEC | (access == FileAccess::ReadWrite ? O_RDWR : O_RDONLY);
    if (disposition == FileDisposition::OpenAlways)
        flags |= O_CREAT;
    const std::string native = NativePath(path);
    int fd = ::open(native.c_str(), flags, 0644);
    if (fd < 0) {
        SetLastErrorFromErrno(errno);
        return false;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        SetLastError(S_ISDIR(st.st_mode) ? err::AccessDenied : ErrnoToError(errno));
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_writable = access == FileAccess::ReadWrite;
    if (m_writable && !TryLockWriter(*this, share == FileShare::DenyWriters)) {
        LastErrorKeeper keep;
        Close();
        return false;
    }
    SetLastError(err::Success);
    return true;
}

void FileHandle::Close()
{
    if (m_fd >= 0)
        ::close(m_fd); // releases every lock of this open
    m_fd = -1;
    m_writable = false;
}

bool FileHandle::ReadAt(uint64_t offset, void* buffer, size_t count, size_t* got)
{
    size_t done = 0;
    auto* p = static_cast<uint8_t*>(buffer);
    while (done < count) {
        const ssize_t n = ::pread(m_fd, p + done, count - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            SetLastErrorFromErrno(errno);
            if (got)
                *got = done;
            return false;
        }
        if (n == 0)
            break;
        done += static_cast<size_t>(n);
    }
    if (got)
        *got = done;
    return true;
}

bool FileHandle::ReadExactAt(uint64_t offset, void* buffer, size_t count)
{
    size_t got = 0;
    if (!ReadAt(offset, buffer, count, &got))
        return false;
    if (got != count) {
        SetLastError(err::HandleEof);
        return false;
    }
    return true;
}

bool FileHandle::WriteAt(uint64_t offset, const void* buffer, size_t count)
{
    size_t done = 0;
    const auto* p = static_cast<const uint8_t*>(buffer);
    while (done < count) {
        const ssize_t n = ::pwrite(m_fd, p + done, count - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            SetLastErrorFromErrno(errno);
            return false;
        }
        if (n == 0) {
            SetLastError(err::DiskFull);
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

int64_t FileHandle::Size() const
{
    struct stat st;
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0) {
        SetLastError(m_fd < 0 ? err::InvalidHandle : ErrnoToError(errno));
        return -1;
    }
    return static_cast<int64_t>(st.st_size);
}

bool FileHandle::Truncate(uint64_t length)
{
    if (::ftruncate(m_fd, static_cast<off_t>(length)) != 0) {
        SetLastErrorFromErrno(errno);
        return false;
    }
    return true;
}

bool FileHandle::Flush()
{
    if (::fdatasync(m_fd) != 0) {
        SetLastErrorFromErrno(errno);
        return false;
    }
    return true;
}

} // namespace kf
