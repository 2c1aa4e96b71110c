#include "session/practicetextgenerator.h"

#include "session/lessonsentences.h"

#include "platform/utf.h"

#include <algorithm>
#include <array>

namespace kf {
namespace {

// Limits of the word pool of MakeWordText.
constexpr size_t kMaxPoolCharacters = 16383;
constexpr size_t kMaxPoolEntries = 10000;
// Characters gathered for a key drill.
constexpr size_t kMaxDrillCharacters = 1024;
// Finger groups: fingers 0 to 15 of the left hand, then the same shifted by 5 for the right
// hand, so that fingers 0 to 4 give the ten groups of both hands in order.
constexpr size_t kFingerGroups = 16 + 5;

bool IsSeparator(char16_t c) { return c == u' ' || c == u'\r' || c == u'\n' || c == u'\t'; }

void AppendCut(std::u16string& out, std::u16string_view part, size_t count)
{
    if (out.size() < count)
        out.append(part.substr(0, count - out.size()));
}

void UpperFirst(std::u16string& group)
{
    if (!group.empty())
        group[0] = UpperCaseOf(group[0]);
}

void UpperAll(std::u16string& group)
{
    for (auto& c : group)
        c = UpperCaseOf(c);
}

} // namespace

GroupShape GroupShape::FromLesson(int wordSize, int wordRepeat, int generateType)
{
    GroupShape s;
    s.wordSize = std::clamp(wordSize, 0, 6);
    s.wordRepeat = std::clamp(wordRepeat, 0, 6);
    s.generateType = std::clamp(generateType, 0, 2);
    return s;
}

bool IsPracticeCharacter(char16_t c)
{
    return c != 0 && c != u'\b' && c != u'\t';
}

bool IsGluedPunctuation(char16_t c)
{
    switch (c) {
    case u'!': case u'"': case u'%': case u'&': case u'\'': case u',': case u'.': case u':':
    case u';': case u'<': case u'>': case u'?': case u'[': case u']': case u'{': case u'}':
        return true;
    default:
        return false;
    }
}

char16_t UpperCaseOf(char16_t c)
{
    if (c >= u'a' && c <= u'z')
        return static_cast<char16_t>(c - 0x20);
    if (c < 0xE0)
        return c;
    // Latin-1: à to þ without the division sign; ÿ.
    if (c <= 0xFE)
        return c == 0xF7 ? c : static_cast<char16_t>(c - 0x20);
    if (c == 0xFF)
        return 0x178;
    // Latin Extended-A: pairs of capital and small letter, with the odd runs.
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F)
            return c; // dotless i, kra, n preceded by apostrophe, long s
        const bool oddRun = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        const bool small = oddRun ? (c % 2 == 0) : (c % 2 == 1);
        return small ? static_cast<char16_t>(c - 1) : c;
    }
    // Greek small letters (final sigma becomes sigma).
    if (c >= 0x3B1 && c <= 0x3C9)
        return c == 0x3C2 ? char16_t{0x3A3} : static_cast<char16_t>(c - 0x20);
    // Cyrillic small letters.
    if (c >= 0x430 && c <= 0x44F)
        return static_cast<char16_t>(c - 0x20);
    if (c >= 0x450 && c <= 0x45F)
        return static_cast<char16_t>(c - 0x50);
    return c;
}

size_t LessonSize(int contentSize, size_t requested)
{
    switch (contentSize) {
    case 0:
        return 128;
    case 1:
        return 512;
    case 2:
        return 1024;
    default:
        return std::min(requested, kMaxSampleLength);
    }
}

size_t LessonSizeFromOption(uint32_t generateSize)
{
    if (generateSize <= 2)
        return LessonSize(static_cast<int>(generateSize), 0);
    if (generateSize < 64)
        return 64;
    return std::min<size_t>(generateSize, kMaxSampleLength);
}

size_t ReviewSizeFromOption(uint32_t generateSize)
{
    if (generateSize <= 2)
        return LessonSize(static_cast<int>(generateSize), 0);
    if (generateSize < 20)
        return 20;
    return std::min<size_t>(generateSize, kMaxSampleLength);
}

