#include "skin/ui/ownerdrawdialog.h"

#include "skin/ui/skinpixmaps.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace kf {

COwnerDrawDialog::COwnerDrawDialog(const CControlAspect* look, TextLookup texts, QWidget* parent)
    : CTavroBaseDialog(look, std::move(texts), parent), m_caption(look)
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAutoFillBackground(false);
    setMouseTracking(true);
    UpdateMargins();
}

void COwnerDrawDialog::SetCloseButtonVisible(bool visible)
{
    m_closeVisible = visible;
    update();
}

void COwnerDrawDialog::SetContentPadding(int padding)
{
    m_padding = padding;
    UpdateMargins();
}

void COwnerDrawDialog::UpdateMargins()
{
    const QMargins frame = m_caption.FrameMargins();
    setContentsMargins(frame.left() + m_padding, frame.top() + m_padding - 2,
                       frame.right() + m_padding, frame.bottom() + m_padding - 2);
}

void COwnerDrawDialog::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    m_caption.Paint(p, size(), windowTitle(), isActiveWindow() || !windowHandle(), m_closeVisible,
                    m_closeState, windowIcon().pixmap(18, 18));
}

void COwnerDrawDialog::resizeEvent(QResizeEvent* event)
{
    CTavroBaseDialog::resizeEvent(event);
    if (!Look())
        return;
    if (auto shape = Look()->DialogShape().WindowRegion(width(), height())) {
        m_shape = ToQRegion(*shape);
        setMask(m_shape);
    } else {
        m_shape = QRegion();
        clearMask();
    }
}

void COwnerDrawDialog::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && m_closeVisible &&
        m_caption.CloseButtonRect(size()).contains(at)) {
        m_closeState = COwnerDrawCaption::ButtonState::Pressed;
        update();
        return;
    }
    if (event->button() == Qt::LeftButton && m_caption.CaptionRect(size()).contains(at)) {
        // The window manager moves the window when it can; otherwise we follow the mouse.
        if (windowHandle() && windowHandle()->startSystemMove())
            return;
        m_dragging = true;
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
        return;
    }
    CTavroBaseDialog::mousePressEvent(event);
}

void COwnerDrawDialog::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging) {
        move(event->globalPosition().toPoint() - m_dragOffset);
        return;
    }
    const bool over =
        m_closeVisible && m_caption.CloseButtonRect(size()).contains(event->position().toPoint());
    const auto state = m_closeState == COwnerDrawCaption::ButtonState::Pressed && over
                           ? COwnerDrawCaption::ButtonState::Pressed
                       : over ? COwnerDrawCaption::ButtonState::Hover
                              : COwnerDrawCaption::ButtonState::Normal;
    if (state != m_closeState) {
        m_closeState = state;
        update(m_caption.CloseButtonRect(size()));
    }
    CTavroBaseDialog::mouseMoveEvent(event);
}

void COwnerDrawDialog::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragging = false;
    if (event->button() == Qt::LeftButton &&
        m_closeState == COwnerDrawCaption::ButtonState::Pressed) {
        m_closeState = COwnerDrawCaption::ButtonState::Normal;
        update();
        if (m_caption.CloseButtonRect(size()).contains(event->position().toPoint()))
            reject();
        return;
    }
    CTavroBaseDialog::mouseReleaseEvent(event);
}

void COwnerDrawDialog::leaveEvent(QEvent* event)
{
    if (m_closeState != COwnerDrawCaption::ButtonState::Normal) {
        m_closeState = COwnerDrawCaption::ButtonState::Normal;
        update();
    }
    CTavroBaseDialog::leaveEvent(event);
}

void COwnerDrawDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange || event->type() == QEvent::WindowTitleChange)
        update();
    CTavroBaseDialog::changeEvent(event);
}

} // namespace kf
