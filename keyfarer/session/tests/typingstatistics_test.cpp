#include "session/typingstatistics.h"

#include "platform/clock.h"
#include "session/exercisekind.h"
#include "session/winklevel.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

// Drives the millisecond tick by hand.
class ManualClock
{
public:
    ManualClock() { SetTickSourceForTesting([this] { return m_now; }); }
    ~ManualClock() { SetTickSourceForTesting({}); }
    void Advance(uint32_t ms) { m_now += ms; }
    void Set(uint32_t now) { m_now = now; }

private:
    uint32_t m_now = 5000;
};

TEST(KeyDelayTable, DistinctCharactersInOrderOfFirstAppearance)
{
    KeyDelayTable t;
    t.Rebuild(u"abacab\r c");
    std::u16string order;
    for (const auto& e : t.Entries())
        order += e.ch;
    EXPECT_EQ(order, u"abc\r ");
    EXPECT_EQ(t.Find(u'c'), 2);
    EXPECT_EQ(t.Find(u'z'), -1);
    EXPECT_FALSE(t.AddDelay(u'z', 10));

    std::u16string many;
    for (char16_t c = 0x100; c < 0x100 + 6000; ++c)
        many += c;
    t.Rebuild(many);
    EXPECT_EQ(t.Entries().size(), KeyDelayTable::kCapacity);
    EXPECT_EQ(t.Find(u'a'), -1); // the earlier table is gone
    EXPECT_EQ(t.Find(static_cast<char16_t>(0x100 + 4999)), 4999);
    EXPECT_EQ(t.Find(static_cast<char16_t>(0x100 + 5000)), -1);
}

TEST(KeyDelayTable, SlowestCharactersAndTheirBlock)
{
    KeyDelayTable t;
    t.Rebuild(u"abcde");
    t.AddDelay(u'b', 300);
    t.AddDelay(u'b', 100); // average 200, total 400
    t.AddDelay(u'd', 400); // same total as b, later in the table
    t.AddDelay(u'a', 90000); // longer than a 16-bit average can hold
    t.AddDelay(u'e', 50);
    const std::vector<KeyDelayItem> slowest = t.SlowestCharacters();
    const std::vector<KeyDelayItem> expected = {{u'a', 0xFFFF}, {u'b', 200}, {u'd', 400}, {u'e', 50}};
    EXPECT_EQ(slowest, expected); // c has no delay and ends the list
    EXPECT_EQ(t.SlowestCharacters(2).size(), 2u);

    const KeyDelayBlock block = KeyDelayBlock::FromItems(slowest);
    EXPECT_EQ(block.Items(), expected);
    EXPECT_EQ(block.U16(512 + 2), 200);
    EXPECT_EQ(block.U16(1024 + 2), u'b');
    EXPECT_EQ(block.U16(1024 + 8), 0);
    for (size_t i = 0; i < 512; ++i)
        ASSERT_EQ(block.U8(i) | block.U8(1536 + i), 0) << i;

    std::vector<KeyDelayItem> tooMany(300, {u'x', 1});
    EXPECT_EQ(KeyDelayBlock::FromItems(tooMany).Items().size(), 256u);
}

