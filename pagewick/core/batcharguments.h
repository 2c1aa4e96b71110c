#pragma once

#include "core/conversionoptions.h"

#include <string>
#include <vector>

namespace pw {

/// The usage text of the batch mode.
extern const char* const kBatchUsage;

/// What `pagewick --batch` was asked to do.
struct BatchArguments
{
    bool help = false;
    std::string outputFolder;
    ConversionOptions options;
    std::vector<std::string> paths;
};

/// Reads the batch mode's arguments (those after "--batch"):
///   --output DIR  [--first N] [--last N|ALL] [--no-page-breaks] [--password PW] PATH...
/// "--" ends the options; "--help" asks for the usage. Page numbers are digits only. Returns
/// false with `error` set when the arguments are wrong.
bool ParseBatchArguments(const std::vector<std::string>& arguments, BatchArguments& parsed,
                         std::string& error);

} // namespace pw
