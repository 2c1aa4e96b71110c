#pragma once

// CUserProfile: the 6112-byte profile of a user account, the extended header of the user
// data file (file offset 100) and, in memory, the user options record of the logged-in
// user. Options are named after their keys in "DefConfig.ini", which gives every new
// profile its values.
//
// Layout (offsets within the profile; little-endian; texts UTF-16, NUL-terminated within
// their field; offsets not listed are zero):
//
//   offset  size  type     field
//   0       4     int32    account number, copied into rank entries (0 in every file made here)
//   4       1     uint8    account flag carried over from the previous format
//   6       64    text 32  account name (the login name; the file name without ".dat")
//   70      64    text 32  full name (the display name)
//   134     32    text 16  password, plain text, at most 15 characters
//   168     4     uint32   carried over from the previous format
//   172     4     uint32   account creation time, seconds since 1970 (set by the wizard)
//   176     4     uint32   number of logins
//   180     4     uint32   total typing time of tests, milliseconds
//   184     4     uint32   total typing time of other exercises, milliseconds
//   192     1     uint8    SpeedUnit_WPM
//   193     1     uint8    Always_RecommendAction
//   194     1     uint8    SoundOn
//   195     1     uint8    AllowBackgndMusic
//   196     1     uint8    ChoiceLessonAtStartup
//   197     1     uint8    Keyboard_AdvanceView
//   198-200 3     uint8    three flags set to 1 for every new user
//   201     1     uint8    AllowKeyboardTips
//   202     1     uint8    flag carried over from the previous format
//   203     1     uint8    TwoSpaceSentence
//   204     1     uint8    AllowErrorKey
//   205     1     uint8    AllowBackspace
//   206     1     uint8    carried flag (set to 0 whenever the keyboard layout is stored)
//   207     1     uint8    carried flag
//   208     1     uint8    AllowAbort
//   209     1     uint8    PrintDiplomaDirectly
//   210     1     uint8    ShowPrintDialog
//   212     4     uint32   Single_Pass (pass speed, characters per minute)
//   216     4     uint32   Single_Fullmark (full-mark speed)
//   220     4     uint32   carried over
//   224     4     uint32   carried over
//   228     1     uint8    Pass_Accuracy (percent)
//   229     1     uint8    Error_Factor
//   230     1     uint8    WhichHand
//   232     520   text 260 Keyboard_LayoutFile
//   752     520   text 260 path carried over
//   1272    520   text 260 path carried over
//   1792    1     uint8    GameSpeed_Level
//   1793    1     uint8    Diffieculty_Level
//   1794    1     uint8    Game_Timing
//   1795    1     uint8    GameSpeed_AutoAdjust
//   1796    1     uint8    game flag carried over
//   1800    4     int32    Skin_Hue
//   1804    4     int32    Skin_Saturation
//   1808    4     uint32   carried over
//   1812    1     uint8    ScreenSize
//   2278    260   text 130 Last_Course
//   2538    260   text 130 Last_Lesson
//   2798    1     uint8    the password must be changed at the next login
//   2802    520   text 260 Last_TestCategory
//   3322    520   text 260 Last_TestText
//   3844    4     uint32   GenerateSize of section "Train"
//   3848    1     uint8    Train_Time (minutes)
//   3849    1     uint8    PracticeType
//   3850    1     uint8    ViewID of section "Train"
//   3852    4     uint32   StdDisplaySize
//   3856    4     uint32   GenerateSize of section "Review"
//   3860    1     uint8    Duration (minutes, section "Review")
//   3861    1     uint8    ViewID of section "Review"
//   3862    1     uint8    Data_GenerateType
//   3863    1     uint8    carried over
//   3864    1     uint8    Test_Time (minutes)
//   3868    4     uint32   Data_GenerateSize
//   3872    4     uint32   Color_NormalText (0x00BBGGRR)
//   3876    4     uint32   Color_CorrectText
//   3880    4     uint32   Color_ErrorText
//   3884    4     uint32   Color_Background
//   3888    132   text 66  Font_Name
//   4020    4     uint32   Font_Size in bits 0-15, Lesson_Font_Size in bits 16-31
//   4024    1     uint8    Font_Bold
//   4025    1     uint8    Intercharacter_Spacing
//   4026    1     uint8    Interrow_spacing
//   4027    1     uint8    AllowWordBreak
//   4028    4     uint32   UseBitCaret in bits 0-3, DoubleLineView in bits 4-7
//   4032    16    text 8   Tab_String
//   4048    16    text 8   Space_String
//   4064    2048  bytes    key-delay table (written by the typing desk)

