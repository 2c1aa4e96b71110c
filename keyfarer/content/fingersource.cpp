#include "content/fingersource.h"

#include "content/sourcewords.h"

#include <vector>

namespace kf {
namespace {

using Pair = FingerAssignment::Pair;

std::optional<Pair> ParseCode(std::string_view w)
{
    if (w.size() == 2 && (w[0] == 'L' || w[0] == 'R') && w[1] >= '0' && w[1] <= '9')
        return Pair{static_cast<uint8_t>(w[0] == 'L' ? hand::Left : hand::Right),
                    static_cast<uint8_t>(w[1] - '0')};
    const size_t colon = w.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    const auto h = detail::SourceDecimal(w.substr(0, colon), 15);
    const auto f = detail::SourceDecimal(w.substr(colon + 1), 15);
    if (!h || !f)
        return std::nullopt;
    return Pair{static_cast<uint8_t>(*h), static_cast<uint8_t>(*f)};
}

std::string CodeText(const Pair& p)
{
    if (p.hand <= 1 && p.finger <= 9)
        return std::string(1, p.hand == hand::Left ? 'L' : 'R') + static_cast<char>('0' + p.finger);
    return std::to_string(p.hand) + ":" + std::to_string(p.finger);
}

std::string CodeList(const std::vector<Pair>& pairs, size_t from, size_t count)
{
    std::string out;
    for (size_t i = from; i < from + count && i < pairs.size(); ++i)
        out += " " + CodeText(pairs[i]);
    return out;
}

} // namespace

bool CompileFingerSource(std::string_view source, FingerSource& out, std::string& error)
{
    std::vector<Pair> main;
    std::vector<Pair> keypad;
    std::array<uint8_t, KeyboardLayoutHeader::kRows> rows{};
    int lastRow = 0;
    bool flatMain = false;
    bool haveKeypad = false;
    std::optional<uint8_t> family;
    unsigned long slots = CKeyboardLayout::kMaxKeySlots;
    bool haveSlots = false;

    const bool ok = detail::ForEachSourceLine(source, [&](size_t number, std::string_view line) {
        auto fail = [&](const std::string& what) {
            error = "line " + std::to_string(number) + ": " + what;
            return false;
        };
        const size_t colon = line.find(':');
        const size_t eq = line.find('=');
        if (eq != std::string_view::npos && (colon == std::string_view::npos || eq < colon)) {
            const std::string_view field = detail::TrimSource(line.substr(0, eq));
            const std::string_view value = detail::TrimSource(line.substr(eq + 1));
            if (field == "family" && !family) {
                family = detail::ParseFamilyWord(value);
                return family ? true
                              : fail("family must be us, international, european or a number");
            }
            if (field == "keyslots" && !haveSlots) {
                const auto n = detail::SourceDecimal(value, CKeyboardLayout::kMaxKeySlots);
                // No key slots would be a file that assigns nothing.
                if (!n || *n == 0)
                    return fail("keyslots must be a number from 1 to 81");
                slots = *n;
                haveSlots = true;
                return true;
            }
            return fail("unknown or repeated field \"" + std::string(field) + "\"");
        }
        if (colon == std::string_view::npos)
            return fail("expected \"row N:\", \"keypad:\", \"main:\" or \"field = value\"");
        const std::vector<std::string_view> head = detail::SourceWords(line.substr(0, colon));
        std::vector<Pair> codes;
        for (std::string_view w : detail::SourceWords(line.substr(colon + 1))) {
            const auto p = ParseCode(w);
            if (!p)
                return fail("\"" + std::string(w) + "\" is not a code like L4, R1 or 1:4");
            codes.push_back(*p);
        }
        if (head.size() == 2 && head[0] == "row") {
            const auto row = detail::SourceDecimal(head[1], KeyboardLayoutHeader::kRows);
            if (!row || static_cast<int>(*row) != lastRow + 1 || flatMain || haveKeypad)
                return fail("rows come 1 to 5 in order, before the keypad, and not with \"main:\"");
            lastRow = static_cast<int>(*row);
            if (codes.size() > 255)
                return fail("more than 255 keys in a row");
            rows[*row - 1] = static_cast<uint8_t>(codes.size());
        } else if (head.size() == 1 && head[0] == "main") {
            if (lastRow != 0 || haveKeypad)
                return fail("\"main:\" stands instead of the rows, before the keypad");
            flatMain = true;
        } else if (head.size() == 1 && head[0] == "keypad") {
            if (haveKeypad)
                return fail("a second keypad");
            haveKeypad = true;
            if (codes.size() > CKeyboardLayout::kKeypadKeys)
                return fail("the keypad has 17 keys");
            keypad = std::move(codes);
            return true;
        } else {
            return fail("expected \"row N:\", \"keypad:\" or \"main:\"");
        }
        main.insert(main.end(), codes.begin(), codes.end());
        if (main.size() > CKeyboardLayout::kMainKeys)
            return fail("more than 64 main keys");
        return true;
    });
    if (!ok)
        return false;
    if (main.empty()) {
        error = "no keys: give \"row 1:\" to \"row 5:\" or \"main:\"";
        return false;
    }
    const size_t keypadCount = keypad.size();
    main.resize(CKeyboardLayout::kMainKeys);
    keypad.resize(CKeyboardLayout::kKeypadKeys);
    main.insert(main.end(), keypad.begin(), keypad.end());
    main.resize(slots);

    FingerSource result;
    result.assignment.SetPairs(std::move(main));
    result.family = family;
    if (!flatMain)
        result.rowCounts = rows;
    result.keypadCount = keypadCount;
    out = std::move(result);
    return true;
}

bool FingerSourceFitsLayout(const FingerSource& source, const CKeyboardLayout& layout,
                            std::string& error)
{
    if (source.assignment.KeySlots() != layout.KeySlots()) {
        error = "it covers " + std::to_string(source.assignment.KeySlots()) +
                " key slots, the layout " + std::to_string(layout.KeySlots());
        return false;
    }
    if (source.rowCounts) {
        for (size_t row = 1; row <= KeyboardLayoutHeader::kRows; ++row) {
            if ((*source.rowCounts)[row - 1] != layout.Header().RowCount(row)) {
                error = "row " + std::to_string(row) + " has " +
                        std::to_string((*source.rowCounts)[row - 1]) + " keys, the layout's " +
                        std::to_string(layout.Header().RowCount(row));
                return false;
            }
        }
        if (source.keypadCount != CKeyboardLayout::kKeypadKeys) {
            error = "the keypad has " + std::to_string(source.keypadCount) + " keys, not 17";
            return false;
        }
    }
    return true;
}

std::string FingerSourceText(const FingerAssignment& fingers, const CKeyboardLayout* layout)
{
    const std::vector<Pair>& pairs = fingers.Pairs();
    std::string out;
    if (layout)
        out += "family = " + detail::FamilyWord(layout->FingerFamily()) + "\n";
    out += "keyslots = " + std::to_string(fingers.KeySlots()) + "\n";
    if (layout && layout->MainKeyCount() <= pairs.size()) {
        size_t start = 0;
        for (size_t row = 1; row <= KeyboardLayoutHeader::kRows; ++row) {
            const size_t n = layout->Header().RowCount(row);
            out += "row " + std::to_string(row) + ":" + CodeList(pairs, start, n) + "\n";
            start += n;
        }
    } else {
        out += "main:" + CodeList(pairs, 0, CKeyboardLayout::kMainKeys) + "\n";
    }
    if (pairs.size() > CKeyboardLayout::kMainKeys)
        out +=
            "keypad:" + CodeList(pairs, CKeyboardLayout::kMainKeys, CKeyboardLayout::kKeypadKeys) +
            "\n";
    return out;
}

} // namespace kf
