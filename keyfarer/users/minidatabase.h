#pragma once

// CMiniDatabase: the record file store. One file holds a fixed 100-byte header, an optional
// extended header that a derived class defines (for the user data file: the whole profile),
// zero padding, and then fixed-size records that are only ever appended. Any number of
// readers may hold the file open; writers take turns through byte-range locks while they
// append. The class is abstract: a derived class gives the header and record sizes, writes
// its magic in InitHeader and accepts or rejects a header in CheckHeader.
//
// File layout (byte order little-endian):
//
//   offset       size                  type       meaning
//   0            16                    UTF-16 x8  magic of the derived class, no NUL
//   16           4                     uint32     format version (768 = 0x300 as the store
//                                                 writes it; a derived class may check others)
//   20           4                     uint32     record count
//   24           4                     -          reserved, 0
//   28           4                     uint32     creation time, seconds since 1970 UTC
//   32           4                     uint32     time of the last header write, ditto
//   36           64                    -          reserved, 0
//   100          header size - 100     bytes      extended header (derived class)
//   header size  data start - hdr size -          zero padding
//   data start   record size x count   records    record i at data start + i x record size
//
// The data start is the header size rounded up to the next multiple of 512, a header size
// that already is a multiple getting 512 more (100 -> 512, 6212 -> 6656, 8228 -> 8704).
// Byte 0 of every record is its status: 0 live, anything else a record that walking passes
// over (the store never writes one but honours one found in a file).
//
// Store error numbers (LastError()); the platform's last-error value says more:
//   1  the file is shorter than its data start, or its header counts records of which the
//      file holds no data at all
//   2  opening the file failed (SharingViolation when another writer has it open)
//   3  the operation needs an open file
//   4  a short read of the header or the extended header
//   6  creating the file failed
//   7  there are no records
//   9  a walk ran off either end of the records, or a record could not be read
//   11 header rejected: wrong version (derived class)
//   12 header rejected: wrong magic (derived class)
//   13 write on a file opened read-only (platform error 6009)
//
// Crash safety. A record is written into its slot before the header counts it, and the
// header is only ever rewritten in place under the header lock, so a process killed at any
// moment leaves a file whose count covers only complete records; an unfinished record past
// the count is overwritten by the next append (which writes at the slot the count names,
// not at the end of the file). Appends are not flushed to disk one by one: they survive the
// death of the process at once and a power failure once the system has written its cache;
// header writes outside appends (Create, WriteHeader, Close) are flushed.

#include "platform/bytes.h"
#include "platform/filehandle.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kf {

namespace store_err {
constexpr uint32_t None = 0;
constexpr uint32_t ShortFile = 1;
constexpr uint32_t OpenFailed = 2;
constexpr uint32_t NotOpen = 3;
constexpr uint32_t ShortHeader = 4;
constexpr uint32_t CreateFailed = 6;
constexpr uint32_t NoRecords = 7;
constexpr uint32_t WalkEnd = 9;
constexpr uint32_t WrongVersion = 11;
constexpr uint32_t WrongMagic = 12;
constexpr uint32_t ReadOnly = 13;
} // namespace store_err

class CMiniDatabase
{
public:
    static constexpr uint32_t kBaseHeaderSize = 100;
    static constexpr uint32_t kStoreVersion = 0x300;
    static constexpr size_t kMagicOffset = 0;
    static constexpr size_t kMagicUnits = 8;
    static constexpr size_t kVersionOffset = 16;
    static constexpr size_t kCountOffset = 20;
    static constexpr size_t kCreationTimeOffset = 28;
    static constexpr size_t kLastWriteTimeOffset = 32;
    static constexpr size_t kStatusOffset = 0; // in every record
    // The wait between attempts to take a lock another process holds.
    static constexpr unsigned kLockRetryMs = 200;

    static constexpr uint64_t DataStartFor(uint32_t headerSize)
    {
        return (uint64_t{headerSize} / 512 + 1) * 512;
    }

    enum class OpenMode {
        ReadOnly,   // shares the file with readers and writers
        Write,      // denies other writers (the login's open of the user's own file)
        SharedWrite // coexists with other SharedWrite writers, taking turns through the locks
    };
    enum class HeaderCheck { Accept, Reject, Reopen };

    virtual ~CMiniDatabase();
    CMiniDatabase(const CMiniDatabase&) = delete;
    CMiniDatabase& operator=(const CMiniDatabase&) = delete;

    // Creates the file, or replaces an existing one that no other writer holds open, with the
    // header (InitHeader), the extended header image and the padding, and no records. The
    // new file is written beside the target, flushed and renamed over it, so a crash leaves
    // the old file or the new one. The object is then open for writing (Write mode).
    virtual bool Create(std::u16string_view path);

    // Opens the file: checks its length against the data start, reads the header and the
    // extended header, repairs a record count that the file's length cannot hold, lets the
    // derived class check the header (which may convert the file and ask for a reopen) and
    // goes to the first record. readOnly selects ReadOnly, else Write.
    bool Open(std::u16string_view path, bool readOnly);
    bool Open(std::u16string_view path, OpenMode mode);

    // Closes; a file open for writing gets its header written (and flushed) first. True when
    // that write succeeded or nothing was open.
    bool Close();