#include "recordfield.h"

#include "platform/bytes.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kf {

class CUserProfile : public RecordImage<6112>
{
public:
    static constexpr size_t kAccountNumber = 0;
    static constexpr size_t kAccountFlag = 4;
    static constexpr size_t kAccountName = 6;
    static constexpr size_t kAccountNameUnits = 32;
    static constexpr size_t kFullName = 70;
    static constexpr size_t kFullNameUnits = 32;
    static constexpr size_t kPassword = 134;
    static constexpr size_t kPasswordUnits = 16;
    static constexpr size_t kCarried168 = 168;
    static constexpr size_t kAccountCreated = 172;
    static constexpr size_t kLoginCount = 176;
    static constexpr size_t kTestTypingTime = 180;
    static constexpr size_t kOtherTypingTime = 184;
    static constexpr size_t kSpeedUnitWpm = 192;
    static constexpr size_t kAlwaysRecommendAction = 193;
    static constexpr size_t kSoundOn = 194;
    static constexpr size_t kAllowBackgndMusic = 195;
    static constexpr size_t kChoiceLessonAtStartup = 196;
    static constexpr size_t kKeyboardAdvanceView = 197;
    static constexpr size_t kNewUserFlags = 198; // three bytes
    static constexpr size_t kAllowKeyboardTips = 201;
    static constexpr size_t kCarriedFlag202 = 202;
    static constexpr size_t kTwoSpaceSentence = 203;
    static constexpr size_t kAllowErrorKey = 204;
    static constexpr size_t kAllowBackspace = 205;
    static constexpr size_t kCarriedFlag206 = 206;
    static constexpr size_t kCarriedFlag207 = 207;
    static constexpr size_t kAllowAbort = 208;
    static constexpr size_t kPrintDiplomaDirectly = 209;
    static constexpr size_t kShowPrintDialog = 210;
    static constexpr size_t kSinglePass = 212;
    static constexpr size_t kSingleFullmark = 216;
    static constexpr size_t kCarried220 = 220;
    static constexpr size_t kCarried224 = 224;
    static constexpr size_t kPassAccuracy = 228;
    static constexpr size_t kErrorFactor = 229;
    static constexpr size_t kWhichHand = 230;
    static constexpr size_t kKeyboardLayoutFile = 232;
    static constexpr size_t kPathUnits = 260;
    static constexpr size_t kCarriedPath752 = 752;
    static constexpr size_t kCarriedPath1272 = 1272;
    static constexpr size_t kGameSpeedLevel = 1792;
    static constexpr size_t kDiffiecultyLevel = 1793;
    static constexpr size_t kGameTiming = 1794;
    static constexpr size_t kGameSpeedAutoAdjust = 1795;
    static constexpr size_t kCarriedGameFlag1796 = 1796;
    static constexpr size_t kSkinHue = 1800;
    static constexpr size_t kSkinSaturation = 1804;
    static constexpr size_t kCarried1808 = 1808;
    static constexpr size_t kScreenSize = 1812;
    static constexpr size_t kLastCourse = 2278;
    static constexpr size_t kLastLesson = 2538;
    static constexpr size_t kCourseUnits = 130;
    static constexpr size_t kMustChangePassword = 2798;
    static constexpr size_t kLastTestCategory = 2802;
    static constexpr size_t kLastTestText = 3322;
    static constexpr size_t kTrainGenerateSize = 3844;
    static constexpr size_t kTrainTime = 3848;
    static constexpr size_t kPracticeType = 3849;
    static constexpr size_t kTrainViewId = 3850;
    static constexpr size_t kStdDisplaySize = 3852;
    static constexpr size_t kReviewGenerateSize = 3856;
    static constexpr size_t kReviewDuration = 3860;
    static constexpr size_t kReviewViewId = 3861;
    static constexpr size_t kDataGenerateType = 3862;
    static constexpr size_t kCarried3863 = 3863;
    static constexpr size_t kTestTime = 3864;
    static constexpr size_t kDataGenerateSize = 3868;
    static constexpr size_t kColorNormalText = 3872;
    static constexpr size_t kColorCorrectText = 3876;
    static constexpr size_t kColorErrorText = 3880;
    static constexpr size_t kColorBackground = 3884;
    static constexpr size_t kFontName = 3888;
    static constexpr size_t kFontNameUnits = 66;
    static constexpr size_t kFontSizes = 4020;
    static constexpr size_t kFontBold = 4024;
    static constexpr size_t kIntercharacterSpacing = 4025;
    static constexpr size_t kInterrowSpacing = 4026;
    static constexpr size_t kAllowWordBreak = 4027;
    static constexpr size_t kCaretAndLines = 4028;
    static constexpr size_t kTabString = 4032;
    static constexpr size_t kSpaceString = 4048;
    static constexpr size_t kViewStringUnits = 8;
    static constexpr size_t kKeyDelayTable = 4064;
    static constexpr size_t kKeyDelayTableSize = 2048;
    static_assert(kKeyDelayTable + kKeyDelayTableSize == kSize);
    static_assert(kFontName + 2 * kFontNameUnits == kFontSizes);
    static_assert(kLastTestText + 2 * kPathUnits <= kTrainGenerateSize);

