#include "keyboard/ui/handsview.h"

#include "skin/typingaspect.h"
#include "skin/ui/skinpixmaps.h"

#include <QPainter>

namespace kf {

CHandsView::CHandsView(const CTypingAspect* look, QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    SetLook(look);
}

void CHandsView::SetLook(const CTypingAspect* look)
{
    m_look = look;
    updateGeometry();
    update();
}

void CHandsView::SetHint(const FingerHint& hint)
{
    if (hint == m_hint)
        return;
    const QRect old = MarkedSpot();
    m_hint = hint;
    update(old.united(MarkedSpot()).adjusted(-4, -4, 4, 4));
}

QRect CHandsView::MarkedSpot() const
{
    if (!m_look || !m_hint.valid)
        return {};
    const FingerSpot spot = m_look->HandFingerSpot(m_hint.hand, m_hint.finger);
    if (spot.radius <= 0)
        return {};
    return QRect(spot.x - spot.radius, spot.y - spot.radius, 2 * spot.radius, 2 * spot.radius);
}

QSize CHandsView::sizeHint() const
{
    if (!m_look)
        return QSize(360, 170);
    const SkinRect r = m_look->HandsRect();
    return QSize(r.Width(), r.Height());
}

void CHandsView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPixmap hands = m_look ? SkinPixmap(*m_look, skinbmp::kHands) : QPixmap();
    if (!hands.isNull())
        p.drawPixmap(0, 0, hands);
    const QRect spot = MarkedSpot();
    if (spot.isEmpty())
        return;
    const QColor accent = m_look ? LookQColor(*m_look, LookColor::Accent) : QColor(240, 154, 26);
    // A ring around the tip and the tip filled, so the finger reads at a glance.
    p.setPen(QPen(accent.darker(130), 2.5));
    p.setBrush(accent);
    p.drawEllipse(QRectF(spot).adjusted(-1.5, -1.5, 1.5, 1.5));
}

} // namespace kf
