#include "skin/kfslidermodel.h"

#include <gtest/gtest.h>

using kf::CKFSliderModel;

namespace {

CKFSliderModel HueSlider()
{
    CKFSliderModel s;
    s.Attach(361, 20, 128); // 16-pixel cells
    s.SetRange(-180, 180);
    return s;
}

} // namespace

TEST(KFSliderModel, PositionUnderTheMouse)
{
    const CKFSliderModel s = HueSlider();
    struct Case
    {
        int x, position;
    } cases[] = {
        {-5, -180}, {0, -180},  {7, -180},  {8, -180}, {180, -1},  {352, 178},
        {353, 180}, {354, 180}, {400, 180}, {9, -179}, {10, -178},
    };
    for (const Case& c : cases)
        EXPECT_EQ(s.PositionFromPoint(c.x), c.position) << "x " << c.x;
}

TEST(KFSliderModel, RangeAndPositionClamp)
{
    CKFSliderModel s = HueSlider();
    s.SetPos(500);
    EXPECT_EQ(s.GetPos(), 180);
    s.SetPos(-500);
    EXPECT_EQ(s.GetPos(), -180);
    s.SetRange(10, 5); // the minimum becomes the maximum
    EXPECT_EQ(s.Minimum(), 5);
    EXPECT_EQ(s.Maximum(), 5);
    EXPECT_EQ(s.GetPos(), 5);
    s.SetRange(-100, 100);
    EXPECT_EQ(s.GetPos(), 5);
}

TEST(KFSliderModel, DraggingReportsOnlyChanges)
{
    CKFSliderModel s = HueSlider();
    s.SetPos(0);
    EXPECT_EQ(s.Drag(100), std::nullopt); // not pressed
    EXPECT_EQ(s.Press(8), std::optional<int>(-180));
    EXPECT_TRUE(s.IsDragging());
    EXPECT_EQ(s.Drag(5), std::nullopt); // already at the end
    EXPECT_EQ(s.Drag(-50), std::nullopt);
    EXPECT_EQ(s.Drag(180), std::optional<int>(-1));
    EXPECT_EQ(s.Drag(180), std::nullopt);
    EXPECT_EQ(s.Drag(1000), std::optional<int>(180));
    EXPECT_EQ(s.Drag(2000), std::nullopt);
    s.Release();
    EXPECT_EQ(s.Drag(180), std::nullopt);
    EXPECT_EQ(s.GetPos(), 180);
}

TEST(KFSliderModel, DegenerateWindowsAndWideRangesDoNotFault)
{
    CKFSliderModel s;
    s.Attach(16, 20, 128); // as wide as one cell: no track
    s.SetRange(0, 10);
    EXPECT_EQ(s.PositionFromPoint(8), 10);
    EXPECT_EQ(s.PositionFromPoint(7), 0);
    CKFSliderModel wide;
    wide.Attach(1000, 20, 128);
    wide.SetRange(INT32_MIN, INT32_MAX);
    EXPECT_EQ(wide.PositionFromPoint(8), INT32_MIN);
    EXPECT_EQ(wide.PositionFromPoint(992), INT32_MAX);
    EXPECT_NEAR(double(wide.PositionFromPoint(500)), 0.0, 1e7);
}

TEST(KFSliderModel, PiecesOfALongTrack)
{
    CKFSliderModel s = HueSlider();
    s.SetPos(0);
    const auto pieces = s.Pieces(128, 20, 8, 4, true);
    ASSERT_EQ(pieces.size(), 4u);
    const int track = 361 - 16;
    EXPECT_EQ(pieces[0].source, (kf::SkinRect{0, 0, 16, 20}));
    EXPECT_EQ(pieces[0].target, (kf::SkinRect{8, 0, 24, 20}));
    EXPECT_EQ(pieces[1].source, (kf::SkinRect{16, 8, 32, 12}));
    EXPECT_EQ(pieces[1].target, (kf::SkinRect{24, 8, 8 + track - 16, 12}));
    EXPECT_EQ(pieces[2].source, (kf::SkinRect{32, 0, 48, 20}));
    EXPECT_EQ(pieces[2].target.left, 8 + track - 16);
    EXPECT_EQ(pieces[3].source, (kf::SkinRect{48, 0, 64, 20}));
    EXPECT_EQ(pieces[3].target.left, 180 * track / 360);
}

TEST(KFSliderModel, DisabledDrawsFromTheSecondFourCells)
{
    CKFSliderModel s = HueSlider();
    for (const auto& piece : s.Pieces(128, 20, 8, 4, false))
        EXPECT_GE(piece.source.left, 64);
    // A short track (2t ≥ track) still reads cells 4..7 and draws two halves and the thumb.
    CKFSliderModel small;
    small.Attach(40, 20, 128);
    small.SetRange(0, 0);
    const auto pieces = small.Pieces(128, 24, 8, 4, false);
    ASSERT_EQ(pieces.size(), 3u);
    for (const auto& piece : pieces)
        EXPECT_GE(piece.source.left, 64);
    EXPECT_EQ(pieces[0].target, (kf::SkinRect{8, -2, 20, 22})); // centred: (20 − 24) / 2
    EXPECT_EQ(pieces[2].target.left, 24); // minimum = maximum: the thumb at the track's end
}
