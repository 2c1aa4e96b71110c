#include "textformat.h"

#include "utf.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kf {

int64_t FormatArg::Number() const
{
    if (auto* n = std::get_if<int64_t>(&m_value))
        return *n;
    if (auto* d = std::get_if<double>(&m_value))
        return static_cast<int64_t>(*d);
    return 0;
}

double FormatArg::Real() const
{
    if (auto* d = std::get_if<double>(&m_value))
        return *d;
    if (auto* n = std::get_if<int64_t>(&m_value))
        return static_cast<double>(*n);
    return 0;
}

std::u16string FormatArg::Text() const
{
    if (auto* s = std::get_if<std::u16string>(&m_value))
        return *s;
    char buf[64];
    if (auto* d = std::get_if<double>(&m_value))
        std::snprintf(buf, sizeof buf, "%g", *d);
    else
        std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(std::get<int64_t>(m_value)));
    return FromUtf8(buf);
}

namespace {

std::u16string Pad(std::u16string body, size_t width, bool left, bool zero)
{
    if (body.size() >= width)
        return body;
    const size_t fill = width - body.size();
    if (left)
        return body + std::u16string(fill, u' ');
    if (zero) {
        size_t signLen = (!body.empty() && (body[0] == u'-' || body[0] == u'+')) ? 1 : 0;
        return body.substr(0, signLen) + std::u16string(fill, u'0') + body.substr(signLen);
    }
    return std::u16string(fill, u' ') + body;
}

} // namespace

std::u16string FormatText(std::u16string_view pattern, const std::vector<FormatArg>& args)
{
    std::u16string out;
    out.reserve(pattern.size() + 16);
    size_t next = 0;
    size_t i = 0;
    while (i < pattern.size()) {
        char16_t c = pattern[i];
        if (c != u'%') {
            out += c;
            ++i;
            continue;
        }
        const size_t start = i++;
        if (i < pattern.size() && pattern[i] == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        bool left = false;
        bool zero = false;
        while (i < pattern.size() && (pattern[i] == u'-' || pattern[i] == u'0' ||
                                      pattern[i] == u'+' || pattern[i] == u' ' ||
                                      pattern[i] == u'#')) {
            left |= pattern[i] == u'-';
            zero |= pattern[i] == u'0';
            ++i;
        }
        size_t width = 0;
        while (i < pattern.size() && pattern[i] >= u'0' && pattern[i] <= u'9')
            width = std::min<size_t>(1000, width * 10 + (pattern[i++] - u'0'));
        int precision = -1;
        if (i < pattern.size() && pattern[i] == u'.') {
            ++i;
            precision = 0;
            while (i < pattern.size() && pattern[i] >= u'0' && pattern[i] <= u'9')
                precision = std::min(1000, precision * 10 + (pattern[i++] - u'0'));
        }
        while (i < pattern.size() && (pattern[i] == u'l' || pattern[i] == u'h' ||
                                      pattern[i] == u'L' || pattern[i] == u'w'))
            ++i;
        if (i + 2 < pattern.size() && pattern[i] == u'I' && pattern[i + 1] == u'6' &&
            pattern[i + 2] == u'4')
            i += 3;
        if (i >= pattern.size()) {
            out.append(pattern.substr(start));
            break;
        }
        const char16_t conv = pattern[i++];
        const bool known = conv == u'd' || conv == u'i' || conv == u'u' || conv == u'x' ||
                           conv == u'X' || conv == u'c' || conv == u's' || conv == u'S' ||
                           conv == u'f';
        if (!known || next >= args.size()) {
            out.append(pattern.substr(start, i - start));
            continue;
        }
        const FormatArg& arg = args[next++];
        std::u16string body;
        char buf[80];
        switch (conv) {
        case u'd':
        case u'i':
            if (arg.IsText()) {
                body = arg.Text();
            } else {
                std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(arg.Number()));
                body = FromUtf8(buf);
            }
            break;
        case u'u':
            if (arg.IsText()) {
                body = arg.Text();
            } else {
                std::snprintf(buf, sizeof buf, "%llu",
                              static_cast<unsigned long long>(static_cast<uint32_t>(arg.Number())));
                body = FromUtf8(buf);
            }
            break;
        case u'x':
        case u'X':
            std::snprintf(buf, sizeof buf, conv == u'x' ? "%llx" : "%llX",
                          static_cast<unsigned long long>(static_cast<uint32_t>(arg.Number())));
            body = FromUtf8(buf);
            break;
        case u'f':
            std::snprintf(buf, sizeof buf, "%.*f", precision < 0 ? 6 : std::min(precision, 30),
                          arg.Real());
            body = FromUtf8(buf);
            break;
        case u'c':
            if (arg.IsText())
                body = arg.Text().substr(0, 1);
            else
                body = std::u16string(1, static_cast<char16_t>(arg.Number()));
            break;
        default: // s, S
            body = arg.Text();
            if (precision >= 0 && body.size() > static_cast<size_t>(precision))
                body.resize(static_cast<size_t>(precision));
            break;
        }
        const bool numeric = conv != u's' && conv != u'S' && conv != u'c';
        out += Pad(std::move(body), width, left, zero && numeric && !left);
    }
    return out;
}

} // namespace kf
