#pragma once

// A small JSON writer for the --json output of kftool's dump commands: objects, arrays,
// numbers, booleans and UTF-16 texts written as escaped UTF-8, indented two spaces.
//
//     JsonWriter j(stdout);
//     j.BeginObject();
//     j.Key("name"); j.String(u"Touch Typing");
//     j.Key("lessons"); j.BeginArray(); j.Number(1); j.EndArray();
//     j.EndObject();

#include "platform/utf.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace kf::tool {

class JsonWriter
{
public:
    explicit JsonWriter(FILE* out) : m_out(out) {}

    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }

    void Key(std::string_view key)
    {
        Separate();
        WriteQuoted(key);
        std::fputs(": ", m_out);
        m_afterKey = true;
    }
    void String(std::u16string_view text) { Value([&] { WriteQuoted(ToUtf8(text)); }); }
    void String(std::string_view utf8) { Value([&] { WriteQuoted(utf8); }); }
    void Number(int64_t n) { Value([&] { std::fprintf(m_out, "%lld", static_cast<long long>(n)); }); }
    void Bool(bool b) { Value([&] { std::fputs(b ? "true" : "false", m_out); }); }

    // Ends the output with a line break.
    void Finish() { std::fputc('\n', m_out); }

private:
    template <typename F>
    void Value(F write)
    {
        Separate();
        write();
        m_afterKey = false;
    }
    void Separate()
    {
        if (m_afterKey)
            return;
        if (!m_first.empty()) {
            if (!m_first.back())
                std::fputc(',', m_out);
            m_first.back() = false;
            std::fputc('\n', m_out);
            Indent();
        }
    }
    void Open(char c)
    {
        Separate();
        std::fputc(c, m_out);
        m_afterKey = false;
        m_first.push_back(true);
    }
    void Close(char c)
    {
        const bool empty = m_first.back();
        m_first.pop_back();
        if (!empty) {
            std::fputc('\n', m_out);
            Indent();
        }
        std::fputc(c, m_out);
    }
    void Indent()
    {
        for (size_t i = 0; i < m_first.size(); ++i)
            std::fputs("  ", m_out);
    }
    void WriteQuoted(std::string_view s)
    {
        std::fputc('"', m_out);
        for (unsigned char c : s) {
            switch (c) {
            case '"': std::fputs("\\\"", m_out); break;
            case '\\': std::fputs("\\\\", m_out); break;
            case '\n': std::fputs("\\n", m_out); break;
            case '\r': std::fputs("\\r", m_out); break;
            case '\t': std::fputs("\\t", m_out); break;
            default:
                if (c < 0x20)
                    std::fprintf(m_out, "\\u%04x", c);
                else
                    std::fputc(c, m_out);
            }
        }
        std::fputc('"', m_out);
    }

    FILE* m_out;
    std::vector<bool> m_first;
    bool m_afterKey = false;
};

} // namespace kf::tool
