#pragma once

// KeyRecord: one key of a keyboard layout, 276 bytes, the same image in a ".kbl" file and in
// the layout model (see keyboardlayout.h for the file around it). Little-endian, characters
// are UTF-16 code units.
//
// | Offset | Size | Type   | Meaning                                                          |
// |--------|------|--------|------------------------------------------------------------------|
// | 0      | 1    | uint8  | display state: zero in files; the keyboard view draws from it    |
// |        |      |        | (0 normal, 1 pressed, 2 pressed and struck out, 3 disabled)      |
// | 1      | 1    |        | reserved, zero                                                   |
// | 2      | 2    | char16 | base: character typed without modifiers; for modifier and lock   |
// |        |      |        | keys, Backspace, Tab, Enter and Space the virtual-key code       |
// | 4      | 2    | char16 | shifted character (0: none)                                      |
// | 6      | 2    | char16 | AltGr character (0: none)                                        |
// | 8      | 2    | char16 | Shift+AltGr character (0: none)                                  |
// | 10     | 2    |        | reserved, zero                                                   |
// | 12     | 4    | uint32 | code: bits 0-3 kind, 4-7 finger, 8-11 hand, 12-15 hint mark      |
// |        |      |        | (zero in files), 16-31 zero                                      |
// | 16     | 2    | uint16 | width in half-key units below 64 (2 ordinary key, 3 Tab, 4 Caps  |
// |        |      |        | Lock/Ctrl/Alt, 5 Shift, 14 Space); shapes 73 and 83 (two-row     |
// |        |      |        | Enter whose upper or lower part is half a key narrower on its    |
// |        |      |        | left), 94 (one unit wide, two rows high)                         |
// | 18     | 258  |        | reserved, zero                                                   |

#include "platform/bytes.h"

#include <cstdint>

namespace kf {

// Kind of a key (code bits 0-3).
enum class KeyKind : uint8_t {
    Ordinary = 0, // a character key; Shift always gives the shifted character
    Letter = 1,   // Caps Lock swaps base and shifted
    Modifier = 2, // modifier or lock key without a character of its own
};

// Finger numbers (code bits 4-7), shared with the finger assignment files.
namespace finger {
constexpr uint8_t Thumb = 0;
constexpr uint8_t Index = 1;
constexpr uint8_t Middle = 2;
constexpr uint8_t Ring = 3;
constexpr uint8_t Little = 4;
} // namespace finger

// Hand values (code bits 8-11): 0 right, anything else counts as left.
namespace hand {
constexpr uint8_t Right = 0;
constexpr uint8_t Left = 1;
} // namespace hand

// The virtual-key codes that stand in the base field of control keys.
namespace vk {
constexpr char16_t Backspace = 8;
constexpr char16_t Tab = 9;
constexpr char16_t Enter = 13;
constexpr char16_t CapsLock = 20;
constexpr char16_t Space = 32;
constexpr char16_t NumLock = 144;
constexpr char16_t LeftShift = 160;
constexpr char16_t RightShift = 161;
constexpr char16_t LeftCtrl = 162;
constexpr char16_t RightCtrl = 163;
constexpr char16_t LeftAlt = 164;
constexpr char16_t RightAlt = 165;
} // namespace vk

// Width codes with a shape of their own.
namespace keywidth {
constexpr uint16_t Ordinary = 2;
constexpr uint16_t EnterNarrowTop = 73;
constexpr uint16_t EnterNarrowBottom = 83;
constexpr uint16_t DoubleHeight = 94;
} // namespace keywidth

class KeyRecord : public RecordImage<276>
{
public:
    static constexpr size_t kOffState = 0;
    static constexpr size_t kOffBase = 2;
    static constexpr size_t kOffShifted = 4;
    static constexpr size_t kOffAltGr = 6;
    static constexpr size_t kOffShiftAltGr = 8;
    static constexpr size_t kOffCode = 12;
    static constexpr size_t kOffWidth = 16;

    // Characters by level: 0 base, 1 shifted, 2 AltGr, 3 Shift+AltGr (0 for any other level).
    static constexpr int kLevels = 4;
    char16_t Char(int level) const;
    void SetChar(int level, char16_t c);

    char16_t Base() const { return Char(0); }
    char16_t Shifted() const { return Char(1); }
    char16_t AltGr() const { return Char(2); }
    char16_t ShiftAltGr() const { return Char(3); }

    uint8_t DisplayState() const { return U8(kOffState); }
    void SetDisplayState(uint8_t state) { SetU8(kOffState, state); }

    uint32_t Code() const { return U32(kOffCode); }
    void SetCode(uint32_t code) { SetU32(kOffCode, code); }
    // The kind bits as stored (values above 2 are possible in foreign files).
    uint8_t KindBits() const { return static_cast<uint8_t>(Code() & 0xF); }
    bool IsModifier() const { return KindBits() == static_cast<uint8_t>(KeyKind::Modifier); }
    bool IsLetter() const { return KindBits() == static_cast<uint8_t>(KeyKind::Letter); }
    uint8_t Finger() const { return static_cast<uint8_t>((Code() >> 4) & 0xF); }
    // The hand bits as stored: 0 right, any other value left.
    uint8_t HandBits() const { return static_cast<uint8_t>((Code() >> 8) & 0xF); }
    bool IsLeftHand() const { return HandBits() != 0; }
    uint8_t HintMark() const { return static_cast<uint8_t>((Code() >> 12) & 0xF); }

    void SetKind(uint8_t kind) { SetBits(0, kind); }
    void SetFinger(uint8_t f) { SetBits(4, f); }
    void SetHand(uint8_t h) { SetBits(8, h); }
    void SetHintMark(uint8_t mark) { SetBits(12, mark); }

    uint16_t Width() const { return U16(kOffWidth); }
    void SetWidth(uint16_t width) { SetU16(kOffWidth, width); }

    // True when the key's base, shifted, AltGr or Shift+AltGr character is c (c != 0).
    bool Produces(char16_t c) const;

private:
    // Replaces the 4 bits at shift by the low 4 bits of value.
    void SetBits(unsigned shift, uint8_t value);
};
static_assert(KeyRecord::kSize == 276);

} // namespace kf
