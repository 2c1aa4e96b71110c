#include "skin/ui/flatedit.h"

#include "skin/ui/skinpixmaps.h"

#include <QPainter>

namespace kf {

void ApplyFieldPalette(QWidget* widget, const CControlAspect& look, bool transparentBase)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Base, transparentBase ? QColor(Qt::transparent)
                                                 : LookQColor(look, LookColor::ControlBack));
    pal.setColor(QPalette::Text, LookQColor(look, LookColor::ControlText));
    pal.setColor(QPalette::WindowText, LookQColor(look, LookColor::ControlText));
    pal.setColor(QPalette::Highlight, LookQColor(look, LookColor::Selection));
    pal.setColor(QPalette::HighlightedText, LookQColor(look, LookColor::SelectionText));
    pal.setColor(QPalette::PlaceholderText, LookQColor(look, LookColor::DisabledText));
    pal.setColor(QPalette::Disabled, QPalette::Text, LookQColor(look, LookColor::DisabledText));
    widget->setPalette(pal);
}

void PaintFlatField(QPainter& p, const QRect& rect, const CControlAspect& look, bool hot,
                    bool enabled)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setBrush(enabled ? LookQColor(look, LookColor::ControlBack)
                       : LookQColor(look, LookColor::DialogBack));
    p.setPen(QPen(hot && enabled ? LookQColor(look, LookColor::ControlBorderHot)
                                 : LookQColor(look, LookColor::ControlBorder),
                  1));
    p.drawRoundedRect(r, 4, 4);
    p.restore();
}

CFlatEdit::CFlatEdit(const CControlAspect* look, QWidget* parent) : QLineEdit(parent), m_look(look)
{
    setFrame(false);
    setTextMargins(6, 2, 6, 2);
    if (m_look) {
        setFont(LookQFont(*m_look, LookFont::Dialog));
        ApplyFieldPalette(this, *m_look, true);
    }
}

void CFlatEdit::SetStarMask(bool on)
{
    setEchoMode(on ? QLineEdit::Password : QLineEdit::Normal);
    setStyleSheet(on ? QStringLiteral("QLineEdit { lineedit-password-character: 42; background: "
                                      "transparent; border: none; }")
                     : QString());
}

QSize CFlatEdit::sizeHint() const
{
    const QSize base = QLineEdit::sizeHint();
    return QSize(base.width(), std::max(base.height() + 6, 28));
}

void CFlatEdit::paintEvent(QPaintEvent* event)
{
    if (m_look) {
        QPainter p(this);
        PaintFlatField(p, rect(), *m_look, hasFocus(), isEnabled());
    }
    QLineEdit::paintEvent(event);
}

} // namespace kf
