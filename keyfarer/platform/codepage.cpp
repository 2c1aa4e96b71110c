#include "codepage.h"

#include "profile.h"
#include "utf.h"

#include <algorithm>
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

// Runs the conversion over the input in slices, emitting the output as it comes and calling
// bad() for each unconvertible unit, which is then skipped by badStep bytes. The address
// sanitizer's iconv wrapper (and some iconv builds) looks at the whole remaining input on
// every call, so one call over a big file with many bad bytes would take quadratic time.
template <class Emit, class Bad>
void RunIconv(iconv_t cd, const char* data, size_t size, size_t badStep, Emit emit, Bad bad)
{
    constexpr size_t kSlice = 65536;
    std::vector<char> buf(4 * kSlice + 16);
    char* in = const_cast<char*>(data);
    size_t left = size;
    while (left > 0) {
        const size_t slice = std::min(left, kSlice);
        size_t sliceLeft = slice;
        char* outPtr = buf.data();
        size_t outLeft = buf.size();
        const size_t r = iconv(cd, &in, &sliceLeft, &outPtr, &outLeft);
        const int error = errno;
        const size_t consumed = slice - sliceLeft;
        const bool moreBeyond = slice < left;
        left -= consumed;
        emit(buf.data(), buf.size() - outLeft);
        if (r != static_cast<size_t>(-1) || error == E2BIG)
            continue;
        // A sequence cut by the slice's end goes on in the next slice.
        if (error == EINVAL && moreBeyond && consumed > 0)
            continue;
        bad();
        const size_t skip = std::min(badStep, left);
        in += skip;
        left -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
}

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
    RunIconv(
        cd.Get(), bytes.data(), bytes.size(), 1,
        [&out](const char* p, size_t n) {
            const size_t units = n / 2;
            const size_t at = out.size();
            out.resize(at + units);
            for (size_t i = 0; i < units; ++i)
                out[at + i] = static_cast<char16_t>(static_cast<unsigned char>(p[2 * i]) |
                                                    (static_cast<unsigned char>(p[2 * i + 1]) << 8));
        },
        // An invalid or truncated sequence: one replacement character per bad byte.
        [&out] { out += u'\uFFFD'; });
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
    RunIconv(
        cd.Get(), src.data(), src.size(), 2,
        [&out](const char* p, size_t n) { out.append(p, n); },
        // A character the code page lacks (or a broken surrogate): skip its code unit.
        [&out] { out += '?'; });
    return out;
}

} // namespace kf
