#include "accountname.h"

namespace kf {

bool IsValidAccountName(std::u16string_view name)
{
    if (name.empty())
        return false;
    return name.find_first_of(u"\\/\":*?<>|") == std::u16string_view::npos;
}

} // namespace kf
