#include "contentpath.h"

#include "platform/path.h"

namespace kf {

namespace {
bool IsSeparator(char16_t c)
{
    return c == u'\\' || c == u'/';
}
} // namespace

bool IsContainedRelativePath(std::u16string_view path)
{
    if (path.empty() || IsSeparator(path.front()))
        return false;
    if (path.size() >= 2 && path[1] == u':')
        return false;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = start;
        while (end < path.size() && !IsSeparator(path[end]))
            ++end;
        if (path.substr(start, end - start) == u"..")
            return false;
        start = end + 1;
    }
    return true;
}

bool IsSingleComponent(std::u16string_view name)
{
    if (name.empty() || name == u"." || name == u"..")
        return false;
    for (char16_t c : name) {
        if (IsSeparator(c) || c == 0)
            return false;
    }
    return true;
}

std::u16string DataPath(std::u16string_view dataFolder, std::u16string_view folder,
                        std::u16string_view name)
{
    std::u16string p = dataFolder.empty() ? std::u16string() : WithTrailingSeparator(dataFolder);
    auto append = [&p](std::u16string_view part) {
        while (!part.empty() && IsSeparator(part.front()))
            part.remove_prefix(1);
        if (part.empty())
            return;
        if (!p.empty() && !IsSeparator(p.back()))
            p += u'\\';
        p += part;
    };
    append(folder);
    append(name);
    return p;
}

} // namespace kf
