#include "content/layoutsource.h"

#include "content/sourcewords.h"
#include "platform/utf.h"

#include <array>
#include <cstdio>
#include <optional>
#include <vector>

namespace kf {
namespace {

using detail::SourceDecimal;
using detail::SourceWords;
using detail::TrimSource;

struct NamedCode
{
    const char* name;
    char16_t code;
};
constexpr NamedCode kVirtualKeys[] = {
    {"backspace", vk::Backspace}, {"tab", vk::Tab},           {"enter", vk::Enter},
    {"capslock", vk::CapsLock},   {"space", vk::Space},       {"numlock", vk::NumLock},
    {"lshift", vk::LeftShift},    {"rshift", vk::RightShift}, {"lctrl", vk::LeftCtrl},
    {"rctrl", vk::RightCtrl},     {"lalt", vk::LeftAlt},      {"ralt", vk::RightAlt},
};
constexpr const char* kFingerWords[] = {"thumb", "index", "middle", "ring", "little"};
constexpr const char* kKindWords[] = {"key", "letter", "mod"};
constexpr const char* kHandWords[] = {"right", "left"};
constexpr const char* kCaptionWords[] = {"tab",     "capslock", "enter",   "shift",    "ctrl",
                                         "leftalt", "rightalt", "numlock", "backspace"};
static_assert(std::size(kCaptionWords) == KeyboardLayoutHeader::kCaptions);

constexpr std::string_view kNone = "--";
constexpr const char* kColumnsComment =
    "#   kind   base      shifted altgr   s+altgr finger  hand   width\n";

template <size_t N>
std::optional<uint8_t> WordOrNumber(std::string_view w, const char* const (&words)[N],
                                    unsigned long max)
{
    for (size_t i = 0; i < N; ++i) {
        if (w == words[i])
            return static_cast<uint8_t>(i);
    }
    if (auto n = SourceDecimal(w, max))
        return static_cast<uint8_t>(*n);
    return std::nullopt;
}

// A character token: "--", a virtual-key name, "U+XXXX" or exactly one UTF-8 character in the
// Basic Multilingual Plane.
std::optional<char16_t> CharToken(std::string_view w)
{
    if (w == kNone)
        return char16_t{0};
    for (const NamedCode& n : kVirtualKeys) {
        if (w == n.name)
            return n.code;
    }
    if (w.size() > 2 && w.size() <= 6 && (w[0] == 'U' || w[0] == 'u') && w[1] == '+') {
        unsigned v = 0;
        for (char c : w.substr(2)) {
            int d = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : -1;
            if (d < 0)
                return std::nullopt;
            v = v * 16 + static_cast<unsigned>(d);
        }
        // Half of a surrogate pair is no character a key can type.
        if (v >= 0xD800 && v <= 0xDFFF)
            return std::nullopt;
        return static_cast<char16_t>(v);
    }
    const std::u16string u = FromUtf8(w);
    if (u.size() != 1 || ToUtf8(u) != w || (u[0] >= 0xD800 && u[0] <= 0xDFFF))
        return std::nullopt;
    return u[0];
}

bool ValidWidth(unsigned long w)
{
    return (w >= 1 && w < 64) || w == keywidth::EnterNarrowTop ||
           w == keywidth::EnterNarrowBottom || w == keywidth::DoubleHeight;
}

// Header texts in a source: "\n" is a line break, "\\" a backslash and "\xHH" the character
// of that code, so that controls and blanks at either end survive the line format.
std::u16string UnescapeText(std::string_view s)
{
    auto hex = [](char c) {
        return c >= '0' && c <= '9'   ? c - '0'
               : c >= 'a' && c <= 'f' ? c - 'a' + 10
               : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                      : -1;
    };
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == 'n' || s[i + 1] == '\\')) {
            out += s[i + 1] == 'n' ? '\n' : '\\';
            ++i;
        } else if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x' && hex(s[i + 2]) >= 0 &&
                   hex(s[i + 3]) >= 0) {
            out += static_cast<char>(hex(s[i + 2]) * 16 + hex(s[i + 3]));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return FromUtf8(out);
}

std::string EscapeText(std::u16string_view s)
{
    const std::string utf8 = ToUtf8(s);
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        const bool edgeBlank = c == ' ' && (i == 0 || i + 1 == utf8.size());
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c < 0x20 || c == 0x7F || edgeBlank) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

class SourceCompiler
{
public:
    bool Run(std::string_view source, Bytes& image, std::string& error);

private:
    bool Fail(const std::string& what)
    {
        m_error = "line " + std::to_string(m_line) + ": " + what;
        return false;
    }
    bool HeaderLine(std::string_view line);
    bool SectionLine(const std::vector<std::string_view>& words, bool& handled);
    bool KeyLine(const std::vector<std::string_view>& words);
    bool Finish();

