#pragma once

// The default options of every new account: "DefConfig.ini" in the "Account" folder of the
// data folder, an INI file with the tag "KFDEFCFG" (section "General", key "Tag"). Every key
// is read with the settings convention (profilesettings.h): a missing key is written back
// with its default, so the file fills itself on first use and can then be edited by hand.
// A file that cannot be written (a read-only folder) is still read; the write-back then
// fails silently.
//
// Keys, defaults and range rules (a value outside the range, compared as unsigned, takes the
// default; one-byte options take the low 8 bits of the value read):
//   Estimate   Single_Pass 60 (0 or > 200 -> 60); Single_Fullmark 180 (0 or > 400 -> 180,
//              then when pass >= full mark, pass = full mark / 2); AlwaysRecommend 1 (read,
//              then overwritten by Always_RecommendAction); Pass_Accuracy 85 (0 or > 100);
//              Error_Factor 5 (0 or > 20)
//   General    AllowBackgndMusic 1, SpeedUnit_WPM 0, Always_RecommendAction 0, SoundOn 1,
//              ChoiceLessonAtStartup 1, Keyboard_AdvanceView 1, ScreenSize 1, Skin_Hue 0,
//              Skin_Saturation 0, PrintDiplomaDirectly 0, ShowPrintDialog 1,
//              AllowKeyboardTips 1, TwoSpaceSentence 1, AllowErrorKey 1, AllowBackspace 1,
//              WhichHand 0
//   FileOrPath Keyboard_LayoutFile "" (260)
//   Game_Config GameSpeed_Level 2, Diffieculty_Level 2, Game_Timing 2, GameSpeed_AutoAdjust 1
//   Train      Last_Course "" and Last_Lesson "" (260, stored up to 129), GenerateSize 4096,
//              Train_Time 3 (0 or > 60), PracticeType 2, ViewID 0, StdDisplaySize 1 (low 8 bits)
//   Test       Last_TestCategory "", Last_TestText "" (260), Data_GenerateType 2 (>= 3 -> 2),
//              Data_GenerateSize 4096 (0 or > 4096), Test_Time 12 (0 or > 60), AllowAbort 1
//   Review     GenerateSize 4096, Duration 3 (0 or > 60), ViewID 0
//   StandardView Color_NormalText 0, Color_CorrectText 13684944, Color_ErrorText 255,
//              Color_Background 16777215, Font_Name "Tahoma" (33), Font_Size 24 and
//              Lesson_Font_Size 24 (< 8 or >= 100 -> 24), Font_Bold 1,
//              Intercharacter_Spacing 2 (> 20), Interrow_spacing 20 (< 10 or > 40),
//              AllowWordBreak 0, DoubleLineView 0 and UseBitCaret 1 (low 4 bits each),
//              Tab_String "TAB" and Space_String "SP" (5: at most 4 characters)
// The three flags at profile offsets 198 to 200 are set to 1.

#include "userprofile.h"

#include <string_view>

namespace kf {

constexpr char16_t kDefConfigTag[] = u"KFDEFCFG";
constexpr char16_t kDefConfigFileName[] = u"DefConfig.ini";

// Reads the file into a new profile image (every other field zero). False with InvalidData
// when the tag is not "KFDEFCFG"; the profile is then unchanged.
bool LoadDefaultProfile(std::u16string_view path, CUserProfile& profile);

} // namespace kf
