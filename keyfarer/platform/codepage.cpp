#include "codepage.h"

#include "profile.h"
#include "utf.h"

#include <cerrno>
#include <cstdlib>
#include <iconv.h>
#include <mutex>
#include <vector>

namespace kf {

namespace {
std::mutex g_mutex;
unsigned g_codePage = 0; // 0: not decided yet

unsigned EnvCodePage()
{
    const char* env = std::getenv("KEYFARER_ACP");
    if (!env || !*env)
        return 0;
    char* end = nullptr;
    unsigned long v = std::strtoul(env, &end, 10);
    return (end && *end == 0 && v > 0 && v < 100000) ? static_cast<unsigned>(v) : 0;
}

class Iconv
{
public:
    Iconv(const std::string& to, const std::string& from) : m_cd(iconv_open(to.c_str(), from.c_str())) {}
    ~Iconv()
    {
        if (Ok())
            iconv_close(m_cd);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool Ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return m_cd; }

private:
    iconv_t m_cd;
};
} // namespace

unsigned AnsiCodePage()
{
    std::lock_guard lock(g_mutex);
    if (g_codePage == 0) {
        unsigned env = EnvCodePage();
        g_codePage = env ? env : 1252;
    }
    return g_codePage;
}

void SetAnsiCodePage(unsigned codePage)
{
    std::lock_guard lock(g_mutex);
    g_codePage = codePage ? codePage : 1252;
}

unsigned LoadAnsiCodePageSetting(std::u16string_view iniPath)
{
    if (unsigned env = EnvCodePage()) {
        SetAnsiCodePage(env);
        return env;
    }
    // Read without writing a default back: the setting is optional.
    const uint32_t v = GetPrivateProfileInt(u"Platform", u"AnsiCodePage", 0, iniPath);
    if (v > 0 && v < 100000 && !CodePageName(v).empty())
        SetAnsiCodePage(v);
    return AnsiCodePage();
}

std::string CodePageName(unsigned codePage)
{
    switch (codePage) {
    case kCodePageUtf8: return "UTF-8";
    case 936: return "GBK";
    case 950: return "BIG5";
    case 932: return "CP932";
    case 949: return "CP949";
    case 20127: return "ASCII";
    case 28591: return "ISO-8859-1";
    case 28592: return "ISO-8859-2";
    case 28595: return "ISO-8859-5";
    case 20866: return "KOI8-R";
    case 437: case 850: case 852: case 855: case 857: case 860: case 861: case 862: case 863:
    case 865: case 866: case 869: case 874:
    case 1250: case 1251: case 1252: case 1253: case 1254: case 1255: case 1256: case 1257:
    case 1258:
        return "CP" + std::to_string(codePage);
    default: return {};
    }
}

std::u16string MultiByteToWide(unsigned codePage, std::string_view bytes)
{
    std::string name = CodePageName(codePage);
    if (name.empty())
        name = "CP1252";
    if (name == "UTF-8")
        return FromUtf8(bytes);
    Iconv cd("UTF-16LE", name);
    if (!cd.Ok())
        return FromUtf8(bytes);
    std::u16string out;
    out.reserve(bytes.size());
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    std::vector<char> buf(8192);
    while (inLeft > 0) {
        char* outPtr = buf.data();
        size_t outLeft = buf.size();
        size_t r = iconv(cd.Get(), &in, &inLeft, &outPtr, &outLeft);
        const size_t produced = buf.size() - outLeft;
        for (size_t i = 0; i + 1 < produced; i += 2)
            out += static_cast<char16_t>(static_cast<unsigned char>(buf[i]) |
                                         (static_cast<unsigned char>(buf[i + 1]) << 8));
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // An invalid or truncated sequence: one replacement character per bad byte.
            out += u'\uFFFD';
            ++in;
            --inLeft;
            iconv(cd.Get(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

std::string WideToMultiByte(unsigned codePage, std::u16string_view text)
{
    std::string name = CodePageName(codePage);
    if (name.empty())
        name = "CP1252";
    if (name == "UTF-8")
        return ToUtf8(text);
    Iconv cd(name, "UTF-16LE");
    if (!cd.Ok())
        return ToUtf8(text);
    std::string out;
    out.reserve(text.size());
    std::vector<char> src(text.size() * 2);
    for (size_t i = 0; i < text.size(); ++i) {
        src[2 * i] = static_cast<char>(text[i] & 0xFF);
        src[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    char* in = src.data();
    size_t inLeft = src.size();
    std::vector<char> buf(8192);
    while (inLeft > 0) {
        char* outPtr = buf.data();
        size_t outLeft = buf.size();
        size_t r = iconv(cd.Get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buf.data(), buf.size() - outLeft);
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // A character the code page lacks (or a broken surrogate): skip its code unit.
            out += '?';
            const size_t skip = std::min<size_t>(2, inLeft);
            in += skip;
            inLeft -= skip;
            iconv(cd.Get(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

} // namespace kf
