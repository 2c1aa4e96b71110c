// Feeds arbitrary bytes to the bitmap reader; a decoded picture must be self-consistent.
#include "skin/bmpcodec.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kf::CDib dib;
    if (!kf::ReadBmp({data, size}, dib))
        return 0;
    const size_t n = size_t(dib.Width()) * size_t(dib.Height());
    if (dib.HasColorTable() ? dib.Indices().size() != n : dib.Pixels().size() != n)
        std::abort();
    // A palette picture survives a write and a second read unchanged.
    if (dib.HasColorTable()) {
        kf::CDib again;
        if (!kf::ReadBmp(kf::WriteBmp8(dib), again) || again.Indices() != dib.Indices() ||
            again.Palette() != dib.Palette())
            std::abort();
    }
    return 0;
}
