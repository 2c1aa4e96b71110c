#include "core/getfile.h"

namespace pw {

std::string GetFileName(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string GetBaseName(const std::string& path)
{
    const std::string name = GetFileName(path);
    const auto start = name.find_first_not_of('.');
    if (start == std::string::npos)
        return name;
    return name.substr(0, name.find('.', start));
}

} // namespace pw
