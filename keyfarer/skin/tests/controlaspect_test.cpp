#include "skin/typingaspect.h"

#include "skin/bmpcodec.h"
#include "skin/greyscale.h"
#include "platform/utf.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace fs = std::filesystem;
using kf::MakeRgb;

namespace {

class LookFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() /
                ("kf_look_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "skin");
    }
    void TearDown() override { fs::remove_all(m_dir); }
    void WriteBitmap(const std::string& name, const kf::CDib& dib)
    {
        const auto bytes = kf::WriteBmp8(dib);
        std::ofstream(m_dir / "skin" / (name + ".bmp"), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    std::u16string Folder() const { return kf::FromUtf8(m_dir.string() + "/"); }
    fs::path m_dir;
};

} // namespace

TEST(ControlAspect, SkinAdjustIsClampedAndRecoloursColours)
{
    kf::CControlAspect look;
    look.SetSkinAdjust(500, -300, 101);
    EXPECT_EQ(look.GetSkinAdjust(), (kf::SkinAdjust{180, -100, 100}));
    look.SetSkinAdjust(120, 0, 0);
    EXPECT_EQ(look.RecolorColor(MakeRgb(255, 0, 0)), MakeRgb(0, 255, 0));
    // Base colours follow at once; greys do not move.
    EXPECT_EQ(look.Color(kf::LookColor::ControlBack), MakeRgb(255, 255, 255));
    EXPECT_EQ(look.Color(kf::LookColor::Selection),
              look.RecolorColor(look.BaseColor(kf::LookColor::Selection)));
    EXPECT_NE(look.Color(kf::LookColor::Selection), look.BaseColor(kf::LookColor::Selection));
}

TEST_F(LookFolder, LoadRecoloredBitmapRecoloursOnlyTheColourTable)
{
    kf::CDib dib(2, 1, {MakeRgb(255, 0, 0), MakeRgb(128, 128, 128)});
    dib.Indices() = {0, 1};
    WriteBitmap("pic", dib);
    kf::CControlAspect look;
    look.SetSkinAdjust(-120, 0, 0);
    kf::CDib out;
    ASSERT_TRUE(look.LoadRecoloredBitmap(Folder() + u"skin\\", "pic", true, out));
    EXPECT_EQ(out.Palette(),
              (std::vector<kf::ColorRef>{MakeRgb(0, 0, 255), MakeRgb(128, 128, 128)}));
    EXPECT_EQ(out.Indices(), dib.Indices());
    ASSERT_TRUE(look.LoadRecoloredBitmap(Folder() + u"skin\\", "pic", false, out));
    EXPECT_EQ(out.Palette(), dib.Palette());
    std::string error;
    EXPECT_FALSE(look.LoadRecoloredBitmap(Folder() + u"skin\\", "absent", true, out, &error));
    EXPECT_NE(error.find("absent.bmp"), std::string::npos) << error;
}

TEST_F(LookFolder, ReloadRecoloursPicturesKeepsThePristineAndBuildsTheShape)
{
    // A frame 40 × 40, key colour outside a 1-pixel notch at each corner.
    kf::CDib frame(40, 40, {kf::kSkinKeyColor, MakeRgb(30, 90, 200)});
    for (auto& v : frame.Indices())
        v = 1;
    frame.Indices()[0] = 0;
    frame.Indices()[39] = 0;
    WriteBitmap("frame", frame);
    kf::CTypingAspect look;
    look.SetSkinAdjust(0, 0, -100);
    EXPECT_FALSE(look.Init(Folder())); // most pictures are missing
    EXPECT_FALSE(look.LoadErrors().empty());
    const unsigned generation = look.Generation();

    const kf::CDib* recoloured = look.Bitmap("frame");
    const kf::CDib* pristine = look.PristineBitmap("frame");
    ASSERT_TRUE(recoloured && pristine);
    EXPECT_EQ(pristine->Palette()[1], MakeRgb(30, 90, 200));
    const kf::ColorRef grey = recoloured->Palette()[1];
    EXPECT_EQ(kf::GetRValue(grey), kf::GetBValue(grey));
    EXPECT_EQ(recoloured->KeyIndex(), 0);
    EXPECT_EQ(look.Bitmap("desk"), nullptr);

    ASSERT_TRUE(look.DialogShape().IsBuilt());
    auto shape = look.DialogShape().WindowRegion(300, 200);
    EXPECT_FALSE(shape->Contains(0, 0));
    EXPECT_FALSE(shape->Contains(299, 0));
    EXPECT_TRUE(shape->Contains(1, 0));

    look.Reload();
    EXPECT_GT(look.Generation(), generation);
}

TEST(TypingAspect, TablesTheDeskAndKeyboardRelyOn)
{
    kf::CTypingAspect look;
    look.Init(u"/opt/kf/");
    EXPECT_EQ(look.SoundFile(0), u"/opt/kf/sound\\iconhover.wav");
    EXPECT_EQ(look.SoundFile(9), u"/opt/kf/sound\\StrikeErr.wav");
    EXPECT_EQ(look.SoundFile(10), u"");
    EXPECT_EQ(kf::IconRowForCommand(32774), int(kf::DeskIcon::Train));
    EXPECT_EQ(kf::IconRowForCommand(57670), int(kf::DeskIcon::Help));
    EXPECT_EQ(kf::IconRowForCommand(1), -1);
    EXPECT_EQ(kf::KeyPictureForFinger(2), 0);
    EXPECT_EQ(kf::KeyPictureForFinger(4), 2);
    EXPECT_EQ(kf::KeyPictureForFinger(1), 3);
    EXPECT_EQ(kf::KeyPictureForFinger(0), 3);
    // The keyboard and the panels lie inside the desk and do not overlap.
    const auto kb = look.KeyboardRect();
    EXPECT_GE(kb.left, look.KeyboardCardRect().left);
    EXPECT_LE(kb.right, look.KeyboardCardRect().right);
    EXPECT_LE(kb.bottom, kf::kDeskHeight);
    EXPECT_LE(look.TextViewRect().right, look.InfoPanelRect().left);
    EXPECT_LE(look.ToolSlotRect(look.ToolSlotCount() - 1).bottom, kf::kDeskHeight);
    EXPECT_EQ(look.HandFingerSpot(2, 0).radius, 0);
}

TEST(Greyscale, ChannelMeanKeepsTheTopByte)
{
    EXPECT_EQ(kf::GreyByChannelMean(0xFF102030u), 0xFF202020u);
    EXPECT_EQ(kf::GreyByChannelMean(MakeRgb(255, 0, 0)), MakeRgb(85, 85, 85));
    kf::CDib dib(1, 1, {MakeRgb(30, 60, 90)});
    kf::GreyByChannelMean(dib);
    EXPECT_EQ(dib.Palette()[0], MakeRgb(60, 60, 60));
}
