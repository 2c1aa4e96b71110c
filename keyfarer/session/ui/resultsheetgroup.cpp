#include "session/ui/resultsheetgroup.h"

#include "skin/ui/skinpixmaps.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace kf {

CResultSheetGroup::CResultSheetGroup(const CControlAspect* look, const QString& title,
                                     QWidget* parent)
    : QWidget(parent), m_look(look), m_title(title)
{
    if (m_look)
        setFont(LookQFont(*m_look, LookFont::Dialog));
    UpdateMargins();
}

void CResultSheetGroup::SetTitle(const QString& title)
{
    m_title = title;
    UpdateMargins();
    update();
}

void CResultSheetGroup::UpdateMargins()
{
    QFont bold = m_look ? LookQFont(*m_look, LookFont::DialogBold) : font();
    const int titleHeight = QFontMetrics(bold).height();
    // Groups with and without a title keep their frames at the same height, so groups side
    // by side line up.
    setContentsMargins(12, m_title.isEmpty() ? titleHeight / 2 + 12 : titleHeight + 8, 12, 10);
}

void CResultSheetGroup::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor border =
        m_look ? LookQColor(*m_look, LookColor::ControlBorder) : QColor(160, 160, 160);
    QColor field = m_look ? LookQColor(*m_look, LookColor::DialogBack) : palette().window().color();
    field = field.lighter(106);

    QFont bold = m_look ? LookQFont(*m_look, LookFont::DialogBold) : font();
    const QFontMetrics fm(bold);
    const int titleTop = 0;
    const int frameTop = titleTop + fm.height() / 2;
    const QRectF frame = QRectF(rect()).adjusted(0.5, frameTop + 0.5, -0.5, -0.5);

    QPainterPath path;
    path.addRoundedRect(frame, 5, 5);
    p.fillPath(path, field);
    p.setPen(QPen(border, 1));
    p.drawPath(path);

    if (m_title.isEmpty())
        return;
    const int textWidth = fm.horizontalAdvance(m_title);
    const QRect titleRect(12, titleTop, textWidth + 10, fm.height());
    const QColor back =
        m_look ? LookQColor(*m_look, LookColor::DialogBack) : palette().window().color();
    // The title interrupts the frame's top edge: the page colour above the frame, the field
    // colour below it, as if the label were cut into the line.
    p.fillRect(QRectF(titleRect.left(), titleRect.top(), titleRect.width(),
                      frame.top() - titleRect.top() + 1),
               back);
    p.fillRect(QRectF(titleRect.left(), frame.top() + 1, titleRect.width(),
                      titleRect.bottom() - frame.top()),
               field);
    p.setFont(bold);
    p.setPen(m_look ? LookQColor(*m_look, LookColor::DialogText) : palette().windowText().color());
    p.drawText(titleRect, Qt::AlignCenter, m_title);
}

} // namespace kf
