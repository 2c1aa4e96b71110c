#include "skin/ui/anibutton.h"

#include "skin/ui/skinpixmaps.h"

#include <QKeyEvent>
#include <QPainter>

namespace kf {

CAniButton::CAniButton(const CControlAspect* look, const QString& text, QWidget* parent)
    : QAbstractButton(parent), m_look(look)
{
    setText(text);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    m_timer.setInterval(kFrameMs);
    connect(&m_timer, &QTimer::timeout, this, &CAniButton::Step);
    if (m_look)
        setFont(LookQFont(*m_look, LookFont::Button));
}

void CAniButton::SetDefault(bool on)
{
    m_default = on;
    update();
}

int CAniButton::CurrentFrame() const
{
    if (!isEnabled())
        return kButtonDisabled;
    if (isDown())
        return kButtonPressed;
    if (m_hover > 0)
        return kButtonHoverFirst + m_hover - 1;
    return m_default || hasFocus() ? kButtonDefault : 0;
}

QSize CAniButton::sizeHint() const
{
    const QFontMetrics fm(font());
    return QSize(std::max(88, fm.horizontalAdvance(text()) + 32), std::max(30, fm.height() + 12));
}

void CAniButton::enterEvent(QEnterEvent* event)
{
    m_inside = true;
    if (isEnabled()) {
        emit hovered();
        m_timer.start();
    }
    QAbstractButton::enterEvent(event);
}

void CAniButton::leaveEvent(QEvent* event)
{
    m_inside = false;
    m_timer.start();
    QAbstractButton::leaveEvent(event);
}

void CAniButton::Step()
{
    m_hover += m_inside ? 1 : -1;
    if (m_hover >= kButtonHoverCount || m_hover <= 0) {
        m_hover = std::clamp(m_hover, 0, kButtonHoverCount);
        m_timer.stop();
    }
    update();
}

void CAniButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void CAniButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int frame = CurrentFrame();
    const QPixmap frames = m_look ? SkinPixmap(*m_look, skinbmp::kButton) : QPixmap();
    if (!frames.isNull()) {
        const int h = frames.height() / kButtonFrames;
        DrawNineSlice(p, frames, QRect(0, frame * h, frames.width(), h), rect(),
                      m_look->ButtonEdge(), h / 2 - 1, m_look->ButtonEdge(), h / 2 - 1);
    } else {
        p.fillRect(rect(), palette().button());
    }
    const QColor text = !m_look       ? palette().buttonText().color()
                        : isEnabled() ? LookQColor(*m_look, LookColor::ControlText)
                                      : LookQColor(*m_look, LookColor::DisabledText);
    p.setPen(text);
    p.setFont(font());
    p.drawText(rect().translated(0, isDown() ? 1 : 0), Qt::AlignCenter | Qt::TextShowMnemonic,
               this->text());
}

} // namespace kf
