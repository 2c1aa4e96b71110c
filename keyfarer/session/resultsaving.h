#pragma once

// Saving a finished exercise: the result record is completed from the exercise's figures,
// appended to the user's data file with its list of slowest characters, the typing time is
// added to the profile's totals, the list is kept in the profile for a later review, and the
// profile is written back. All stored data goes through the data supplier, seen here through
// ResultStore.
//
// The result is stored before the profile: when the append fails nothing has changed, not
// even the totals in memory, so the user can go on and try again later; when only the
// profile fails to be written, the result is stored and the profile in memory holds the new
// totals and list, which reach the file with the next profile save.

#include "session/keydelayblock.h"
#include "users/resultrecord.h"
#include "users/userprofile.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kf {

class CPump_TypingData;

// The supplier requests that saving needs. A failing request has told the user itself
// (the supplier's convention), with the error key set before it.
class ResultStore
{
public:
    virtual ~ResultStore() = default;
    // The message key shown when the next request fails.
    virtual void SetErrorKey(std::u16string_view key) = 0;
    virtual bool SaveProfile(const CUserProfile& profile) = 0;
    virtual bool AppendResult(const CResultRecord& record, const KeyDelayBlock& block) = 0;
    // True when the user's file may not be written at all (opened for reading only): saving
    // then asks nothing and the caller shows "IDS_ERR_WRITEACTION_DENIED".
    virtual bool WriteDenied() const { return false; }
};

// The data supplier as the result store.
class PumpResultStore : public ResultStore
{
public:
    explicit PumpResultStore(CPump_TypingData& pump) : m_pump(pump) {}
    void SetErrorKey(std::u16string_view key) override;
    bool SaveProfile(const CUserProfile& profile) override;
    bool AppendResult(const CResultRecord& record, const KeyDelayBlock& block) override;
    // The supplier's open user file is read-only.
    bool WriteDenied() const override;

private:
    CPump_TypingData& m_pump;
};

// The stored time of an exercise: whole seconds, where more than 500 milliseconds above a
// whole second count as the next second (1500 stays 1000, 1501 becomes 2000).
uint32_t RoundExerciseTime(uint32_t elapsedMs);

// The end of an exercise as the result record stores it.
struct ExerciseEnd
{
    int abortType = 0;        // end reason
    uint32_t elapsedMs = 0;   // the clock's time, rounded when stored
    uint32_t totalHits = 0;   // characters typed
    uint32_t correctHits = 0; // characters typed correctly
    bool freeTyping = false;  // free typing has no sample: every typed character counts
};
// Fills the end reason, the rounded time, the characters typed and the correct ones (the
// characters typed in free typing).
void CompleteResultRecord(CResultRecord& record, const ExerciseEnd& end);

// Errors that mean the user's file may not be written at all (rather than a failure of this
// one write): access denied, write-protected medium, read-only file.
bool IsWriteDenied(uint32_t platformError);

struct SaveOutcome
{
    enum class Status {
        Saved,         // result and profile stored
        NothingToSave, // no character was typed: nothing stored, nothing changed
        ResultFailed,  // the result could not be stored; profile and record unchanged
        ProfileFailed, // the result is stored, the profile file keeps its old totals
    };
    Status status = Status::NothingToSave;
    uint32_t error = 0;  // the platform's last-error value of the failed request
    bool denied = false; // the file may not be written (IsWriteDenied of the error)
    // The store has told the user already (a request failed); otherwise the caller shows
    // "IDS_ERR_WRITEACTION_DENIED" for a denied write.
    bool reported = false;
    bool ResultStored() const { return status == Status::Saved || status == Status::ProfileFailed; }
};

// Saves a finished exercise through the store (error key "IDS_ERR_SAVEACTION" for both
// requests; a store that may not be written is not asked at all): stores the desk mode in the
// record, appends the record with the key-delay list, and then adds the record's time to the
// profile's test time (desk mode 3, tests and free typing) or practice time (every other mode),
// keeps the list in the profile's key-delay table and saves the profile. A total that would pass
// 2^32 - 1 milliseconds stays there.
SaveOutcome SaveExerciseResult(ResultStore& store, CUserProfile& profile, CResultRecord& record,
                               const KeyDelayBlock& keyDelays, int deskMode);

} // namespace kf
