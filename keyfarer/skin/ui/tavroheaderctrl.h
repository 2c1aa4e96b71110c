#pragma once

// The column header of the skinned grid: one cell per column from the look's header piece;
// dragging a column's right edge changes its width.

#include "skin/controlaspect.h"
#include "skin/simplegriddata.h"

#include <QWidget>

namespace kf {

class CTavroHeaderCtrl : public QWidget
{
    Q_OBJECT
public:
    CTavroHeaderCtrl(const CControlAspect* look, CSimpleGridData* data, QWidget* parent = nullptr);
    // Horizontal scroll offset of the grid, in pixels.
    void SetOffset(int offset);
    int PreferredHeight() const;

signals:
    void columnResized(int column, int width);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int EdgeAt(int x) const; // column whose right edge is under x, or −1

    const CControlAspect* m_look;
    CSimpleGridData* m_data;
    int m_offset = 0;
    int m_dragColumn = -1;
    int m_dragStartX = 0;
    int m_dragStartWidth = 0;
};

} // namespace kf
