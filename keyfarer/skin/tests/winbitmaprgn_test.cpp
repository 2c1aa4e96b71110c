#include "skin/winbitmaprgn.h"

#include <gtest/gtest.h>

using kf::CDib;
using kf::CFrameDesc;
using kf::CWinBitmapRgn;

namespace {

constexpr uint8_t kKey = 0, kEdge = 1, kFill = 2;

// A 40 × 30 frame with quarter-circle corners of radius 6 drawn in the key colour, the way
// the skin's frame bitmaps are: the key (index 0) only outside the rounded corners.
CDib RoundedFrame(int bandDepth = 0)
{
    CDib dib(40, 30,
             {kf::MakeRgb(255, 0, 255), kf::MakeRgb(40, 80, 120), kf::MakeRgb(240, 240, 240)});
    const int r = 6;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const int cx = x < r ? r : x >= 40 - r ? 39 - r : x;
            const int cy = y < r ? r : y >= 30 - r ? 29 - r : y;
            const int dx = x - cx, dy = y - cy;
            uint8_t v = dx * dx + dy * dy > r * r ? kKey : (y < 8 ? kEdge : kFill);
            if (y < bandDepth && x >= 8 && x < 32)
                v = kKey;
            dib.Indices()[size_t(y * 40 + x)] = v;
        }
    return dib;
}

CFrameDesc Measures()
{
    CFrameDesc f;
    f.topHeight = 8;
    f.topLeftWidth = 8;
    f.topRightWidth = 8;
    f.bottomLeftWidth = 7;
    f.bottomRightWidth = 7;
    f.bottomHeight = 7;
    return f;
}

// Every pixel of the window that corresponds to a key pixel of a corner is outside, every
// other pixel inside.
void ExpectCornersCut(const CWinBitmapRgn& rgn, const CDib& dib, int w, int h)
{
    auto region = rgn.WindowRegion(w, h);
    ASSERT_TRUE(region);
    const int bw = dib.Width(), bh = dib.Height();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int sx = -1, sy = -1;
            if (y < 8 && x < 8) {
                sx = x;
                sy = y;
            } else if (y < 8 && x >= w - 8) {
                sx = bw - (w - x);
                sy = y;
            } else if (y >= h - 7 && x < 7) {
                sx = x;
                sy = bh - (h - y);
            } else if (y >= h - 7 && x >= w - 7) {
                sx = bw - (w - x);
                sy = bh - (h - y);
            }
            const bool key = sx >= 0 && dib.Indices()[size_t(sy * bw + sx)] == kKey;
            EXPECT_EQ(region->Contains(x, y), !key) << w << "x" << h << " at " << x << "," << y;
        }
}

} // namespace

TEST(WinBitmapRgn, CutsTheRoundedCornersAtAnySize)
{
    const CDib dib = RoundedFrame();
    CWinBitmapRgn rgn;
    ASSERT_TRUE(rgn.Build(Measures(), dib));
    EXPECT_EQ(rgn.TopBandDepth(), 0);
    EXPECT_FALSE(rgn.Corner(0).empty());
    for (auto [w, h] : {std::pair{40, 30}, {200, 120}, {17, 15}, {16, 14}})
        ExpectCornersCut(rgn, dib, w, h);
    // The corner regions are not moved by a call: asking again gives the same shape.
    EXPECT_EQ(rgn.WindowRegion(200, 120)->Cuts(), rgn.WindowRegion(200, 120)->Cuts());
}

TEST(WinBitmapRgn, TopBandIsCutBetweenTheCornersUnlessTheyTouch)
{
    const CDib dib = RoundedFrame(3);
    CWinBitmapRgn rgn;
    ASSERT_TRUE(rgn.Build(Measures(), dib));
    EXPECT_EQ(rgn.TopBandDepth(), 3);
    auto wide = rgn.WindowRegion(100, 50);
    EXPECT_FALSE(wide->Contains(50, 2));
    EXPECT_FALSE(wide->Contains(8, 0));
    EXPECT_FALSE(wide->Contains(91, 2));
    EXPECT_TRUE(wide->Contains(50, 3));
    // w − top-right width = top-left width: no band.
    auto narrow = rgn.WindowRegion(16, 50);
    for (const auto& cut : narrow->Cuts())
        EXPECT_LE(cut.Width(), 8) << "band cut in a window narrower than its corners";
}

TEST(WinBitmapRgn, NoBandWhenTheColumnIsKeyAllTheWayDown)
{
    CDib dib = RoundedFrame(8); // the whole top height of column 8 is key
    CWinBitmapRgn rgn;
    ASSERT_TRUE(rgn.Build(Measures(), dib));
    EXPECT_EQ(rgn.TopBandDepth(), 0);
}

TEST(WinBitmapRgn, RefusesMeasuresLargerThanTheBitmap)
{
    const CDib dib = RoundedFrame();
    struct Case
    {
        const char* what;
        void (*change)(CFrameDesc&);
    } cases[] = {
        {"top height", [](CFrameDesc& f) { f.topHeight = 31; }},
        {"bottom height", [](CFrameDesc& f) { f.bottomHeight = 31; }},
        {"top corners",
         [](CFrameDesc& f) {
             f.topLeftWidth = 30;
             f.topRightWidth = 11;
         }},
        {"bottom corners",
         [](CFrameDesc& f) {
             f.bottomLeftWidth = 21;
             f.bottomRightWidth = 20;
         }},
        {"negative", [](CFrameDesc& f) { f.topLeftWidth = -1; }},
    };
    for (const Case& c : cases) {
        CFrameDesc f = Measures();
        c.change(f);
        CWinBitmapRgn rgn;
        EXPECT_FALSE(rgn.Build(f, dib)) << c.what;
        EXPECT_FALSE(rgn.WindowRegion(40, 30)) << c.what;
    }
    CWinBitmapRgn rgn;
    EXPECT_FALSE(rgn.Build(Measures(), CDib()));
}

TEST(WinBitmapRgn, NoRegionForAnEmptyWindowOrAfterClear)
{
    CWinBitmapRgn rgn;
    EXPECT_FALSE(rgn.WindowRegion(10, 10));
    ASSERT_TRUE(rgn.Build(Measures(), RoundedFrame()));
    EXPECT_FALSE(rgn.WindowRegion(0, 10));
    EXPECT_FALSE(rgn.WindowRegion(10, 0));
    rgn.Clear();
    EXPECT_FALSE(rgn.IsBuilt());
    EXPECT_FALSE(rgn.WindowRegion(10, 10));
}
