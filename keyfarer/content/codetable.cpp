#include "codetable.h"

#include "content/pump_tutorialdatabase.h"
#include "platform/bytes.h"
#include "platform/lasterror.h"

namespace kf {

namespace {

constexpr std::u16string_view kTag = u"[TUTORIALCOD]";

bool IsSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

} // namespace

bool CodeTable::LoadCodeTable(CPump_TutorialDataBase& source, std::u16string_view path)
{
    if (!source.ReadTutorialText(path, nullptr))
        return false;
    return LoadCodeTableText(BytesToUtf16(source.Result()));
}

bool CodeTable::LoadCodeTableText(std::u16string_view text)
{
    const size_t bytes = text.size() * 2;
    if (bytes < kMinBytes || bytes > kMaxBytes) {
        SetLastError(err::InvalidData);
        return false;
    }
    size_t p = 0;
    while (p < text.size() && IsSpace(text[p]))
        ++p;
    if (text.substr(p, kTag.size()) != kTag) {
        SetLastError(err::InvalidData);
        return false;
    }
    p += kTag.size();
    std::u16string name;
    if (p < text.size() && text[p] == u'[') {
        const size_t close = text.find(u']', p + 1);
        const size_t end = close == std::u16string_view::npos ? text.size() : close;
        name.assign(text.substr(p + 1, std::min(end - p - 1, kMaxNameLength)));
        p = close == std::u16string_view::npos ? text.size() : close + 1;
    }
    std::u16string_view body = text.substr(p);
    body = body.substr(0, body.find(u'\0'));
    m_name = std::move(name);
    m_body.assign(body);
    m_loaded = true;
    SetLastError(err::Success);
    return true;
}

bool CodeTable::CodeOf(char16_t ch, std::string& code) const
{
    code.clear();
    const size_t at = m_body.find(ch);
    if (at == std::u16string::npos)
        return false;
    for (size_t i = at + 1; i < m_body.size() && !IsSpace(m_body[i]) && code.size() < kMaxCodeLength; ++i)
        code += static_cast<char>(m_body[i] & 0xFF);
    return true;
}

} // namespace kf
