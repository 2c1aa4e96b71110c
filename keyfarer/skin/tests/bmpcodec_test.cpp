#include "skin/bmpcodec.h"

#include "platform/utf.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>

using kf::CDib;
using kf::MakeRgb;

namespace {

std::vector<uint8_t> ReadFixture(const char* name)
{
    std::ifstream in(std::string(KF_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

CDib Sample(int w, int h)
{
    CDib dib(w, h, {MakeRgb(255, 0, 255), MakeRgb(10, 20, 30), MakeRgb(200, 100, 50)});
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            dib.Indices()[size_t(y * w + x)] = uint8_t((x + 2 * y) % 3);
    return dib;
}

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

} // namespace

// Files written by ImageMagick, an independent encoder: bottom-up rows, padded rows, 1, 4, 8
// and 24 bits.
TEST(BmpCodec, ReadsFilesOfAnotherEncoder)
{
    CDib dib;
    std::string error;
    ASSERT_TRUE(kf::ReadBmp(ReadFixture("magick_4bit.bmp"), dib, &error)) << error;
    ASSERT_EQ(dib.Width(), 5);
    ASSERT_EQ(dib.Height(), 3);
    EXPECT_TRUE(dib.HasColorTable());
    EXPECT_EQ(dib.PixelAt(0, 0), MakeRgb(255, 204, 0));
    EXPECT_EQ(dib.PixelAt(1, 0), MakeRgb(51, 102, 153));
    EXPECT_EQ(dib.PixelAt(2, 1), MakeRgb(0, 0, 0));
    EXPECT_EQ(dib.PixelAt(4, 2), MakeRgb(255, 255, 255));

    ASSERT_TRUE(kf::ReadBmp(ReadFixture("magick_8bit.bmp"), dib, &error)) << error;
    ASSERT_EQ(dib.Width(), 20);
    EXPECT_EQ(dib.PixelAt(0, 0), MakeRgb(255, 0, 0));
    EXPECT_EQ(dib.PixelAt(10, 0), MakeRgb(121, 0, 134));
    EXPECT_EQ(dib.PixelAt(19, 2), MakeRgb(0, 0, 255));

    ASSERT_TRUE(kf::ReadBmp(ReadFixture("magick_1bit.bmp"), dib, &error)) << error;
    EXPECT_EQ(dib.PixelAt(0, 0), MakeRgb(255, 0, 0));
    EXPECT_EQ(dib.PixelAt(19, 1), MakeRgb(0, 0, 255));

    ASSERT_TRUE(kf::ReadBmp(ReadFixture("magick_24bit.bmp"), dib, &error)) << error;
    EXPECT_FALSE(dib.HasColorTable());
    EXPECT_EQ(dib.PixelAt(0, 0), MakeRgb(0x10, 0x20, 0x30));
    EXPECT_EQ(dib.PixelAt(4, 2), MakeRgb(0xA0, 0xB0, 0xC0));
}

TEST(BmpCodec, WriteThenReadKeepsEveryPixelAndTheKey)
{
    for (int w : {1, 3, 4, 7}) {
        const CDib dib = Sample(w, 5);
        const auto bytes = kf::WriteBmp8(dib);
        ASSERT_FALSE(bytes.empty());
        // Rows are padded to four bytes.
        EXPECT_EQ(bytes.size(), 54 + 3 * 4 + size_t((w + 3) / 4 * 4) * 5);
        CDib back;
        ASSERT_TRUE(kf::ReadBmp(bytes, back));
        EXPECT_EQ(back.Indices(), dib.Indices());
        EXPECT_EQ(back.Palette(), dib.Palette());
        EXPECT_EQ(back.KeyIndex(), 0); // magenta first marks a keyed picture
    }
}

TEST(BmpCodec, WriterRefusesWhatAnEightBitFileCannotHold)
{
    EXPECT_TRUE(kf::WriteBmp8(CDib::TrueColor(2, 2)).empty());
    EXPECT_TRUE(kf::WriteBmp8(CDib(2, 2, std::vector<kf::ColorRef>(257))).empty());
    EXPECT_TRUE(kf::WriteBmp8(CDib()).empty());
}

TEST(BmpCodec, ReadsTopDownRows)
{
    auto bytes = kf::WriteBmp8(Sample(3, 2));
    // Make the height negative and swap the two stored rows by hand: same picture.
    Put32(bytes, 22, uint32_t(-2));
    const size_t at = 54 + 12;
    std::swap_ranges(bytes.begin() + long(at), bytes.begin() + long(at + 4),
                     bytes.begin() + long(at + 4));
    CDib dib;
    ASSERT_TRUE(kf::ReadBmp(bytes, dib));
    EXPECT_EQ(dib.Indices(), Sample(3, 2).Indices());
}

TEST(BmpCodec, RefusesDamagedFilesWithAReason)
{
    const std::vector<uint8_t> good = kf::WriteBmp8(Sample(3, 2));
    struct Case
    {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> damage;
        const char* reason;
    } cases[] = {
        {"empty", [](auto& b) { b.clear(); }, "shorter than a bitmap header"},
        {"cut header", [](auto& b) { b.resize(40); }, "shorter than a bitmap header"},
        {"magic", [](auto& b) { b[0] = 'X'; }, "\"BM\""},
        {"core header", [](auto& b) { Put32(b, 14, 12); }, "info header size 12"},
        {"header past end",
         [](auto& b) {
             Put32(b, 14, 124);
             b.resize(100);
         },
         "runs past the end"},
        {"width 0", [](auto& b) { Put32(b, 18, 0); }, "width 0"},
        {"width huge", [](auto& b) { Put32(b, 18, 1u << 20); }, "width 1048576"},
        {"width negative", [](auto& b) { Put32(b, 18, uint32_t(-3)); }, "width -3"},
        {"height 0", [](auto& b) { Put32(b, 22, 0); }, "height 0"},
        {"height huge", [](auto& b) { Put32(b, 22, 0x80000000u); }, "height -2147483648"},
        {"planes", [](auto& b) { b[26] = 2; }, "plane count 2"},
        {"bits 16", [](auto& b) { b[28] = 16; }, "bit count 16"},
        {"rle on top-down rows",
         [](auto& b) {
             Put32(b, 30, 1);
             Put32(b, 22, uint32_t(-2));
         },
         "top-down"},
        {"rle4 on 8 bits", [](auto& b) { Put32(b, 30, 2); }, "does not fit 8 bits"},
        {"rle without end",
         [](auto& b) {
             Put32(b, 30, 1);
             b.resize(68);
             b[66] = 3;
             b[67] = 1;
         },
         "end-of-picture"},
        {"compression 4", [](auto& b) { Put32(b, 30, 4); }, "compression 4"},
        {"bit fields on 8 bits", [](auto& b) { Put32(b, 30, 3); }, "compression 3"},
        {"colours 300", [](auto& b) { Put32(b, 46, 300); }, "300 entries exceeds 256"},
        {"table past end", [](auto& b) { Put32(b, 46, 200); }, "runs past the end"},
        {"rows cut", [](auto& b) { b.resize(b.size() - 1); }, "exceed the file's"},
        {"offset past end", [](auto& b) { Put32(b, 10, 0xFFFFFFF0u); }, "exceeds the file's"},
        {"big height, few rows", [](auto& b) { Put32(b, 22, 16384); }, "exceed the file's"},
        {"index beyond table", [](auto& b) { b[54 + 12] = 9; }, "beyond the colour table"},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = good;
        c.damage(bytes);
        CDib dib = Sample(1, 1);
        std::string error;
        EXPECT_FALSE(kf::ReadBmp(bytes, dib, &error)) << c.what;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
        EXPECT_EQ(dib.Indices(), Sample(1, 1).Indices()) << c.what << ": output touched";
    }
}

TEST(BmpCodec, RunLengthRowsWithEveryEscape)
{
    // 4 × 3, 8 bits: bottom row "1 1 2 3" by a run and a literal, middle row by a move,
    // top row a run that overflows the width (dropped pixels).
    std::vector<uint8_t> b = kf::WriteBmp8(CDib(4, 3, {0, 1, 2, 3}));
    Put32(b, 30, 1);
    b.resize(54 + 16);
    const uint8_t rle[] = {2, 1, 0, 3, 2, 3, 9, 0, 0, 0, // run, literal of 3 (padded), end of row
                           0, 2, 1, 0, 1, 2, 0, 0,       // move right 1, run of one 2, end of row
                           9, 3, 0, 1};                  // run past the width, end of picture
    b.insert(b.end(), std::begin(rle), std::end(rle));
    CDib dib;
    std::string error;
    ASSERT_TRUE(kf::ReadBmp(b, dib, &error)) << error;
    EXPECT_EQ(dib.Indices(), (std::vector<uint8_t>{3, 3, 3, 3, 0, 2, 0, 0, 1, 1, 2, 3}));
    // A literal cut by the end of the file.
    b.resize(b.size() - 18);
    EXPECT_FALSE(kf::ReadBmp(b, dib, &error));
    EXPECT_NE(error.find("literal"), std::string::npos) << error;
}

TEST(BmpCodec, ReadBmpFileNamesTheMissingFile)
{
    CDib dib;
    std::string error;
    EXPECT_FALSE(kf::ReadBmpFile(u"/nonexistent/skin/none.bmp", dib, &error));
    EXPECT_NE(error.find("none.bmp"), std::string::npos) << error;
}
