#include "content/bmpimage.h"

#include <gtest/gtest.h>

#include <vector>

namespace kf {
namespace {

// Builds a bitmap file: info header of headerSize bytes (12 = core header), an optional
// colour table and mask block, then the rows exactly as given (already padded).
struct BmpSpec
{
    uint32_t headerSize = 40;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bits = 24;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
    std::vector<uint8_t> table; // colour table and masks, as stored
    std::vector<uint8_t> rows;
};

Bytes MakeBmp(const BmpSpec& s)
{
    Bytes out;
    ByteWriter w(out);
    const uint32_t offset = 14 + s.headerSize + static_cast<uint32_t>(s.table.size());
    w.Put<uint8_t>('B');
    w.Put<uint8_t>('M');
    w.Put<uint32_t>(offset + static_cast<uint32_t>(s.rows.size()));
    w.Put<uint32_t>(0);
    w.Put<uint32_t>(offset);
    w.Put<uint32_t>(s.headerSize);
    if (s.headerSize == 12) {
        w.Put<uint16_t>(static_cast<uint16_t>(s.width));
        w.Put<uint16_t>(static_cast<uint16_t>(s.height));
        w.Put<uint16_t>(1);
        w.Put<uint16_t>(s.bits);
    } else {
        w.Put<int32_t>(s.width);
        w.Put<int32_t>(s.height);
        w.Put<uint16_t>(1);
        w.Put<uint16_t>(s.bits);
        w.Put<uint32_t>(s.compression);
        w.PutZeros(12);
        w.Put<uint32_t>(s.coloursUsed);
        w.PutZeros(s.headerSize - 36);
    }
    w.PutBytes(s.table);
    w.PutBytes(s.rows);
    return out;
}

TEST(BmpImage, DecodesEveryDepthToTopDownPixels)
{
    struct Case
    {
        const char* what;
        BmpSpec spec;
        std::vector<uint32_t> want; // top row first, 0xAARRGGBB
    };
    const Case cases[] = {
        {"24 bits, bottom row first, rows padded",
         {40, 2, 2, 24, 0, 0, {}, {0, 0, 255, 0, 255, 0, 0, 0, /**/ 255, 0, 0, 255, 255, 255, 0, 0}},
         {0xFF0000FF, 0xFFFFFFFF, 0xFFFF0000, 0xFF00FF00}},
        {"8 bits with a colour table of 2, top row first",
         {40, 3, -1, 8, 0, 2, {10, 20, 30, 0, 1, 2, 3, 0}, {1, 0, 7, 0}},
         {0xFF030201, 0xFF1E140A, 0xFF000000}}, // an index beyond the table is black
        {"1 bit",
         {40, 9, 1, 1, 0, 0, {0, 0, 0, 0, 255, 255, 255, 0}, {0xA0, 0x80, 0, 0}},
         {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000,
          0xFFFFFFFF}},
        {"4 bits after a core header (3-byte colour entries)",
         {12, 2, 1, 4, 0, 0, [] { std::vector<uint8_t> t(48, 0); t[3] = 9; t[4] = 8; t[5] = 7; return t; }(),
          {0x10, 0, 0, 0}},
         {0xFF070809, 0xFF000000}},
        {"16 bits 5-6-5 bit fields",
         {40, 1, 1, 16, 3, 0, {0, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0}, {0x1F, 0xF8, 0, 0}},
         {0xFFFF00FF}},
        {"32 bits, default masks",
         {40, 1, 1, 32, 0, 0, {}, {1, 2, 3, 4}},
         {0xFF030201}},
    };
    for (const Case& c : cases) {
        BmpImage image;
        std::string why;
        ASSERT_TRUE(image.Decode(MakeBmp(c.spec), &why)) << c.what << ": " << why;
        EXPECT_EQ(image.Width(), c.spec.width) << c.what;
        EXPECT_EQ(image.Height(), std::abs(c.spec.height)) << c.what;
        EXPECT_EQ(image.Pixels(), c.want) << c.what;
    }
}

TEST(BmpImage, RefusesWhatItCannotTrust)
{
    const BmpSpec good{40, 2, 2, 24, 0, 0, {}, std::vector<uint8_t>(16, 0x55)};
    Bytes cut = MakeBmp(good);
    cut.pop_back();
    Bytes badOffset = MakeBmp(good);
    StoreLe<uint32_t>(badOffset.data() + 10, 0xFFFFFFF0u);
    BmpSpec huge = good;
    huge.width = 16384;
    huge.height = 16384;
    BmpSpec table = good;
    table.bits = 8;
    table.coloursUsed = 300;
    BmpSpec rle = good;
    rle.bits = 8;
    rle.compression = 1;
    BmpSpec shortTable = good;
    shortTable.bits = 8;
    shortTable.rows.clear();
    shortTable.table.resize(16);
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"last row cut short", cut},
        {"pixel offset past the end", badOffset},
        {"rows the file does not hold", MakeBmp(huge)},
        {"colour table of 300", MakeBmp(table)},
        {"run-length compressed", MakeBmp(rle)},
        {"colour table cut short", MakeBmp(shortTable)},
        {"no magic", Bytes(60, 0)},
        {"header only", Bytes{'B', 'M', 0, 0}},
        {"zero width", MakeBmp({40, 0, 2, 24, 0, 0, {}, {}})},
        {"unknown depth", MakeBmp({40, 1, 1, 7, 0, 0, {}, std::vector<uint8_t>(4, 0)})},
        {"header size 64000", [] { Bytes b(100, 0); b[0] = 'B'; b[1] = 'M'; b[14] = 0; b[15] = 0xFA; return b; }()},
    };
    for (const auto& [what, bytes] : cases) {
        BmpImage image;
        std::string why;
        EXPECT_FALSE(image.Decode(bytes, &why)) << what;
        EXPECT_FALSE(why.empty()) << what;
        EXPECT_TRUE(image.IsNull()) << what;
    }
}

} // namespace
} // namespace kf