    // Every field by name, in offset order (options by their "DefConfig.ini" key; the two
    // keys that appear in two sections as "Train.GenerateSize" and so on).
    static std::span<const RecordField> Fields();

    // --- account and totals
    int32_t AccountNumber() const { return I32(kAccountNumber); }
    void SetAccountNumber(int32_t v) { SetI32(kAccountNumber, v); }
    uint8_t AccountFlag() const { return U8(kAccountFlag); }
    void SetAccountFlag(uint8_t v) { SetU8(kAccountFlag, v); }
    std::u16string AccountName() const { return Text(kAccountName, kAccountNameUnits); }
    void SetAccountName(std::u16string_view v) { SetText(kAccountName, kAccountNameUnits, v); }
    std::u16string FullName() const { return Text(kFullName, kFullNameUnits); }
    void SetFullName(std::u16string_view v) { SetText(kFullName, kFullNameUnits, v); }
    std::u16string Password() const { return Text(kPassword, kPasswordUnits); }
    void SetPassword(std::u16string_view v) { SetText(kPassword, kPasswordUnits, v); }
    // True when the text field holds no NUL: the name runs on past its field.
    bool AccountNameUnterminated() const { return !HasNul(kAccountName, kAccountNameUnits); }
    bool FullNameUnterminated() const { return !HasNul(kFullName, kFullNameUnits); }
    uint32_t Carried168() const { return U32(kCarried168); }
    void SetCarried168(uint32_t v) { SetU32(kCarried168, v); }
    uint32_t AccountCreated() const { return U32(kAccountCreated); }
    void SetAccountCreated(uint32_t v) { SetU32(kAccountCreated, v); }
    uint32_t LoginCount() const { return U32(kLoginCount); }
    void SetLoginCount(uint32_t v) { SetU32(kLoginCount, v); }
    uint32_t TestTypingTime() const { return U32(kTestTypingTime); }
    void SetTestTypingTime(uint32_t v) { SetU32(kTestTypingTime, v); }
    uint32_t OtherTypingTime() const { return U32(kOtherTypingTime); }
    void SetOtherTypingTime(uint32_t v) { SetU32(kOtherTypingTime, v); }
    uint8_t MustChangePassword() const { return U8(kMustChangePassword); }
    void SetMustChangePassword(uint8_t v) { SetU8(kMustChangePassword, v); }

