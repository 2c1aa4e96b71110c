#pragma once

// The settings-file convention on top of the profile functions: reading a missing key writes
// its default into the file, so every settings file fills itself with its defaults on first
// use and can then be edited by hand; the text value "default" stands for the caller's
// default. A file that cannot be written (read-only folder) does not stop reading.

#include <cstdint>
#include <string>
#include <string_view>

namespace kf {

// The value as the platform reads an unsigned integer (a missing key gives the default).
// Whenever the value equals the default (so also when the key was missing), the key is
// written with the default in decimal.
uint32_t ReadProfileNumber(std::u16string_view file, std::u16string_view section,
                           std::u16string_view key, uint32_t defaultValue);

// The key's text, at most capacity - 1 characters. When the key is missing, or its value is
// the word "default" (compared on all characters when capacity is 7 or more, else on the
// first capacity - 1), the caller's default is written to the file and returned.
std::u16string ReadProfileText(std::u16string_view file, std::u16string_view section,
                               std::u16string_view key, std::u16string_view defaultValue,
                               size_t capacity);

bool WriteProfileText(std::u16string_view file, std::u16string_view section,
                      std::u16string_view key, std::u16string_view text);
// Writes the number in decimal ("%d": a value above 2^31 - 1 is written negative, as the
// platform's signed formatting did).
bool WriteProfileNumber(std::u16string_view file, std::u16string_view section,
                        std::u16string_view key, int32_t number);

} // namespace kf
