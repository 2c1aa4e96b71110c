#include "lasterror.h"

#include "utf.h"

#include <cerrno>
#include <cstdio>

namespace kf {

namespace {
thread_local uint32_t t_lastError = 0;

struct ErrorText
{
    uint32_t code;
    const char* text;
};

constexpr ErrorText kTexts[] = {
    {err::Success, "The operation completed successfully."},
    {err::InvalidFunction, "Incorrect function."},
    {err::FileNotFound, "The system cannot find the file specified."},
    {err::PathNotFound, "The system cannot find the path specified."},
    {err::TooManyOpenFiles, "The system cannot open the file."},
    {err::AccessDenied, "Access is denied."},
    {err::InvalidHandle, "The handle is invalid."},
    {err::NotEnoughMemory, "Not enough storage is available to process this command."},
    {err::BadFormat, "An attempt was made to load a program with an incorrect format."},
    {err::InvalidAccess, "The access code is invalid."},
    {err::InvalidData, "The data is invalid."},
    {err::OutOfMemory, "Not enough storage is available to complete this operation."},
    {err::NoMoreFiles, "There are no more files."},
    {err::WriteProtect, "The media is write protected."},
    {err::NotReady, "The device is not ready."},
    {err::Crc, "Data error (cyclic redundancy check)."},
    {err::Seek, "The drive cannot locate a specific area or track on the disk."},
    {err::WriteFault, "The system cannot write to the specified device."},
    {err::ReadFault, "The system cannot read from the specified device."},
    {err::GenFailure, "A device attached to the system is not functioning."},
    {err::SharingViolation,
     "The process cannot access the file because it is being used by another process."},
    {err::LockViolation,
     "The process cannot access the file because another process has locked a portion of the file."},
    {err::HandleEof, "Reached the end of the file."},
    {err::HandleDiskFull, "The disk is full."},
    {err::NotSupported, "The request is not supported."},
    {err::FileExists, "The file exists."},
    {err::InvalidPassword, "The specified network password is not correct."},
    {err::InvalidParameter, "The parameter is incorrect."},
    {err::BrokenPipe, "The pipe has been ended."},
    {err::DiskFull, "There is not enough space on the disk."},
    {err::InsufficientBuffer, "The data area passed to a system call is too small."},
    {err::InvalidName, "The filename, directory name, or volume label syntax is incorrect."},
    {err::NegativeSeek,
     "An attempt was made to move the file pointer before the beginning of the file."},
    {err::DirNotEmpty, "The directory is not empty."},
    {err::AlreadyExists, "Cannot create a file when that file already exists."},
    {err::FilenameExcedRange, "The filename or extension is too long."},
    {err::MoreData, "More data is available."},
    {err::NoMoreItems, "No more data is available."},
    {err::FileInvalid, "The volume for a file has been externally altered so that the opened file is no longer valid."},
    {err::TooManyLinks, "An attempt was made to create more links on a file than the file system supports."},
    {err::DeviceNotConnected, "The device is not connected."},
    {err::NotFound, "Element not found."},
    {err::RequestAborted, "The request was aborted."},
    {err::LogonFailure, "The user name or password is incorrect."},
    {err::FileCorrupt, "The file or directory is corrupted and unreadable."},
    {err::Timeout, "This operation returned because the timeout period expired."},
    {err::ResourceDataNotFound, "The specified image file did not contain a resource section."},
    {err::CantAccessFile, "The file cannot be accessed by the system."},
    {err::FileOffline, "The file is not available."},
    {err::FileReadOnly, "The specified file is read only."},
};
} // namespace

uint32_t GetLastError()
{
    return t_lastError;
}

void SetLastError(uint32_t code)
{
    t_lastError = code;
}

uint32_t ErrnoToError(int errnum)
{
    switch (errnum) {
    case 0: return err::Success;
    case ENOENT: return err::FileNotFound;
    case ENOTDIR: return err::PathNotFound;
    case EACCES:
    case EPERM: return err::AccessDenied;
    case EROFS: return err::WriteProtect;
    case EEXIST: return err::AlreadyExists;
    case ENOSPC:
    case EDQUOT: return err::DiskFull;
    case ENOMEM: return err::NotEnoughMemory;
    case EMFILE:
    case ENFILE: return err::TooManyOpenFiles;
    case EBADF: return err::InvalidHandle;
    case EINVAL: return err::InvalidParameter;
    case ENAMETOOLONG: return err::FilenameExcedRange;
    case ENOTEMPTY: return err::DirNotEmpty;
    case EAGAIN:
    case EDEADLK: return err::LockViolation;
    case EBUSY:
    case ETXTBSY: return err::SharingViolation;
    case EPIPE: return err::BrokenPipe;
    case EIO: return err::GenFailure;
    case EISDIR: return err::AccessDenied;
    case EMLINK: return err::TooManyLinks;
    case EFBIG: return err::DiskFull;
    case ETIMEDOUT: return err::Timeout;
    default: return err::GenFailure;
    }
}

uint32_t SetLastErrorFromErrno(int errnum)
{
    const uint32_t code = ErrnoToError(errnum);
    SetLastError(code);
    return code;
}

std::u16string ErrorMessageText(uint32_t code)
{
    for (const auto& t : kTexts) {
        if (t.code == code)
            return FromUtf8(t.text);
    }
    char buf[96];
    std::snprintf(buf, sizeof buf, "The operation failed with system error %u.", code);
    return FromUtf8(buf);
}

} // namespace kf
