#pragma once

// Key references in lesson names and descriptions: "#" followed by decimal digits names a
// key record of the keyboard layout, and the lesson lists show that key's character instead.
//
//   course layout type   number n                  character shown
//   5 (keypad)           0..16, or 100..116 (-100) base character of keypad key n
//   any other            below 100                 letter key: shifted (the capital);
//                                                  other keys: base
//   any other            100 or more (n - 100)     letter key: base (the small letter);
//                                                  other keys: shifted
//
// A number outside the layout's key records, a key without the character asked for, and
// modifier and lock keys (whose base is a virtual-key code, not a character) expand to
// nothing. "#" without digits stays as it is.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kf {

// What the expansion needs of one key record (keyboard layout key record, base, shifted and
// the kind bits of its code).
struct KeyCaps
{
    static constexpr uint8_t kOrdinary = 0;
    static constexpr uint8_t kLetter = 1;
    static constexpr uint8_t kModifier = 2;

    char16_t base = 0;
    char16_t shifted = 0;
    uint8_t kind = kOrdinary;
};

// The keyboard model seen by the expansion: the keyboard layout (or a test's fake) answers
// for its main key records and its 17 keypad records.
class KeyReferenceModel
{
public:
    virtual ~KeyReferenceModel() = default;
    // False when index is not a main key record in use.
    virtual bool MainKey(size_t index, KeyCaps& out) const = 0;
    // False when index is not one of the keypad records.
    virtual bool KeypadKey(size_t index, KeyCaps& out) const = 0;
};

// The text with every key reference replaced (table above).
std::u16string ExpandKeyReferences(std::u16string_view text, uint8_t courseLayoutType,
                                   const KeyReferenceModel& model);

} // namespace kf
