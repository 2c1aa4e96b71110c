#pragma once

#include <string>

namespace pw {

/// The text after the last "/" of `path`: the whole text when it has none, empty text for an
/// empty path or one that ends in "/".
std::string GetFileName(const std::string& path);

/// The name of the text file made from `path`: GetFileName(path) up to, not including, its
/// first dot, so "report.final.pdf" gives "report" and a name without a dot is returned whole.
/// Dots that open the name are kept as part of it (".notes.pdf" gives ".notes"), so a hidden
/// file does not turn into a file named only ".txt".
std::string GetBaseName(const std::string& path);

} // namespace pw
