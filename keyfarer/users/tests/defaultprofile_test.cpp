#include "users/defaultprofile.h"

#include "platform/lasterror.h"
#include "platform/profile.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace kf {
namespace {

std::string ShippedText()
{
    std::ifstream f(std::filesystem::path(KF_SOURCE_DIR) / "data/Data/Account/DefConfig.ini",
                    std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

struct Setting
{
    std::string section, key, value;
};

// The shipped file with some values replaced. Starting from a complete file keeps the
// write-back of missing keys (one file replacement each) out of the cases.
std::string WithSettings(const std::vector<Setting>& settings)
{
    std::istringstream in(ShippedText());
    std::string line, section, out;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[')
            section = line.substr(1, line.find(']') - 1);
        for (const Setting& s : settings)
            if (s.section == section && line.rfind(s.key + "=", 0) == 0)
                line = s.key + "=" + s.value;
        out += line + "\n";
    }
    return out;
}

class DefaultProfileTest : public ::testing::Test
{
protected:
    test::TempDir dir;
    std::u16string path = dir.File("DefConfig.ini");

    CUserProfile Load(const std::vector<Setting>& settings)
    {
        dir.Write("DefConfig.ini", WithSettings(settings));
        CUserProfile p;
        EXPECT_TRUE(LoadDefaultProfile(path, p));
        return p;
    }
    std::u16string Value(std::u16string_view section, std::u16string_view key)
    {
        return GetPrivateProfileString(section, key, u"<missing>", 300, path);
    }
};

// The defaults as a user of the program sees them on a new account.
void ExpectDefaults(const CUserProfile& p)
{
    EXPECT_EQ(p.SinglePass(), 60u);
    EXPECT_EQ(p.SingleFullmark(), 180u);
    EXPECT_EQ(p.AlwaysRecommendAction(), 0);
    EXPECT_EQ(p.PassAccuracy(), 85);
    EXPECT_EQ(p.ErrorFactor(), 5);
    EXPECT_EQ(p.AllowBackgndMusic(), 1);
    EXPECT_EQ(p.SpeedUnitWpm(), 0);
    EXPECT_EQ(p.SoundOn(), 1);
    EXPECT_EQ(p.ChoiceLessonAtStartup(), 1);
    EXPECT_EQ(p.KeyboardAdvanceView(), 1);
    EXPECT_EQ(p.ScreenSize(), 1);
    EXPECT_EQ(p.SkinHue(), 0);
    EXPECT_EQ(p.ShowPrintDialog(), 1);
    EXPECT_EQ(p.AllowKeyboardTips(), 1);
    EXPECT_EQ(p.TwoSpaceSentence(), 1);
    EXPECT_EQ(p.AllowErrorKey(), 1);
    EXPECT_EQ(p.AllowBackspace(), 1);
    EXPECT_EQ(p.KeyboardLayoutFile(), u"");
    EXPECT_EQ(p.GameSpeedLevel(), 2);
    EXPECT_EQ(p.DiffiecultyLevel(), 2);
    EXPECT_EQ(p.GameTiming(), 2);
    EXPECT_EQ(p.GameSpeedAutoAdjust(), 1);
    EXPECT_EQ(p.TrainGenerateSize(), 4096u);
    EXPECT_EQ(p.TrainTime(), 3);
    EXPECT_EQ(p.PracticeType(), 2);
    EXPECT_EQ(p.StdDisplaySize(), 1u);
    EXPECT_EQ(p.DataGenerateType(), 2);
    EXPECT_EQ(p.DataGenerateSize(), 4096u);
    EXPECT_EQ(p.TestTime(), 12);
    EXPECT_EQ(p.AllowAbort(), 1);
    EXPECT_EQ(p.ReviewGenerateSize(), 4096u);
    EXPECT_EQ(p.ReviewDuration(), 3);
    EXPECT_EQ(p.ColorNormalText(), 0u);
    EXPECT_EQ(p.ColorCorrectText(), 0xD0D0D0u);
    EXPECT_EQ(p.ColorErrorText(), 255u);
    EXPECT_EQ(p.ColorBackground(), 0xFFFFFFu);
    EXPECT_EQ(p.FontName(), u"Tahoma");
    EXPECT_EQ(p.FontSize(), 24);
    EXPECT_EQ(p.LessonFontSize(), 24);
    EXPECT_EQ(p.FontBold(), 1);
    EXPECT_EQ(p.IntercharacterSpacing(), 2);
    EXPECT_EQ(p.InterrowSpacing(), 20);
    EXPECT_EQ(p.AllowWordBreak(), 0);
    EXPECT_EQ(p.DoubleLineView(), 0);
    EXPECT_EQ(p.UseBitCaret(), 1);
    EXPECT_EQ(p.TabString(), u"TAB");
    EXPECT_EQ(p.SpaceString(), u"SP");
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(p.NewUserFlag(i), 1);
    EXPECT_EQ(p.AccountName(), u"");
    EXPECT_EQ(p.LoginCount(), 0u);
}

TEST_F(DefaultProfileTest, TagAloneFillsTheFileWithEveryDefault)
{
    dir.Write("DefConfig.ini", "[General]\r\nTag=KFDEFCFG\r\n");
    CUserProfile p;
    ASSERT_TRUE(LoadDefaultProfile(path, p));
    ExpectDefaults(p);
    EXPECT_EQ(Value(u"Estimate", u"Single_Pass"), u"60");
    EXPECT_EQ(Value(u"Estimate", u"AlwaysRecommend"), u"1");
    EXPECT_EQ(Value(u"StandardView", u"Color_CorrectText"), u"13684944");
    EXPECT_EQ(Value(u"StandardView", u"Font_Name"), u"Tahoma");
    EXPECT_EQ(Value(u"Review", u"Duration"), u"3");
    EXPECT_EQ(Value(u"Test", u"Test_Time"), u"12");
    EXPECT_TRUE(HasPrivateProfileKey(u"Train", u"Last_Course", path));
    EXPECT_TRUE(HasPrivateProfileKey(u"FileOrPath", u"Keyboard_LayoutFile", path));
    // Loading the filled file again gives the same profile.
    CUserProfile again;
    ASSERT_TRUE(LoadDefaultProfile(path, again));
    EXPECT_TRUE(again == p);
}

TEST_F(DefaultProfileTest, ShippedFileHoldsEveryKeyWithItsDefault)
{
    const std::filesystem::path shipped =
        std::filesystem::path(KF_SOURCE_DIR) / "data/Data/Account/DefConfig.ini";
    std::filesystem::copy_file(shipped, dir.path() / "DefConfig.ini",
                               std::filesystem::copy_options::overwrite_existing);
    const std::string before = dir.Read("DefConfig.ini");
    CUserProfile p;
    ASSERT_TRUE(LoadDefaultProfile(path, p));
    ExpectDefaults(p);
    // Nothing was missing, so nothing was added.
    EXPECT_EQ(dir.Read("DefConfig.ini"), before);
}

TEST_F(DefaultProfileTest, RangeRules)
{
    struct Case
    {
        const char* pass;
        const char* full;
        const char* accuracy;
        const char* factor;
        uint32_t wantPass, wantFull;
        uint8_t wantAccuracy, wantFactor;
    };
    const Case cases[] = {
        {"150", "120", "85", "5", 60, 120, 85, 5},    {"60", "0", "85", "5", 60, 180, 85, 5},
        {"0", "401", "85", "5", 60, 180, 85, 5},      {"201", "400", "85", "5", 60, 400, 85, 5},
        {"200", "200", "85", "5", 100, 200, 85, 5},   {"60", "180", "-5", "21", 60, 180, 85, 5},
        {"60", "180", "100", "20", 60, 180, 100, 20}, {"60", "180", "0", "0", 60, 180, 85, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pass) + " " + c.full + " " + c.accuracy + " " + c.factor);
        const CUserProfile p = Load({{"Estimate", "Single_Pass", c.pass},
                                     {"Estimate", "Single_Fullmark", c.full},
                                     {"Estimate", "Pass_Accuracy", c.accuracy},
                                     {"Estimate", "Error_Factor", c.factor}});
        EXPECT_EQ(p.SinglePass(), c.wantPass);
        EXPECT_EQ(p.SingleFullmark(), c.wantFull);
        EXPECT_EQ(p.PassAccuracy(), c.wantAccuracy);
        EXPECT_EQ(p.ErrorFactor(), c.wantFactor);
    }
}

TEST_F(DefaultProfileTest, ViewTestAndTrainRules)
{
    CUserProfile p = Load({{"Test", "Data_GenerateSize", "1000"},
                           {"Test", "Data_GenerateType", "3"},
                           {"Test", "Test_Time", "61"},
                           {"Train", "Train_Time", "60"},
                           {"Train", "StdDisplaySize", "258"},
                           {"Train", "Last_Course", std::string(200, 'c')},
                           {"Review", "Duration", "0"},
                           {"StandardView", "Font_Size", "7"},
                           {"StandardView", "Lesson_Font_Size", "99"},
                           {"StandardView", "Interrow_spacing", "41"},
                           {"StandardView", "Intercharacter_Spacing", "20"},
                           {"StandardView", "DoubleLineView", "18"},
                           {"StandardView", "UseBitCaret", "0"},
                           {"StandardView", "Tab_String", "ABCDEFGHI"},
                           {"StandardView", "Font_Name", "default"},
                           {"General", "Skin_Hue", "-30"},
                           {"General", "SoundOn", "256"}});
    EXPECT_EQ(p.DataGenerateSize(), 1000u);
    EXPECT_EQ(p.DataGenerateType(), 2);
    EXPECT_EQ(p.TestTime(), 12);
    EXPECT_EQ(p.TrainTime(), 60);
    EXPECT_EQ(p.StdDisplaySize(), 2u);
    EXPECT_EQ(p.LastCourse(), std::u16string(129, u'c'));
    EXPECT_EQ(p.ReviewDuration(), 3);
    EXPECT_EQ(p.FontSize(), 24);
    EXPECT_EQ(p.LessonFontSize(), 99);
    EXPECT_EQ(p.InterrowSpacing(), 20);
    EXPECT_EQ(p.IntercharacterSpacing(), 20);
    EXPECT_EQ(p.DoubleLineView(), 2);
    EXPECT_EQ(p.UseBitCaret(), 0);
    EXPECT_EQ(p.TabString(), u"ABCD");
    EXPECT_EQ(p.FontName(), u"Tahoma");
    EXPECT_EQ(Value(u"StandardView", u"Font_Name"), u"Tahoma");
    EXPECT_EQ(p.SkinHue(), -30);
    EXPECT_EQ(p.SoundOn(), 0); // the low 8 bits of 256
}

TEST_F(DefaultProfileTest, AlwaysRecommendIsOverwrittenByTheGeneralKey)
{
    const CUserProfile p =
        Load({{"General", "Always_RecommendAction", "1"}, {"Estimate", "AlwaysRecommend", "0"}});
    EXPECT_EQ(p.AlwaysRecommendAction(), 1);
}

TEST_F(DefaultProfileTest, WrongOrMissingTagFails)
{
    for (const char* text : {"", "[General]\nTag=KBTRAIN\n", "[Other]\nTag=KFDEFCFG\n"}) {
        SCOPED_TRACE(text);
        dir.Write("DefConfig.ini", text);
        CUserProfile p;
        p.SetAccountName(u"kept");
        EXPECT_FALSE(LoadDefaultProfile(path, p));
        EXPECT_EQ(GetLastError(), err::InvalidData);
        EXPECT_EQ(p.AccountName(), u"kept");
    }
}

} // namespace
} // namespace kf
