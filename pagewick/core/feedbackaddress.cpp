#include "core/feedbackaddress.h"

#include "core/settingsfiles.h"
#include "platform/filesystem.h"

namespace pw {

std::string ReadFeedbackEndpoint(const std::string& path)
{
    std::string bytes;
    if (!ReadFileHead(path, kSettingsReadLimit, bytes))
        return std::string();
    bool inSection = false;
    for (std::string line : SplitLines(bytes)) {
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos)
            continue;
        line = line.substr(first, line.find_last_not_of(" \t") - first + 1);
        if (line.front() == '[') {
            inSection = line == "[Feedback]";
            continue;
        }
        const auto equals = line.find('=');
        if (!inSection || equals == std::string::npos)
            continue;
        std::string key = line.substr(0, equals);
        key = key.substr(0, key.find_last_not_of(" \t") + 1);
        if (key != "Endpoint")
            continue;
        std::string value = line.substr(equals + 1);
        value.erase(0, value.find_first_not_of(" \t"));
        while (!value.empty() && value.back() == '/')
            value.pop_back();
        const bool web = value.rfind("http://", 0) == 0 || value.rfind("https://", 0) == 0;
        const bool clean = value.find_first_of(" \t?#\"<>\\") == std::string::npos;
        return web && clean && value.find("://") + 3 < value.size() ? value : std::string();
    }
    return std::string();
}

std::string PercentEncode(std::string_view text)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() * 3);
    for (unsigned char c : text) {
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                                (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' ||
                                c == '~';
        if (unreserved) {
            out.push_back(char(c));
        } else {
            out.push_back('%');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 15]);
        }
    }
    return out;
}

std::string BuildFeedbackAddress(const std::string& endpoint, const std::string& name,
                                 const std::string& email, const std::string& comment)
{
    return endpoint + "/suggest/post.php?name=" + PercentEncode(name) + "&age=" +
           PercentEncode(email) + "&comment=(Pagewick)" + PercentEncode(comment);
}

} // namespace pw
