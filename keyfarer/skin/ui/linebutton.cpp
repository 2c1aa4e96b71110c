#include "skin/ui/linebutton.h"

#include "skin/ui/skinpixmaps.h"

#include <QPainter>

namespace kf {

CLineButton::CLineButton(const CControlAspect* look, const QString& text, QWidget* parent)
    : QAbstractButton(parent), m_look(look)
{
    setText(text);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    if (m_look)
        setFont(LookQFont(*m_look, LookFont::Dialog));
}

QSize CLineButton::sizeHint() const
{
    const QFontMetrics fm(font());
    return QSize(fm.horizontalAdvance(text()) + 4, fm.height() + 4);
}

void CLineButton::enterEvent(QEnterEvent* event)
{
    m_hot = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CLineButton::leaveEvent(QEvent* event)
{
    m_hot = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void CLineButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QFont f = font();
    f.setUnderline(m_hot || hasFocus());
    p.setFont(f);
    QColor color = palette().link().color();
    if (m_look)
        color = !isEnabled()        ? LookQColor(*m_look, LookColor::DisabledText)
                : m_hot || isDown() ? LookQColor(*m_look, LookColor::LinkHover)
                                    : LookQColor(*m_look, LookColor::Link);
    p.setPen(color);
    p.drawText(rect().adjusted(2, 0, -2, 0),
               Qt::AlignVCenter | Qt::AlignLeft | Qt::TextShowMnemonic, text());
}

} // namespace kf
