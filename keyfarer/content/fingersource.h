#pragma once

// The readable source of a finger assignment file (kftool finger make / dump). UTF-8 text;
// a line whose first non-blank character is "#" is a comment; blanks separate words.
//
//   family = us             the finger family of the layouts it is made for: us,
//                           international, european or a number (optional; when given,
//                           only layouts of that family are checked against it)
//   keyslots = 81           key slots of those layouts, 1 to 81 (default 81)
//   row 1: L4 L4 L3 ...     one code per key of the row, left to right, as the layouts list
//   ...                     their keys; rows 1 to 5 in order
//   row 5: ...
//   keypad: R1 R2 R3 ...    the 17 keypad keys in record order
//
// Instead of the rows, "main:" may give the 64 main records in one list (as a dump without a
// layout writes them). A code is the hand letter (L left, R right) and the finger number
// (0 thumb, 1 index, 2 middle, 3 ring, 4 little): "L4" is the left little finger; any other
// pair is written "hand:finger" with numbers 0 to 15. Main records past the rows and keypad
// records not given are R0, as in an unused record.

#include "content/fingerassignment.h"
#include "content/keyboardlayout.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kf {

struct FingerSource
{
    FingerAssignment assignment;
    std::optional<uint8_t> family;
    // Keys given per row; empty when the source used "main:".
    std::optional<std::array<uint8_t, KeyboardLayoutHeader::kRows>> rowCounts;
    size_t keypadCount = 0;
};

// Compiles a finger source. False with a message naming the line, out untouched.
bool CompileFingerSource(std::string_view source, FingerSource& out, std::string& error);

// Checks that a compiled source fits a layout: the same key slots, and (when the source gave
// rows) the same number of keys in every row and all 17 keypad keys. False with a message.
bool FingerSourceFitsLayout(const FingerSource& source, const CKeyboardLayout& layout,
                            std::string& error);

// The source text of a finger assignment; with a layout, its rows follow the layout's rows
// and its family is named, otherwise the main records are one "main:" list.
std::string FingerSourceText(const FingerAssignment& fingers, const CKeyboardLayout* layout);

} // namespace kf
