// Arbitrary text as a readable layout source ("kftool kbl make"): whatever compiles must load
// with checking, and its dump must compile to the same image.
#include "content/keyboardlayout.h"
#include "content/layoutsource.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    kf::Bytes image{1, 2, 3};
    std::string error;
    if (!kf::CompileLayoutSource(text, image, error)) {
        if (error.empty() || image != kf::Bytes{1, 2, 3})
            std::abort();
        return 0;
    }
    kf::CKeyboardLayout layout;
    if (image.size() != kf::CKeyboardLayout::kFileSize || !layout.LoadLayoutImage(image, true))
        std::abort();
    kf::Bytes again;
    if (!kf::CompileLayoutSource(kf::LayoutSourceText(layout), again, error) || again != image)
        std::abort();
    return 0;
}
