#include "content/sourcewords.h"

#include <iterator>

namespace kf::detail {
namespace {

constexpr const char* kFamilyWords[] = {"us", "international", "european"};

} // namespace

std::vector<std::string_view> SourceWords(std::string_view line)
{
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        size_t j = i;
        while (j < line.size() && line[j] != ' ' && line[j] != '\t')
            ++j;
        if (j > i)
            words.push_back(line.substr(i, j - i));
        i = j;
    }
    return words;
}

std::string_view TrimSource(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::optional<unsigned long> SourceDecimal(std::string_view w, unsigned long max)
{
    if (w.empty() || w.size() > 9)
        return std::nullopt;
    unsigned long v = 0;
    for (char c : w) {
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + static_cast<unsigned long>(c - '0');
    }
    if (v > max)
        return std::nullopt;
    return v;
}

std::optional<uint8_t> ParseFamilyWord(std::string_view w)
{
    for (size_t i = 0; i < std::size(kFamilyWords); ++i) {
        if (w == kFamilyWords[i])
            return static_cast<uint8_t>(i);
    }
    if (auto n = SourceDecimal(w, 255))
        return static_cast<uint8_t>(*n);
    return std::nullopt;
}

std::string FamilyWord(uint8_t family)
{
    return family < std::size(kFamilyWords) ? kFamilyWords[family] : std::to_string(family);
}

} // namespace kf::detail
