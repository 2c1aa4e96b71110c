#pragma once

// The skinned push button: drawn from the look's button frames (normal, three hover frames,
// pressed, disabled, default) stretched to the button's width. When the mouse comes over it
// the hover frames are played forward by a timer, and backward when it leaves.

#include "skin/controlaspect.h"

#include <QAbstractButton>
#include <QTimer>

namespace kf {

class CAniButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit CAniButton(const CControlAspect* look, const QString& text = {},
                        QWidget* parent = nullptr);

    // The default button of its dialog: drawn with the default frame, pressed by Enter.
    void SetDefault(bool on);
    bool IsDefault() const { return m_default; }
    // The frame being shown (0 normal, 1..3 hover animation, 4 pressed, 5 disabled, 6 default).
    int CurrentFrame() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    static constexpr int kFrameMs = 45; // one step of the hover animation

signals:
    // The mouse came over the button (the program may play its hover sound).
    void hovered();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Step();

    const CControlAspect* m_look;
    QTimer m_timer;
    int m_hover = 0; // 0..kButtonHoverCount
    bool m_inside = false;
    bool m_default = false;
};

} // namespace kf