bool PracticeTextGenerator::MakeKeyGroups(const std::vector<PracticeKey>& keys, size_t count,
                                          bool keypad, bool capitals, const GroupShape& shape,
                                          std::u16string& out)
{
    out.clear();
    std::u16string chars;
    for (const auto& key : keys) {
        if (key.Kind() == PracticeKey::kModifierKey || !IsPracticeCharacter(key.plain))
            continue;
        if (!keypad || chars.find(key.plain) == std::u16string::npos)
            chars += key.plain;
        if (capitals && key.Kind() == PracticeKey::kOrdinaryKey && IsPracticeCharacter(key.shifted))
            chars += key.shifted;
    }
    if (chars.empty() || count == 0)
        return !chars.empty();
    const size_t n = chars.size();
    const char16_t separator = keypad ? u'\r' : u' ';

    int repeat = shape.wordRepeat != 0 ? shape.wordRepeat : 1 + Below(3);
    int size = shape.wordSize != 0 ? shape.wordSize : 2 + Below(3);
    size_t walk = shape.generateType == 1 ? static_cast<size_t>(Below(n)) : 0;
    const auto build = [&] {
        std::u16string group;
        for (int i = 0; i < size; ++i) {
            if (shape.generateType == 2) {
                group += chars[static_cast<size_t>(Below(n))];
            } else {
                group += chars[walk];
                walk = (walk + 1) % n;
            }
        }
        return group;
    };

    std::u16string group = build();
    size_t emitted = 0;
    int sinceNew = 0;
    while (out.size() < count) {
        AppendCut(out, group, count);
        AppendCut(out, std::u16string_view(&separator, 1), count);
        ++emitted;
        if (++sinceNew < repeat)
            continue;
        sinceNew = 0;
        if (shape.wordSize == 0)
            size = 2 + Below(3);
        if (shape.generateType == 1)
            walk = static_cast<size_t>(Below(n));
        group = build();
        if (capitals) {
            if (emitted % 3 == 1)
                UpperFirst(group);
            else if (emitted % 3 == 2)
                UpperAll(group);
        }
        if (shape.wordRepeat == 0)
            repeat = 1 + Below(3);
    }
    return true;
}

bool PracticeTextGenerator::MakeFingerGroups(const std::vector<PracticeKey>& keys, size_t count,
                                             bool keypad, const GroupShape& shape,
                                             std::u16string& out)
{
    out.clear();
    std::array<std::u16string, kFingerGroups> byFinger;
    for (const auto& key : keys) {
        if (key.Kind() == PracticeKey::kModifierKey || !IsPracticeCharacter(key.plain))
            continue;
        const size_t group = static_cast<size_t>(key.Finger()) + (!keypad && key.Hand() == 0 ? 5 : 0);
        if (byFinger[group].find(key.plain) == std::u16string::npos)
            byFinger[group] += key.plain;
    }
    std::vector<const std::u16string*> groups;
    for (const auto& g : byFinger)
        if (!g.empty())
            groups.push_back(&g);
    if (groups.empty())
        return false;
    const char16_t separator = keypad ? u'\r' : u' ';

    size_t current = static_cast<size_t>(Below(groups.size()));
    int size = 0;
    int repeat = 0;
    size_t walk = 0;
    const auto choose = [&] {
        size = shape.wordSize != 0 ? shape.wordSize : 2 + Below(3);
        repeat = shape.wordRepeat != 0 ? shape.wordRepeat : 2 + Below(2);
        const std::u16string& g = *groups[current];
        if (g.size() == 1) {
            repeat = 1;
            size = 3;
        }
        walk = shape.generateType == 1 ? static_cast<size_t>(Below(g.size())) : 0;
    };
    const auto build = [&] {
        const std::u16string& g = *groups[current];
        std::u16string word;
        for (int i = 0; i < size; ++i) {
            if (shape.generateType == 2) {
                word += g[static_cast<size_t>(Below(g.size()))];
            } else {
                word += g[walk];
                walk = (walk + 1) % g.size();
            }
        }
        return word;
    };

    choose();
    std::u16string word = build();
    int sinceNew = 0;
    while (out.size() < count) {
        AppendCut(out, word, count);
        AppendCut(out, std::u16string_view(&separator, 1), count);
        if (++sinceNew < repeat)
            continue;
        sinceNew = 0;
        current = (current + 1) % groups.size();
        choose();
        word = build();
    }
    return true;
}

