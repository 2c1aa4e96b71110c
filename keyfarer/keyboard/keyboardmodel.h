#pragma once

// CKeyboardModel: the on-screen keyboard without a toolkit. It is the loaded keyboard layout
// (CKeyboardLayout) plus what the view shows of it: where every key sits and what shape it
// has, which labels it carries in the simple and the advanced view, which keys are marked as
// the next to strike (with the Shift and Alt keys they need) and how the marks blink, which
// keys the user holds down, the modifier and lock states, and the finger that strikes the
// next character. The widgets (keyboard/ui) draw this state and feed it key events; every
// rule lives here.
//
// Geometry, in pixels from the block's top-left corner, with the look's unit width W, key
// height H and gaps G (across) and V (down). Main block: rows H + V apart; each key starts G
// after the previous one. Width codes: n below 64 is n half keys, (n W + (n - 2) G) / 2 wide
// (2 a key, 3 Tab, 4 Caps Lock, 5 Shift, 14 the space bar); 73 and 83 are two-row Enter keys
// 2 H + V high, 73 2 W + G wide starting (W + G) / 2 left of the running edge with its upper
// part half a key narrower on the left, 83 (3 W + G) / 2 wide with its lower part half a key
// narrower on the left; 94 is one key wide and two rows high. The block is 15 W + 14 G wide and
// 5 H + 5 V high. The keypad: four columns; Num Lock, /, *, -; 7, 8, 9 and a two-row +; 4, 5,
// 6; 1, 2, 3 and a two-row Enter; a two-key 0 and the decimal key; 4 W + 3 G wide.

#include "content/keyboardlayout.h"
#include "keyboard/keyblink.h"
#include "skin/typingaspect.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kf {

// A key of the model: a main-block record or a keypad record.
struct KeyRef
{
    bool keypad = false;
    int index = -1;

    bool Valid() const { return index >= 0; }
    explicit operator bool() const { return Valid(); }
    friend bool operator==(const KeyRef&, const KeyRef&) = default;
};

// A key's outline: its bounding box, less a notch for the two-row Enter keys.
struct KeyShape
{
    int left = 0, top = 0, width = 0, height = 0;
    int notchLeft = 0, notchTop = 0, notchWidth = 0, notchHeight = 0;

    bool HasNotch() const { return notchWidth > 0 && notchHeight > 0; }
    bool Contains(int x, int y) const;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
};

enum class KeyboardViewKind : uint8_t {
    Main = 0,
    Keypad = 1,
};

// Display states of a key record.
namespace keystate {
constexpr uint8_t Normal = 0;
constexpr uint8_t Pressed = 1;
constexpr uint8_t StruckOut = 2; // pressed while another key was marked
constexpr uint8_t Disabled = 3;
} // namespace keystate

// What a key shows. Control keys carry a name; a character key one big character (the simple
// view, and letter keys in the advanced view) or up to four small ones at the corners (the
// advanced view: shifted top left, plain bottom left, AltGr bottom right, Shift+AltGr top
// right).
struct KeyLabels
{
    std::u16string name;  // "Shift", "Tab", "Num\nLock" ...; may hold a line break
    std::u16string large; // one character in the large font
    std::u16string topLeft, bottomLeft, bottomRight, topRight;
    std::u16string bar; // the space bar: the layout's name, drawn quietly
};

// The modifier and lock keys as the user holds them.
struct ModifierState
{
    bool leftShift = false, rightShift = false;
    bool leftCtrl = false, rightCtrl = false;
    bool leftAlt = false, rightAlt = false;
    bool capsLock = false, numLock = false;

    bool Shift() const { return leftShift || rightShift; }
    // AltGr: the right Alt key, or Ctrl and Alt together.
    bool AltGr() const { return rightAlt || ((leftCtrl || rightCtrl) && leftAlt); }
    friend bool operator==(const ModifierState&, const ModifierState&) = default;
};

// The finger for the next character: hand 0 is the first (left) hand, 1 the second.
struct FingerHint
{
    bool valid = false;
    int hand = 0;
    int finger = 0;
    friend bool operator==(const FingerHint&, const FingerHint&) = default;
};

class CKeyboardModel : public CKeyboardLayout
{
public:
    static constexpr size_t kMaxMarked = 256;

    CKeyboardModel();

    // --- Layout -------------------------------------------------------------------------------
    // Every load recomputes the shapes and the key mapping, clears marks and pressed keys.
    void ResetToDefaultLayout() override;
    bool LoadLayoutImage(ByteSpan image, bool check) override;
    // Applies an input-method keyboard (CKeyboardLayout::ApplyInputMethodKeyboard) and
    // refreshes the model.
    bool ApplyInputMethod(const InputMethodKeyboard& ime);

