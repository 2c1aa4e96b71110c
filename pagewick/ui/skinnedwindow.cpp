#include "ui/skinnedwindow.h"

#include "ui/skin.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace pw {

SkinnedWindow::SkinnedWindow(const Skin& skin, const QString& background, QWidget* parent)
    : QDialog(parent), m_skin(skin), m_background(background), m_Timer3(new QTimer(this))
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    const QPixmap picture = m_skin.Picture(m_background);
    setFixedSize(picture.isNull() ? QSize(480, 320) : picture.deviceIndependentSize().toSize());
    move(-width() - 100, -height() - 100);
    m_Timer3->setSingleShot(true);
    m_Timer3->setInterval(50);
    connect(m_Timer3, &QTimer::timeout, this, &SkinnedWindow::ShapeAndCentre);
}

void SkinnedWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPixmap picture = m_skin.Picture(m_background);
    if (picture.isNull())
        painter.fillRect(rect(), QColor(0xf4, 0xf7, 0xfa));
    else
        painter.drawPixmap(QPoint(0, 0), picture);
}

void SkinnedWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_placed)
        m_Timer3->start();
}

void SkinnedWindow::ShapeAndCentre()
{
    const QRegion shape = m_skin.ShapeOf(m_background);
    if (!shape.isEmpty())
        setMask(shape);
    const QScreen* where = screen();
    if (where) {
        const QRect area = where->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    m_placed = true;
}

void SkinnedWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QDialog::mousePressEvent(event);
        return;
    }
    BackgroundPressed();
    // The window manager moves the window where it can; otherwise follow the mouse ourselves.
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    m_dragging = true;
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void SkinnedWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - m_dragOffset);
    QDialog::mouseMoveEvent(event);
}

void SkinnedWindow::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragging = false;
    QDialog::mouseReleaseEvent(event);
}

} // namespace pw
