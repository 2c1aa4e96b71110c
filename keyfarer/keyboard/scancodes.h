#pragma once

// Physical keys of a PC keyboard as the Linux input layer numbers them (the evdev codes, which
// are also the set-1 scan codes of the keys that have no extended prefix). The on-screen
// keyboard maps a pressed key to a key of the loaded layout by where the key sits, not by the
// character the system layout gives it, so a user practising a German layout on a machine set
// to US English still sees the key his finger pressed.

#include <cstdint>
#include <span>
#include <string_view>

namespace kf::scancode {

constexpr uint32_t kBackspace = 14;
constexpr uint32_t kTab = 15;
constexpr uint32_t kEnter = 28;
constexpr uint32_t kLeftCtrl = 29;
constexpr uint32_t kLeftShift = 42;
constexpr uint32_t kBackslash = 43; // the key beside Enter (ANSI \, ISO #)
constexpr uint32_t kRightShift = 54;
constexpr uint32_t kKeypadAsterisk = 55;
constexpr uint32_t kLeftAlt = 56;
constexpr uint32_t kSpace = 57;
constexpr uint32_t kCapsLock = 58;
constexpr uint32_t kNumLock = 69;
constexpr uint32_t kIso102nd = 86; // the ISO key left of Z
constexpr uint32_t kKeypadEnter = 96;
constexpr uint32_t kRightCtrl = 97;
constexpr uint32_t kKeypadSlash = 98;
constexpr uint32_t kRightAlt = 100;
constexpr uint32_t kCount = 256;

// The character keys of rows 1 to 4 of the common arrangement, left to right, without the
// keys that only some keyboards have there (43 and 86).
std::span<const uint32_t> CharacterRow(int row);

// The keypad keys in the order of a layout's 17 keypad records (Num Lock, /, *, -, 7, 8, 9,
// +, 4, 5, 6, 1, 2, 3, Enter, 0, decimal).
std::span<const uint32_t> KeypadKeys();

// The character a physical key gives on a US keyboard without modifiers (0 for none); used
// for keyboards that are not in the common arrangement (input-method keyboards).
char16_t UsCharacter(uint32_t code);

// The physical code of a native scan code: the X11 and Wayland keycodes are the evdev codes
// plus 8. 0 when the code is unknown (the offscreen platform reports none).
uint32_t FromXkbKeycode(uint32_t keycode);

} // namespace kf::scancode
