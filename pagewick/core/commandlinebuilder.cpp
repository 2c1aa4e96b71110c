#include "core/commandlinebuilder.h"

#include "core/getfile.h"
#include "platform/commandlinesplitter.h"

namespace pw {

namespace {

std::string TrimSpaces(const std::string& text, const char* blanks = " ")
{
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string PathArgument(const std::string& path)
{
    return AlwaysQuoteArgument(!path.empty() && path.front() == '-' ? "./" + path : path);
}

std::string PasswordArgument(const std::string& password)
{
    const std::string core = TrimSpaces(password, " \t");
    if (core.find_first_of(" \t\"") == std::string::npos)
        return password; // its surrounding blanks fall away when the line is split
    return AlwaysQuoteArgument(core);
}

} // namespace

std::string ConverterPath(const std::string& programFolder)
{
    return WithTrailingSlash(programFolder) + "data/pdftotext";
}

std::string WithTrailingSlash(const std::string& folder)
{
    if (!folder.empty() && folder.back() == '/')
        return folder;
    return folder + "/";
}

std::string OutputPathFor(const std::string& input, const std::string& outputFolder)
{
    return WithTrailingSlash(outputFolder) + GetBaseName(input) + ".txt";
}

bool HasPassword(const std::string& password)
{
    return !TrimSpaces(password, " \t").empty();
}

std::string BuildCommandLine(const std::string& programFolder, const std::string& input,
                             const std::string& outputFolder, const ConversionOptions& options)
{
    std::string line = ConverterPath(programFolder) + " ";
    line += PathArgument(input) + " ";
    line += PathArgument(OutputPathFor(input, outputFolder)) + " ";
    line += "-f " + options.firstPage + " ";
    if (options.lastPage != kAllPages)
        line += "-l " + options.lastPage + " ";
    if (HasPassword(options.password))
        line += "-opw " + PasswordArgument(options.password) + " ";
    if (options.pageBreaks == "NO")
        line += "-nopgbrk ";
    return line;
}

} // namespace pw
