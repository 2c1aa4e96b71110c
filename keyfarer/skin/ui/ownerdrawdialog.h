#pragma once

// A dialog in the program's own frame: no system decoration; the skinned caption with its
// title and close button, dragged to move the window; the window shaped by the look's frame
// corners (CWinBitmapRgn), recomputed at every size. Content goes into the dialog's layout,
// which sits inside the frame.

#include "skin/ui/ownerdrawcaption.h"
#include "skin/ui/tavrobasedialog.h"

namespace kf {

class COwnerDrawDialog : public CTavroBaseDialog
{
    Q_OBJECT
public:
    COwnerDrawDialog(const CControlAspect* look, TextLookup texts, QWidget* parent = nullptr);

    void SetCloseButtonVisible(bool visible);
    // Padding between the frame and the content (default 16 pixels).
    void SetContentPadding(int padding);
    // The shape last given to the window (empty before the first resize or without a frame).
    const QRegion& WindowShape() const { return m_shape; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void UpdateMargins();

    COwnerDrawCaption m_caption;
    QRegion m_shape;
    bool m_closeVisible = true;
    int m_padding = 16;
    COwnerDrawCaption::ButtonState m_closeState = COwnerDrawCaption::ButtonState::Normal;
    bool m_dragging = false;
    QPoint m_dragOffset;
};

} // namespace kf
