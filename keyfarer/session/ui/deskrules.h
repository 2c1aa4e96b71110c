#pragma once

// The typing desk's rules that do not need a window: which practice phase follows, how the
// time of an exercise is rounded, the clock limits of each mode, the texts of a phase notice
// and the abort type of each mode. The desk window calls them; tests check them directly.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kf::desk {

// Practice phases 0 to 5 a lesson may have (bits of its phase type).
constexpr int kPhaseCount = 6;

// The phase that follows `current` (-1 before the first). available holds the lesson's phase
// bits; hasText(i) tells whether the text made for the lesson holds phase i (a phase the
// generator left out has no characters and is passed over, so the desk walks the phases in
// the order the text holds them). Key drills and code-course reviews (kinds 20, 21, 31, 34)
// always continue with phase 0. Practice type 1 passes over phases 0 and 1 while a later
// phase exists; when none does it takes the last of them that is available. None: 0.
template <typename HasText>
int NextPhase(int current, unsigned available, int kind, bool practiceType1, HasText hasText)
{
    if (kind == 20 || kind == 21 || kind == 31 || kind == 34)
        return 0;
    auto usable = [&](int p) { return ((available >> p) & 1u) && hasText(p); };
    if (!practiceType1) {
        for (int p = current + 1; p < kPhaseCount; ++p)
            if (usable(p))
                return p;
        return 0;
    }
    for (int p = std::max(current + 1, 2); p < kPhaseCount; ++p)
        if (usable(p))
            return p;
    for (int p = 1; p > current && p >= 0; --p)
        if (usable(p))
            return p;
    return 0;
}

// The stored time of an exercise: more than 500 ms above whole seconds rounds up, anything
// else down (1500 stays 1000, 1501 becomes 2000).
uint32_t RoundExerciseTime(uint32_t elapsedMs);

// Clock limits in seconds: "Train_Time" (0 counts as 3 minutes), "Test_Time" (0 counts as
// 12), the review's "Duration" (0 counts as 3) and "Game_Timing" (0: no limit).
uint32_t LessonLimitSeconds(uint32_t trainTimeMinutes);
uint32_t TestLimitSeconds(uint32_t testTimeMinutes);
uint32_t ReviewLimitSeconds(uint32_t durationMinutes);
uint32_t GameLimitSeconds(uint32_t gameTimingMinutes);

// The abort type of Escape or the stop icon in a desk mode (2 lesson and slide show, 3 test,
// 4 game, 7 review); 0 in the idle desk.
int AbortTypeForMode(int mode);

// The three texts of a notice.
struct NoticeTexts
{
    std::u16string title;
    std::u16string description;
    std::u16string footer;
};

// The interface text keys of phase 0 to 5 ("IDS_PRE_TRAIN_BASIC_T" ...); index 0 title, 1
// description, 2 footer. Phases outside 0 to 5 answer phase 0's keys.
std::array<std::u16string, 3> PhaseNoticeKeys(int phase);

// Splits a lesson's prenotice message: the text before the first "/d" is the title, the text
// after it the description; without "/d" the whole message is the description.
void SplitPrenotice(std::u16string_view message, std::u16string& title,
                    std::u16string& description);

} // namespace kf::desk