TEST(TypingStatistics, RecordsTheTimeBetweenAcceptedKeystrokes)
{
    ManualClock clock;
    TypingStatistics s;
    s.PrepareExercise(u"abc", false);

    EXPECT_TRUE(s.RecordKeyDelay(u'a', u'a', desk_mode::kLesson, true)); // starts the timing
    EXPECT_EQ(s.Delays().Entries()[0].count, 0u);
    clock.Advance(250);
    EXPECT_TRUE(s.RecordKeyDelay(u'x', u'b', desk_mode::kLesson, true)); // wrong but accepted
    clock.Advance(100);
    EXPECT_TRUE(s.RecordKeyDelay(u'\b', u'b', desk_mode::kLesson, true)); // backspace: nothing
    EXPECT_TRUE(s.RecordKeyDelay(u'q', 0, desk_mode::kLesson, true));     // nothing expected
    // "AllowErrorKey" off: the wrong key was refused and is not timed.
    EXPECT_FALSE(s.RecordKeyDelay(u'x', u'c', desk_mode::kTest, false));
    clock.Advance(400);
    // A question was open for 300 ms: it does not count.
    s.ShiftLastKeystroke(300);
    EXPECT_TRUE(s.RecordKeyDelay(u'c', u'c', desk_mode::kReview, false));
    // Games judge their own keys.
    EXPECT_TRUE(s.RecordKeyDelay(u'x', u'c', desk_mode::kGame, false));

    const auto& e = s.Delays().Entries();
    EXPECT_EQ(e[1].totalMs, 250u);
    EXPECT_EQ(e[1].count, 1u);
    EXPECT_EQ(e[2].totalMs, 200u); // 500 since b less the 300 of the question, then 0 in the game
    EXPECT_EQ(e[2].count, 2u);
    // An escaped game target adds its time to its character.
    EXPECT_TRUE(s.ReportMiss(u'a', 1500));
    EXPECT_FALSE(s.ReportMiss(u'z', 1500));
    EXPECT_EQ(e[0].totalMs, 1500u);
    EXPECT_EQ(e[0].count, 1u);

    s.PrepareExercise({}, true);
    EXPECT_TRUE(s.Delays().Entries().empty());
    EXPECT_FALSE(s.LastKeystroke().has_value());
}

TEST(TypingStatistics, OneSecondSampleAndBlock)
{
    ManualClock clock;
    TypingStatistics s;
    StatisticsInput in;
    in.mode = desk_mode::kTest;
    in.kind = kind::kTest;
    in.pass = 60;
    in.fullmark = 180;
    in.unit = SpeedUnit::WordsPerMinute;

    in.totalHits = 3;
    in.correctHits = 2;
    in.elapsedMs = 900;
    auto b = s.RefreshStatistics(in); // first sample: stores 3
    ASSERT_TRUE(b);
    EXPECT_EQ(b->values, (std::array<int32_t, 8>{60, 180, 0, 1, 3, 0, 2, 900}));

    clock.Advance(500);
    in.totalHits = 7;
    EXPECT_EQ(s.RefreshStatistics(in)->SampleHits(), 0); // no new sample within the second
    clock.Advance(500);
    in.totalHits = 9;
    EXPECT_EQ(s.RefreshStatistics(in)->SampleHits(), 3); // the total stored a second ago
    clock.Advance(999);
    in.totalHits = 12;
    EXPECT_EQ(s.RefreshStatistics(in)->SampleHits(), 3);
    clock.Advance(1);
    EXPECT_EQ(s.RefreshStatistics(in)->SampleHits(), 9);

    in.kind = kind::kFreeTyping;
    EXPECT_EQ(s.RefreshStatistics(in)->CorrectHits(), 12); // free typing has no errors
    in.mode = desk_mode::kIdle;
    EXPECT_FALSE(s.RefreshStatistics(in));
    in.mode = desk_mode::kSlideShow;
    EXPECT_FALSE(s.RefreshStatistics(in));
}

TEST(WinkLevel, FlashesAndFadesWhileActive)
{
    WinkLevel w;
    EXPECT_FALSE(w.Tick(true));
    w.Flash();
    EXPECT_EQ(w.Level(), 100);
    EXPECT_TRUE(w.Tick(false)); // an inactive program keeps the level
    EXPECT_EQ(w.Level(), 100);
    for (int i = 0; i < 99; ++i)
        EXPECT_TRUE(w.Tick(true));
    EXPECT_EQ(w.BarWidth(300), 3);
    EXPECT_FALSE(w.Tick(true)); // reaches 0: the timer stops
    EXPECT_EQ(w.Level(), 0);
}

} // namespace
} // namespace kf
