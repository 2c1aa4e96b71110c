#pragma once

// The skinned scroll bar: track, arrows and a rounded thumb from the look's scroll bar strip
// (up, down, left, right, vertical thumb, horizontal thumb, vertical track, horizontal track).
// Behaviour (dragging, paging, arrows, wheel) is the toolkit's own.

#include "skin/controlaspect.h"

#include <QScrollBar>

namespace kf {

class CFlatScrollBar : public QScrollBar
{
    Q_OBJECT
public:
    CFlatScrollBar(const CControlAspect* look, Qt::Orientation orientation,
                   QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CControlAspect* m_look;
};

} // namespace kf
