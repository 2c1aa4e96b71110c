#include "profile.h"

#include "codepage.h"
#include "lasterror.h"
#include "path.h"
#include "textfile.h"
#include "utf.h"

namespace kf {

namespace {

// One line of an INI file: its text, and the exact bytes it was read from (without the
// line end) so that untouched lines are written back unchanged.
struct Line
{
    std::u16string text;
    Bytes raw;
    bool dirty = false;
};

class IniFile
{
public:
    bool Load(std::u16string_view path);
    bool Save(std::u16string_view path) const;

    // Index of the first header line of the section, or npos.
    size_t FindSection(std::u16string_view section) const;
    // End of the section that starts at header line h (the next header or the end).
    size_t SectionEnd(size_t h) const;
    // Index of the first key line of the section's body, or npos.
    size_t FindKey(size_t header, std::u16string_view key) const;

    static bool IsHeader(std::u16string_view line, std::u16string_view* name = nullptr);
    static bool SplitKey(std::u16string_view line, std::u16string_view& key, std::u16string_view& value);

    std::vector<Line> lines;
    bool changed = false;

    void Set(size_t i, std::u16string text)
    {
        lines[i].text = std::move(text);
        lines[i].dirty = true;
        changed = true;
    }
    void Insert(size_t i, std::u16string text)
    {
        Line l;
        l.text = std::move(text);
        l.dirty = true;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i), std::move(l));
        changed = true;
    }
    void Erase(size_t from, size_t to)
    {
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(from),
                    lines.begin() + static_cast<std::ptrdiff_t>(to));
        changed = true;
    }

private:
    TextEncoding m_encoding = TextEncoding::Ansi;
    bool m_existed = false;
    bool m_crlf = true;
    bool m_finalNewline = true;
};

std::u16string_view Unquote(std::u16string_view v)
{
    if (v.size() >= 2 && ((v.front() == u'"' && v.back() == u'"') ||
                          (v.front() == u'\'' && v.back() == u'\'')))
        return v.substr(1, v.size() - 2);
    return v;
}

bool IniFile::Load(std::u16string_view path)
{
    lines.clear();
    Bytes bytes;
    if (!ReadWholeFile(path, bytes, size_t{64} << 20)) {
        const uint32_t code = GetLastError();
        m_existed = false;
        // A missing file is simply empty; anything else (a folder, no permission) too, but the
        // reason stays available.
        SetLastError(code);
        return code == err::FileNotFound || code == err::PathNotFound;
    }
    m_existed = true;
    const std::u16string text = DecodeText(bytes, &m_encoding, false);
    m_crlf = text.find(u"\r\n") != std::u16string::npos || text.find(u'\n') == std::u16string::npos;
    m_finalNewline = !text.empty() && (text.back() == u'\n' || text.back() == u'\r');

    // Split the decoded text into lines; keep each line's original bytes for 8-bit files.
    const bool eightBit = m_encoding == TextEncoding::Ansi || m_encoding == TextEncoding::Utf8 ||
                          m_encoding == TextEncoding::Utf8Bom;
    size_t rawPos = m_encoding == TextEncoding::Utf8Bom ? 3 : 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of(u"\r\n", pos);
        if (end == std::u16string::npos)
            end = text.size();
        Line l;
        l.text = text.substr(pos, end - pos);
        if (eightBit) {
            size_t rawEnd = rawPos;
            while (rawEnd < bytes.size() && bytes[rawEnd] != '\r' && bytes[rawEnd] != '\n')
                ++rawEnd;
            l.raw.assign(bytes.begin() + static_cast<std::ptrdiff_t>(rawPos),
                         bytes.begin() + static_cast<std::ptrdiff_t>(rawEnd));
            rawPos = rawEnd;
            if (rawPos < bytes.size() && bytes[rawPos] == '\r')
                ++rawPos;
            if (rawPos < bytes.size() && bytes[rawPos] == '\n')
                ++rawPos;
        }
        lines.push_back(std::move(l));
        pos = end;
        if (pos < text.size() && text[pos] == u'\r')
            ++pos;
        if (pos < text.size() && text[pos] == u'\n')
            ++pos;
    }
    return true;
}

