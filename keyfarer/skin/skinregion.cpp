#include "skin/skinregion.h"

namespace kf {

bool CSkinRegion::Contains(int x, int y) const
{
    if (!m_base.Contains(x, y))
        return false;
    for (const SkinRect& cut : m_cuts)
        if (cut.Contains(x, y))
            return false;
    return true;
}

} // namespace kf