    KeyboardLayoutHeader m_header;
    std::array<KeyRecord, CKeyboardLayout::kMainKeys> m_main;
    std::array<KeyRecord, CKeyboardLayout::kKeypadKeys> m_keypad;
    std::vector<std::string> m_seen;
    size_t m_line = 0;
    size_t m_mainCount = 0;
    size_t m_keypadCount = 0;
    int m_section = 0; // 0 header, 1 to 5 rows, 6 keypad
    bool m_haveName = false;
    bool m_haveFamily = false;
    bool m_haveKeypad = false;
    std::string m_error;
};

bool SourceCompiler::Run(std::string_view source, Bytes& image, std::string& error)
{
    m_header.SetMagic();
    m_header.SetVersion(KeyboardLayoutHeader::kVersion);
    m_header.SetCodePage(1252);
    m_header.SetKeySlots(static_cast<uint16_t>(CKeyboardLayout::kMaxKeySlots));
    m_header.SetDeclaredFileSize(CKeyboardLayout::kFileSize);

    bool ok = detail::ForEachSourceLine(source, [this](size_t number, std::string_view line) {
        m_line = number;
        const std::vector<std::string_view> words = SourceWords(line);
        bool handled = false;
        if (!SectionLine(words, handled))
            return false;
        return handled || (m_section == 0 ? HeaderLine(line) : KeyLine(words));
    });
    if (ok)
        ok = Finish();
    if (!ok) {
        error = m_error;
        return false;
    }
    Bytes out(CKeyboardLayout::kFileSize, 0);
    std::copy(m_header.bytes().begin(), m_header.bytes().end(), out.begin());
    for (size_t i = 0; i < CKeyboardLayout::kMaxKeySlots; ++i) {
        const KeyRecord& k =
            i < CKeyboardLayout::kMainKeys ? m_main[i] : m_keypad[i - CKeyboardLayout::kMainKeys];
        std::copy(k.bytes().begin(), k.bytes().end(),
                  out.begin() + static_cast<std::ptrdiff_t>(CKeyboardLayout::SlotOffset(i)));
    }
    image = std::move(out);
    return true;
}

bool SourceCompiler::SectionLine(const std::vector<std::string_view>& words, bool& handled)
{
    handled = false;
    if (words.size() == 2 && words[0] == "row") {
        const auto row = SourceDecimal(words[1], 5);
        if (!row || *row == 0)
            return Fail("rows are numbered 1 to 5");
        if (static_cast<int>(*row) != m_section + 1 || m_haveKeypad)
            return Fail("row " + std::string(words[1]) +
                        " out of order: rows come 1 to 5, then the keypad");
        m_section = static_cast<int>(*row);
        handled = true;
    } else if (words.size() == 1 && words[0] == "keypad") {
        if (m_haveKeypad)
            return Fail("a second keypad");
        m_haveKeypad = true;
        m_section = 6;
        handled = true;
    }
    return true;
}

bool SourceCompiler::HeaderLine(std::string_view line)
{
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return Fail("expected \"field = value\" or \"row 1\"");
    const std::string field(TrimSource(line.substr(0, eq)));
    const std::string_view value = TrimSource(line.substr(eq + 1));
    for (const std::string& s : m_seen) {
        if (s == field)
            return Fail("\"" + field + "\" given twice");
    }
    m_seen.push_back(field);

    // The header's texts end at their first NUL; one inside would cut them short.
    if ((field == "name" || field.rfind("caption ", 0) == 0) &&
        UnescapeText(value).find(u'\0') != std::u16string::npos)
        return Fail("\"" + field + "\" cannot hold a NUL character");
    if (field == "name") {
        const std::u16string name = UnescapeText(value);
        if (name.empty() || name.size() >= KeyboardLayoutHeader::kNameUnits)
            return Fail("the name must have 1 to 31 characters");
        m_header.SetName(name);
        m_haveName = true;
    } else if (field == "codepage") {
        const auto n = SourceDecimal(value, 65535);
        if (!n)
            return Fail("codepage must be a number up to 65535");
        m_header.SetCodePage(static_cast<uint16_t>(*n));
    } else if (field == "family") {
        const auto f = detail::ParseFamilyWord(value);
        if (!f)
            return Fail("family must be us, international, european or a number");
        m_header.SetFingerFamily(*f);
        m_haveFamily = true;
    } else if (field == "hand" || field == "type") {
        const auto n = SourceDecimal(value, 255);
        if (!n)
            return Fail(field + " must be a number up to 255");
        if (field == "hand")
            m_header.SetHand(static_cast<uint8_t>(*n));
        else
            m_header.SetLayoutType(static_cast<uint8_t>(*n));
    } else if (field == "version") {
        const auto n = SourceDecimal(value, 65535);
        if (!n)
            return Fail("version must be a number up to 65535");
        m_header.SetVersion(static_cast<uint16_t>(*n));
    } else if (field == "keyslots") {
        const auto n = SourceDecimal(value, CKeyboardLayout::kMaxKeySlots);
        if (!n)
            return Fail("keyslots must be a number up to 81");
        m_header.SetKeySlots(static_cast<uint16_t>(*n));
    } else if (field.rfind("caption ", 0) == 0) {
        const std::string which(TrimSource(std::string_view(field).substr(8)));
        const auto c = WordOrNumber(which, kCaptionWords, 0);
        if (!c)
            return Fail("unknown caption \"" + which + "\"");
        const std::u16string text = UnescapeText(value);
        if (text.size() >= KeyboardLayoutHeader::kCaptionUnits)
            return Fail("caption longer than 19 characters");
        m_header.SetCaption(static_cast<KeyCaption>(*c), text);
    } else {
        return Fail("unknown field \"" + field + "\"");
    }
    return true;
}

