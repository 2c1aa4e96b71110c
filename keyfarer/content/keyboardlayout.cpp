#include "content/keyboardlayout.h"

#include "platform/lasterror.h"

#include <cstring>

namespace kf {
namespace {

// One key of the built-in table: base/shifted, kind, finger, hand, width.
struct TableKey
{
    char16_t base;
    char16_t shifted;
    uint8_t kind;
    uint8_t finger;
    uint8_t hand;
    uint8_t width;
};

constexpr uint8_t L = hand::Left;
constexpr uint8_t R = hand::Right;

// The built-in US layout, row by row; a two-row Enter in row 2, Backspace in row 1.
constexpr TableKey kDefaultMain[] = {
    // row 1
    {u'`', u'~', 0, 4, L, 2},
    {u'1', u'!', 0, 4, L, 2},
    {u'2', u'@', 0, 3, L, 2},
    {u'3', u'#', 0, 2, L, 2},
    {u'4', u'$', 0, 1, L, 2},
    {u'5', u'%', 0, 1, L, 2},
    {u'6', u'^', 0, 1, R, 2},
    {u'7', u'&', 0, 1, R, 2},
    {u'8', u'*', 0, 2, R, 2},
    {u'9', u'(', 0, 3, R, 2},
    {u'0', u')', 0, 4, R, 2},
    {u'-', u'_', 0, 4, R, 2},
    {u'=', u'+', 0, 4, R, 2},
    {u'\\', u'|', 0, 4, R, 2},
    {vk::Backspace, 0, 0, 4, R, 2},
    // row 2
    {vk::Tab, 0, 0, 4, L, 3},
    {u'q', u'Q', 1, 4, L, 2},
    {u'w', u'W', 1, 3, L, 2},
    {u'e', u'E', 1, 2, L, 2},
    {u'r', u'R', 1, 1, L, 2},
    {u't', u'T', 1, 1, L, 2},
    {u'y', u'Y', 1, 1, R, 2},
    {u'u', u'U', 1, 1, R, 2},
    {u'i', u'I', 1, 2, R, 2},
    {u'o', u'O', 1, 3, R, 2},
    {u'p', u'P', 1, 4, R, 2},
    {u'[', u'{', 0, 4, R, 2},
    {u']', u'}', 0, 4, R, 2},
    {vk::Enter, 0, 0, 4, R, 73},
    // row 3
    {vk::CapsLock, 0, 2, 4, L, 4},
    {u'a', u'A', 1, 4, L, 2},
    {u's', u'S', 1, 3, L, 2},
    {u'd', u'D', 1, 2, L, 2},
    {u'f', u'F', 1, 1, L, 2},
    {u'g', u'G', 1, 1, L, 2},
    {u'h', u'H', 1, 1, R, 2},
    {u'j', u'J', 1, 1, R, 2},
    {u'k', u'K', 1, 2, R, 2},
    {u'l', u'L', 1, 3, R, 2},
    {u';', u':', 0, 4, R, 2},
    {u'\'', u'"', 0, 4, R, 2},
    // row 4
    {vk::LeftShift, 0, 2, 4, L, 5},
    {u'z', u'Z', 1, 4, L, 2},
    {u'x', u'X', 1, 3, L, 2},
    {u'c', u'C', 1, 2, L, 2},
    {u'v', u'V', 1, 1, L, 2},
    {u'b', u'B', 1, 1, L, 2},
    {u'n', u'N', 1, 1, R, 2},
    {u'm', u'M', 1, 1, R, 2},
    {u',', u'<', 0, 2, R, 2},
    {u'.', u'>', 0, 3, R, 2},
    {u'/', u'?', 0, 4, R, 2},
    {vk::RightShift, 0, 2, 4, R, 5},
    // row 5
    {vk::LeftCtrl, 0, 2, 4, L, 4},
    {vk::LeftAlt, 0, 2, 1, L, 4},
    {vk::Space, 0, 0, 0, R, 14},
    {vk::RightAlt, 0, 2, 1, R, 4},
    {vk::RightCtrl, 0, 2, 4, R, 4},
};
constexpr uint8_t kDefaultRows[KeyboardLayoutHeader::kRows] = {15, 14, 12, 12, 5};

constexpr TableKey kDefaultKeypad[CKeyboardLayout::kKeypadKeys] = {
    {vk::NumLock, 0, 2, 1, R, 2}, {u'/', 0, 0, 2, R, 2},  {u'*', 0, 0, 3, R, 2},
    {u'-', 0, 0, 4, R, 2},        {u'7', 0, 0, 1, R, 2},  {u'8', 0, 0, 2, R, 2},
    {u'9', 0, 0, 3, R, 2},        {u'+', 0, 0, 4, R, 94}, {u'4', 0, 0, 1, R, 2},
    {u'5', 0, 0, 2, R, 2},        {u'6', 0, 0, 3, R, 2},  {u'1', 0, 0, 1, R, 2},
    {u'2', 0, 0, 2, R, 2},        {u'3', 0, 0, 3, R, 2},  {vk::Enter, 0, 1, 4, R, 94},
    {u'0', 0, 0, 0, R, 4},        {u'.', 0, 0, 3, R, 2},
};

static_assert(sizeof(kDefaultMain) / sizeof(kDefaultMain[0]) == 58);

void SetKey(KeyRecord& k, const TableKey& t)
{
    k.Clear();
    k.SetChar(0, t.base);
    k.SetChar(1, t.shifted);
    k.SetKind(t.kind);
    k.SetFinger(t.finger);
    k.SetHand(t.hand);
    k.SetWidth(t.width);
}

// The finger and hand of each column of the reduced input-method keyboard, as touch typing
// assigns them (left little finger on the first column ... right little finger on the tenth).
struct ColumnFinger
{
    uint8_t finger;
    uint8_t hand;
};
constexpr ColumnFinger kColumnFingers[10] = {
    {4, L}, {3, L}, {2, L}, {1, L}, {1, L}, {1, R}, {1, R}, {2, R}, {3, R}, {4, R},
};

void ClearViewState(KeyRecord& k)
{
    k.SetDisplayState(0);
    k.SetHintMark(0);
}

} // namespace

CKeyboardLayout::CKeyboardLayout()
{
    FillDefault();
}

void CKeyboardLayout::ResetToDefaultLayout()
{
    FillDefault();
}

void CKeyboardLayout::FillDefault()
{
    m_lastError = 0;
    m_header.Clear();
    m_header.SetMagic();
    m_header.SetName(u"USInternatinal");
    m_header.SetCodePage(1252);
    m_header.SetKeySlots(static_cast<uint16_t>(kMaxKeySlots));
    m_header.SetDeclaredFileSize(kFileSize);
    m_header.SetFingerFamily(1);
    m_header.SetHand(0);
    for (size_t row = 1; row <= KeyboardLayoutHeader::kRows; ++row)
        m_header.SetRowCount(row, kDefaultRows[row - 1]);
    m_header.SetCaption(KeyCaption::Tab, u"Tab");
    m_header.SetCaption(KeyCaption::CapsLock, u"Caps Lock");
    m_header.SetCaption(KeyCaption::Enter, u"Enter");
    m_header.SetCaption(KeyCaption::Shift, u"Shift");
    m_header.SetCaption(KeyCaption::Ctrl, u"Ctrl");
    m_header.SetCaption(KeyCaption::LeftAlt, u"Alt");
    m_header.SetCaption(KeyCaption::RightAlt, u"Alt");
    m_header.SetCaption(KeyCaption::NumLock, u"Num\nLock");
    m_header.SetCaption(KeyCaption::Backspace, u"Back");

    for (auto& k : m_mainKeys)
        k.Clear();
    size_t i = 0;
    for (const TableKey& t : kDefaultMain)
        SetKey(m_mainKeys[i++], t);
    for (size_t j = 0; j < kKeypadKeys; ++j)
        SetKey(m_keypadKeys[j], kDefaultKeypad[j]);
    RecountKeys();
    ClearInputMethod();
    m_loaded = true;
}

bool CKeyboardLayout::LoadLayoutImage(ByteSpan image, bool check)
{
    m_loaded = false;
    auto fail = [this](uint32_t code) {
        m_lastError = code;
        SetLastError(err::InvalidData);
        return false;
    };
    if (image.size() < kHeaderSize)
        return fail(kErrTooShort);
    KeyboardLayoutHeader header;
    header.Assign(image.first(kHeaderSize));
    // The records are copied whatever the header declares, so the image must hold them all.
    if (image.size() < header.DeclaredFileSize() || image.size() < kFileSize)
        return fail(kErrTooShort);
    if (check) {
        if (!header.HasMagic())
            return fail(kErrBadMagic);
        if (header.Version() != KeyboardLayoutHeader::kVersion)
            return fail(kErrBadVersion);
    }
    if (header.KeySlots() > kMaxKeySlots)
        return fail(kErrTooManyKeys);
    // Every view and generator indexes the main records by the row counts.
    if (header.RowCountSum() > kMainKeys)
        return fail(kErrTooManyKeys);

    m_header = header;
    for (size_t i = 0; i < kMainKeys; ++i) {
        m_mainKeys[i].Assign(image.subspan(SlotOffset(i), KeyRecord::kSize));
        ClearViewState(m_mainKeys[i]);
    }
    for (size_t i = 0; i < kKeypadKeys; ++i) {
        m_keypadKeys[i].Assign(
            image.subspan(kOffKeypadKeys + i * KeyRecord::kSize, KeyRecord::kSize));
        ClearViewState(m_keypadKeys[i]);
    }
    RecountKeys();
    ClearInputMethod();
    m_lastError = 0;
    m_loaded = true;
    return true;
}

void CKeyboardLayout::RecountKeys()
{
    m_hasAltGr = false;
    m_hasShiftAltGr = false;
    for (const auto& k : m_mainKeys) {
        m_hasAltGr = m_hasAltGr || k.AltGr() != 0;
        m_hasShiftAltGr = m_hasShiftAltGr || k.ShiftAltGr() != 0;
    }
    m_mainKeyCount = m_header.RowCountSum();
}

void CKeyboardLayout::ClearInputMethod()
{
    m_isInputMethod = false;
    m_inputMethod = InputMethodKeyboard();
    for (auto& label : m_labels)
        label.clear();
}

const KeyRecord* CKeyboardLayout::KeySlot(size_t n) const
{
    if (n >= KeySlots() || n >= kMaxKeySlots)
        return nullptr;
    return n < kMainKeys ? &m_mainKeys[n] : &m_keypadKeys[n - kMainKeys];
}

int CKeyboardLayout::RowOfMainKey(size_t i) const
{
    size_t end = 0;
    for (size_t row = 1; row <= KeyboardLayoutHeader::kRows; ++row) {
        end += m_header.RowCount(row);
        if (i < end)
            return static_cast<int>(row);
    }
    return 0;
}

size_t CKeyboardLayout::RowStart(size_t row) const
{
    if (row < 1 || row > KeyboardLayoutHeader::kRows)
        return m_mainKeyCount;
    size_t start = 0;
    for (size_t r = 1; r < row; ++r)
        start += m_header.RowCount(r);
    return start;
}

KeyMatch CKeyboardLayout::FindKeyForChar(char16_t ch, bool keypadMode, bool capsLock) const
{
    KeyMatch m;
    if (ch == 0)
        return m;
    if (keypadMode) {
        for (size_t i = 0; i < kKeypadKeys; ++i) {
            if (m_keypadKeys[i].Base() == ch) {
                m.key = &m_keypadKeys[i];
                m.index = static_cast<int>(i);
                m.keypad = true;
                return m;
            }
        }
        return m;
    }
    for (size_t i = 0; i < m_mainKeyCount; ++i) {
        const KeyRecord& k = m_mainKeys[i];
        if (k.IsModifier() || !k.Produces(ch))
            continue;
        m.key = &k;
        m.index = static_cast<int>(i);
        const uint8_t side = k.IsLeftHand() ? 2 : 1;
        if (k.Base() == ch)
            m.shift = capsLock && k.IsLetter() ? side : 0;
        else if (k.Shifted() == ch)
            m.shift = !capsLock || !k.IsLetter() ? side : 0;
        else if (k.AltGr() == ch)
            m.altGr = side;
        else
            m.shiftAltGr = side;
        return m;
    }
    return m;
}

KeyMatch CKeyboardLayout::FindModifierKey(char16_t vkCode, bool keypadMode) const
{
    KeyMatch m;
    const KeyRecord* keys = keypadMode ? m_keypadKeys.data() : m_mainKeys.data();
    const size_t count = keypadMode ? kKeypadKeys : kMainKeys;
    for (size_t i = 0; i < count; ++i) {
        if (keys[i].IsModifier() && keys[i].Base() == vkCode) {
            m.key = &keys[i];
            m.index = static_cast<int>(i);
            m.keypad = keypadMode;
            return m;
        }
    }
    return m;
}

Bytes CKeyboardLayout::LayoutImage() const
{
    Bytes out(kFileSize, 0);
    KeyboardLayoutHeader header = m_header;
    // A file may declare more bytes than the records need; the image written has exactly
    // those, and says so, or it would not load again.
    if (header.DeclaredFileSize() > kFileSize)
        header.SetDeclaredFileSize(kFileSize);
    std::memcpy(out.data(), header.data(), kHeaderSize);
    for (size_t i = 0; i < kMaxKeySlots; ++i) {
        KeyRecord k = i < kMainKeys ? m_mainKeys[i] : m_keypadKeys[i - kMainKeys];
        ClearViewState(k);
        std::memcpy(out.data() + SlotOffset(i), k.data(), KeyRecord::kSize);
    }
    return out;
}

bool CKeyboardLayout::ApplyInputMethodKeyboard(const InputMethodKeyboard& ime)
{
    if (ime.StandardLayout()) {
        if (!m_loaded)
            return false;
        for (auto& label : m_labels)
            label.clear();
        for (char16_t c : InputMethodKeyboard::StandardKeyChars()) {
            for (size_t i = 0; i < m_mainKeyCount; ++i) {
                if (!m_mainKeys[i].IsModifier() && m_mainKeys[i].Base() == c) {
                    m_labels[i] = ime.LabelFor(c);
                    break;
                }
            }
        }
    } else {
        BuildReducedKeyboard(ime);
    }
    m_inputMethod = ime;
    m_isInputMethod = true;
    return true;
}

void CKeyboardLayout::BuildReducedKeyboard(const InputMethodKeyboard& ime)
{
    static constexpr std::u16string_view kDigitRow = u"1234567890";
    static constexpr std::u16string_view kLetterRows[] = {u"qwertyuiop", u"asdfghjkl", u"zxcvbnm"};

    // The built-in header keeps the magic, code page and captions; rows and slots change.
    FillDefault();
    for (auto& k : m_mainKeys)
        k.Clear();
    for (auto& k : m_keypadKeys)
        k.Clear();
    for (size_t row = 1; row <= KeyboardLayoutHeader::kRows; ++row)
        m_header.SetRowCount(row, 0);

    size_t next = 0;
    size_t row = 1;
    auto addRow = [&](std::u16string_view chars, bool letters) {
        for (size_t col = 0; col < chars.size(); ++col) {
            KeyRecord& k = m_mainKeys[next++];
            const char16_t c = chars[col];
            k.SetChar(0, c);
            k.SetChar(1, letters ? static_cast<char16_t>(c - u'a' + u'A') : c);
            k.SetKind(static_cast<uint8_t>(letters ? KeyKind::Letter : KeyKind::Ordinary));
            k.SetFinger(kColumnFingers[col].finger);
            k.SetHand(kColumnFingers[col].hand);
            k.SetWidth(keywidth::Ordinary);
            m_labels[next - 1] = ime.LabelFor(c);
        }
        m_header.SetRowCount(row++, static_cast<uint8_t>(chars.size()));
    };
    if (ime.ContainNumericKey())
        addRow(kDigitRow, false);
    for (std::u16string_view letters : kLetterRows)
        addRow(letters, true);
    m_header.SetKeySlots(static_cast<uint16_t>(next));
    RecountKeys();
}

const std::u16string& CKeyboardLayout::KeyLabel(size_t i) const
{
    static const std::u16string kNone;
    return i < kMainKeys ? m_labels[i] : kNone;
}

} // namespace kf
