#pragma once

// InputMethodKeyboard: an ".ikbl" input-method keyboard file, the keyboard of a code course
// (wubi, pinyin ...) that labels keys with the code characters of its input method. The file
// is UTF-16 text (byte order mark optional) in the section form of SectionText:
//
// | Section    | Key                  | Default | Meaning                                   |
// |------------|----------------------|---------|-------------------------------------------|
// | General    | Tag                  | empty   | must be "IMEKEYBOARDLAYOUT" exactly       |
// | General    | FontName             | empty   | font of the key labels                    |
// | General    | Stress_CapitalChar   | 1       | non-zero: the key's own letter is drawn   |
// |            |                      |         | emphasised beside the label               |
// | General    | ContainNumericKey    | 0       | non-zero: the reduced keyboard has digits |
// | General    | Standard_layout      | 0       | non-zero: label the user's ".kbl" layout  |
// |            |                      |         | instead of building the reduced keyboard  |
// | General    | SmallFont_Size       | 0       | label font size; 0 = the skin's           |
// | General    | SmallFont_Bold       | 0       | label font weight flag; 0 = the skin's    |
// | KeyChars   | one key per key      | empty   | label of up to 40 characters              |
//
// A "KeyChars" key is the key's upper-case letter, digit or punctuation character ("Q", "1",
// ","); ";", "[" and "]" cannot stand as keys and are written "C;", "C[" and "C]". The equals
// key is looked up under "+".
//
// Loading a course keyboard (the keyboard view does this; CKeyboardLayout applies it):
//   1. Parse the text; a wrong tag fails, and the name is then tried as a ".kbl" layout.
//   2. With StandardLayout(): load the user's ".kbl" layout into the model first (a failure
//      fails the whole load), then ApplyInputMethodKeyboard labels its keys.
//   3. Otherwise ApplyInputMethodKeyboard builds the reduced keyboard of 26 or 36 keys.

#include "content/sectiontext.h"
#include "platform/bytes.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kf {

class InputMethodKeyboard
{
public:
    static constexpr size_t kMaxLabel = 40;
    static constexpr char16_t kTag[] = u"IMEKEYBOARDLAYOUT";

    InputMethodKeyboard() = default;

    // Reads the settings of an ".ikbl" text (as ReadTutorialText answers it: UTF-16 bytes, a
    // byte order mark is skipped). False, with the last error InvalidData and nothing
    // changed, unless "Tag" of "General" is exactly "IMEKEYBOARDLAYOUT".
    bool Parse(ByteSpan utf16Bytes);
    bool ParseText(std::u16string_view text);

    const std::u16string& FontName() const { return m_fontName; }
    bool StressCapitalChar() const { return m_stressCapitalChar != 0; }
    bool ContainNumericKey() const { return m_containNumericKey != 0; }
    bool StandardLayout() const { return m_standardLayout != 0; }
    int32_t SmallFontSize() const { return m_smallFontSize; }
    int32_t SmallFontBold() const { return m_smallFontBold; }

    // The label stored under keyName in "KeyChars", at most 40 characters; empty when none.
    std::u16string Label(std::u16string_view keyName) const;
    // The label of the key that types c (see KeyNameFor).
    std::u16string LabelFor(char16_t c) const { return Label(KeyNameFor(c)); }

    // The "KeyChars" name of the key whose base character is c: letters in upper case,
    // "C;", "C[", "C]" for those three, "+" for "=", any other character as itself.
    static std::u16string KeyNameFor(char16_t c);

    // The base characters of the standard keyboard whose keys are labelled, in order: the
    // grave accent, 1 to 9 and 0, minus, equals, q to p, "[", a to l, ";", "'", z to m, ",",
    // "." and "/".
    static std::u16string_view StandardKeyChars();

private:
    SectionText m_text;
    std::u16string m_fontName;
    int32_t m_stressCapitalChar = 1;
    int32_t m_containNumericKey = 0;
    int32_t m_standardLayout = 0;
    int32_t m_smallFontSize = 0;
    int32_t m_smallFontBold = 0;
};

} // namespace kf
