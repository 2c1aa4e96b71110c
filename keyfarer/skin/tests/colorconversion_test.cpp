#include "skin/colorconversion.h"
#include "skin/colorconvert.h"

#include <gtest/gtest.h>

#include <cstdlib>

using kf::CColorConversion;
using kf::CColorConvert;
using kf::MakeRgb;

TEST(ColorConversion, RgbToHlsKnownColours)
{
    struct Case
    {
        kf::ColorRef rgb;
        CColorConversion::Hls hls;
    } cases[] = {
        {MakeRgb(255, 0, 0), {0, 180, 360}},
        {MakeRgb(0, 255, 0), {120, 180, 360}},
        {MakeRgb(0, 0, 255), {240, 180, 360}},
        {MakeRgb(255, 255, 255), {240, 360, 0}},
        {MakeRgb(0, 0, 0), {240, 0, 0}},
        {MakeRgb(128, 128, 128), {240, 181, 0}},
        // worked by hand: L = 57855 / 510, S = 34640 / 160, H = Bd − Gd = 60 − 40
        {MakeRgb(128, 64, 32), {20, 113, 216}},
        // lightness above 180 takes the other saturation branch
        {MakeRgb(255, 200, 200), {0, 321, 360}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CColorConversion::RgbToHls(c.rgb), c.hls) << std::hex << c.rgb;
}

TEST(ColorConversion, HlsToRgbKnownTriples)
{
    struct Case
    {
        int h, l, s;
        kf::ColorRef rgb;
    } cases[] = {
        {0, 180, 360, MakeRgb(255, 0, 0)},   {360, 180, 360, MakeRgb(255, 0, 0)},
        {120, 180, 360, MakeRgb(0, 255, 0)}, {240, 180, 360, MakeRgb(0, 0, 255)},
        {0, 360, 0, MakeRgb(255, 255, 255)}, {77, 0, 0, MakeRgb(0, 0, 0)},
        {0, 113, 0, MakeRgb(80, 80, 80)}, // grey without a rounding term: 113 × 255 / 360
    };
    for (const Case& c : cases)
        EXPECT_EQ(CColorConversion::HlsToRgb(c.h, c.l, c.s), c.rgb)
            << c.h << " " << c.l << " " << c.s;
}

TEST(ColorConversion, HueToRgbWrapsAndInterpolates)
{
    EXPECT_EQ(CColorConversion::HueToRgb(0, 360, -30), 0);   // → 330: m1
    EXPECT_EQ(CColorConversion::HueToRgb(0, 360, 390), 180); // → 30: halfway up
    EXPECT_EQ(CColorConversion::HueToRgb(0, 360, 100), 360);
    EXPECT_EQ(CColorConversion::HueToRgb(0, 360, 210), 180); // halfway down
    EXPECT_EQ(CColorConversion::HueToRgb(10, 20, 300), 10);
}

TEST(ColorConversion, RoundTripStaysWithinRounding)
{
    for (int r = 0; r < 256; r += 17)
        for (int g = 0; g < 256; g += 17)
            for (int b = 0; b < 256; b += 17) {
                const auto hls = CColorConversion::RgbToHls(MakeRgb(r, g, b));
                const auto back =
                    CColorConversion::HlsToRgb(hls.hue, hls.lightness, hls.saturation);
                EXPECT_LE(std::abs(kf::GetRValue(back) - r), 4) << r << "," << g << "," << b;
                EXPECT_LE(std::abs(kf::GetGValue(back) - g), 4) << r << "," << g << "," << b;
                EXPECT_LE(std::abs(kf::GetBValue(back) - b), 4) << r << "," << g << "," << b;
            }
}

TEST(ColorConvert, RecolorTable)
{
    const kf::ColorRef red = MakeRgb(255, 0, 0);
    struct Case
    {
        kf::ColorRef in;
        int hue, sat, light;
        kf::ColorRef out;
    } cases[] = {
        {red, 120, 0, 0, MakeRgb(0, 255, 0)},
        {red, -120, 0, 0, MakeRgb(0, 0, 255)},
        {red, 360, 0, 0, red},                                       // wraps back
        {MakeRgb(128, 64, 32), 0, -100, 0, MakeRgb(80, 80, 80)},     // grey of its own lightness
        {MakeRgb(128, 128, 128), 0, 100, 0, MakeRgb(128, 128, 128)}, // a grey stays grey
        {MakeRgb(128, 128, 128), 90, 100, 0, MakeRgb(128, 128, 128)},
        {red, 0, 0, 100, MakeRgb(255, 255, 255)},
        {red, 0, 0, -100, MakeRgb(0, 0, 0)},
        {MakeRgb(0, 0, 0), 0, 0, 50, MakeRgb(127, 127, 127)},
        {MakeRgb(200, 100, 100), 0, 0, -50, MakeRgb(100, 51, 51)}, // via (200, 101, 101)
    };
    for (const Case& c : cases)
        EXPECT_EQ(CColorConvert::Recolor(c.in, c.hue, c.sat, c.light), c.out)
            << std::hex << c.in << std::dec << " h" << c.hue << " s" << c.sat << " l" << c.light;
}

TEST(ColorConvert, SaturationMovesTowardFullOrGrey)
{
    const kf::ColorRef muted = MakeRgb(150, 120, 110);
    const int s0 = CColorConversion::RgbToHls(muted).saturation;
    const int up = CColorConversion::RgbToHls(CColorConvert::Recolor(muted, 0, 50, 0)).saturation;
    const int down =
        CColorConversion::RgbToHls(CColorConvert::Recolor(muted, 0, -50, 0)).saturation;
    EXPECT_NEAR(up, s0 + (360 - s0) / 2, 6);
    EXPECT_NEAR(down, s0 / 2, 6);
}

TEST(ColorConvert, PreviewTableNeverAccumulatesChanges)
{
    const std::vector<kf::ColorRef> saved = {MakeRgb(59, 125, 216), MakeRgb(243, 246, 250),
                                             MakeRgb(240, 154, 26), MakeRgb(31, 41, 51)};
    const auto direct = CColorConvert::RecolorTable(saved, 40, -20, 0);
    std::vector<kf::ColorRef> shown;
    for (int hue : {10, 120, -180, 179, 40}) // the slider moved back and forth
        shown = CColorConvert::RecolorTable(saved, hue, -20, 0);
    EXPECT_EQ(shown, direct);
    // Recolouring an already recoloured table instead would drift.
    EXPECT_NE(
        CColorConvert::RecolorTable(CColorConvert::RecolorTable(saved, 20, -10, 0), 20, -10, 0),
        direct);
}
