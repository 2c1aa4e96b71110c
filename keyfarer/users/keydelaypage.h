#pragma once

// KeyDelayPage: what the key-delay page knows without drawing anything. It rates every
// character of an exercise's key-delay list against the user's pass and full-mark paces,
// keeps the slowest characters in order, pages through them 24 at a time, lays out the bar
// chart in pixels, and, in the review sheet, checks and hands over the characters chosen
// for a review.
//
// Scores run from 0 to 1000: 0 at the full-mark pace or faster, 600 at the pass pace, 1000
// for the slowest character of the list. A character scoring above 600 is difficult.

#include "session/keydelayblock.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kf {

struct KeyDelayScore
{
    char16_t ch = 0;
    uint32_t score = 0;
    friend bool operator==(const KeyDelayScore&, const KeyDelayScore&) = default;
};

// One bar of the chart, in chart pixels; bottom is the row's baseline, right exclusive.
struct KeyDelayBar
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int row = 0; // 0 upper, 1 lower
    KeyDelayScore entry;
};

// One of the two chart rows: its top, height, the y of the two dotted band lines (the pass
// and the full-mark height) and the baseline.
struct KeyDelayChartRow
{
    int top = 0;
    int height = 0;
    int badLine = 0;  // top + h / 3: above it characters are slower than the pass pace
    int goodLine = 0; // top + 2h / 3: below it characters come near the full-mark pace
    int baseline = 0; // top + h
};

struct KeyDelayChart
{
    static constexpr int kMargin = 70; // left margin for the band labels
    static constexpr int kBarGap = 4;  // free pixels at the left of each bar slot
    static constexpr int kLabelHeight = 14;
    static constexpr int kRowGap = 23; // from one row's baseline to the next row's top
    int slotWidth = 0;
    KeyDelayChartRow rows[2];
    std::vector<KeyDelayBar> bars;
};

// What the user chose for a review.
enum class ReviewChoice {
    DifficultKeys = 0,    // the difficult characters of the last result
    ChosenCharacters = 1, // characters typed into the page
};

// The answer of KeyDelayPage::ReviewCharacters: the characters, or the key of the message
// that keeps the page open.
struct ReviewSelection
{
    std::u16string characters;
    bool useChosenCharacters = false;
    std::u16string errorKey; // empty on success
};

class KeyDelayPage
{
public:
    static constexpr size_t kTableSize = 512;
    static constexpr size_t kPerRow = 12;
    static constexpr size_t kPerPage = 2 * kPerRow;
    static constexpr uint32_t kPassScore = 600;
    static constexpr uint32_t kMaxScore = 1000;
    // Difficult characters handed to a review at most, and the length of the chosen text.
    static constexpr size_t kMaxReviewCharacters = 259;
    // The review needs at least this many difficult characters to offer them.
    static constexpr size_t kMinDifficult = 2;

    // The paces in milliseconds per character for speeds in characters per minute. A speed of
    // 0 would leave the pace undefined; it counts as 1 character per minute, the slowest
    // speed there is, so every delay of the list still gets a score.
    static uint32_t PaceOf(uint32_t charactersPerMinute);

    // Scores a key-delay list: every entry up to the first character 0 against the pass
    // speed ("Single_Pass") and the full-mark speed ("Single_Fullmark"), then keeps the
    // entries that scored above 0, highest first. The first page becomes current.
    void Score(const KeyDelayBlock& block, uint32_t singlePass, uint32_t singleFullmark);

    // The scored entries in use, highest first (ties keep the order of the sort below).
    const std::vector<KeyDelayScore>& Entries() const { return m_entries; }
    size_t DifficultCount() const { return m_difficult; }

    size_t PageCount() const { return (m_entries.size() + kPerPage - 1) / kPerPage; }
    size_t CurrentPage() const { return m_page; }
    bool CanGoBack() const { return m_page > 0; }
    bool CanGoForward() const { return PageCount() > 1 && m_page + 1 < PageCount(); }
    // Move one page; false (nothing changed) at either end.
    bool PreviousPage();
    bool NextPage();
    // The entries of the current page (at most 24, the upper row first).
    std::vector<KeyDelayScore> PageEntries() const;

    // The chart of the current page for a chart frame of width × height pixels.
    KeyDelayChart Layout(int width, int height) const;
    // The top of a bar in a row: scores up to 600 fill the lower two thirds of the row in
    // proportion, scores above 600 the upper third.
    static int BarTop(const KeyDelayChartRow& row, uint32_t score);

    // Whether the difficult-keys choice can be offered (at least two difficult characters).
    bool DifficultChoicePossible() const { return m_difficult >= kMinDifficult; }
    // The difficult characters in table order, at most 259.
    std::u16string DifficultCharacters() const;

    // The characters for a review, or the message that keeps the page open:
    // difficult keys with fewer than two of them "IDS_ERR_REVIEW_NODIFFCULTCHAR"; chosen
    // characters with an empty text "IDS_ERR_REVIEW_NOCHOOSECHAR". Typed characters are taken
    // once each, in the order typed, at most 259; line breaks and tabs typed by accident are
    // dropped.
    ReviewSelection ReviewCharacters(ReviewChoice choice, std::u16string_view typed) const;

private:
    std::vector<KeyDelayScore> m_entries;
    size_t m_difficult = 0;
    size_t m_page = 0;
};

} // namespace kf
