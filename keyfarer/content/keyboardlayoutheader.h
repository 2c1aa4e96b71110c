#pragma once

// KeyboardLayoutHeader: the 764-byte header of a ".kbl" keyboard layout file (the whole file
// is described in keyboardlayout.h). Little-endian; texts are UTF-16, NUL-terminated.
//
// | Offset | Size | Type      | Meaning                                                       |
// |--------|------|-----------|---------------------------------------------------------------|
// | 0      | 24   | char16×12 | magic "KYKEYLAYOUT" and NUL                                   |
// | 24     | 2    | uint16    | version, 0x0102                                               |
// | 26     | 2    | uint16    | Windows code page of the layout's language (1252 Western)     |
// | 28     | 64   | char16×32 | layout name                                                   |
// | 92     | 292  |           | reserved, zero                                                |
// | 384    | 2    | uint16    | key slots: key records a finger file must cover (81); 82 or   |
// |        |      |           | more is rejected                                              |
// | 386    | 2    |           | reserved, zero                                                |
// | 388    | 4    | uint32    | declared file size, 23,120                                    |
// | 392    | 1    | uint8     | finger family: 0 US, 1 international, 2 European              |
// | 393    | 1    | uint8     | hand: 0 offered for every WhichHand value, else only for that |
// | 394    | 1    | uint8     | layout type: the KeyboardLayoutType of the courses written   |
// |        |      |           | for this layout (0 in files that predate it; see below)       |
// | 395    | 1    |           | reserved, zero                                                |
// | 396    | 5    | uint8×5   | keys in rows 1 to 5 (top row first); their sum ≤ 64           |
// | 401    | 1    |           | reserved, zero                                                |
// | 402    | 360  | char16×20 | nine key captions: Tab, Caps Lock, Enter, Shift, Ctrl, left   |
// |        |      | ×9        | Alt, right Alt, Num Lock, Backspace                           |
// | 762    | 2    |           | reserved, zero                                                |
//
// The layout type. Courses say in "KeyboardLayoutType" which keyboard their key numbers
// ("KeyIndex", "#n") and texts are written for, and the desk refuses a course written for
// another keyboard than the loaded one. The layout states its own type in byte 394, which
// older files leave zero, so every such file (and the built-in default) counts as type 0,
// the US key order the English courses use. The values the shipped layouts use:
//   0 US QWERTY key order (US, Dvorak, Colemak, the built-in default)
//   1 German QWERTZ        3 French AZERTY        4 British (UK)
// Type 2 is left unused: the desk lets a course of type 2 run on any layout. 5 is the
// numeric-keypad course type and 255 means "any" in a course; neither names a layout.

#include "platform/bytes.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kf {

// The nine captions in their stored order.
enum class KeyCaption : uint8_t {
    Tab = 0,
    CapsLock,
    Enter,
    Shift,
    Ctrl,
    LeftAlt,
    RightAlt,
    NumLock,
    Backspace,
};

class KeyboardLayoutHeader : public RecordImage<764>
{
public:
    static constexpr size_t kOffMagic = 0;
    static constexpr size_t kMagicUnits = 12;
    static constexpr size_t kOffVersion = 24;
    static constexpr size_t kOffCodePage = 26;
    static constexpr size_t kOffName = 28;
    static constexpr size_t kNameUnits = 32;
    static constexpr size_t kOffKeySlots = 384;
    static constexpr size_t kOffFileSize = 388;
    static constexpr size_t kOffFingerFamily = 392;
    static constexpr size_t kOffHand = 393;
    static constexpr size_t kOffLayoutType = 394;
    static constexpr size_t kOffRowCounts = 396;
    static constexpr size_t kRows = 5;
    static constexpr size_t kOffCaptions = 402;
    static constexpr size_t kCaptionUnits = 20;
    static constexpr size_t kCaptions = 9;

    static constexpr uint16_t kVersion = 0x0102;
    static constexpr char16_t kMagic[] = u"KYKEYLAYOUT";

    // True when the header starts with "KYKEYLAYOUT" and its NUL.
    bool HasMagic() const;
    void SetMagic();
    // Same test on raw bytes (false when fewer than 24 bytes are given).
    static bool StartsWithMagic(ByteSpan bytes);

    uint16_t Version() const { return U16(kOffVersion); }
    void SetVersion(uint16_t v) { SetU16(kOffVersion, v); }
    uint16_t CodePage() const { return U16(kOffCodePage); }
    void SetCodePage(uint16_t cp) { SetU16(kOffCodePage, cp); }
    std::u16string Name() const { return Text(kOffName, kNameUnits); }
    void SetName(std::u16string_view name) { SetText(kOffName, kNameUnits, name); }
    uint16_t KeySlots() const { return U16(kOffKeySlots); }
    void SetKeySlots(uint16_t n) { SetU16(kOffKeySlots, n); }
    uint32_t DeclaredFileSize() const { return U32(kOffFileSize); }
    void SetDeclaredFileSize(uint32_t n) { SetU32(kOffFileSize, n); }
    uint8_t FingerFamily() const { return U8(kOffFingerFamily); }
    void SetFingerFamily(uint8_t f) { SetU8(kOffFingerFamily, f); }
    uint8_t Hand() const { return U8(kOffHand); }
    void SetHand(uint8_t h) { SetU8(kOffHand, h); }
    uint8_t LayoutType() const { return U8(kOffLayoutType); }
    void SetLayoutType(uint8_t t) { SetU8(kOffLayoutType, t); }

    // Keys in row 1 to 5 (0 for any other row).
    uint8_t RowCount(size_t row) const;
    void SetRowCount(size_t row, uint8_t n);
    // The sum of the five row counts (up to 1275 in a hostile file).
    unsigned RowCountSum() const;

    std::u16string Caption(KeyCaption which) const;
    void SetCaption(KeyCaption which, std::u16string_view text);
};
static_assert(KeyboardLayoutHeader::kSize == 764);
static_assert(KeyboardLayoutHeader::kOffCaptions +
                  KeyboardLayoutHeader::kCaptions * KeyboardLayoutHeader::kCaptionUnits * 2 ==
              762);

} // namespace kf
