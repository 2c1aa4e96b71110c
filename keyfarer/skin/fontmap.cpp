#include "skin/fontmap.h"

#include <algorithm>

namespace kf {
namespace {

struct Mapping
{
    const char16_t* face;
    const char16_t* standIns[3];
};

constexpr char16_t kSans[] = u"Noto Sans";
constexpr char16_t kSans2[] = u"DejaVu Sans";
constexpr char16_t kSerif[] = u"Liberation Serif";
constexpr char16_t kMono[] = u"Liberation Mono";
constexpr char16_t kMono2[] = u"DejaVu Sans Mono";
constexpr char16_t kCjk[] = u"WenQuanYi Micro Hei";

// Metric-compatible faces first (Liberation matches Arial, Times New Roman, Courier New).
constexpr Mapping kMap[] = {
    {u"Tahoma", {kSans2, kSans, nullptr}},
    {u"Verdana", {kSans2, kSans, nullptr}},
    {u"MS Sans Serif", {kSans2, kSans, nullptr}},
    {u"MS Shell Dlg", {kSans2, kSans, nullptr}},
    {u"MS Shell Dlg 2", {kSans2, kSans, nullptr}},
    {u"Segoe UI", {kSans, kSans2, nullptr}},
    {u"Arial", {u"Liberation Sans", kSans, nullptr}},
    {u"Helvetica", {u"Liberation Sans", kSans, nullptr}},
    {u"Arial Narrow", {u"Liberation Sans Narrow", u"Liberation Sans", nullptr}},
    {u"Times New Roman", {kSerif, u"DejaVu Serif", nullptr}},
    {u"Georgia", {u"DejaVu Serif", kSerif, nullptr}},
    {u"Courier New", {kMono, kMono2, nullptr}},
    {u"Courier", {kMono, kMono2, nullptr}},
    {u"Consolas", {kMono2, kMono, nullptr}},
    {u"Lucida Console", {kMono2, kMono, nullptr}},
    {u"Fixedsys", {kMono2, kMono, nullptr}},
    {u"SimSun", {kCjk, nullptr, nullptr}},
    {u"NSimSun", {kCjk, nullptr, nullptr}},
    {u"SimHei", {kCjk, nullptr, nullptr}},
    {u"Microsoft YaHei", {kCjk, nullptr, nullptr}},
    {u"\u5B8B\u4F53", {kCjk, nullptr, nullptr}}, // SimSun by its own name
    {u"\u9ED1\u4F53", {kCjk, nullptr, nullptr}}, // SimHei by its own name
};

char16_t Lower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

bool SameFace(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return Lower(x) == Lower(y); });
}

bool Contains(std::u16string_view face, std::u16string_view word)
{
    std::u16string lower(face);
    for (auto& c : lower)
        c = Lower(c);
    return lower.find(word) != std::u16string::npos;
}

} // namespace

std::vector<std::u16string> FontCandidates(std::u16string_view face)
{
    std::vector<std::u16string> out;
    auto add = [&](std::u16string_view f) {
        if (f.empty())
            return;
        for (const auto& have : out)
            if (SameFace(have, f))
                return;
        out.emplace_back(f);
    };
    add(face);
    for (const Mapping& m : kMap)
        if (SameFace(m.face, face))
            for (const char16_t* s : m.standIns)
                if (s)
                    add(s);
    if (Contains(face, u"mono") || Contains(face, u"courier") || Contains(face, u"console")) {
        add(kMono2);
    } else if (Contains(face, u"serif") && !Contains(face, u"sans")) {
        add(kSerif);
    } else if (Contains(face, u"times") || Contains(face, u"roman")) {
        add(kSerif);
    }
    add(kSans);
    add(kSans2);
    return out;
}

} // namespace kf
