#pragma once

// printf-style formatting of 16-bit texts with typed arguments. Interface texts carry
// placeholders ("%s", "%d", "%02d", "%ld", "%u", "%x", "%c", "%%") that are filled here;
// because the arguments are typed and counted, a text with more or other placeholders than
// the caller passes cannot read past them: an unmatched placeholder is kept as written.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kf {

class FormatArg
{
public:
    FormatArg(int v) : m_value(static_cast<int64_t>(v)) {}
    FormatArg(long v) : m_value(static_cast<int64_t>(v)) {}
    FormatArg(long long v) : m_value(static_cast<int64_t>(v)) {}
    FormatArg(unsigned v) : m_value(static_cast<int64_t>(v)) {}
    FormatArg(unsigned long v) : m_value(static_cast<int64_t>(v)) {}
    FormatArg(unsigned long long v) : m_value(static_cast<int64_t>(v)) {}
    FormatArg(double v) : m_value(v) {}
    FormatArg(std::u16string_view v) : m_value(std::u16string(v)) {}
    FormatArg(const std::u16string& v) : m_value(v) {}
    FormatArg(const char16_t* v) : m_value(std::u16string(v ? v : u"")) {}

    bool IsText() const { return std::holds_alternative<std::u16string>(m_value); }
    bool IsReal() const { return std::holds_alternative<double>(m_value); }
    int64_t Number() const;
    double Real() const;
    std::u16string Text() const;

private:
    std::variant<int64_t, double, std::u16string> m_value;
};

// Fills the placeholders of pattern with args in order. Supported conversions: d i u x X c s
// f (with the flags "-" and "0", a width, a precision, and the size prefixes l, ll, h, I64,
// which are accepted and ignored), "%%" for a percent sign. A number given where "%s" stands
// is written in decimal; a text given where a number stands is written as it is.
std::u16string FormatText(std::u16string_view pattern, const std::vector<FormatArg>& args);

inline std::u16string FormatText(std::u16string_view pattern, std::initializer_list<FormatArg> args)
{
    return FormatText(pattern, std::vector<FormatArg>(args));
}

} // namespace kf
