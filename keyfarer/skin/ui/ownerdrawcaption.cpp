#include "skin/ui/ownerdrawcaption.h"

#include "skin/ui/skinpixmaps.h"

#include <QPainter>

namespace kf {

QMargins COwnerDrawCaption::FrameMargins() const
{
    if (!m_look)
        return {};
    const CFrameDesc& f = m_look->DialogFrame();
    return QMargins(f.borderWidth, f.captionHeight + 1, f.borderWidth, f.borderWidth);
}

QRect COwnerDrawCaption::CaptionRect(const QSize& window) const
{
    const int h = m_look ? m_look->DialogFrame().captionHeight : 0;
    return QRect(0, 0, window.width(), h);
}

QRect COwnerDrawCaption::CloseButtonRect(const QSize& window) const
{
    const QPixmap buttons = m_look ? SkinPixmap(*m_look, skinbmp::kCaptionButtons) : QPixmap();
    const int w = buttons.isNull() ? 24 : buttons.width() / 3;
    const int h = buttons.isNull() ? 22 : buttons.height();
    const QRect caption = CaptionRect(window);
    return QRect(caption.right() - 8 - w, caption.top() + (caption.height() - h) / 2, w, h);
}

void COwnerDrawCaption::Paint(QPainter& p, const QSize& window, const QString& title, bool active,
                              bool closeButton, ButtonState closeState, const QPixmap& icon) const
{
    if (!m_look)
        return;
    const CFrameDesc& f = m_look->DialogFrame();
    const QRect all(QPoint(0, 0), window);
    const QPixmap frame = SkinPixmap(*m_look, f.bitmap);
    if (frame.isNull()) {
        p.fillRect(all, LookQColor(*m_look, LookColor::DialogBack));
        p.fillRect(CaptionRect(window), LookQColor(*m_look, LookColor::Selection));
    } else {
        DrawNineSlice(p, frame, frame.rect(), all, std::max(f.topLeftWidth, f.bottomLeftWidth),
                      f.topHeight, std::max(f.topRightWidth, f.bottomRightWidth), f.bottomHeight);
    }
    const QRect caption = CaptionRect(window);
    int x = caption.left() + 14;
    if (!icon.isNull()) {
        const QSize s = icon.size().scaled(18, 18, Qt::KeepAspectRatio);
        p.drawPixmap(QRect(QPoint(x, caption.center().y() - s.height() / 2 + 1), s), icon);
        x += s.width() + 8;
    }
    p.setFont(LookQFont(*m_look, LookFont::Caption));
    p.setPen(LookQColor(*m_look, active ? LookColor::CaptionText : LookColor::CaptionTextInactive));
    const int right = closeButton ? CloseButtonRect(window).left() - 8 : caption.right() - 12;
    const QRect textRect(x, caption.top(), right - x, caption.height());
    p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
               p.fontMetrics().elidedText(title, Qt::ElideRight, textRect.width()));
    if (closeButton) {
        const QPixmap buttons = SkinPixmap(*m_look, skinbmp::kCaptionButtons);
        if (!buttons.isNull()) {
            const int w = buttons.width() / 3;
            p.drawPixmap(CloseButtonRect(window).topLeft(), buttons,
                         QRect(int(closeState) * w, 0, w, buttons.height()));
        }
    }
}

} // namespace kf
