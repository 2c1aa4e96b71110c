#pragma once

// BmpImage: a picture decoded from a Windows bitmap file (".bmp") into 32-bit pixels, as the
// slide view draws it.
//
// File layout (little-endian):
//
//   offset  size  type  field
//   0       2     char  "BM"
//   2       4     u32   file size (not trusted)
//   6       4     -     reserved
//   10      4     u32   offset of the pixel rows from the start of the file
//   14      4     u32   information header size: 12 (core header) or 40..124
//   core header (size 12):
//   18      2     u16   width
//   20      2     u16   height (rows bottom to top)
//   22      2     u16   planes (1)
//   24      2     u16   bits per pixel: 1, 4, 8, 24
//   information header (size 40 and more):
//   18      4     i32   width, 1..16384
//   22      4     i32   height, 1..16384 in magnitude; negative = rows top to bottom
//   26      2     u16   planes (1)
//   28      2     u16   bits per pixel: 1, 4, 8 (colour table), 16, 24, 32
//   30      4     u32   compression: 0 none, 3 bit fields (16 and 32 bits; masks at 54 for
//                       a 40-byte header, inside the header for longer ones)
//   46      4     u32   colours used (0 = 2^bits for 1, 4 and 8 bits), at most 256
//   14+hdr  n     -     colour table: 4 bytes per entry (blue, green, red, reserved), 3 bytes
//                       per entry after a core header
//   offset  ...   -     rows, each padded to a multiple of 4 bytes
//
// Run-length compressed files are refused. Every offset, size and row is checked against the
// bytes present before it is read.

#include "platform/bytes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kf {

class BmpImage
{
public:
    static constexpr int kMaxSide = 16384;
    // Larger pictures are refused: no slide comes near them and a forged header could
    // otherwise ask for gigabytes.
    static constexpr uint64_t kMaxPixels = uint64_t{8192} * 8192;

    // Decodes a bitmap file; false (image unchanged) with a reason in *error when given and
    // InvalidData in the last-error value.
    bool Decode(ByteSpan file, std::string* error = nullptr);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool IsNull() const { return m_width == 0; }
    // Pixels row by row from the top, 0xAARRGGBB with alpha 255.
    const std::vector<uint32_t>& Pixels() const { return m_pixels; }
    uint32_t Pixel(int x, int y) const { return m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)]; }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<uint32_t> m_pixels;
};

} // namespace kf
