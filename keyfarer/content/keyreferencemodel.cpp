#include "keyreferencemodel.h"

#include "content/courseheader.h"

namespace kf {

namespace {

constexpr uint32_t kSecondCharacter = 100;
constexpr uint32_t kKeypadKeys = 17;
// More digits than this cannot name a key; the reference then expands to nothing.
constexpr size_t kMaxDigits = 9;

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

char16_t ReferencedChar(uint32_t n, uint8_t layoutType, const KeyReferenceModel& model)
{
    KeyCaps key;
    if (layoutType == CourseHeader::kKeypadLayoutType) {
        const uint32_t k = n >= kSecondCharacter ? n - kSecondCharacter : n;
        if (k >= kKeypadKeys || !model.KeypadKey(k, key) || key.kind == KeyCaps::kModifier)
            return 0;
        return key.base;
    }
    const bool second = n >= kSecondCharacter;
    const uint32_t k = second ? n - kSecondCharacter : n;
    if (!model.MainKey(k, key) || key.kind == KeyCaps::kModifier)
        return 0;
    const bool letter = key.kind == KeyCaps::kLetter;
    return letter != second ? key.shifted : key.base;
}

} // namespace

std::u16string ExpandKeyReferences(std::u16string_view text, uint8_t courseLayoutType,
                                   const KeyReferenceModel& model)
{
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != u'#' || i + 1 >= text.size() || !IsDigit(text[i + 1])) {
            out += text[i++];
            continue;
        }
        size_t j = i + 1;
        uint32_t n = 0;
        while (j < text.size() && IsDigit(text[j])) {
            if (j - i <= kMaxDigits)
                n = n * 10 + static_cast<uint32_t>(text[j] - u'0');
            ++j;
        }
        if (j - i - 1 <= kMaxDigits) {
            if (const char16_t c = ReferencedChar(n, courseLayoutType, model))
                out += c;
        }
        i = j;
    }
    return out;
}

} // namespace kf
