#include "textfile.h"

#include "codepage.h"
#include "path.h"

namespace kf {

namespace {

bool IsCjkUnit(uint16_t u)
{
    return (u >= 0x3000 && u <= 0x30FF) ||  // CJK punctuation, hiragana, katakana
           (u >= 0x3400 && u <= 0x4DBF) ||  // extension A
           (u >= 0x4E00 && u <= 0x9FFF) ||  // unified ideographs
           (u >= 0xFF00 && u <= 0xFFEF);    // full-width forms
}

} // namespace

bool IsTextUnicode(ByteSpan bytes)
{
    const size_t n = bytes.size();
    if (n < 2 || n % 2 != 0)
        return false;
    size_t zeroEven = 0;
    size_t zeroOdd = 0;
    for (size_t i = 0; i < n; ++i) {
        if (bytes[i] == 0)
            (i % 2 ? zeroOdd : zeroEven)++;
    }
    const size_t units = n / 2;
    if (zeroEven + zeroOdd > 0) {
        // Latin UTF-16 has a zero high byte in nearly every unit; allow a few NUL units
        // (zero low byte too) without tipping the balance.
        return zeroOdd * 4 >= units && zeroOdd >= 4 * zeroEven;
    }
    // Printable ASCII pairs such as "AA" or "ce" read as CJK units; a real CJK text without a
    // mark almost always holds a low byte outside that range, so a file of printable ASCII
    // alone stays 8-bit text.
    bool outsideAscii = false;
    for (size_t i = 0; i < n && !outsideAscii; ++i) {
        const uint8_t b = bytes[i];
        outsideAscii = !(b == '\t' || b == '\n' || b == '\r' || (b >= 0x20 && b < 0x7F));
    }
    if (!outsideAscii)
        return false;
    for (size_t i = 0; i < units; ++i) {
        if (!IsCjkUnit(LoadLe<uint16_t>(bytes.data() + 2 * i)))
            return false;
    }
    return true;
}

bool LooksLikeUtf8(ByteSpan bytes)
{
    bool multi = false;
    const size_t n = bytes.size();
    size_t i = 0;
    while (i < n) {
        const uint8_t b = bytes[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        size_t need;
        uint32_t v;
        if (b >= 0xC2 && b <= 0xDF) {
            need = 1;
            v = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            need = 2;
            v = b & 0x0F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            need = 3;
            v = b & 0x07;
        } else {
            return false;
        }
        for (size_t k = 1; k <= need; ++k) {
            if (i + k >= n || (bytes[i + k] & 0xC0) != 0x80)
                return false;
            v = (v << 6) | (bytes[i + k] & 0x3F);
        }
        const uint32_t min = need == 1 ? 0x80 : (need == 2 ? 0x800 : 0x10000);
        if (v < min || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF))
            return false;
        multi = true;
        i += need + 1;
    }
    return multi;
}

std::u16string DecodeText(ByteSpan bytes, TextEncoding* encoding, bool guessUtf16)
{
    TextEncoding enc;
    std::u16string out;
    if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        enc = TextEncoding::Utf8Bom;
        out = MultiByteToWide(kCodePageUtf8, std::string_view(reinterpret_cast<const char*>(bytes.data()) + 3, bytes.size() - 3));
    } else if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        enc = TextEncoding::Utf16LeBom;
        out = BytesToUtf16(bytes.subspan(2));
    } else if (guessUtf16 && IsTextUnicode(bytes)) {
        enc = TextEncoding::Utf16Le;
        out = BytesToUtf16(bytes);
    } else if (LooksLikeUtf8(bytes)) {
        enc = TextEncoding::Utf8;
        out = MultiByteToWide(kCodePageUtf8, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    } else {
        enc = TextEncoding::Ansi;
        out = MultiByteToWide(AnsiCodePage(), std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    if (encoding)
        *encoding = enc;
    return out;
}

bool ReadTextFile(std::u16string_view path, std::u16string& out, TextEncoding* encoding)
{
    Bytes bytes;
    if (!ReadWholeFile(path, bytes)) {
        out.clear();
        return false;
    }
    out = DecodeText(bytes, encoding);
    return true;
}

bool ReadTextFileAnsi(std::u16string_view path, std::string& out)
{
    Bytes bytes;
    if (!ReadWholeFile(path, bytes)) {
        out.clear();
        return false;
    }
    TextEncoding enc;
    std::u16string text = DecodeText(bytes, &enc);
    if (enc == TextEncoding::Ansi)
        out.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    else
        out = WideToMultiByte(AnsiCodePage(), text);
    return true;
}

} // namespace kf
