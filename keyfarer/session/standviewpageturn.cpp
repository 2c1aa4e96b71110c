#include "session/standviewpageturn.h"

#include <algorithm>

namespace kf {

void CStandPageTurn::Start(PageTurnEffect effect, int width, int height, uint32_t now)
{
    m_effect = effect;
    m_width = std::max(0, width);
    m_height = std::max(0, height);
    m_extent = effect == PageTurnEffect::Wipe ? m_width : m_height;
    m_offset = 0;
    m_start = now;
    m_running = m_extent > 0;
}

bool CStandPageTurn::Advance(uint32_t now)
{
    if (!m_running)
        return false;
    const uint32_t elapsed = now - m_start; // the tick wraps; the difference does not
    const int64_t steps = elapsed / kMillisecondsPerStep;
    m_offset = static_cast<int>(std::min<int64_t>(m_extent, steps * kPixelsPerStep));
    if (m_offset >= m_extent)
        m_running = false;
    return m_running;
}

PageTurnFrame CStandPageTurn::Frame() const
{
    PageTurnFrame f;
    const int w = m_width, h = m_height, d = m_offset;
    switch (m_effect) {
    case PageTurnEffect::SlideFromTop:
        // The new page comes down over the old one: its bottom d rows at the top.
        f.oldSrc = {0, d, w, h - d};
        f.oldDst = {0, d, w, h - d};
        f.newSrc = {0, h - d, w, d};
        f.newDst = {0, 0, w, d};
        break;
    case PageTurnEffect::PushUp:
        // The old page moves up and out, the new one follows from below.
        f.oldSrc = {0, d, w, h - d};
        f.oldDst = {0, 0, w, h - d};
        f.newSrc = {0, 0, w, d};
        f.newDst = {0, h - d, w, d};
        break;
    case PageTurnEffect::Wipe:
        f.newSrc = {0, 0, d, h};
        f.newDst = {0, 0, d, h};
        f.oldSrc = {d, 0, w - d, h};
        f.oldDst = {d, 0, w - d, h};
        break;
    }
    return f;
}

void CStandKeystrokeQueue::Submit(const TypedKeystroke& key)
{
    if (m_draining || IsBusy() || !m_waiting.empty()) {
        m_waiting.push_back(key);
        return;
    }
    if (m_sink)
        m_sink(key);
}

void CStandKeystrokeQueue::Drain()
{
    if (m_draining)
        return;
    m_draining = true;
    while (!m_waiting.empty() && !IsBusy()) {
        const TypedKeystroke key = m_waiting.front();
        m_waiting.pop_front();
        if (m_sink)
            m_sink(key);
    }
    m_draining = false;
}

} // namespace kf
