#include "session/localexercisedata.h"

#include "content/testlibrary.h"
#include "platform/textfile.h"

namespace kf {

LocalExerciseData::LocalExerciseData(std::u16string_view dataFolder) : m_tutorial(dataFolder) {}

bool LocalExerciseData::ReadTestText(std::u16string_view name, Bytes& text, uint8_t& testType)
{
    return kf::ReadTestText(DataFolder(), name, text, testType);
}

bool LocalExerciseData::LoadDictionary(std::u16string_view name, Bytes& text)
{
    std::u16string decoded;
    if (!ReadTextFile(DataFolder() + u"Dict\\" + std::u16string(name), decoded))
        return false;
    text = Utf16ToBytes(decoded);
    return true;
}

} // namespace kf
