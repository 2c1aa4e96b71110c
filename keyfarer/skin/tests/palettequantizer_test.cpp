#include "skin/palettequantizer.h"

#include <gtest/gtest.h>

#include <cmath>

using kf::RgbaImage;

TEST(PaletteQuantizer, FewColoursAreKeptExactlyAndTransparencyBecomesTheKey)
{
    RgbaImage img{4,
                  2,
                  {0x00000000, 0xFFFF0000, 0xFF00FF00, 0x80FFFFFF, 0xFF0000FF, 0xFFFF0000,
                   0x7F000000, 0xFF0000FF}};
    kf::QuantizeOptions options;
    options.matte = kf::MakeRgb(0, 0, 0);
    const kf::CDib dib = kf::QuantizeToPalette(img, options);
    ASSERT_EQ(dib.Width(), 4);
    EXPECT_EQ(dib.KeyIndex(), 0);
    EXPECT_EQ(dib.Palette()[0], kf::kSkinKeyColor);
    EXPECT_EQ(dib.Indices()[0], 0);
    EXPECT_EQ(dib.Indices()[6], 0); // alpha 127 is below the threshold
    EXPECT_EQ(dib.PixelAt(1, 0), kf::MakeRgb(255, 0, 0));
    EXPECT_EQ(dib.PixelAt(2, 0), kf::MakeRgb(0, 255, 0));
    EXPECT_EQ(dib.PixelAt(0, 1), kf::MakeRgb(0, 0, 255));
    // Half-covered white over a black matte.
    EXPECT_EQ(dib.PixelAt(3, 0), kf::MakeRgb(128, 128, 128));
}

TEST(PaletteQuantizer, ManyColoursFitIn256WithSmallError)
{
    RgbaImage img{256, 64, {}};
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            img.pixels.push_back(0xFF000000u | uint32_t(x) << 16 | uint32_t(y * 4) << 8 |
                                 uint32_t(255 - x));
    const kf::CDib dib = kf::QuantizeToPalette(img, {});
    ASSERT_LE(dib.Palette().size(), 256u);
    EXPECT_EQ(dib.KeyIndex(), -1);
    double worst = 0;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            const kf::ColorRef c = dib.PixelAt(x, y);
            const double d = std::hypot(kf::GetRValue(c) - x, kf::GetGValue(c) - y * 4) +
                             std::abs(kf::GetBValue(c) - (255 - x));
            worst = std::max(worst, d);
        }
    EXPECT_LT(worst, 40.0);
}
