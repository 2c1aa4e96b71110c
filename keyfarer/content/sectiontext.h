#pragma once

// The section text reader: INI-style text (sections in brackets, KEY=VALUE lines) held in
// memory, as course, layout, slide and template files reach the program through the data
// supplier. It follows its own rules, not those of the profile functions:
// - a section header counts only when its line holds nothing but blanks, one "[", the name
//   and one "]"; the section's content runs to the next line whose first non-blank is "[";
// - a key counts only when only blanks stand before it on its line and between it and "=";
//   so looking up "Key1" passes over an earlier "Key10";
// - a key missing from a section is searched for in later sections of the same name;
// - the value is everything after the "=" up to the line end, untrimmed.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/bytes.h"

namespace kf {

class SectionText
{
public:
    SectionText() = default;

    // Attaches UTF-16 little-endian bytes; a leading byte order mark FF FE is skipped when
    // the block is longer than 2 bytes. The reader always keeps its own copy.
    void Attach(ByteSpan utf16Bytes);
    // Attaches text that is already decoded (no mark expected, but one is skipped).
    void AttachText(std::u16string_view text);

    const std::u16string& Text() const { return m_text; }

    // The value of key in section, or nullopt-like false. Exposed for callers that need to
    // tell a missing key from an empty value.
    bool Find(std::u16string_view section, std::u16string_view key, std::u16string_view& value) const;

    // Copies at most capacity - 1 characters of the value into out and returns the number
    // copied; a missing key copies the default and returns 0 (so does an empty value).
    size_t ReadText(std::u16string_view section, std::u16string_view key,
                    std::u16string_view defaultValue, size_t capacity, std::u16string& out) const;
    // Convenience: the text ReadText would give.
    std::u16string Text(std::u16string_view section, std::u16string_view key,
                        std::u16string_view defaultValue, size_t capacity) const;

    // The value read as text into 64 characters and converted as a signed decimal number
    // (leading blanks skipped, stops at the first non-digit); the default when nothing was
    // read.
    int32_t ReadNumber(std::u16string_view section, std::u16string_view key, int32_t defaultValue) const;

private:
    // Start of the content of the next matching section header at or after from; npos.
    size_t FindSectionFrom(std::u16string_view section, size_t from, size_t& contentEnd) const;

    std::u16string m_text;
};

// The decimal conversion the section reader and the course parser use: leading blanks,
// an optional sign, digits up to the first other character; 0 without digits.
int32_t ParseDecimal(std::u16string_view text);

} // namespace kf
