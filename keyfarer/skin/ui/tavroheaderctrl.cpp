#include "skin/ui/tavroheaderctrl.h"

#include "skin/ui/skinpixmaps.h"

#include <QMouseEvent>
#include <QPainter>

namespace kf {

CTavroHeaderCtrl::CTavroHeaderCtrl(const CControlAspect* look, CSimpleGridData* data,
                                   QWidget* parent)
    : QWidget(parent), m_look(look), m_data(data)
{
    setMouseTracking(true);
    if (m_look)
        setFont(LookQFont(*m_look, LookFont::DialogBold));
}

void CTavroHeaderCtrl::SetOffset(int offset)
{
    m_offset = offset;
    update();
}

int CTavroHeaderCtrl::PreferredHeight() const
{
    return std::max(24, fontMetrics().height() + 10);
}

int CTavroHeaderCtrl::EdgeAt(int x) const
{
    int right = -m_offset;
    for (int c = 0; c < m_data->ColumnCount(); ++c) {
        right += m_data->Columns()[size_t(c)].width;
        if (std::abs(x - right) <= 3)
            return c;
    }
    return -1;
}

void CTavroHeaderCtrl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPixmap pieces = m_look ? SkinPixmap(*m_look, skinbmp::kListPieces) : QPixmap();
    const QRect source(0, 0, pieces.width(), pieces.height() / 2);
    if (!pieces.isNull())
        DrawThreeSlice(p, pieces, source, rect(), 1);
    p.setFont(font());
    if (m_look)
        p.setPen(LookQColor(*m_look, LookColor::GridHeaderText));
    int x = -m_offset;
    for (const GridColumn& column : m_data->Columns()) {
        const QRect cell(x, 0, column.width, height());
        if (!pieces.isNull())
            DrawThreeSlice(p, pieces, source, cell, 10);
        const int align = column.align == GridAlign::Right    ? Qt::AlignRight
                          : column.align == GridAlign::Center ? Qt::AlignHCenter
                                                              : Qt::AlignLeft;
        const QRect text = cell.adjusted(8, 0, -8, -1);
        p.drawText(text, int(Qt::AlignVCenter) | align,
                   fontMetrics().elidedText(ToQString(column.title), Qt::ElideRight, text.width()));
        x += column.width;
    }
}

void CTavroHeaderCtrl::mousePressEvent(QMouseEvent* event)
{
    const int x = int(event->position().x());
    m_dragColumn = event->button() == Qt::LeftButton ? EdgeAt(x) : -1;
    if (m_dragColumn >= 0) {
        m_dragStartX = x;
        m_dragStartWidth = m_data->Columns()[size_t(m_dragColumn)].width;
    }
}

void CTavroHeaderCtrl::mouseMoveEvent(QMouseEvent* event)
{
    const int x = int(event->position().x());
    if (m_dragColumn < 0) {
        setCursor(EdgeAt(x) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
        return;
    }
    m_data->SetColumnWidth(m_dragColumn, m_dragStartWidth + x - m_dragStartX);
    update();
    emit columnResized(m_dragColumn, m_data->Columns()[size_t(m_dragColumn)].width);
}

void CTavroHeaderCtrl::mouseReleaseEvent(QMouseEvent*)
{
    m_dragColumn = -1;
}

} // namespace kf
