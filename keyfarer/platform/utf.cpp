#include "utf.h"

namespace kf {

std::string ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::u16string FromUtf8(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        unsigned char b = p[i];
        char32_t cp = 0xFFFD;
        size_t len = 1;
        if (b < 0x80) {
            cp = b;
        } else if (b >= 0xC2 && b <= 0xF4) {
            size_t need = b < 0xE0 ? 2 : (b < 0xF0 ? 3 : 4);
            if (i + need <= n) {
                char32_t v = b & (need == 2 ? 0x1F : (need == 3 ? 0x0F : 0x07));
                bool ok = true;
                for (size_t k = 1; k < need; ++k) {
                    if ((p[i + k] & 0xC0) != 0x80) {
                        ok = false;
                        break;
                    }
                    v = (v << 6) | (p[i + k] & 0x3F);
                }
                const char32_t min = need == 2 ? 0x80 : (need == 3 ? 0x800 : 0x10000);
                if (ok && v >= min && v <= 0x10FFFF && !(v >= 0xD800 && v <= 0xDFFF)) {
                    cp = v;
                    len = need;
                }
            }
        }
        i += len;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

char16_t ToLowerAscii(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
}

char16_t ToUpperAscii(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

std::u16string ToLowerAscii(std::u16string_view text)
{
    std::u16string out(text);
    for (auto& c : out)
        c = ToLowerAscii(c);
    return out;
}

bool EqualsNoCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (ToLowerAscii(a[i]) != ToLowerAscii(b[i]))
            return false;
    }
    return true;
}

size_t FindNoCase(std::u16string_view hay, std::u16string_view needle, size_t from)
{
    if (needle.empty())
        return from <= hay.size() ? from : std::u16string_view::npos;
    if (needle.size() > hay.size())
        return std::u16string_view::npos;
    const char16_t first = ToLowerAscii(needle[0]);
    for (size_t i = from; i + needle.size() <= hay.size(); ++i) {
        if (ToLowerAscii(hay[i]) != first)
            continue;
        if (EqualsNoCase(hay.substr(i, needle.size()), needle))
            return i;
    }
    return std::u16string_view::npos;
}

std::u16string_view TrimBlanks(std::u16string_view text)
{
    size_t b = 0;
    size_t e = text.size();
    while (b < e && IsBlank(text[b]))
        ++b;
    while (e > b && IsBlank(text[e - 1]))
        --e;
    return text.substr(b, e - b);
}

std::u16string_view UpToNul(std::u16string_view text)
{
    size_t n = text.find(u'\0');
    return n == std::u16string_view::npos ? text : text.substr(0, n);
}

} // namespace kf
