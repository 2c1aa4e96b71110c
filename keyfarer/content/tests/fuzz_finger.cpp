// Arbitrary bytes as a finger assignment file, and as the readable source "kftool finger
// make" compiles. A file that parses is written back byte for byte as far as it is read, and
// applying it to a layout image of the same key slots gives an image that still loads.
#include "content/fingerassignment.h"
#include "content/fingersource.h"
#include "content/keyboardlayout.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Binary(kf::ByteSpan bytes)
{
    kf::FingerAssignment fingers;
    if (!fingers.Parse(bytes))
        return;
    if (fingers.KeySlots() > kf::FingerAssignment::kMaxPairs)
        std::abort();
    kf::FingerAssignment again;
    if (!again.Parse(fingers.FileImage()) || again.Pairs() != fingers.Pairs())
        std::abort();

    kf::CKeyboardLayout layout;
    kf::Bytes image = layout.LayoutImage();
    kf::StoreLe<uint16_t>(image.data() + kf::KeyboardLayoutHeader::kOffKeySlots,
                          fingers.KeySlots());
    kf::StoreLe<uint16_t>(image.data() + kf::KeyboardLayoutHeader::kOffVersion,
                          kf::KeyboardLayoutHeader::kVersion);
    const kf::Bytes before = image;
    if (!fingers.ApplyToImage(image)) {
        if (image != before)
            std::abort();
        return;
    }
    kf::CKeyboardLayout applied;
    if (!applied.LoadLayoutImage(image, true) &&
        fingers.KeySlots() <= kf::CKeyboardLayout::kMaxKeySlots)
        std::abort();
    // Only hand and finger may change: kind and characters stay.
    for (size_t i = 0; i < kf::CKeyboardLayout::kMainKeys; ++i) {
        const kf::KeyRecord& a = *layout.MainKey(i);
        const kf::KeyRecord* b = applied.MainKey(i);
        if (applied.IsLoaded() && (a.Base() != b->Base() || a.KindBits() != b->KindBits()))
            std::abort();
    }
}

void Source(std::string_view text)
{
    kf::FingerSource source;
    std::string error;
    if (!kf::CompileFingerSource(text, source, error))
        return;
    kf::CKeyboardLayout layout;
    kf::FingerSourceFitsLayout(source, layout, error);
    kf::FingerSource back;
    if (!kf::CompileFingerSource(kf::FingerSourceText(source.assignment, nullptr), back, error) ||
        back.assignment.Pairs() != source.assignment.Pairs())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Binary(kf::ByteSpan(data, size));
    Source(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
