#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The two settings files of the program folder, plain text in the system's 8-bit character
// set, every line ended by CR LF:
//
//   "setup.ini"    line 1-3  ""             reserved, ignored when read
//                  line 4    "FOLDER"       the output folder
//                  line 5    "2"            the output format (plain text), ignored when read
//   "options.ini"  line 1    0 or 1         the completion reminder: 0 beep, 1 silent
//
// Reading takes one field per line: leading spaces are skipped; a field that starts with a
// double quote runs to the next double quote (to the last one when only spaces follow it, so a
// folder name holding a quote comes back whole); an unquoted field runs to the next comma or
// the line end and loses its trailing spaces. A file that is missing, short or unreadable keeps
// the defaults for what it cannot give. Both files are written beside and renamed into place,
// so a crash leaves the old or the new file, never half of one.

namespace pw {

/// The names of the two files in the program folder.
inline constexpr const char* kSetupFileName = "setup.ini";
inline constexpr const char* kOptionsFileName = "options.ini";

/// No settings file is read beyond this many bytes; the values all sit in its first lines.
inline constexpr std::size_t kSettingsReadLimit = 64 * 1024;

/// Splits `bytes` into lines ended by CR LF, LF or CR; a last line without an end counts.
std::vector<std::string> SplitLines(std::string_view bytes);

/// The one field of `line`, read by the quoted-field rule above.
std::string ReadQuotedField(std::string_view line);

/// The output folder stored in the "setup.ini" at `path`: nothing when the file is missing or
/// has no fourth line; empty text when that line holds an empty field (the caller then keeps
/// the default).
std::optional<std::string> ReadSetupFile(const std::string& path);

/// The bytes of "setup.ini" for `outputFolder`.
std::string SetupFileContents(const std::string& outputFolder);

/// Writes "setup.ini" for `outputFolder`. Returns false, writing nothing, when the folder name
/// holds a line break or NUL (it could not be read back) or the file cannot be written.
bool WriteSetupFile(const std::string& path, const std::string& outputFolder);

/// The reminder choice stored in the "options.ini" at `path`: its first field's leading number
/// (an empty or non-numeric field gives 0). Nothing when the file is missing; 0 when the number
/// is neither 0 nor 1, since the settings window offers only those two.
std::optional<int> ReadOptionsFile(const std::string& path);

/// The bytes of "options.ini" for `reminderIndex`.
std::string OptionsFileContents(int reminderIndex);

/// Writes "options.ini"; false when it cannot.
bool WriteOptionsFile(const std::string& path, int reminderIndex);

} // namespace pw