bool SourceCompiler::KeyLine(const std::vector<std::string_view>& w)
{
    if (w.size() != 8)
        return Fail("a key line has 8 words: kind, 4 characters, finger, hand, width (found " +
                    std::to_string(w.size()) + ")");
    const auto kind = WordOrNumber(w[0], kKindWords, 15);
    if (!kind)
        return Fail("unknown kind \"" + std::string(w[0]) + "\" (key, letter, mod)");
    std::array<char16_t, KeyRecord::kLevels> chars{};
    for (int level = 0; level < KeyRecord::kLevels; ++level) {
        const auto c = CharToken(w[1 + static_cast<size_t>(level)]);
        if (!c)
            return Fail("\"" + std::string(w[1 + static_cast<size_t>(level)]) +
                        "\" is not one character, U+XXXX, a key name or --");
        chars[static_cast<size_t>(level)] = *c;
    }
    const auto fingerNo = WordOrNumber(w[5], kFingerWords, 15);
    if (!fingerNo)
        return Fail("unknown finger \"" + std::string(w[5]) + "\"");
    const auto handNo = WordOrNumber(w[6], kHandWords, 15);
    if (!handNo)
        return Fail("unknown hand \"" + std::string(w[6]) + "\" (left, right)");
    const auto width = SourceDecimal(w[7], 65535);
    if (!width || !ValidWidth(*width))
        return Fail("width must be 1 to 63, 73, 83 or 94");

    KeyRecord* k = nullptr;
    if (m_section == 6) {
        if (m_keypadCount == CKeyboardLayout::kKeypadKeys)
            return Fail("the keypad has 17 keys");
        k = &m_keypad[m_keypadCount++];
    } else {
        if (m_mainCount == CKeyboardLayout::kMainKeys)
            return Fail("more than 64 main keys");
        if (m_header.RowCount(static_cast<size_t>(m_section)) == 255)
            return Fail("more than 255 keys in a row");
        k = &m_main[m_mainCount++];
        m_header.SetRowCount(
            static_cast<size_t>(m_section),
            static_cast<uint8_t>(m_header.RowCount(static_cast<size_t>(m_section)) + 1));
    }
    for (int level = 0; level < KeyRecord::kLevels; ++level)
        k->SetChar(level, chars[static_cast<size_t>(level)]);
    k->SetKind(*kind);
    k->SetFinger(*fingerNo);
    k->SetHand(*handNo);
    k->SetWidth(static_cast<uint16_t>(*width));
    return true;
}

bool SourceCompiler::Finish()
{
    auto fail = [this](const std::string& what) {
        m_error = what;
        return false;
    };
    if (!m_haveName)
        return fail("no \"name = ...\" line");
    if (!m_haveFamily)
        return fail("no \"family = ...\" line");
    if (m_mainCount == 0)
        return fail("no keys: rows start with \"row 1\"");
    if (m_haveKeypad && m_keypadCount != CKeyboardLayout::kKeypadKeys)
        return fail("the keypad has " + std::to_string(m_keypadCount) + " keys, not 17");
    return true;
}

