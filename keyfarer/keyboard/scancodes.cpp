#include "keyboard/scancodes.h"

namespace kf::scancode {
namespace {

constexpr uint32_t kRow1[] = {41, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
constexpr uint32_t kRow2[] = {16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27};
constexpr uint32_t kRow3[] = {30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40};
constexpr uint32_t kRow4[] = {44, 45, 46, 47, 48, 49, 50, 51, 52, 53};
constexpr uint32_t kKeypad[] = {
    kNumLock, kKeypadSlash, kKeypadAsterisk, 74, 71, 72, 73, 78, 75, 76, 77, 79,
    80,       81,           kKeypadEnter,    82, 83};

constexpr std::u16string_view kUsRow1 = u"`1234567890-=";
constexpr std::u16string_view kUsRow2 = u"qwertyuiop[]";
constexpr std::u16string_view kUsRow3 = u"asdfghjkl;'";
constexpr std::u16string_view kUsRow4 = u"zxcvbnm,./";

} // namespace

std::span<const uint32_t> CharacterRow(int row)
{
    switch (row) {
    case 1:
        return kRow1;
    case 2:
        return kRow2;
    case 3:
        return kRow3;
    case 4:
        return kRow4;
    default:
        return {};
    }
}

std::span<const uint32_t> KeypadKeys()
{
    return kKeypad;
}

char16_t UsCharacter(uint32_t code)
{
    const std::u16string_view chars[] = {kUsRow1, kUsRow2, kUsRow3, kUsRow4};
    for (int row = 1; row <= 4; ++row) {
        const auto codes = CharacterRow(row);
        for (size_t i = 0; i < codes.size(); ++i)
            if (codes[i] == code)
                return chars[row - 1][i];
    }
    if (code == kBackslash)
        return u'\\';
    return 0;
}

uint32_t FromXkbKeycode(uint32_t keycode)
{
    if (keycode < 8 || keycode - 8 >= kCount)
        return 0;
    return keycode - 8;
}

} // namespace kf::scancode