    // --- Geometry -----------------------------------------------------------------------------
    void SetGeometry(const KeyboardGeometry& geometry);
    const KeyboardGeometry& Geometry() const { return m_geometry; }
    void SetViewKind(KeyboardViewKind kind);
    KeyboardViewKind ViewKind() const { return m_viewKind; }
    bool KeypadView() const { return m_viewKind == KeyboardViewKind::Keypad; }
    // The size of the block shown (main block or keypad).
    int BlockWidth() const;
    int BlockHeight() const;
    // The keys shown, in record order.
    std::vector<KeyRef> VisibleKeys() const;
    const KeyShape& Shape(KeyRef key) const;
    // The shown key under the point (block coordinates), or an invalid ref.
    KeyRef KeyAt(int x, int y) const;
    const KeyRecord* Record(KeyRef key) const;

    // --- Labels --------------------------------------------------------------------------------
    void SetAdvancedView(bool on);
    bool AdvancedView() const { return m_advanced; }
    KeyLabels Labels(KeyRef key) const;
    // The character a key types in the current modifier and Caps Lock state (0 for none).
    char16_t CurrentCharacter(KeyRef key) const;

    // --- Marks ----------------------------------------------------------------------------------
    // Clears every mark and marks the keys of up to 256 characters (those on no key are
    // dropped), with the Shift key (and the Alt key) of the other hand when a character needs
    // it; the marks show at once and the blink rhythm starts again.
    void MarkNextCharacters(const char16_t* chars, size_t count);
    void ClearMarks();
    // The characters marked, the first is the next one.
    const std::u16string& MarkedCharacters() const { return m_markedChars; }
    bool IsMarked(KeyRef key) const;
    bool MarksShown() const { return m_marksShown; }
    // Blinking runs only while marking is enabled (the desk enables it in lesson mode);
    // disabling it leaves the marks shown.
    void SetMarkingEnabled(bool on);
    bool MarkingEnabled() const { return m_markingEnabled; }
    // The 200 ms tick; true when the marks toggled.
    bool BlinkTick();
    int BlinkDivider() const { return m_blink.Divider(); }

    // --- Real keys -------------------------------------------------------------------------------
    // A key went down. Disabled keys stay as they are. A character key that types the first
    // marked character takes that character's marks away (the next one becomes first); any
    // other character key pressed while characters are marked is struck out until released.
    void KeyDown(KeyRef key);
    void KeyUp(KeyRef key);
    // Copies the modifier and lock states into the modifier and lock keys (held keys and lit
    // locks are drawn pressed). True when anything changed.
    bool RefreshModifiers(const ModifierState& state);
    const ModifierState& Modifiers() const { return m_modifiers; }
    // Every key back to normal, except the disabled ones and lit locks (focus lost).
    void ReleaseAll();

    // --- Lookups
    // ---------------------------------------------------------------------------------- The key
    // for a character in the shown block and the current Caps Lock state.
    KeyMatch FindKeyForChar(char16_t ch) const;
    using CKeyboardLayout::FindKeyForChar;
    // The key of a physical key (scancodes.h); an invalid ref for keys the layout lacks.
    KeyRef KeyForScanCode(uint32_t code) const;
    // The first key that has the character on any level (for key events without a scan code).
    KeyRef KeyForCharacter(char16_t ch) const;
    // The first modifier or control key with that virtual-key code as its base.
    KeyRef KeyForVirtualKey(char16_t vk) const;
    // The finger that strikes ch: the finger of its key on the key's hand; no hint for a
    // character on no key.
    FingerHint NextFinger(char16_t ch) const;

    // --- Changes
    // ---------------------------------------------------------------------------------- The keys
    // whose look changed since the last call; all keys when everything changed (labels, layout,
    // geometry).
    std::vector<KeyRef> TakeChangedKeys();
    bool EverythingChanged() const { return m_allChanged; }

private:
    struct Marked
    {
        char16_t ch;
        KeyMatch match;
    };
    void Refresh();
    void ComputeShapes();
    void BuildScanMap();
    void ApplyMarks();
    void SetState(KeyRef key, uint8_t state);
    void SetHint(KeyRef key, bool on);
    KeyRef RefOf(const KeyMatch& match) const;
    KeyRecord* MutableRecord(KeyRef key);
    void Changed(KeyRef key);
    void ChangedAll() { m_allChanged = true; }

    KeyboardGeometry m_geometry;
    KeyboardViewKind m_viewKind = KeyboardViewKind::Main;
    bool m_advanced = true;
    std::array<KeyShape, kMainKeys> m_mainShapes{};
    std::array<KeyShape, kKeypadKeys> m_keypadShapes{};
    std::array<KeyRef, 256> m_scanMap{};

    std::vector<Marked> m_marked;
    std::u16string m_markedChars;
    bool m_marksShown = false;
    bool m_markingEnabled = false;
    CKeyBlink m_blink;
    ModifierState m_modifiers;

    std::vector<KeyRef> m_changed;
    bool m_allChanged = true;
};

} // namespace kf