bool IniFile::Save(std::u16string_view path) const
{
    TextEncoding enc = m_encoding;
    if (!m_existed) {
        // A new file: the ANSI code page when it can hold every character, else UTF-16.
        enc = TextEncoding::Ansi;
        for (const auto& l : lines) {
            const std::string a = WideToMultiByte(AnsiCodePage(), l.text);
            if (MultiByteToWide(AnsiCodePage(), a) != l.text) {
                enc = TextEncoding::Utf16LeBom;
                break;
            }
        }
    }
    const std::u16string eol = m_crlf ? u"\r\n" : u"\n";
    Bytes out;
    auto put16 = [&out](std::u16string_view t) {
        for (char16_t c : t) {
            out.push_back(static_cast<uint8_t>(c & 0xFF));
            out.push_back(static_cast<uint8_t>(c >> 8));
        }
    };
    auto put8 = [&out](const std::string& s) { out.insert(out.end(), s.begin(), s.end()); };
    const bool sixteen = enc == TextEncoding::Utf16Le || enc == TextEncoding::Utf16LeBom;
    if (enc == TextEncoding::Utf16LeBom) {
        out.push_back(0xFF);
        out.push_back(0xFE);
    } else if (enc == TextEncoding::Utf8Bom) {
        out.insert(out.end(), {0xEF, 0xBB, 0xBF});
    }
    const unsigned cp = (enc == TextEncoding::Utf8 || enc == TextEncoding::Utf8Bom) ? kCodePageUtf8 : AnsiCodePage();
    for (size_t i = 0; i < lines.size(); ++i) {
        const Line& l = lines[i];
        if (sixteen) {
            put16(l.text);
        } else if (!l.dirty && m_existed) {
            out.insert(out.end(), l.raw.begin(), l.raw.end());
        } else {
            put8(WideToMultiByte(cp, l.text));
        }
        const bool last = i + 1 == lines.size();
        if (!last || m_finalNewline || changed) {
            if (sixteen)
                put16(eol);
            else
                put8(ToUtf8(eol));
        }
    }
    return WriteFileAtomic(path, out);
}

bool IniFile::IsHeader(std::u16string_view line, std::u16string_view* name)
{
    std::u16string_view t = TrimBlanks(line);
    if (t.empty() || t[0] != u'[')
        return false;
    if (name) {
        std::u16string_view inner = t.substr(1);
        size_t close = inner.find(u']');
        if (close != std::u16string_view::npos)
            inner = inner.substr(0, close);
        *name = TrimBlanks(inner);
    }
    return true;
}

bool IniFile::SplitKey(std::u16string_view line, std::u16string_view& key, std::u16string_view& value)
{
    std::u16string_view t = TrimBlanks(line);
    if (t.empty() || t[0] == u';')
        return false;
    size_t eq = t.find(u'=');
    if (eq == std::u16string_view::npos)
        return false;
    key = TrimBlanks(t.substr(0, eq));
    value = Unquote(TrimBlanks(t.substr(eq + 1)));
    return true;
}

size_t IniFile::FindSection(std::u16string_view section) const
{
    const std::u16string_view want = TrimBlanks(section);
    for (size_t i = 0; i < lines.size(); ++i) {
        std::u16string_view name;
        if (IsHeader(lines[i].text, &name) && EqualsNoCase(name, want))
            return i;
    }
    return std::u16string::npos;
}

size_t IniFile::SectionEnd(size_t h) const
{
    size_t i = h + 1;
    while (i < lines.size() && !IsHeader(lines[i].text))
        ++i;
    return i;
}

size_t IniFile::FindKey(size_t header, std::u16string_view key) const
{
    const std::u16string_view want = TrimBlanks(key);
    const size_t end = SectionEnd(header);
    for (size_t i = header + 1; i < end; ++i) {
        std::u16string_view k, v;
        if (SplitKey(lines[i].text, k, v) && EqualsNoCase(k, want))
            return i;
    }
    return std::u16string::npos;
}

// Looks a value up; false when the file, section or key is missing.
bool Lookup(std::u16string_view section, std::u16string_view key, std::u16string_view file,
            std::u16string& value)
{
    IniFile ini;
    ini.Load(file);
    const size_t h = ini.FindSection(section);
    if (h == std::u16string::npos)
        return false;
    const size_t k = ini.FindKey(h, key);
    if (k == std::u16string::npos)
        return false;
    std::u16string_view kk, vv;
    IniFile::SplitKey(ini.lines[k].text, kk, vv);
    value.assign(vv);
    return true;
}

} // namespace

std::u16string GetPrivateProfileString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view defaultValue, size_t capacity,
                                       std::u16string_view file)
{
    if (capacity == 0)
        return {};
    std::u16string value;
    if (!Lookup(section, key, file, value) || value.empty()) {
        std::u16string_view d = defaultValue;
        while (!d.empty() && IsBlank(d.back()))
            d.remove_suffix(1);
        value.assign(d);
    }
    if (value.size() > capacity - 1)
        value.resize(capacity - 1);
    return value;
}

bool HasPrivateProfileKey(std::u16string_view section, std::u16string_view key,
                          std::u16string_view file)
{
    std::u16string value;
    return Lookup(section, key, file, value);
}

