#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace pw {

class Skin;

/// A button drawn from the skin: its picture, the highlight picture while the mouse is over it,
/// and the picture faded while it is disabled. Its size is the picture's.
class ImageButton : public QAbstractButton
{
    Q_OBJECT
public:
    /// `picture` names the skin's NAME.png and NAME_hover.png; `text` is drawn only when the
    /// picture is missing, and names the button for accessibility.
    ImageButton(const Skin& skin, const QString& picture, const QString& text, QWidget* parent);

    QSize sizeHint() const override;

    /// True while the highlight picture is shown.
    bool Highlighted() const { return isEnabled() && underMouse(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
    QPixmap m_hover;
};

} // namespace pw
