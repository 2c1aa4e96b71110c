#include "bmpimage.h"

#include "platform/lasterror.h"

#include <bit>
#include <cstdlib>

namespace kf {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kPixelOffset = 10;
constexpr size_t kInfoSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kMinInfoHeaderSize = 40;
constexpr uint32_t kMaxInfoHeaderSize = 124;
constexpr size_t kCoreWidth = 18, kCoreHeight = 20, kCoreBits = 24;
constexpr size_t kWidth = 18, kHeight = 22, kBits = 28, kCompression = 30, kColoursUsed = 46;
constexpr size_t kMasks = 54; // red, green, blue masks: after a 40-byte header or inside a longer one
constexpr uint32_t kNoCompression = 0;
constexpr uint32_t kBitFields = 3;

struct Channel
{
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(uint32_t m) : mask(m)
    {
        if (m != 0) {
            shift = std::countr_zero(m);
            bits = std::popcount(m >> shift);
        }
    }
    uint32_t Extract(uint32_t v) const
    {
        if (bits == 0)
            return 0;
        const uint32_t value = (v & mask) >> shift;
        if (bits >= 8)
            return value >> (bits - 8);
        return value * 255 / ((1u << bits) - 1);
    }
};

uint32_t Opaque(uint32_t r, uint32_t g, uint32_t b)
{
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

} // namespace

bool BmpImage::Decode(ByteSpan file, std::string* error)
{
    auto fail = [error](const char* why) {
        if (error)
            *error = why;
        SetLastError(err::InvalidData);
        return false;
    };
    const ByteReader r(file);
    uint32_t pixelOffset = 0, headerSize = 0;
    if (file.size() < kFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M')
        return fail("not a bitmap file (no \"BM\" at its start)");
    r.Get(kPixelOffset, pixelOffset);
    r.Get(kInfoSize, headerSize);

    int64_t width = 0, height = 0;
    uint16_t bits = 0;
    uint32_t compression = kNoCompression, coloursUsed = 0;
    size_t paletteEntrySize = 4;
    bool ok = true;
    if (headerSize == kCoreHeaderSize) {
        uint16_t w = 0, h = 0;
        ok = r.Get(kCoreWidth, w) && r.Get(kCoreHeight, h) && r.Get(kCoreBits, bits);
        width = w;
        height = h;
        paletteEntrySize = 3;
    } else if (headerSize >= kMinInfoHeaderSize && headerSize <= kMaxInfoHeaderSize) {
        int32_t w = 0, h = 0;
        ok = r.Has(kInfoSize, headerSize) && r.Get(kWidth, w) && r.Get(kHeight, h) && r.Get(kBits, bits) &&
             r.Get(kCompression, compression) && r.Get(kColoursUsed, coloursUsed);
        width = w;
        height = h;
    } else {
        return fail("unknown bitmap header size");
    }
    if (!ok)
        return fail("bitmap header cut short");

    const bool topDown = height < 0;
    const int64_t rows = std::llabs(height);
    if (width < 1 || width > kMaxSide || rows < 1 || rows > kMaxSide)
        return fail("bitmap size outside 1..16384");
    if (uint64_t(width) * uint64_t(rows) > kMaxPixels)
        return fail("bitmap too large");
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return fail("unsupported bits per pixel");
    if (compression != kNoCompression && !(compression == kBitFields && (bits == 16 || bits == 32)))
        return fail("compressed bitmaps are not supported");

    uint32_t masks[3] = {0x00FF0000u, 0x0000FF00u, 0x000000FFu};
    if (bits == 16)
        masks[0] = 0x7C00u, masks[1] = 0x03E0u, masks[2] = 0x001Fu;
    size_t paletteOffset = kFileHeaderSize + headerSize;
    if (compression == kBitFields) {
        if (!r.Get(kMasks, masks[0]) || !r.Get(kMasks + 4, masks[1]) || !r.Get(kMasks + 8, masks[2]))
            return fail("bit-field masks cut short");
        if (headerSize == kMinInfoHeaderSize)
            paletteOffset += 12;
    }
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]);

    std::vector<uint32_t> palette;
    if (bits <= 8) {
        const uint32_t maxColours = 1u << bits;
        const uint32_t n = coloursUsed == 0 ? maxColours : coloursUsed;
        if (n > 256)
            return fail("colour table larger than 256 entries");
        if (!r.Has(paletteOffset, size_t{n} * paletteEntrySize))
            return fail("colour table cut short");
        palette.resize(n);
        for (uint32_t i = 0; i < n; ++i) {
            const uint8_t* e = file.data() + paletteOffset + i * paletteEntrySize;
            palette[i] = Opaque(e[2], e[1], e[0]);
        }
    }

    const uint64_t stride = (uint64_t(width) * bits + 31) / 32 * 4;
    if (pixelOffset > file.size() || stride * uint64_t(rows) > file.size() - pixelOffset)
        return fail("pixel rows cut short");

    std::vector<uint32_t> pixels(size_t(width) * size_t(rows));
    for (int64_t y = 0; y < rows; ++y) {
        const int64_t source = topDown ? y : rows - 1 - y;
        const uint8_t* row = file.data() + pixelOffset + size_t(source) * stride;
        uint32_t* out = pixels.data() + size_t(y) * size_t(width);
        for (int64_t x = 0; x < width; ++x) {
            uint32_t colour = 0xFF000000u;
            switch (bits) {
            case 1:
            case 4:
            case 8: {
                const uint64_t bit = uint64_t(x) * bits;
                const uint32_t index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                if (index < palette.size())
                    colour = palette[index];
                break;
            }
            case 16: {
                const uint32_t v = LoadLe<uint16_t>(row + 2 * x);
                colour = Opaque(red.Extract(v), green.Extract(v), blue.Extract(v));
                break;
            }
            case 24:
                colour = Opaque(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
                break;
            case 32: {
                const uint32_t v = LoadLe<uint32_t>(row + 4 * x);
                colour = Opaque(red.Extract(v), green.Extract(v), blue.Extract(v));
                break;
            }
            }
            out[x] = colour;
        }
    }
    m_width = static_cast<int>(width);
    m_height = static_cast<int>(rows);
    m_pixels = std::move(pixels);
    SetLastError(err::Success);
    return true;
}

} // namespace kf
