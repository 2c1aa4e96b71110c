#pragma once

// The readable source of a ".kbl" keyboard layout, from which the build makes the shipped
// layouts (kftool kbl make) and into which kftool kbl dump turns any layout file. UTF-8 text,
// one item per line; blanks (spaces, tabs) separate the words of a line; a line whose first
// non-blank character is "#" is a comment.
//
// Header lines, before the first row, each at most once:
//   name = US                    layout name, at most 31 characters (required)
//   codepage = 1252              Windows code page of the language (default 1252)
//   family = us                  finger family: us (0), international (1), european (2)
//                                or a number (required)
//   hand = 0                     0: offered for every WhichHand value (default 0)
//   type = 0                     layout type, the KeyboardLayoutType of its courses
//                                (keyboardlayoutheader.h; default 0)
//   version = 258                default 258 (0x0102)
//   keyslots = 81                default 81
//   caption tab = Tab            the nine key captions (tab, capslock, enter, shift, ctrl,
//                                leftalt, rightalt, numlock, backspace), at most 19
//                                characters each
// In the name and the captions "\n" is a line break, "\\" a backslash and "\xHH" the
// character of that code (the dump writes controls and blanks at either end so).
//
// Then "row 1" to "row 5" in that order and "keypad" (17 keys, or none at all), each followed
// by one line per key, left to right:
//   kind  base  shifted  altgr  shift-altgr  finger  hand  width
//   letter q    Q        @      --           little  left  2
// kind: key (ordinary), letter (Caps Lock swaps base and shifted), mod (modifier or lock),
//       or a number 0 to 15.
// characters: one character as it is, "U+20AC" by its code (up to FFFF), "--" for none, or
//       the name of a control key's virtual-key code: backspace, tab, enter, capslock, space,
//       numlock, lshift, rshift, lctrl, rctrl, lalt, ralt.
// finger: thumb, index, middle, ring, little (or 0 to 15); hand: left, right (or 0 to 15).
// width: half-key units 1 to 63 (2 an ordinary key), or the shapes 73, 83, 94.
// At most 64 main keys in all.

#include "content/keyboardlayout.h"
#include "platform/bytes.h"

#include <string>
#include <string_view>

namespace kf {

// Compiles a layout source into a 23,120-byte image that LoadLayoutImage accepts with
// checking. False with a message naming the line ("line 12: unknown finger "pinky"") and the
// image untouched.
bool CompileLayoutSource(std::string_view source, Bytes& image, std::string& error);

// The source text of a loaded layout; compiling it gives the same image (records past the
// keys in use aside, which are summarised in a comment when not empty).
std::string LayoutSourceText(const CKeyboardLayout& layout);

// Source words shared with the finger source and the dumps: the name of a virtual-key code
// that stands in a control key's base ("lshift"), empty for other codes; and the words of
// finger and kind values ("little", "letter"), empty for values without a word.
std::string VirtualKeyName(char16_t code);
std::string FingerWord(uint8_t finger);
std::string KindWord(uint8_t kind);

} // namespace kf
