// Arbitrary bytes as a bitmap file: a decoded picture has exactly width x height pixels.
#include "content/bmpimage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kf::BmpImage image;
    std::string why;
    if (!image.Decode(kf::ByteSpan(data, size), &why)) {
        if (why.empty())
            std::abort();
        return 0;
    }
    if (image.Pixels().size() !=
        static_cast<size_t>(image.Width()) * static_cast<size_t>(image.Height()))
        std::abort();
    return 0;
}
