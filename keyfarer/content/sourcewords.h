#pragma once

// The word rules shared by the readable sources of layouts and finger files (layoutsource.h,
// fingersource.h): lines of words separated by blanks, decimal numbers, family words.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kf::detail {

// The words of a line, split at spaces and tabs.
std::vector<std::string_view> SourceWords(std::string_view line);
// The text without leading and trailing spaces, tabs and a trailing carriage return.
std::string_view TrimSource(std::string_view s);
// A decimal number of at most 9 digits not above max; nullopt for anything else.
std::optional<unsigned long> SourceDecimal(std::string_view w, unsigned long max);

// Finger families: us (0), international (1), european (2), or a number up to 255.
std::optional<uint8_t> ParseFamilyWord(std::string_view w);
// The word of a family, or its number when it has none.
std::string FamilyWord(uint8_t family);

// Calls line(number, text) for each line of source that is neither empty nor a comment (first
// non-blank character "#"), trimmed, after a UTF-8 byte order mark; stops and returns false
// as soon as line does. The number is 1-based.
template <typename F> bool ForEachSourceLine(std::string_view source, F line)
{
    size_t pos = source.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    size_t number = 0;
    while (pos <= source.size()) {
        size_t end = source.find('\n', pos);
        if (end == std::string_view::npos)
            end = source.size();
        ++number;
        const std::string_view text = TrimSource(source.substr(pos, end - pos));
        pos = end + 1;
        if (text.empty() || text.front() == '#')
            continue;
        if (!line(number, text))
            return false;
    }
    return true;
}

} // namespace kf::detail