    // --- general options
    uint8_t SpeedUnitWpm() const { return U8(kSpeedUnitWpm); }
    void SetSpeedUnitWpm(uint8_t v) { SetU8(kSpeedUnitWpm, v); }
    uint8_t AlwaysRecommendAction() const { return U8(kAlwaysRecommendAction); }
    void SetAlwaysRecommendAction(uint8_t v) { SetU8(kAlwaysRecommendAction, v); }
    uint8_t SoundOn() const { return U8(kSoundOn); }
    void SetSoundOn(uint8_t v) { SetU8(kSoundOn, v); }
    uint8_t AllowBackgndMusic() const { return U8(kAllowBackgndMusic); }
    void SetAllowBackgndMusic(uint8_t v) { SetU8(kAllowBackgndMusic, v); }
    uint8_t ChoiceLessonAtStartup() const { return U8(kChoiceLessonAtStartup); }
    void SetChoiceLessonAtStartup(uint8_t v) { SetU8(kChoiceLessonAtStartup, v); }
    uint8_t KeyboardAdvanceView() const { return U8(kKeyboardAdvanceView); }
    void SetKeyboardAdvanceView(uint8_t v) { SetU8(kKeyboardAdvanceView, v); }
    // i = 0, 1, 2 for the flags at offsets 198, 199, 200.
    uint8_t NewUserFlag(size_t i) const { return U8(kNewUserFlags + (i < 3 ? i : 2)); }
    void SetNewUserFlag(size_t i, uint8_t v) { SetU8(kNewUserFlags + (i < 3 ? i : 2), v); }
    uint8_t AllowKeyboardTips() const { return U8(kAllowKeyboardTips); }
    void SetAllowKeyboardTips(uint8_t v) { SetU8(kAllowKeyboardTips, v); }
    uint8_t CarriedFlag202() const { return U8(kCarriedFlag202); }
    void SetCarriedFlag202(uint8_t v) { SetU8(kCarriedFlag202, v); }
    uint8_t TwoSpaceSentence() const { return U8(kTwoSpaceSentence); }
    void SetTwoSpaceSentence(uint8_t v) { SetU8(kTwoSpaceSentence, v); }
    uint8_t AllowErrorKey() const { return U8(kAllowErrorKey); }
    void SetAllowErrorKey(uint8_t v) { SetU8(kAllowErrorKey, v); }
    uint8_t AllowBackspace() const { return U8(kAllowBackspace); }
    void SetAllowBackspace(uint8_t v) { SetU8(kAllowBackspace, v); }
    uint8_t CarriedFlag206() const { return U8(kCarriedFlag206); }
    void SetCarriedFlag206(uint8_t v) { SetU8(kCarriedFlag206, v); }
    uint8_t CarriedFlag207() const { return U8(kCarriedFlag207); }
    void SetCarriedFlag207(uint8_t v) { SetU8(kCarriedFlag207, v); }
    uint8_t AllowAbort() const { return U8(kAllowAbort); }
    void SetAllowAbort(uint8_t v) { SetU8(kAllowAbort, v); }
    uint8_t PrintDiplomaDirectly() const { return U8(kPrintDiplomaDirectly); }
    void SetPrintDiplomaDirectly(uint8_t v) { SetU8(kPrintDiplomaDirectly, v); }
    uint8_t ShowPrintDialog() const { return U8(kShowPrintDialog); }
    void SetShowPrintDialog(uint8_t v) { SetU8(kShowPrintDialog, v); }
    uint8_t WhichHand() const { return U8(kWhichHand); }
    void SetWhichHand(uint8_t v) { SetU8(kWhichHand, v); }
    std::u16string KeyboardLayoutFile() const { return Text(kKeyboardLayoutFile, kPathUnits); }
    void SetKeyboardLayoutFile(std::u16string_view v)
    {
        SetText(kKeyboardLayoutFile, kPathUnits, v);
    }
    std::u16string CarriedPath752() const { return Text(kCarriedPath752, kPathUnits); }
    void SetCarriedPath752(std::u16string_view v) { SetText(kCarriedPath752, kPathUnits, v); }
    std::u16string CarriedPath1272() const { return Text(kCarriedPath1272, kPathUnits); }
    void SetCarriedPath1272(std::u16string_view v) { SetText(kCarriedPath1272, kPathUnits, v); }

    // --- evaluation
    uint32_t SinglePass() const { return U32(kSinglePass); }
    void SetSinglePass(uint32_t v) { SetU32(kSinglePass, v); }
    uint32_t SingleFullmark() const { return U32(kSingleFullmark); }
    void SetSingleFullmark(uint32_t v) { SetU32(kSingleFullmark, v); }
    uint32_t Carried220() const { return U32(kCarried220); }
    void SetCarried220(uint32_t v) { SetU32(kCarried220, v); }
    uint32_t Carried224() const { return U32(kCarried224); }
    void SetCarried224(uint32_t v) { SetU32(kCarried224, v); }
    uint8_t PassAccuracy() const { return U8(kPassAccuracy); }
    void SetPassAccuracy(uint8_t v) { SetU8(kPassAccuracy, v); }
    uint8_t ErrorFactor() const { return U8(kErrorFactor); }
    void SetErrorFactor(uint8_t v) { SetU8(kErrorFactor, v); }

