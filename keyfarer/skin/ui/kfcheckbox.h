#pragma once

// The skinned check box: a cell of the look's check box strip (off, on, off hover, on hover,
// off disabled, on disabled) followed by the label.

#include "skin/controlaspect.h"

#include <QAbstractButton>

namespace kf {

class CKFCheckBox : public QAbstractButton
{
    Q_OBJECT
public:
    explicit CKFCheckBox(const CControlAspect* look, const QString& text = {},
                         QWidget* parent = nullptr);

    // The strip cell drawn for the current state.
    int CurrentCell() const;
    QSize sizeHint() const override;

protected:
    // Radio buttons use the radio strip and are exclusive within their parent.
    CKFCheckBox(const CControlAspect* look, const QString& text, QWidget* parent,
                const char* strip);
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    const CControlAspect* m_look;
    const char* m_strip;
    bool m_hot = false;
};

} // namespace kf
