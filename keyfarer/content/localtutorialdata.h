#pragma once

// LocalTutorialData: the tutorial requests of the data supplier answered straight from a data
// folder, with a result buffer of its own. Course objects that the catalogue operations
// create, kftool and the tests read through it; the real supplier forwards the same requests
// to the functions of localtutorial.h.

#include "content/pump_tutorialdatabase.h"

#include <string>
#include <string_view>

namespace kf {

class LocalTutorialData : public CPump_TutorialDataBase
{
public:
    // dataFolder: the folder holding "Tutorial" (a trailing separator is added when missing).
    explicit LocalTutorialData(std::u16string_view dataFolder);

    const std::u16string& DataFolder() const { return m_dataFolder; }

    const uint8_t* GetResult(size_t* length) const override;
    bool ReadCourseHeader(std::u16string_view name) override;
    bool ReadTutorialFile(std::u16string_view name) override;
    bool ReadTutorialText(std::u16string_view name, std::u16string* path) override;

private:
    std::u16string m_dataFolder;
    Bytes m_result;
};

} // namespace kf
