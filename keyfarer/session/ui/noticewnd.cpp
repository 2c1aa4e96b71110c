#include "session/ui/noticewnd.h"

#include "skin/typingaspect.h"
#include "skin/ui/skinpixmaps.h"

#include <QPainter>
#include <QTextOption>

namespace kf {

CNoticeWnd::CNoticeWnd(const CTypingAspect* look, QWidget* parent) : QWidget(parent), m_look(look)
{}

void CNoticeWnd::SetTexts(const QString& title, const QString& description, const QString& footer)
{
    m_title = title;
    m_description = description;
    m_footer = footer;
    update();
}

void CNoticeWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor back = m_look ? LookQColor(*m_look, LookColor::ControlBack) : QColor(Qt::white);
    const QColor border = m_look ? LookQColor(*m_look, LookColor::ControlBorder) : QColor(Qt::gray);
    const QColor accent = m_look ? LookQColor(*m_look, LookColor::Accent) : QColor(Qt::darkBlue);
    p.setPen(QPen(border, 1));
    p.setBrush(back);
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);

    const int margin = 28;
    QRect area = rect().adjusted(margin, margin - 6, -margin, -margin + 6);
    const QFont titleFont = m_look ? LookQFont(*m_look, LookFont::NoticeTitle) : font();
    const QFont textFont = m_look ? LookQFont(*m_look, LookFont::NoticeText) : font();

    p.setFont(titleFont);
    p.setPen(m_look ? LookQColor(*m_look, LookColor::NoticeTitle) : QColor(Qt::black));
    const QRect titleRect = p.boundingRect(area, Qt::AlignHCenter | Qt::TextWordWrap, m_title);
    p.drawText(area, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, m_title);
    int y = area.top() + (m_title.isEmpty() ? 0 : titleRect.height() + 6);
    // A short accent line under the title.
    if (!m_title.isEmpty()) {
        p.setPen(QPen(accent, 2));
        p.drawLine(QPoint(width() / 2 - 40, y), QPoint(width() / 2 + 40, y));
        y += 14;
    }

    p.setFont(textFont);
    const QFontMetrics fm(textFont);
    const int footerHeight = m_footer.isEmpty() ? 0 : fm.height() + 8;
    p.setPen(m_look ? LookQColor(*m_look, LookColor::NoticeText) : QColor(Qt::black));
    const QRect body(area.left(), y, area.width(), area.bottom() - footerHeight - y);
    p.drawText(body, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, m_description);

    if (!m_footer.isEmpty()) {
        p.setPen(accent);
        p.drawText(QRect(area.left(), area.bottom() - footerHeight, area.width(), footerHeight),
                   Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine, m_footer);
    }
}

} // namespace kf
