#include "defaultprofile.h"

#include "content/profilesettings.h"
#include "platform/lasterror.h"

#include <cstdint>

namespace kf {

namespace {

using P = CUserProfile;
using K = FieldKind;

constexpr uint32_t kAny = 0xFFFFFFFFu;

struct DefaultKey
{
    const char16_t* section;
    const char16_t* key;
    K kind;          // how the value lands in the profile
    uint32_t offset; // profile offset
    uint32_t def;    // numbers: the default
    uint32_t lo;     // numbers: values outside [lo, hi] (unsigned) take the default
    uint32_t hi;
    const char16_t* text = nullptr; // texts: the default
    uint32_t capacity = 0;          // texts: characters read, with the NUL
    uint32_t units = 0;             // texts: the field's code units
    uint32_t mask = kAny;           // numbers: the bits kept
};

// In the order the keys are read (a missing key is appended to its section in this order).
const DefaultKey kDefaultKeys[] = {
    {u"Estimate", u"Single_Pass", K::U32, P::kSinglePass, 60, 1, 200},
    {u"Estimate", u"Single_Fullmark", K::U32, P::kSingleFullmark, 180, 1, 400},
    {u"Estimate", u"AlwaysRecommend", K::U8, P::kAlwaysRecommendAction, 1, 0, kAny},
    {u"Estimate", u"Pass_Accuracy", K::U8, P::kPassAccuracy, 85, 1, 100},
    {u"Estimate", u"Error_Factor", K::U8, P::kErrorFactor, 5, 1, 20},
    {u"General", u"AllowBackgndMusic", K::U8, P::kAllowBackgndMusic, 1, 0, kAny},
    {u"General", u"SpeedUnit_WPM", K::U8, P::kSpeedUnitWpm, 0, 0, kAny},
    {u"General", u"Always_RecommendAction", K::U8, P::kAlwaysRecommendAction, 0, 0, kAny},
    {u"General", u"SoundOn", K::U8, P::kSoundOn, 1, 0, kAny},
    {u"General", u"ChoiceLessonAtStartup", K::U8, P::kChoiceLessonAtStartup, 1, 0, kAny},
    {u"General", u"Keyboard_AdvanceView", K::U8, P::kKeyboardAdvanceView, 1, 0, kAny},
    {u"General", u"ScreenSize", K::U8, P::kScreenSize, 1, 0, kAny},
    {u"General", u"Skin_Hue", K::I32, P::kSkinHue, 0, 0, kAny},
    {u"General", u"Skin_Saturation", K::I32, P::kSkinSaturation, 0, 0, kAny},
    {u"General", u"PrintDiplomaDirectly", K::U8, P::kPrintDiplomaDirectly, 0, 0, kAny},
    {u"General", u"ShowPrintDialog", K::U8, P::kShowPrintDialog, 1, 0, kAny},
    {u"General", u"AllowKeyboardTips", K::U8, P::kAllowKeyboardTips, 1, 0, kAny},
    {u"General", u"TwoSpaceSentence", K::U8, P::kTwoSpaceSentence, 1, 0, kAny},
    {u"General", u"AllowErrorKey", K::U8, P::kAllowErrorKey, 1, 0, kAny},
    {u"General", u"AllowBackspace", K::U8, P::kAllowBackspace, 1, 0, kAny},
    {u"General", u"WhichHand", K::U8, P::kWhichHand, 0, 0, kAny},
    {u"FileOrPath", u"Keyboard_LayoutFile", K::Text, P::kKeyboardLayoutFile, 0, 0, 0, u"", 260,
     P::kPathUnits},
    {u"Game_Config", u"GameSpeed_Level", K::U8, P::kGameSpeedLevel, 2, 0, kAny},
    {u"Game_Config", u"Diffieculty_Level", K::U8, P::kDiffiecultyLevel, 2, 0, kAny},
    {u"Game_Config", u"Game_Timing", K::U8, P::kGameTiming, 2, 0, kAny},
    {u"Game_Config", u"GameSpeed_AutoAdjust", K::U8, P::kGameSpeedAutoAdjust, 1, 0, kAny},
    {u"Train", u"Last_Course", K::Text, P::kLastCourse, 0, 0, 0, u"", 260, P::kCourseUnits},
    {u"Train", u"Last_Lesson", K::Text, P::kLastLesson, 0, 0, 0, u"", 260, P::kCourseUnits},
    {u"Train", u"GenerateSize", K::U32, P::kTrainGenerateSize, 4096, 0, kAny},
    {u"Train", u"Train_Time", K::U8, P::kTrainTime, 3, 1, 60},
    {u"Train", u"PracticeType", K::U8, P::kPracticeType, 2, 0, kAny},
    {u"Train", u"ViewID", K::U8, P::kTrainViewId, 0, 0, kAny},
    {u"Train", u"StdDisplaySize", K::U32, P::kStdDisplaySize, 1, 0, kAny, nullptr, 0, 0, 0xFF},
    {u"Test", u"Last_TestCategory", K::Text, P::kLastTestCategory, 0, 0, 0, u"", 260,
     P::kPathUnits},
    {u"Test", u"Last_TestText", K::Text, P::kLastTestText, 0, 0, 0, u"", 260, P::kPathUnits},
    {u"Test", u"Data_GenerateType", K::U8, P::kDataGenerateType, 2, 0, 2},
    {u"Test", u"Data_GenerateSize", K::U32, P::kDataGenerateSize, 4096, 1, 4096},
    {u"Test", u"Test_Time", K::U8, P::kTestTime, 12, 1, 60},
    {u"Test", u"AllowAbort", K::U8, P::kAllowAbort, 1, 0, kAny},
    {u"Review", u"GenerateSize", K::U32, P::kReviewGenerateSize, 4096, 0, kAny},
    {u"Review", u"Duration", K::U8, P::kReviewDuration, 3, 1, 60},
    {u"Review", u"ViewID", K::U8, P::kReviewViewId, 0, 0, kAny},
    {u"StandardView", u"Color_NormalText", K::U32, P::kColorNormalText, 0, 0, kAny},
    {u"StandardView", u"Color_CorrectText", K::U32, P::kColorCorrectText, 13684944, 0, kAny},
    {u"StandardView", u"Color_ErrorText", K::U32, P::kColorErrorText, 255, 0, kAny},
    {u"StandardView", u"Color_Background", K::U32, P::kColorBackground, 16777215, 0, kAny},
    {u"StandardView", u"Font_Name", K::Text, P::kFontName, 0, 0, 0, u"Tahoma", 33,
     P::kFontNameUnits},
    {u"StandardView", u"Font_Size", K::LowHalf16, P::kFontSizes, 24, 8, 99},
    {u"StandardView", u"Lesson_Font_Size", K::HighHalf16, P::kFontSizes, 24, 8, 99},
    {u"StandardView", u"Font_Bold", K::U8, P::kFontBold, 1, 0, kAny},
    {u"StandardView", u"Intercharacter_Spacing", K::U8, P::kIntercharacterSpacing, 2, 0, 20},
    {u"StandardView", u"Interrow_spacing", K::U8, P::kInterrowSpacing, 20, 10, 40},
    {u"StandardView", u"AllowWordBreak", K::U8, P::kAllowWordBreak, 0, 0, kAny},
    {u"StandardView", u"DoubleLineView", K::HighNibble, P::kCaretAndLines, 0, 0, kAny},
    {u"StandardView", u"UseBitCaret", K::LowNibble, P::kCaretAndLines, 1, 0, kAny},
    {u"StandardView", u"Tab_String", K::Text, P::kTabString, 0, 0, 0, u"TAB", 5,
     P::kViewStringUnits},
    {u"StandardView", u"Space_String", K::Text, P::kSpaceString, 0, 0, 0, u"SP", 5,
     P::kViewStringUnits},
};

void Store(CUserProfile& p, const DefaultKey& k, uint32_t v)
{
    switch (k.kind) {
    case K::U8:
        p.SetU8(k.offset, static_cast<uint8_t>(v));
        break;
    case K::U32:
        p.SetU32(k.offset, v);
        break;
    case K::I32:
        p.SetI32(k.offset, static_cast<int32_t>(v));
        break;
    case K::LowHalf16:
        p.SetFontSize(static_cast<uint16_t>(v));
        break;
    case K::HighHalf16:
        p.SetLessonFontSize(static_cast<uint16_t>(v));
        break;
    case K::LowNibble:
        p.SetUseBitCaret(static_cast<uint8_t>(v));
        break;
    case K::HighNibble:
        p.SetDoubleLineView(static_cast<uint8_t>(v));
        break;
    default:
        break;
    }
}

} // namespace

bool LoadDefaultProfile(std::u16string_view path, CUserProfile& profile)
{
    const std::u16string tag = ReadProfileText(path, u"General", u"Tag", u"", 260);
    if (tag != kDefConfigTag) {
        SetLastError(err::InvalidData);
        return false;
    }
    CUserProfile p;
    for (const DefaultKey& k : kDefaultKeys) {
        if (k.kind == K::Text) {
            p.SetText(k.offset, k.units,
                      ReadProfileText(path, k.section, k.key, k.text, k.capacity));
            continue;
        }
        uint32_t v = ReadProfileNumber(path, k.section, k.key, k.def);
        if (v < k.lo || v > k.hi)
            v = k.def;
        Store(p, k, v & k.mask);
        if (k.offset == P::kSingleFullmark && p.SinglePass() >= p.SingleFullmark())
            p.SetSinglePass(p.SingleFullmark() / 2);
    }
    for (size_t i = 0; i < 3; ++i)
        p.SetNewUserFlag(i, 1);
    profile = p;
    SetLastError(err::Success);
    return true;
}

} // namespace kf
