#include "localtutorialdata.h"

#include "content/localtutorial.h"
#include "platform/path.h"

namespace kf {

LocalTutorialData::LocalTutorialData(std::u16string_view dataFolder)
    : m_dataFolder(WithTrailingSeparator(dataFolder))
{
}

const uint8_t* LocalTutorialData::GetResult(size_t* length) const
{
    if (length)
        *length = m_result.size();
    return m_result.data();
}

bool LocalTutorialData::ReadCourseHeader(std::u16string_view name)
{
    return kf::ReadCourseHeader(m_dataFolder, name, m_result);
}

bool LocalTutorialData::ReadTutorialFile(std::u16string_view name)
{
    return kf::ReadTutorialFile(m_dataFolder, name, m_result);
}

bool LocalTutorialData::ReadTutorialText(std::u16string_view name, std::u16string* path)
{
    return kf::ReadTutorialText(m_dataFolder, name, m_result, path);
}

} // namespace kf
