#include "userprofile.h"

namespace kf {

namespace {

using K = FieldKind;
using P = CUserProfile;

constexpr RecordField kProfileFields[] = {
    {"AccountNumber", P::kAccountNumber, K::I32},
    {"AccountFlag", P::kAccountFlag, K::U8},
    {"AccountName", P::kAccountName, K::Text, P::kAccountNameUnits},
    {"FullName", P::kFullName, K::Text, P::kFullNameUnits},
    {"Password", P::kPassword, K::Text, P::kPasswordUnits},
    {"Carried168", P::kCarried168, K::U32},
    {"AccountCreated", P::kAccountCreated, K::U32},
    {"LoginCount", P::kLoginCount, K::U32},
    {"TestTypingTime", P::kTestTypingTime, K::U32},
    {"OtherTypingTime", P::kOtherTypingTime, K::U32},
    {"SpeedUnit_WPM", P::kSpeedUnitWpm, K::U8},
    {"Always_RecommendAction", P::kAlwaysRecommendAction, K::U8},
    {"SoundOn", P::kSoundOn, K::U8},
    {"AllowBackgndMusic", P::kAllowBackgndMusic, K::U8},
    {"ChoiceLessonAtStartup", P::kChoiceLessonAtStartup, K::U8},
    {"Keyboard_AdvanceView", P::kKeyboardAdvanceView, K::U8},
    {"NewUserFlag198", P::kNewUserFlags, K::U8},
    {"NewUserFlag199", P::kNewUserFlags + 1, K::U8},
    {"NewUserFlag200", P::kNewUserFlags + 2, K::U8},
    {"AllowKeyboardTips", P::kAllowKeyboardTips, K::U8},
    {"CarriedFlag202", P::kCarriedFlag202, K::U8},
    {"TwoSpaceSentence", P::kTwoSpaceSentence, K::U8},
    {"AllowErrorKey", P::kAllowErrorKey, K::U8},
    {"AllowBackspace", P::kAllowBackspace, K::U8},
    {"CarriedFlag206", P::kCarriedFlag206, K::U8},
    {"CarriedFlag207", P::kCarriedFlag207, K::U8},
    {"AllowAbort", P::kAllowAbort, K::U8},
    {"PrintDiplomaDirectly", P::kPrintDiplomaDirectly, K::U8},
    {"ShowPrintDialog", P::kShowPrintDialog, K::U8},
    {"Single_Pass", P::kSinglePass, K::U32},
    {"Single_Fullmark", P::kSingleFullmark, K::U32},
    {"Carried220", P::kCarried220, K::U32},
    {"Carried224", P::kCarried224, K::U32},
    {"Pass_Accuracy", P::kPassAccuracy, K::U8},
    {"Error_Factor", P::kErrorFactor, K::U8},
    {"WhichHand", P::kWhichHand, K::U8},
    {"Keyboard_LayoutFile", P::kKeyboardLayoutFile, K::Text, P::kPathUnits},
    {"CarriedPath752", P::kCarriedPath752, K::Text, P::kPathUnits},
    {"CarriedPath1272", P::kCarriedPath1272, K::Text, P::kPathUnits},
    {"GameSpeed_Level", P::kGameSpeedLevel, K::U8},
    {"Diffieculty_Level", P::kDiffiecultyLevel, K::U8},
    {"Game_Timing", P::kGameTiming, K::U8},
    {"GameSpeed_AutoAdjust", P::kGameSpeedAutoAdjust, K::U8},
    {"CarriedGameFlag1796", P::kCarriedGameFlag1796, K::U8},
    {"Skin_Hue", P::kSkinHue, K::I32},
    {"Skin_Saturation", P::kSkinSaturation, K::I32},
    {"Carried1808", P::kCarried1808, K::U32},
    {"ScreenSize", P::kScreenSize, K::U8},
    {"Last_Course", P::kLastCourse, K::Text, P::kCourseUnits},
    {"Last_Lesson", P::kLastLesson, K::Text, P::kCourseUnits},
    {"MustChangePassword", P::kMustChangePassword, K::U8},
    {"Last_TestCategory", P::kLastTestCategory, K::Text, P::kPathUnits},
    {"Last_TestText", P::kLastTestText, K::Text, P::kPathUnits},
    {"Train.GenerateSize", P::kTrainGenerateSize, K::U32},
    {"Train_Time", P::kTrainTime, K::U8},
    {"PracticeType", P::kPracticeType, K::U8},
    {"Train.ViewID", P::kTrainViewId, K::U8},
    {"StdDisplaySize", P::kStdDisplaySize, K::U32},
    {"Review.GenerateSize", P::kReviewGenerateSize, K::U32},
    {"Duration", P::kReviewDuration, K::U8},
    {"Review.ViewID", P::kReviewViewId, K::U8},
    {"Data_GenerateType", P::kDataGenerateType, K::U8},
    {"Carried3863", P::kCarried3863, K::U8},
    {"Test_Time", P::kTestTime, K::U8},
    {"Data_GenerateSize", P::kDataGenerateSize, K::U32},
    {"Color_NormalText", P::kColorNormalText, K::U32},
    {"Color_CorrectText", P::kColorCorrectText, K::U32},
    {"Color_ErrorText", P::kColorErrorText, K::U32},
    {"Color_Background", P::kColorBackground, K::U32},
    {"Font_Name", P::kFontName, K::Text, P::kFontNameUnits},
    {"Font_Size", P::kFontSizes, K::LowHalf16},
    {"Lesson_Font_Size", P::kFontSizes, K::HighHalf16},
    {"Font_Bold", P::kFontBold, K::U8},
    {"Intercharacter_Spacing", P::kIntercharacterSpacing, K::U8},
    {"Interrow_spacing", P::kInterrowSpacing, K::U8},
    {"AllowWordBreak", P::kAllowWordBreak, K::U8},
    {"UseBitCaret", P::kCaretAndLines, K::LowNibble},
    {"DoubleLineView", P::kCaretAndLines, K::HighNibble},
    {"Tab_String", P::kTabString, K::Text, P::kViewStringUnits},
    {"Space_String", P::kSpaceString, K::Text, P::kViewStringUnits},
    {"KeyDelayTable", P::kKeyDelayTable, K::Bytes, P::kKeyDelayTableSize},
};

} // namespace

std::span<const RecordField> CUserProfile::Fields()
{
    return kProfileFields;
}

} // namespace kf
