#pragma once

// CHandsView: the picture of two hands under the keyboard card, with the finger that strikes
// the next character marked on its tip (the desk shows it while the keyboard is hidden, and
// asks the keyboard for the hint: CTypingKeyboard::NextFinger).

#include "keyboard/keyboardmodel.h"

#include <QWidget>

namespace kf {

class CTypingAspect;

class CHandsView : public QWidget
{
    Q_OBJECT
public:
    explicit CHandsView(const CTypingAspect* look, QWidget* parent = nullptr);

    void SetLook(const CTypingAspect* look);
    // The finger to mark; an invalid hint marks none.
    void SetHint(const FingerHint& hint);
    const FingerHint& Hint() const { return m_hint; }
    // The marked finger's tip in widget coordinates (an empty rectangle when none).
    QRect MarkedSpot() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CTypingAspect* m_look = nullptr;
    FingerHint m_hint;
};

} // namespace kf
