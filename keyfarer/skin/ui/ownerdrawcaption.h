#pragma once

// Draws the caption band, frame edges, icon and close button of a skinned window from the
// look's frame picture (nine pieces: corners kept, edges stretched) and answers where those
// parts lie, so the window can take its content margins and hit-test its caption.

#include "skin/controlaspect.h"

#include <QMargins>
#include <QPixmap>
#include <QRect>
#include <QString>

class QPainter;

namespace kf {

class COwnerDrawCaption
{
public:
    enum class ButtonState { Normal, Hover, Pressed };

    explicit COwnerDrawCaption(const CControlAspect* look) : m_look(look) {}

    // Space the frame and caption take from each side of the window.
    QMargins FrameMargins() const;
    // The caption band (where dragging moves the window) and the close button in it.
    QRect CaptionRect(const QSize& window) const;
    QRect CloseButtonRect(const QSize& window) const;

    void Paint(QPainter& painter, const QSize& window, const QString& title, bool active,
               bool closeButton, ButtonState closeState, const QPixmap& icon) const;

private:
    const CControlAspect* m_look;
};

} // namespace kf
