#include "skin/ui/kfsliderctrl.h"

#include "skin/ui/skinpixmaps.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QEvent>
#include <QPainter>

namespace kf {

CKFSliderCtrl::CKFSliderCtrl(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_model.Attach(width(), height(), 0);
    m_model.SetRange(0, 100);
}

void CKFSliderCtrl::Attach(int controlId, const CControlAspect* look)
{
    m_controlId = controlId;
    m_look = look;
    m_model.Attach(width(), height(), StripWidth());
    update();
}

int CKFSliderCtrl::StripWidth() const
{
    if (!m_look)
        return 0;
    const CDib* strip = m_look->Bitmap(skinbmp::kSlider);
    return strip ? strip->Width() : 0;
}

void CKFSliderCtrl::SetRange(int minimum, int maximum)
{
    m_model.SetRange(minimum, maximum);
    update();
}

void CKFSliderCtrl::SetPos(int position)
{
    m_model.SetPos(position);
    update();
}

QSize CKFSliderCtrl::sizeHint() const
{
    const CDib* strip = m_look ? m_look->Bitmap(skinbmp::kSlider) : nullptr;
    return QSize(200, strip ? std::max(strip->Height(), 20) : 20);
}

void CKFSliderCtrl::resizeEvent(QResizeEvent*)
{
    m_model.Resize(width(), height());
}

void CKFSliderCtrl::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(event);
}

void CKFSliderCtrl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QColor back =
        m_look ? LookQColor(*m_look, LookColor::DialogBack) : palette().window().color();
    p.fillRect(rect(), back);
    if (!m_look)
        return;
    const QPixmap strip = SkinPixmap(*m_look, skinbmp::kSlider);
    if (strip.isNull())
        return;
    // The attach step recorded the cell; a skin reloaded since may have another strip.
    if (m_model.Cell() != strip.width() / 8)
        m_model.Attach(width(), height(), strip.width());
    for (const auto& piece : m_model.Pieces(strip.width(), strip.height(), m_look->SliderBandTop(),
                                            m_look->SliderBandHeight(), isEnabled())) {
        const QRect target(piece.target.left, piece.target.top, piece.target.Width(),
                           piece.target.Height());
        const QRect source(piece.source.left, piece.source.top, piece.source.Width(),
                           piece.source.Height());
        p.drawPixmap(target, strip, source);
    }
    if (hasFocus()) {
        QPen pen(LookQColor(*m_look, LookColor::ControlBorderHot), 1, Qt::DotLine);
        p.setPen(pen);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void CKFSliderCtrl::Moved(std::optional<int> position)
{
    if (!position)
        return;
    update();
    emit positionChanged(m_controlId, *position);
}

void CKFSliderCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return QWidget::mousePressEvent(event);
    grabMouse();
    Moved(m_model.Press(int(event->position().x())));
}

void CKFSliderCtrl::mouseMoveEvent(QMouseEvent* event)
{
    Moved(m_model.Drag(int(event->position().x())));
}

void CKFSliderCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    m_model.Release();
    releaseMouse();
}

void CKFSliderCtrl::keyPressEvent(QKeyEvent* event)
{
    // The keyboard moves the slider like the mouse does, and notifies the same way.
    const int range = Maximum() - Minimum();
    const int page = std::max(1, range / 10);
    int target = GetPos();
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        target = GetPos() - 1;
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        target = GetPos() + 1;
        break;
    case Qt::Key_PageDown:
        target = GetPos() - page;
        break;
    case Qt::Key_PageUp:
        target = GetPos() + page;
        break;
    case Qt::Key_Home:
        target = Minimum();
        break;
    case Qt::Key_End:
        target = Maximum();
        break;
    default:
        return QWidget::keyPressEvent(event);
    }
    const int before = GetPos();
    m_model.SetPos(target);
    if (GetPos() != before)
        Moved(GetPos());
}

} // namespace kf
