#pragma once

// CTypingKeyboard: the keyboard of the typing desk. On top of CKeyboardView it
// - blinks the next-key marks (a 200 ms timer; SetMarkingEnabled, which the desk turns on
//   in lesson mode only);
// - mirrors the real keyboard: every key press and release of the program reaches it (the
//   desk forwards them to ReflectKeyEvent, or InstallApplicationFilter watches them all) and
//   is drawn on the layout's key at the same place, found by the native scan code, with the
//   modifier and lock keys as the user holds them; it never consumes an event;
// - can be dragged inside its parent unless fixed, and reports a click on a key
//   (keyClicked with the key's plain character) so the desk can type it;
// - stops its timers and lets go of held keys while the program is inactive.
//
// The desk's round per keystroke: after judging, MarkNextCharacters with the next expected
// character (lesson and slide-show modes, "AllowKeyboardTips" on), and NextFinger for the
// hands picture.

#include "keyboard/ui/keyboardview.h"

#include <QPoint>

class QKeyEvent;
class QTimer;

namespace kf {

class CTypingKeyboard : public CKeyboardView
{
    Q_OBJECT
public:
    explicit CTypingKeyboard(const CTypingAspect* look, QWidget* parent = nullptr);
    ~CTypingKeyboard() override;

    // Blinking of the marks (lesson mode); off leaves the marks standing.
    void SetMarkingEnabled(bool on);
    bool MarkingEnabled() const { return Model().MarkingEnabled(); }

    // The program became inactive (timers stop, held keys are let go) or active again.
    void StopTimers();
    void StartTimers();
    bool TimersRunning() const;

    // One key press or release of the program. Events seen twice (on their way to a parent)
    // count once; auto-repeats change nothing.
    void ReflectKeyEvent(const QKeyEvent& event);
    // Watches every key event of the application (without consuming any).
    void InstallApplicationFilter();
    void RemoveApplicationFilter();

    // The finger for the next character (no hint for a character on no key).
    FingerHint NextFinger(char16_t ch) const { return Model().NextFinger(ch); }

    // Fixed in place: a click does not start moving the keyboard.
    void SetFixedInPlace(bool fixed) { m_fixed = fixed; }
    bool FixedInPlace() const { return m_fixed; }

    // The physical key code of an event on this platform (scancodes.h), 0 when unknown.
    static uint32_t PhysicalCode(const QKeyEvent& event);

signals:
    // A click on a key that types something: its plain character (8, 9, 13 and 32 for
    // Backspace, Tab, Enter and the space bar).
    void keyClicked(char16_t ch);
    // The user moved the keyboard to a new place in its parent.
    void moved(const QPoint& topLeft);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void OnBlinkTick();
    KeyRef KeyOfEvent(const QKeyEvent& event, uint32_t code) const;
    void TrackModifiers(const QKeyEvent& event, uint32_t code, bool down, KeyRef key);

    QTimer* m_blinkTimer = nullptr;
    bool m_active = true;
    bool m_fixed = false;
    bool m_filterInstalled = false;
    ModifierState m_held;
    // The last event reflected, to count an event once on its way through the parents.
    const void* m_lastEvent = nullptr;
    quint64 m_lastTimestamp = 0;
    int m_lastType = 0;
    int m_lastKey = 0;

    KeyRef m_pressKey;
    QPoint m_pressPos;
    QPoint m_pressTopLeft;
    bool m_dragging = false;
};

} // namespace kf
