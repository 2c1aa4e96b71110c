#include "session/resultsaving.h"

#include "platform/lasterror.h"
#include "session/exercisekind.h"
#include "users/pump_typingdata.h"

#include <algorithm>
#include <limits>

namespace kf {

uint32_t RoundExerciseTime(uint32_t elapsedMs)
{
    uint64_t t = elapsedMs;
    if (t % 1000 > 500)
        t += 500;
    t -= t % 1000;
    return static_cast<uint32_t>(
        std::min<uint64_t>(t, std::numeric_limits<uint32_t>::max() / 1000 * 1000));
}

void CompleteResultRecord(CResultRecord& record, const ExerciseEnd& end)
{
    record.SetEndReason(static_cast<uint8_t>(end.abortType));
    record.SetTypingTime(RoundExerciseTime(end.elapsedMs));
    record.SetCharsTyped(end.totalHits);
    record.SetCharsCorrect(end.freeTyping ? end.totalHits : end.correctHits);
}

bool IsWriteDenied(uint32_t platformError)
{
    return platformError == err::AccessDenied || platformError == err::WriteProtect ||
           platformError == err::FileReadOnly;
}

namespace {

uint32_t AddSaturating(uint32_t total, uint32_t add)
{
    const uint64_t sum = uint64_t{total} + add;
    return static_cast<uint32_t>(std::min<uint64_t>(sum, std::numeric_limits<uint32_t>::max()));
}

SaveOutcome Failed(SaveOutcome::Status status)
{
    SaveOutcome out;
    out.status = status;
    out.error = GetLastError();
    out.denied = IsWriteDenied(out.error);
    out.reported = true;
    return out;
}

} // namespace

void PumpResultStore::SetErrorKey(std::u16string_view key)
{
    m_pump.SetErrorKey(key);
}

bool PumpResultStore::SaveProfile(const CUserProfile& profile)
{
    return m_pump.SaveProfile(profile);
}

bool PumpResultStore::AppendResult(const CResultRecord& record, const KeyDelayBlock& block)
{
    return m_pump.AppendResult(record, block.bytes());
}

bool PumpResultStore::WriteDenied() const
{
    const CUserData& file = m_pump.Store().UserFile();
    return file.IsOpen() && file.IsReadOnly();
}

SaveOutcome SaveExerciseResult(ResultStore& store, CUserProfile& profile, CResultRecord& record,
                               const KeyDelayBlock& keyDelays, int deskMode)
{
    if (record.CharsTyped() == 0)
        return {};
    if (store.WriteDenied()) {
        SaveOutcome out;
        out.status = SaveOutcome::Status::ResultFailed;
        out.error = err::AccessDenied;
        out.denied = true;
        SetLastError(out.error);
        return out;
    }

    CResultRecord stored = record;
    stored.SetDeskMode(static_cast<uint8_t>(deskMode));
    store.SetErrorKey(u"IDS_ERR_SAVEACTION");
    if (!store.AppendResult(stored, keyDelays))
        return Failed(SaveOutcome::Status::ResultFailed);
    record = stored;

    if (deskMode == desk_mode::kTest)
        profile.SetTestTypingTime(AddSaturating(profile.TestTypingTime(), record.TypingTime()));
    else
        profile.SetOtherTypingTime(AddSaturating(profile.OtherTypingTime(), record.TypingTime()));
    std::copy(keyDelays.data(), keyDelays.data() + KeyDelayBlock::kSize,
              profile.KeyDelayTable().begin());

    store.SetErrorKey(u"IDS_ERR_SAVEACTION");
    if (!store.SaveProfile(profile))
        return Failed(SaveOutcome::Status::ProfileFailed);

    SaveOutcome out;
    out.status = SaveOutcome::Status::Saved;
    return out;
}

} // namespace kf
