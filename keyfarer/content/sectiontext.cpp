#include "sectiontext.h"

#include "platform/utf.h"

#include <algorithm>

namespace kf {

namespace {
bool IsLineEnd(char16_t c)
{
    return c == u'\r' || c == u'\n';
}
} // namespace

void SectionText::Attach(ByteSpan utf16Bytes)
{
    if (utf16Bytes.size() > 2 && utf16Bytes[0] == 0xFF && utf16Bytes[1] == 0xFE)
        utf16Bytes = utf16Bytes.subspan(2);
    m_text = BytesToUtf16(utf16Bytes);
    // Text ends at its first NUL, as it would in the original zero-terminated block.
    m_text.resize(UpToNul(m_text).size());
}

void SectionText::AttachText(std::u16string_view text)
{
    if (text.size() > 1 && text[0] == u'\uFEFF')
        text.remove_prefix(1);
    m_text.assign(UpToNul(text));
}

size_t SectionText::FindSectionFrom(std::u16string_view section, size_t from, size_t& contentEnd) const
{
    const std::u16string_view t = m_text;
    if (section.empty())
        return std::u16string::npos;
    size_t pos = from;
    while ((pos = FindNoCase(t, section, pos)) != std::u16string::npos) {
        const size_t end = pos + section.size();
        // Back to the line start: blanks and exactly one "[".
        size_t brackets = 0;
        bool ok = true;
        size_t i = pos;
        while (i > 0 && !IsLineEnd(t[i - 1])) {
            const char16_t c = t[i - 1];
            if (c == u'[')
                ++brackets;
            else if (!IsBlank(c)) {
                ok = false;
                break;
            }
            --i;
        }
        ok = ok && brackets == 1;
        // Forward to the line end: blanks and exactly one "]".
        size_t j = end;
        size_t closing = 0;
        while (ok && j < t.size() && !IsLineEnd(t[j])) {
            if (t[j] == u']')
                ++closing;
            else if (!IsBlank(t[j]))
                ok = false;
            ++j;
        }
        ok = ok && closing == 1;
        if (!ok) {
            pos = pos + 1;
            continue;
        }
        // The content runs to the next line whose first non-blank is "[".
        size_t k = j;
        contentEnd = t.size();
        while (k < t.size()) {
            while (k < t.size() && IsLineEnd(t[k]))
                ++k;
            size_t lineStart = k;
            while (k < t.size() && IsBlank(t[k]))
                ++k;
            if (k < t.size() && t[k] == u'[') {
                contentEnd = lineStart;
                break;
            }
            while (k < t.size() && !IsLineEnd(t[k]))
                ++k;
        }
        return j;
    }
    return std::u16string::npos;
}

bool SectionText::Find(std::u16string_view section, std::u16string_view key, std::u16string_view& value) const
{
    const std::u16string_view t = m_text;
    if (key.empty())
        return false;
    size_t from = 0;
    for (;;) {
        size_t contentEnd = 0;
        const size_t content = FindSectionFrom(section, from, contentEnd);
        if (content == std::u16string::npos)
            return false;
        const std::u16string_view body = t.substr(0, contentEnd);
        size_t pos = content;
        while ((pos = FindNoCase(body, key, pos)) != std::u16string::npos) {
            // Only blanks between the line start and the key.
            size_t i = pos;
            bool ok = true;
            while (i > 0 && !IsLineEnd(t[i - 1])) {
                if (!IsBlank(t[i - 1])) {
                    ok = false;
                    break;
                }
                --i;
            }
            // Only blanks between the key and "=".
            size_t j = pos + key.size();
            while (ok && j < body.size() && IsBlank(body[j]))
                ++j;
            ok = ok && j < body.size() && body[j] == u'=';
            if (!ok) {
                ++pos;
                continue;
            }
            size_t e = j + 1;
            while (e < t.size() && !IsLineEnd(t[e]))
                ++e;
            value = t.substr(j + 1, e - j - 1);
            return true;
        }
        // Not in this section: a later section of the same name may hold it.
        from = content;
    }
}

size_t SectionText::ReadText(std::u16string_view section, std::u16string_view key,
                             std::u16string_view defaultValue, size_t capacity, std::u16string& out) const
{
    std::u16string_view value;
    if (capacity == 0) {
        out.clear();
        return 0;
    }
    if (!Find(section, key, value)) {
        out.assign(defaultValue.substr(0, std::min(defaultValue.size(), capacity - 1)));
        return 0;
    }
    out.assign(value.substr(0, std::min(value.size(), capacity - 1)));
    return out.size();
}

std::u16string SectionText::Text(std::u16string_view section, std::u16string_view key,
                                 std::u16string_view defaultValue, size_t capacity) const
{
    std::u16string out;
    ReadText(section, key, defaultValue, capacity, out);
    return out;
}

int32_t SectionText::ReadNumber(std::u16string_view section, std::u16string_view key, int32_t defaultValue) const
{
    std::u16string text;
    if (ReadText(section, key, u"", 64, text) == 0)
        return defaultValue;
    return ParseDecimal(text);
}

int32_t ParseDecimal(std::u16string_view text)
{
    size_t i = 0;
    while (i < text.size() && (IsBlank(text[i]) || text[i] == u'\r' || text[i] == u'\n'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    int64_t v = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        v = v * 10 + (text[i] - u'0');
        if (v > 0x80000000LL)
            v = 0x80000000LL; // saturate instead of overflowing on a hostile value
    }
    if (negative)
        v = -v;
    if (v > INT32_MAX)
        v = INT32_MAX;
    if (v < INT32_MIN)
        v = INT32_MIN;
    return static_cast<int32_t>(v);
}

} // namespace kf
