#include "content/inputmethodkeyboard.h"

#include "platform/lasterror.h"

namespace kf {
namespace {

constexpr std::u16string_view kGeneral = u"General";
constexpr std::u16string_view kKeyChars = u"KeyChars";
constexpr size_t kFontNameCapacity = 260;

} // namespace

bool InputMethodKeyboard::Parse(ByteSpan utf16Bytes)
{
    SectionText text;
    text.Attach(utf16Bytes);
    return ParseText(text.Text());
}

bool InputMethodKeyboard::ParseText(std::u16string_view text)
{
    SectionText reader;
    reader.AttachText(text);
    if (reader.Text(kGeneral, u"Tag", u"", 260) != kTag) {
        SetLastError(err::InvalidData);
        return false;
    }
    m_fontName = reader.Text(kGeneral, u"FontName", u"", kFontNameCapacity);
    m_stressCapitalChar = reader.ReadNumber(kGeneral, u"Stress_CapitalChar", 1);
    m_containNumericKey = reader.ReadNumber(kGeneral, u"ContainNumericKey", 0);
    m_standardLayout = reader.ReadNumber(kGeneral, u"Standard_layout", 0);
    m_smallFontSize = reader.ReadNumber(kGeneral, u"SmallFont_Size", 0);
    m_smallFontBold = reader.ReadNumber(kGeneral, u"SmallFont_Bold", 0);
    m_text = std::move(reader);
    return true;
}

std::u16string InputMethodKeyboard::Label(std::u16string_view keyName) const
{
    if (keyName.empty())
        return {};
    return m_text.Text(kKeyChars, keyName, u"", kMaxLabel + 1);
}

std::u16string InputMethodKeyboard::KeyNameFor(char16_t c)
{
    switch (c) {
    case 0:
        return {};
    case u';':
        return u"C;";
    case u'[':
        return u"C[";
    case u']':
        return u"C]";
    case u'=':
        return u"+";
    default:
        break;
    }
    if (c >= u'a' && c <= u'z')
        c = static_cast<char16_t>(c - u'a' + u'A');
    return std::u16string(1, c);
}

std::u16string_view InputMethodKeyboard::StandardKeyChars()
{
    return u"`1234567890-=qwertyuiop[asdfghjkl;'zxcvbnm,./";
}

} // namespace kf
