#pragma once

#include <string>
#include <vector>

namespace pw::test {

/// A small valid PDF with one page per text (Helvetica, one line each), written by hand so
/// that tests and benchmarks need no PDF library. Texts must be plain ASCII without
/// parentheses or backslashes.
std::string MakePdf(const std::vector<std::string>& pages);

/// Writes MakePdf(pages) to `path`; false when it cannot.
bool WritePdf(const std::string& path, const std::vector<std::string>& pages);

} // namespace pw::test
