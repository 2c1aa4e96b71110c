#pragma once

// The keyboard layout requests of the data supplier, answered from the data folder: the list
// of installed layouts and a layout image with the one-handed finger assignment applied. The
// supplier (CPump_TypingData) forwards ListKeyboardLayouts and LoadKeyboardLayout here and
// keeps the reply as its result buffer.
//
// Layout list item (528 bytes per installed layout, little-endian):
//
// | Offset | Size | Type       | Meaning                                                     |
// |--------|------|------------|-------------------------------------------------------------|
// | 0      | 4    | int32      | reserved, zero                                              |
// | 4      | 4    | uint32     | layout class: finger family (header byte 392) << 16 | hand  |
// |        |      |            | byte (header byte 393)                                      |
// | 8      | 520  | char16×260 | file name with ".kbl", NUL-terminated                       |
//
// The options pages offer an item when its hand (low 16 bits) is 0 or equals the WhichHand
// value chosen, under its file name without the extension.

#include "platform/bytes.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kf {

class LayoutListItem : public RecordImage<528>
{
public:
    static constexpr size_t kOffClass = 4;
    static constexpr size_t kOffFileName = 8;
    static constexpr size_t kFileNameUnits = 260;

    uint32_t LayoutClass() const { return U32(kOffClass); }
    uint8_t FingerFamily() const { return static_cast<uint8_t>(LayoutClass() >> 16); }
    uint16_t Hand() const { return static_cast<uint16_t>(LayoutClass() & 0xFFFF); }
    std::u16string FileName() const { return Text(kOffFileName, kFileNameUnits); }
    // The name the options lists show and store: the file name without its last 4 characters.
    std::u16string DisplayName() const;
    // True when the item is offered for the WhichHand value.
    bool OfferedFor(uint32_t whichHand) const { return Hand() == 0 || Hand() == whichHand; }
};
static_assert(LayoutListItem::kSize == 528);

// ListKeyboardLayouts: one item per file "*.kbl" (extension in any case) of
// dataFolder + "KBLayout" whose first 764 bytes begin with "KYKEYLAYOUT" and NUL, in the
// order ListDirectory yields them (by name, ignoring case). Folders, hidden files (names
// beginning with ".") and entries that are not regular files are skipped, and so is a file
// whose name does not fit the item's 259 characters (it could not be loaded by its listed
// name). A short or unreadable file is skipped too. reply holds the items; a missing or empty
// folder answers no items and succeeds. False (last error set) only when the folder exists
// but cannot be listed.
bool LocalListKeyboardLayouts(std::u16string_view dataFolder, Bytes& reply);

// LoadKeyboardLayout: the bytes of dataFolder + "KBLayout\" + name + ".kbl". When whichHand,
// taken as a byte, is not 0 and the layout's finger family is 0, 1 or 2, the finger file of
// that family and number (FingerAssignment::FileName) from the same folder is applied; if it
// is missing, unreadable or invalid the whole load fails. The image is not validated here
// (CKeyboardLayout::LoadLayoutImage does that), except that a finger file cannot be applied
// to an image too short to hold the records. name must be one file-name component ("..",
// separators and NUL are refused with InvalidName). A file above 1 MiB is refused with
// InvalidData, as no layout is larger than 23,120 bytes. On failure reply is empty and the
// last error says why (FileNotFound for a missing layout or finger file).
bool LocalLoadKeyboardLayout(std::u16string_view dataFolder, std::u16string_view name,
                             uint32_t whichHand, Bytes& reply);

} // namespace kf
