#include "session/winklevel.h"

#include "session/typingfigures.h"

namespace kf {

bool WinkLevel::Tick(bool programActive)
{
    if (programActive && m_level > 0)
        --m_level;
    return m_level > 0;
}

int WinkLevel::BarWidth(int fullWidth) const
{
    return WinkBarWidth(fullWidth, m_level);
}

} // namespace kf
