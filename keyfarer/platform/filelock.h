#pragma once

// Byte-range locks on an open file, as the record file store takes them while it appends:
// exclusive, advisory, owned by the open file description (fcntl F_OFD_SETLK), so that two
// opens of one file conflict even inside one process and a process that dies, however it
// dies, leaves no lock behind. A range may lie beyond the end of the file.

#include "filehandle.h"

#include <cstdint>

namespace kf {

// Offset of the one-byte writer lock of filehandle.h's share rule; no range a caller
// locks may reach it.
constexpr uint64_t kWriterLockOffset = uint64_t{1} << 62;

// Takes the exclusive lock of [offset, offset + length) once. False with LockViolation (33)
// when another open of the file holds an overlapping lock; with another error otherwise.
bool TryLockRange(FileHandle& file, uint64_t offset, uint64_t length);

// Takes the lock, waiting retryMs milliseconds between attempts for as long as another open
// holds it (there is no limit: a holder that never lets go blocks the caller). Errors other
// than a held lock end the wait at once.
bool LockRangeWaiting(FileHandle& file, uint64_t offset, uint64_t length, unsigned retryMs);

bool UnlockRange(FileHandle& file, uint64_t offset, uint64_t length);

// The writer lock of the share rule, taken shared or exclusive without waiting (false with
// SharingViolation, 32, when it conflicts), and released.
bool TryLockWriter(FileHandle& file, bool exclusive);
bool UnlockWriter(FileHandle& file);

// Releases a range lock at the end of a scope, keeping the last-error value of the scope.
class RangeLockGuard
{
public:
    RangeLockGuard(FileHandle& file, uint64_t offset, uint64_t length)
        : m_file(&file), m_offset(offset), m_length(length)
    {}
    ~RangeLockGuard();
    RangeLockGuard(const RangeLockGuard&) = delete;
    RangeLockGuard& operator=(const RangeLockGuard&) = delete;

private:
    FileHandle* m_file;
    uint64_t m_offset;
    uint64_t m_length;
};

} // namespace kf
