#include "session/keyreceiver.h"

namespace kf {
namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool IsControl(char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

} // namespace

std::u16string KeyReceiver::Receive(const KeyInput& input)
{
    switch (input.key) {
    case ReceivedKey::Backspace:
        m_held = 0;
        return u"\b";
    case ReceivedKey::Enter:
        m_held = 0;
        return u"\r";
    case ReceivedKey::Escape:
        m_held = 0;
        return u"\x1b";
    case ReceivedKey::Tab:
        m_held = 0;
        return u"\t";
    case ReceivedKey::Other:
    case ReceivedKey::Text:
        break;
    }
    if (input.controlOrMeta || input.text.empty()) {
        m_held = 0;
        return {};
    }
    std::u16string out;
    size_t i = 0;
    if (m_held != 0) {
        if (IsLowSurrogate(input.text[0])) {
            out += m_held;
            out += input.text[0];
            i = 1;
        }
        m_held = 0;
    }
    for (; i < input.text.size(); ++i) {
        const char16_t c = input.text[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\n' && i > 0 && input.text[i - 1] == u'\r')
                continue;
            out += u'\r';
        } else if (IsHighSurrogate(c)) {
            if (i + 1 == input.text.size()) {
                m_held = c;
            } else if (IsLowSurrogate(input.text[i + 1])) {
                out += c;
                out += input.text[++i];
            }
        } else if (IsLowSurrogate(c) || IsControl(c)) {
            continue;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace kf
