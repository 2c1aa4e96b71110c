#pragma once

// INI ("profile") files with the semantics the program's settings files were written for:
// - section and key names are compared without regard to the case of ASCII letters, after
//   trimming blanks; the first matching section and the first matching key in it win;
// - a value is everything after the first "=", with surrounding blanks trimmed and one pair
//   of enclosing double or single quotes removed;
// - a missing file reads as empty and is created by the first write;
// - a write keeps every other line, comment and blank line as it was, byte for byte, and
//   replaces the file atomically (a crash leaves the old or the new file, never half of it);
// - a file starting with FF FE is UTF-16 little-endian and stays so (without the mark a file
//   is never taken for UTF-16); a UTF-8 byte order mark,
//   or content that is valid UTF-8 with multi-byte sequences, means UTF-8; otherwise the
//   file is in the ANSI code page (codepage.h). New files are written in the ANSI code page
//   unless a character needs more, in which case they are written as UTF-16 with its mark.
//
// Paths are stored paths (path.h). Failures to write return false with the last error set.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kf {

// The value of key in section, at most capacity - 1 characters; the default (with trailing
// blanks removed, as the platform did) when the file, section or key is missing or the
// value is empty.
std::u16string GetPrivateProfileString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view defaultValue, size_t capacity,
                                       std::u16string_view file);

// True when the key is present in the section (whatever its value).
bool HasPrivateProfileKey(std::u16string_view section, std::u16string_view key,
                          std::u16string_view file);

// The value read as an integer the way the platform did: leading blanks, an optional sign,
// an optional "0x"/"0o"/"0b" base prefix, then digits up to the first other character; a
// value without digits gives 0; a missing or empty value gives the default. Negative values
// come back as their unsigned 32-bit image (-5 → 4294967291).
uint32_t GetPrivateProfileInt(std::u16string_view section, std::u16string_view key,
                              int32_t defaultValue, std::u16string_view file);

// Writes key=value into the section (created at the end of the file when missing). An
// existing key keeps its place and its spelling.
bool WritePrivateProfileString(std::u16string_view section, std::u16string_view key,
                               std::u16string_view value, std::u16string_view file);

// Removes a key, or a whole section with its keys. Missing ones count as removed.
bool DeletePrivateProfileKey(std::u16string_view section, std::u16string_view key,
                             std::u16string_view file);
bool DeletePrivateProfileSection(std::u16string_view section, std::u16string_view file);

// The names of all sections, in file order (duplicates once).
std::vector<std::u16string> GetPrivateProfileSectionNames(std::u16string_view file);

// The key/value pairs of the first section of that name, in file order.
std::vector<std::pair<std::u16string, std::u16string>>
GetPrivateProfileSection(std::u16string_view section, std::u16string_view file);

// The conversion the platform applies to a value text ("  12abc" → 12, "-5" → 4294967291).
uint32_t ParseProfileInteger(std::u16string_view text, bool* hadDigits = nullptr);

} // namespace kf
