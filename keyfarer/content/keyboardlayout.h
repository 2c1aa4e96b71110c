#pragma once

// CKeyboardLayout: the in-memory keyboard model the on-screen keyboard draws and the typing
// session hints from, loaded from a ".kbl" layout file, built in (the default US layout), or
// made from an ".ikbl" input-method keyboard.
//
// The ".kbl" file: exactly 23,120 bytes, little-endian, characters UTF-16.
//
// | Offset | Size   | Meaning                                                           |
// |--------|--------|-------------------------------------------------------------------|
// | 0      | 764    | header (keyboardlayoutheader.h): magic "KYKEYLAYOUT", version     |
// |        |        | 0x0102, code page, name, key slots, size, family, rows, captions  |
// | 764    | 17,664 | 64 main key records (keyrecord.h) of 276 bytes: row 1 left to     |
// |        |        | right, then row 2 ...; records past the rows' sum are zero        |
// | 18,428 | 4,692  | 17 numeric-keypad records: Num Lock, /, *, -, 7, 8, 9, +, 4, 5, 6, |
// |        |        | 1, 2, 3, Enter, 0, decimal                                        |
//
// Key slots number the records for finger files and course key references: slots 0 to 63
// are the main records, 64 to 80 the keypad records.

#include "content/keyboardlayoutheader.h"
#include "content/keyrecord.h"
#include "content/inputmethodkeyboard.h"
#include "platform/bytes.h"

#include <array>
#include <cstdint>
#include <string>

namespace kf {

// A key found for a character or a virtual-key code. The needs say which modifiers the
// character takes: 0 none, otherwise the side of the key's hand, 2 for a left-hand key and 1
// for a right-hand key (the keyboard view marks the Shift or Alt key of the other hand).
struct KeyMatch
{
    const KeyRecord* key = nullptr;
    int index = -1; // record index in the main block, or in the keypad when keypad is set
    bool keypad = false;
    uint8_t shift = 0;
    uint8_t altGr = 0;
    uint8_t shiftAltGr = 0;

    explicit operator bool() const { return key != nullptr; }
};

class CKeyboardLayout
{
public:
    static constexpr size_t kFileSize = 23120;
    static constexpr size_t kHeaderSize = KeyboardLayoutHeader::kSize;
    static constexpr size_t kMainKeys = 64;
    static constexpr size_t kKeypadKeys = 17;
    static constexpr size_t kOffMainKeys = 764;
    static constexpr size_t kOffKeypadKeys = kOffMainKeys + kMainKeys * KeyRecord::kSize;
    static constexpr size_t kMaxKeySlots = kMainKeys + kKeypadKeys;
    // The offset of key slot i's record in a file image (i below kMaxKeySlots).
    static constexpr size_t SlotOffset(size_t slot)
    {
        return kOffMainKeys + slot * KeyRecord::kSize;
    }

    // The model's error codes, set by a failing LoadLayoutImage.
    static constexpr uint32_t kErrTooShort = 5;    // shorter than 764 bytes, its declared size
                                                   // or the 23,120 bytes of the records
    static constexpr uint32_t kErrBadMagic = 6;    // not "KYKEYLAYOUT" (with checking)
    static constexpr uint32_t kErrTooManyKeys = 7; // 82 key slots or more, or rows above 64
    static constexpr uint32_t kErrBadVersion = 8;  // version not 0x0102 (with checking)

    // A new model holds the built-in default layout and counts as loaded.
    CKeyboardLayout();
    virtual ~CKeyboardLayout() = default;
    CKeyboardLayout(const CKeyboardLayout&) = default;
    CKeyboardLayout& operator=(const CKeyboardLayout&) = default;

    // Replaces the whole model with the built-in default US layout ("USInternatinal", code
    // page 1252, family 1, 58 main keys in rows of 15, 14, 12, 12, 5 with a two-row Enter,
    // the 17 keypad keys, no AltGr characters, version 0) and marks it loaded.
    virtual void ResetToDefaultLayout();

    // Validates a ".kbl" image and copies it into the model. With check the magic and the
    // version are tested too. On failure the error code says why (5 to 8, see above), the
    // last-error value is InvalidData, the keys stay as they were and the model counts as not
    // loaded. The display state and hint marks of the copied records are cleared, and any
    // input-method labels are dropped.
    virtual bool LoadLayoutImage(ByteSpan image, bool check);

    bool IsLoaded() const { return m_loaded; }
    uint32_t ErrorCode() const { return m_lastError; }

    const KeyboardLayoutHeader& Header() const { return m_header; }
    std::u16string Name() const { return m_header.Name(); }
    uint16_t CodePage() const { return m_header.CodePage(); }
    uint8_t FingerFamily() const { return m_header.FingerFamily(); }
    uint8_t LayoutType() const { return m_header.LayoutType(); }
    uint16_t KeySlots() const { return m_header.KeySlots(); }
    std::u16string Caption(KeyCaption which) const { return m_header.Caption(which); }

