#include "session/ui/deskrules.h"

#include "session/exercisekind.h"

namespace kf::desk {

uint32_t RoundExerciseTime(uint32_t elapsedMs)
{
    uint64_t t = elapsedMs;
    if (t % 1000 > 500)
        t += 500;
    t -= t % 1000;
    return static_cast<uint32_t>(std::min<uint64_t>(t, UINT32_MAX / 1000 * 1000));
}

uint32_t LessonLimitSeconds(uint32_t trainTimeMinutes)
{
    return (trainTimeMinutes == 0 ? 3 : trainTimeMinutes) * 60;
}

uint32_t TestLimitSeconds(uint32_t testTimeMinutes)
{
    return (testTimeMinutes == 0 ? 12 : testTimeMinutes) * 60;
}

uint32_t ReviewLimitSeconds(uint32_t durationMinutes)
{
    return (durationMinutes == 0 ? 3 : durationMinutes) * 60;
}

uint32_t GameLimitSeconds(uint32_t gameTimingMinutes)
{
    return gameTimingMinutes * 60;
}

int AbortTypeForMode(int mode)
{
    switch (mode) {
    case desk_mode::kLesson:
    case desk_mode::kSlideShow:
        return abort_type::kLessonAborted;
    case desk_mode::kTest:
        return abort_type::kTestAborted;
    case desk_mode::kGame:
        return abort_type::kGameAborted;
    case desk_mode::kReview:
        return abort_type::kReviewAborted;
    default:
        return 0;
    }
}

std::array<std::u16string, 3> PhaseNoticeKeys(int phase)
{
    static constexpr const char16_t* kStems[kPhaseCount] = {
        u"IDS_PRE_TRAIN_BASIC", u"IDS_PRE_TRAIN_BASICS", u"IDS_PRE_TRAIN_WORD",
        u"IDS_PRE_TRAIN_LOCA",  u"IDS_PRE_TRAIN_WORDS",  u"IDS_PRE_TRAIN_SENTENCE",
    };
    const std::u16string stem = kStems[(phase >= 0 && phase < kPhaseCount) ? phase : 0];
    return {stem + u"_T", stem + u"_D", stem + u"_F"};
}

void SplitPrenotice(std::u16string_view message, std::u16string& title, std::u16string& description)
{
    const size_t cut = message.find(u"/d");
    if (cut == std::u16string_view::npos) {
        title.clear();
        description.assign(message);
        return;
    }
    title.assign(message.substr(0, cut));
    description.assign(message.substr(cut + 2));
}

} // namespace kf::desk
