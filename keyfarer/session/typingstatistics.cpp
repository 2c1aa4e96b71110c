#include "session/typingstatistics.h"

#include "platform/clock.h"
#include "session/exercisekind.h"

namespace kf {

void TypingStatistics::PrepareExercise(std::u16string_view sample, bool freeTyping)
{
    if (freeTyping)
        m_delays.Clear();
    else
        m_delays.Rebuild(sample);
    m_lastKeystroke.reset();
}

bool TypingStatistics::RecordKeyDelay(char16_t ch, char16_t expected, int mode, bool allowErrorKey)
{
    if (expected == 0 || ch == u'\b')
        return true;
    const bool judgedMode = mode == desk_mode::kLesson || mode == desk_mode::kTest ||
                            mode == desk_mode::kReview || mode == desk_mode::kSlideShow;
    if (judgedMode && !allowErrorKey && ch != expected)
        return false;
    const uint32_t now = TickCount();
    if (m_lastKeystroke)
        m_delays.AddDelay(expected, now - *m_lastKeystroke); // unsigned: right across a wrap
    m_lastKeystroke = now;
    return true;
}

void TypingStatistics::ShiftLastKeystroke(uint32_t pausedMs)
{
    if (m_lastKeystroke)
        *m_lastKeystroke += pausedMs;
}

std::optional<StatisticsBlock> TypingStatistics::RefreshStatistics(const StatisticsInput& in)
{
    if (in.mode == desk_mode::kIdle || in.mode == desk_mode::kSlideShow)
        return std::nullopt;
    const uint32_t now = TickCount();
    if (!m_sampleTick || now - *m_sampleTick >= 1000) {
        m_samplePreviousHits = m_sampleStoredHits;
        m_sampleStoredHits = in.totalHits;
        m_sampleTick = now;
    }
    StatisticsBlock b;
    b.values[StatisticsBlock::kPass] = in.pass;
    b.values[StatisticsBlock::kFullmark] = in.fullmark;
    b.values[StatisticsBlock::kSpeedUnit] = static_cast<int32_t>(in.unit);
    b.values[StatisticsBlock::kTotalHits] = static_cast<int32_t>(in.totalHits);
    b.values[StatisticsBlock::kSampleHits] = static_cast<int32_t>(m_samplePreviousHits);
    b.values[StatisticsBlock::kCorrectHits] =
        static_cast<int32_t>(in.kind == kind::kFreeTyping ? in.totalHits : in.correctHits);
    b.values[StatisticsBlock::kElapsedMs] = static_cast<int32_t>(in.elapsedMs);
    return b;
}

} // namespace kf
