#pragma once

// An open file for random access at explicit offsets: what the record file store reads and
// writes through. The platform the store was written for let a writer open a file "denying
// other writers" while any number of readers keep it open; here that share rule is an open
// file description lock (fcntl F_OFD_SETLK) on one byte far beyond any data, the writer lock:
//
//   FileShare::DenyWriters  a writer takes it exclusively: a second writer of the file (in
//                           this or another process) fails with SharingViolation (32);
//   FileShare::ShareWriters a writer takes it shared: such writers coexist with each other
//                           (they take turns through byte-range locks, filelock.h) but not
//                           with a DenyWriters writer;
//   readers take nothing and are never refused.
//
// The lock belongs to the open file description, so it also separates two opens within one
// process, and it disappears with the process however it ends. Paths are stored paths
// (path.h). Every failing call returns false with the last-error value set.

#include "bytes.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kf {

enum class FileAccess { Read, ReadWrite };
enum class FileShare { DenyWriters, ShareWriters };
enum class FileDisposition {
    OpenExisting, // the file must exist
    OpenAlways,   // created empty when missing
};

class FileHandle
{
public:
    FileHandle() = default;
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    FileHandle(FileHandle&& other) noexcept;
    FileHandle& operator=(FileHandle&& other) noexcept;

    // Opens the file. For ReadWrite the writer lock of the share rule is taken; when another
    // open holds a conflicting one the file is closed again and SharingViolation is set.
    bool Open(std::u16string_view path, FileAccess access, FileShare share = FileShare::DenyWriters,
              FileDisposition disposition = FileDisposition::OpenExisting);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    bool IsWritable() const { return m_fd >= 0 && m_writable; }

    // Reads up to count bytes at offset; *got receives how many were read (fewer only at the
    // end of the file). False only on an error of the system.
    bool ReadAt(uint64_t offset, void* buffer, size_t count, size_t* got);
    // Reads exactly count bytes; a short file fails with HandleEof (38).
    bool ReadExactAt(uint64_t offset, void* buffer, size_t count);
    // Writes all bytes at offset (a full disk fails with DiskFull, 112).
    bool WriteAt(uint64_t offset, const void* buffer, size_t count);
    bool WriteAt(uint64_t offset, ByteSpan data)
    {
        return WriteAt(offset, data.data(), data.size());
    }

    // Length in bytes, or -1 with the last error set.
    int64_t Size() const;
    bool Truncate(uint64_t length);
    // Makes the written data durable (fdatasync).
    bool Flush();

    // The descriptor, for the lock functions of filelock.h.
    int Native() const { return m_fd; }

private:
    int m_fd = -1;
    bool m_writable = false;
};

} // namespace kf
