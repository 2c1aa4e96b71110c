#include "pumpexercisedata.h"

namespace kf {

bool PumpExerciseData::ReadTestText(std::u16string_view name, Bytes& text, uint8_t& testType)
{
    if (!m_supplier.ReadTestText(name, testType))
        return false;
    const ByteSpan r = m_supplier.Result();
    text.assign(r.begin(), r.end());
    return true;
}

bool PumpExerciseData::LoadDictionary(std::u16string_view name, Bytes& text)
{
    if (!m_supplier.LoadDictionary(name))
        return false;
    const ByteSpan r = m_supplier.Result();
    text.assign(r.begin(), r.end());
    return true;
}

} // namespace kf
