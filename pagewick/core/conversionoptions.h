#pragma once

#include <string>

namespace pw {

/// The last-page value that converts to the document's end.
inline constexpr const char* kAllPages = "ALL PAGES";

/// The four conversion options as the option grid holds them, read for every file of a run.
struct ConversionOptions
{
    std::string firstPage = "1";
    std::string lastPage = kAllPages;
    std::string pageBreaks = "YES"; ///< "YES" or "NO"
    std::string password = " ";     ///< blank means no password
};

} // namespace pw
