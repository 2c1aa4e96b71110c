#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A command line is one text, as the converter's command line has always been. It is split
// into a program and its arguments here, by the rules of the system the text was first written
// for, and then started directly: no shell ever sees it, so nothing in a file name or password
// can run a command.
//
// The program: after leading blanks, a double-quoted program runs to the closing quote. An
// unquoted program runs to the first blank, unless the text up to a later blank names an
// existing program: then the shortest such prefix is taken ("/opt/my tools/pdftotext -f 1"
// starts "/opt/my tools/pdftotext" when "/opt/my" is not a program).
//
// The arguments (the C runtime's rules): blanks (space, tab) separate arguments; double quotes
// group blanks into an argument and can start or stop anywhere inside it; inside quotes a
// doubled quote stands for one quote; 2n backslashes before a quote give n backslashes and the
// quote groups, 2n+1 backslashes before a quote give n backslashes and a literal quote;
// backslashes before anything else are taken literally.

namespace pw {

struct SplitCommand
{
    std::string program;
    std::vector<std::string> arguments;
};

/// Splits `line` into program and arguments. `isProgram` tells whether a candidate program
/// path exists; it decides how an unquoted program with blanks is read. Returns nothing when
/// the line names no program at all (only blanks).
std::optional<SplitCommand> SplitCommandLine(std::string_view line,
                                             const std::function<bool(const std::string&)>& isProgram);

/// Splits the argument part of a command line by the C runtime's rules.
std::vector<std::string> SplitArguments(std::string_view text);

/// The text that `SplitArguments` reads back as exactly `argument`: unchanged when it is not
/// empty and holds no blank or quote, else enclosed in double quotes with every quote and the
/// backslashes before it escaped.
std::string QuoteArgument(const std::string& argument);

/// `argument` in double quotes, escaped so that `SplitArguments` gives it back exactly (an
/// ordinary path is just enclosed in quotes).
std::string AlwaysQuoteArgument(const std::string& argument);

} // namespace pw
