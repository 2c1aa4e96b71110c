#pragma once

// The skinned edit box: a white field with a thin rounded border that turns to the look's
// highlight colour while the box has the focus.

#include "skin/controlaspect.h"

#include <QLineEdit>

namespace kf {

class CFlatEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit CFlatEdit(const CControlAspect* look, QWidget* parent = nullptr);
    // Masks the text with "*" (password fields).
    void SetStarMask(bool on);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CControlAspect* m_look;
};

// Applies the look's field colours (text, selection, base) to a widget's palette; the base is
// made transparent where the widget paints its own field.
void ApplyFieldPalette(QWidget* widget, const CControlAspect& look, bool transparentBase);
// Draws the rounded field and border every skinned field shares.
void PaintFlatField(QPainter& painter, const QRect& rect, const CControlAspect& look, bool hot,
                    bool enabled);

} // namespace kf
