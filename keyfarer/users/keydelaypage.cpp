#include "users/keydelaypage.h"

#include <algorithm>
#include <array>

namespace kf {

uint32_t KeyDelayPage::PaceOf(uint32_t charactersPerMinute)
{
    return 60000u / std::max<uint32_t>(charactersPerMinute, 1);
}

void KeyDelayPage::Score(const KeyDelayBlock& block, uint32_t singlePass, uint32_t singleFullmark)
{
    m_entries.clear();
    m_difficult = 0;
    m_page = 0;

    const int64_t a = PaceOf(singlePass);
    const int64_t b = PaceOf(singleFullmark);

    std::array<KeyDelayScore, kTableSize> table{};
    std::array<uint16_t, KeyDelayBlock::kEntries> delays{};
    size_t count = 0;
    int64_t max = 0;
    for (; count < KeyDelayBlock::kEntries; ++count) {
        const char16_t ch = block.Character(count);
        if (ch == 0)
            break;
        table[count].ch = ch;
        delays[count] = block.AverageDelay(count);
        max = std::max<int64_t>(max, delays[count]);
    }

    for (size_t i = 0; i < count; ++i) {
        const int64_t d = delays[i];
        int64_t s = 0;
        // d > a implies max >= d > a, and a >= d > b implies a > b: no division by zero.
        if (d > a)
            s = (d - a) * 400 / (max - a) + 600;
        else if (d > b)
            s = (d - b) * 600 / (a - b);
        table[i].score = static_cast<uint32_t>(std::clamp<int64_t>(s, 0, kMaxScore));
    }

    // Selection of the largest remaining score, the first of equal scores winning; the
    // scores of 0 stay behind and are not in use.
    size_t used = 0;
    for (; used < kTableSize; ++used) {
        size_t best = used;
        for (size_t j = used + 1; j < kTableSize; ++j)
            if (table[j].score > table[best].score)
                best = j;
        if (table[best].score == 0)
            break;
        std::swap(table[used], table[best]);
    }

    m_entries.assign(table.begin(), table.begin() + used);
    for (const KeyDelayScore& e : m_entries)
        if (e.score > kPassScore)
            ++m_difficult;
}

bool KeyDelayPage::PreviousPage()
{
    if (!CanGoBack())
        return false;
    --m_page;
    return true;
}

bool KeyDelayPage::NextPage()
{
    if (!CanGoForward())
        return false;
    ++m_page;
    return true;
}

std::vector<KeyDelayScore> KeyDelayPage::PageEntries() const
{
    const size_t first = m_page * kPerPage;
    if (first >= m_entries.size())
        return {};
    const size_t last = std::min(m_entries.size(), first + kPerPage);
    return {m_entries.begin() + static_cast<ptrdiff_t>(first),
            m_entries.begin() + static_cast<ptrdiff_t>(last)};
}

int KeyDelayPage::BarTop(const KeyDelayChartRow& row, uint32_t score)
{
    const int h = row.height;
    const int s = static_cast<int>(std::min(score, kMaxScore));
    if (s <= static_cast<int>(kPassScore))
        return row.top + h / 3 + (2 * h / 3) - (2 * h / 3) * s / 600;
    return row.top + h / 3 - (s - 600) * (h / 3) / 400;
}

KeyDelayChart KeyDelayPage::Layout(int width, int height) const
{
    KeyDelayChart chart;
    const int h = std::max(0, (height - 42) / 2);
    chart.slotWidth = std::max(0, (width - 84) * 2 / 24);
    for (int r = 0; r < 2; ++r) {
        KeyDelayChartRow& row = chart.rows[r];
        row.top = r * (h + KeyDelayChart::kRowGap);
        row.height = h;
        row.badLine = row.top + h / 3;
        row.goodLine = row.top + 2 * h / 3;
        row.baseline = row.top + h;
    }
    const std::vector<KeyDelayScore> entries = PageEntries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].score == 0)
            break;
        const int r = static_cast<int>(i / kPerRow);
        const int j = static_cast<int>(i % kPerRow);
        KeyDelayBar bar;
        bar.row = r;
        bar.entry = entries[i];
        bar.left = KeyDelayChart::kMargin + j * chart.slotWidth + KeyDelayChart::kBarGap;
        bar.right = KeyDelayChart::kMargin + (j + 1) * chart.slotWidth;
        bar.bottom = chart.rows[r].baseline;
        bar.top = BarTop(chart.rows[r], entries[i].score);
        chart.bars.push_back(bar);
    }
    return chart;
}

std::u16string KeyDelayPage::DifficultCharacters() const
{
    std::u16string out;
    for (const KeyDelayScore& e : m_entries) {
        if (out.size() >= kMaxReviewCharacters)
            break;
        if (e.score > kPassScore)
            out += e.ch;
    }
    return out;
}

ReviewSelection KeyDelayPage::ReviewCharacters(ReviewChoice choice, std::u16string_view typed) const
{
    ReviewSelection sel;
    if (choice == ReviewChoice::DifficultKeys) {
        sel.characters = DifficultCharacters();
        if (sel.characters.size() < kMinDifficult) {
            sel.characters.clear();
            sel.errorKey = u"IDS_ERR_REVIEW_NODIFFCULTCHAR";
        }
        return sel;
    }
    sel.useChosenCharacters = true;
    for (char16_t c : typed) {
        if (sel.characters.size() >= kMaxReviewCharacters)
            break;
        if (c < 0x20 || sel.characters.find(c) != std::u16string::npos)
            continue;
        sel.characters += c;
    }
    if (sel.characters.empty())
        sel.errorKey = u"IDS_ERR_REVIEW_NOCHOOSECHAR";
    return sel;
}

} // namespace kf
