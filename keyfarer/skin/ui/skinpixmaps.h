#pragma once

// The bridge from the look (plain C++) to Qt: colours, fonts, pictures and shapes as Qt
// types, and the piece-wise drawing every skinned control uses.

#include "skin/controlaspect.h"
#include "skin/skinregion.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QRegion>
#include <QString>

#include <string>

class QPainter;

namespace kf {

QColor ToQColor(ColorRef color);
QString ToQString(std::u16string_view text);
std::u16string FromQString(const QString& text);

// The look's colour as a QColor.
inline QColor LookQColor(const CControlAspect& look, LookColor which)
{
    return ToQColor(look.Color(which));
}

// The font with its face mapped to an installed family (FontCandidates, first one the font
// database knows).
QFont ToQFont(const FontDesc& font);
inline QFont LookQFont(const CControlAspect& look, LookFont which)
{
    return ToQFont(look.Font(which));
}

// A palette picture as an indexed QImage sharing the recoloured colour table; the key index
// becomes transparent. True-colour pictures become ARGB32.
QImage ToQImage(const CDib& dib);

// The look's picture of that name as a pixmap, converted once per look generation; a null
// pixmap when the skin lacks it (callers then draw a plain shape).
QPixmap SkinPixmap(const CControlAspect& look, std::string_view name);

QRegion ToQRegion(const CSkinRegion& region);

// The desk's modal dimming: a copy in grey, each pixel's channels replaced by their mean.
QImage DimmedCopy(const QImage& image);

// Draws `source` of `pixmap` into `target`, keeping `edge` pixels at the left and right as
// they are and stretching the middle (three pieces side by side).
void DrawThreeSlice(QPainter& painter, const QPixmap& pixmap, const QRect& source,
                    const QRect& target, int edge);
// The same with the fixed ends at the top and bottom.
void DrawThreeSliceVertical(QPainter& painter, const QPixmap& pixmap, const QRect& source,
                            const QRect& target, int edge);
// Nine pieces: corners as they are, edges stretched, the middle stretched too.
void DrawNineSlice(QPainter& painter, const QPixmap& pixmap, const QRect& source,
                   const QRect& target, int left, int top, int right, int bottom);

} // namespace kf
