#include "session/standviewpageturn.h"

#include <gtest/gtest.h>

#include <vector>

namespace kf {
namespace {

TEST(StandPageTurnTest, FivePixelsEveryTwoMilliseconds)
{
    CStandPageTurn turn;
    turn.Start(PageTurnEffect::PushUp, 400, 100, 1000);
    EXPECT_TRUE(turn.Running());
    EXPECT_TRUE(turn.Advance(1001));
    EXPECT_EQ(turn.Offset(), 0);
    EXPECT_TRUE(turn.Advance(1010));
    EXPECT_EQ(turn.Offset(), 25);
    EXPECT_FALSE(turn.Advance(1040)); // 20 steps: 100 pixels, done
    EXPECT_EQ(turn.Offset(), 100);

    // The wipe runs over the width; the tick may wrap meanwhile.
    turn.Start(PageTurnEffect::Wipe, 400, 100, 0xFFFFFFF0u);
    EXPECT_TRUE(turn.Advance(0x10)); // 32 ms later
    EXPECT_EQ(turn.Offset(), 80);
    EXPECT_EQ(turn.Extent(), 400);
}

TEST(StandPageTurnTest, FramesCoverThePictureExactlyOnce)
{
    for (int e = 0; e < kPageTurnEffects; ++e) {
        SCOPED_TRACE(e);
        CStandPageTurn turn;
        turn.Start(static_cast<PageTurnEffect>(e), 300, 200, 0);
        turn.Advance(24); // 60 pixels
        const PageTurnFrame f = turn.Frame();
        EXPECT_EQ(f.oldDst.width * f.oldDst.height + f.newDst.width * f.newDst.height, 300 * 200);
        EXPECT_EQ(f.oldSrc.width, f.oldDst.width);
        EXPECT_EQ(f.newSrc.height, f.newDst.height);
    }
    CStandPageTurn push;
    push.Start(PageTurnEffect::PushUp, 300, 200, 0);
    push.Advance(24);
    EXPECT_EQ(push.Frame().oldDst.top, 0); // the old page moved up by 60
    EXPECT_EQ(push.Frame().oldSrc.top, 60);
    EXPECT_EQ(push.Frame().newDst.top, 140); // the new page's top follows from below
    CStandPageTurn slide;
    slide.Start(PageTurnEffect::SlideFromTop, 300, 200, 0);
    slide.Advance(24);
    EXPECT_EQ(slide.Frame().newSrc.top, 140); // the new page's bottom shows at the top
    EXPECT_EQ(slide.Frame().newDst.top, 0);
}

TEST(StandKeystrokeQueueTest, KeysTypedDuringATurnComeBackInOrderAcrossTurns)
{
    CStandKeystrokeQueue queue;
    bool turning = false;
    std::vector<char16_t> judged;
    queue.SetBusy([&] { return turning; });
    queue.SetSink([&](const TypedKeystroke& k) {
        judged.push_back(k.code);
        if (k.code == u'c') // this key ends a page: the next turn starts
            turning = true;
    });

    queue.Submit({u'a'});
    EXPECT_EQ(judged, std::vector<char16_t>({u'a'}));
    turning = true;
    for (char16_t c : std::u16string(u"bcde"))
        queue.Submit({c});
    EXPECT_EQ(judged.size(), 1u);
    EXPECT_EQ(queue.Waiting(), 4u);

    turning = false;
    queue.Drain(); // b, c; c starts a turn, d and e wait
    EXPECT_EQ(judged, std::vector<char16_t>({u'a', u'b', u'c'}));
    queue.Submit({u'f'}); // arrives while d and e wait: goes behind them
    turning = false;
    queue.Drain();
    EXPECT_EQ(judged, std::vector<char16_t>({u'a', u'b', u'c', u'd', u'e', u'f'}));
    EXPECT_EQ(queue.Waiting(), 0u);
}

TEST(StandKeystrokeQueueTest, AKeyArrivingInsideTheSinkWaitsForTheOnesBeforeIt)
{
    // The sink may run a nested event loop (a question box) that delivers further keys.
    CStandKeystrokeQueue queue;
    std::vector<char16_t> judged;
    queue.SetSink([&](const TypedKeystroke& k) {
        judged.push_back(k.code);
        if (k.code == u'x')
            queue.Submit({u'z'});
    });
    queue.SetBusy([] { return true; });
    queue.Submit({u'x'});
    queue.Submit({u'y'});
    queue.SetBusy([] { return false; });
    queue.Drain();
    EXPECT_EQ(judged, std::vector<char16_t>({u'x', u'y', u'z'}));
}

} // namespace
} // namespace kf
