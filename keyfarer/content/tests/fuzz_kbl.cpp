// Arbitrary bytes as a ".kbl" image, loaded with and without the magic and version check.
// Whatever loads must answer every key lookup, give back an image that loads to itself, and
// dump to a readable source that compiles to a layout with the same keys.
#include "content/keyboardlayout.h"
#include "content/layoutsource.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Exercise(const kf::CKeyboardLayout& layout)
{
    static constexpr char16_t kProbe[] = u"aAzZ09 ;:'\"@€µßüÖ\r\t\b+-*/.,<>|\\~^`";
    for (char16_t c : std::u16string_view(kProbe)) {
        for (bool keypad : {false, true}) {
            for (bool caps : {false, true}) {
                const kf::KeyMatch m = layout.FindKeyForChar(c, keypad, caps);
                if (m &&
                    (m.index < 0 ||
                     (m.keypad ? static_cast<size_t>(m.index) >= kf::CKeyboardLayout::kKeypadKeys
                               : static_cast<size_t>(m.index) >= layout.MainKeyCount())))
                    std::abort();
            }
        }
    }
    for (char16_t vk : {kf::vk::LeftShift, kf::vk::RightShift, kf::vk::RightAlt, kf::vk::NumLock})
        for (bool keypad : {false, true})
            layout.FindModifierKey(vk, keypad);
    for (size_t i = 0; i < kf::CKeyboardLayout::kMainKeys; ++i)
        layout.RowOfMainKey(i);
    for (size_t row = 0; row <= 6; ++row)
        layout.RowStart(row);
    for (size_t n = 0; n < 90; ++n)
        layout.KeySlot(n);
}

std::string WithoutComments(const std::string& text)
{
    std::string out;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        if (text[start] != '#')
            out.append(text, start, end - start);
        start = end;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    for (bool check : {true, false}) {
        kf::CKeyboardLayout layout;
        if (!layout.LoadLayoutImage(kf::ByteSpan(data, size), check)) {
            if (layout.IsLoaded() || layout.ErrorCode() < 5 || layout.ErrorCode() > 8)
                std::abort();
            continue;
        }
        if (layout.MainKeyCount() > kf::CKeyboardLayout::kMainKeys)
            std::abort();
        Exercise(layout);

        const kf::Bytes image = layout.LayoutImage();
        kf::CKeyboardLayout again;
        if (image.size() != kf::CKeyboardLayout::kFileSize ||
            !again.LoadLayoutImage(image, false) || again.LayoutImage() != image)
            std::abort();

        // The dump of a checked layout is what "kftool kbl dump" writes for editing.
        if (!check)
            continue;
        const std::string source = kf::LayoutSourceText(layout);
        kf::Bytes remade;
        std::string error;
        if (!kf::CompileLayoutSource(source, remade, error))
            continue;
        // Records past the rows are not part of the layout; the dump notes them in a comment.
        kf::CKeyboardLayout back;
        if (!back.LoadLayoutImage(remade, true) ||
            WithoutComments(kf::LayoutSourceText(back)) != WithoutComments(source))
            std::abort();
    }
    return 0;
}
