#include "core/settingsfiles.h"

#include "platform/filesystem.h"

#include <algorithm>

namespace pw {

std::vector<std::string> SplitLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines.emplace_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.emplace_back(bytes.substr(start));
    return lines;
}

std::string ReadQuotedField(std::string_view line)
{
    const auto first = line.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::string();
    line.remove_prefix(first);
    if (line.front() == '"') {
        auto close = line.find('"', 1);
        const auto last = line.find_last_not_of(' ');
        if (close != std::string_view::npos && line[last] == '"' && last > close)
            close = last;
        if (close == std::string_view::npos)
            return std::string(line.substr(1));
        return std::string(line.substr(1, close - 1));
    }
    const auto comma = line.find(',');
    std::string_view field = line.substr(0, comma);
    const auto end = field.find_last_not_of(' ');
    return std::string(field.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

namespace {

std::optional<std::vector<std::string>> ReadLines(const std::string& path)
{
    std::string bytes;
    // One byte more than the limit tells a file that is cut off from one that just fits.
    if (!ReadFileHead(path, kSettingsReadLimit + 1, bytes))
        return std::nullopt;
    const bool cut = bytes.size() > kSettingsReadLimit;
    bytes.resize(std::min(bytes.size(), kSettingsReadLimit));
    auto lines = SplitLines(bytes);
    // A line the limit cuts off is not read at all.
    if (cut && !lines.empty() && bytes.back() != '\n' && bytes.back() != '\r')
        lines.pop_back();
    return lines;
}

} // namespace

std::optional<std::string> ReadSetupFile(const std::string& path)
{
    const auto lines = ReadLines(path);
    if (!lines || lines->size() < 4)
        return std::nullopt;
    std::string folder = ReadQuotedField((*lines)[3]);
    if (folder.find('\0') != std::string::npos)
        return std::nullopt;
    return folder;
}

std::string SetupFileContents(const std::string& outputFolder)
{
    return "\"\"\r\n\"\"\r\n\"\"\r\n\"" + outputFolder + "\"\r\n\"2\"\r\n";
}

bool WriteSetupFile(const std::string& path, const std::string& outputFolder)
{
    if (outputFolder.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
        return false;
    return WriteFileAtomically(path, SetupFileContents(outputFolder));
}

std::optional<int> ReadOptionsFile(const std::string& path)
{
    const auto lines = ReadLines(path);
    if (!lines)
        return std::nullopt;
    const std::string field = lines->empty() ? std::string() : ReadQuotedField(lines->front());
    // The leading number: an optional sign, then digits; anything else ends it.
    std::size_t i = 0;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-'))
        negative = field[i++] == '-';
    long value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9' && value < 10; ++i)
        value = value * 10 + (field[i] - '0');
    if (negative)
        value = -value;
    return value == 1 ? 1 : 0;
}

std::string OptionsFileContents(int reminderIndex)
{
    return std::to_string(reminderIndex) + "\r\n";
}

bool WriteOptionsFile(const std::string& path, int reminderIndex)
{
    return WriteFileAtomically(path, OptionsFileContents(reminderIndex));
}

} // namespace pw
