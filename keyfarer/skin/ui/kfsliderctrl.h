#pragma once

// The skinned slider: drawn from the look's eight-cell slider strip (cells 0..3 enabled, 4..7
// disabled) over the look's background colour, with the rules of CKFSliderModel. When the
// user moves it (mouse or keyboard) it emits positionChanged(controlId, position), the
// program's slider notification (message kSliderPositionMessage with the control identifier
// and the new position); SetPos never notifies.

#include "skin/controlaspect.h"
#include "skin/kfslidermodel.h"

#include <QWidget>

namespace kf {

inline constexpr int kSliderPositionMessage = 1024 + 400;

class CKFSliderCtrl : public QWidget
{
    Q_OBJECT
public:
    explicit CKFSliderCtrl(QWidget* parent = nullptr);

    // Takes the control identifier and the look; records the size and the strip's cell width.
    void Attach(int controlId, const CControlAspect* look);
    int ControlId() const { return m_controlId; }

    // When maximum < minimum the minimum becomes the maximum; the position is clamped; repaint.
    void SetRange(int minimum, int maximum);
    // Clamped into the range; repaint; no notification.
    void SetPos(int position);
    int GetPos() const { return m_model.GetPos(); }
    int Minimum() const { return m_model.Minimum(); }
    int Maximum() const { return m_model.Maximum(); }

    QSize sizeHint() const override;

signals:
    // The user moved the slider to `position`.
    void positionChanged(int controlId, int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int StripWidth() const;
    void Moved(std::optional<int> position);

    const CControlAspect* m_look = nullptr;
    int m_controlId = 0;
    CKFSliderModel m_model;
};

} // namespace kf