    // The main keys in use: the sum of the row counts (at most 64).
    size_t MainKeyCount() const { return m_mainKeyCount; }
    // True when some main key has an AltGr (a Shift+AltGr) character.
    bool HasAltGrChars() const { return m_hasAltGr; }
    bool HasShiftAltGrChars() const { return m_hasShiftAltGr; }

    // Main record i (0 to 63, also past the keys in use) and keypad record i (0 to 16);
    // nullptr outside.
    const KeyRecord* MainKey(size_t i) const { return i < kMainKeys ? &m_mainKeys[i] : nullptr; }
    const KeyRecord* KeypadKey(size_t i) const
    {
        return i < kKeypadKeys ? &m_keypadKeys[i] : nullptr;
    }
    // The record of key slot n as course key references number them: main records, then the
    // keypad; nullptr when n is not below both the layout's key slots and 81.
    const KeyRecord* KeySlot(size_t n) const;

    // The row (1 to 5) of main key i, or 0 when i is not a key in use.
    int RowOfMainKey(size_t i) const;
    // The index of the first main key of row 1 to 5 (MainKeyCount() for any other row).
    size_t RowStart(size_t row) const;

    // The key that types ch. In keypad mode the first keypad record whose base is ch (no
    // modifiers needed). Otherwise the first main key in use that is not a modifier and has
    // ch on a level, taking the lowest level that matches: the base needs Shift only for a
    // letter key under Caps Lock; the shifted character needs Shift unless Caps Lock is on
    // and the key is a letter key; AltGr and Shift+AltGr characters need those. A NUL finds
    // nothing (0 marks an empty level).
    KeyMatch FindKeyForChar(char16_t ch, bool keypadMode, bool capsLock) const;

    // The first modifier key (kind 2) whose base is the virtual-key code vk: among all 64 main
    // records, or among the keypad records in keypad mode.
    KeyMatch FindModifierKey(char16_t vk, bool keypadMode) const;

    // The 23,120-byte image of the model (display state and hint marks zero; a declared file
    // size above 23,120 is written as 23,120).
    Bytes LayoutImage() const;

    // Applies a parsed input-method keyboard. With its StandardLayout flag it labels the keys
    // of the loaded layout (false, nothing changed, when no layout is loaded): each standard
    // key character gets the label of its "KeyChars" entry on the first main key in use that
    // is not a modifier and has that base character. Otherwise it replaces the model by the
    // reduced keyboard: rows of 10, 10, 9 and 7 keys (1-9 and 0, Q-P, A-L, Z-M) with
    // ContainNumericKey, else 10, 9 and 7; key slots and main keys 36 or 26; letters have the
    // small letter as base and the capital as shifted character, digits the digit on both;
    // width 2; each key is given to the finger that strikes that column in touch typing, so
    // the finger hints stay right. Letter keys are letter keys, so Caps Lock works on them.
    bool ApplyInputMethodKeyboard(const InputMethodKeyboard& ime);

    // True after ApplyInputMethodKeyboard, until the next load or reset.
    bool IsInputMethodKeyboard() const { return m_isInputMethod; }
    const InputMethodKeyboard& InputMethod() const { return m_inputMethod; }
    // The input-method label of main key i (empty when none).
    const std::u16string& KeyLabel(size_t i) const;

protected:
    // Writable records for the keyboard view's display state and hint marks.
    KeyRecord* MutableMainKey(size_t i) { return i < kMainKeys ? &m_mainKeys[i] : nullptr; }
    KeyRecord* MutableKeypadKey(size_t i) { return i < kKeypadKeys ? &m_keypadKeys[i] : nullptr; }

private:
    void FillDefault();
    void BuildReducedKeyboard(const InputMethodKeyboard& ime);
    void RecountKeys();
    void ClearInputMethod();

    uint32_t m_lastError = 0;
    bool m_loaded = false;
    size_t m_mainKeyCount = 0;
    KeyboardLayoutHeader m_header;
    bool m_hasAltGr = false;
    bool m_hasShiftAltGr = false;
    std::array<KeyRecord, kMainKeys> m_mainKeys;
    std::array<KeyRecord, kKeypadKeys> m_keypadKeys;

    bool m_isInputMethod = false;
    InputMethodKeyboard m_inputMethod;
    std::array<std::u16string, kMainKeys> m_labels;
};
static_assert(CKeyboardLayout::kOffKeypadKeys == 18428);
static_assert(CKeyboardLayout::kOffKeypadKeys + CKeyboardLayout::kKeypadKeys * KeyRecord::kSize ==
              CKeyboardLayout::kFileSize);

} // namespace kf
