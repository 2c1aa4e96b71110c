#pragma once

// UTF-8 <-> UTF-16 conversion and the ASCII case rules the program's keys and names use.
// The system's texts are 16-bit (UTF-16) in memory and in its own files; the file system and
// the terminal speak UTF-8.

#include <string>
#include <string_view>

namespace kf {

// Converts UTF-16 to UTF-8. Unpaired surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view text);

// Converts UTF-8 to UTF-16. Invalid or truncated sequences become U+FFFD, one per bad byte.
std::u16string FromUtf8(std::string_view text);

// ASCII-only case folding, as used for keys, section names and file names.
char16_t ToLowerAscii(char16_t c);
char16_t ToUpperAscii(char16_t c);
std::u16string ToLowerAscii(std::u16string_view text);

// True when both texts are equal ignoring the case of ASCII letters.
bool EqualsNoCase(std::u16string_view a, std::u16string_view b);

// Position of the first occurrence of needle in hay at or after from, ignoring the case of
// ASCII letters; npos when none. An empty needle is found at from.
size_t FindNoCase(std::u16string_view hay, std::u16string_view needle, size_t from = 0);

// True for space and tab, the blanks of the program's text formats.
inline bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// The text with leading and trailing blanks (space, tab) removed.
std::u16string_view TrimBlanks(std::u16string_view text);

// The text up to (not including) its first NUL; fixed-size 16-bit text fields end there.
std::u16string_view UpToNul(std::u16string_view text);

} // namespace kf
