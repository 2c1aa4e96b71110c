#include "users/minidatabase.h"

#include "platform/lasterror.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kf {
namespace {

// A store with 16-byte records and an extended header of 40 bytes: small enough to build
// files by hand, with the same rules as the user data file.
class SmallDb : public CMiniDatabase
{
public:
    static constexpr uint32_t kHeader = 140;
    static constexpr uint32_t kRecord = 16;
    SmallDb() : CMiniDatabase(kHeader, kRecord) {}

    uint32_t acceptVersion = kStoreVersion;

protected:
    HeaderCheck CheckHeader() override
    {
        if (Magic() != u"KYSMALDB") {
            SetError(store_err::WrongMagic, err::InvalidData);
            return HeaderCheck::Reject;
        }
        if (Version() != acceptVersion) {
            SetError(store_err::WrongVersion, err::InvalidData);
            return HeaderCheck::Reject;
        }
        return HeaderCheck::Accept;
    }
    void InitHeader(uint8_t* header) override
    {
        StoreUtf16Field(header, 9, u"KYSMALDB"); // 8 units and a NUL that InitHeader clears
        CMiniDatabase::InitHeader(header);
    }
};

Bytes Rec(uint8_t status, uint8_t tag)
{
    Bytes r(SmallDb::kRecord, tag);
    r[0] = status;
    return r;
}

uint8_t TagOf(SmallDb& db)
{
    Bytes out(SmallDb::kRecord);
    EXPECT_TRUE(db.Read(out));
    return out[1];
}

class MiniDatabaseTest : public ::testing::Test
{
protected:
    test::TempDir dir;
    std::u16string path = dir.File("small.db");

