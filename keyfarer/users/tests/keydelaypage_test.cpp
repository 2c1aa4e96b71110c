#include "users/keydelaypage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kf {
namespace {

KeyDelayBlock BlockOf(const std::vector<std::pair<char16_t, uint16_t>>& pairs)
{
    std::vector<KeyDelayItem> items;
    for (const auto& [ch, ms] : pairs)
        items.push_back({ch, ms});
    return KeyDelayBlock::FromItems(items);
}

// A block of n characters 'A', 'B', ... with delays 2000, 1990, ...: with pass 60 and full
// mark 180 each scores above 0.
KeyDelayBlock Descending(size_t n)
{
    std::vector<std::pair<char16_t, uint16_t>> pairs;
    for (size_t i = 0; i < n; ++i)
        pairs.push_back({static_cast<char16_t>(u'A' + i), static_cast<uint16_t>(2000 - 10 * i)});
    return BlockOf(pairs);
}

TEST(KeyDelayPage, ScoresAgainstPassAndFullMarkPace)
{
    struct Case
    {
        uint32_t pass, full;
        std::vector<std::pair<char16_t, uint16_t>> delays;
        std::vector<KeyDelayScore> expected;
        size_t difficult;
    };
    const Case cases[] = {
        // a = 1000 ms, b = 333 ms; 1500 is the slowest.
        {60,
         180,
         {{'a', 1500}, {'b', 1000}, {'c', 500}, {'d', 200}},
         {{'a', 1000}, {'b', 600}, {'c', 150}},
         1},
        // Unsorted input comes out highest first; 750 ms lies halfway between a and max.
        {60, 180, {{'x', 400}, {'y', 1500}, {'z', 1250}}, {{'y', 1000}, {'z', 800}, {'x', 60}}, 2},
        // Every delay at or below the full-mark pace: nothing in use.
        {60, 180, {{'a', 333}, {'b', 100}, {'c', 1}}, {}, 0},
        // Of equal scores the first one listed comes first.
        {60, 180, {{'r', 2000}, {'p', 700}, {'q', 700}}, {{'r', 1000}, {'p', 330}, {'q', 330}}, 1},
        // A pass speed at or above the full mark: every delay above the pass pace scores by
        // the upper formula, the rest 0.
        {200, 100, {{'a', 900}, {'b', 450}, {'c', 200}}, {{'a', 1000}, {'b', 700}}, 2},
        // Speeds of 0 count as 1 character per minute (60000 ms): nothing is slower.
        {0, 0, {{'a', 5000}, {'b', 100}}, {}, 0},
        // Full mark 0 makes the full-mark pace the slowest: only delays above the pass pace
        // score.
        {60, 0, {{'a', 1500}, {'b', 1000}}, {{'a', 1000}}, 1},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        KeyDelayPage page;
        page.Score(BlockOf(c.delays), c.pass, c.full);
        EXPECT_EQ(page.Entries(), c.expected) << "case " << i;
        EXPECT_EQ(page.DifficultCount(), c.difficult) << "case " << i;
    }
}

TEST(KeyDelayPage, ListEndsAtTheFirstEmptyCharacter)
{
    KeyDelayBlock block = BlockOf({{'a', 1500}, {'b', 1200}});
    // A delay left behind the end of the list must not count (nor raise the maximum).
    block.SetU16(KeyDelayBlock::kDelays + 2 * 5, 9000);
    block.SetU16(KeyDelayBlock::kCharacters + 2 * 5, u'z');
    KeyDelayPage page;
    page.Score(block, 60, 180);
    ASSERT_EQ(page.Entries().size(), 2u);
    EXPECT_EQ(page.Entries()[0], (KeyDelayScore{'a', 1000}));
    EXPECT_EQ(page.Entries()[1], (KeyDelayScore{'b', 760}));
}

TEST(KeyDelayPage, PagesOf24)
{
    struct Case
    {
        size_t scored, pages;
        std::vector<size_t> pageSizes;
    };
    const Case cases[] = {
        {0, 0, {}}, {1, 1, {1}}, {24, 1, {24}}, {25, 2, {24, 1}}, {49, 3, {24, 24, 1}}};
    for (const Case& c : cases) {
        KeyDelayPage page;
        page.Score(Descending(c.scored), 60, 180);
        ASSERT_EQ(page.Entries().size(), c.scored);
        EXPECT_EQ(page.PageCount(), c.pages) << c.scored;
        EXPECT_FALSE(page.CanGoBack());
        EXPECT_EQ(page.CanGoForward(), c.pages > 1) << c.scored;
        for (size_t p = 0; p < c.pages; ++p) {
            EXPECT_EQ(page.CurrentPage(), p);
            EXPECT_EQ(page.PageEntries().size(), c.pageSizes[p]) << c.scored << " page " << p;
            EXPECT_EQ(page.PageEntries().front(), page.Entries()[p * 24]);
            EXPECT_EQ(page.CanGoBack(), p > 0);
            EXPECT_EQ(page.CanGoForward(), p + 1 < c.pages);
            EXPECT_EQ(page.NextPage(), p + 1 < c.pages);
        }
        if (c.pages > 0) {
            EXPECT_EQ(page.CurrentPage(), c.pages - 1);
            EXPECT_TRUE(page.PreviousPage() || c.pages == 1);
        }
    }
}

TEST(KeyDelayPage, ChartRowsBandsAndBars)
{
    KeyDelayPage page;
    page.Score(Descending(25), 60, 180);
    // A 500 × 322 frame: h = 140, rows at 0 and 163, slot width 34.
    const KeyDelayChart chart = page.Layout(500, 322);
    EXPECT_EQ(chart.slotWidth, 34);
    EXPECT_EQ(chart.rows[0].top, 0);
    EXPECT_EQ(chart.rows[0].height, 140);
    EXPECT_EQ(chart.rows[0].badLine, 46);
    EXPECT_EQ(chart.rows[0].goodLine, 93);
    EXPECT_EQ(chart.rows[0].baseline, 140);
    EXPECT_EQ(chart.rows[1].top, 163);
    EXPECT_EQ(chart.rows[1].baseline, 303);

    ASSERT_EQ(chart.bars.size(), 24u);
    struct BarCase
    {
        size_t index;
        int left, right, row;
    };
    const BarCase bars[] = {
        {0, 74, 104, 0}, {1, 108, 138, 0}, {11, 448, 478, 0}, {12, 74, 104, 1}, {23, 448, 478, 1}};
    for (const BarCase& b : bars) {
        const KeyDelayBar& bar = chart.bars[b.index];
        EXPECT_EQ(bar.left, b.left) << b.index;
        EXPECT_EQ(bar.right, b.right) << b.index;
        EXPECT_EQ(bar.row, b.row) << b.index;
        EXPECT_EQ(bar.bottom, chart.rows[b.row].baseline) << b.index;
        EXPECT_EQ(bar.entry, page.Entries()[b.index]);
    }
    // The slowest character reaches the row's top.
    EXPECT_EQ(chart.bars[0].top, 0);

    ASSERT_TRUE(page.NextPage());
    const KeyDelayChart second = page.Layout(500, 322);
    ASSERT_EQ(second.bars.size(), 1u);
    EXPECT_EQ(second.bars[0].entry, page.Entries()[24]);
    EXPECT_EQ(second.bars[0].left, 74);
    EXPECT_EQ(second.bars[0].row, 0);
}

TEST(KeyDelayPage, BarHeightsByScore)
{
    KeyDelayChartRow row;
    row.top = 163;
    row.height = 140; // h / 3 = 46, 2h / 3 = 93
    struct Case
    {
        uint32_t score;
        int top;
    };
    const Case cases[] = {
        {1000, 163},          // full height
        {800, 163 + 46 - 23}, // halfway through the upper third
        {601, 163 + 46 - 0},  // just above the pass line
        {600, 163 + 46},      // on the pass line
        {300, 163 + 46 + 93 - 46},
        {1, 163 + 46 + 93 - 0},
        {0, 163 + 46 + 93}, // one pixel above the baseline: h / 3 + 2h / 3 is 139
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyDelayPage::BarTop(row, c.score), c.top) << c.score;
}

TEST(KeyDelayPage, ReviewCharacters)
{
    KeyDelayPage page;
    page.Score(BlockOf({{'a', 1500}, {'b', 1400}, {'c', 1100}, {'d', 900}, {'e', 200}}), 60, 180);
    ASSERT_EQ(page.DifficultCount(), 3u);
    EXPECT_TRUE(page.DifficultChoicePossible());

    ReviewSelection sel = page.ReviewCharacters(ReviewChoice::DifficultKeys, u"ignored");
    EXPECT_EQ(sel.characters, u"abc");
    EXPECT_FALSE(sel.useChosenCharacters);
    EXPECT_TRUE(sel.errorKey.empty());

    sel = page.ReviewCharacters(ReviewChoice::ChosenCharacters, u"q;q\tw\r;");
    EXPECT_EQ(sel.characters, u"q;w");
    EXPECT_TRUE(sel.useChosenCharacters);
    EXPECT_TRUE(sel.errorKey.empty());

    sel = page.ReviewCharacters(ReviewChoice::ChosenCharacters, u"");
    EXPECT_EQ(sel.errorKey, u"IDS_ERR_REVIEW_NOCHOOSECHAR");
    EXPECT_TRUE(sel.characters.empty());

    // Exactly one difficult character: the difficult-keys choice is not possible.
    KeyDelayPage one;
    one.Score(BlockOf({{'a', 1500}, {'b', 900}}), 60, 180);
    EXPECT_EQ(one.DifficultCount(), 1u);
    EXPECT_FALSE(one.DifficultChoicePossible());
    sel = one.ReviewCharacters(ReviewChoice::DifficultKeys, {});
    EXPECT_EQ(sel.errorKey, u"IDS_ERR_REVIEW_NODIFFCULTCHAR");
    EXPECT_TRUE(sel.characters.empty());
}

TEST(KeyDelayPage, TypedCharactersAreCutAt259)
{
    std::u16string typed;
    for (char16_t c = 0x100; c < 0x100 + 300; ++c)
        typed += c;
    KeyDelayPage page;
    const ReviewSelection sel = page.ReviewCharacters(ReviewChoice::ChosenCharacters, typed);
    EXPECT_EQ(sel.characters, typed.substr(0, 259));
}

} // namespace
} // namespace kf
