#include "session/typingfigures.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

TEST(TypingFigures, SpeedsAndAccuracyFromTheCounters)
{
    struct Case
    {
        int64_t p, c, factor, t;
        int64_t gross, net, grossWpm, netWpm;
        double accuracy;
    };
    const Case cases[] = {
        {100, 90, 5, 60000, 100, 50, 20, 10, 50.0},
        {10, 7, 5, 60000, 10, 0, 2, 0, 0.0},     // 10 - 3 * 5 is not positive
        {10, 7, 5, 0, 0, 0, 0, 0, 0.0},          // no time: no speed, accuracy still 0
        {0, 0, 5, 60000, 0, 0, 0, 0, 0.0},       // nothing typed
        {90, 90, 5, 45000, 120, 120, 24, 24, 100.0},
        {7, 6, 1, 1000, 420, 360, 84, 72, 6 * 100.0 / 7},
        {50, 49, 0, 60000, 50, 50, 10, 10, 100.0}, // factor 0 weighs no error
        {3, 3, 5, 7000, 25, 25, 5, 5, 100.0},      // 25.71... is shown as 25
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.p << "/" << c.c << " f" << c.factor << " t" << c.t);
        EXPECT_EQ(ShownValue(GrossSpeed(c.p, c.t)), c.gross);
        EXPECT_EQ(ShownValue(NetSpeed(c.p, c.c, c.factor, c.t)), c.net);
        EXPECT_EQ(ShownValue(WordsPerMinute(GrossSpeed(c.p, c.t))), c.grossWpm);
        EXPECT_EQ(ShownValue(WordsPerMinute(NetSpeed(c.p, c.c, c.factor, c.t))), c.netWpm);
        EXPECT_DOUBLE_EQ(Accuracy(c.p, c.c, c.factor), c.accuracy);
    }
}

TEST(TypingFigures, WinkSpeedAndErrorsFigure)
{
    EXPECT_EQ(WinkSpeed(12, 8, 5000), 240.0);
    EXPECT_EQ(WinkSpeed(8, 8, 5000), 0.0);  // no key in the last second
    EXPECT_EQ(WinkSpeed(3, 20, 5000), 0.0); // the sample is from an earlier exercise
    EXPECT_EQ(WinkSpeed(12, 8, 0), 0.0);

    EXPECT_EQ(PanelErrorFigures(10, 7, 5), (ErrorFigures{15, 3, 5}));
    EXPECT_EQ(PanelErrorFigures(10, 7, 0), (ErrorFigures{3, 3, 1}));
    EXPECT_EQ(PanelErrorFigures(4, 4, 20), (ErrorFigures{0, 0, 20}));
}

TEST(TypingFigures, BarsAreFullAtTheFullMark)
{
    EXPECT_DOUBLE_EQ(SpeedBarFill(90, 180), 0.5);
    EXPECT_DOUBLE_EQ(SpeedBarFill(180, 180), 1.0);
    EXPECT_DOUBLE_EQ(SpeedBarFill(400, 180), 1.0);
    EXPECT_DOUBLE_EQ(SpeedBarFill(0, 180), 0.0);
    EXPECT_DOUBLE_EQ(SpeedBarFill(10, 0), 1.0);
    EXPECT_EQ(WinkBarWidth(200, 100), 200);
    EXPECT_EQ(WinkBarWidth(200, 37), 74);
    EXPECT_EQ(WinkBarWidth(200, 0), 0);
    EXPECT_EQ(WinkBarWidth(200, 150), 200);
}

TEST(TypingFigures, PanelShowsWordsButFillsBarsByCharacters)
{
    StatisticsBlock b;
    b.values = {60, 180, 0, static_cast<int32_t>(SpeedUnit::WordsPerMinute), 100, 96, 90, 60000};
    const PanelFigures f = ComputePanelFigures(b, 5);
    EXPECT_EQ(f.gross, 20);
    EXPECT_EQ(f.net, 10);
    EXPECT_EQ(f.wink, 48); // (100 - 96) * 60 characters = 48 words
    EXPECT_DOUBLE_EQ(f.grossBar, 100.0 / 180);
    EXPECT_DOUBLE_EQ(f.netBar, 50.0 / 180);
    EXPECT_DOUBLE_EQ(f.accuracy, 50.0);
    EXPECT_EQ(f.totalHits, 100);
    EXPECT_EQ(f.errors, (ErrorFigures{50, 10, 5}));

    b.values[StatisticsBlock::kSpeedUnit] = static_cast<int32_t>(SpeedUnit::CharactersPerMinute);
    const PanelFigures c = ComputePanelFigures(b, 5);
    EXPECT_EQ(c.gross, 100);
    EXPECT_EQ(c.net, 50);
    EXPECT_DOUBLE_EQ(c.grossBar, f.grossBar);
}

} // namespace
} // namespace kf
