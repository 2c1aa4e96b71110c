// Arbitrary bytes as an ".ikbl" input-method keyboard: whatever parses labels the loaded
// standard layout or builds the reduced keyboard, and the model stays within its records.
#include "content/inputmethodkeyboard.h"
#include "content/keyboardlayout.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kf::InputMethodKeyboard ime;
    if (!ime.Parse(kf::ByteSpan(data, size)))
        return 0;
    for (char16_t c : kf::InputMethodKeyboard::StandardKeyChars())
        if (ime.LabelFor(c).size() > kf::InputMethodKeyboard::kMaxLabel)
            std::abort();
    kf::CKeyboardLayout layout;
    if (!layout.ApplyInputMethodKeyboard(ime) || !layout.IsInputMethodKeyboard())
        std::abort();
    if (layout.MainKeyCount() > kf::CKeyboardLayout::kMainKeys)
        std::abort();
    for (size_t i = 0; i < kf::CKeyboardLayout::kMainKeys; ++i)
        if (layout.KeyLabel(i).size() > kf::InputMethodKeyboard::kMaxLabel)
            std::abort();
    for (char16_t c : {u'a', u'Q', u'1', u';'})
        layout.FindKeyForChar(c, false, false);
    // A layout image loaded afterwards drops the labels.
    kf::CKeyboardLayout plain;
    if (!layout.LoadLayoutImage(plain.LayoutImage(), false) || layout.IsInputMethodKeyboard())
        std::abort();
    return 0;
}
