#include "skin/ui/kfcheckbox.h"

#include "skin/ui/skinpixmaps.h"

#include <QPainter>

namespace kf {

CKFCheckBox::CKFCheckBox(const CControlAspect* look, const QString& text, QWidget* parent)
    : CKFCheckBox(look, text, parent, skinbmp::kCheckBox)
{}

CKFCheckBox::CKFCheckBox(const CControlAspect* look, const QString& text, QWidget* parent,
                         const char* strip)
    : QAbstractButton(parent), m_look(look), m_strip(strip)
{
    setText(text);
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    if (m_look)
        setFont(LookQFont(*m_look, LookFont::Dialog));
}

int CKFCheckBox::CurrentCell() const
{
    const int on = isChecked() ? 1 : 0;
    if (!isEnabled())
        return 4 + on;
    return (m_hot || isDown() ? 2 : 0) + on;
}

QSize CKFCheckBox::sizeHint() const
{
    const QFontMetrics fm(font());
    return QSize(18 + 6 + fm.horizontalAdvance(text()) + 4, std::max(20, fm.height() + 2));
}

void CKFCheckBox::enterEvent(QEnterEvent* event)
{
    m_hot = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CKFCheckBox::leaveEvent(QEvent* event)
{
    m_hot = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void CKFCheckBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPixmap strip = m_look ? SkinPixmap(*m_look, m_strip) : QPixmap();
    const int cell = strip.isNull() ? 18 : strip.width() / kCheckCells;
    const QRect box(0, (height() - strip.height()) / 2, cell, strip.height());
    if (!strip.isNull())
        p.drawPixmap(box.topLeft(), strip, QRect(CurrentCell() * cell, 0, cell, strip.height()));
    p.setFont(font());
    p.setPen(!m_look       ? palette().windowText().color()
             : isEnabled() ? LookQColor(*m_look, LookColor::DialogText)
                           : LookQColor(*m_look, LookColor::DisabledText));
    const QRect label = rect().adjusted(cell + 6, 0, 0, 0);
    p.drawText(label, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextShowMnemonic, text());
    if (hasFocus() && m_look) {
        p.setPen(QPen(LookQColor(*m_look, LookColor::ControlBorderHot), 1, Qt::DotLine));
        const QRect r =
            p.boundingRect(label, Qt::AlignVCenter | Qt::AlignLeft, text()).adjusted(-2, 0, 2, 0);
        p.drawRect(r);
    }
}

} // namespace kf
