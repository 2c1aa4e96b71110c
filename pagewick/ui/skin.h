#pragma once

#include <QHash>
#include <QPixmap>
#include <QRegion>
#include <QString>

namespace pw {

/// The pictures of the skin, rendered into the program folder's "skin" folder at build time:
/// NAME.png, NAME@2x.png for screens with twice the pixel density, and NAME_hover.png for a
/// button's highlight.
class Skin
{
public:
    /// The colour that the window shapes leave transparent.
    static constexpr unsigned kColourKey = 0xFFFF00FFu;

    explicit Skin(const QString& folder);

    /// The style of the standard controls (lists, text boxes, choices) that sit on the skin.
    static QString StyleSheet();

    const QString& Folder() const { return m_folder; }

    /// The picture NAME, sharp on the screen's pixel density; a null pixmap when it is missing.
    QPixmap Picture(const QString& name) const;

    /// The part of picture NAME that is not in the colour key: the window's shape. Empty when the
    /// picture is missing or holds no key colour at all (the window then stays rectangular).
    QRegion ShapeOf(const QString& name) const;

private:
    QString m_folder;
    mutable QHash<QString, QPixmap> m_pictures;
};

} // namespace pw
