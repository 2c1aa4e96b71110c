#pragma once

// Account names: the login name of a user, which is also the name of the user data file.

#include <string_view>

namespace kf {

// True when the name is not empty and holds none of the characters that cannot stand in a
// file name: backslash, slash, double quote, colon, asterisk, question mark, less-than,
// greater-than and vertical bar. Blanks and letters of any script are fine.
bool IsValidAccountName(std::u16string_view name);

// The longest account name the profile stores (its field holds 32 code units with the NUL).
constexpr size_t kMaxAccountNameLength = 31;

} // namespace kf