    // --- games and look
    uint8_t GameSpeedLevel() const { return U8(kGameSpeedLevel); }
    void SetGameSpeedLevel(uint8_t v) { SetU8(kGameSpeedLevel, v); }
    uint8_t DiffiecultyLevel() const { return U8(kDiffiecultyLevel); }
    void SetDiffiecultyLevel(uint8_t v) { SetU8(kDiffiecultyLevel, v); }
    uint8_t GameTiming() const { return U8(kGameTiming); }
    void SetGameTiming(uint8_t v) { SetU8(kGameTiming, v); }
    uint8_t GameSpeedAutoAdjust() const { return U8(kGameSpeedAutoAdjust); }
    void SetGameSpeedAutoAdjust(uint8_t v) { SetU8(kGameSpeedAutoAdjust, v); }
    uint8_t CarriedGameFlag1796() const { return U8(kCarriedGameFlag1796); }
    void SetCarriedGameFlag1796(uint8_t v) { SetU8(kCarriedGameFlag1796, v); }
    int32_t SkinHue() const { return I32(kSkinHue); }
    void SetSkinHue(int32_t v) { SetI32(kSkinHue, v); }
    int32_t SkinSaturation() const { return I32(kSkinSaturation); }
    void SetSkinSaturation(int32_t v) { SetI32(kSkinSaturation, v); }
    uint32_t Carried1808() const { return U32(kCarried1808); }
    void SetCarried1808(uint32_t v) { SetU32(kCarried1808, v); }
    uint8_t ScreenSize() const { return U8(kScreenSize); }
    void SetScreenSize(uint8_t v) { SetU8(kScreenSize, v); }

    // --- lessons, tests and reviews
    std::u16string LastCourse() const { return Text(kLastCourse, kCourseUnits); }
    void SetLastCourse(std::u16string_view v) { SetText(kLastCourse, kCourseUnits, v); }
    std::u16string LastLesson() const { return Text(kLastLesson, kCourseUnits); }
    void SetLastLesson(std::u16string_view v) { SetText(kLastLesson, kCourseUnits, v); }
    std::u16string LastTestCategory() const { return Text(kLastTestCategory, kPathUnits); }
    void SetLastTestCategory(std::u16string_view v) { SetText(kLastTestCategory, kPathUnits, v); }
    std::u16string LastTestText() const { return Text(kLastTestText, kPathUnits); }
    void SetLastTestText(std::u16string_view v) { SetText(kLastTestText, kPathUnits, v); }
    uint32_t TrainGenerateSize() const { return U32(kTrainGenerateSize); }
    void SetTrainGenerateSize(uint32_t v) { SetU32(kTrainGenerateSize, v); }
    uint8_t TrainTime() const { return U8(kTrainTime); }
    void SetTrainTime(uint8_t v) { SetU8(kTrainTime, v); }
    uint8_t PracticeType() const { return U8(kPracticeType); }
    void SetPracticeType(uint8_t v) { SetU8(kPracticeType, v); }
    uint8_t TrainViewId() const { return U8(kTrainViewId); }
    void SetTrainViewId(uint8_t v) { SetU8(kTrainViewId, v); }
    uint32_t StdDisplaySize() const { return U32(kStdDisplaySize); }
    void SetStdDisplaySize(uint32_t v) { SetU32(kStdDisplaySize, v); }
    uint32_t ReviewGenerateSize() const { return U32(kReviewGenerateSize); }
    void SetReviewGenerateSize(uint32_t v) { SetU32(kReviewGenerateSize, v); }
    // "Duration" of section "Review", minutes.
    uint8_t ReviewDuration() const { return U8(kReviewDuration); }
    void SetReviewDuration(uint8_t v) { SetU8(kReviewDuration, v); }
    uint8_t ReviewViewId() const { return U8(kReviewViewId); }
    void SetReviewViewId(uint8_t v) { SetU8(kReviewViewId, v); }
    uint8_t DataGenerateType() const { return U8(kDataGenerateType); }
    void SetDataGenerateType(uint8_t v) { SetU8(kDataGenerateType, v); }
    uint8_t Carried3863() const { return U8(kCarried3863); }
    void SetCarried3863(uint8_t v) { SetU8(kCarried3863, v); }
    uint8_t TestTime() const { return U8(kTestTime); }
    void SetTestTime(uint8_t v) { SetU8(kTestTime, v); }
    uint32_t DataGenerateSize() const { return U32(kDataGenerateSize); }
    void SetDataGenerateSize(uint32_t v) { SetU32(kDataGenerateSize, v); }

