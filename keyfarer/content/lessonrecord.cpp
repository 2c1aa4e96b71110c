#include "lessonrecord.h"

#include <algorithm>
#include <cstring>

namespace kf {

std::vector<uint8_t> LessonRecord::KeyIndexes() const
{
    std::vector<uint8_t> keys;
    for (size_t i = 0; i < kKeyDataSize; ++i) {
        const uint8_t k = U8(kKeyData + i);
        if (k == kKeyIndexEnd)
            break;
        keys.push_back(k);
    }
    return keys;
}

std::vector<int16_t> LessonRecord::RowIndexes() const
{
    std::vector<int16_t> rows;
    for (size_t i = 0; i < kKeyDataSize / 2; ++i) {
        const int16_t r = I16(kKeyData + 2 * i);
        if (r == kRowIndexEnd)
            break;
        rows.push_back(r);
    }
    return rows;
}

void LessonRecord::SetKeyIndexes(const std::vector<uint8_t>& keys)
{
    std::memset(data() + kKeyData, 0, kKeyDataSize);
    const size_t n = std::min(keys.size(), kMaxKeyIndexes);
    for (size_t i = 0; i < n; ++i)
        SetU8(kKeyData + i, keys[i]);
    SetU8(kKeyData + n, kKeyIndexEnd);
}

void LessonRecord::SetRowIndexes(const std::vector<int16_t>& rows)
{
    std::memset(data() + kKeyData, 0, kKeyDataSize);
    const size_t n = std::min(rows.size(), kMaxRowIndexes);
    for (size_t i = 0; i < n; ++i)
        SetI16(kKeyData + 2 * i, rows[i]);
    SetI16(kKeyData + 2 * n, kRowIndexEnd);
}

void LessonRecord::SetTrainChars(std::u16string_view chars)
{
    std::memset(data() + kKeyData, 0, kKeyDataSize);
    SetText(kKeyData, kTrainCharUnits, chars);
}

} // namespace kf