bool PracticeTextGenerator::MakeWordText(std::u16string_view dictionary,
                                         std::u16string_view allowed, size_t count,
                                         bool addSingles, bool enterAllowed, bool capitals,
                                         bool keypad, bool practiceTypeIs1, std::u16string& out)
{
    out.clear();
    std::array<bool, 0x10000> isAllowed{};
    for (char16_t c : allowed)
        isAllowed[c] = true;

    std::u16string pool;
    std::vector<size_t> entries;
    const auto addEntry = [&](std::u16string_view word) {
        if (entries.size() >= kMaxPoolEntries || pool.size() + word.size() + 1 > kMaxPoolCharacters)
            return;
        entries.push_back(pool.size());
        pool.append(word);
        pool += u' ';
    };
    for (size_t i = 0; i < dictionary.size();) {
        while (i < dictionary.size() && IsSeparator(dictionary[i]))
            ++i;
        size_t end = i;
        while (end < dictionary.size() && !IsSeparator(dictionary[end]))
            ++end;
        const std::u16string_view word = dictionary.substr(i, end - i);
        if (!word.empty() && std::all_of(word.begin(), word.end(), [&](char16_t c) { return isAllowed[c]; }))
            addEntry(word);
        i = end;
    }
    if (addSingles) {
        std::array<bool, 0x10000> inPool{};
        for (char16_t c : pool)
            inPool[c] = true;
        for (char16_t c : allowed) {
            if (inPool[c] || IsSeparator(c) || !IsPracticeCharacter(c))
                continue;
            inPool[c] = true;
            if (IsGluedPunctuation(c))
                addEntry(std::u16string(1, c));
            else
                addEntry(std::u16string(static_cast<size_t>(2 + Below(3)), c));
        }
    }
    if (entries.empty())
        return false;

    const char16_t separator = keypad ? u'\r' : u' ';
    int plainSinceCapital = 0;
    bool lastIsSeparator = false; // the last character is the separator after an entry
    while (out.size() < count) {
        const size_t start = entries[static_cast<size_t>(Below(entries.size()))];
        int m = 0;
        if (capitals) {
            m = static_cast<int>(start % 3);
            if (!practiceTypeIs1 && plainSinceCapital < 2)
                m = 0;
            if (m == 0)
                ++plainSinceCapital;
            else
                plainSinceCapital = 0;
        }
        bool first = true;
        for (size_t i = start; i < pool.size() && pool[i] != u' '; ++i) {
            char16_t c = pool[i];
            if (c == u'\r')
                continue;
            if (m == 2 || (m == 1 && first))
                c = UpperCaseOf(c);
            first = false;
            if (IsGluedPunctuation(c) && lastIsSeparator)
                out.back() = c;
            else
                out += c;
            lastIsSeparator = false;
        }
        const char16_t last = out.empty() ? 0 : out.back();
        if (last != u' ' && last != u'\r' && last != u'\b') {
            out += separator;
            lastIsSeparator = true;
        }
        if (enterAllowed && !out.empty() && out.back() == u' ' && Below(3) == 0)
            out.back() = u'\r';
    }
    out.resize(count);
    return true;
}

bool PracticeTextGenerator::MakeSentenceText(std::u16string_view body,
                                             const std::vector<int16_t>& rowIndexes, size_t size,
                                             std::u16string& out)
{
    out.clear();
    const std::u16string_view text = UpToNul(body);
    const std::vector<size_t> starts = SentenceStarts(text);
    const size_t sentences = starts.size();
    if (sentences < 2)
        return false;
    // Only a sentence after a final line break starts at the end of the body and holds
    // nothing; a pass made of it alone would never fill the text.
    const size_t withText = starts.back() < text.size() ? sentences : sentences - 1;

    std::vector<size_t> list;
    for (int16_t n : rowIndexes)
        if (n >= 0 && static_cast<size_t>(n) < withText)
            list.push_back(static_cast<size_t>(n));
    const bool random = list.empty();
    if (random)
        list.push_back(0);

    size_t pos = 1;
    while (out.size() < size) {
        if (pos >= list.size()) {
            if (list.size() > 3) {
                for (int i = 0; i < 100; ++i)
                    std::swap(list[static_cast<size_t>(Below(list.size()))],
                              list[static_cast<size_t>(Below(list.size()))]);
            }
            if (random)
                list[0] = static_cast<size_t>(Below(withText));
            pos = 0;
        }
        for (size_t i = starts[list[pos]]; i < text.size() && out.size() < size; ++i) {
            const char16_t c = text[i];
            // Samples end their lines with a carriage return, the character Enter types.
            out += c == u'\n' ? u'\r' : c;
            if (c == u'\r' || c == u'\n')
                break;
        }
        ++pos;
    }
    return true;
}

bool PracticeTextGenerator::MakeKeyDrillText(std::u16string_view trainChars,
                                             std::u16string_view cumulativeChars, size_t size,
                                             bool practiceTypeIs1, std::u16string& out)
{
    out.clear();
    trainChars = trainChars.substr(0, kMaxDrillCharacters);
    cumulativeChars = cumulativeChars.substr(0, kMaxDrillCharacters);
    if (trainChars.empty())
        return false;
    if (cumulativeChars.empty())
        cumulativeChars = trainChars;
    size = std::min(size, kMaxSampleLength);
    const size_t e = size / 4;
    for (int i = 0; i < 100; ++i)
        m_random.Next();
    const auto cyclic = [&](size_t n) {
        for (size_t i = 0; i < n; ++i)
            out += trainChars[i % trainChars.size()];
    };
    const auto drawn = [&](std::u16string_view from, size_t n) {
        for (size_t i = 0; i < n; ++i)
            out += from[static_cast<size_t>(Below(from.size()))];
    };
    if (practiceTypeIs1) {
        drawn(trainChars, 2 * e);
        drawn(cumulativeChars, 2 * e);
    } else {
        cyclic(2 * e);
        drawn(trainChars, e);
        drawn(cumulativeChars, e);
    }
    out.append(size - 4 * e, u' ');
    return true;
}

bool PracticeTextGenerator::MakeRandomText(std::u16string_view chars, size_t count,
                                           std::u16string& out)
{
    out.clear();
    if (chars.empty())
        return false;
    for (size_t i = 0; i < count; ++i)
        out += chars[static_cast<size_t>(Below(chars.size()))];
    return true;
}

} // namespace kf
