#include "ui/imagebutton.h"

#include "ui/skin.h"

#include <QPainter>

namespace pw {

ImageButton::ImageButton(const Skin& skin, const QString& picture, const QString& text,
                         QWidget* parent)
    : QAbstractButton(parent), m_picture(skin.Picture(picture)),
      m_hover(skin.Picture(picture + "_hover"))
{
    setText(text);
    setAccessibleName(text);
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    resize(sizeHint());
}

QSize ImageButton::sizeHint() const
{
    if (m_picture.isNull())
        return QSize(32, 32);
    return m_picture.deviceIndependentSize().toSize();
}

void ImageButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!isEnabled())
        painter.setOpacity(0.35);
    const QPixmap& shown = Highlighted() && !m_hover.isNull() ? m_hover : m_picture;
    if (!shown.isNull()) {
        painter.drawPixmap(QPoint(0, 0), shown);
        return;
    }
    // Without its picture the button still shows what it does.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0x2b, 0x4c, 0x6f));
    painter.setBrush(Highlighted() ? QColor(0xdd, 0xe8, 0xf2) : QColor(0xf4, 0xf7, 0xfa));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, text());
}

} // namespace pw
