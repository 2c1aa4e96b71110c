#pragma once

// CKeyboardView: draws a keyboard layout (CKeyboardModel) in the look of the skin. Keys are
// drawn from the look's key pictures, one colour per finger (middle, ring, little, the
// others), pressed keys from the pressed pictures; keys marked as the next to strike in the
// look's highlight colours; a key pressed in error is struck out; disabled keys are grey.
// Labels follow the model's simple or advanced view. The widget is exactly the block's size
// (plus the keys' shadow) and repaints only the keys that changed.
//
// Every change goes through this class, so what is drawn always matches the model:
//   view.LoadLayoutImage(bytes, true);         // a layout from the data supplier
//   view.MarkNextCharacters(u"F", 1);          // marks F and the right Shift key
//   view.RefreshModifiers(state);              // Shift held: drawn pressed
// Model() gives read access (key lookups, the layout for the engine's key tables).

#include "keyboard/keyboardmodel.h"

#include <QHash>

#include <array>
#include <QPixmap>
#include <QWidget>

namespace kf {

class CTypingAspect;

class CKeyboardView : public QWidget
{
    Q_OBJECT
public:
    explicit CKeyboardView(const CTypingAspect* look, QWidget* parent = nullptr);
    ~CKeyboardView() override;

    const CKeyboardModel& Model() const { return m_model; }

    // The look: geometry, colours, fonts and key pictures; redraws.
    void SetLook(const CTypingAspect* look);
    const CTypingAspect* Look() const { return m_look; }

    // --- Layout (each redraws everything) ---------------------------------------------------
    bool LoadLayoutImage(ByteSpan image, bool check);
    void ResetToDefaultLayout();
    bool ApplyInputMethod(const InputMethodKeyboard& ime);

    // --- What is shown -----------------------------------------------------------------------
    void SetViewKind(KeyboardViewKind kind);
    // "Keyboard_AdvanceView": four characters per key instead of the one typed now.
    void SetAdvancedView(bool on);
    void MarkNextCharacters(const char16_t* chars, size_t count);
    void ClearMarks();
    bool RefreshModifiers(const ModifierState& state);
    // Redraws all keys; clearCache also drops the cached key faces (after a skin change).
    void Redraw(bool clearCache);

    // The key under a point of the widget (invalid when none).
    KeyRef KeyAt(const QPoint& point) const;
    // A key's outline in widget coordinates.
    QRect KeyRect(KeyRef key) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    // Repaints the keys the model reports as changed.
    void UpdateChangedKeys();
    CKeyboardModel& MutableModel() { return m_model; }

private:
    void PaintKey(class QPainter& painter, KeyRef key);
    // The key drawn as it looks now, from a cache keyed by what decides its look.
    QPixmap KeyPixmap(KeyRef key);
    void DropKeyPictures();
    QPixmap FacePixmap(int picture, bool pressed, int width, int height);
    // The face and lip colours of a key picture, for keys drawn as shapes (two-row Enter).
    std::pair<QColor, QColor> PictureColours(int picture, bool pressed);

    const CTypingAspect* m_look = nullptr;
    CKeyboardModel m_model;
    QHash<quint64, QPixmap> m_faces;
    QHash<int, std::pair<QColor, QColor>> m_pictureColours;
    // Per key (main keys, then the keypad): its pictures by look signature.
    std::array<QHash<quint32, QPixmap>, CKeyboardLayout::kMainKeys + CKeyboardLayout::kKeypadKeys>
        m_keyPictures;
    unsigned m_lookGeneration = ~0u;
};

} // namespace kf
