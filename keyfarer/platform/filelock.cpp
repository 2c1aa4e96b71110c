#include "filelock.h"

#include "lasterror.h"

#include <cerrno>
#include <fcntl.h>
#include <time.h>

namespace kf {

namespace {

// F_OFD_SETLK where the kernel has it (Linux 3.15 and later), the classic per-process lock
// elsewhere; the classic one does not separate two opens of one process.
int SetLock(int fd, short type, uint64_t offset, uint64_t length)
{
    struct flock fl = {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = static_cast<off_t>(offset);
    fl.l_len = static_cast<off_t>(length);
#ifdef F_OFD_SETLK
    if (::fcntl(fd, F_OFD_SETLK, &fl) == 0)
        return 0;
    if (errno != EINVAL)
        return errno;
    fl.l_pid = 0;
#endif
    return ::fcntl(fd, F_SETLK, &fl) == 0 ? 0 : errno;
}

bool IsHeldElsewhere(int e)
{
    return e == EAGAIN || e == EACCES;
}

void SleepMs(unsigned ms)
{
    struct timespec ts;
    ts.tv_sec = ms / 1000;
    ts.tv_nsec = static_cast<long>(ms % 1000) * 1000000L;
    while (::nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

} // namespace

bool TryLockRange(FileHandle& file, uint64_t offset, uint64_t length)
{
    const int e = SetLock(file.Native(), F_WRLCK, offset, length);
    if (e == 0)
        return true;
    SetLastError(IsHeldElsewhere(e) ? err::LockViolation : ErrnoToError(e));
    return false;
}

bool LockRangeWaiting(FileHandle& file, uint64_t offset, uint64_t length, unsigned retryMs)
{
    for (;;) {
        if (TryLockRange(file, offset, length))
            return true;
        if (GetLastError() != err::LockViolation)
            return false;
        SleepMs(retryMs);
    }
}

bool UnlockRange(FileHandle& file, uint64_t offset, uint64_t length)
{
    const int e = SetLock(file.Native(), F_UNLCK, offset, length);
    if (e == 0)
        return true;
    SetLastError(ErrnoToError(e));
    return false;
}

bool TryLockWriter(FileHandle& file, bool exclusive)
{
    const int e = SetLock(file.Native(), exclusive ? F_WRLCK : F_RDLCK, kWriterLockOffset, 1);
    if (e == 0)
        return true;
    SetLastError(IsHeldElsewhere(e) ? err::SharingViolation : ErrnoToError(e));
    return false;
}

bool UnlockWriter(FileHandle& file)
{
    return UnlockRange(file, kWriterLockOffset, 1);
}

RangeLockGuard::~RangeLockGuard()
{
    LastErrorKeeper keep;
    UnlockRange(*m_file, m_offset, m_length);
}

} // namespace kf
