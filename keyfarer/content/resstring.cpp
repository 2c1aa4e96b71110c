#include "resstring.h"

#include "platform/path.h"
#include "platform/textfile.h"
#include "platform/textformat.h"
#include "platform/utf.h"

namespace kf {

namespace {

constexpr size_t kMaxLine = 519;
constexpr size_t kMaxKey = 1026;
constexpr size_t kMaxValue = 1024;

// Yields the lines of the text: runs of CR and LF are skipped, a line ends at CR, LF, the
// end of the text, or after 519 characters.
class LineReader
{
public:
    explicit LineReader(std::u16string_view text) : m_text(text) {}
    bool Next(std::u16string_view& line)
    {
        while (m_pos < m_text.size() && (m_text[m_pos] == u'\r' || m_text[m_pos] == u'\n'))
            ++m_pos;
        if (m_pos >= m_text.size())
            return false;
        size_t end = m_pos;
        while (end < m_text.size() && end - m_pos < kMaxLine && m_text[end] != u'\r' && m_text[end] != u'\n')
            ++end;
        line = m_text.substr(m_pos, end - m_pos);
        m_pos = end;
        return true;
    }

private:
    std::u16string_view m_text;
    size_t m_pos = 0;
};

const CResString* g_table = nullptr;

} // namespace

bool CResString::LoadStringFile(std::u16string_view path)
{
    if (path.empty())
        return true;
    if (!FileExists(path))
        return false;
    std::u16string text;
    if (!ReadTextFile(path, text))
        return false;
    if (text.size() > UINT32_MAX / 4)
        return false;
    return ParseStringText(text.c_str(), static_cast<uint32_t>(text.size() * 2));
}

bool CResString::ParseStringText(const char16_t* text, uint32_t sizeBytes)
{
    if (!text || sizeBytes == 0)
        return false;
    Clear();
    const std::u16string_view all(text, sizeBytes / 2);
    uint32_t size = sizeBytes;
    LineReader reader(UpToNul(all));
    std::u16string_view line;
    while (reader.Next(line)) {
        if (EqualsNoCase(line, u"[String]"))
            break;
        const uint32_t used = static_cast<uint32_t>(line.size()) + 4;
        if (size > used)
            size -= used;
    }
    if (size == 0)
        return false;
    m_loaded = true;
    m_lines.clear();
    m_lines.reserve(size / 2 + 1);
    size_t stored = 0;
    while (reader.Next(line)) {
        for (size_t i = 0; i < line.size(); ++i) {
            if (line[i] == u'\\' && i + 1 < line.size() && (line[i + 1] == u'n' || line[i + 1] == u'N')) {
                m_lines += u"\r\n";
                ++i;
            } else {
                m_lines += line[i];
            }
        }
        m_lines += u'\0';
        ++stored;
    }
    m_lines += u'\0';
    m_size = static_cast<uint32_t>((m_lines.size() - 1) * 2);
    if (stored == 0) {
        m_loaded = false;
        m_size = 0;
        m_lines.clear();
    }
    return true;
}

bool CResString::LookupString(std::u16string& out, std::u16string_view key, std::u16string_view defaultText) const
{
    if (m_loaded) {
        size_t pos = 0;
        while (pos < m_lines.size() && m_lines[pos] != u'\0') {
            const size_t end = m_lines.find(u'\0', pos);
            const std::u16string_view line(m_lines.data() + pos, end - pos);
            pos = end + 1;
            size_t i = 0;
            while (i < line.size() && (line[i] == u' ' || line[i] == u'\t' || line[i] == u'='))
                ++i;
            if (i >= line.size() || line[i] == u'\'')
                continue;
            const size_t eq = line.find(u'=', i + 1);
            if (eq == std::u16string_view::npos)
                continue;
            std::u16string_view k = line.substr(i, eq - i);
            while (!k.empty() && IsBlank(k.back()))
                k.remove_suffix(1);
            if (k.size() > kMaxKey)
                k = k.substr(0, kMaxKey);
            if (EqualsNoCase(k, key)) {
                std::u16string_view v = line.substr(eq + 1);
                out.assign(v.substr(0, std::min(v.size(), kMaxValue)));
                return true;
            }
        }
    }
    // The numeric fallback of the original went to the program's built-in table, which held
    // only framework messages; there is no such table here.
    out.assign(defaultText);
    return false;
}

std::u16string CResString::Get(std::u16string_view key, std::u16string_view defaultText) const
{
    std::u16string out;
    LookupString(out, key, defaultText);
    return out;
}

void CResString::Clear()
{
    m_lines.clear();
    m_size = 0;
    m_loaded = false;
}

std::vector<std::u16string> CResString::NumberedTexts(std::u16string_view pattern, int first, int last) const
{
    std::vector<std::u16string> out;
    for (int i = first; i <= last; ++i)
        out.push_back(Get(NumberedKey(pattern, i)));
    return out;
}

std::u16string NumberedKey(std::u16string_view pattern, int number, std::u16string_view suffix)
{
    return FormatText(pattern, {number, suffix});
}

std::u16string StringFileOpenFailedText(std::u16string_view path)
{
    return FormatText(u"Failed to open the file %s, please reinstall to resolve this problem.",
                      {DisplayPath(path)});
}

std::u16string StringFileInvalidText(std::u16string_view path)
{
    return FormatText(u"The string file %s is an invalid string file, please reinstall the software.",
                      {DisplayPath(path)});
}

void SetStringTable(const CResString* table)
{
    g_table = table;
}

const CResString* StringTable()
{
    return g_table;
}

bool GetResString(std::u16string& out, std::u16string_view key, std::u16string_view defaultText)
{
    if (!g_table) {
        out.assign(defaultText);
        return false;
    }
    return g_table->LookupString(out, key, defaultText);
}

std::u16string GetResString(std::u16string_view key, std::u16string_view defaultText)
{
    std::u16string out;
    GetResString(out, key, defaultText);
    return out;
}

} // namespace kf
