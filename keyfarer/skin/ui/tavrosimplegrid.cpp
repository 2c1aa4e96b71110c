#include "skin/ui/tavrosimplegrid.h"

#include "skin/ui/flatedit.h"
#include "skin/ui/flatscrollbar.h"
#include "skin/ui/skinpixmaps.h"
#include "skin/ui/tavroheaderctrl.h"

#include <QKeyEvent>
#include <QEvent>
#include <QPainter>
#include <QScrollBar>

namespace kf {

CTavroSimpleGrid::CTavroSimpleGrid(const CControlAspect* look, QWidget* parent)
    : QAbstractScrollArea(parent), m_look(look), m_header(new CTavroHeaderCtrl(look, &m_data, this))
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBar(new CFlatScrollBar(look, Qt::Vertical, this));
    setHorizontalScrollBar(new CFlatScrollBar(look, Qt::Horizontal, this));
    if (m_look)
        setFont(LookQFont(*m_look, LookFont::Dialog));
    setViewportMargins(1, m_header->PreferredHeight() + 1, 1, 1);
    connect(m_header, &CTavroHeaderCtrl::columnResized, this, [this] {
        UpdateScrollBars();
        viewport()->update();
    });
}

int CTavroSimpleGrid::RowHeight() const
{
    return std::max(22, fontMetrics().height() + 8);
}

int CTavroSimpleGrid::VisibleRows() const
{
    return std::max(1, viewport()->height() / RowHeight());
}

int CTavroSimpleGrid::FirstVisibleRow() const
{
    return verticalScrollBar()->value();
}

int CTavroSimpleGrid::TotalWidth() const
{
    int w = 0;
    for (const GridColumn& c : m_data.Columns())
        w += c.width;
    return w;
}

void CTavroSimpleGrid::Refresh()
{
    if (m_current >= m_data.RowCount())
        m_current = m_data.RowCount() - 1;
    if (m_current < 0 && m_data.RowCount() > 0)
        m_current = 0;
    UpdateScrollBars();
    m_header->update();
    viewport()->update();
}

void CTavroSimpleGrid::UpdateScrollBars()
{
    verticalScrollBar()->setRange(0, std::max(0, m_data.RowCount() - VisibleRows()));
    verticalScrollBar()->setPageStep(VisibleRows());
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setRange(0, std::max(0, TotalWidth() - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(20);
}

void CTavroSimpleGrid::SetCurrentRow(int row)
{
    row = m_data.RowCount() == 0 ? -1 : std::clamp(row, 0, m_data.RowCount() - 1);
    if (row >= 0) {
        if (row < FirstVisibleRow())
            verticalScrollBar()->setValue(row);
        else if (row >= FirstVisibleRow() + VisibleRows())
            verticalScrollBar()->setValue(row - VisibleRows() + 1);
    }
    if (row == m_current)
        return;
    m_current = row;
    viewport()->update();
    emit currentRowChanged(row);
}

void CTavroSimpleGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    const QMargins m = viewportMargins();
    m_header->setGeometry(m.left(), 1, width() - m.left() - m.right(), m_header->PreferredHeight());
    UpdateScrollBars();
}

void CTavroSimpleGrid::scrollContentsBy(int, int)
{
    m_header->SetOffset(horizontalScrollBar()->value());
    viewport()->update();
}

bool CTavroSimpleGrid::event(QEvent* event)
{
    if (event->type() == QEvent::Paint && m_look) {
        QPainter p(this);
        PaintFlatField(p, rect(), *m_look, hasFocus(), isEnabled());
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void CTavroSimpleGrid::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    if (!m_look)
        return;
    p.fillRect(viewport()->rect(), LookQColor(*m_look, LookColor::ControlBack));
    const int rowHeight = RowHeight();
    const int first = FirstVisibleRow();
    const int dx = -horizontalScrollBar()->value();
    const QPixmap pieces = SkinPixmap(*m_look, skinbmp::kListPieces);
    p.setFont(font());
    for (int row = first; row < m_data.RowCount(); ++row) {
        const int y = (row - first) * rowHeight;
        if (y > viewport()->height())
            break;
        const QRect line(0, y, viewport()->width(), rowHeight);
        const bool current = row == m_current;
        if (current && !pieces.isNull())
            DrawThreeSlice(p, pieces,
                           QRect(0, pieces.height() / 2, pieces.width(), pieces.height() / 2),
                           line.adjusted(1, 1, -1, -1), 6);
        else if (row % 2 == 1)
            p.fillRect(line, LookQColor(*m_look, LookColor::GridAltRow));
        p.setPen(LookQColor(*m_look, LookColor::GridLine));
        if (!current)
            p.drawLine(line.bottomLeft(), line.bottomRight());
        p.setPen(current ? LookQColor(*m_look, LookColor::SelectionText)
                         : LookQColor(*m_look, LookColor::ControlText));
        int x = dx;
        for (int c = 0; c < m_data.ColumnCount(); ++c) {
            const GridColumn& column = m_data.Columns()[size_t(c)];
            const QRect cell = QRect(x, y, column.width, rowHeight).adjusted(8, 0, -8, 0);
            const int align = column.align == GridAlign::Right    ? Qt::AlignRight
                              : column.align == GridAlign::Center ? Qt::AlignHCenter
                                                                  : Qt::AlignLeft;
            p.drawText(cell, int(Qt::AlignVCenter) | align,
                       fontMetrics().elidedText(ToQString(m_data.CellText(row, c)), Qt::ElideRight,
                                                cell.width()));
            x += column.width;
        }
    }
}

void CTavroSimpleGrid::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        SetCurrentRow(m_current - 1);
        break;
    case Qt::Key_Down:
        SetCurrentRow(m_current + 1);
        break;
    case Qt::Key_PageUp:
        SetCurrentRow(m_current - VisibleRows());
        break;
    case Qt::Key_PageDown:
        SetCurrentRow(m_current + VisibleRows());
        break;
    case Qt::Key_Home:
        SetCurrentRow(0);
        break;
    case Qt::Key_End:
        SetCurrentRow(m_data.RowCount() - 1);
        break;
    case Qt::Key_Left:
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Right:
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void CTavroSimpleGrid::mousePressEvent(QMouseEvent* event)
{
    setFocus();
    const int row = FirstVisibleRow() + int(event->position().y()) / RowHeight();
    if (row < m_data.RowCount())
        SetCurrentRow(row);
}

} // namespace kf
