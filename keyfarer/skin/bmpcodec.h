#pragma once

// Windows bitmap files (".bmp"), the format of every skin picture.
//
// Byte order little-endian. Layout read and written:
//
//   offset  size  type  meaning
//   0       2     char  magic "BM"
//   2       4     u32   file size (not trusted on reading)
//   6       4     -     reserved
//   10      4     u32   offset of the pixel rows from the start of the file
//   14      4     u32   info header size: 40 (written), 40..124 accepted
//   18      4     i32   width in pixels, 1..kMaxBmpSide
//   22      4     i32   height in pixels; negative = rows stored top to bottom
//   26      2     u16   planes, must be 1
//   28      2     u16   bits per pixel: 1, 4, 8 (colour table) or 24, 32 (true colour)
//   30      4     u32   compression: 0 (none); 1 and 2 (run-length, 8 and 4 bits, bottom row
//                       first); 3 (bit fields) for 32 bits with the standard masks
//   34      20    -     image size, resolution, important colours (written 0 / 2835 ppm)
//   46      4     u32   colours used (0 = 2^bits), at most 256
//   14+hdr  4×n   BGRx  colour table of n entries (blue, green, red, reserved)
//   offset  ...   rows  each row padded to a multiple of 4 bytes; bottom row first unless
//                       the height is negative
//
// Pictures of 1 and 4 bits are widened to one index byte per pixel. The writer always writes
// uncompressed 8-bit palette files, bottom row first.

#include "skin/dib.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kf {

inline constexpr int kMaxBmpSide = 16384;

// Decodes a bitmap file held in memory. Returns false with a specific reason in *error (when
// given) and leaves `out` untouched when the bytes are not a bitmap this reader takes: every
// offset and length is checked against the bytes present.
bool ReadBmp(std::span<const uint8_t> bytes, CDib& out, std::string* error = nullptr);

// Reads a bitmap file (a stored path, platform/path.h). Files above 256 MiB are refused.
// Same failure contract as ReadBmp; the last-error value is FileNotFound for a missing file
// and InvalidData for one that is not a bitmap this reader takes.
bool ReadBmpFile(std::u16string_view path, CDib& out, std::string* error = nullptr);

// Encodes a palette picture as an 8-bit bitmap file. Returns an empty vector for a picture
// without a colour table, of more than 256 colours, or of a size outside 1..kMaxBmpSide.
std::vector<uint8_t> WriteBmp8(const CDib& dib);

} // namespace kf
