#include "skin/ui/tavrotabstrip.h"

#include "skin/ui/skinpixmaps.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kf {

CTavroTabStrip::CTavroTabStrip(const CControlAspect* look, QWidget* parent)
    : QWidget(parent), m_look(look)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus); // the sheet switches tabs with Ctrl+Tab
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    if (m_look)
        setFont(LookQFont(*m_look, LookFont::Dialog));
}

int CTavroTabStrip::AddTab(const QString& title)
{
    m_titles.push_back(title);
    if (m_current < 0)
        m_current = 0;
    updateGeometry();
    update();
    return int(m_titles.size()) - 1;
}

void CTavroTabStrip::SetTabTitle(int index, const QString& title)
{
    if (index >= 0 && index < Count()) {
        m_titles[index] = title;
        update();
    }
}

void CTavroTabStrip::SetCurrent(int index)
{
    if (index < 0 || index >= Count() || index == m_current)
        return;
    m_current = index;
    update();
}

QSize CTavroTabStrip::sizeHint() const
{
    return QSize(Count() ? TabRect(Count() - 1).right() + 1 : 100, 32);
}

QRect CTavroTabStrip::TabRect(int index) const
{
    const QFontMetrics fm(font());
    int x = 4;
    for (int i = 0; i < index; ++i)
        x += std::max(72, fm.horizontalAdvance(m_titles[i]) + 32) + 2;
    const int w = index < Count() ? std::max(72, fm.horizontalAdvance(m_titles[index]) + 32) : 0;
    return QRect(x, 2, w, 30);
}

void CTavroTabStrip::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPixmap tabs = m_look ? SkinPixmap(*m_look, skinbmp::kTabs) : QPixmap();
    if (m_look) {
        p.setPen(LookQColor(*m_look, LookColor::ControlBorder));
        p.drawLine(0, height() - 1, width(), height() - 1);
    }
    for (int i = 0; i < Count(); ++i) {
        if (i == m_current)
            continue;
        const QRect r = TabRect(i).adjusted(0, 2, 0, 0);
        const int state = i == m_hover ? 1 : 0;
        if (!tabs.isNull()) {
            const int h = tabs.height() / kTabStates;
            DrawThreeSlice(p, tabs, QRect(0, state * h, tabs.width(), h), r, m_look->TabEdge());
        }
        p.setPen(m_look ? LookQColor(*m_look, LookColor::DeskTextDim)
                        : palette().windowText().color());
        p.setFont(font());
        p.drawText(r, Qt::AlignCenter, m_titles[i]);
    }
    if (m_current >= 0 && m_current < Count()) {
        const QRect r = TabRect(m_current);
        if (!tabs.isNull()) {
            const int h = tabs.height() / kTabStates;
            DrawThreeSlice(p, tabs, QRect(0, 2 * h, tabs.width(), h), r, m_look->TabEdge());
        }
        QFont bold = font();
        bold.setBold(true);
        p.setFont(bold);
        p.setPen(m_look ? LookQColor(*m_look, LookColor::DialogText)
                        : palette().windowText().color());
        p.drawText(r.adjusted(0, 2, 0, 0), Qt::AlignCenter, m_titles[m_current]);
        if (hasFocus() && m_look) {
            p.setPen(QPen(LookQColor(*m_look, LookColor::ControlBorderHot), 1, Qt::DotLine));
            p.drawRect(r.adjusted(6, 7, -7, -5));
        }
    }
}

void CTavroTabStrip::mousePressEvent(QMouseEvent* event)
{
    for (int i = 0; i < Count(); ++i)
        if (TabRect(i).contains(event->position().toPoint())) {
            if (i != m_current)
                emit tabRequested(i);
            return;
        }
}

void CTavroTabStrip::mouseMoveEvent(QMouseEvent* event)
{
    int hover = -1;
    for (int i = 0; i < Count(); ++i)
        if (TabRect(i).contains(event->position().toPoint()))
            hover = i;
    if (hover != m_hover) {
        m_hover = hover;
        update();
    }
}

void CTavroTabStrip::leaveEvent(QEvent*)
{
    m_hover = -1;
    update();
}

void CTavroTabStrip::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Left && m_current > 0)
        emit tabRequested(m_current - 1);
    else if (event->key() == Qt::Key_Right && m_current + 1 < Count())
        emit tabRequested(m_current + 1);
    else
        QWidget::keyPressEvent(event);
}

} // namespace kf
