#pragma once

// The calling thread's last-error value, with the Windows error numbers the program's stored
// behaviour is described in (2 file not found, 13 invalid data, 11 and 12 wrong user file
// version or format, ...). Operations return false and leave the reason here; callers that
// show a message turn the number into a text with ErrorMessageText.

#include <cstdint>
#include <string>

namespace kf {

namespace err {
constexpr uint32_t Success = 0;
constexpr uint32_t InvalidFunction = 1;
constexpr uint32_t FileNotFound = 2;
constexpr uint32_t PathNotFound = 3;
constexpr uint32_t TooManyOpenFiles = 4;
constexpr uint32_t AccessDenied = 5;
constexpr uint32_t InvalidHandle = 6;
constexpr uint32_t NotEnoughMemory = 8;
constexpr uint32_t BadFormat = 11;
constexpr uint32_t InvalidAccess = 12;
constexpr uint32_t InvalidData = 13;
constexpr uint32_t OutOfMemory = 14;
constexpr uint32_t NoMoreFiles = 18;
constexpr uint32_t WriteProtect = 19;
constexpr uint32_t NotReady = 21;
constexpr uint32_t Crc = 23;
constexpr uint32_t Seek = 25;
constexpr uint32_t WriteFault = 29;
constexpr uint32_t ReadFault = 30;
constexpr uint32_t GenFailure = 31;
constexpr uint32_t SharingViolation = 32;
constexpr uint32_t LockViolation = 33;
constexpr uint32_t HandleEof = 38;
constexpr uint32_t HandleDiskFull = 39;
constexpr uint32_t NotSupported = 50;
constexpr uint32_t FileExists = 80;
constexpr uint32_t InvalidParameter = 87;
constexpr uint32_t BrokenPipe = 109;
constexpr uint32_t DiskFull = 112;
constexpr uint32_t InsufficientBuffer = 122;
constexpr uint32_t InvalidName = 123;
constexpr uint32_t NegativeSeek = 131;
constexpr uint32_t DirNotEmpty = 145;
constexpr uint32_t AlreadyExists = 183;
constexpr uint32_t FilenameExcedRange = 206;
constexpr uint32_t MoreData = 234;
constexpr uint32_t NoMoreItems = 259;
constexpr uint32_t NotFound = 1168;
constexpr uint32_t ResourceDataNotFound = 1812;
constexpr uint32_t FileCorrupt = 1392;
constexpr uint32_t Timeout = 1460;
constexpr uint32_t InvalidPassword = 86;
constexpr uint32_t LogonFailure = 1326;
constexpr uint32_t FileInvalid = 1006;
constexpr uint32_t CantAccessFile = 1920;
constexpr uint32_t DeviceNotConnected = 1167;
constexpr uint32_t TooManyLinks = 1142;
constexpr uint32_t RequestAborted = 1235;
constexpr uint32_t FileOffline = 4350;
constexpr uint32_t FileReadOnly = 6009;
} // namespace err

uint32_t GetLastError();
void SetLastError(uint32_t code);

// Sets the last-error value from a POSIX errno value (ENOENT → 2, EACCES → 5, ENOSPC → 112 ...)
// and returns the Windows number it chose.
uint32_t SetLastErrorFromErrno(int errnum);
uint32_t ErrnoToError(int errnum);

// An English sentence for the number, as the platform's message table would give it
// ("The system cannot find the file specified."); unknown numbers get a generic sentence
// naming the number.
std::u16string ErrorMessageText(uint32_t code);

// Keeps the last-error value across a scope that may change it (EndBusy must not).
class LastErrorKeeper
{
public:
    LastErrorKeeper() : m_code(GetLastError()) {}
    ~LastErrorKeeper() { SetLastError(m_code); }
    LastErrorKeeper(const LastErrorKeeper&) = delete;
    LastErrorKeeper& operator=(const LastErrorKeeper&) = delete;

private:
    uint32_t m_code;
};

} // namespace kf
