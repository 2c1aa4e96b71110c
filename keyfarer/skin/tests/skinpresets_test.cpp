#include "skin/skinpresets.h"

#include "platform/profile.h"
#include "platform/utf.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// An installation folder in the temporary folder with a SysDat folder holding `ini`.
class SkinPresets : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() /
                ("kf_skinpresets_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "SysDat");
    }
    void TearDown() override { fs::remove_all(m_dir); }
    void WriteIni(const std::string& text)
    {
        std::ofstream(m_dir / "SysDat" / "Present_SkinTheme.ini") << text;
    }
    std::u16string Folder() const { return kf::FromUtf8(m_dir.string() + "/"); }
    std::u16string File() const { return kf::SkinThemeFilePath(Folder()); }

    fs::path m_dir;
};

} // namespace

TEST_F(SkinPresets, LoadsNamedThemesInOrderAndFindsThem)
{
    WriteIni("[General]\nPresent_Count=3\n"
             "[Theme_1]\nName=Ocean\nHue=-20\nSaturation=10\nLight=0\n"
             "[Theme_2]\nName=Forest\nHue=-90\nSaturation=-5\nLight=0\n"
             "[Theme_3]\nName=Bright\nHue=0\nSaturation=0\nLight=30\n");
    std::vector<std::u16string> names;
    std::vector<kf::SkinPreset> table;
    EXPECT_EQ(kf::LoadSkinPresets(Folder(), names, table), 3);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Ocean", u"Forest", u"Bright"}));
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[1], (kf::SkinPreset{-90, -5, 0}));
    EXPECT_EQ(kf::FindSkinPreset(table, -90, -5, 0), 1);
    EXPECT_EQ(kf::FindSkinPreset(table, -20, 10, 0), 0);
    // The skin page asks with light 0: a theme with another light is never found.
    EXPECT_EQ(kf::FindSkinPreset(table, 0, 0, 0), -1);
    EXPECT_EQ(kf::FindSkinPreset(table, 0, 0, 30), 2);
}

TEST_F(SkinPresets, FortyThemesGiveThirtyOneAndLeaveRoomForTheCustomEntry)
{
    std::string ini = "[General]\nPresent_Count=40\n";
    for (int i = 1; i <= 40; ++i)
        ini += "[Theme_" + std::to_string(i) + "]\nName=T" + std::to_string(i) +
               "\nHue=" + std::to_string(i) + "\nSaturation=0\nLight=0\n";
    WriteIni(ini);
    std::vector<std::u16string> names;
    std::vector<kf::SkinPreset> table;
    EXPECT_EQ(kf::LoadSkinPresets(Folder(), names, table), 31);
    EXPECT_EQ(names.size(), 31u);
    EXPECT_EQ(names.back(), u"T31");
    EXPECT_EQ(table.back().hue, 31);
    names.push_back(u"Custom colors");
    EXPECT_LE(names.size(), size_t(kf::kMaxSkinPresetRows));
}

TEST_F(SkinPresets, NamelessThemeIsSkippedAndMissingKeysAreWrittenBack)
{
    WriteIni("[General]\nPresent_Count=3\n"
             "[Theme_1]\nHue=40\n"
             "[Theme_2]\nName=Plain\n"
             "[Theme_3]\nName=default\nHue=7\n");
    std::vector<std::u16string> names;
    std::vector<kf::SkinPreset> table;
    // "default" stands for the caller's default, the empty name: skipped too.
    EXPECT_EQ(kf::LoadSkinPresets(Folder(), names, table), 1);
    EXPECT_EQ(names, std::vector<std::u16string>{u"Plain"});
    EXPECT_TRUE(kf::HasPrivateProfileKey(u"Theme_1", u"Name", File()));
    EXPECT_EQ(kf::GetPrivateProfileString(u"Theme_1", u"Name", u"?", 260, File()), u"?");
    EXPECT_EQ(kf::GetPrivateProfileString(u"Theme_2", u"Hue", u"", 260, File()), u"0");
    EXPECT_EQ(kf::GetPrivateProfileString(u"Theme_2", u"Light", u"", 260, File()), u"0");
    // A section the count does not reach is not read.
    EXPECT_FALSE(kf::HasPrivateProfileKey(u"Theme_1", u"Saturation", File()));
}

TEST_F(SkinPresets, MissingFileGivesNothingAndAHugeCountCostsNothing)
{
    std::vector<std::u16string> names;
    std::vector<kf::SkinPreset> table;
    EXPECT_EQ(kf::LoadSkinPresets(Folder(), names, table), 0);
    EXPECT_EQ(kf::GetPrivateProfileString(u"General", u"Present_Count", u"", 260, File()), u"0");
    WriteIni("[General]\nPresent_Count=2000000000\n[Theme_5]\nName=Five\n");
    EXPECT_EQ(kf::LoadSkinPresets(Folder(), names, table), 1);
    EXPECT_EQ(kf::GetPrivateProfileSectionNames(File()).size(), 2u);
}
