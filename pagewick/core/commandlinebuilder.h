#pragma once

#include "core/conversionoptions.h"

#include <string>

// The converter's command line for one file:
//
//   PROGRAM/data/pdftotext "INPUT" "OUTPUT/BASE.txt" -f FIRST [-l LAST] [-opw PASSWORD] [-nopgbrk]
//
// with one space after every part (the line ends in one). "-f" is always present, FIRST as it
// stands; "-l" only when LAST is not "ALL PAGES"; "-opw" only when the password is not blank;
// "-nopgbrk" only when page breaks are "NO". The options follow the two file names; no
// encoding, layout or end-of-line option is passed.
//
// Two things keep the line safe, and leave it unchanged for ordinary names. A path that holds a
// double quote or ends in a backslash is escaped inside its quotes so that it splits back to
// exactly itself, and a relative path that starts with "-" gets "./" in front so that it can
// never be read as an option. A password that holds blanks or quotes is quoted as one argument;
// without quotes it would fall apart into pieces and the right password would be refused.

namespace pw {

/// Where the converter lives: `programFolder` followed by "/data/pdftotext".
std::string ConverterPath(const std::string& programFolder);

/// `folder` with one trailing "/" (added when missing).
std::string WithTrailingSlash(const std::string& folder);

/// The text file the converter writes for `input`: the output folder with its trailing "/",
/// the base name of `input`, and ".txt".
std::string OutputPathFor(const std::string& input, const std::string& outputFolder);

/// True when `password` holds something besides spaces and tabs, that is when "-opw" is passed.
bool HasPassword(const std::string& password);

/// The command line that converts `input` into the output folder with `options`.
std::string BuildCommandLine(const std::string& programFolder, const std::string& input,
                             const std::string& outputFolder, const ConversionOptions& options);

} // namespace pw
