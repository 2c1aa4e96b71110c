#include "platform/commandlinesplitter.h"

namespace pw {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::optional<SplitCommand> SplitCommandLine(std::string_view line,
                                             const std::function<bool(const std::string&)>& isProgram)
{
    std::size_t pos = 0;
    while (pos < line.size() && IsBlank(line[pos]))
        ++pos;
    if (pos == line.size())
        return std::nullopt;

    SplitCommand command;
    std::size_t rest = 0;
    if (line[pos] == '"') {
        const std::size_t close = line.find('"', pos + 1);
        const std::size_t end = close == std::string_view::npos ? line.size() : close;
        command.program = std::string(line.substr(pos + 1, end - pos - 1));
        rest = close == std::string_view::npos ? line.size() : close + 1;
    } else {
        std::size_t end = pos;
        while (end < line.size() && !IsBlank(line[end]))
            ++end;
        std::size_t chosen = end;
        // Try ever longer blank-delimited prefixes until one names a program; fall back to the
        // first token, which then fails to start like any missing program.
        for (std::size_t candidate = end;;) {
            if (isProgram && isProgram(std::string(line.substr(pos, candidate - pos)))) {
                chosen = candidate;
                break;
            }
            if (candidate == line.size())
                break;
            std::size_t next = candidate;
            while (next < line.size() && IsBlank(line[next]))
                ++next;
            if (next == line.size())
                break;
            while (next < line.size() && !IsBlank(line[next]))
                ++next;
            candidate = next;
        }
        command.program = std::string(line.substr(pos, chosen - pos));
        rest = chosen;
    }
    if (command.program.empty())
        return std::nullopt;
    command.arguments = SplitArguments(line.substr(rest));
    return command;
}

std::vector<std::string> SplitArguments(std::string_view text)
{
    std::vector<std::string> arguments;
    std::size_t p = 0;
    const std::size_t n = text.size();
    for (;;) {
        while (p < n && IsBlank(text[p]))
            ++p;
        if (p >= n)
            break;
        std::string arg;
        bool inQuotes = false;
        for (;;) {
            std::size_t slashes = 0;
            while (p < n && text[p] == '\\') {
                ++slashes;
                ++p;
            }
            bool copy = true;
            if (p < n && text[p] == '"') {
                if (slashes % 2 == 0) {
                    if (inQuotes && p + 1 < n && text[p + 1] == '"') {
                        ++p; // a doubled quote inside quotes stands for one quote
                    } else {
                        copy = false;
                        inQuotes = !inQuotes;
                    }
                }
                slashes /= 2;
            }
            arg.append(slashes, '\\');
            if (p >= n || (!inQuotes && IsBlank(text[p])))
                break;
            if (copy)
                arg.push_back(text[p]);
            ++p;
        }
        arguments.push_back(std::move(arg));
    }
    return arguments;
}

std::string AlwaysQuoteArgument(const std::string& argument)
{
    std::string out = "\"";
    std::size_t slashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++slashes;
            continue;
        }
        if (c == '"') {
            out.append(slashes * 2 + 1, '\\');
        } else {
            out.append(slashes, '\\');
        }
        slashes = 0;
        out.push_back(c);
    }
    // Backslashes before the closing quote would escape it: double them.
    out.append(slashes * 2, '\\');
    out.push_back('"');
    return out;
}

std::string QuoteArgument(const std::string& argument)
{
    const bool plain = !argument.empty() && argument.find_first_of(" \t\"") == std::string::npos;
    return plain ? argument : AlwaysQuoteArgument(argument);
}

} // namespace pw

