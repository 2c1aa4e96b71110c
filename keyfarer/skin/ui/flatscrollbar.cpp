#include "skin/ui/flatscrollbar.h"

#include "skin/ui/skinpixmaps.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

namespace kf {

CFlatScrollBar::CFlatScrollBar(const CControlAspect* look, Qt::Orientation orientation,
                               QWidget* parent)
    : QScrollBar(orientation, parent), m_look(look)
{}

QSize CFlatScrollBar::sizeHint() const
{
    const int extent = 16;
    return orientation() == Qt::Vertical ? QSize(extent, 64) : QSize(64, extent);
}

void CFlatScrollBar::paintEvent(QPaintEvent* event)
{
    const QPixmap strip = m_look ? SkinPixmap(*m_look, skinbmp::kScrollBar) : QPixmap();
    if (strip.isNull())
        return QScrollBar::paintEvent(event);
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    auto sub = [&](QStyle::SubControl sc) {
        return style()->subControlRect(QStyle::CC_ScrollBar, &opt, sc, this);
    };
    const int cell = strip.width() / kScrollCells;
    auto source = [&](int index) { return QRect(index * cell, 0, cell, strip.height()); };
    const bool vertical = orientation() == Qt::Vertical;

    QPainter p(this);
    p.fillRect(rect(), LookQColor(*m_look, LookColor::ControlBack));
    p.drawPixmap(rect(), strip, source(vertical ? 6 : 7).adjusted(2, 2, -2, -2));
    auto arrow = [&](QStyle::SubControl sc, int index) {
        const QRect r = sub(sc);
        if (r.isEmpty())
            return;
        const QRect cellRect(r.center().x() - cell / 2 + 1, r.center().y() - cell / 2 + 1, cell,
                             cell);
        p.drawPixmap(cellRect.topLeft(), strip, source(index));
    };
    arrow(QStyle::SC_ScrollBarSubLine, vertical ? 0 : 2);
    arrow(QStyle::SC_ScrollBarAddLine, vertical ? 1 : 3);
    if (maximum() > minimum()) {
        const QRect thumb = sub(QStyle::SC_ScrollBarSlider);
        if (vertical)
            DrawThreeSliceVertical(p, strip, source(4),
                                   QRect(thumb.left(), thumb.top(), width(), thumb.height()), 5);
        else
            DrawThreeSlice(p, strip, source(5),
                           QRect(thumb.left(), thumb.top(), thumb.width(), height()), 5);
    }
}

} // namespace kf