    // --- standard view
    uint32_t ColorNormalText() const { return U32(kColorNormalText); }
    void SetColorNormalText(uint32_t v) { SetU32(kColorNormalText, v); }
    uint32_t ColorCorrectText() const { return U32(kColorCorrectText); }
    void SetColorCorrectText(uint32_t v) { SetU32(kColorCorrectText, v); }
    uint32_t ColorErrorText() const { return U32(kColorErrorText); }
    void SetColorErrorText(uint32_t v) { SetU32(kColorErrorText, v); }
    uint32_t ColorBackground() const { return U32(kColorBackground); }
    void SetColorBackground(uint32_t v) { SetU32(kColorBackground, v); }
    std::u16string FontName() const { return Text(kFontName, kFontNameUnits); }
    void SetFontName(std::u16string_view v) { SetText(kFontName, kFontNameUnits, v); }
    uint16_t FontSize() const { return static_cast<uint16_t>(U32(kFontSizes) & 0xFFFF); }
    void SetFontSize(uint16_t v) { SetU32(kFontSizes, (U32(kFontSizes) & 0xFFFF0000u) | v); }
    uint16_t LessonFontSize() const { return static_cast<uint16_t>(U32(kFontSizes) >> 16); }
    void SetLessonFontSize(uint16_t v)
    {
        SetU32(kFontSizes, (U32(kFontSizes) & 0xFFFFu) | (uint32_t{v} << 16));
    }
    uint8_t FontBold() const { return U8(kFontBold); }
    void SetFontBold(uint8_t v) { SetU8(kFontBold, v); }
    uint8_t IntercharacterSpacing() const { return U8(kIntercharacterSpacing); }
    void SetIntercharacterSpacing(uint8_t v) { SetU8(kIntercharacterSpacing, v); }
    uint8_t InterrowSpacing() const { return U8(kInterrowSpacing); }
    void SetInterrowSpacing(uint8_t v) { SetU8(kInterrowSpacing, v); }
    uint8_t AllowWordBreak() const { return U8(kAllowWordBreak); }
    void SetAllowWordBreak(uint8_t v) { SetU8(kAllowWordBreak, v); }
    // Each setter keeps the other half of the byte.
    uint8_t UseBitCaret() const { return U8(kCaretAndLines) & 0x0F; }
    void SetUseBitCaret(uint8_t v)
    {
        SetU8(kCaretAndLines, static_cast<uint8_t>((U8(kCaretAndLines) & 0xF0) | (v & 0x0F)));
    }
    uint8_t DoubleLineView() const { return U8(kCaretAndLines) >> 4; }
    void SetDoubleLineView(uint8_t v)
    {
        SetU8(kCaretAndLines,
              static_cast<uint8_t>((U8(kCaretAndLines) & 0x0F) | ((v & 0x0F) << 4)));
    }
    std::u16string TabString() const { return Text(kTabString, kViewStringUnits); }
    void SetTabString(std::u16string_view v) { SetText(kTabString, kViewStringUnits, v); }
    std::u16string SpaceString() const { return Text(kSpaceString, kViewStringUnits); }
    void SetSpaceString(std::u16string_view v) { SetText(kSpaceString, kViewStringUnits, v); }

    // The key-delay table, 2048 bytes, whose layout belongs to the typing desk.
    ByteSpan KeyDelayTable() const { return {data() + kKeyDelayTable, kKeyDelayTableSize}; }
    MutableByteSpan KeyDelayTable() { return {data() + kKeyDelayTable, kKeyDelayTableSize}; }

private:
    bool HasNul(size_t off, size_t units) const
    {
        for (size_t i = 0; i < units; ++i)
            if (U16(off + 2 * i) == 0)
                return true;
        return false;
    }
};

static_assert(CUserProfile::kSize == 6112);

} // namespace kf
