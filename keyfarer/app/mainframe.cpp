#include "mainframe.h"

#include <QPainter>

namespace kf {

CMainFrame::CMainFrame(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Keyfarer"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kDeskWidth, kDeskHeight);
}

void CMainFrame::ClearNotice()
{
}

void CMainFrame::paintEvent(QPaintEvent*)
{
    // Without the look's pictures the free area is black.
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
}

} // namespace kf
