#include "userdata_prev_2.h"

#include "platform/lasterror.h"

#include <algorithm>

namespace kf {

namespace {

struct Copy
{
    uint16_t from;
    uint16_t to;
    uint16_t bytes;
};

// The numeric fields of the previous profile and where they land.
constexpr Copy kProfileCopies[] = {
    {0, CUserProfile::kAccountFlag, 1},
    {24, CUserProfile::kOtherTypingTime, 4},
    {128, CUserProfile::kCarried168, 4},
    {132, CUserProfile::kAccountCreated, 4},
    {136, CUserProfile::kLoginCount, 4},
    {140, CUserProfile::kTestTypingTime, 4},
    {144, CUserProfile::kSinglePass, 4},
    {148, CUserProfile::kSingleFullmark, 4},
    {152, CUserProfile::kCarried220, 4},
    {156, CUserProfile::kCarried224, 4},
    {160, CUserProfile::kPassAccuracy, 1},
    {161, CUserProfile::kErrorFactor, 1},
    {2242, CUserProfile::kGameSpeedLevel, 5},
    {2248, CUserProfile::kSkinHue, 4},
    {2252, CUserProfile::kSkinSaturation, 4},
    {2256, CUserProfile::kCarried1808, 4},
    {2260, CUserProfile::kScreenSize, 1},
    {5848, CUserProfile::kTrainGenerateSize, 4},
    {5852, CUserProfile::kTrainTime, 1},
    {5860, CUserProfile::kPracticeType, 1},
    {5861, CUserProfile::kTrainViewId, 1},
    {5864, CUserProfile::kReviewGenerateSize, 4},
    {5868, CUserProfile::kReviewDuration, 1},
    {5872, CUserProfile::kStdDisplaySize, 4},
    {5876, CUserProfile::kReviewViewId, 1},
    {5878, CUserProfile::kDataGenerateType, 1},
    {5879, CUserProfile::kCarried3863, 1},
    {5880, CUserProfile::kDataGenerateSize, 4},
    {5884, CUserProfile::kTestTime, 1},
    {5888, CUserProfile::kColorNormalText, 16}, // the four colours
    {6036, CUserProfile::kFontSizes, 4},
    {6040, CUserProfile::kFontBold, 4}, // bold, spacings, word break
};

struct TextCopy
{
    uint16_t from;
    uint16_t to;
    uint16_t units; // read from the previous field, stored into the current one
    uint16_t toUnits;
};

constexpr TextCopy kProfileTexts[] = {
    {32, CUserProfile::kAccountName, 32, CUserProfile::kAccountNameUnits},
    {96, CUserProfile::kPassword, 16, CUserProfile::kPasswordUnits},
    {162, CUserProfile::kLastTestText, 260, CUserProfile::kPathUnits},
    {682, CUserProfile::kKeyboardLayoutFile, 260, CUserProfile::kPathUnits},
    {1202, CUserProfile::kCarriedPath752, 260, CUserProfile::kPathUnits},
    {1722, CUserProfile::kCarriedPath1272, 260, CUserProfile::kPathUnits},
    {2726, CUserProfile::kLastCourse, 130, CUserProfile::kCourseUnits},
    {4286, CUserProfile::kLastTestCategory, 260, CUserProfile::kPathUnits},
    {5904, CUserProfile::kFontName, 65, CUserProfile::kFontNameUnits},
    {6048, CUserProfile::kTabString, 8, CUserProfile::kViewStringUnits},
    {6064, CUserProfile::kSpaceString, 8, CUserProfile::kViewStringUnits},
};

constexpr size_t kPrevCaretAndLines = 6044;

} // namespace

CUserData_Prev_2::CUserData_Prev_2() : CMiniDatabase(kHeaderSize, kRecordSize) {}

CMiniDatabase::HeaderCheck CUserData_Prev_2::CheckHeader()
{
    if (Magic() != kMagic) {
        SetError(store_err::WrongMagic, err::InvalidData);
        return HeaderCheck::Reject;
    }
    if (Version() != kVersion) {
        SetError(store_err::WrongVersion, err::InvalidData);
        return HeaderCheck::Reject;
    }
    return HeaderCheck::Accept;
}

void CUserData_Prev_2::InitHeader(uint8_t* header)
{
    for (size_t i = 0; i < kMagicUnits; ++i)
        StoreLe<uint16_t>(header + kMagicOffset + 2 * i, static_cast<uint16_t>(kMagic[i]));
    StoreLe<uint32_t>(header + kVersionOffset, kVersion);
    CMiniDatabase::InitHeader(header);
}

CUserProfile CUserData_Prev_2::ConvertProfile(ByteSpan previous)
{
    CUserProfile p;
    if (previous.size() < kProfileSize)
        return p;
    const uint8_t* src = previous.data();
    uint8_t* dst = p.data();
    for (const Copy& c : kProfileCopies)
        std::copy_n(src + c.from, c.bytes, dst + c.to);
    for (size_t i = 1; i <= 20; ++i) {
        if (i == 15)
            continue;
        dst[CUserProfile::kSpeedUnitWpm + (i <= 14 ? i - 1 : i - 2)] = src[i];
    }
    for (const TextCopy& t : kProfileTexts)
        p.SetText(t.to, t.toUnits, LoadUtf16Field(src + t.from, t.units));
    p.SetUseBitCaret(src[kPrevCaretAndLines] & 0x0F);
    p.SetDoubleLineView(src[kPrevCaretAndLines] >> 4);
    return p;
}

CResultRecord CUserData_Prev_2::ConvertRecord(ByteSpan previous, uint32_t number)
{
    CResultRecord r;
    if (previous.size() < kRecordSize)
        return r;
    const uint8_t* src = previous.data();
    r.SetRecordNumber(number);
    std::copy_n(src + kRecStartTime, 16, r.data() + CResultRecord::kStartTime);
    r.SetTypingTime(LoadLe<uint32_t>(src + kRecTypingTime));
    r.SetCharsTyped(LoadLe<uint32_t>(src + kRecCharsTyped));
    r.SetCharsCorrect(LoadLe<uint32_t>(src + kRecCharsCorrect));
    r.SetCourseName(LoadUtf16Field(src + kRecCourseName, kRecCourseUnits));
    r.SetLessonName(LoadUtf16Field(src + kRecLessonName, kRecLessonUnits));
    r.SetExtraName(LoadUtf16Field(src + kRecExtraName, kRecExtraUnits));
    const uint8_t kind = src[kRecKind];
    r.SetExerciseKind(kind);
    r.SetEndReason(src[kRecEndReason]);
    r.SetLessonIndex(src[kRecLessonIndex]);
    r.SetDisplaySize(src[kRecDisplaySize]);
    r.SetDeskMode(IsTestKind(kind) ? 3 : kind == kKindReview ? 4 : 2);
    return r;
}

} // namespace kf
