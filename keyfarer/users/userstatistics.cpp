#include "userstatistics.h"

#include "accountfiles.h"
#include "accountname.h"

#include "platform/lasterror.h"
#include "platform/utf.h"

#include <algorithm>
#include <limits>

namespace kf {

namespace {

void Put(Bytes& reply, ByteSpan record)
{
    reply.insert(reply.end(), record.begin(), record.end());
}

int32_t Clamp32(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, 0, std::numeric_limits<int32_t>::max()));
}

int64_t ErrorStrokes(const CResultRecord& r)
{
    const int64_t gross = r.CharsTyped();
    const int64_t correct = r.CharsCorrect();
    return gross > correct ? gross - correct : 0;
}

} // namespace

ResultFigures ComputeResultFigures(const CResultRecord& r, uint32_t errorFactor)
{
    ResultFigures f;
    const int64_t hits = r.CharsTyped();
    const int64_t errors = ErrorStrokes(r);
    const int64_t net = hits - errors * int64_t{errorFactor};
    f.errors = static_cast<uint32_t>(errors);
    f.netHits = net > 0 ? static_cast<uint32_t>(net) : 0;
    const double ms = r.TypingTime();
    if (ms > 0) {
        f.grossSpeed = static_cast<double>(hits) * 60000.0 / ms;
        f.netSpeed = static_cast<double>(f.netHits) * 60000.0 / ms;
    }
    if (hits > 0)
        f.accuracy = static_cast<double>(f.netHits) * 100.0 / static_cast<double>(hits);
    return f;
}

std::u16string HistoryContentName(const CResultRecord& r, std::u16string_view freeTypingText)
{
    const uint8_t kind = r.ExerciseKind();
    if (kind == kKindFreeTyping)
        return std::u16string(freeTypingText);
    std::u16string title = r.LessonName();
    if (!IsTestKind(kind))
        return title;
    const size_t sep = title.find_last_of(u"\\/");
    if (sep != std::u16string::npos)
        title.erase(0, sep + 1);
    if (title.size() >= 4 &&
        EqualsNoCase(std::u16string_view(title).substr(title.size() - 4), u".txt"))
        title.resize(title.size() - 4);
    return title;
}

CHistoryItem MakeHistoryItem(const CResultRecord& r, int32_t recordNumber,
                             std::u16string_view freeTypingText)
{
    CHistoryItem item;
    item.SetRecordNumber(recordNumber);
    item.SetContentName(HistoryContentName(r, freeTypingText));
    item.SetDateTime(StartTimeSeconds(r.StartTime()));
    item.SetDuration(Clamp32(r.TypingTime() / 1000));
    item.SetGrossStrokes(Clamp32(r.CharsTyped()));
    item.SetErrorStrokes(Clamp32(ErrorStrokes(r)));
    item.SetDataType(r.ExerciseKind());
    return item;
}

CProgressPoint MakeProgressPoint(const CResultRecord& r, uint32_t errorFactor)
{
    CProgressPoint p;
    const uint32_t seconds = r.TypingTime() / 1000;
    const uint64_t gross = r.CharsTyped();
    const uint64_t penalty = uint64_t{errorFactor} * static_cast<uint64_t>(ErrorStrokes(r));
    p.SetDuration(seconds);
    p.SetDataType(r.ExerciseKind());
    p.SetAccuracy(penalty < gross ? static_cast<uint8_t>((gross - penalty) * 100 / gross) : 0);
    const uint64_t speed = seconds == 0 ? 0 : gross * 60 / seconds;
    p.SetGrossSpeed(static_cast<uint16_t>(std::min<uint64_t>(speed, 0xFFFF)));
    return p;
}

bool ListHistoryItems(CUserData& file, uint32_t types, uint32_t maximum,
                      std::u16string_view freeTypingText, Bytes& reply)
{
    const uint8_t first = static_cast<uint8_t>(types & 0xFF);
    const uint8_t second = static_cast<uint8_t>((types >> 8) & 0xFF);
    uint64_t count = 0;
    const bool ok = file.ScanBackward([&](ByteSpan bytes, int64_t index) {
        const uint8_t kind = bytes[CResultRecord::kExerciseKind];
        if (kind != first && kind != second)
            return true;
        CResultRecord r;
        r.Assign(bytes);
        Put(reply, MakeHistoryItem(r, static_cast<int32_t>(index), freeTypingText).bytes());
        return ++count <= maximum;
    });
    if (ok)
        SetLastError(err::Success);
    return ok;
}

bool ListProgressPoints(CUserData& file, uint32_t errorFactor, uint32_t type, uint32_t maximum,
                        Bytes& reply)
{
    uint64_t count = 0;
    if (maximum == 0) {
        SetLastError(err::Success);
        return true;
    }
    const bool ok = file.ScanForward([&](ByteSpan bytes, int64_t) {
        if (bytes[CResultRecord::kExerciseKind] != type)
            return true;
        CResultRecord r;
        r.Assign(bytes);
        Put(reply, MakeProgressPoint(r, errorFactor).bytes());
        return ++count < maximum;
    });
    if (ok)
        SetLastError(err::Success);
    return ok;
}

bool ListRankEntries(std::u16string_view accountFolder, uint32_t method, uint32_t type,
                     Bytes& reply)
{
    if (method != 0) {
        SetLastError(err::InvalidParameter);
        return false;
    }
    std::vector<AccountFile> files;
    if (!ListAccountFiles(accountFolder, files))
        return false;
    size_t entries = 0;
    for (const AccountFile& f : files) {
        if (entries == kMaxRankEntries)
            break;
        int64_t seconds = 0, gross = 0, errors = 0;
        CUserProfile profile;
        // Only four fields of each record count; they are read in place.
        const bool read = ReadAccountFile(f.path, &profile, [&](ByteSpan r) {
            if (r[CResultRecord::kExerciseKind] != type)
                return true;
            const int64_t typed = LoadLe<uint32_t>(r.data() + CResultRecord::kCharsTyped);
            const int64_t correct = LoadLe<uint32_t>(r.data() + CResultRecord::kCharsCorrect);
            seconds += LoadLe<uint32_t>(r.data() + CResultRecord::kTypingTime) / 1000;
            gross += typed;
            errors += typed > correct ? typed - correct : 0;
            return true;
        });
        if (!read)
            continue;
        CRankEntry e;
        e.SetAccountName(std::u16string_view(f.account).substr(0, kMaxAccountNameLength));
        e.SetAccountNumber(profile.AccountNumber());
        e.SetDuration(Clamp32(seconds));
        e.SetGrossStrokes(Clamp32(gross));
        e.SetErrorStrokes(Clamp32(errors));
        Put(reply, e.bytes());
        ++entries;
    }
    SetLastError(err::Success);
    return true;
}

} // namespace kf