uint32_t ParseProfileInteger(std::u16string_view text, bool* hadDigits)
{
    size_t i = 0;
    while (i < text.size() && (IsBlank(text[i]) || text[i] == u'\r' || text[i] == u'\n'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    unsigned base = 10;
    if (i + 1 < text.size() && text[i] == u'0') {
        const char16_t p = ToLowerAscii(text[i + 1]);
        if (p == u'x') base = 16;
        else if (p == u'o') base = 8;
        else if (p == u'b') base = 2;
        if (base != 10)
            i += 2;
    }
    uint32_t v = 0;
    bool any = false;
    for (; i < text.size(); ++i) {
        const char16_t c = ToLowerAscii(text[i]);
        unsigned d;
        if (c >= u'0' && c <= u'9')
            d = c - u'0';
        else if (c >= u'a' && c <= u'f')
            d = c - u'a' + 10;
        else
            break;
        if (d >= base)
            break;
        v = v * base + d; // wraps modulo 2^32 like the platform's conversion
        any = true;
    }
    if (hadDigits)
        *hadDigits = any;
    return negative ? 0u - v : v;
}

uint32_t GetPrivateProfileInt(std::u16string_view section, std::u16string_view key,
                              int32_t defaultValue, std::u16string_view file)
{
    std::u16string value;
    if (!Lookup(section, key, file, value) || value.empty())
        return static_cast<uint32_t>(defaultValue);
    return ParseProfileInteger(value);
}

bool WritePrivateProfileString(std::u16string_view section, std::u16string_view key,
                               std::u16string_view value, std::u16string_view file)
{
    IniFile ini;
    if (!ini.Load(file))
        return false;
    const std::u16string_view sec = TrimBlanks(section);
    const std::u16string_view k = TrimBlanks(key);
    if (sec.empty() || k.empty()) {
        SetLastError(err::InvalidParameter);
        return false;
    }
    size_t h = ini.FindSection(sec);
    if (h == std::u16string::npos) {
        if (!ini.lines.empty() && !TrimBlanks(ini.lines.back().text).empty())
            ini.Insert(ini.lines.size(), u"");
        ini.Insert(ini.lines.size(), u"[" + std::u16string(sec) + u"]");
        ini.Insert(ini.lines.size(), std::u16string(k) + u"=" + std::u16string(value));
    } else {
        const size_t at = ini.FindKey(h, k);
        if (at != std::u16string::npos) {
            std::u16string_view oldKey, oldValue;
            IniFile::SplitKey(ini.lines[at].text, oldKey, oldValue);
            std::u16string line = std::u16string(oldKey) + u"=" + std::u16string(value);
            if (line != ini.lines[at].text)
                ini.Set(at, std::move(line));
        } else {
            // After the section's last non-blank line, so blank separators stay in place.
            size_t end = ini.SectionEnd(h);
            while (end > h + 1 && TrimBlanks(ini.lines[end - 1].text).empty())
                --end;
            ini.Insert(end, std::u16string(k) + u"=" + std::u16string(value));
        }
    }
    if (!ini.changed)
        return true;
    return ini.Save(file);
}

bool DeletePrivateProfileKey(std::u16string_view section, std::u16string_view key,
                             std::u16string_view file)
{
    IniFile ini;
    if (!ini.Load(file))
        return false;
    const size_t h = ini.FindSection(section);
    if (h == std::u16string::npos)
        return true;
    const size_t at = ini.FindKey(h, key);
    if (at == std::u16string::npos)
        return true;
    ini.Erase(at, at + 1);
    return ini.Save(file);
}

bool DeletePrivateProfileSection(std::u16string_view section, std::u16string_view file)
{
    IniFile ini;
    if (!ini.Load(file))
        return false;
    const size_t h = ini.FindSection(section);
    if (h == std::u16string::npos)
        return true;
    ini.Erase(h, ini.SectionEnd(h));
    return ini.Save(file);
}

std::vector<std::u16string> GetPrivateProfileSectionNames(std::u16string_view file)
{
    IniFile ini;
    ini.Load(file);
    std::vector<std::u16string> names;
    for (const auto& l : ini.lines) {
        std::u16string_view name;
        if (!IniFile::IsHeader(l.text, &name))
            continue;
        bool seen = false;
        for (const auto& n : names)
            seen = seen || EqualsNoCase(n, name);
        if (!seen)
            names.emplace_back(name);
    }
    return names;
}

std::vector<std::pair<std::u16string, std::u16string>>
GetPrivateProfileSection(std::u16string_view section, std::u16string_view file)
{
    IniFile ini;
    ini.Load(file);
    std::vector<std::pair<std::u16string, std::u16string>> out;
    const size_t h = ini.FindSection(section);
    if (h == std::u16string::npos)
        return out;
    const size_t end = ini.SectionEnd(h);
    for (size_t i = h + 1; i < end; ++i) {
        std::u16string_view k, v;
        if (IniFile::SplitKey(ini.lines[i].text, k, v))
            out.emplace_back(std::u16string(k), std::u16string(v));
    }
    return out;
}

} // namespace kf
