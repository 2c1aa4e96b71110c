#include "minidatabase.h"

#include "platform/clock.h"
#include "platform/filelock.h"
#include "platform/lasterror.h"
#include "platform/path.h"

#include <algorithm>
#include <limits>

namespace kf {

namespace {

// Records read per system call by the scans; large enough that the calls cost little
// against the bytes, small enough to stay in the cache.
constexpr uint32_t kScanChunk = 64;

uint32_t NowSeconds()
{
    return static_cast<uint32_t>(SecondsSince1970());
}

} // namespace

CMiniDatabase::CMiniDatabase(uint32_t headerSize, uint32_t recordSize)
    : m_headerSize(std::max(headerSize, kBaseHeaderSize)),
      m_dataStart(DataStartFor(std::max(headerSize, kBaseHeaderSize))),
      m_extHeader(m_headerSize - kBaseHeaderSize, 0), m_record(recordSize, 0),
      m_recordSize(recordSize)
{}

CMiniDatabase::~CMiniDatabase()
{
    Close();
}

void CMiniDatabase::SetError(uint32_t storeError, uint32_t platformError)
{
    m_error = storeError;
    SetLastError(platformError);
}

void CMiniDatabase::ResetState()
{
    m_count = 0;
    m_index = -1;
    m_slot = 0;
    m_fileLength = 0;
    m_open = false;
    m_bufferValid = false;
    m_autoRead = true;
    m_readOnly = false;
}

void CMiniDatabase::InitHeader(uint8_t* header)
{
    StoreLe<uint32_t>(header + kCountOffset, 0);
    std::fill(header + 24, header + 28, uint8_t{0});
    std::fill(header + 36, header + kBaseHeaderSize, uint8_t{0});
    if (LoadLe<uint32_t>(header + kVersionOffset) == 0)
        StoreLe<uint32_t>(header + kVersionOffset, kStoreVersion);
    StoreLe<uint32_t>(header + kCreationTimeOffset, NowSeconds());
}

void CMiniDatabase::SetExtendedHeader(ByteSpan image)
{
    std::fill(m_extHeader.begin(), m_extHeader.end(), uint8_t{0});
    std::copy_n(image.begin(), std::min(image.size(), m_extHeader.size()), m_extHeader.begin());
}

std::u16string CMiniDatabase::Magic() const
{
    return LoadUtf16Field(m_header.data() + kMagicOffset, kMagicUnits);
}
uint32_t CMiniDatabase::Version() const
{
    return LoadLe<uint32_t>(m_header.data() + kVersionOffset);
}
uint32_t CMiniDatabase::HeaderRecordCount() const
{
    return LoadLe<uint32_t>(m_header.data() + kCountOffset);
}
uint32_t CMiniDatabase::CreationTime() const
{
    return LoadLe<uint32_t>(m_header.data() + kCreationTimeOffset);
}
uint32_t CMiniDatabase::LastWriteTime() const
{
    return LoadLe<uint32_t>(m_header.data() + kLastWriteTimeOffset);
}

bool CMiniDatabase::Create(std::u16string_view path)
{
    Close();
    ResetState();
    m_header.fill(0);
    InitHeader(m_header.data());

    const std::u16string target(path);
    const std::u16string temp = target + u".kfnew";
    // The writer lock on the side file keeps two creators of one path apart; a side file
    // left by a crash is simply reused.
    FileHandle file;
    if (!file.Open(temp, FileAccess::ReadWrite, FileShare::DenyWriters,
                   FileDisposition::OpenAlways)) {
        SetError(store_err::CreateFailed, GetLastError());
        return false;
    }
    auto fail = [&]() {
        const uint32_t code = GetLastError();
        file.Close();
        RemoveFile(temp);
        SetError(store_err::CreateFailed, code);
        return false;
    };
    m_file = std::move(file);
    const bool written = m_file.Truncate(0) && WriteHeaderImage(true);
    file = std::move(m_file);
    if (!written)
        return fail();
    // An existing file is replaced only when no other writer holds it open.
    FileHandle old;
    if (FileExists(target) && !old.Open(target, FileAccess::ReadWrite, FileShare::DenyWriters))
        return fail();
    if (!MoveFileTo(temp, target))
        return fail();
    old.Close();

    m_file = std::move(file);
    m_open = true;
    m_fileLength = m_dataStart;
    m_count = 0;
    m_index = -1;
    m_readOnly = false;
    m_mode = OpenMode::Write;
    m_path = target;
    SetError(store_err::None, err::Success);
    return true;
}

bool CMiniDatabase::Open(std::u16string_view path, bool readOnly)
{
    return Open(path, readOnly ? OpenMode::ReadOnly : OpenMode::Write);
}

bool CMiniDatabase::Open(std::u16string_view path, OpenMode mode)
{
    Close();
    m_path.assign(path);
    // A derived class asks for one reopen after converting the file; more would be a loop.
    for (int attempt = 0; attempt < 3; ++attempt) {
        HeaderCheck verdict = HeaderCheck::Reject;
        if (!OpenOnce(mode, verdict))
            return false;
        if (verdict == HeaderCheck::Accept)
            return true;
    }
    SetError(store_err::WrongVersion, err::InvalidData);
    return false;
}

bool CMiniDatabase::OpenOnce(OpenMode mode, HeaderCheck& verdict)
{
    m_file.Close();
    ResetState();
    const FileAccess access = mode == OpenMode::ReadOnly ? FileAccess::Read : FileAccess::ReadWrite;
    const FileShare share =
        mode == OpenMode::SharedWrite ? FileShare::ShareWriters : FileShare::DenyWriters;
    if (!m_file.Open(m_path, access, share)) {
        SetError(store_err::OpenFailed, GetLastError());
        return false;
    }
    auto fail = [&](uint32_t storeError, uint32_t platformError) {
        m_file.Close();
        ResetState();
        SetError(storeError, platformError);
        return false;
    };
    const int64_t length = m_file.Size();
    if (length < 0)
        return fail(store_err::OpenFailed, GetLastError());
    const uint64_t len = static_cast<uint64_t>(length);
    if (len < m_dataStart)
        return fail(store_err::ShortFile, err::InvalidData);
    if (!m_file.ReadExactAt(0, m_header.data(), m_header.size()) ||
        !m_file.ReadExactAt(kBaseHeaderSize, m_extHeader.data(), m_extHeader.size()))
        return fail(store_err::ShortHeader, GetLastError());

    // Repair: the file holds fewer records than its header counts.
    const uint64_t slots64 = (len - m_dataStart) / m_recordSize;
    const uint32_t slots =
        static_cast<uint32_t>(std::min<uint64_t>(slots64, std::numeric_limits<uint32_t>::max()));
    if (slots < HeaderRecordCount()) {
        if (len > m_dataStart)
            StoreLe<uint32_t>(m_header.data() + kCountOffset, slots);
        else
            return fail(store_err::ShortFile, err::InvalidData);
    }

    m_mode = mode;
    m_readOnly = mode == OpenMode::ReadOnly;
    m_fileLength = len;
    verdict = CheckHeader();
    if (verdict == HeaderCheck::Reject) {
        const uint32_t storeError = m_error;
        return fail(storeError, GetLastError());
    }
    if (verdict == HeaderCheck::Reopen) {
        m_file.Close();
        ResetState();
        return true;
    }
    m_readOnly = mode == OpenMode::ReadOnly;
    m_fileLength = len;
    m_count = m_fixedLayout ? slots : HeaderRecordCount();
    m_open = true;
    m_index = 0;
    m_slot = 0;
    if (m_count > 0)
        First();
    m_index = 0;
    SetError(store_err::None, err::Success);
    return true;
}

bool CMiniDatabase::Close()
{
    if (!m_open) {
        m_file.Close();
        ResetState();
        return true;
    }
    bool ok = true;
    if (!m_readOnly)
        ok = WriteHeader();
    LastErrorKeeper keep;
    m_file.Close();
    ResetState();
    return ok;
}

bool CMiniDatabase::WriteHeaderImage(bool flush)
{
    StoreLe<uint32_t>(m_header.data() + kLastWriteTimeOffset, NowSeconds());
    std::vector<uint8_t> image(m_dataStart, 0);
    std::copy(m_header.begin(), m_header.end(), image.begin());
    std::copy(m_extHeader.begin(), m_extHeader.end(), image.begin() + kBaseHeaderSize);
    if (!m_file.WriteAt(0, image.data(), image.size()))
        return false;
    return !flush || m_file.Flush();
}

bool CMiniDatabase::ReadDiskHeader(std::array<uint8_t, kBaseHeaderSize>& header, uint32_t& count)
{
    // Called under the header lock: other writers' appends are complete and counted there.
    if (!m_file.ReadExactAt(0, header.data(), header.size()))
        return false;
    const int64_t length = m_file.Size();
    if (length < 0)
        return false;
    m_fileLength = static_cast<uint64_t>(length);
    const uint64_t slots64 =
        m_fileLength < m_dataStart ? 0 : (m_fileLength - m_dataStart) / m_recordSize;
    const uint32_t slots =
        static_cast<uint32_t>(std::min<uint64_t>(slots64, std::numeric_limits<uint32_t>::max()));
    count = m_fixedLayout ? slots : std::min(LoadLe<uint32_t>(header.data() + kCountOffset), slots);
    return true;
}

bool CMiniDatabase::WriteHeader()
{
    if (!m_open) {
        SetError(store_err::NotOpen, err::InvalidHandle);
        return false;
    }
    if (m_readOnly) {
        SetError(store_err::ReadOnly, err::FileReadOnly);
        return false;
    }
    if (!LockRangeWaiting(m_file, 0, kBaseHeaderSize, kLockRetryMs))
        return false;
    RangeLockGuard headerLock(m_file, 0, kBaseHeaderSize);
    // The count is the file's (other writers may have appended); the rest is this object's.
    std::array<uint8_t, kBaseHeaderSize> disk{};
    uint32_t count = 0;
    if (!ReadDiskHeader(disk, count))
        return false;
    StoreLe<uint32_t>(m_header.data() + kCountOffset, count);
    m_count = count;
    return WriteHeaderImage(true);
}

bool CMiniDatabase::Append(ByteSpan record)
{
    if (record.size() != m_recordSize) {
        SetLastError(err::InvalidParameter);
        return false;
    }
    return AppendLocked(record);
}

bool CMiniDatabase::AppendMany(ByteSpan records)
{
    if (records.empty() || records.size() % m_recordSize != 0) {
        SetLastError(err::InvalidParameter);
        return false;
    }
    return AppendLocked(records);
}

bool CMiniDatabase::AppendLocked(ByteSpan records)
{
    if (m_open && m_readOnly) {
        SetError(store_err::ReadOnly, err::FileReadOnly);
        return false;
    }
    if (!m_open) {
        SetError(store_err::NotOpen, err::InvalidHandle);
        return false;
    }
    if (!LockRangeWaiting(m_file, 0, kBaseHeaderSize, kLockRetryMs))
        return false;
    RangeLockGuard headerLock(m_file, 0, kBaseHeaderSize);

    // Another writer may have appended since this object last looked: its header holds.
    std::array<uint8_t, kBaseHeaderSize> disk{};
    uint32_t count = 0;
    if (!ReadDiskHeader(disk, count))
        return false;
    m_header = disk;
    const uint64_t added = records.size() / m_recordSize;
    if (count + added > std::numeric_limits<uint32_t>::max()) {
        SetLastError(err::DiskFull);
        return false;
    }
    // The slot after the last counted record, not the end of the file: an unfinished record
    // that a killed writer left there is overwritten instead of shifting every later one.
    const uint64_t at = m_dataStart + uint64_t{count} * m_recordSize;
    if (!LockRangeWaiting(m_file, at, records.size(), kLockRetryMs))
        return false;
    RangeLockGuard recordLock(m_file, at, records.size());

    if (!m_file.WriteAt(at, records)) {
        // A full disk leaves part of the records behind; they were never counted.
        LastErrorKeeper keep;
        m_file.Truncate(at);
        return false;
    }
    const uint32_t newCount = static_cast<uint32_t>(count + added);
    StoreLe<uint32_t>(m_header.data() + kCountOffset, newCount);
    StoreLe<uint32_t>(m_header.data() + kLastWriteTimeOffset, NowSeconds());
    // Only the 100 bytes that count the records: the extended header on disk is the one
    // the last WriteHeader stored, and an append must not replace it with an older image.
    if (!m_file.WriteAt(0, m_header.data(), m_header.size())) {
        // The records stay uncounted; the next append overwrites them.
        StoreLe<uint32_t>(m_header.data() + kCountOffset, count);
        return false;
    }
    m_count = newCount;
    m_fileLength = std::max<uint64_t>(m_fileLength, at + records.size());
    m_index = newCount - 1;
    m_slot = newCount - 1;
    std::copy(records.end() - m_recordSize, records.end(), m_record.begin());
    m_bufferValid = true;
    SetError(store_err::None, err::Success);
    return true;
}

bool CMiniDatabase::ReadSlot(int64_t slot)
{
    if (slot < 0 || slot >= int64_t{m_count}) {
        m_bufferValid = false;
        SetError(store_err::WalkEnd, err::HandleEof);
        return false;
    }
    if (!m_file.ReadExactAt(m_dataStart + uint64_t(slot) * m_recordSize, m_record.data(),
                            m_recordSize)) {
        m_bufferValid = false;
        SetError(store_err::WalkEnd, GetLastError());
        return false;
    }
    m_bufferValid = true;
    return true;
}

bool CMiniDatabase::StepToLive(int64_t direction)
{
    for (;;) {
        if (!ReadSlot(m_slot)) {
            m_slot = 0;
            return false;
        }
        if (m_fixedLayout || m_record[kStatusOffset] == 0)
            return true;
        m_slot += direction;
    }
}

bool CMiniDatabase::First()
{
    if (!m_open) {
        SetError(store_err::NotOpen, err::InvalidHandle);
        return false;
    }
    if (m_count == 0) {
        SetError(store_err::NoRecords, err::NoMoreItems);
        return false;
    }
    m_index = 0;
    m_slot = 0;
    return StepToLive(+1);
}

bool CMiniDatabase::Next()
{
    if (!m_open) {
        SetError(store_err::NotOpen, err::InvalidHandle);
        return false;
    }
    if (m_index + 1 >= int64_t{m_count}) {
        SetError(store_err::WalkEnd, err::NoMoreItems);
        return false;
    }
    ++m_index;
    ++m_slot;
    return StepToLive(+1);
}

bool CMiniDatabase::Previous()
{
    if (!m_open) {
        SetError(store_err::NotOpen, err::InvalidHandle);
        return false;
    }
    if (m_index <= 0)
        return true;
    --m_index;
    --m_slot;
    return StepToLive(-1);
}

bool CMiniDatabase::Last()
{
    if (!m_open) {
        SetError(store_err::NotOpen, err::InvalidHandle);
        return false;
    }
    if (m_count == 0) {
        SetError(store_err::NoRecords, err::NoMoreItems);
        return false;
    }
    if (m_index == int64_t{m_count} - 1 && m_bufferValid)
        return true;
    m_index = int64_t{m_count} - 1;
    m_slot = m_index;
    return StepToLive(-1);
}

bool CMiniDatabase::ReadChunk(int64_t firstSlot, uint32_t slots, std::vector<uint8_t>& buf)
{
    buf.resize(size_t{slots} * m_recordSize);
    if (!m_file.ReadExactAt(m_dataStart + uint64_t(firstSlot) * m_recordSize, buf.data(),
                            buf.size())) {
        SetError(store_err::WalkEnd, GetLastError());
        return false;
    }
    return true;
}

bool CMiniDatabase::GoTo(uint32_t n)
{
    if (!m_open) {
        SetError(store_err::NotOpen, err::InvalidHandle);
        return false;
    }
    if (m_count == 0) {
        SetError(store_err::NoRecords, err::NoMoreItems);
        return false;
    }
    if (n >= m_count) {
        SetError(store_err::WalkEnd, err::InvalidParameter);
        return false;
    }
    if (!First())
        return false;
    // Next n times without reading each record: the status bytes are read a chunk at a time.
    int64_t slot = m_slot;
    uint32_t left = n;
    std::vector<uint8_t> buf;
    while (left > 0) {
        const int64_t from = slot + 1;
        if (from >= int64_t{m_count}) {
            First();
            SetError(store_err::WalkEnd, err::HandleEof);
            return false;
        }
        const uint32_t take = static_cast<uint32_t>(std::min<int64_t>(kScanChunk, m_count - from));
        if (!ReadChunk(from, take, buf)) {
            const uint32_t code = GetLastError();
            First();
            SetError(store_err::WalkEnd, code);
            return false;
        }
        for (uint32_t i = 0; i < take && left > 0; ++i) {
            ++slot;
            if (m_fixedLayout || buf[size_t{i} * m_recordSize + kStatusOffset] == 0)
                --left;
        }
    }
    m_index = n;
    m_slot = slot;
    if (!ReadSlot(m_slot)) {
        const uint32_t code = GetLastError();
        First();
        SetError(store_err::WalkEnd, code);
        return false;
    }
    return true;
}

bool CMiniDatabase::Read(MutableByteSpan out, bool reread)
{
    if (!m_open) {
        SetError(store_err::NotOpen, err::InvalidHandle);
        return false;
    }
    if (m_count == 0) {
        SetError(store_err::NoRecords, err::NoMoreItems);
        return false;
    }
    if (out.size() < m_recordSize) {
        SetLastError(err::InsufficientBuffer);
        return false;
    }
    if ((!m_bufferValid || reread) && !ReadSlot(m_slot))
        return false;
    std::copy(m_record.begin(), m_record.end(), out.begin());
    return true;
}

bool CMiniDatabase::ScanForward(const Visitor& visit)
{
    if (!m_open) {
        SetError(store_err::NotOpen, err::InvalidHandle);
        return false;
    }
    std::vector<uint8_t> buf;
    int64_t index = 0;
    for (int64_t from = 0; from < int64_t{m_count}; from += kScanChunk) {
        const uint32_t take = static_cast<uint32_t>(std::min<int64_t>(kScanChunk, m_count - from));
        if (!ReadChunk(from, take, buf))
            return false;
        for (uint32_t i = 0; i < take; ++i) {
            const uint8_t* rec = buf.data() + size_t{i} * m_recordSize;
            if (!m_fixedLayout && rec[kStatusOffset] != 0)
                continue;
            if (!visit(ByteSpan(rec, m_recordSize), index++))
                return true;
        }
    }
    return true;
}

bool CMiniDatabase::ScanBackward(const Visitor& visit)
{
    if (!m_open) {
        SetError(store_err::NotOpen, err::InvalidHandle);
        return false;
    }
    std::vector<uint8_t> buf;
    int64_t index = int64_t{m_count} - 1;
    for (int64_t end = m_count; end > 0; end -= kScanChunk) {
        const int64_t from = std::max<int64_t>(0, end - kScanChunk);
        const uint32_t take = static_cast<uint32_t>(end - from);
        if (!ReadChunk(from, take, buf))
            return false;
        for (uint32_t i = take; i-- > 0;) {
            const uint8_t* rec = buf.data() + size_t{i} * m_recordSize;
            if (!m_fixedLayout && rec[kStatusOffset] != 0)
                continue;
            if (!visit(ByteSpan(rec, m_recordSize), index--))
                return true;
        }
    }
    return true;
}

} // namespace kf
