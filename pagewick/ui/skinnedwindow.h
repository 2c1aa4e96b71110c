#pragma once

#include <QDialog>
#include <QPoint>
#include <QString>

class QTimer;

namespace pw {

class Skin;

/// A borderless window drawn from one skin picture. It is shown first outside the screen, so
/// that nothing appears before its look is set; 50 ms later its shape is cut from the picture
/// (magenta is transparent) and it is centred on the screen. Pressing a mouse button on the
/// background moves the window. Sizes are kept in pixels; on a dense screen the device-pixel
/// scaling does the rest.
class SkinnedWindow : public QDialog
{
    Q_OBJECT
public:
    SkinnedWindow(const Skin& skin, const QString& background, QWidget* parent);

    const Skin& WindowSkin() const { return m_skin; }

    /// True once the shape has been applied and the window centred.
    bool Placed() const { return m_placed; }

protected:
    /// A press on the background (not on a control); the default does nothing more than start
    /// moving the window.
    virtual void BackgroundPressed() {}

    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ShapeAndCentre();

    const Skin& m_skin;
    QString m_background;
    QTimer* m_Timer3;
    bool m_placed = false;
    bool m_dragging = false;
    QPoint m_dragOffset;
};

} // namespace pw
