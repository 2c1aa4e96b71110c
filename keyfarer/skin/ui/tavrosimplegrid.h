#pragma once

// The read-only grid of the statistics pages: a header, rows with alternate shading and thin
// lines, the current row under the look's selection bar, skinned scroll bars; arrow keys,
// Page Up/Down, Home/End, the wheel and clicks move through it. Date-time cells are written
// "%d-%02d-%02d %02d:%02d" (simplegriddata.h).

#include "skin/controlaspect.h"
#include "skin/simplegriddata.h"

#include <QAbstractScrollArea>

namespace kf {

class CTavroHeaderCtrl;

class CTavroSimpleGrid : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit CTavroSimpleGrid(const CControlAspect* look, QWidget* parent = nullptr);

    // The content; call Refresh after changing it.
    CSimpleGridData& Data() { return m_data; }
    const CSimpleGridData& Data() const { return m_data; }
    void Refresh();

    int CurrentRow() const { return m_current; }
    // Moves the current row (clamped; −1 when the grid is empty) and scrolls it into view.
    void SetCurrentRow(int row);
    int RowHeight() const;
    // Rows fully visible in the viewport.
    int VisibleRows() const;
    int FirstVisibleRow() const;

signals:
    void currentRowChanged(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool event(QEvent* event) override;

private:
    void UpdateScrollBars();
    int TotalWidth() const;

    const CControlAspect* m_look;
    CSimpleGridData m_data;
    CTavroHeaderCtrl* m_header;
    int m_current = -1;
};

} // namespace kf
