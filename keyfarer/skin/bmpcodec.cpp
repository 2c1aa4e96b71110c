#include "skin/bmpcodec.h"

#include "platform/lasterror.h"
#include "platform/path.h"
#include "platform/utf.h"

#include <algorithm>

namespace kf {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kMaxInfoHeaderSize = 124;
constexpr size_t kOffMagic = 0;
constexpr size_t kOffFileSize = 2;
constexpr size_t kOffPixelOffset = 10;
constexpr size_t kOffHeaderSize = 14;
constexpr size_t kOffWidth = 18;
constexpr size_t kOffHeight = 22;
constexpr size_t kOffPlanes = 26;
constexpr size_t kOffBitCount = 28;
constexpr size_t kOffCompression = 30;
constexpr size_t kOffXPels = 38;
constexpr size_t kOffYPels = 42;
constexpr size_t kOffColorsUsed = 46;
constexpr size_t kOffMasks = 54; // bit-field masks follow a 40-byte header
constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionRle8 = 1;
constexpr uint32_t kCompressionRle4 = 2;
constexpr uint32_t kCompressionBitFields = 3;
constexpr uint32_t kPelsPerMeter = 2835; // 72 dots per inch
constexpr size_t kMaxFileBytes = size_t{256} << 20;

uint16_t U16(std::span<const uint8_t> b, size_t at)
{
    return uint16_t(b[at] | (b[at + 1] << 8));
}
uint32_t U32(std::span<const uint8_t> b, size_t at)
{
    return uint32_t(b[at]) | (uint32_t(b[at + 1]) << 8) | (uint32_t(b[at + 2]) << 16) |
           (uint32_t(b[at + 3]) << 24);
}
void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

bool Fail(std::string* error, std::string reason)
{
    if (error)
        *error = std::move(reason);
    return false;
}

size_t RowBytes(size_t width, unsigned bits)
{
    return ((width * bits + 31) / 32) * 4;
}

// Run-length coded rows (bottom row first): pairs of count and value, or an escape (count 0)
// followed by 0 end of row, 1 end of picture, 2 a move by (dx, dy), or n ≥ 3 literal pixels
// padded to an even number of bytes. Pixels never written stay index 0.
bool DecodeRle(std::span<const uint8_t> data, unsigned bits, CDib& dib, std::string* error)
{
    const int width = dib.Width(), height = dib.Height();
    int x = 0, row = 0; // row counts from the bottom
    size_t at = 0;
    // Pixels past the row's end are dropped; x stops at the width so that no run, however
    // long the file, costs more than the picture has pixels.
    auto put = [&](uint8_t index) {
        if (row < height)
            dib.Indices()[size_t(height - 1 - row) * size_t(width) + size_t(x)] = index;
        ++x;
    };
    while (true) {
        if (at + 2 > data.size())
            return Fail(error, "run-length data ends without an end-of-picture mark");
        const uint8_t count = data[at], value = data[at + 1];
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count && x < width; ++i)
                put(bits == 8 ? value : uint8_t(i % 2 ? value & 0x0F : value >> 4));
            continue;
        }
        if (value == 0) {
            x = 0;
            ++row;
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            if (at + 2 > data.size())
                return Fail(error, "run-length move runs past the end of the file");
            x = std::min(width, x + data[at]);
            row += data[at + 1];
            at += 2;
        } else {
            const size_t bytesUsed = bits == 8 ? value : (size_t(value) + 1) / 2;
            const size_t padded = (bytesUsed + 1) & ~size_t(1);
            if (at + padded > data.size())
                return Fail(error, "run-length literal of " + std::to_string(value) +
                                       " pixels runs past the end of the file");
            for (int i = 0; i < value && x < width; ++i)
                put(bits == 8 ? data[at + size_t(i)]
                              : uint8_t(i % 2 ? data[at + size_t(i) / 2] & 0x0F
                                              : data[at + size_t(i) / 2] >> 4));
            at += padded;
        }
        if (row > height)
            return Fail(error, "run-length data moves below the picture's " +
                                   std::to_string(height) + " rows");
    }
}

} // namespace

