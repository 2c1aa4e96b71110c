#pragma once

// CResString: the interface texts of the program, loaded from "SysDat/StringRes.txt".
//
// The file is any number of free lines, then a line "[String]" exactly (ASCII case ignored),
// then one KEY=VALUE entry per line. A line longer than 519 characters is cut into pieces of
// 519 that count as lines of their own. "\n" and "\N" in a line become CR LF; other
// backslashes stay. A line whose first character after blanks and "=" signs is an
// apostrophe is a comment. A key runs to the first "=" with trailing blanks cut; the value is
// everything after that "=", untouched. Lookups ignore ASCII case and the first entry wins.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kf {

class CResString
{
public:
    CResString() = default;
    virtual ~CResString() = default;

    // Reads and parses the file; true without doing anything when path is null (empty),
    // false when the file is missing, unreadable or empty.
    bool LoadStringFile(std::u16string_view path);
    bool LoadStringFile(const char16_t* path) { return path ? LoadStringFile(std::u16string_view(path)) : true; }

    // Parses text of sizeBytes bytes (2 per character). False for a null or empty text or
    // when nothing is left after the header lines; true otherwise, also when the string
    // section is empty (then Loaded() is false).
    bool ParseStringText(const char16_t* text, uint32_t sizeBytes);

    // The value of key (true), or the default (false).
    bool LookupString(std::u16string& out, std::u16string_view key, std::u16string_view defaultText = {}) const;
    // Convenience: the value or the default.
    std::u16string Get(std::u16string_view key, std::u16string_view defaultText = {}) const;

    void Clear();
    bool Loaded() const { return m_loaded; }
    uint32_t SizeBytes() const { return m_size; }

    // The texts of pattern formatted with every index from first to last (inclusive), in
    // index order, without defaults: the entries of a list of numbered choices.
    std::vector<std::u16string> NumberedTexts(std::u16string_view pattern, int first, int last) const;

private:
    bool m_loaded = false;
    std::u16string m_lines; // every stored line NUL-terminated, ended by an extra NUL
    uint32_t m_size = 0;
};

// The key pattern formatted with a number ("IDS_WIZARD_2_TARGET_%d", 3 →
// "IDS_WIZARD_2_TARGET_3"); a pattern with "%d%s" takes the suffix too.
std::u16string NumberedKey(std::u16string_view pattern, int number, std::u16string_view suffix = {});

// The messages shown when the string file itself cannot be used (they cannot come from it).
std::u16string StringFileOpenFailedText(std::u16string_view path);
std::u16string StringFileInvalidText(std::u16string_view path);

// The program's string table, set once at start-up; GetResString looks keys up in it.
// Without a table every lookup gives the default.
void SetStringTable(const CResString* table);
const CResString* StringTable();
bool GetResString(std::u16string& out, std::u16string_view key, std::u16string_view defaultText = {});
std::u16string GetResString(std::u16string_view key, std::u16string_view defaultText = {});

} // namespace kf
