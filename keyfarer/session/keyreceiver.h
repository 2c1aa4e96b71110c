#pragma once

// KeyReceiver: turns the key events of the window system into the characters the typing desk
// judges, one at a time and in order. The ui fills a KeyInput from each key press (and from
// each committed input-method text) and hands every character of the answer to the desk.
//
// Rules:
// - Backspace, Enter (either Enter key) and Escape give 8, 13 and 27, whatever text they
//   carry; Tab gives 9.
// - Any other key gives the characters of its text: a plain key its character, a dead key
//   followed by a letter the composed character, an input method its committed text. Keys
//   that type nothing (Shift, function keys, arrows) give nothing.
// - A key pressed with Ctrl or Meta is a shortcut and types nothing. Control characters in a
//   text are dropped, except a line break, which is Enter (a CR LF pair is one Enter).
// - A character outside the 16-bit range arrives as a surrogate pair. When an event ends with
//   the first half, that half is held and completed by the next event; an event that does not
//   start with the second half (a named key, or a key without text) drops the held half.

#include <string>

namespace kf {

enum class ReceivedKey {
    Text,      // a key or an input-method commit whose text is the typed character(s)
    Backspace,
    Enter,
    Escape,
    Tab,
    Other,     // a key that types nothing by itself
};

struct KeyInput
{
    ReceivedKey key = ReceivedKey::Text;
    std::u16string text;
    bool controlOrMeta = false; // Ctrl or Meta held (AltGr is not Ctrl)
};

class KeyReceiver
{
public:
    // The characters to judge for one event, in order; empty when the event types nothing.
    std::u16string Receive(const KeyInput& input);
    // Forgets a held half character (the desk's view changed, the window lost the focus).
    void Reset() { m_held = 0; }
    bool HoldsHalfCharacter() const { return m_held != 0; }

private:
    char16_t m_held = 0;
};

} // namespace kf