bool ReadBmp(std::span<const uint8_t> bytes, CDib& out, std::string* error)
{
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize)
        return Fail(error, "file of " + std::to_string(bytes.size()) +
                               " bytes is shorter than a bitmap header (54 bytes)");
    if (bytes[kOffMagic] != 'B' || bytes[kOffMagic + 1] != 'M')
        return Fail(error, "no bitmap: the file does not start with \"BM\"");
    const uint32_t headerSize = U32(bytes, kOffHeaderSize);
    if (headerSize < kInfoHeaderSize || headerSize > kMaxInfoHeaderSize)
        return Fail(error, "unsupported info header size " + std::to_string(headerSize));
    if (kFileHeaderSize + headerSize > bytes.size())
        return Fail(error, "info header of " + std::to_string(headerSize) +
                               " bytes runs past the end of the file");
    const int32_t width = int32_t(U32(bytes, kOffWidth));
    const int32_t rawHeight = int32_t(U32(bytes, kOffHeight));
    const bool topDown = rawHeight < 0;
    if (width < 1 || width > kMaxBmpSide)
        return Fail(error, "width " + std::to_string(width) + " outside 1.." +
                               std::to_string(kMaxBmpSide));
    if (rawHeight == 0 || rawHeight < -kMaxBmpSide || rawHeight > kMaxBmpSide)
        return Fail(error, "height " + std::to_string(rawHeight) + " outside 1.." +
                               std::to_string(kMaxBmpSide));
    const int height = topDown ? -rawHeight : rawHeight;
    if (U16(bytes, kOffPlanes) != 1)
        return Fail(error, "plane count " + std::to_string(U16(bytes, kOffPlanes)) + " is not 1");
    const unsigned bits = U16(bytes, kOffBitCount);
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return Fail(error, "unsupported bit count " + std::to_string(bits));
    const uint32_t compression = U32(bytes, kOffCompression);
    if (compression == kCompressionBitFields && bits == 32) {
        if (kOffMasks + 12 > bytes.size())
            return Fail(error, "bit-field masks run past the end of the file");
        if (U32(bytes, kOffMasks) != 0x00FF0000u || U32(bytes, kOffMasks + 4) != 0x0000FF00u ||
            U32(bytes, kOffMasks + 8) != 0x000000FFu)
            return Fail(error, "unsupported bit-field masks");
    } else if (compression == kCompressionRle8 || compression == kCompressionRle4) {
        if (bits != (compression == kCompressionRle8 ? 8u : 4u) || topDown)
            return Fail(error, "run-length compression " + std::to_string(compression) +
                                   " does not fit " + std::to_string(bits) + " bits" +
                                   (topDown ? " top-down" : ""));
    } else if (compression != kCompressionNone) {
        return Fail(error, "unsupported compression " + std::to_string(compression));
    }

    std::vector<ColorRef> palette;
    if (bits <= 8) {
        uint32_t count = U32(bytes, kOffColorsUsed);
        const uint32_t full = 1u << bits;
        if (count == 0)
            count = full;
        if (count > 256)
            return Fail(error, "colour table of " + std::to_string(count) + " entries exceeds 256");
        const size_t tableAt = kFileHeaderSize + headerSize;
        if (tableAt + size_t(count) * 4 > bytes.size())
            return Fail(error, "colour table of " + std::to_string(count) +
                                   " entries runs past the end of the file");
        palette.reserve(count);
        for (uint32_t i = 0; i < count; ++i) {
            const size_t at = tableAt + size_t(i) * 4;
            palette.push_back(ColorFromQuad(bytes[at], bytes[at + 1], bytes[at + 2]));
        }
    }

    const size_t pixelAt = U32(bytes, kOffPixelOffset);
    if (pixelAt > bytes.size())
        return Fail(error, "pixel offset " + std::to_string(pixelAt) + " exceeds the file's " +
                               std::to_string(bytes.size()) + " bytes");
    CDib dib = bits <= 8 ? CDib(width, height, std::move(palette)) : CDib::TrueColor(width, height);
    if (compression == kCompressionRle8 || compression == kCompressionRle4) {
        if (!DecodeRle(bytes.subspan(pixelAt), bits, dib, error))
            return false;
    } else {
        const size_t rowBytes = RowBytes(size_t(width), bits);
        const size_t need = rowBytes * size_t(height);
        if (need > bytes.size() - pixelAt)
            return Fail(error, "pixel rows (" + std::to_string(need) + " bytes at offset " +
                                   std::to_string(pixelAt) + ") exceed the file's " +
                                   std::to_string(bytes.size()) + " bytes");
        for (int y = 0; y < height; ++y) {
            const int fileRow = topDown ? y : height - 1 - y;
            const uint8_t* row = bytes.data() + pixelAt + size_t(fileRow) * rowBytes;
            const size_t outAt = size_t(y) * size_t(width);
            for (int x = 0; x < width; ++x) {
                switch (bits) {
                case 1:
                    dib.Indices()[outAt + size_t(x)] = (row[x / 8] >> (7 - x % 8)) & 1;
                    break;
                case 4:
                    dib.Indices()[outAt + size_t(x)] = (row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
                    break;
                case 8:
                    dib.Indices()[outAt + size_t(x)] = row[x];
                    break;
                case 24:
                    dib.Pixels()[outAt + size_t(x)] =
                        ColorFromQuad(row[x * 3], row[x * 3 + 1], row[x * 3 + 2]);
                    break;
                default:
                    dib.Pixels()[outAt + size_t(x)] =
                        ColorFromQuad(row[x * 4], row[x * 4 + 1], row[x * 4 + 2]);
                    break;
                }
            }
        }
    }
    if (dib.HasColorTable()) {
        // An index beyond a short colour table would read past it when drawn: refuse it.
        const size_t entries = dib.Palette().size();
        for (uint8_t index : dib.Indices())
            if (index >= entries)
                return Fail(error, "pixel index " + std::to_string(index) +
                                       " beyond the colour table of " + std::to_string(entries));
        if (dib.Palette()[0] == kSkinKeyColor)
            dib.SetKeyIndex(0);
    }
    out = std::move(dib);
    return true;
}