std::string CharWord(char16_t c, bool baseColumn)
{
    if (c == 0)
        return std::string(kNone);
    if (baseColumn) {
        const std::string name = VirtualKeyName(c);
        if (!name.empty())
            return name;
    }
    // Blanks, controls, marks and anything a reader could mistake are written by code.
    const bool plain = c > 0x20 && c != 0x7F && !(c >= 0x80 && c <= 0xA0) && c != 0xAD &&
                       !(c >= 0x300 && c <= 0x36F) && !(c >= 0x2000 && c <= 0x200F) &&
                       !(c >= 0xD800 && c <= 0xDFFF) && c != 0xFEFF && c != 0xFFFD;
    if (plain) {
        const std::string s = ToUtf8(std::u16string(1, c));
        if (CharToken(s) == c)
            return s;
    }
    char buf[8];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(c));
    return buf;
}

template <size_t N> std::string WordFor(uint8_t v, const char* const (&words)[N])
{
    return v < N ? words[v] : std::to_string(v);
}

// The word followed by blanks up to width characters (at least one blank).
std::string Column(const std::string& word, size_t width)
{
    size_t chars = 0;
    for (unsigned char c : word)
        chars += (c & 0xC0) != 0x80;
    return word + std::string(chars < width ? width - chars : 1, ' ');
}

std::string KeyLineText(const KeyRecord& k)
{
    static constexpr size_t kCharWidths[KeyRecord::kLevels] = {10, 8, 8, 8};
    std::string line = "    " + Column(WordFor(k.KindBits(), kKindWords), 7);
    for (int level = 0; level < KeyRecord::kLevels; ++level)
        line += Column(CharWord(k.Char(level), level == 0), kCharWidths[level]);
    line += Column(WordFor(k.Finger(), kFingerWords), 8) +
            Column(WordFor(k.HandBits(), kHandWords), 7) + std::to_string(k.Width()) + "\n";
    return line;
}

} // namespace

std::string VirtualKeyName(char16_t code)
{
    for (const NamedCode& n : kVirtualKeys) {
        if (n.code == code)
            return n.name;
    }
    return {};
}

std::string FingerWord(uint8_t f)
{
    return f < std::size(kFingerWords) ? kFingerWords[f] : std::string();
}

std::string KindWord(uint8_t kind)
{
    return kind < std::size(kKindWords) ? kKindWords[kind] : std::string();
}

bool CompileLayoutSource(std::string_view source, Bytes& image, std::string& error)
{
    SourceCompiler compiler;
    return compiler.Run(source, image, error);
}

std::string LayoutSourceText(const CKeyboardLayout& layout)
{
    const KeyboardLayoutHeader& h = layout.Header();
    std::string out;
    out += "name = " + EscapeText(h.Name()) + "\n";
    out += "codepage = " + std::to_string(h.CodePage()) + "\n";
    out += "family = " + detail::FamilyWord(h.FingerFamily()) + "\n";
    out += "hand = " + std::to_string(h.Hand()) + "\n";
    out += "type = " + std::to_string(h.LayoutType()) + "\n";
    out += "version = " + std::to_string(h.Version()) + "\n";
    out += "keyslots = " + std::to_string(h.KeySlots()) + "\n";
    for (size_t c = 0; c < KeyboardLayoutHeader::kCaptions; ++c)
        out += std::string("caption ") + kCaptionWords[c] + " = " +
               EscapeText(h.Caption(static_cast<KeyCaption>(c))) + "\n";
    size_t i = 0;
    for (size_t row = 1; row <= KeyboardLayoutHeader::kRows; ++row) {
        out += "\nrow " + std::to_string(row) + "\n" + kColumnsComment;
        for (size_t n = 0; n < h.RowCount(row); ++n)
            out += KeyLineText(*layout.MainKey(i++));
    }
    size_t unusedShown = 0;
    for (size_t j = layout.MainKeyCount(); j < CKeyboardLayout::kMainKeys; ++j) {
        if (layout.MainKey(j)->Code() != 0 || layout.MainKey(j)->Base() != 0)
            ++unusedShown;
    }
    if (unusedShown > 0)
        out += "# " + std::to_string(unusedShown) +
               " records past the rows are not empty; they are not shown\n";
    bool keypadEmpty = true;
    for (size_t j = 0; j < CKeyboardLayout::kKeypadKeys; ++j)
        keypadEmpty = keypadEmpty && *layout.KeypadKey(j) == KeyRecord();
    if (keypadEmpty)
        return out;
    out += "\nkeypad\n" + std::string(kColumnsComment);
    for (size_t j = 0; j < CKeyboardLayout::kKeypadKeys; ++j)
        out += KeyLineText(*layout.KeypadKey(j));
    return out;
}

} // namespace kf