    // A file with the given records appended through the store.
    void Make(const std::vector<Bytes>& records)
    {
        SmallDb db;
        ASSERT_TRUE(db.Create(path));
        for (const Bytes& r : records)
            ASSERT_TRUE(db.Append(r));
        ASSERT_TRUE(db.Close());
    }
    std::string Raw() const { return dir.Read("small.db"); }
    void SetRawCount(uint32_t count)
    {
        std::fstream f(dir.Native("small.db"), std::ios::in | std::ios::out | std::ios::binary);
        uint8_t b[4];
        StoreLe<uint32_t>(b, count);
        f.seekp(CMiniDatabase::kCountOffset);
        f.write(reinterpret_cast<const char*>(b), 4);
    }
    void TruncateTo(uint64_t size) { std::filesystem::resize_file(dir.path() / "small.db", size); }
};

TEST_F(MiniDatabaseTest, CreateWritesHeaderPaddingAndNoRecords)
{
    SmallDb db;
    ASSERT_TRUE(db.Create(path));
    EXPECT_EQ(db.DataStart(), 512u);
    EXPECT_EQ(db.Count(), 0u);
    ASSERT_TRUE(db.Close());
    const std::string raw = Raw();
    ASSERT_EQ(raw.size(), 512u);
    EXPECT_EQ(raw.substr(0, 16), test::Utf16Bytes(u"KYSMALDB", false));
    const auto* b = reinterpret_cast<const uint8_t*>(raw.data());
    EXPECT_EQ(LoadLe<uint32_t>(b + 16), 0x300u);
    EXPECT_EQ(LoadLe<uint32_t>(b + 20), 0u);
    EXPECT_NE(LoadLe<uint32_t>(b + 28), 0u);
    EXPECT_GE(LoadLe<uint32_t>(b + 32), LoadLe<uint32_t>(b + 28));
}

TEST_F(MiniDatabaseTest, DataStartRoundsUpWithAWholeBlockForExactMultiples)
{
    EXPECT_EQ(CMiniDatabase::DataStartFor(100), 512u);
    EXPECT_EQ(CMiniDatabase::DataStartFor(512), 1024u);
    EXPECT_EQ(CMiniDatabase::DataStartFor(6212), 6656u);
    EXPECT_EQ(CMiniDatabase::DataStartFor(8228), 8704u);
}

TEST_F(MiniDatabaseTest, AppendAndWalkBothWays)
{
    Make({Rec(0, 1), Rec(0, 2), Rec(0, 3)});
    EXPECT_EQ(Raw().size(), 512u + 3 * 16);
    SmallDb db;
    ASSERT_TRUE(db.Open(path, true));
    EXPECT_EQ(db.Count(), 3u);
    EXPECT_EQ(TagOf(db), 1);
    ASSERT_TRUE(db.Next());
    EXPECT_EQ(TagOf(db), 2);
    ASSERT_TRUE(db.Next());
    EXPECT_EQ(TagOf(db), 3);
    EXPECT_TRUE(db.IsLast());
    EXPECT_FALSE(db.Next());
    ASSERT_TRUE(db.Previous());
    EXPECT_EQ(TagOf(db), 2);
    ASSERT_TRUE(db.First());
    EXPECT_TRUE(db.Previous()); // stays at the first record
    EXPECT_EQ(TagOf(db), 1);
    ASSERT_TRUE(db.Last());
    EXPECT_EQ(TagOf(db), 3);
    ASSERT_TRUE(db.GoTo(1));
    EXPECT_EQ(TagOf(db), 2);
    EXPECT_FALSE(db.GoTo(3));
}

TEST_F(MiniDatabaseTest, RecordsWithANonZeroStatusArePassedOverButCounted)
{
    Make({Rec(1, 1), Rec(0, 2), Rec(1, 3), Rec(0, 4), Rec(1, 5)});
    SmallDb db;
    ASSERT_TRUE(db.Open(path, true));
    EXPECT_EQ(db.Count(), 5u);
    EXPECT_EQ(db.HeaderRecordCount(), 5u);
    ASSERT_TRUE(db.First());
    EXPECT_EQ(TagOf(db), 2);
    ASSERT_TRUE(db.Next());
    EXPECT_EQ(TagOf(db), 4);
    ASSERT_TRUE(db.Previous());
    EXPECT_EQ(TagOf(db), 2);
    ASSERT_TRUE(db.Last());
    EXPECT_EQ(TagOf(db), 4);
    ASSERT_TRUE(db.GoTo(1));
    EXPECT_EQ(TagOf(db), 4);

    std::vector<uint8_t> forward, backward;
    ASSERT_TRUE(db.ScanForward([&](ByteSpan r, int64_t) {
        forward.push_back(r[1]);
        return true;
    }));
    ASSERT_TRUE(db.ScanBackward([&](ByteSpan r, int64_t) {
        backward.push_back(r[1]);
        return true;
    }));
    EXPECT_EQ(forward, (std::vector<uint8_t>{2, 4}));
    EXPECT_EQ(backward, (std::vector<uint8_t>{4, 2}));
}

TEST_F(MiniDatabaseTest, CountAboveTheRecordsPresentIsRepairedAndWrittenBack)
{
    Make(std::vector<Bytes>(8, Rec(0, 7)));
    SetRawCount(10);
    {
        SmallDb db;
        ASSERT_TRUE(db.Open(path, false));
        EXPECT_EQ(db.Count(), 8u);
        ASSERT_TRUE(db.Close());
    }
    const std::string raw = Raw();
    EXPECT_EQ(LoadLe<uint32_t>(reinterpret_cast<const uint8_t*>(raw.data()) + 20), 8u);
}

TEST_F(MiniDatabaseTest, RecordsCountedWithoutAnyDataFailWithError1)
{
    Make({});
    SetRawCount(2);
    SmallDb db;
    EXPECT_FALSE(db.Open(path, true));
    EXPECT_EQ(db.LastError(), store_err::ShortFile);
}

TEST_F(MiniDatabaseTest, EmptyFileOpensAndGoToFailsWithError7)
{
    Make({});
    SmallDb db;
    ASSERT_TRUE(db.Open(path, true));
    EXPECT_EQ(db.Count(), 0u);
    EXPECT_FALSE(db.GoTo(0));
    EXPECT_EQ(db.LastError(), store_err::NoRecords);
    Bytes out(16);
    EXPECT_FALSE(db.Read(out));
    EXPECT_EQ(db.LastError(), store_err::NoRecords);
}

TEST_F(MiniDatabaseTest, OpenErrors)
{
    SmallDb db;
    EXPECT_FALSE(db.Open(dir.File("missing.db"), true));
    EXPECT_EQ(db.LastError(), store_err::OpenFailed);
    EXPECT_EQ(GetLastError(), err::FileNotFound);

    Make({Rec(0, 1)});
    TruncateTo(300);
    EXPECT_FALSE(db.Open(path, true));
    EXPECT_EQ(db.LastError(), store_err::ShortFile);

    Make({});
    {
        std::fstream f(dir.Native("small.db"), std::ios::in | std::ios::out | std::ios::binary);
        f.write("X", 1);
    }
    EXPECT_FALSE(db.Open(path, true));
    EXPECT_EQ(db.LastError(), store_err::WrongMagic);
    EXPECT_EQ(GetLastError(), err::InvalidData);

    Make({});
    db.acceptVersion = 0x301;
    EXPECT_FALSE(db.Open(path, true));
    EXPECT_EQ(db.LastError(), store_err::WrongVersion);
    EXPECT_FALSE(db.IsOpen());

    SmallDb closed;
    EXPECT_FALSE(closed.First());
    EXPECT_EQ(closed.LastError(), store_err::NotOpen);
    EXPECT_FALSE(closed.Append(Rec(0, 1)));
    EXPECT_EQ(closed.LastError(), store_err::NotOpen);
}

TEST_F(MiniDatabaseTest, AppendOnAReadOnlyOpenFailsWith13AndChangesNothing)
{
    Make({Rec(0, 1)});
    const std::string before = Raw();
    SmallDb db;
    ASSERT_TRUE(db.Open(path, true));
    EXPECT_FALSE(db.Append(Rec(0, 2)));
    EXPECT_EQ(db.LastError(), store_err::ReadOnly);
    EXPECT_EQ(GetLastError(), err::FileReadOnly);
    EXPECT_FALSE(db.WriteHeader());
    EXPECT_EQ(db.LastError(), store_err::ReadOnly);
    db.Close();
    EXPECT_EQ(Raw(), before);
}

TEST_F(MiniDatabaseTest, SecondWriterIsRefusedButReadersAreNot)
{
    Make({Rec(0, 1)});
    SmallDb writer, other, reader;
    ASSERT_TRUE(writer.Open(path, false));
    EXPECT_FALSE(other.Open(path, false));
    EXPECT_EQ(other.LastError(), store_err::OpenFailed);
    EXPECT_EQ(GetLastError(), err::SharingViolation);
    ASSERT_TRUE(reader.Open(path, true));
    ASSERT_TRUE(writer.Append(Rec(0, 2)));
    // A reader sees new records once it opens the file again.
    EXPECT_EQ(reader.Count(), 1u);
    ASSERT_TRUE(reader.Open(path, true));
    EXPECT_EQ(reader.Count(), 2u);
}

TEST_F(MiniDatabaseTest, SharedWritersInOneProcessSeeEachOthersAppends)
{
    Make({});
    SmallDb a, b;
    ASSERT_TRUE(a.Open(path, CMiniDatabase::OpenMode::SharedWrite));
    ASSERT_TRUE(b.Open(path, CMiniDatabase::OpenMode::SharedWrite));
    ASSERT_TRUE(a.Append(Rec(0, 1)));
    ASSERT_TRUE(b.Append(Rec(0, 2)));
    ASSERT_TRUE(a.Append(Rec(0, 3)));
    EXPECT_EQ(a.Count(), 3u);
    a.Close();
    b.Close();
    SmallDb r;
    ASSERT_TRUE(r.Open(path, true));
    std::vector<uint8_t> tags;
    ASSERT_TRUE(r.ScanForward([&](ByteSpan rec, int64_t) {
        tags.push_back(rec[1]);
        return true;
    }));
    EXPECT_EQ(tags, (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(MiniDatabaseTest, UnfinishedRecordPastTheCountIsOverwrittenByTheNextAppend)
{
    Make({Rec(0, 1)});
    // A writer killed in the middle of its record leaves 5 stray bytes past the count.
    {
        std::ofstream f(dir.Native("small.db"), std::ios::binary | std::ios::app);
        f.write("\x00\x09\x09\x09\x09", 5);
    }
    SmallDb db;
    ASSERT_TRUE(db.Open(path, false));
    EXPECT_EQ(db.Count(), 1u);
    ASSERT_TRUE(db.Append(Rec(0, 2)));
    ASSERT_TRUE(db.Close());
    EXPECT_EQ(Raw().size(), 512u + 2 * 16);
    ASSERT_TRUE(db.Open(path, true));
    ASSERT_TRUE(db.Last());
    EXPECT_EQ(TagOf(db), 2);
}

} // namespace
} // namespace kf
