#include "userdata.h"

#include "userdata_prev_2.h"

#include "platform/filehandle.h"
#include "platform/lasterror.h"
#include "platform/path.h"

#include <vector>

namespace kf {

namespace {

// Converted records are appended this many at a time: one lock and one header write each.
constexpr size_t kConversionBatch = 256;

CUserData::ConversionHook g_conversionHook = nullptr;

bool Reached(CUserData::ConversionStep step)
{
    if (g_conversionHook && !g_conversionHook(step)) {
        SetLastError(err::WriteFault);
        return false;
    }
    return true;
}

} // namespace

void CUserData::SetConversionHookForTesting(ConversionHook hook)
{
    g_conversionHook = hook;
}

CUserData::CUserData() : CMiniDatabase(kHeaderSize, kRecordSize) {}

CUserProfile CUserData::Profile() const
{
    CUserProfile p;
    p.Assign(GetExtendedHeader());
    return p;
}

void CUserData::SetProfile(const CUserProfile& profile)
{
    SetExtendedHeader(profile.bytes());
}

void CUserData::InitHeader(uint8_t* header)
{
    for (size_t i = 0; i < kMagicUnits; ++i)
        StoreLe<uint16_t>(header + kMagicOffset + 2 * i, static_cast<uint16_t>(kMagic[i]));
    StoreLe<uint32_t>(header + kVersionOffset, kVersion);
    CMiniDatabase::InitHeader(header);
}

CMiniDatabase::HeaderCheck CUserData::CheckHeader()
{
    if (Magic() != kMagic) {
        SetError(store_err::WrongMagic, err::InvalidData);
        return HeaderCheck::Reject;
    }
    const uint32_t version = Version();
    if (version == kVersion)
        return HeaderCheck::Accept;
    if (version == CUserData_Prev_2::kVersion && m_convertPrevious) {
        const std::u16string path = Path();
        // The conversion takes the file as its only writer; this open must let go first.
        ReleaseFile();
        if (ConvertPreviousFile(path))
            return HeaderCheck::Reopen;
        SetError(store_err::WrongVersion, GetLastError());
        return HeaderCheck::Reject;
    }
    SetError(store_err::WrongVersion, err::InvalidData);
    return HeaderCheck::Reject;
}

bool CUserData::ConvertPreviousFile(std::u16string_view path)
{
    // Held until the converted file has replaced the original: no other writer can open the
    // original meanwhile, and a second converter fails here instead of racing this one.
    FileHandle guard;
    if (!guard.Open(path, FileAccess::ReadWrite, FileShare::DenyWriters))
        return false;
    CUserData_Prev_2 previous;
    if (!previous.Open(path, CMiniDatabase::OpenMode::ReadOnly) ||
        !Reached(ConversionStep::OriginalOpened))
        return false;

    const std::u16string side = std::u16string(path) + u".kfconv";
    auto fail = [&]() {
        LastErrorKeeper keep;
        RemoveFile(side);
        return false;
    };
    CUserData converted;
    converted.SetConvertPrevious(false);
    converted.SetProfile(CUserData_Prev_2::ConvertProfile(previous.ProfileBytes()));
    if (!converted.Create(side) || !Reached(ConversionStep::SideFileCreated))
        return fail();

    std::vector<uint8_t> batch;
    batch.reserve(kConversionBatch * kRecordSize);
    uint32_t number = 0;
    bool appended = true;
    const bool walked = previous.ScanForward([&](ByteSpan record, int64_t) {
        const CResultRecord r = CUserData_Prev_2::ConvertRecord(record, ++number);
        batch.insert(batch.end(), r.data(), r.data() + r.size());
        if (batch.size() >= kConversionBatch * kRecordSize) {
            appended = converted.AppendMany(batch);
            batch.clear();
        }
        return appended;
    });
    if (!walked || !appended)
        return fail();
    if (!batch.empty() && !converted.AppendMany(batch))
        return fail();
    if (!Reached(ConversionStep::RecordsCopied))
        return fail();
    // Close writes the header and flushes the whole file before it takes the original's name.
    if (!converted.Close() || !Reached(ConversionStep::SideFileFlushed))
        return fail();
    previous.Close();
    if (!MoveFileTo(side, path))
        return fail();
    guard.Close();
    // The converted file is in place; a failure reported from here on would be a lie.
    Reached(ConversionStep::Replaced);
    SetLastError(err::Success);
    return true;
}

} // namespace kf
