#pragma once

// A button drawn as a line of link-coloured text, underlined while the mouse is over it:
// for the quieter commands of a dialog ("Options...", "Show all").

#include "skin/controlaspect.h"

#include <QAbstractButton>

namespace kf {

class CLineButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit CLineButton(const CControlAspect* look, const QString& text = {},
                         QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

    const CControlAspect* m_look;
    bool m_hot = false;
};

} // namespace kf