bool ReadBmpFile(std::u16string_view path, CDib& out, std::string* error)
{
    Bytes bytes;
    if (!ReadWholeFile(path, bytes, kMaxFileBytes))
        return Fail(error, "cannot read " + ToUtf8(DisplayPath(path)) + ": " +
                               ToUtf8(ErrorMessageText(GetLastError())));
    std::string reason;
    if (!ReadBmp(bytes, out, &reason)) {
        SetLastError(err::InvalidData);
        return Fail(error, ToUtf8(DisplayPath(path)) + ": " + reason);
    }
    return true;
}

std::vector<uint8_t> WriteBmp8(const CDib& dib)
{
    if (!dib.HasColorTable() || dib.Palette().size() > 256 || dib.Width() < 1 || dib.Height() < 1 ||
        dib.Width() > kMaxBmpSide || dib.Height() > kMaxBmpSide)
        return {};
    const size_t width = size_t(dib.Width());
    const size_t height = size_t(dib.Height());
    const size_t colors = dib.Palette().size();
    const size_t rowBytes = RowBytes(width, 8);
    const size_t pixelAt = kFileHeaderSize + kInfoHeaderSize + colors * 4;
    std::vector<uint8_t> b(pixelAt + rowBytes * height, 0);
    b[kOffMagic] = 'B';
    b[kOffMagic + 1] = 'M';
    Put32(b, kOffFileSize, uint32_t(b.size()));
    Put32(b, kOffPixelOffset, uint32_t(pixelAt));
    Put32(b, kOffHeaderSize, kInfoHeaderSize);
    Put32(b, kOffWidth, uint32_t(width));
    Put32(b, kOffHeight, uint32_t(height));
    Put16(b, kOffPlanes, 1);
    Put16(b, kOffBitCount, 8);
    Put32(b, kOffCompression, kCompressionNone);
    Put32(b, kOffXPels, kPelsPerMeter);
    Put32(b, kOffYPels, kPelsPerMeter);
    Put32(b, kOffColorsUsed, uint32_t(colors));
    for (size_t i = 0; i < colors; ++i) {
        const ColorRef c = dib.Palette()[i];
        const size_t at = kFileHeaderSize + kInfoHeaderSize + i * 4;
        b[at] = uint8_t(GetBValue(c));
        b[at + 1] = uint8_t(GetGValue(c));
        b[at + 2] = uint8_t(GetRValue(c));
    }
    for (size_t y = 0; y < height; ++y) {
        const uint8_t* src = dib.Indices().data() + y * width;
        uint8_t* dst = b.data() + pixelAt + (height - 1 - y) * rowBytes;
        std::copy(src, src + width, dst);
    }
    return b;
}

} // namespace kf
