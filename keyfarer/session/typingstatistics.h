#pragma once

// TypingStatistics: the typing desk's side of judging. It keeps the delay per expected
// character (KeyDelayTable), the time of the last accepted keystroke, and the one-second
// sample from which the panel's wink speed is taken, and builds the statistics block the
// panel draws. The desk owns one for the whole run: the one-second sample is not reset
// between exercises. All times come from TickCount().

#include "session/keydelayblock.h"
#include "session/keydelaytable.h"
#include "session/statisticsblock.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace kf {

// What the desk knows at a refresh.
struct StatisticsInput
{
    int mode = 0;                 // desk mode
    int kind = 0;                 // exercise kind of the engine
    int64_t totalHits = 0;        // P
    int64_t correctHits = 0;      // C
    int64_t elapsedMs = 0;        // 0 while the clock has not started; the pause time while paused
    int32_t pass = 0;             // "Single_Pass"
    int32_t fullmark = 0;         // "Single_Fullmark"
    SpeedUnit unit = SpeedUnit::CharactersPerMinute;
};

class TypingStatistics
{
public:
    TypingStatistics() = default;

    // A new exercise: the table lists the distinct characters of the sample (none in free
    // typing, where sample is empty) and no keystroke has been made yet.
    void PrepareExercise(std::u16string_view sample, bool freeTyping);

    // Records the time since the previous accepted keystroke for the expected character.
    // Nothing is recorded when expected is 0 or ch is backspace (true). In lesson, test,
    // review and slide-show modes a wrong key while "AllowErrorKey" is off was refused:
    // false, nothing recorded. The first keystroke only starts the timing.
    bool RecordKeyDelay(char16_t ch, char16_t expected, int mode, bool allowErrorKey);

    // Time the exercise stood still (a question was open): the delay to the next keystroke
    // does not include it.
    void ShiftLastKeystroke(uint32_t pausedMs);
    // A game's target escaped: its time on the field counts as a delay of its character
    // (the character of the text at the index the game reported); false when the sample
    // has no such character.
    bool ReportMiss(char16_t ch, uint32_t milliseconds) { return m_delays.AddDelay(ch, milliseconds); }
    // The tick of the last accepted keystroke, nullopt before the first.
    std::optional<uint32_t> LastKeystroke() const { return m_lastKeystroke; }

    // The block for the panel, nullopt in the idle desk and in a slide show. Takes a new
    // one-second sample when at least 1000 ms passed since the last one: the block's sample
    // hits become the total stored at that last sample. In free typing C is taken as P.
    std::optional<StatisticsBlock> RefreshStatistics(const StatisticsInput& in);

    const KeyDelayTable& Delays() const { return m_delays; }
    // The slowest characters of the exercise (at most 256) and their block for the result.
    std::vector<KeyDelayItem> SlowestCharacters() const { return m_delays.SlowestCharacters(); }
    KeyDelayBlock MakeKeyDelayBlock() const { return KeyDelayBlock::FromItems(SlowestCharacters()); }

private:
    KeyDelayTable m_delays;
    std::optional<uint32_t> m_lastKeystroke;
    // One-second sample: the total and tick stored at the last sample, and the total stored at
    // the sample before it (what the panel compares with).
    std::optional<uint32_t> m_sampleTick;
    int64_t m_sampleStoredHits = 0;
    int64_t m_samplePreviousHits = 0;
};

} // namespace kf
