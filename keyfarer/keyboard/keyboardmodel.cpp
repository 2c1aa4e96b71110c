#include "keyboard/keyboardmodel.h"

#include "keyboard/scancodes.h"

#include <algorithm>

namespace kf {
namespace {

// Base codes of the keys that have no character of their own (or type a control code).
bool IsControlBase(char16_t base)
{
    switch (base) {
    case vk::Backspace:
    case vk::Tab:
    case vk::Enter:
    case vk::CapsLock:
    case vk::Space:
    case vk::NumLock:
    case vk::LeftShift:
    case vk::RightShift:
    case vk::LeftCtrl:
    case vk::RightCtrl:
    case vk::LeftAlt:
    case vk::RightAlt:
        return true;
    default:
        return false;
    }
}

bool IsCharacterKey(const KeyRecord& key)
{
    return !key.IsModifier() && !IsControlBase(key.Base());
}

// Keypad cells: column, row, columns wide, rows high.
struct KeypadCell
{
    int column, row, columns, rows;
};
constexpr KeypadCell kKeypadCells[CKeyboardLayout::kKeypadKeys] = {
    {0, 0, 1, 1}, {1, 0, 1, 1}, {2, 0, 1, 1}, {3, 0, 1, 1}, // Num Lock / * -
    {0, 1, 1, 1}, {1, 1, 1, 1}, {2, 1, 1, 1}, {3, 1, 1, 2}, // 7 8 9 +
    {0, 2, 1, 1}, {1, 2, 1, 1}, {2, 2, 1, 1},               // 4 5 6
    {0, 3, 1, 1}, {1, 3, 1, 1}, {2, 3, 1, 1}, {3, 3, 1, 2}, // 1 2 3 Enter
    {0, 4, 2, 1}, {2, 4, 1, 1},                             // 0 .
};

struct DefaultName
{
    char16_t base;
    KeyCaption caption;
    const char16_t* text;
};
constexpr DefaultName kDefaultNames[] = {
    {vk::LeftShift, KeyCaption::Shift, u"Shift"},
    {vk::RightShift, KeyCaption::Shift, u"Shift"},
    {vk::Tab, KeyCaption::Tab, u"Tab"},
    {vk::CapsLock, KeyCaption::CapsLock, u"Caps Lock"},
    {vk::Enter, KeyCaption::Enter, u"Enter"},
    {vk::LeftCtrl, KeyCaption::Ctrl, u"Ctrl"},
    {vk::RightCtrl, KeyCaption::Ctrl, u"Ctrl"},
    {vk::LeftAlt, KeyCaption::LeftAlt, u"Alt"},
    {vk::RightAlt, KeyCaption::RightAlt, u"Alt"},
    {vk::NumLock, KeyCaption::NumLock, u"Num\nLock"},
    {vk::Backspace, KeyCaption::Backspace, u"Back"},
};

std::u16string Single(char16_t c)
{
    return c ? std::u16string(1, c) : std::u16string();
}

} // namespace

bool KeyShape::Contains(int x, int y) const
{
    if (x < left || y < top || x >= Right() || y >= Bottom())
        return false;
    if (HasNotch() && x >= notchLeft && x < notchLeft + notchWidth && y >= notchTop &&
        y < notchTop + notchHeight)
        return false;
    return true;
}

CKeyboardModel::CKeyboardModel()
{
    Refresh();
}

// --- Layout ---------------------------------------------------------------------------------

void CKeyboardModel::ResetToDefaultLayout()
{
    CKeyboardLayout::ResetToDefaultLayout();
    Refresh();
}

bool CKeyboardModel::LoadLayoutImage(ByteSpan image, bool check)
{
    const bool ok = CKeyboardLayout::LoadLayoutImage(image, check);
    if (ok)
        Refresh();
    return ok;
}

bool CKeyboardModel::ApplyInputMethod(const InputMethodKeyboard& ime)
{
    const bool ok = ApplyInputMethodKeyboard(ime);
    if (ok)
        Refresh();
    return ok;
}

void CKeyboardModel::Refresh()
{
    m_marked.clear();
    m_markedChars.clear();
    m_marksShown = false;
    for (size_t i = 0; i < kMainKeys; ++i) {
        MutableMainKey(i)->SetHintMark(0);
        if (MutableMainKey(i)->DisplayState() != keystate::Disabled)
            MutableMainKey(i)->SetDisplayState(keystate::Normal);
    }
    for (size_t i = 0; i < kKeypadKeys; ++i) {
        MutableKeypadKey(i)->SetHintMark(0);
        if (MutableKeypadKey(i)->DisplayState() != keystate::Disabled)
            MutableKeypadKey(i)->SetDisplayState(keystate::Normal);
    }
    ComputeShapes();
    BuildScanMap();
    const ModifierState state = m_modifiers;
    m_modifiers = ModifierState{};
    RefreshModifiers(state);
    ChangedAll();
}

// --- Geometry -------------------------------------------------------------------------------

void CKeyboardModel::SetGeometry(const KeyboardGeometry& geometry)
{
    m_geometry = geometry;
    ComputeShapes();
    ChangedAll();
}

void CKeyboardModel::SetViewKind(KeyboardViewKind kind)
{
    if (kind == m_viewKind)
        return;
    m_viewKind = kind;
    // Marks follow the block shown: a character is looked up again in the other block.
    const std::u16string chars = m_markedChars;
    if (!chars.empty())
        MarkNextCharacters(chars.data(), chars.size());
    ChangedAll();
}

int CKeyboardModel::BlockWidth() const
{
    const KeyboardGeometry& g = m_geometry;
    return KeypadView() ? 4 * g.unitWidth + 3 * g.gapX : 15 * g.unitWidth + 14 * g.gapX;
}

int CKeyboardModel::BlockHeight() const
{
    return 5 * m_geometry.keyHeight + 5 * m_geometry.gapY;
}

void CKeyboardModel::ComputeShapes()
{
    const int W = m_geometry.unitWidth, H = m_geometry.keyHeight;
    const int G = m_geometry.gapX, V = m_geometry.gapY;
    const int half = (W + G) / 2;
    m_mainShapes.fill(KeyShape{});
    for (int row = 1; row <= 5; ++row) {
        const size_t first = RowStart(static_cast<size_t>(row));
        const size_t end = row < 5 ? RowStart(static_cast<size_t>(row + 1)) : MainKeyCount();
        int x = 0;
        const int y = (row - 1) * (H + V);
        for (size_t i = first; i < end && i < kMainKeys; ++i) {
            const uint16_t code = MainKey(i)->Width();
            KeyShape s;
            s.top = y;
            s.height = H;
            s.left = x;
            if (code == keywidth::EnterNarrowTop) {
                s.left = x - half;
                s.width = 2 * W + G;
                s.height = 2 * H + V;
                s.notchLeft = s.left;
                s.notchTop = y;
                s.notchWidth = half;
                s.notchHeight = H + V;
            } else if (code == keywidth::EnterNarrowBottom) {
                s.width = (3 * W + G) / 2;
                s.height = 2 * H + V;
                s.notchLeft = s.left;
                s.notchTop = y + H;
                s.notchWidth = half;
                s.notchHeight = H + V;
            } else if (code == keywidth::DoubleHeight) {
                s.width = W;
                s.height = 2 * H + V;
            } else {
                const int n = code >= 2 && code < 64 ? code : 2;
                s.width = (n * W + (n - 2) * G) / 2;
            }
            m_mainShapes[i] = s;
            x = s.Right() + G;
        }
    }
    for (size_t i = 0; i < kKeypadKeys; ++i) {
        const KeypadCell& c = kKeypadCells[i];
        KeyShape s;
        s.left = c.column * (W + G);
        s.top = c.row * (H + V);
        s.width = c.columns * W + (c.columns - 1) * G;
        s.height = c.rows * H + (c.rows - 1) * V;
        m_keypadShapes[i] = s;
    }
}

std::vector<KeyRef> CKeyboardModel::VisibleKeys() const
{
    std::vector<KeyRef> keys;
    if (KeypadView()) {
        for (size_t i = 0; i < kKeypadKeys; ++i)
            keys.push_back({true, static_cast<int>(i)});
    } else {
        for (size_t i = 0; i < MainKeyCount(); ++i)
            keys.push_back({false, static_cast<int>(i)});
    }
    return keys;
}

const KeyShape& CKeyboardModel::Shape(KeyRef key) const
{
    static const KeyShape kNone;
    if (!key.Valid())
        return kNone;
    if (key.keypad)
        return static_cast<size_t>(key.index) < kKeypadKeys ? m_keypadShapes[size_t(key.index)]
                                                            : kNone;
    return static_cast<size_t>(key.index) < kMainKeys ? m_mainShapes[size_t(key.index)] : kNone;
}

KeyRef CKeyboardModel::KeyAt(int x, int y) const
{
    for (const KeyRef& key : VisibleKeys())
        if (Shape(key).Contains(x, y))
            return key;
    return {};
}

const KeyRecord* CKeyboardModel::Record(KeyRef key) const
{
    if (!key.Valid())
        return nullptr;
    return key.keypad ? KeypadKey(size_t(key.index)) : MainKey(size_t(key.index));
}

KeyRecord* CKeyboardModel::MutableRecord(KeyRef key)
{
    if (!key.Valid())
        return nullptr;
    return key.keypad ? MutableKeypadKey(size_t(key.index)) : MutableMainKey(size_t(key.index));
}

// --- Labels ---------------------------------------------------------------------------------

void CKeyboardModel::SetAdvancedView(bool on)
{
    if (on == m_advanced)
        return;
    m_advanced = on;
    ChangedAll();
}

char16_t CKeyboardModel::CurrentCharacter(KeyRef key) const
{
    const KeyRecord* rec = Record(key);
    if (!rec || !IsCharacterKey(*rec))
        return 0;
    const bool shifted = m_modifiers.Shift() != (rec->IsLetter() && m_modifiers.capsLock);
    const int level = (shifted ? 1 : 0) + (m_modifiers.AltGr() ? 2 : 0);
    const char16_t c = rec->Char(level);
    // Keys without a shifted character type their plain one with Shift too.
    if (c == 0 && level == 1)
        return rec->Base();
    return c;
}

KeyLabels CKeyboardModel::Labels(KeyRef key) const
{
    KeyLabels labels;
    const KeyRecord* rec = Record(key);
    if (!rec)
        return labels;
    const char16_t base = rec->Base();
    if (base == vk::Space && !rec->IsModifier()) {
        labels.bar = Name();
        return labels;
    }
    if (rec->IsModifier() || IsControlBase(base)) {
        for (const DefaultName& d : kDefaultNames) {
            if (d.base != base)
                continue;
            labels.name = Caption(d.caption);
            if (labels.name.empty())
                labels.name = d.text;
            break;
        }
        return labels;
    }
    if (key.keypad) {
        labels.large = Single(base);
        return labels;
    }
    if (!m_advanced) {
        labels.large = Single(CurrentCharacter(key));
    } else if (rec->IsLetter()) {
        labels.large = Single(rec->Shifted() ? rec->Shifted() : base);
        // The AltGr characters of a letter key (the German @ and €) are worth finding.
        labels.bottomRight = Single(rec->AltGr());
        labels.topRight = Single(rec->ShiftAltGr());
    } else {
        labels.topLeft = Single(rec->Shifted());
        labels.bottomLeft = Single(base);
        labels.bottomRight = Single(rec->AltGr());
        labels.topRight = Single(rec->ShiftAltGr());
        // A key whose shifted character is its plain one shows it once.
        if (labels.topLeft == labels.bottomLeft) {
            labels.large = labels.bottomLeft;
            labels.topLeft.clear();
            labels.bottomLeft.clear();
        }
    }
    if (!key.keypad && static_cast<size_t>(key.index) < kMainKeys)
        labels.bottomRight =
            labels.bottomRight.empty() ? KeyLabel(size_t(key.index)) : labels.bottomRight;
    return labels;
}

// --- Marks ----------------------------------------------------------------------------------

KeyRef CKeyboardModel::RefOf(const KeyMatch& match) const
{
    if (!match)
        return {};
    return {match.keypad, match.index};
}

void CKeyboardModel::SetHint(KeyRef key, bool on)
{
    KeyRecord* rec = MutableRecord(key);
    if (!rec)
        return;
    const uint8_t mark = on ? 1 : 0;
    if (rec->HintMark() == mark)
        return;
    rec->SetHintMark(mark);
    Changed(key);
}

void CKeyboardModel::ApplyMarks()
{
    // Set from scratch rather than toggled, so two characters sharing a Shift key cannot
    // cancel each other's mark.
    std::vector<KeyRef> on;
    if (m_marksShown) {
        for (const Marked& m : m_marked) {
            on.push_back(RefOf(m.match));
            const uint8_t shiftSide = m.match.shift ? m.match.shift : m.match.shiftAltGr;
            const uint8_t altSide = m.match.altGr ? m.match.altGr : m.match.shiftAltGr;
            if (shiftSide)
                on.push_back(KeyForVirtualKey(shiftSide == 2 ? vk::RightShift : vk::LeftShift));
            if (altSide)
                on.push_back(KeyForVirtualKey(altSide == 2 ? vk::RightAlt : vk::LeftAlt));
        }
    }
    auto wanted = [&](KeyRef k) { return std::find(on.begin(), on.end(), k) != on.end(); };
    for (size_t i = 0; i < kMainKeys; ++i) {
        const KeyRef k{false, static_cast<int>(i)};
        SetHint(k, wanted(k));
    }
    for (size_t i = 0; i < kKeypadKeys; ++i) {
        const KeyRef k{true, static_cast<int>(i)};
        SetHint(k, wanted(k));
    }
}

void CKeyboardModel::MarkNextCharacters(const char16_t* chars, size_t count)
{
    m_marked.clear();
    m_markedChars.clear();
    for (size_t i = 0; chars && i < count && m_marked.size() < kMaxMarked; ++i) {
        const KeyMatch match = FindKeyForChar(chars[i]);
        if (!match)
            continue;
        m_marked.push_back({chars[i], match});
        m_markedChars.push_back(chars[i]);
    }
    m_blink.Restart();
    m_marksShown = !m_marked.empty();
    ApplyMarks();
}

void CKeyboardModel::ClearMarks()
{
    m_marked.clear();
    m_markedChars.clear();
    m_marksShown = false;
    ApplyMarks();
}

bool CKeyboardModel::IsMarked(KeyRef key) const
{
    const KeyRecord* rec = Record(key);
    return rec && rec->HintMark() != 0;
}

void CKeyboardModel::SetMarkingEnabled(bool on)
{
    m_markingEnabled = on;
    if (!on && !m_marked.empty() && !m_marksShown) {
        m_marksShown = true;
        ApplyMarks();
    }
}

bool CKeyboardModel::BlinkTick()
{
    if (!m_markingEnabled || m_marked.empty())
        return false;
    if (!m_blink.Tick())
        return false;
    m_marksShown = !m_marksShown;
    ApplyMarks();
    return true;
}

// --- Real keys ------------------------------------------------------------------------------

void CKeyboardModel::SetState(KeyRef key, uint8_t state)
{
    KeyRecord* rec = MutableRecord(key);
    if (!rec || rec->DisplayState() == keystate::Disabled || rec->DisplayState() == state)
        return;
    rec->SetDisplayState(state);
    Changed(key);
}

void CKeyboardModel::KeyDown(KeyRef key)
{
    const KeyRecord* rec = Record(key);
    if (!rec || rec->DisplayState() == keystate::Disabled)
        return;
    if (rec->IsModifier() || m_marked.empty()) {
        SetState(key, keystate::Pressed);
        return;
    }
    if (rec->Produces(m_marked.front().ch)) {
        m_marked.erase(m_marked.begin());
        m_markedChars.erase(m_markedChars.begin());
        ApplyMarks();
        SetState(key, keystate::Pressed);
        return;
    }
    SetState(key, keystate::StruckOut);
}

void CKeyboardModel::KeyUp(KeyRef key)
{
    const KeyRecord* rec = Record(key);
    if (!rec)
        return;
    const char16_t base = rec->Base();
    const bool lit = rec->IsModifier() && ((base == vk::CapsLock && m_modifiers.capsLock) ||
                                           (base == vk::NumLock && m_modifiers.numLock));
    SetState(key, lit ? keystate::Pressed : keystate::Normal);
}

bool CKeyboardModel::RefreshModifiers(const ModifierState& state)
{
    const ModifierState old = m_modifiers;
    m_modifiers = state;
    const struct
    {
        char16_t vk;
        bool on;
    } keys[] = {
        {vk::LeftShift, state.leftShift}, {vk::RightShift, state.rightShift},
        {vk::LeftCtrl, state.leftCtrl},   {vk::RightCtrl, state.rightCtrl},
        {vk::LeftAlt, state.leftAlt},     {vk::RightAlt, state.rightAlt},
        {vk::CapsLock, state.capsLock},   {vk::NumLock, state.numLock},
    };
    for (const auto& k : keys) {
        // Every key with that code: a layout may have two keys for one modifier.
        for (size_t i = 0; i < kMainKeys; ++i) {
            const KeyRecord* rec = MainKey(i);
            if (rec->IsModifier() && rec->Base() == k.vk)
                SetState({false, static_cast<int>(i)}, k.on ? keystate::Pressed : keystate::Normal);
        }
        for (size_t i = 0; i < kKeypadKeys; ++i) {
            const KeyRecord* rec = KeypadKey(i);
            if (rec->IsModifier() && rec->Base() == k.vk)
                SetState({true, static_cast<int>(i)}, k.on ? keystate::Pressed : keystate::Normal);
        }
    }
    if (state == old)
        return false;
    // What the keys type changes with Shift, AltGr and Caps Lock: the simple view's labels.
    if (!m_advanced && (state.Shift() != old.Shift() || state.AltGr() != old.AltGr() ||
                        state.capsLock != old.capsLock))
        ChangedAll();
    // A Caps Lock change moves the Shift a marked letter needs.
    if (state.capsLock != old.capsLock && !m_markedChars.empty()) {
        const std::u16string chars = m_markedChars;
        const bool shown = m_marksShown;
        m_marked.clear();
        for (char16_t c : chars)
            if (const KeyMatch match = FindKeyForChar(c))
                m_marked.push_back({c, match});
        m_marksShown = shown;
        ApplyMarks();
    }
    return true;
}

void CKeyboardModel::ReleaseAll()
{
    for (const KeyRef& key : VisibleKeys()) {
        const KeyRecord* rec = Record(key);
        if (rec->DisplayState() == keystate::Pressed || rec->DisplayState() == keystate::StruckOut)
            KeyUp(key);
    }
}

// --- Lookups --------------------------------------------------------------------------------

KeyMatch CKeyboardModel::FindKeyForChar(char16_t ch) const
{
    return CKeyboardLayout::FindKeyForChar(ch, KeypadView(), m_modifiers.capsLock);
}

void CKeyboardModel::BuildScanMap()
{
    m_scanMap.fill(KeyRef{});
    auto put = [&](uint32_t code, KeyRef key) {
        if (code < m_scanMap.size() && key.Valid())
            m_scanMap[code] = key;
    };
    put(scancode::kBackspace, KeyForVirtualKey(vk::Backspace));
    put(scancode::kTab, KeyForVirtualKey(vk::Tab));
    put(scancode::kEnter, KeyForVirtualKey(vk::Enter));
    put(scancode::kSpace, KeyForVirtualKey(vk::Space));
    put(scancode::kCapsLock, KeyForVirtualKey(vk::CapsLock));
    put(scancode::kLeftShift, KeyForVirtualKey(vk::LeftShift));
    put(scancode::kRightShift, KeyForVirtualKey(vk::RightShift));
    put(scancode::kLeftCtrl, KeyForVirtualKey(vk::LeftCtrl));
    put(scancode::kRightCtrl, KeyForVirtualKey(vk::RightCtrl));
    put(scancode::kLeftAlt, KeyForVirtualKey(vk::LeftAlt));
    put(scancode::kRightAlt, KeyForVirtualKey(vk::RightAlt));

    const auto keypad = scancode::KeypadKeys();
    for (size_t i = 0; i < keypad.size() && i < kKeypadKeys; ++i)
        put(keypad[i], {true, static_cast<int>(i)});

    if (IsInputMethodKeyboard()) {
        // A reduced keyboard has its letters and digits where a US keyboard has them.
        for (uint32_t code = 1; code < m_scanMap.size(); ++code)
            if (const char16_t c = scancode::UsCharacter(code); c && m_scanMap[code] == KeyRef{})
                for (size_t i = 0; i < MainKeyCount(); ++i)
                    if (IsCharacterKey(*MainKey(i)) && MainKey(i)->Base() == c) {
                        put(code, {false, static_cast<int>(i)});
                        break;
                    }
        return;
    }

    // The character keys of each row, left to right, match the physical keys of that row; a
    // row with one key more has the key beside Enter (rows 1 to 3) or the ISO key left of Z
    // (row 4).
    for (int row = 1; row <= 4; ++row) {
        std::vector<size_t> keys;
        const size_t first = RowStart(static_cast<size_t>(row));
        const size_t end = RowStart(static_cast<size_t>(row + 1));
        for (size_t i = first; i < end && i < MainKeyCount(); ++i)
            if (IsCharacterKey(*MainKey(i)))
                keys.push_back(i);
        const auto standard = scancode::CharacterRow(row);
        std::vector<uint32_t> codes(standard.begin(), standard.end());
        if (keys.size() > codes.size()) {
            if (row == 4)
                codes.insert(codes.begin(), scancode::kIso102nd);
            else
                codes.push_back(scancode::kBackslash);
        }
        for (size_t k = 0; k < keys.size() && k < codes.size(); ++k)
            put(codes[k], {false, static_cast<int>(keys[k])});
    }
}

KeyRef CKeyboardModel::KeyForScanCode(uint32_t code) const
{
    return code < m_scanMap.size() ? m_scanMap[code] : KeyRef{};
}

KeyRef CKeyboardModel::KeyForCharacter(char16_t ch) const
{
    if (ch == 0)
        return {};
    if (KeypadView())
        for (size_t i = 0; i < kKeypadKeys; ++i)
            if (!KeypadKey(i)->IsModifier() && KeypadKey(i)->Produces(ch))
                return {true, static_cast<int>(i)};
    for (size_t i = 0; i < MainKeyCount(); ++i)
        if (IsCharacterKey(*MainKey(i)) && MainKey(i)->Produces(ch))
            return {false, static_cast<int>(i)};
    return {};
}

KeyRef CKeyboardModel::KeyForVirtualKey(char16_t code) const
{
    for (size_t i = 0; i < MainKeyCount(); ++i) {
        const KeyRecord* rec = MainKey(i);
        if ((rec->IsModifier() || IsControlBase(rec->Base())) && rec->Base() == code)
            return {false, static_cast<int>(i)};
    }
    for (size_t i = 0; i < kKeypadKeys; ++i) {
        const KeyRecord* rec = KeypadKey(i);
        if (rec->Base() == code && (rec->IsModifier() || IsControlBase(code)))
            return {true, static_cast<int>(i)};
    }
    return {};
}

FingerHint CKeyboardModel::NextFinger(char16_t ch) const
{
    const KeyMatch match = FindKeyForChar(ch);
    if (!match)
        return {};
    FingerHint hint;
    hint.valid = true;
    hint.hand = match.key->IsLeftHand() ? 0 : 1;
    hint.finger = match.key->Finger();
    return hint;
}

// --- Changes --------------------------------------------------------------------------------

void CKeyboardModel::Changed(KeyRef key)
{
    if (m_allChanged)
        return;
    if (std::find(m_changed.begin(), m_changed.end(), key) == m_changed.end())
        m_changed.push_back(key);
}

std::vector<KeyRef> CKeyboardModel::TakeChangedKeys()
{
    std::vector<KeyRef> out;
    if (m_allChanged) {
        out = VisibleKeys();
    } else {
        out.swap(m_changed);
    }
    m_changed.clear();
    m_allChanged = false;
    return out;
}

} // namespace kf