    // Appends one record (exactly RecordSize() bytes) under the header lock: re-reads the
    // header that other writers may have changed, locks and writes the record into the slot
    // after the last counted one, then writes the 100-byte header with the count one higher
    // than the file's (not this object's) count. The extended header is left as the last
    // WriteHeader stored it. The current record becomes the new one. Fails with 13 on a
    // read-only open, 3 when nothing is open; a failed write leaves the count unchanged.
    bool Append(ByteSpan record);
    // Appends several records (a multiple of RecordSize() bytes) under one lock and one
    // header write; used where many records are added at once (conversion, imports).
    bool AppendMany(ByteSpan records);

    // Walking; the current record is read into the record buffer as the walk moves.
    bool First();
    bool Last();
    bool Next();
    bool Previous(); // at index 0 it stays there and succeeds
    // Moves to the n-th live record counted from the first.
    bool GoTo(uint32_t n);
    // Copies the current record into out (RecordSize() bytes), reading it again from the
    // file when reread is set or the buffer is not valid.
    bool Read(MutableByteSpan out, bool reread = false);
    bool IsLast() const { return int64_t{m_index} >= int64_t{m_count} - 1; }
    uint32_t Count() const { return m_count; }
    int64_t CurrentIndex() const { return m_index; }

    // Visits the live records in file order (forward: index 0, 1, ...; backward: from
    // Count() - 1 down, one less per live record), reading many records per system call.
    // The visitor returns false to stop early. The walk position is not changed. False when a
    // record cannot be read (error 9) or nothing is open (3).
    using Visitor = std::function<bool(ByteSpan record, int64_t index)>;
    bool ScanForward(const Visitor& visit);
    bool ScanBackward(const Visitor& visit);

    // Writes the 100-byte header, the extended header and the padding at the start of the
    // file, with the last write time set to now and the record count taken under the header
    // lock (the larger of other writers' appends, never more than the file holds), and
    // flushes. Fails with 13 on a read-only open.
    virtual bool WriteHeader();

    uint32_t LastError() const { return m_error; }

    bool IsOpen() const { return m_open; }
    bool IsReadOnly() const { return m_readOnly; }
    const std::u16string& Path() const { return m_path; }
    uint32_t HeaderSize() const { return m_headerSize; }
    uint64_t DataStart() const { return m_dataStart; }
    uint32_t RecordSize() const { return m_recordSize; }
    uint64_t FileLength() const { return m_fileLength; }

    // The fields of the 100-byte header image.
    std::u16string Magic() const;
    uint32_t Version() const;
    uint32_t HeaderRecordCount() const;
    uint32_t CreationTime() const;
    uint32_t LastWriteTime() const;

    // In fixed-layout mode every slot of the file is a record and status bytes are not
    // examined (no derived class of this program uses it).
    void SetFixedLayout(bool fixed) { m_fixedLayout = fixed; }

protected:
    CMiniDatabase(uint32_t headerSize, uint32_t recordSize);

    // Accepts or rejects the header image just read; on rejection sets the store error and
    // the platform error. Reopen: the derived class has replaced the file (a conversion), the
    // store opens it again in the same mode.
    virtual HeaderCheck CheckHeader() = 0;
    // Fills a new header: the store sets count 0, the reserved fields 0, the creation time
    // now and the version 768 unless the derived class has set one already.
    virtual void InitHeader(uint8_t* header);

    void SetExtendedHeader(ByteSpan image);
    ByteSpan GetExtendedHeader() const { return m_extHeader; }
    const uint8_t* HeaderImage() const { return m_header.data(); }
    uint8_t* HeaderImage() { return m_header.data(); }
    void SetError(uint32_t storeError, uint32_t platformError);
    OpenMode Mode() const { return m_mode; }
    // Closes the file without writing anything; for a CheckHeader that must replace the file
    // it has just read and then answers Reopen or Reject.
    void ReleaseFile() { m_file.Close(); }

private:
    bool OpenOnce(OpenMode mode, HeaderCheck& verdict);
    bool AppendLocked(ByteSpan records);
    bool WriteHeaderImage(bool flush);
    bool ReadDiskHeader(std::array<uint8_t, kBaseHeaderSize>& header, uint32_t& count);
    bool ReadSlot(int64_t slot);
    bool StepToLive(int64_t direction);
    bool ReadChunk(int64_t firstSlot, uint32_t slots, std::vector<uint8_t>& buf);
    void ResetState();

    FileHandle m_file;
    std::array<uint8_t, kBaseHeaderSize> m_header{};
    uint32_t m_headerSize;
    uint64_t m_dataStart;
    std::vector<uint8_t> m_extHeader;
    std::vector<uint8_t> m_record;
    uint32_t m_recordSize;
    uint32_t m_count = 0;
    int64_t m_index = -1; // the current record as the walk counts it (-1: none)
    int64_t m_slot = 0;   // the slot the file position rests at
    uint64_t m_fileLength = 0;
    bool m_open = false;
    bool m_fixedLayout = false;
    bool m_bufferValid = false;
    bool m_autoRead = true;
    bool m_readOnly = false;
    OpenMode m_mode = OpenMode::ReadOnly;
    uint32_t m_error = 0;
    std::u16string m_path;
};

} // namespace kf
