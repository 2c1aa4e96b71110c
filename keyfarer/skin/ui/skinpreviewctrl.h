#pragma once

// The live preview of a skin adjustment, for the skin page and the new-user wizard: the look's
// preview picture (resource 306, "skin\\preview.bmp") recoloured by a hue shift and a
// saturation change, drawn centred in the control. The colour table it recolours is the one
// read from the file, saved when the control is made, so moving a slider back and forth
// always ends with exactly the colours of that position.

#include "skin/controlaspect.h"

#include <QImage>
#include <QWidget>

namespace kf {

class CSkinPreviewCtrl : public QWidget
{
    Q_OBJECT
public:
    explicit CSkinPreviewCtrl(const CControlAspect* look, QWidget* parent = nullptr);

    // Recolours the preview (lightness change 0 unless given) and repaints.
    void RecolorPreview(int hueShift, int saturation, int lightness = 0);
    // The picture as shown now (null when the skin has no preview picture).
    const QImage& Picture() const { return m_picture; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const CControlAspect* m_look;
    CDib m_preview;                // the picture with its untouched colour table
    std::vector<ColorRef> m_saved; // that table
    QImage m_picture;
};

} // namespace kf
