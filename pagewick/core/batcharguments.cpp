#include "core/batcharguments.h"

namespace pw {

const char* const kBatchUsage =
    "usage: pagewick --batch --output DIR [--first N] [--last N|ALL] [--no-page-breaks]\n"
    "                [--password PW] PATH...\n"
    "Converts every PATH to text with pdftotext; a folder is searched for PDF files, its\n"
    "subfolders included. Prints 'ok INPUT -> OUTPUT' or 'failed INPUT: REASON' per file.\n"
    "Exit status: 0 when every file was converted, 1 when one failed or none was found,\n"
    "2 for wrong arguments.\n";

namespace {

bool IsPageNumber(const std::string& text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

} // namespace

bool ParseBatchArguments(const std::vector<std::string>& arguments, BatchArguments& parsed,
                         std::string& error)
{
    parsed = BatchArguments();
    bool outputGiven = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            parsed.paths.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            parsed.help = true;
            return true;
        }
        if (arg == "--no-page-breaks") {
            parsed.options.pageBreaks = "NO";
            continue;
        }
        const bool takesValue =
            arg == "--output" || arg == "--first" || arg == "--last" || arg == "--password";
        if (!takesValue) {
            error = "unknown option " + arg;
            return false;
        }
        if (i + 1 >= arguments.size()) {
            error = arg + " needs a value";
            return false;
        }
        const std::string& value = arguments[++i];
        if (arg == "--output") {
            if (value.empty()) {
                error = "--output needs a folder";
                return false;
            }
            parsed.outputFolder = value;
            outputGiven = true;
        } else if (arg == "--first") {
            if (!IsPageNumber(value)) {
                error = "--first needs a page number, not '" + value + "'";
                return false;
            }
            parsed.options.firstPage = value;
        } else if (arg == "--last") {
            if (value == "ALL" || value == "all" || value == kAllPages) {
                parsed.options.lastPage = kAllPages;
            } else if (IsPageNumber(value)) {
                parsed.options.lastPage = value;
            } else {
                error = "--last needs a page number or ALL, not '" + value + "'";
                return false;
            }
        } else {
            parsed.options.password = value;
        }
    }
    if (!outputGiven) {
        error = "--output DIR is missing";
        return false;
    }
    if (parsed.paths.empty()) {
        error = "no PATH to convert";
        return false;
    }
    return true;
}

} // namespace pw
