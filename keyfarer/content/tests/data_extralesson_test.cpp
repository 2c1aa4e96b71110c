#include "content/data_extralesson.h"

#include "content/localtutorialdata.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

Bytes Utf16(std::u16string_view text)
{
    const std::string s = test::Utf16Bytes(text, true);
    return Bytes(s.begin(), s.end());
}

std::u16string Decimal(int n)
{
    std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

// A 1 x 1 24-bit bitmap of the colour (blue, green, red).
std::string TinyBmp(uint8_t b, uint8_t g, uint8_t r)
{
    std::string s = "BM";
    auto u32 = [&s](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            s += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    u32(58); u32(0); u32(54); u32(40); u32(1); u32(1);
    s += std::string("\x01\x00\x18\x00", 4);
    s += std::string(24, '\0');
    s += static_cast<char>(b);
    s += static_cast<char>(g);
    s += static_cast<char>(r);
    s += '\0';
    return s;
}

TEST(ExtraLesson, FramesPartsAndFields)
{
    test::TempDir dir;
    dir.Write("Tutorial/Eng/blue.bmp", TinyBmp(255, 0, 0));
    dir.Write("Tutorial/Eng/broken.bmp", "BM not really");
    const std::u16string file =
        u"[Header]\r\nTAG=KY_SLIDE\r\nDesc=Three frames\r\nFrameCount=3\r\n"
        u"[Frame_0]\r\nPartCount=2\r\nTimeInterval=5\r\nFillBackgnd=1\r\nBackColor=16711680\r\n"
        u"[Part_0_0]\r\nType=0\r\nleft=10\r\ntop=20\r\nwidth=100\r\nheight=30\r\nText=one\\ntwo\\tend\r\n"
        u"Font_Size=120\r\nFont_Bold=1\r\nColor=ff\r\nBackColor=0x00ff00\r\nOpacity=0\r\nMarginLeft=4\r\n"
        u"[Part_0_1]\r\nType=2\r\nBorder=1\r\nColor_Back=ff0000\r\nColor_Border=FF\r\n"
        u"[Frame_1]\r\nPartCount=0\r\n"
        u"[Part_1_0]\r\nText=never shown\r\n"
        u"[Frame_2]\r\nPartCount=3\r\n"
        u"[Part_2_0]\r\nType=1\r\nImageFile=Eng\\Blue.BMP\r\nViewType=1\r\n"
        u"[Part_2_1]\r\nType=1\r\nImageFile=Eng\\missing.bmp\r\n"
        u"[Part_2_2]\r\nType=1\r\nImageFile=Eng\\broken.bmp\r\n";
    LocalTutorialData source(dir.Folder());
    CData_ExtraLesson slides;
    slides.SetSlideData(Utf16(file));
    ASSERT_TRUE(slides.ParseSlides(&source));
    EXPECT_EQ(slides.Description(), u"Three frames");
    ASSERT_EQ(slides.FrameCount(), 2) << "the frame without parts is left out";

    const SlideFrame& f0 = *slides.Frame(0);
    EXPECT_EQ(f0.timeInterval, 5);
    EXPECT_TRUE(f0.fillBackground);
    EXPECT_EQ(f0.backColor, 16711680u);
    EXPECT_EQ(f0.firstPart, 0);
    EXPECT_EQ(f0.lastPart, 1);

    const SlidePart& text = *slides.Part(0, 0);
    EXPECT_EQ(text.type, SlidePart::kText);
    EXPECT_EQ(text.text, u"one\ntwo    end");
    EXPECT_EQ(text.left, 10);
    EXPECT_EQ(text.right, 110);
    EXPECT_EQ(text.bottom, 50);
    EXPECT_EQ(text.fontFace, u"Arial");
    EXPECT_EQ(text.fontSize, 120);
    EXPECT_TRUE(text.bold);
    EXPECT_FALSE(text.opaque);
    EXPECT_EQ(text.marginLeft, 4);
    EXPECT_EQ(text.textColor, 0x0000FFu) << "red";
    EXPECT_EQ(text.backColor, 0x00FF00u);

    const SlidePart& rect = *slides.Part(0, 1);
    EXPECT_TRUE(rect.border);
    EXPECT_EQ(rect.backColor, 0xFF0000u) << "ff0000 is blue in 0x00BBGGRR";
    EXPECT_EQ(rect.borderColor, 0xFFu);

    const SlideFrame& f2 = *slides.Frame(1);
    EXPECT_EQ(f2.fileNumber, 2) << "its parts come from the sections of frame 2";
    ASSERT_EQ(f2.partCount, 3);
    const SlidePart& pic = *slides.Part(1, 0);
    EXPECT_EQ(pic.viewType, 1);
    ASSERT_TRUE(pic.picture);
    EXPECT_EQ(pic.picture->Pixel(0, 0), 0xFF0000FFu);
    EXPECT_FALSE(slides.Part(1, 1)->picture) << "a missing picture leaves the part without one";
    EXPECT_FALSE(slides.Part(1, 2)->picture);

    EXPECT_EQ(slides.Frame(2), nullptr);
    EXPECT_EQ(slides.Part(0, 2), nullptr);
    EXPECT_EQ(slides.Part(-1, 0), nullptr);
}

TEST(ExtraLesson, Limits)
{
    std::u16string file = u"[Header]\r\nTAG=KY_SLIDE\r\nFrameCount=100\r\n";
    for (int f = 0; f < 100; ++f) {
        file += u"[Frame_" + Decimal(f) + u"]\r\nPartCount=" + (f == 0 ? u"40" : u"1") + u"\r\n";
    }
    file += u"[Part_0_0]\r\nText=" + std::u16string(600, u'x') + u"\r\n";
    file += u"[Part_0_1]\r\nText=" + std::u16string(515, u'y') + u"\\t\\t\r\n";
    CData_ExtraLesson slides;
    slides.SetSlideData(Utf16(file));
    ASSERT_TRUE(slides.ParseSlides());
    EXPECT_EQ(slides.FrameCount(), 64);
    EXPECT_EQ(slides.Frame(0)->partCount, 32);
    EXPECT_EQ(slides.Parts().size(), 32u + 63u);
    EXPECT_EQ(slides.Part(0, 0)->text.size(), 518u) << "518 characters are read";
    EXPECT_EQ(slides.Part(0, 1)->text.size(), 519u) << "expanded tabs are cut at 519";

    for (std::u16string_view bad : {u"[Header]\r\nTAG=KY_SLIDES\r\nFrameCount=1\r\n", u"[Header]\r\nFrameCount=1\r\n", u""}) {
        slides.SetSlideData(Utf16(bad));
        EXPECT_FALSE(slides.ParseSlides());
        EXPECT_EQ(slides.FrameCount(), 0);
    }
}

} // namespace
} // namespace kf
